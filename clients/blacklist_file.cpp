#include "clients/blacklist_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace hs::clients {

std::vector<BlacklistRow> ReadBlacklist(Host& host) {
    std::vector<BlacklistRow> rows;
    std::string bytes;
    if (host.codec == nullptr || !ReadDataFile(host, kBlacklistPath, bytes))
        return rows;
    const std::string text = host.codec->GbkToUtf8(bytes);
    const std::string_view view = text;
    for (const LineSpan& span : SplitLines(view)) {
        const std::string_view line = view.substr(span.begin, span.end - span.begin);
        if (line.empty())
            continue;
        BlacklistRow row;
        const size_t plus = line.find('+');
        row.mac = std::string(line.substr(0, plus));
        if (plus != std::string_view::npos)
            row.name = std::string(line.substr(plus + 1));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace hs::clients
