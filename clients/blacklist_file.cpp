#include "clients/blacklist_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace hs::clients {

namespace {

// Lines end with CR LF; a lone LF (a file edited by hand) ends a line as well, and a
// final line end gives no extra line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

std::vector<std::string_view> SplitAtPlus(std::string_view line) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t plus = line.find('+', start);
        pieces.push_back(line.substr(start, plus - start));
        if (plus == std::string_view::npos)
            break;
        start = plus + 1;
    }
    return pieces;
}

}  // namespace

void LoadBlacklist(Host& host, ui::Control list) {
    std::string bytes;
    if (host.files == nullptr || host.codec == nullptr ||
        !host.files->Read(kBlacklistPath, bytes)) {
        return;
    }
    const std::string text = host.codec->GbkToUtf8(bytes);
    for (std::string_view line : SplitLines(text)) {
        if (line.empty())
            continue;
        const std::vector<std::string_view> pieces = SplitAtPlus(line);
        const int row = list.InsertRow();
        list.SetCell(row, 1, std::string(pieces[0]));
        // A name that itself holds "+" cannot be told from the separator: such a line
        // keeps only its address.
        if (pieces.size() == 2)
            list.SetCell(row, 2, std::string(pieces[1]));
    }
}

}  // namespace hs::clients
