// Pattern parser and compiler of the regular-expression engine.
//
// Syntax: alternation, capturing and non-capturing groups, lookahead, classes
// with ranges, the escapes \d \D \w \W \s \S \b \B \t \r \n \f \v \cX \xHH
// \uHHHH, octal escapes, back references \1..\99, the greedy and lazy
// quantifiers * + ? {n} {n,} {n,m}, and the anchors ^ $. As in the scripting
// engine, a "{" or "}" or "]" that cannot be read as syntax stands for itself.
#include <algorithm>

#include "sys/regex_engine.h"

namespace hs::rx {

namespace {

constexpr size_t kMaxProgramSize = 1u << 20;
constexpr int kMaxNesting = 500;
constexpr uint32_t kMaxCount = 1000000000u;

struct Node {
    enum Kind {
        Empty,
        Char,
        Any,
        Class,
        LineStart,
        LineEnd,
        WordBoundary,
        NotWordBoundary,
        Group,
        Look,
        BackRef,
        Concat,
        Alt,
        Repeat
    } kind = Empty;
    char32_t ch = 0;
    uint32_t index = 0;  // class index, group number (0 = non-capturing), back reference
    bool flag = false;   // Look: negative; Repeat: greedy
    uint32_t min = 0, max = 0;
    std::vector<int> kids;
};

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

uint32_t HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// Number of capturing groups, counted before parsing so that "\12" can be read
// as a back reference or an octal escape.
int CountGroups(std::string_view p) {
    int count = 0;
    bool inClass = false;
    for (size_t i = 0; i < p.size(); ++i) {
        const char c = p[i];
        if (c == '\\') {
            ++i;
        } else if (inClass) {
            if (c == ']')
                inClass = false;
        } else if (c == '[') {
            inClass = true;
        } else if (c == '(' && (i + 1 >= p.size() || p[i + 1] != '?')) {
            ++count;
        }
    }
    return count;
}

class Parser {
  public:
    Parser(std::string_view pattern, Program* program)
        : p_(pattern), program_(program), totalGroups_(CountGroups(pattern)) {}

    int Parse() {
        const int root = Disjunction(0);
        if (failed_)
            return -1;
        if (pos_ < p_.size())
            return Fail("unmatched )");
        return root;
    }

    const std::vector<Node>& nodes() const { return nodes_; }
    int groupCount() const { return groups_; }
    const std::string& error() const { return error_; }

  private:
    int Fail(const char* why) {
        if (!failed_)
            error_ = why;
        failed_ = true;
        return -1;
    }

    bool AtEnd() const { return pos_ >= p_.size(); }
    char Peek(size_t ahead = 0) const { return pos_ + ahead < p_.size() ? p_[pos_ + ahead] : '\0'; }

    int Add(Node node) {
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size() - 1);
    }

    int Disjunction(int depth) {
        if (depth > kMaxNesting)
            return Fail("pattern nested too deeply");
        std::vector<int> alternatives{Alternative(depth)};
        while (!failed_ && Peek() == '|' && !AtEnd()) {
            ++pos_;
            alternatives.push_back(Alternative(depth));
        }
        if (failed_)
            return -1;
        if (alternatives.size() == 1)
            return alternatives[0];
        Node alt;
        alt.kind = Node::Alt;
        alt.kids = std::move(alternatives);
        return Add(std::move(alt));
    }

    int Alternative(int depth) {
        Node concat;
        concat.kind = Node::Concat;
        while (!failed_ && !AtEnd() && Peek() != '|' && Peek() != ')') {
            const int term = Term(depth);
            if (term >= 0)
                concat.kids.push_back(term);
        }
        if (failed_)
            return -1;
        if (concat.kids.size() == 1)
            return concat.kids[0];
        return Add(std::move(concat));
    }

    // Reads "{n}", "{n,}" or "{n,m}" at the current position without moving when
    // it is not one.
    bool BraceQuantifier(uint32_t* min, uint32_t* max, size_t* end) const {
        size_t i = pos_ + 1;
        auto number = [&](uint32_t* value) {
            const size_t start = i;
            uint64_t v = 0;
            while (i < p_.size() && p_[i] >= '0' && p_[i] <= '9') {
                v = std::min<uint64_t>(v * 10 + (p_[i] - '0'), kMaxCount);
                ++i;
            }
            *value = static_cast<uint32_t>(v);
            return i > start;
        };
        if (!number(min))
            return false;
        *max = *min;
        if (i < p_.size() && p_[i] == ',') {
            ++i;
            if (!number(max))
                *max = kUnbounded;
        }
        if (i >= p_.size() || p_[i] != '}')
            return false;
        *end = i + 1;
        return true;
    }

