#include "clients/data_file.h"

#include <map>

#include "sys/text.h"

namespace hs::clients {

namespace {

char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::mutex& DataFileLock(const std::string& path) {
    // Never torn down: a worker that outlives the program's teardown may still lock.
    static auto* guard = new std::mutex;
    static auto* locks = new std::map<std::string, std::mutex>;
    std::lock_guard<std::mutex> lock(*guard);
    return (*locks)[UpperAscii(path)];
}

bool ReadDataFile(Host& host, const std::string& path, std::string& bytes) {
    bytes.clear();
    if (host.files == nullptr)
        return false;
    std::string read;
    switch (host.files->Read(path, read)) {
        case FileRead::Ok:
            bytes = std::move(read);
            return true;
        case FileRead::Missing:
            return true;
        case FileRead::Failed:
            break;
    }
    return false;
}

std::vector<LineSpan> SplitLines(std::string_view text) {
    std::vector<LineSpan> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t lf = text.find('\n', begin);
        if (lf == std::string_view::npos) {
            lines.push_back({begin, text.size(), text.size()});
            break;
        }
        const size_t end = lf > begin && text[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back({begin, end, lf + 1});
        begin = lf + 1;
    }
    return lines;
}

std::string_view AddressPart(std::string_view line) {
    return line.substr(0, line.find('+'));
}

int FindAddressLine(std::string_view text, const std::vector<LineSpan>& lines,
                    std::string_view address) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (FindNoCase(AddressPart(line), address) != std::string_view::npos)
            return static_cast<int>(i);
    }
    return -1;
}

std::unordered_set<std::string> AddressesOfLines(std::string_view text) {
    std::unordered_set<std::string> found;
    for (const LineSpan& span : SplitLines(text)) {
        const std::string_view line = text.substr(span.begin, span.end - span.begin);
        found.merge(DashAddressesIn(AddressPart(line)));
    }
    return found;
}

std::string ReplaceLine(std::string_view text, const std::vector<LineSpan>& lines, int index,
                        std::string_view line) {
    if (index < 0 || static_cast<size_t>(index) >= lines.size())
        return std::string(text);
    const LineSpan& span = lines[static_cast<size_t>(index)];
    std::string out;
    out.reserve(text.size() + line.size());
    out.append(text.substr(0, span.begin));
    out.append(line);
    out.append(text.substr(span.end));
    return out;
}

std::string RemoveLine(std::string_view text, const std::vector<LineSpan>& lines, int index) {
    if (index < 0 || static_cast<size_t>(index) >= lines.size())
        return std::string(text);
    const LineSpan& span = lines[static_cast<size_t>(index)];
    size_t from = span.begin;
    size_t to = span.next;
    if (span.next == span.end && index > 0) {
        // The last line, with nothing after it: its separator before it goes with it.
        from = lines[static_cast<size_t>(index) - 1].end;
    }
    std::string out(text.substr(0, from));
    out.append(text.substr(to));
    return out;
}

bool IsDashAddress(std::string_view text) {
    if (text.size() != 17)
        return false;
    for (size_t i = 0; i < 17; ++i) {
        if (i % 3 == 2 ? text[i] != '-' : !IsHex(text[i]))
            return false;
    }
    return true;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = UpperChar(c);
    return out;
}

std::unordered_set<std::string> DashAddressesIn(std::string_view text) {
    std::unordered_set<std::string> found;
    // An address starts with two hex digits and has a "-" right after them: only
    // such places are looked at closely.
    for (size_t i = 0; i + 17 <= text.size(); ++i) {
        if (text[i + 2] != '-' || !IsHex(text[i]))
            continue;
        const std::string_view window = text.substr(i, 17);
        if (IsDashAddress(window))
            found.insert(UpperAscii(window));
    }
    return found;
}

}  // namespace hs::clients
