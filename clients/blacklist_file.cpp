#include "clients/blacklist_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace hs::clients {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

std::string_view LineOf(std::string_view text, const LineSpan& span) {
    return text.substr(span.begin, span.end - span.begin);
}

}  // namespace

std::vector<BlacklistRow> ParseBlacklist(std::string_view bytes, TextCodec& codec) {
    std::vector<BlacklistRow> rows;
    for (const LineSpan& span : SplitLines(bytes)) {
        const std::string_view line = LineOf(bytes, span);
        if (line.empty())
            continue;
        BlacklistRow row;
        row.mac = AddressCell(line, codec);
        const size_t plus = line.find('+');
        if (plus != std::string_view::npos)
            row.name = codec.GbkToUtf8(line.substr(plus + 1));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::vector<BlacklistRow>> ReadBlacklist(Host& host) {
    std::string bytes;
    if (host.codec == nullptr || !ReadDataFile(host, kBlacklistPath, bytes))
        return std::nullopt;
    return ParseBlacklist(bytes, *host.codec);
}

std::string AddressCell(std::string_view line, TextCodec& codec) {
    return codec.GbkToUtf8(AddressPart(line));
}

std::string RemoveBlacklistLines(std::string_view bytes, const std::vector<std::string>& addresses,
                                 TextCodec& codec, std::vector<Released>& outcomes) {
    outcomes.clear();
    std::string text(bytes);
    for (const std::string& address : addresses) {
        const std::vector<LineSpan> lines = SplitLines(text);
        int first = -1;
        Released outcome = address.empty() ? Released::NotInFile : Released::Yes;
        for (size_t i = 0; i < lines.size() && !address.empty(); ++i) {
            const std::string_view line = LineOf(text, lines[i]);
            if (!EqualNoCase(AddressCell(line, codec), address))
                continue;
            if (first < 0) {
                first = static_cast<int>(i);
            } else if (!EqualNoCase(AddressPart(line),
                                    AddressPart(LineOf(text, lines[static_cast<size_t>(first)])))) {
                outcome = Released::Unclear;
                break;
            }
        }
        if (first < 0 && outcome == Released::Yes)
            outcome = Released::NotInFile;
        if (outcome == Released::Yes)
            text = RemoveLine(text, lines, first);
        outcomes.push_back(outcome);
    }
    return text;
}

}  // namespace hs::clients
