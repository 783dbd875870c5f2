// RegexObject: runs a pattern once over its subject and answers questions about
// the matches.
#include "sys/regex.h"

#include <deque>
#include <memory>
#include <mutex>

#include "sys/regex_engine.h"

namespace hs {

namespace {

void ReplaceAllExact(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The programs of the last patterns compiled: the parsers build the same few
// patterns again for every line and every pass. One cache serves every thread
// (compiled programs are never changed after compiling); it is deliberately never
// destroyed, so no thread or exit handler can meet it half torn down. (A
// thread_local cache was tried first: with the mingw runtime its destructor could
// run against freed thread storage when a detached worker ended.)
std::shared_ptr<const rx::Program> CompileCached(const std::string& pattern, bool ignoreCase,
                                                 bool multiLine) {
    struct Entry {
        std::string pattern;
        bool ignoreCase;
        bool multiLine;
        std::shared_ptr<const rx::Program> program;
    };
    struct Cache {
        std::mutex mutex;
        std::deque<Entry> entries;
    };
    constexpr size_t kEntries = 16;
    static Cache* cache = new Cache;
    {
        std::lock_guard<std::mutex> lock(cache->mutex);
        auto& entries = cache->entries;
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->pattern == pattern && it->ignoreCase == ignoreCase &&
                it->multiLine == multiLine) {
                if (it != entries.begin()) {
                    Entry hit = std::move(*it);
                    entries.erase(it);
                    entries.push_front(std::move(hit));
                }
                return entries.front().program;
            }
        }
    }
    auto program = std::make_shared<rx::Program>();
    if (!rx::Compile(pattern, ignoreCase, multiLine, program.get(), nullptr))
        return nullptr;
    std::shared_ptr<const rx::Program> compiled = std::move(program);
    std::lock_guard<std::mutex> lock(cache->mutex);
    cache->entries.push_front({pattern, ignoreCase, multiLine, compiled});
    if (cache->entries.size() > kEntries)
        cache->entries.pop_back();
    return compiled;
}

}  // namespace

bool RegexObject::Create(const std::string& pattern, const std::string& subject, bool caseSensitive,
                         bool multiLine, bool global, bool quotePlaceholder) {
    pattern_ = pattern;
    if (quotePlaceholder)
        ReplaceAllExact(pattern_, "#引号", "\"");
    subject_ = subject;
    slots_.clear();
    valid_ = false;

    const std::shared_ptr<const rx::Program> compiled =
        CompileCached(pattern_, !caseSensitive, multiLine);
    if (!compiled)
        return false;
    const rx::Program& program = *compiled;
    stride_ = 2 * (static_cast<size_t>(program.groupCount) + 1);

    // One budget for the whole run over the subject. A run that exhausts it holds no
    // match at all rather than the matches found before it gave up.
    rx::StepBudget budget{rx::StepBudgetFor(subject_.size())};
    std::vector<size_t> slots;
    size_t from = 0;
    while (from <= subject_.size() && rx::Search(program, subject_, from, &slots, &budget)) {
        slots_.insert(slots_.end(), slots.begin(), slots.end());
        if (!global)
            break;
        const size_t start = slots[0];
        const size_t end = slots[1];
        if (end > start) {
            from = end;
        } else if (start < subject_.size()) {
            // An empty match: go on one character further.
            size_t length = 0;
            rx::DecodeAt(subject_, start, &length);
            from = start + length;
        } else {
            break;
        }
    }
    if (budget.exhausted)
        slots_.clear();
    valid_ = true;
    return true;
}

int RegexObject::MatchCount() const {
    return valid_ ? static_cast<int>(slots_.size() / stride_) : 0;
}

int RegexObject::SubMatchCount() const {
    return MatchCount() > 0 ? static_cast<int>(stride_ / 2 - 1) : 0;
}

std::string RegexObject::MatchText(int n, size_t* position) const {
    return SubMatchText(n, 0, position);
}

std::string RegexObject::SubMatchText(int n, int g, size_t* position) const {
    if (position)
        *position = std::string::npos;
    if (n < 1 || n > MatchCount() || g < 0 || static_cast<size_t>(g) >= stride_ / 2)
        return {};
    const size_t start = Slot(n, 2 * static_cast<size_t>(g));
    const size_t end = Slot(n, 2 * static_cast<size_t>(g) + 1);
    if (start == rx::kNoPos || end == rx::kNoPos || end < start)
        return {};
    if (position)
        *position = start;
    return subject_.substr(start, end - start);
}

std::string RegexObject::Replace(const std::string& replacement) const {
    const int count = MatchCount();
    if (count == 0)
        return subject_;
    const int groups = static_cast<int>(stride_ / 2 - 1);
    std::string out;
    out.reserve(subject_.size());
    size_t copied = 0;
    for (int n = 1; n <= count; ++n) {
        const size_t start = Slot(n, 0);
        const size_t end = Slot(n, 1);
        out.append(subject_, copied, start - copied);
        for (size_t i = 0; i < replacement.size(); ++i) {
            const char c = replacement[i];
            const char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
            if (c != '$' || next == '\0') {
                out += c;
                continue;
            }
            if (next == '$') {
                out += '$';
                ++i;
            } else if (next == '&') {
                out.append(subject_, start, end - start);
                ++i;
            } else if (next == '`') {
                out.append(subject_, 0, start);
                ++i;
            } else if (next == '\'') {
                out.append(subject_, end, std::string::npos);
                ++i;
            } else if (next >= '0' && next <= '9') {
                // Two digits when they name a group, else one digit when it does.
                int group = next - '0';
                size_t used = 1;
                const char third = i + 2 < replacement.size() ? replacement[i + 2] : '\0';
                if (third >= '0' && third <= '9' && group * 10 + (third - '0') >= 1 &&
                    group * 10 + (third - '0') <= groups) {
                    group = group * 10 + (third - '0');
                    used = 2;
                }
                if (group >= 1 && group <= groups) {
                    out += SubMatchText(n, group);
                    i += used;
                } else {
                    out += c;
                }
            } else {
                out += c;
            }
        }
        copied = end;
    }
    out.append(subject_, copied, std::string::npos);
    return out;
}

}  // namespace hs
