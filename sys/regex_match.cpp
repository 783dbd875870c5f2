// Backtracking matcher of the regular-expression engine.
//
// Choices are kept on an explicit stack, never on the C++ call stack, so a long
// subject cannot exhaust it; only lookahead nests a call, as deep as the pattern
// nests lookaheads. A loop over one character (".*", "\s*", "[0-9A-F]{2}")
// keeps one stack entry however many characters it takes.
//
// Every step is spent from a budget (StepBudget); a search that runs out of steps
// ends at once with no match, so that a pattern which backtracks exponentially
// over its subject cannot hold up the thread that asked.
#include <algorithm>

#include "sys/regex_engine.h"

namespace hs::rx {

namespace {

struct Frame {
    enum Kind : uint8_t { Branch, Undo, Greedy, Lazy } kind;
    uint32_t pc;  // Branch: where to resume; Undo: slot; Greedy/Lazy: the RepeatOne
    size_t pos;   // Branch: position; Undo: old value; Greedy/Lazy: current end
    size_t aux;   // Greedy: end of the minimum; Lazy: iterations so far
    size_t top;   // Greedy: the longest end; Lazy: where the loop's choices began
};

// Positions lo..hi after an unbounded one-character loop from which the rest of
// the program is known to fail. The loop's character matches everywhere from lo
// up to hi and not at hi, so a loop that reaches lo ends at hi.
struct FailMemo {
    size_t lo = kNoPos;
    size_t hi = kNoPos;

    bool Covers(size_t pos) const { return lo != kNoPos && lo <= pos && pos <= hi; }
    void Record(size_t from, size_t to) {
        if (lo != kNoPos && from <= hi && to >= lo) {
            lo = std::min(lo, from);
            hi = std::max(hi, to);
        } else {
            lo = from;
            hi = to;
        }
    }
};

class Matcher {
  public:
    Matcher(const Program& program, std::string_view subject, uint64_t steps)
        : p_(program),
          s_(subject),
          slots_(program.slotCount, kNoPos),
          memos_(program.memoCount),
          left_(steps) {}

    uint64_t StepsLeft() const { return left_; }
    bool Exhausted() const { return exhausted_; }

    bool MatchAt(size_t start, std::vector<size_t>* slots) {
        std::fill(slots_.begin(), slots_.end(), kNoPos);
        stack_.clear();
        size_t end = 0;
        if (!Run(0, start, &end))
            return false;
        slots_[0] = start;
        slots_[1] = end;
        slots->assign(slots_.begin(),
                      slots_.begin() + 2 * (static_cast<size_t>(p_.groupCount) + 1));
        return true;
    }

  private:
    // Takes `n` steps from the budget; false (and the budget exhausted) when fewer
    // are left.
    bool Spend(uint64_t n) {
        if (left_ < n) {
            left_ = 0;
            exhausted_ = true;
            return false;
        }
        left_ -= n;
        return true;
    }

    // Length of the atom at `pc` matched at `pos`, 0 when it does not match.
    size_t Atom(const Inst& in, size_t pos) const {
        if (pos >= s_.size())
            return 0;
        const auto byte = static_cast<unsigned char>(s_[pos]);
        if (byte < 0x80) {
            switch (in.op) {
                case Op::Char:
                    return (p_.ignoreCase ? SimpleLower(byte) : byte) == in.a ? 1 : 0;
                case Op::Any:
                    return byte != '\n' ? 1 : 0;
                case Op::Class: {
                    const CharClass& cls = p_.classes[in.a];
                    return (cls.ascii[byte / 64] >> (byte % 64) & 1) ? 1 : 0;
                }
                default:
                    return 0;
            }
        }
        size_t length = 0;
        const char32_t c = DecodeAt(s_, pos, &length);
        switch (in.op) {
            case Op::Char:
                return (p_.ignoreCase ? SimpleLower(c) : c) == in.a ? length : 0;
            case Op::Any:
                return length;
            case Op::Class: {
                const CharClass& cls = p_.classes[in.a];
                bool inside = cls.ContainsRaw(c);
                if (!inside && p_.ignoreCase) {
                    inside = cls.ContainsRaw(SimpleLower(c)) || cls.ContainsRaw(SimpleUpper(c));
                }
                return inside != cls.negated ? length : 0;
            }
            default:
                return 0;
        }
    }

    bool IsLineBreak(char c) const { return c == '\n' || c == '\r'; }

    bool WordBefore(size_t pos) const {
        return pos > 0 && IsWordChar(static_cast<unsigned char>(s_[pos - 1]));
    }
    bool WordAt(size_t pos) const {
        return pos < s_.size() && IsWordChar(static_cast<unsigned char>(s_[pos]));
    }