    bool AtQuantifier() const {
        const char c = Peek();
        if (AtEnd())
            return false;
        if (c == '*' || c == '+' || c == '?')
            return true;
        uint32_t a, b;
        size_t end;
        return c == '{' && BraceQuantifier(&a, &b, &end);
    }

    int Term(int depth) {
        const char c = Peek();
        int atom = -1;
        bool quantifiable = true;
        if (c == '^' || c == '$') {
            ++pos_;
            Node n;
            n.kind = c == '^' ? Node::LineStart : Node::LineEnd;
            atom = Add(n);
            quantifiable = false;
        } else if (c == '\\' && (Peek(1) == 'b' || Peek(1) == 'B')) {
            Node n;
            n.kind = Peek(1) == 'b' ? Node::WordBoundary : Node::NotWordBoundary;
            pos_ += 2;
            atom = Add(n);
            quantifiable = false;
        } else if (c == '(') {
            atom = GroupAtom(depth);
        } else if (c == '[') {
            atom = ClassAtom();
        } else if (c == '.') {
            ++pos_;
            Node n;
            n.kind = Node::Any;
            atom = Add(n);
        } else if (c == '*' || c == '+' || c == '?' || (c == '{' && AtQuantifier())) {
            return Fail("nothing to repeat");
        } else if (c == '\\') {
            atom = EscapeAtom();
        } else {
            size_t length = 0;
            Node n;
            n.kind = Node::Char;
            n.ch = DecodeAt(p_, pos_, &length);
            pos_ += length;
            atom = Add(n);
        }
        if (failed_)
            return -1;
        if (!AtQuantifier())
            return atom;
        if (!quantifiable)
            return Fail("nothing to repeat");

        Node rep;
        rep.kind = Node::Repeat;
        rep.flag = true;
        const char q = Peek();
        if (q == '*') {
            rep.min = 0;
            rep.max = kUnbounded;
            ++pos_;
        } else if (q == '+') {
            rep.min = 1;
            rep.max = kUnbounded;
            ++pos_;
        } else if (q == '?') {
            rep.min = 0;
            rep.max = 1;
            ++pos_;
        } else {
            size_t end = pos_;
            BraceQuantifier(&rep.min, &rep.max, &end);
            pos_ = end;
            if (rep.min > rep.max)
                return Fail("numbers out of order in quantifier");
        }
        if (Peek() == '?' && !AtEnd()) {
            rep.flag = false;
            ++pos_;
        }
        if (AtQuantifier())
            return Fail("nothing to repeat");
        rep.kids.push_back(atom);
        return Add(std::move(rep));
    }

    int GroupAtom(int depth) {
        ++pos_;  // (
        Node n;
        n.kind = Node::Group;
        if (Peek() == '?') {
            const char k = Peek(1);
            if (k == ':') {
                n.index = 0;
            } else if (k == '=' || k == '!') {
                n.kind = Node::Look;
                n.flag = k == '!';
            } else {
                return Fail("invalid group");
            }
            pos_ += 2;
        } else {
            n.index = static_cast<uint32_t>(++groups_);
        }
        const int body = Disjunction(depth + 1);
        if (failed_)
            return -1;
        if (Peek() != ')' || AtEnd())
            return Fail("missing )");
        ++pos_;
        n.kids.push_back(body);
        return Add(std::move(n));
    }

