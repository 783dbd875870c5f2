// The regular-expression engine behind RegexObject: a parser that turns a pattern
// into a small program, and a backtracking matcher that runs it over UTF-8 text.
// Syntax and matching rules follow the scripting engine's regular expressions that
// the console parsers were written against (see sys/regex.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hs::rx {

inline constexpr size_t kNoPos = static_cast<size_t>(-1);
inline constexpr uint32_t kUnbounded = UINT32_MAX;

// ---- Characters (regex_chars.cpp) ----

// Characters decoded from bytes that are not valid UTF-8 get a value above
// Unicode's range, one per byte, so that they match only themselves, "." and
// negated classes.
inline constexpr char32_t kInvalidByteBase = 0x110000;

// Decodes the character starting at `pos` (< text.size()); `*length` gets its byte
// count (1 for an invalid byte).
char32_t DecodeAt(std::string_view text, size_t pos, size_t* length);
// Byte offset of the character that ends right before `pos` (> 0).
size_t PreviousCharStart(std::string_view text, size_t pos);
// Appends the UTF-8 form of `c` (Unicode scalar values only).
void AppendUtf8(std::string& out, char32_t c);

// One-to-one simple case mapping: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and the full-width Latin letters. Other characters map to themselves.
char32_t SimpleLower(char32_t c);
char32_t SimpleUpper(char32_t c);

bool IsDigitChar(char32_t c);
bool IsWordChar(char32_t c);
bool IsSpaceChar(char32_t c);

// ---- Programs ----

enum class Op : uint8_t {
    Char,          // a: character (folded to lower case when the program ignores case)
    Any,           // any character but a line feed
    Class,         // a: index into Program::classes
    LineStart,     // ^
    LineEnd,       // $
    WordBoundary,  // \b
    NotWordBoundary,
    Save,     // a: slot; records the position
    Split,    // go on at a, come back to b when that fails
    Jump,     // a: target
    BackRef,  // a: group number
    // The single-character instruction at pc + 1 repeated min..max times; the
    // program goes on at pc + 2. flag: greedy. One backtrack entry per loop.
    // b: 1 + index of its failure memo; 0 when the loop has an upper bound or what
    // follows it depends on more than the position (inside a loop of groups or a
    // lookahead, or a pattern with back references).
    RepeatOne,
    LookStart,      // flag: negative; a: the instruction after the matching LookEnd
    LookEnd,        // the lookahead's body matched
    Mark,           // a: slot; records the position at the start of a loop pass
    CheckProgress,  // a: slot; fails when the pass matched nothing
    Match,
};

struct Inst {
    Op op;
    bool flag = false;
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t min = 0;
    uint32_t max = 0;
};

struct CharClass {
    std::vector<std::pair<char32_t, char32_t>> ranges;
    bool digit = false, notDigit = false, word = false, notWord = false, space = false,
         notSpace = false;
    bool negated = false;
    // Answers for the ASCII characters, case folding already applied.
    uint64_t ascii[2] = {0, 0};

    bool ContainsRaw(char32_t c) const;
};

struct Program {
    std::vector<Inst> code;
    std::vector<CharClass> classes;
    int groupCount = 0;    // capture groups, numbered 1..groupCount
    size_t slotCount = 2;  // two per group (0 = whole match) plus loop marks
    size_t memoCount = 0;  // failure memos of RepeatOne instructions
    bool ignoreCase = true;
    bool multiLine = true;
    // Bytes a match can start with; all when anyStart.
    bool anyStart = true;
    bool firstByte[256] = {};
};

// Parses and compiles `pattern` (UTF-8). False when the pattern is not valid;
// `*error` then says why.
bool Compile(std::string_view pattern, bool ignoreCase, bool multiLine, Program* program,
             std::string* error);

// The work one run of a pattern over a subject may do, in steps: an instruction
// executed, a character taken or given back by a loop, a character compared by a
// back reference, a choice resumed. Backtracking over nested quantifiers ("(a+)+b")
// grows exponentially with the subject; the budget stops it.
struct StepBudget {
    uint64_t left = 0;
    bool exhausted = false;  // set once a search ran out of steps
};

// The budget of one run over a subject of `bytes` bytes: a fixed allowance and a
// share per byte, so that a runaway pattern ends in time proportional to its
// subject. The console parsers' patterns take at most about 4 steps per byte of a
// listing (under 0.7 million over a 4,000-entry ARP table) and the engine's worst
// linear cases 8, far below either share.
inline constexpr uint64_t kBaseSteps = 100000;
inline constexpr uint64_t kStepsPerByte = 100;
inline uint64_t StepBudgetFor(size_t bytes) {
    return kBaseSteps + kStepsPerByte * static_cast<uint64_t>(bytes);
}

// Finds the first match at or after byte offset `from` (a character boundary).
// On success `slots` holds 2 * (groupCount + 1) byte offsets (kNoPos for a group
// that took no part); slots[0] and slots[1] bound the whole match. The steps taken
// are spent from `budget`; when it runs out the search reports no match and marks
// the budget exhausted.
bool Search(const Program& program, std::string_view subject, size_t from,
            std::vector<size_t>* slots, StepBudget* budget);

}  // namespace hs::rx
