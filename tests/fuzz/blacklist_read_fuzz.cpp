// ReadBlacklist on arbitrary file bytes: a file that cannot be read gives nothing, a
// missing one no entry; every other gives one entry per line that is not empty, its
// address the text before the line's first "+" and its name the rest; an entry read
// from the file is always found again by a release; and the rows a blacklisting
// writes read back as they were.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clients/blacklist.h"
#include "clients/blacklist_file.h"
#include "tests/fuzz/fuzz_driver.h"
#include "tests/fuzz/fuzz_ports.h"

namespace {

using hs::clients::BlacklistRow;
using hs::fuzz::Check;

// Text the file keeps as it is: no line break, no "+" in an address, and the same
// after a trip through GBK.
bool Keeps(hs::TextCodec& codec, const BlacklistRow& row) {
    const auto plain = [&](const std::string& text) {
        return text.find_first_of("\r\n") == std::string::npos &&
               codec.GbkToUtf8(codec.Utf8ToGbk(text)) == text;
    };
    return !row.mac.empty() && row.mac.find('+') == std::string::npos && plain(row.mac) &&
           plain(row.name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    hs::TextCodec& codec = hs::fuzz::Codec();
    const uint8_t mode = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    hs::fuzz::MemoryFiles files;
    hs::Host host;
    host.codec = &codec;
    host.files = &files;
    switch (mode % 3) {
        case 0:
            Check(hs::clients::ReadBlacklist(host) == std::vector<BlacklistRow>{});
            return 0;
        case 1:
            files.files[hs::clients::kBlacklistPath] = bytes;
            files.failReads = true;
            Check(!hs::clients::ReadBlacklist(host).has_value());
            // Nor is it rewritten.
            Check(!hs::clients::WriteBlacklistFile(host, {{"", "AA-BB-CC-DD-EE-FF", "x"}}));
            Check(files.writes == 0);
            return 0;
        default:
            files.files[hs::clients::kBlacklistPath] = bytes;
            break;
    }

    const std::optional<std::vector<BlacklistRow>> read = hs::clients::ReadBlacklist(host);
    Check(read.has_value());
    const std::vector<BlacklistRow>& rows = *read;
    size_t row = 0;
    for (std::string_view piece : hs::fuzz::Pieces(bytes)) {
        if (!piece.empty() && piece.back() == '\n') {
            piece.remove_suffix(1);
            if (!piece.empty() && piece.back() == '\r')
                piece.remove_suffix(1);
        }
        if (piece.empty())
            continue;
        Check(row < rows.size());
        const size_t plus = piece.find('+');
        Check(rows[row].ip.empty());
        Check(rows[row].mac == codec.GbkToUtf8(piece.substr(0, plus)));
        Check(rows[row].name ==
              (plus == std::string_view::npos ? "" : codec.GbkToUtf8(piece.substr(plus + 1))));
        // Released, the entry's line is found: removed, or refused as unclear.
        std::vector<hs::clients::Released> outcomes;
        hs::clients::RemoveBlacklistLines(bytes, {rows[row].mac}, codec, outcomes);
        Check(outcomes.size() == 1);
        Check((outcomes[0] != hs::clients::Released::NotInFile) == !rows[row].mac.empty());
        ++row;
    }
    Check(row == rows.size());

    // What a blacklisting writes reads back unchanged.
    std::vector<BlacklistRow> kept;
    for (const BlacklistRow& entry : rows) {
        if (Keeps(codec, entry))
            kept.push_back(entry);
    }
    Check(hs::clients::WriteBlacklistFile(host, kept));
    Check(hs::clients::ReadBlacklist(host) == kept);
    return 0;
}

namespace {

std::vector<std::string> Seeds() {
    hs::TextCodec& codec = hs::fuzz::Codec();
    return {
        "\x02" + codec.Utf8ToGbk("AA-BB-CC-DD-EE-01+小米手机\r\nAA-BB-CC-DD-EE-02+\r\n\r\n"
                                 "AA-BB-CC-DD-EE-03+C++ 笔记本\r\nAA-BB-CC-DD-EE-04\r\n"
                                 "aa-bb-cc-dd-ee-05+iPad"),
        std::string("\x05") + "AA-BB-CC-DD-EE-0?+phone\r\nAA-BB-CC-DD-EE-0\x81+tablet\n" +
            "AA-BB-CC-DD-EE-0\x82+laptop\r\r\n+only a name\r\n\xff\xfe",
        std::string("\x00", 1),
        std::string("\x01") + "a4-5e-60-c1-22-33+x\r\n",
        std::string("\x08") + std::string("\r\n\0\n+\n", 7),
    };
}

}  // namespace

HS_FUZZ_MAIN(Seeds())