    // Reads the escape after a backslash as the one character it stands for; the
    // caller has already taken the class escapes (\d and the like). An unknown
    // escape stands for the character itself.
    char32_t CharEscape(bool inClass) {
        const char c = Peek();
        size_t length = 0;
        switch (c) {
            case 't':
                ++pos_;
                return '\t';
            case 'n':
                ++pos_;
                return '\n';
            case 'r':
                ++pos_;
                return '\r';
            case 'f':
                ++pos_;
                return '\f';
            case 'v':
                ++pos_;
                return '\v';
            case 'b':
                if (inClass) {
                    ++pos_;
                    return '\b';
                }
                break;
            case 'c': {
                const char letter = Peek(1);
                if ((letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z')) {
                    pos_ += 2;
                    return static_cast<char32_t>(letter % 32);
                }
                return '\\';  // "\c" not followed by a letter is a backslash and a "c"
            }
            case 'x':
                if (IsHex(Peek(1)) && IsHex(Peek(2))) {
                    const char32_t v = HexValue(Peek(1)) * 16 + HexValue(Peek(2));
                    pos_ += 3;
                    return v;
                }
                ++pos_;
                return 'x';
            case 'u':
                if (IsHex(Peek(1)) && IsHex(Peek(2)) && IsHex(Peek(3)) && IsHex(Peek(4))) {
                    char32_t v = 0;
                    for (int i = 1; i <= 4; ++i)
                        v = v * 16 + HexValue(Peek(i));
                    pos_ += 5;
                    // A surrogate pair written as two escapes is one character.
                    if (v >= 0xD800 && v <= 0xDBFF && Peek() == '\\' && Peek(1) == 'u' &&
                        IsHex(Peek(2)) && IsHex(Peek(3)) && IsHex(Peek(4)) && IsHex(Peek(5))) {
                        char32_t low = 0;
                        for (int i = 2; i <= 5; ++i)
                            low = low * 16 + HexValue(Peek(i));
                        if (low >= 0xDC00 && low <= 0xDFFF) {
                            pos_ += 6;
                            return 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
                        }
                    }
                    return v;
                }
                ++pos_;
                return 'u';
            default:
                break;
        }
        if (IsOctal(c))
            return Octal();
        const char32_t ch = DecodeAt(p_, pos_, &length);
        pos_ += length;
        return ch;
    }

    char32_t Octal() {
        const size_t limit = Peek() <= '3' ? 3 : 2;
        char32_t v = 0;
        for (size_t i = 0; i < limit && !AtEnd() && IsOctal(Peek()); ++i) {
            v = v * 8 + (Peek() - '0');
            ++pos_;
        }
        return v;
    }

    // Reads \d \D \w \W \s \S into `cls`; false when the escape is not one of them.
    bool SetEscape(CharClass* cls) {
        switch (Peek()) {
            case 'd':
                cls->digit = true;
                break;
            case 'D':
                cls->notDigit = true;
                break;
            case 'w':
                cls->word = true;
                break;
            case 'W':
                cls->notWord = true;
                break;
            case 's':
                cls->space = true;
                break;
            case 'S':
                cls->notSpace = true;
                break;
            default:
                return false;
        }
        ++pos_;
        return true;
    }

    int AddClass(CharClass cls) {
        program_->classes.push_back(std::move(cls));
        Node n;
        n.kind = Node::Class;
        n.index = static_cast<uint32_t>(program_->classes.size() - 1);
        return Add(n);
    }

    int EscapeAtom() {
        ++pos_;  // backslash
        if (AtEnd())
            return Fail("\\ at end of pattern");
        CharClass cls;
        if (SetEscape(&cls))
            return AddClass(std::move(cls));
        const char c = Peek();
        if (c >= '1' && c <= '9') {
            int number = c - '0';
            size_t used = 1;
            if (Peek(1) >= '0' && Peek(1) <= '9' && number * 10 + (Peek(1) - '0') <= totalGroups_) {
                number = number * 10 + (Peek(1) - '0');
                used = 2;
            }
            if (number <= totalGroups_) {
                pos_ += used;
                Node n;
                n.kind = Node::BackRef;
                n.index = static_cast<uint32_t>(number);
                return Add(n);
            }
        }
        Node n;
        n.kind = Node::Char;
        n.ch = CharEscape(false);
        return Add(n);
    }

    // One member of a class: a character (returned) or a set escape (added to
    // `cls`, returns false).
    bool ClassMember(CharClass* cls, char32_t* ch) {
        if (Peek() == '\\') {
            ++pos_;
            if (AtEnd()) {
                Fail("\\ at end of pattern");
                return false;
            }
            if (SetEscape(cls))
                return false;
            *ch = CharEscape(true);
            return true;
        }
        size_t length = 0;
        *ch = DecodeAt(p_, pos_, &length);
        pos_ += length;
        return true;
    }

    int ClassAtom() {
        ++pos_;  // [
        CharClass cls;
        if (Peek() == '^' && !AtEnd()) {
            cls.negated = true;
            ++pos_;
        }
        for (;;) {
            if (AtEnd())
                return Fail("missing ]");
            if (Peek() == ']') {
                ++pos_;
                break;
            }
            char32_t lo = 0;
            const bool loIsChar = ClassMember(&cls, &lo);
            if (failed_)
                return -1;
            if (Peek() == '-' && !AtEnd() && pos_ + 1 < p_.size() && Peek(1) != ']') {
                ++pos_;  // -
                char32_t hi = 0;
                const bool hiIsChar = ClassMember(&cls, &hi);
                if (failed_)
                    return -1;
                if (loIsChar && hiIsChar) {
                    if (lo > hi)
                        return Fail("range out of order in class");
                    cls.ranges.emplace_back(lo, hi);
                } else {
                    // A set on either side of "-": all literal.
                    if (loIsChar)
                        cls.ranges.emplace_back(lo, lo);
                    if (hiIsChar)
                        cls.ranges.emplace_back(hi, hi);
                    cls.ranges.emplace_back('-', '-');
                }
                continue;
            }
            if (loIsChar)
                cls.ranges.emplace_back(lo, lo);
        }
        return AddClass(std::move(cls));
    }

    std::string_view p_;
    size_t pos_ = 0;
    Program* program_;
    std::vector<Node> nodes_;
    int groups_ = 0;
    int totalGroups_;
    bool failed_ = false;
    std::string error_;
};

class Emitter {
  public:
    Emitter(const std::vector<Node>& nodes, Program* program) : nodes_(nodes), program_(program) {}

