// The edits of the names and blacklist files on arbitrary file bytes: a rename
// rewrites the device's line only, the pass's save replaces a line without a name or
// appends one and leaves a saved name alone, and what it saved reads back as a saved
// name; a release removes only lines its addresses were read from, an append only
// adds lines. No other line is lost or changed, byte for byte.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clients/blacklist.h"
#include "clients/blacklist_file.h"
#include "clients/device_names.h"
#include "tests/fuzz/fuzz_driver.h"
#include "tests/fuzz/fuzz_ports.h"

namespace {

using hs::fuzz::Check;
using hs::fuzz::HasNoCase;

const std::vector<std::string> kAddresses = {"A4-5E-60-C1-22-33", "a4-5e-60-c1-22-33",
                                             "3C-15-C2-9A-8B-01", "AA-BB-CC-DD-EE-0?",
                                             "00-11-22-33-44-55"};

// A piece's text without its line end.
std::string_view Text(std::string_view piece) {
    if (!piece.empty() && piece.back() == '\n') {
        piece.remove_suffix(1);
        if (!piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
    }
    return piece;
}

std::string_view Ending(std::string_view piece) {
    return piece.substr(Text(piece).size());
}

// The file's lines with their line ends, without the empty rest after a final one.
std::vector<std::string_view> Lines(std::string_view bytes) {
    std::vector<std::string_view> pieces = hs::fuzz::Pieces(bytes);
    if (pieces.back().empty())
        pieces.pop_back();
    return pieces;
}

// The first line whose part before its first "+" holds the address; -1 when none.
int DeviceLine(const std::vector<std::string_view>& lines, std::string_view address) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = Text(lines[i]);
        if (HasNoCase(text.substr(0, text.find('+')), address))
            return static_cast<int>(i);
    }
    return -1;
}

// `after` is `before` with line `index` (or none, -1) now `line` + its old line end.
void CheckOneLineChanged(std::string_view before, std::string_view after, int index,
                         const std::string& line) {
    const std::vector<std::string_view> old = Lines(before);
    const std::vector<std::string_view> now = Lines(after);
    Check(old.size() == now.size());
    for (size_t i = 0; i < old.size(); ++i) {
        if (static_cast<int>(i) == index)
            Check(now[i] == line + std::string(Ending(old[i])));
        else
            Check(now[i] == old[i]);
    }
}

void Names(hs::Host& host, hs::fuzz::MemoryFiles& files, const std::string& bytes,
           const std::string& address, const std::string& text, bool found) {
    hs::TextCodec& codec = *host.codec;
    const std::string path = hs::clients::kNamesPath;
    files.files[path] = bytes;
    const int index = DeviceLine(Lines(bytes), address);
    if (!found) {
        const hs::clients::Rename rename = hs::clients::SaveDeviceName(host, address, text);
        Check(rename.name == hs::clients::SanitizeName(text));
        Check(rename.saved == (index >= 0));
        CheckOneLineChanged(bytes, files.files[path], index,
                            address + "+" + codec.Utf8ToGbk(rename.name));
        if (index >= 0) {
            Check(
                hs::clients::ReadSavedName(host, address) ==
                hs::clients::DropControlCharacters(codec.GbkToUtf8(codec.Utf8ToGbk(rename.name))));
        }
        return;
    }
    // The pass found a name for a device it saw without one.
    const std::string name = hs::clients::NameFromHostName(text);
    const std::string saved = hs::clients::SavedName(bytes, address, codec);
    const std::string shown = hs::clients::SaveFoundName(host, address, name);
    const std::string line = address + "+" + codec.Utf8ToGbk(name);
    if (index < 0) {
        Check(files.files[path] == bytes + "\r\n" + line);
        Check(shown == name);
    } else if (!saved.empty()) {
        Check(files.files[path] == bytes);
        Check(shown == saved);
    } else {
        CheckOneLineChanged(bytes, files.files[path], index, line);
        Check(shown == name);
    }
    // Whatever it did, the device has a saved name now: the next pass does not look
    // it up again.
    Check(!hs::clients::ReadSavedName(host, address).empty());
}

