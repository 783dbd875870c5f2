#include "clients/device_names.h"

#include <algorithm>
#include <cstdint>

#include "sys/text.h"

namespace hs::clients {

namespace {

// Bytes of the address part of a line: the 17-character address and the "+".
constexpr size_t kAddressPartBytes = 18;

// Length of the UTF-8 sequence at `i` and its code point; 0 when the bytes there are
// not a well-formed sequence.
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& cp) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

bool IsControl(uint32_t cp) {
    return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029;
}

std::string Clean(std::string_view utf8, size_t limitBytes) {
    std::string out;
    size_t gbkBytes = 0;
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        const size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0) {
            ++i;
            continue;
        }
        if (!IsControl(cp)) {
            const size_t cost = cp < 0x80 ? 1 : 2;
            if (gbkBytes + cost > limitBytes)
                break;
            gbkBytes += cost;
            out.append(utf8.substr(i, length));
        }
        i += length;
    }
    return out;
}

// The name part of a line of the names file: what follows its first 18 bytes,
// without cutting a GBK double-byte character in two.
std::string_view NamePart(std::string_view line) {
    size_t i = 0;
    while (i < kAddressPartBytes && i < line.size()) {
        const auto lead = static_cast<unsigned char>(line[i]);
        i += lead >= 0x81 && lead <= 0xFE && i + 1 < line.size() ? 2 : 1;
    }
    return line.substr(std::min(i, line.size()));
}

std::string_view LineText(std::string_view text, const LineSpan& span) {
    return text.substr(span.begin, span.end - span.begin);
}

// The saved name a line holds, as the list shows it: its name part without control
// characters. Empty means "no name saved" wherever that is asked (the pass's lookup
// and its save step alike), so a name part of control characters only ("\x01", a
// bare CR) is no name anywhere.
std::string NameOfLine(TextCodec& codec, std::string_view line) {
    return DropControlCharacters(codec.GbkToUtf8(NamePart(line)));
}

}  // namespace

std::string SanitizeName(std::string_view utf8) {
    return Clean(utf8, kNameLimitBytes);
}

std::string DropControlCharacters(std::string_view utf8) {
    return Clean(utf8, static_cast<size_t>(-1));
}

std::string NameFromHostName(std::string_view hostName) {
    std::string name = DropControlCharacters(hostName);
    const std::string_view suffix = kSharingDnsSuffix;
    const size_t at = FindNoCase(name, suffix);
    if (at != std::string::npos)
        name.erase(at, suffix.size());
    if (name.empty())
        return kUnknownDevice;
    if (FindNoCase(name, "android") != std::string::npos)
        return kAndroidDevice;
    if (FindNoCase(name, "ipho") != std::string::npos)
        return kAppleDevice;
    return SanitizeName(name);
}

std::string SavedName(std::string_view fileBytes, std::string_view address, TextCodec& codec) {
    if (address.empty())
        return {};
    const std::vector<LineSpan> lines = SplitLines(fileBytes);
    const int index = FindAddressLine(fileBytes, lines, address);
    if (index < 0)
        return {};
    return NameOfLine(codec, LineText(fileBytes, lines[static_cast<size_t>(index)]));
}

std::string ReadSavedName(Host& host, std::string_view address) {
    std::string bytes;
    if (host.codec == nullptr || !ReadDataFile(host, kNamesPath, bytes))
        return {};
    return SavedName(bytes, address, *host.codec);
}

std::string SaveFoundName(Host& host, const std::string& address, const std::string& name) {
    if (host.codec == nullptr || address.empty())
        return name;
    std::lock_guard<std::mutex> lock(DataFileLock(kNamesPath));
    std::string bytes;
    if (!ReadDataFile(host, kNamesPath, bytes))
        return name;
    const std::vector<LineSpan> lines = SplitLines(bytes);
    const int index = FindAddressLine(bytes, lines, address);
    const std::string line = address + "+" + host.codec->Utf8ToGbk(name);
    if (index >= 0) {
        const std::string saved =
            NameOfLine(*host.codec, LineText(bytes, lines[static_cast<size_t>(index)]));
        if (!saved.empty()) {
            // Renamed while the device was being looked up: the user's name stays.
            return saved;
        }
        host.files->Write(kNamesPath, ReplaceLine(bytes, lines, index, line));
    } else {
        host.files->Write(kNamesPath, bytes + "\r\n" + line);
    }
    return name;
}

Rename SaveDeviceName(Host& host, const std::string& address, std::string_view editorText) {
    Rename result;
    result.name = SanitizeName(editorText);
    if (host.codec == nullptr || address.empty())
        return result;
    std::lock_guard<std::mutex> lock(DataFileLock(kNamesPath));
    std::string bytes;
    if (!ReadDataFile(host, kNamesPath, bytes))
        return result;
    const std::vector<LineSpan> lines = SplitLines(bytes);
    const int index = FindAddressLine(bytes, lines, address);
    if (index < 0)
        return result;
    const std::string line = address + "+" + host.codec->Utf8ToGbk(result.name);
    result.saved = host.files->Write(kNamesPath, ReplaceLine(bytes, lines, index, line));
    return result;
}

}  // namespace hs::clients
