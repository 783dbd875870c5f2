// The settings file's reader and writer on arbitrary file bytes (GBK, UTF-16, or
// neither): nothing crashes, a refused write changes nothing, an accepted one reads
// back, and writing the same value again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/native_codec.h"
#include "settings/settings_file.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

using hs::FileRead;

// Names and values the writer must store so that they read back exactly.
const std::vector<std::string> kSections = {"user", "Skin", "流量条", "1", "x y"};
const std::vector<std::string> kKeys = {"ssid", "KEY", "是否开", "1", "a[b]"};
const std::vector<std::string> kValues = {"5802741639", "", "办公室", "a=b", "1000|700", "带 空格"};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Files in memory; the first byte of the input chooses what a read answers.
class MemoryFiles : public hs::FileStore {
  public:
    FileRead Read(const std::string& path, std::string& bytes) override {
        auto found = files.find(path);
        if (failReads)
            return FileRead::Failed;
        if (found == files.end())
            return FileRead::Missing;
        bytes = found->second;
        return FileRead::Ok;
    }
    bool Write(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return true;
    }
    std::map<std::string, std::string> files;
    bool failReads = false;
};

hs::TextCodec& Codec() {
    static std::unique_ptr<hs::TextCodec> codec = hs::MakeNativeCodec();
    return *codec;
}

const std::string& Choose(const std::vector<std::string>& from, uint8_t byte) {
    return from[byte % from.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    hs::TextCodec& codec = Codec();
    const std::string section = Choose(kSections, data[0]);
    const std::string key = Choose(kKeys, data[1]);
    const std::string value = Choose(kValues, data[2]);
    const uint8_t mode = data[3];
    std::string file(reinterpret_cast<const char*>(data + 4), size - 4);
    if (mode & 1)
        file.insert(0, "\xFF\xFE");  // the same bytes as UTF-16 text

    // Names cut out of the input itself: anything may come of them but a crash.
    const std::string loose = file.substr(0, mode % 16);
    (void)hs::settings::ProfileGet(codec, file, loose, loose, "");
    std::string scratch = file;
    if (!hs::settings::ProfileSet(codec, scratch, loose, loose, loose))
        Check(scratch == file);

    // Names the format can hold: the write is accepted and reads back.
    std::string written = file;
    Check(hs::settings::ProfileSet(codec, written, section, key, value));
    Check(hs::settings::ProfileGet(codec, written, section, key, "<none>") == value);
    std::string again = written;
    Check(hs::settings::ProfileSet(codec, again, section, key, value));
    Check(again == written);
    Check(written.starts_with("\xFF\xFE") == file.starts_with("\xFF\xFE"));

    // Through a file store: a file that cannot be read is never replaced.
    MemoryFiles files;
    files.files["c:\\tulawifi.ini"] = file;
    files.failReads = (mode & 2) != 0;
    hs::Host host;
    host.codec = &codec;
    host.files = &files;
    const bool stored = hs::settings::WriteSetting(host, section, key, value);
    if (files.failReads) {
        Check(!stored && files.files["c:\\tulawifi.ini"] == file);
    } else {
        Check(stored && files.files["c:\\tulawifi.ini"] == written);
    }
    return 0;
}

namespace {

std::vector<std::string> Seeds() {
    return {
        std::string("\0\0\0\0", 4),
        std::string("\1\2\3\0", 4) + "[user]\r\nssid=mylove\r\nkey=5802741639\r",
        std::string("\2\1\0\2", 4) + "  [USER] \r\n SSID = \"q\" \n\n[skin]\r\ncolor=310",
        std::string("\3\4\5\1", 4) +
            std::string("[\0u\0s\0e\0r\0]\0\r\0\n\0s\0s\0i\0d\0=\0a\0\r\0", 28),
        std::string("\0\3\1\4", 4) +
            "[\xC1\xF7\xC1\xBF\xCC\xF5]\r\n\xCA\xC7\xB7\xF1\xBF\xAA=\xCA\xC7\r\n",
        std::string("\4\0\2\6", 4) + "; note\r\n[1]\r\n1=1\r\n2=\xCE\xDE\xCF\xDF\r\n[1]\r\n",
    };
}

}  // namespace

HS_FUZZ_MAIN(Seeds())
