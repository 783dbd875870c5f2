// Marker and line operations on text whose lines are separated by CR LF.
//
// Every function takes its text by value and returns a new text. Positions and
// line numbers are 1-based; a position counts bytes of the UTF-8 text. Searches
// ignore case unless asked otherwise (ASCII letters; other characters must match
// exactly). An empty search text is never found.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace hs {

// The text after the first `left` found from byte position `start` up to the next
// `right` after it; empty text when either is missing. In both markers "#引号"
// stands for a double quote.
std::string TextBetween(std::string text, std::string left, std::string right, int start = 1,
                        bool caseSensitive = false);

// One replacement of ReplaceMany; a pair with an empty `find` changes nothing.
struct ReplacePair {
    ReplacePair(std::string findText, std::string replacementText = {})
        : find(std::move(findText)), replacement(std::move(replacementText)) {}
    ReplacePair(const char* findText, const char* replacementText = "")
        : find(findText), replacement(replacementText) {}

    std::string find;
    std::string replacement;
};

inline constexpr int kReplaceAll = -1;

// Applies each pair in turn to the result of the one before: from byte position
// `start` on, at most `count` occurrences of `find` (all when count is
// kReplaceAll) are replaced. The callers pass one to five pairs.
std::string ReplaceMany(std::string text, int count, int start, bool caseSensitive,
                        std::initializer_list<ReplacePair> pairs);
// Every occurrence, from the start, case ignored.
std::string ReplaceMany(std::string text, std::initializer_list<ReplacePair> pairs);

// Byte position of the first occurrence of `needle` at or after `from`, ASCII letters
// compared without regard to case; npos when there is none or the needle is empty.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from = 0);

// Number of the first line that contains `needle`; 0 when none does.
int FindLine(std::string text, std::string needle, bool caseSensitive = false);
// Line n; empty when n is not a line of the text.
std::string GetLine(std::string text, int n);
// The text with line n replaced by `line`; unchanged when n is not a line.
std::string SetLine(std::string text, int n, std::string line);
// The text with `prefix` put in front of line n; unchanged when n is not a line.
std::string PrefixLine(std::string text, int n, std::string prefix);
// The text without line n; unchanged when n is not a line. A text without any
// CR LF is one line followed by an empty one, so deleting line 1 leaves nothing.
std::string DeleteLine(std::string text, int n);

// Drops one CR LF from the start and one from the end, then every empty or blank
// line inside (each match of "\n\s*\r"). `initialiseCom` is accepted for the
// callers' sake and has no effect: the regular expressions need no COM.
std::string RemoveBlankLines(std::string text, bool initialiseCom = false);

// Number of non-overlapping occurrences of `needle`, every character taken
// literally; 0 for an empty needle.
int CountOccurrences(std::string text, std::string needle, bool caseSensitive = false);

// Whether an address may be handed to the browser: a plain http:// or https://
// address (scheme in any case) with a host name right after the scheme, and no
// spaces, quotes or control characters that could break out of a command line. A
// local program, a file or another scheme is no web address.
bool IsWebAddress(const std::string& address);

// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string Trim(const std::string& text);

// How many characters the UTF-8 text holds (its bytes that do not continue one).
size_t CharacterCount(const std::string& utf8);

// Whether `text` contains `needle`, byte for byte.
inline bool Contains(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

// The text with every character that means something in a regular expression written
// with a backslash before it, so that a connection name such as "本地连接* 12" or
// "热点(WiFi)" stands for itself in a pattern.
std::string EscapeLiteral(const std::string& text);

}  // namespace hs