void Release(hs::Host& host, hs::fuzz::MemoryFiles& files, const std::string& bytes,
             const std::string& address, uint8_t choice) {
    hs::TextCodec& codec = *host.codec;
    const std::string path = hs::clients::kBlacklistPath;
    files.files[path] = bytes;
    // Some of the rows the list shows, and an address of the choosing.
    std::vector<std::string> addresses;
    const std::vector<hs::clients::BlacklistRow> rows = hs::clients::ParseBlacklist(bytes, codec);
    for (size_t i = 0; i < rows.size(); ++i) {
        if ((choice >> (i % 8)) & 1)
            addresses.push_back(rows[i].mac);
    }
    addresses.push_back(address);
    const std::vector<hs::clients::Released> outcomes =
        hs::clients::RemoveFromBlacklistFile(host, addresses);
    Check(outcomes.size() == addresses.size());
    std::vector<std::string> released;
    for (size_t i = 0; i < outcomes.size(); ++i) {
        if (outcomes[i] == hs::clients::Released::Yes)
            released.push_back(hs::clients::UpperAscii(addresses[i]));
    }
    // Every line that went is a released address's, and one went per address; every
    // other line stays byte for byte, but the one left last, which loses the line end
    // that separated it from a removed last line (an empty line then leaves nothing).
    const std::vector<std::string_view> old = Lines(bytes);
    const std::vector<std::string_view> now = Lines(files.files[path]);
    size_t j = 0;
    size_t removed = 0;
    for (size_t i = 0; i < old.size(); ++i) {
        const bool lastKept = j + 1 == now.size() && now[j] == Text(old[i]);
        if (j < now.size() && (now[j] == old[i] || lastKept)) {
            ++j;
            continue;
        }
        if (j == now.size() && Text(old[i]).empty())
            continue;  // no address is empty: an empty line is never released
        ++removed;
        const std::string cell =
            hs::clients::UpperAscii(hs::clients::AddressCell(Text(old[i]), codec));
        bool wanted = false;
        for (const std::string& address : released)
            wanted = wanted || address == cell;
        Check(wanted);
    }
    Check(j == now.size());
    Check(removed == released.size());
}

void Append(hs::Host& host, hs::fuzz::MemoryFiles& files, const std::string& bytes,
            const std::string& address, const std::string& text) {
    hs::TextCodec& codec = *host.codec;
    const std::string path = hs::clients::kBlacklistPath;
    files.files[path] = bytes;
    const std::string name = hs::clients::SanitizeName(text);
    const std::vector<hs::clients::BlacklistRow> before = hs::clients::ParseBlacklist(bytes, codec);
    Check(hs::clients::AppendToBlacklistFile(host, {{"", address, name}, {"", address, "again"}}));
    const std::string& after = files.files[path];
    Check(after.starts_with(bytes));
    std::vector<hs::clients::BlacklistRow> expected = before;
    bool shown = false;
    for (const hs::clients::BlacklistRow& row : before)
        shown = shown || hs::clients::UpperAscii(row.mac) == hs::clients::UpperAscii(address);
    if (!shown)
        expected.push_back({"", address, codec.GbkToUtf8(codec.Utf8ToGbk(name))});
    Check(hs::clients::ParseBlacklist(after, codec) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const uint8_t mode = data[0];
    const uint8_t choice = data[1];
    const std::vector<std::string> fields =
        hs::fuzz::Fields(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), 2);
    const std::string& bytes = fields[0];
    const std::string& text = fields[1];

    hs::fuzz::MemoryFiles files;
    hs::Host host;
    host.codec = &hs::fuzz::Codec();
    host.files = &files;

    // The device: a usual address, or the address part of one of the file's lines
    // when it is one.
    std::string address = kAddresses[choice % kAddresses.size()];
    const std::vector<std::string_view> lines = Lines(bytes);
    if ((mode & 0x10) && !lines.empty()) {
        const std::string_view line = Text(lines[choice % lines.size()]);
        const std::string_view part = line.substr(0, line.find('+'));
        if (hs::clients::IsDashAddress(part))
            address = std::string(part);
    }
    switch (mode % 4) {
        case 0:
            Names(host, files, bytes, address, text, false);
            break;
        case 1:
            Names(host, files, bytes, address, text, true);
            break;
        case 2:
            Release(host, files, bytes, address, choice);
            break;
        default:
            Append(host, files, bytes, address, text);
            break;
    }
    return 0;
}

namespace {

std::vector<std::string> Seeds() {
    hs::TextCodec& codec = hs::fuzz::Codec();
    const std::string names =
        codec.Utf8ToGbk("\r\na4-5e-60-c1-22-33+安卓设备\r\n3c-15-c2-9a-8b-01+我的+手机\r\n") +
        "hand\nwritten\xff\xfe\r\nA4-5E-60-C1-22-33+\x01\r\n00-11-22-33-44-55+\r";
    const std::string blacklist = codec.Utf8ToGbk("A4-5E-60-C1-22-33+安卓设备\r\n") +
                                  "AA-BB-CC-DD-EE-0?+phone\r\nAA-BB-CC-DD-EE-0\x81+tablet\n"
                                  "xx+a4-5e-60-c1-22-33\r\n\r\n00-11-22-33-44-55";
    const std::string name = codec.Utf8ToGbk("Redmi\r\n\x07小米.mshome.net");
    std::vector<std::string> seeds;
    for (uint8_t mode = 0; mode < 4; ++mode) {
        for (uint8_t choice : {0, 3, 0x17}) {
            const std::string& file = mode < 2 ? names : blacklist;
            seeds.push_back(
                std::string{static_cast<char>(mode | (choice & 0x10)), static_cast<char>(choice)} +
                hs::fuzz::Join({file, name}));
        }
    }
    return seeds;
}

}  // namespace

HS_FUZZ_MAIN(Seeds())