    bool BackRef(uint32_t group, size_t* pos) {
        const size_t from = slots_[2 * group];
        const size_t to = slots_[2 * group + 1];
        if (from == kNoPos || to == kNoPos || to < from)
            return true;  // matches empty
        size_t i = from;
        size_t j = *pos;
        if (!Spend(to - from))
            return false;
        while (i < to) {
            if (j >= s_.size())
                return false;
            size_t li = 0, lj = 0;
            char32_t a = DecodeAt(s_, i, &li);
            char32_t b = DecodeAt(s_, j, &lj);
            if (p_.ignoreCase) {
                a = SimpleLower(a);
                b = SimpleLower(b);
            }
            if (a != b)
                return false;
            i += li;
            j += lj;
        }
        *pos = j;
        return true;
    }

    void SetSlot(uint32_t slot, size_t value) {
        stack_.push_back({Frame::Undo, slot, slots_[slot], 0, 0});
        slots_[slot] = value;
    }

    // Runs the program from `pc` at `pos` until Match or LookEnd; false when every
    // choice made since the call has failed (the stack is then back where it was).
    bool Run(uint32_t pc, size_t pos, size_t* end) {
        const size_t base = stack_.size();
        for (;;) {
            if (!Spend(1))
                return false;
            const Inst& in = p_.code[pc];
            bool ok = true;
            switch (in.op) {
                case Op::Char:
                case Op::Any:
                case Op::Class: {
                    const size_t length = Atom(in, pos);
                    if (length == 0) {
                        ok = false;
                    } else {
                        pos += length;
                        ++pc;
                    }
                    break;
                }
                case Op::LineStart:
                    ok = pos == 0 || (p_.multiLine && IsLineBreak(s_[pos - 1]));
                    ++pc;
                    break;
                case Op::LineEnd:
                    ok = pos == s_.size() || (p_.multiLine && IsLineBreak(s_[pos]));
                    ++pc;
                    break;
                case Op::WordBoundary:
                    ok = WordBefore(pos) != WordAt(pos);
                    ++pc;
                    break;
                case Op::NotWordBoundary:
                    ok = WordBefore(pos) == WordAt(pos);
                    ++pc;
                    break;
                case Op::Save:
                case Op::Mark:
                    SetSlot(in.a, pos);
                    ++pc;
                    break;
                case Op::CheckProgress:
                    ok = slots_[in.a] != pos;
                    ++pc;
                    break;
                case Op::Split:
                    stack_.push_back({Frame::Branch, in.b, pos, 0, 0});
                    pc = in.a;
                    break;
                case Op::Jump:
                    pc = in.a;
                    break;
                case Op::BackRef:
                    ok = BackRef(in.a, &pos);
                    ++pc;
                    break;
                case Op::RepeatOne:
                    ok = StartRepeat(pc, &pos);
                    pc += 2;
                    break;
                case Op::LookStart:
                    ok = Look(pc, pos);
                    pc = in.a;
                    break;
                case Op::LookEnd:
                case Op::Match:
                    *end = pos;
                    return true;
            }
            if (ok)
                continue;
            if (exhausted_ || !Backtrack(base, &pc, &pos))
                return false;
        }
    }

    bool StartRepeat(uint32_t pc, size_t* pos) {
        const Inst& rep = p_.code[pc];
        const Inst& atom = p_.code[pc + 1];
        uint32_t count = 0;
        size_t at = *pos;
        while (count < rep.min) {
            const size_t length = Atom(atom, at);
            if (length == 0)
                return false;
            at += length;
            ++count;
        }
        if (!Spend(count))
            return false;
        FailMemo* memo = rep.b != 0 ? &memos_[rep.b - 1] : nullptr;
        if (!rep.flag) {
            const size_t begin = at;
            if (memo && rep.max == kUnbounded && memo->Covers(at)) {
                // Known to fail up to memo->hi: go on from one character past it.
                const size_t length = Atom(atom, memo->hi);
                if (length == 0)
                    return false;
                at = memo->hi + length;
            }
            if (count < rep.max)
                stack_.push_back({Frame::Lazy, pc, at, count, begin});
            *pos = at;
            return true;
        }
        const size_t minimumEnd = at;
        const uint32_t minimum = count;
        while (count < rep.max) {
            if (memo && memo->Covers(at)) {
                at = memo->hi;
                break;
            }
            const size_t length = Atom(atom, at);
            if (length == 0)
                break;
            at += length;
            ++count;
        }
        if (!Spend(count - minimum))
            return false;
        const size_t top = at;
        if (memo && memo->Covers(top)) {
            // The longest ends are known to fail: start below them.
            if (memo->lo <= minimumEnd)
                return false;
            at = PreviousCharStart(s_, memo->lo);
        }
        if (top != minimumEnd)
            stack_.push_back({Frame::Greedy, pc, at, minimumEnd, top});
        *pos = at;
        return true;
    }

