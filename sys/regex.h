// Regular expressions over UTF-8 text, with the matching rules every parser of
// console output in this program relies on.
//
// Syntax is that of the Windows scripting engine's regular expressions:
// alternation, groups, (?:...), lookahead (?=...) (?!...), classes with ranges,
// \d \D \w \W \s \S \b \B, \t \r \n \f \v \xHH \uHHHH, the quantifiers
// * + ? {n} {n,} {n,m} and their lazy forms, back references \1..\99, and ^ $.
// By default case is ignored, ^ and $ also match next to a line feed or carriage
// return, and every match is found. "." matches any character but a line feed:
// it never crosses a line, yet it does match the carriage return of a CR LF line
// end. After an empty match the search goes on one character further.
//
// Numbers of matches and groups are 1-based; positions are 0-based byte offsets
// in the UTF-8 subject. A Chinese character is one character to the pattern.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hs {

class RegexObject {
  public:
    // Compiles `pattern`, runs it over `subject` and keeps the matches and a copy
    // of the subject. With `quotePlaceholder`, every "#引号" in the pattern stands
    // for a double quote. False when the pattern is not valid; the object then
    // holds no match. A run that backtracks beyond its step budget (see
    // rx::StepBudgetFor) gives up: the object then holds no match either.
    bool Create(const std::string& pattern, const std::string& subject, bool caseSensitive = false,
                bool multiLine = true, bool global = true, bool quotePlaceholder = false);

    // The pattern given to the last Create (quotes already put in); empty before.
    std::string GetPattern() const { return pattern_; }

    // The subject with every match (only the first when global was off) replaced
    // by `replacement`, in which $1..$99 stand for a group, $& for the match, $`
    // and $' for the text before and after it, and $$ for a dollar sign.
    std::string Replace(const std::string& replacement) const;

    int MatchCount() const;
    // Text of match n (1-based); empty when there is no such match. `position`
    // receives its byte offset, or std::string::npos when there is none.
    std::string MatchText(int n, size_t* position = nullptr) const;
    // Text of group g (1-based) of match n; empty when either does not exist or
    // the group took no part in the match.
    std::string SubMatchText(int n, int g, size_t* position = nullptr) const;
    // Number of capture groups in the first match; 0 when there is no match.
    int SubMatchCount() const;

  private:
    size_t Slot(int n, size_t index) const { return slots_[(n - 1) * stride_ + index]; }

    std::string pattern_;
    std::string subject_;
    bool valid_ = false;
    size_t stride_ = 2;          // slots per match: two per group, group 0 included
    std::vector<size_t> slots_;  // start and end of every group of every match
};

}  // namespace hs
