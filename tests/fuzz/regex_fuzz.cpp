// Fuzz target for the regular-expression engine: the input is a pattern and a
// subject, split at the first NUL byte (without one, the input is matched against
// itself). Every match must lie inside the subject in ascending order, replacing
// each match by itself must give the subject back, and no input may crash, hang
// or run past the engine's step budget for long.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sys/regex.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

// Inputs are cut to these sizes so that each one, even a pattern that runs into
// the step budget, costs at most a few milliseconds.
constexpr size_t kMaxPattern = 96;
constexpr size_t kMaxSubject = 384;

void Require(bool condition, const char* what, const std::string& pattern,
             const std::string& subject) {
    if (condition)
        return;
    std::fprintf(stderr, "regex_fuzz: %s\npattern (%zu bytes): %s\nsubject (%zu bytes): %s\n", what,
                 pattern.size(), pattern.c_str(), subject.size(), subject.c_str());
    std::abort();
}

void Check(const std::string& pattern, const std::string& subject, bool caseSensitive,
           bool multiLine) {
    hs::RegexObject re;
    const bool valid = re.Create(pattern, subject, caseSensitive, multiLine);
    const int count = re.MatchCount();
    if (!valid) {
        Require(count == 0 && re.SubMatchCount() == 0, "a rejected pattern holds matches", pattern,
                subject);
        Require(re.Replace("x") == subject, "a rejected pattern replaces", pattern, subject);
        return;
    }
    Require(count >= 0 && static_cast<size_t>(count) <= subject.size() + 1,
            "more matches than positions", pattern, subject);
    size_t previousStart = 0;
    size_t previousEnd = 0;
    size_t matchedBytes = 0;
    for (int n = 1; n <= count; ++n) {
        size_t position = std::string::npos;
        const std::string text = re.MatchText(n, &position);
        Require(position != std::string::npos && position <= subject.size() &&
                    text.size() <= subject.size() - position,
                "a match outside the subject", pattern, subject);
        Require(subject.compare(position, text.size(), text) == 0,
                "a match's text is not the subject's", pattern, subject);
        if (n > 1) {
            Require(position >= previousEnd, "matches overlap", pattern, subject);
            Require(position > previousStart, "two matches start at one position", pattern,
                    subject);
        }
        for (int g = 1; g <= re.SubMatchCount(); ++g) {
            size_t groupPosition = 0;
            const std::string group = re.SubMatchText(n, g, &groupPosition);
            if (groupPosition == std::string::npos) {
                Require(group.empty(), "a group without a position has text", pattern, subject);
                continue;
            }
            Require(groupPosition <= subject.size() &&
                        group.size() <= subject.size() - groupPosition &&
                        subject.compare(groupPosition, group.size(), group) == 0,
                    "a group outside the subject", pattern, subject);
        }
        previousStart = position;
        previousEnd = position + text.size();
        matchedBytes += text.size();
    }
    Require(re.MatchText(count + 1).empty(), "a match past the last", pattern, subject);
    Require(re.Replace("$&") == subject, "replacing each match by itself changes the subject",
            pattern, subject);
    Require(re.Replace("").size() == subject.size() - matchedBytes,
            "removing the matches removes something else", pattern, subject);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    std::string pattern = split == std::string::npos ? input : input.substr(0, split);
    std::string subject = split == std::string::npos ? input : input.substr(split + 1);
    pattern.resize(std::min(pattern.size(), kMaxPattern));
    subject.resize(std::min(subject.size(), kMaxSubject));
    // The options from the input's length, so that mutations reach all four.
    Check(pattern, subject, size % 2 == 1, size % 4 < 2);
    return 0;
}

namespace {

std::string Seed(const std::string& pattern, const std::string& subject) {
    return pattern + std::string(1, '\0') + subject;
}

const std::vector<std::string> kSeeds = {
    Seed("\\d+\\.\\d+\\.\\d+\\.\\d+",
         "接口: 192.168.137.1 --- 0x1a\r\n  192.168.137.23        a4-5e-60-c1-22-33     动态\r\n"),
    Seed("([0-9A-F]{2})(-[0-9A-F]{2}){5}",
         "  192.168.137.61  00-00-00-00-00-00  A4-5E-60-C1-22-33"),
    Seed("([0-9A-F]{2})(:[0-9A-F]{2}){5}", "    BSSID   : 8e:70:5a:1c:2b:3d\r\n"),
    Seed("192\\.168\\.137.*ff-ff-ff-ff-ff-ff",
         "192.168.137.1\r\n192.168.137.255  ff-ff-ff-ff-ff-ff"),
    Seed("无线网络连接 2.*\\n.*DHCP.*",
         "接口 \"无线网络连接 2\" 的配置\r\n    DHCP 已启用:   是\r\n"),
    Seed("接口 .*: 本地连接\\* 12", "接口 14: 本地连接* 12\r\n"),
    Seed("\\n\\s*\\r", "\r\na\r\n\r\n \r\nb\r\n"),
    Seed("(a|ab)(c|bcd)(d*)", "abcd abcbcd"),
    Seed("(\\w)\\1|(?:ab)+|(a*)*b", "aA bb ababa aaab"),
    Seed("<.+?>|a{2,3}?|(ab){1,2}?c|x{,2}", "<a><b> aaaaa ababc x{,2}"),
    Seed("\\b\\w+\\b(?!:)|\\w+(?=:)|(?=(a+))a*b\\1", "ab: cd ef: baaabac"),
    Seed("[\\u4e00-\\u9fa5]+|[^a-z]{2}|\\x41\\u0042\\t|[\\d.]+|\\s+|$^",
         "ab中文cd AB\t 1.2.3 \xff\xe4\xb8\r\n"),
    Seed("(a+)+b", std::string(30, 'a')),
    Seed("(?!(a+)+b)a|(x*)*y", std::string(20, 'a') + std::string(20, 'x')),
    Seed("#引号(\\w+)#引号|^b|a$", "接口 \"WLAN\" 的配置\r\nb\na"),
};

}  // namespace

HS_FUZZ_MAIN(kSeeds)