    bool Look(uint32_t pc, size_t pos) {
        const Inst& in = p_.code[pc];
        const size_t mark = stack_.size();
        size_t ignored = 0;
        const bool matched = Run(pc + 1, pos, &ignored);
        if (exhausted_)
            return false;
        if (!matched)
            return in.flag;  // the stack is back at `mark`
        if (in.flag) {
            // A negative lookahead whose body matched: undo what it recorded.
            UnwindTo(mark);
            return false;
        }
        // Keep the captures of a positive lookahead (their undo entries), drop the
        // choices left inside it: a lookahead is never re-entered.
        size_t out = mark;
        for (size_t i = mark; i < stack_.size(); ++i) {
            if (stack_[i].kind == Frame::Undo)
                stack_[out++] = stack_[i];
        }
        stack_.resize(out);
        return true;
    }

    void UnwindTo(size_t mark) {
        while (stack_.size() > mark) {
            const Frame& f = stack_.back();
            if (f.kind == Frame::Undo)
                slots_[f.pc] = f.pos;
            stack_.pop_back();
        }
    }

    // Resumes the most recent open choice above `base`; false when none is left.
    bool Backtrack(size_t base, uint32_t* pc, size_t* pos) {
        while (stack_.size() > base) {
            if (!Spend(1))
                return false;
            Frame& f = stack_.back();
            switch (f.kind) {
                case Frame::Undo:
                    slots_[f.pc] = f.pos;
                    stack_.pop_back();
                    continue;
                case Frame::Branch:
                    *pc = f.pc;
                    *pos = f.pos;
                    stack_.pop_back();
                    return true;
                case Frame::Greedy: {
                    const uint32_t memo = p_.code[f.pc].b;
                    if (f.pos == f.aux) {
                        // Every end from the minimum to the longest has failed.
                        if (memo != 0)
                            memos_[memo - 1].Record(f.aux, f.top);
                        stack_.pop_back();
                        continue;
                    }
                    // Give back one character; when the next instruction is a
                    // literal, give back until it can match there.
                    const Inst& next = p_.code[f.pc + 2];
                    size_t at = f.pos;
                    for (;;) {
                        at = PreviousCharStart(s_, at);
                        if (at == f.aux || next.op != Op::Char || Atom(next, at) != 0)
                            break;
                    }
                    if (!Spend(f.pos - at))
                        return false;
                    *pc = f.pc + 2;
                    *pos = at;
                    f.pos = at;
                    return true;
                }
                case Frame::Lazy: {
                    const Inst& rep = p_.code[f.pc];
                    const size_t length = Atom(p_.code[f.pc + 1], f.pos);
                    if (length == 0) {
                        if (rep.b != 0)
                            memos_[rep.b - 1].Record(f.top, f.pos);
                        stack_.pop_back();
                        continue;
                    }
                    f.pos += length;
                    ++f.aux;
                    *pc = f.pc + 2;
                    *pos = f.pos;
                    if (f.aux >= rep.max)
                        stack_.pop_back();
                    return true;
                }
            }
        }
        return false;
    }

    const Program& p_;
    std::string_view s_;
    std::vector<size_t> slots_;
    std::vector<Frame> stack_;
    std::vector<FailMemo> memos_;
    uint64_t left_;
    bool exhausted_ = false;
};

}  // namespace

bool Search(const Program& program, std::string_view subject, size_t from,
            std::vector<size_t>* slots, StepBudget* budget) {
    if (budget->exhausted)
        return false;
    Matcher matcher(program, subject, budget->left);
    // Hands the steps not taken back to the budget on every way out.
    struct Settle {
        const Matcher& matcher;
        StepBudget* budget;
        ~Settle() {
            budget->left = matcher.StepsLeft();
            budget->exhausted = budget->exhausted || matcher.Exhausted();
        }
    } settle{matcher, budget};
    const auto* bytes = reinterpret_cast<const unsigned char*>(subject.data());
    const size_t n = subject.size();
    size_t start = from;
    while (start <= n) {
        if (!program.anyStart) {
            while (start < n && !program.firstByte[bytes[start]]) {
                if (bytes[start] < 0x80) {
                    ++start;
                } else {
                    size_t length = 0;
                    DecodeAt(subject, start, &length);
                    start += length;
                }
            }
            if (start >= n)
                return false;  // every match consumes a character
        }
        if (matcher.MatchAt(start, slots))
            return true;
        if (matcher.Exhausted() || start == n)
            break;
        size_t length = 1;
        if (bytes[start] >= 0x80)
            DecodeAt(subject, start, &length);
        start += length;
    }
    return false;
}

}  // namespace hs::rx