    bool Emit(int id) {
        if (id < 0)
            return true;
        if (program_->code.size() > kMaxProgramSize)
            return false;
        const Node& n = nodes_[id];
        auto& code = program_->code;
        switch (n.kind) {
            case Node::Empty:
                return true;
            case Node::Char:
                code.push_back({Op::Char, false, program_->ignoreCase ? SimpleLower(n.ch) : n.ch});
                return true;
            case Node::Any:
                code.push_back({Op::Any});
                return true;
            case Node::Class:
                code.push_back({Op::Class, false, n.index});
                return true;
            case Node::LineStart:
                code.push_back({Op::LineStart});
                return true;
            case Node::LineEnd:
                code.push_back({Op::LineEnd});
                return true;
            case Node::WordBoundary:
                code.push_back({Op::WordBoundary});
                return true;
            case Node::NotWordBoundary:
                code.push_back({Op::NotWordBoundary});
                return true;
            case Node::BackRef:
                code.push_back({Op::BackRef, false, n.index});
                return true;
            case Node::Group:
                if (n.index == 0)
                    return Emit(n.kids[0]);
                code.push_back({Op::Save, false, 2 * n.index});
                if (!Emit(n.kids[0]))
                    return false;
                code.push_back({Op::Save, false, 2 * n.index + 1});
                return true;
            case Node::Look: {
                const size_t start = code.size();
                code.push_back({Op::LookStart, n.flag});
                ++lookDepth_;
                const bool emitted = Emit(n.kids[0]);
                --lookDepth_;
                if (!emitted)
                    return false;
                code.push_back({Op::LookEnd});
                code[start].a = static_cast<uint32_t>(code.size());
                return true;
            }
            case Node::Concat:
                for (int kid : n.kids) {
                    if (!Emit(kid))
                        return false;
                }
                return true;
            case Node::Alt: {
                if (EmitAltAsClass(n))
                    return true;
                std::vector<size_t> jumps;
                for (size_t i = 0; i + 1 < n.kids.size(); ++i) {
                    const size_t split = code.size();
                    code.push_back({Op::Split, false, static_cast<uint32_t>(split + 1)});
                    if (!Emit(n.kids[i]))
                        return false;
                    jumps.push_back(code.size());
                    code.push_back({Op::Jump});
                    code[split].b = static_cast<uint32_t>(code.size());
                }
                if (!Emit(n.kids.back()))
                    return false;
                for (size_t j : jumps)
                    code[j].a = static_cast<uint32_t>(code.size());
                return true;
            }
            case Node::Repeat:
                return EmitRepeat(n);
        }
        return true;
    }

