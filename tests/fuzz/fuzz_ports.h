// Small ports for the fuzz targets of the client list: files kept in memory, console
// commands answered from the input, a clock that never waits, a probe that answers
// from the address, and the helpers the targets share.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "platform/native_codec.h"

namespace hs::fuzz {

// Stops at a broken property, saying where: the driver's fixed seed replays it.
inline void Check(bool condition, std::source_location where = std::source_location::current()) {
    if (!condition) {
        std::fprintf(stderr, "property broken at %s:%u\n", where.file_name(),
                     static_cast<unsigned>(where.line()));
        std::abort();
    }
}

inline TextCodec& Codec() {
    static std::unique_ptr<TextCodec> codec = MakeNativeCodec();
    return *codec;
}

// Files in memory; `failReads` makes every read of an existing file fail.
class MemoryFiles : public FileStore {
  public:
    FileRead Read(const std::string& path, std::string& bytes) override {
        auto found = files.find(path);
        if (found == files.end())
            return FileRead::Missing;
        if (failReads)
            return FileRead::Failed;
        bytes = found->second;
        return FileRead::Ok;
    }
    bool Write(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        ++writes;
        return true;
    }
    std::map<std::string, std::string> files;
    bool failReads = false;
    int writes = 0;
};

// Answers the command lines of `answers` (UTF-8, as the runner decodes them) and
// records every command line it is asked to run.
class ScriptedCommands : public CommandRunner {
  public:
    bool Run(const std::string& commandLine, const StopSignal*, std::string& output) override {
        ran.push_back(commandLine);
        auto found = answers.find(commandLine);
        output = found == answers.end() ? std::string() : found->second;
        return true;
    }
    std::map<std::string, std::string> answers;
    std::vector<std::string> ran;
};

class QuietClock : public Clock {
  public:
    int64_t NowMs() override { return now; }
    void Delay(int64_t ms, const StopSignal*) override { now += ms; }
    int64_t now = 0;
};

// Answers pings of addresses whose last digit is odd, with a host name made of the
// address and the sharing suffix.
class AddressProbe : public NetworkProbe {
  public:
    bool Ping(const std::string& ip, int64_t, const StopSignal*) override {
        return !ip.empty() && (ip.back() - '0') % 2 == 1;
    }
    std::string HostName(const std::string& ip) override { return "host-" + ip + ".mshome.net"; }
};

// The text split at line feeds, each piece with its line end; the last piece holds
// what follows the last line feed (possibly nothing).
inline std::vector<std::string_view> Pieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    size_t begin = 0;
    for (;;) {
        const size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos) {
            pieces.push_back(text.substr(begin));
            return pieces;
        }
        pieces.push_back(text.substr(begin, lf + 1 - begin));
        begin = lf + 1;
    }
}

// The input cut at NUL bytes into `count` fields (missing ones empty).
inline std::vector<std::string> Fields(std::string_view input, size_t count) {
    std::vector<std::string> fields;
    size_t begin = 0;
    while (fields.size() + 1 < count) {
        const size_t nul = input.find('\0', begin);
        if (nul == std::string_view::npos)
            break;
        fields.emplace_back(input.substr(begin, nul - begin));
        begin = nul + 1;
    }
    fields.emplace_back(begin <= input.size() ? input.substr(begin) : std::string_view());
    fields.resize(count);
    return fields;
}

inline std::string Join(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += '\0';
        out += fields[i];
    }
    return out;
}

// Letter case ignored, ASCII only.
inline bool HasNoCase(std::string_view text, std::string_view needle) {
    if (needle.empty())
        return true;
    for (size_t at = 0; at + needle.size() <= text.size(); ++at) {
        size_t i = 0;
        while (i < needle.size()) {
            char a = text[at + i], b = needle[i];
            if (a >= 'a' && a <= 'z')
                a = static_cast<char>(a - 'a' + 'A');
            if (b >= 'a' && b <= 'z')
                b = static_cast<char>(b - 'a' + 'A');
            if (a != b)
                break;
            ++i;
        }
        if (i == needle.size())
            return true;
    }
    return false;
}

}  // namespace hs::fuzz