  private:
    // The single-character node a repeat applies to, looking through
    // non-capturing groups; -1 when the body is anything else.
    int SingleChar(int id) const {
        for (;;) {
            const Node& n = nodes_[id];
            if (n.kind == Node::Char || n.kind == Node::Any || n.kind == Node::Class)
                return id;
            if (n.kind == Node::Alt && AltIsClass(n))
                return id;
            if ((n.kind == Node::Group && n.index == 0) ||
                (n.kind == Node::Concat && n.kids.size() == 1)) {
                id = n.kids[0];
                continue;
            }
            return -1;
        }
    }

    bool AltIsClass(const Node& n) const {
        for (int kid : n.kids) {
            const Node& k = nodes_[kid];
            if (k.kind != Node::Char &&
                !(k.kind == Node::Class && !program_->classes[k.index].negated)) {
                return false;
            }
        }
        return true;
    }

    bool EmitRepeat(const Node& n) {
        auto& code = program_->code;
        const int single = SingleChar(n.kids[0]);
        if (single >= 0) {
            Inst rep{Op::RepeatOne, n.flag};
            rep.min = n.min;
            rep.max = n.max;
            if (n.max == kUnbounded && loopDepth_ == 0 && lookDepth_ == 0) {
                rep.b = static_cast<uint32_t>(++program_->memoCount);
            }
            code.push_back(rep);
            return Emit(single);
        }
        if (n.max == 0)
            return true;
        for (uint32_t i = 0; i < n.min; ++i) {
            if (!Emit(n.kids[0]))
                return false;
        }
        if (n.max == kUnbounded) {
            // L: split body, exit; body: mark; x; check progress; jump L
            const uint32_t mark = static_cast<uint32_t>(program_->slotCount++);
            const size_t loop = code.size();
            code.push_back({Op::Split});
            code.push_back({Op::Mark, false, mark});
            ++loopDepth_;
            const bool emitted = Emit(n.kids[0]);
            --loopDepth_;
            if (!emitted)
                return false;
            code.push_back({Op::CheckProgress, false, mark});
            code.push_back({Op::Jump, false, static_cast<uint32_t>(loop)});
            const auto body = static_cast<uint32_t>(loop + 1);
            const auto exit = static_cast<uint32_t>(code.size());
            code[loop].a = n.flag ? body : exit;
            code[loop].b = n.flag ? exit : body;
            return true;
        }
        std::vector<size_t> splits;
        for (uint32_t i = n.min; i < n.max; ++i) {
            splits.push_back(code.size());
            code.push_back({Op::Split});
            if (!Emit(n.kids[0]))
                return false;
        }
        const auto exit = static_cast<uint32_t>(code.size());
        for (size_t s : splits) {
            const auto body = static_cast<uint32_t>(s + 1);
            code[s].a = n.flag ? body : exit;
            code[s].b = n.flag ? exit : body;
        }
        return true;
    }

    // An alternation of single characters and plain classes ("(?:x|y)",
    // "(a|[0-9])") is one class: it then needs no backtrack entry of its own and
    // can be repeated cheaply.
    bool EmitAltAsClass(const Node& n) {
        CharClass merged;
        for (int kid : n.kids) {
            const Node& k = nodes_[kid];
            if (k.kind == Node::Char) {
                merged.ranges.emplace_back(k.ch, k.ch);
            } else if (k.kind == Node::Class && !program_->classes[k.index].negated) {
                const CharClass& c = program_->classes[k.index];
                merged.ranges.insert(merged.ranges.end(), c.ranges.begin(), c.ranges.end());
                merged.digit |= c.digit;
                merged.notDigit |= c.notDigit;
                merged.word |= c.word;
                merged.notWord |= c.notWord;
                merged.space |= c.space;
                merged.notSpace |= c.notSpace;
            } else {
                return false;
            }
        }
        program_->classes.push_back(std::move(merged));
        program_->code.push_back(
            {Op::Class, false, static_cast<uint32_t>(program_->classes.size() - 1)});
        return true;
    }

    const std::vector<Node>& nodes_;
    Program* program_;
    int loopDepth_ = 0;
    int lookDepth_ = 0;
};

void AddStartByte(Program* p, char32_t c) {
    std::string bytes;
    if (c >= kInvalidByteBase) {
        bytes += static_cast<char>(c - kInvalidByteBase);
    } else {
        AppendUtf8(bytes, c);
    }
    p->firstByte[static_cast<unsigned char>(bytes[0])] = true;
}

// Which bytes can begin a match: follows the program from its start through
// every instruction that consumes nothing.
void ComputeStartBytes(Program* p) {
    p->anyStart = false;
    std::vector<bool> seen(p->code.size(), false);
    std::vector<uint32_t> todo{0};
    auto atom = [&](const Inst& in) {
        switch (in.op) {
            case Op::Char:
                AddStartByte(p, in.a);
                if (p->ignoreCase)
                    AddStartByte(p, SimpleUpper(in.a));
                return;
            case Op::Class:
                for (int b = 0; b < 128; ++b) {
                    if (p->classes[in.a].ascii[b / 64] >> (b % 64) & 1)
                        p->firstByte[b] = true;
                }
                for (int b = 128; b < 256; ++b)
                    p->firstByte[b] = true;
                return;
            default:
                p->anyStart = true;
                return;
        }
    };
    while (!todo.empty() && !p->anyStart) {
        const uint32_t pc = todo.back();
        todo.pop_back();
        if (seen[pc])
            continue;
        seen[pc] = true;
        const Inst& in = p->code[pc];
        switch (in.op) {
            case Op::Char:
            case Op::Class:
            case Op::Any:
                atom(in);
                break;
            case Op::RepeatOne:
                atom(p->code[pc + 1]);
                if (in.min == 0)
                    todo.push_back(pc + 2);
                break;
            case Op::LineStart:
            case Op::LineEnd:
            case Op::WordBoundary:
            case Op::NotWordBoundary:
            case Op::Save:
            case Op::Mark:
            case Op::CheckProgress:
                todo.push_back(pc + 1);
                break;
            case Op::Split:
                todo.push_back(in.a);
                todo.push_back(in.b);
                break;
            case Op::Jump:
                todo.push_back(in.a);
                break;
            default:  // back references, lookahead, an empty match
                p->anyStart = true;
                break;
        }
    }
}

void FillAsciiTables(Program* p) {
    for (auto& cls : p->classes) {
        cls.ascii[0] = cls.ascii[1] = 0;
        for (char32_t c = 0; c < 128; ++c) {
            bool in = cls.ContainsRaw(c);
            // Among ASCII characters only letters have another case.
            if (!in && p->ignoreCase && SimpleLower(c) != SimpleUpper(c)) {
                in = cls.ContainsRaw(c ^ 0x20);
            }
            if (in != cls.negated)
                cls.ascii[c / 64] |= uint64_t{1} << (c % 64);
        }
    }
}

}  // namespace

bool Compile(std::string_view pattern, bool ignoreCase, bool multiLine, Program* program,
             std::string* error) {
    *program = Program{};
    program->ignoreCase = ignoreCase;
    program->multiLine = multiLine;
    Parser parser(pattern, program);
    const int root = parser.Parse();
    if (!parser.error().empty()) {
        if (error)
            *error = parser.error();
        return false;
    }
    program->groupCount = parser.groupCount();
    program->slotCount = 2 * (static_cast<size_t>(program->groupCount) + 1);
    Emitter emitter(parser.nodes(), program);
    if (!emitter.Emit(root) || program->code.size() > kMaxProgramSize) {
        if (error)
            *error = "pattern too large";
        return false;
    }
    program->code.push_back({Op::Match});
    // With back references what follows a loop depends on the groups too.
    const bool backRefs = std::any_of(program->code.begin(), program->code.end(),
                                      [](const Inst& in) { return in.op == Op::BackRef; });
    if (backRefs) {
        for (Inst& in : program->code) {
            if (in.op == Op::RepeatOne)
                in.b = 0;
        }
        program->memoCount = 0;
    }
    FillAsciiTables(program);
    ComputeStartBytes(program);
    return true;
}

}  // namespace hs::rx
