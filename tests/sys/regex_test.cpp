#include "sys/regex.h"

#include <gtest/gtest.h>

#include "sys/regex_engine.h"
#include "tests/fixture.h"
#include "tests/large_listings.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace hs {
namespace {

using hs::testing::Fixture;
using hs::testing::LargeArpListing;
using hs::testing::LargeHostedStatus;

std::vector<std::string> AllMatches(const std::string& pattern, const std::string& subject,
                                    bool caseSensitive = false) {
    RegexObject re;
    EXPECT_TRUE(re.Create(pattern, subject, caseSensitive)) << pattern;
    std::vector<std::string> out;
    for (int i = 1; i <= re.MatchCount(); ++i)
        out.push_back(re.MatchText(i));
    return out;
}

using Texts = std::vector<std::string>;

// ---- The patterns the console parsers use, over real listings ----

TEST(RegexConsole, OneIpMatchPerAddressInAnArpListing) {
    const std::string arp = Fixture("arp-hotspot-3-clients.txt");
    ASSERT_FALSE(arp.empty());
    const Texts ips = AllMatches("\\d+\\.\\d+\\.\\d+\\.\\d+", arp);
    // Two interface headers and fourteen entries.
    ASSERT_EQ(ips.size(), 16u);
    EXPECT_EQ(ips[0], "192.168.1.105");
    EXPECT_EQ(ips[7], "192.168.137.1");
    EXPECT_EQ(ips[8], "192.168.137.23");
    EXPECT_EQ(ips[15], "255.255.255.255");
}

TEST(RegexConsole, HardwareAddressesInEitherCase) {
    const std::string arp = Fixture("arp-hotspot-blocked-and-left.txt");
    const Texts macs = AllMatches("([0-9A-F]{2})(-[0-9A-F]{2}){5}", arp);
    ASSERT_EQ(macs.size(), 11u);
    EXPECT_EQ(macs[4], "A4-5E-60-C1-22-33");
    EXPECT_EQ(macs[5], "00-00-00-00-00-00");
    EXPECT_EQ(macs[6], "5c-51-88-0d-e4-a2");
    // Asked to respect case, the lower-case ones no longer match.
    EXPECT_EQ(AllMatches("([0-9A-F]{2})(-[0-9A-F]{2}){5}", arp, true),
              (Texts{"A4-5E-60-C1-22-33", "00-00-00-00-00-00"}));
}

TEST(RegexConsole, ColonAddressesOfTheHostedNetworkStatus) {
    const Texts macs = AllMatches("([0-9A-F]{2})(:[0-9A-F]{2}){5}",
                                  Fixture("hostednetwork-started-3-clients.txt"));
    EXPECT_EQ(macs, (Texts{"8e:70:5a:1c:2b:3d", "a4:5e:60:c1:22:33", "3c:15:c2:9a:8b:01",
                           "f0:db:e2:44:10:7e"}));
}

TEST(RegexConsole, BroadcastMarkerStaysOnOneLine) {
    const std::string arp = Fixture("arp-hotspot-3-clients.txt");
    const Texts found = AllMatches("192\\.168\\.137.*ff-ff-ff-ff-ff-ff", arp);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "192.168.137.255       ff-ff-ff-ff-ff-ff");
    // The header line holds the segment but no broadcast address: no match may
    // start there and run on into a later line.
    EXPECT_TRUE(AllMatches("192\\.168\\.137.*ff-ff-ff-ff-ff-ff",
                           "192.168.137.1 --- 0x1a\r\n  224.0.0.22  ff-ff-ff-ff-ff-ff\r\n")
                    .empty());
    EXPECT_TRUE(AllMatches("192\\.168\\.137.*ff", "192.168.137.1\nff").empty());
}

TEST(RegexConsole, NameLineAndTheDhcpLineAfterIt) {
    const std::string addresses = Fixture("addresses-win7-hosted-dhcp.txt");
    RegexObject re;
    ASSERT_TRUE(re.Create("无线网络连接 2.*\\n.*DHCP.*", addresses));
    ASSERT_EQ(re.MatchCount(), 1);
    // "." takes the carriage return, "\n" the line feed, the second ".*" the
    // whole next line up to its own carriage return.
    EXPECT_EQ(re.MatchText(1),
              "无线网络连接 2\" 的配置\r\n    DHCP 已启用:                          是\r");

    const std::string win8 = Fixture("addresses-win8-hosted-static.txt");
    ASSERT_TRUE(re.Create("本地连接\\* 12.*\\n.*DHCP.*", win8));
    ASSERT_EQ(re.MatchCount(), 1);
    EXPECT_NE(re.MatchText(1).find("否"), std::string::npos);
    // Unescaped, "*" repeats the "接" before it and the name is not found.
    ASSERT_TRUE(re.Create("本地连接* 12.*\\n.*DHCP.*", win8));
    EXPECT_EQ(re.MatchCount(), 0);
}

TEST(RegexConsole, InterfaceHeaderOfTheOffloadListing) {
    RegexObject re;
    ASSERT_TRUE(re.Create("接口 .*: 本地连接\\* 12", Fixture("offload-win8-asterisk.txt")));
    ASSERT_EQ(re.MatchCount(), 1);
    EXPECT_EQ(re.MatchText(1), "接口 14: 本地连接* 12");
}

TEST(RegexConsole, BlockedEntriesAndTheirAddresses) {
    const Texts blocked =
        AllMatches("192\\.168.*00-00-00-00-00-00", Fixture("arp-hotspot-blocked-and-left.txt"));
    ASSERT_EQ(blocked.size(), 1u);
    EXPECT_EQ(AllMatches("\\d+\\.\\d+\\.\\d+\\.\\d+", blocked[0]), (Texts{"192.168.137.61"}));
}

// ---- The object ----

TEST(RegexObjectApi, InvalidPatternGivesNoMatches) {
    RegexObject re;
    ASSERT_TRUE(re.Create("a", "aaa"));
    EXPECT_EQ(re.MatchCount(), 3);
    for (const char* bad : {"(a", "a)", "[a", "*a", "a**", "x{2,1}", "[z-a]", "a\\", "(?<a)"}) {
        EXPECT_FALSE(re.Create(bad, "aaa")) << bad;
        EXPECT_EQ(re.MatchCount(), 0) << bad;
        EXPECT_EQ(re.MatchText(1), "") << bad;
        EXPECT_EQ(re.SubMatchCount(), 0) << bad;
        EXPECT_EQ(re.Replace("b"), "aaa") << bad;
    }
    RegexObject never;
    EXPECT_EQ(never.MatchCount(), 0);
    EXPECT_EQ(never.GetPattern(), "");
    EXPECT_EQ(never.MatchText(1), "");
}

TEST(RegexObjectApi, NumbersAndPositions) {
    RegexObject re;
    ASSERT_TRUE(re.Create("(\\d+)-(\\w+)?", "名称 12-ab 345- x"));
    ASSERT_EQ(re.MatchCount(), 2);
    EXPECT_EQ(re.SubMatchCount(), 2);
    size_t pos = 0;
    EXPECT_EQ(re.MatchText(1, &pos), "12-ab");
    EXPECT_EQ(pos, 7u);  // two three-byte characters and a space
    EXPECT_EQ(re.SubMatchText(1, 2, &pos), "ab");
    EXPECT_EQ(pos, 10u);
    EXPECT_EQ(re.SubMatchText(2, 1), "345");
    EXPECT_EQ(re.SubMatchText(2, 2, &pos), "");
    EXPECT_EQ(pos, std::string::npos);
    EXPECT_EQ(re.MatchText(0), "");
    EXPECT_EQ(re.MatchText(3, &pos), "");
    EXPECT_EQ(pos, std::string::npos);
    EXPECT_EQ(re.SubMatchText(1, 3), "");
}

TEST(RegexObjectApi, OptionsAndQuotePlaceholder) {
    RegexObject re;
    ASSERT_TRUE(re.Create("#引号(\\w+)#引号", "接口 \"WLAN\" 的配置", false, true, true, true));
    EXPECT_EQ(re.GetPattern(), "\"(\\w+)\"");
    EXPECT_EQ(re.SubMatchText(1, 1), "WLAN");
    ASSERT_TRUE(re.Create("#引号", "#引号", false, true, true, false));
    EXPECT_EQ(re.MatchCount(), 1);

    ASSERT_TRUE(re.Create("ab", "AB ab Ab", false, true, false));
    EXPECT_EQ(re.MatchCount(), 1);
    EXPECT_EQ(re.Replace("x"), "x ab Ab");
    ASSERT_TRUE(re.Create("^b", "a\r\nb\nb", false, false));
    EXPECT_EQ(re.MatchCount(), 0);
    ASSERT_TRUE(re.Create("a$", "a\r\na\na", false, false));
    EXPECT_EQ(re.MatchCount(), 1);
}

TEST(RegexObjectApi, ReplaceTemplates) {
    RegexObject re;
    ASSERT_TRUE(re.Create("(\\w)(\\d)", "a1-b2"));
    EXPECT_EQ(re.Replace("[$2$1]"), "[1a]-[2b]");
    EXPECT_EQ(re.Replace("$&$&"), "a1a1-b2b2");
    EXPECT_EQ(re.Replace("<$`>"), "<>-<a1->");
    EXPECT_EQ(re.Replace("<$'>"), "<-b2>-<>");
    EXPECT_EQ(re.Replace("$$1 $3 $0 $"), "$1 $3 $0 $-$1 $3 $0 $");
    // "$10" with two groups is group 1 followed by "0".
    EXPECT_EQ(re.Replace("$10"), "a0-b0");
    ASSERT_TRUE(re.Create("z", "abc"));
    EXPECT_EQ(re.Replace("x"), "abc");
}

// ---- The engine's own hard cases ----

TEST(RegexEngine, DotAndLineBreaks) {
    EXPECT_EQ(AllMatches("a.b", "a\rb a\nb a\tb"), (Texts{"a\rb", "a\tb"}));
    EXPECT_EQ(AllMatches(".+", "ab\r\ncd"), (Texts{"ab\r", "cd"}));
    EXPECT_EQ(AllMatches("^\\w+$", "ab\r\ncd\ref\ngh"), (Texts{"ab", "cd", "ef", "gh"}));
    // Between CR and LF both anchors match.
    EXPECT_EQ(AllMatches("$^", "a\r\nb").size(), 1u);
}

TEST(RegexEngine, EmptyMatchesAdvanceOneCharacter) {
    EXPECT_EQ(AllMatches("a*", "baaac"), (Texts{"", "aaa", "", ""}));
    EXPECT_EQ(AllMatches("", "中文").size(), 3u);
    RegexObject re;
    ASSERT_TRUE(re.Create("x*", "中a"));
    EXPECT_EQ(re.Replace("-"), "-中-a-");
}

TEST(RegexEngine, ChineseCharactersAreSingleCharacters) {
    EXPECT_EQ(AllMatches("本.连", "本地连接 本地"), (Texts{"本地连"}));
    EXPECT_EQ(AllMatches("[地接]+", "本地连接"), (Texts{"地", "接"}));
    EXPECT_EQ(AllMatches("[^a]{2}", "中文a"), (Texts{"中文"}));
    EXPECT_EQ(AllMatches("\\u4e2d.", "中文"), (Texts{"中文"}));
    EXPECT_EQ(AllMatches("[\\u4e00-\\u9fa5]+", "ab中文cd"), (Texts{"中文"}));
}

TEST(RegexEngine, CaseFoldingBeyondAscii) {
    EXPECT_EQ(AllMatches("ÄÖ", "äö ÄÖ"), (Texts{"äö", "ÄÖ"}));
    EXPECT_EQ(AllMatches("привет", "ПРИВЕТ"), (Texts{"ПРИВЕТ"}));
    EXPECT_EQ(AllMatches("[а-я]+", "ДОМ"), (Texts{"ДОМ"}));
    EXPECT_EQ(AllMatches("ａｂ", "ＡＢ"), (Texts{"ＡＢ"}));
    EXPECT_EQ(AllMatches("[^a-z]", "aBc1"), (Texts{"1"}));
}

TEST(RegexEngine, GroupsAlternationAndBackReferences) {
    EXPECT_EQ(AllMatches("(a|ab)(c|bcd)(d*)", "abcd"), (Texts{"abcd"}));
    EXPECT_EQ(AllMatches("(\\w)\\1", "aA bb cd"), (Texts{"aA", "bb"}));
    EXPECT_EQ(AllMatches("(\\w)\\1", "aA bb", true), (Texts{"bb"}));
    EXPECT_EQ(AllMatches("(?:ab)+", "ababa ab"), (Texts{"abab", "ab"}));
    EXPECT_EQ(AllMatches("(a*)*b", "aaab"), (Texts{"aaab"}));
    EXPECT_EQ(AllMatches("(a*)+$", "aa"), (Texts{"aa", ""}));
    RegexObject re;
    ASSERT_TRUE(re.Create("(\\d)(\\d)?(x)?", "12 3"));
    EXPECT_EQ(re.SubMatchText(2, 2), "");
    EXPECT_EQ(re.SubMatchText(1, 2), "2");
}

TEST(RegexEngine, LazyQuantifiersAndCounts) {
    EXPECT_EQ(AllMatches("<.+?>", "<a><b>"), (Texts{"<a>", "<b>"}));
    EXPECT_EQ(AllMatches("<.+>", "<a><b>"), (Texts{"<a><b>"}));
    EXPECT_EQ(AllMatches("a{2,3}?", "aaaaa"), (Texts{"aa", "aa"}));
    EXPECT_EQ(AllMatches("a{2,}", "a aa aaaa"), (Texts{"aa", "aaaa"}));
    EXPECT_EQ(AllMatches("(?:ab){2}", "abababab"), (Texts{"abab", "abab"}));
    EXPECT_EQ(AllMatches("(ab){1,2}?c", "ababc"), (Texts{"ababc"}));
    EXPECT_EQ(AllMatches("x{,2}", "x{,2}"), (Texts{"x{,2}"}));
    EXPECT_EQ(AllMatches("a{", "a{"), (Texts{"a{"}));
    EXPECT_EQ(AllMatches("}]", "}]"), (Texts{"}]"}));
}

TEST(RegexEngine, LookaheadAndWordBoundaries) {
    EXPECT_EQ(AllMatches("\\w+(?=:)", "ab: cd ef:"), (Texts{"ab", "ef"}));
    EXPECT_EQ(AllMatches("\\b\\w+\\b(?!:)", "ab: cd ef:"), (Texts{"cd"}));
    EXPECT_EQ(AllMatches("\\Bb\\B", "abc b"), (Texts{"b"}));
    EXPECT_EQ(AllMatches("(?=(a+))a*b\\1", "baaabac"), (Texts{"aba"}));
    // Chinese characters are not word characters: only the "a" makes a boundary.
    EXPECT_EQ(AllMatches("\\b中", "中 a中").size(), 1u);
}

TEST(RegexEngine, ClassesAndEscapes) {
    EXPECT_EQ(AllMatches("[\\d.]+", "ip 1.2.3 x"), (Texts{"1.2.3"}));
    EXPECT_EQ(AllMatches("[\\w-]+", "a-b c_d"), (Texts{"a-b", "c_d"}));
    EXPECT_EQ(AllMatches("[a-]+", "-a-b"), (Texts{"-a-"}));
    EXPECT_EQ(AllMatches("\\s+", "a \t\r\n\v\fb"), (Texts{" \t\r\n\v\f"}));
    EXPECT_EQ(AllMatches("\\S+", "ab 中"), (Texts{"ab", "中"}));
    EXPECT_EQ(AllMatches("\\x41\\u0042\\t", "ab\t"), (Texts{"ab\t"}));
    EXPECT_EQ(AllMatches("\\101\\cJ", "A\n"), (Texts{"A\n"}));
    EXPECT_EQ(AllMatches("[\\b]", "a\bb"), (Texts{"\b"}));
    EXPECT_EQ(AllMatches("\\.\\*\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$\\\\", ".*?()[]{}|^$\\").size(), 1u);
    EXPECT_EQ(AllMatches("[]", "a").size(), 0u);
    EXPECT_EQ(AllMatches("[^]", "a\n"), (Texts{"a", "\n"}));
}

TEST(RegexEngine, InvalidUtf8BytesAreSingleCharacters) {
    const std::string subject = std::string("a\xff") + "b\xe4\xb8" + "c";
    EXPECT_EQ(AllMatches("a.b", subject).size(), 1u);
    EXPECT_EQ(AllMatches("b..c", subject).size(), 1u);
    EXPECT_EQ(AllMatches("[^a-z]", subject).size(), 3u);
}

TEST(RegexEngine, LongSubjectsNeitherOverflowNorCrawl) {
    // Ten megabytes in one line, and ten megabytes of short lines.
    const std::string line(10 * 1000 * 1000, 'x');
    EXPECT_EQ(AllMatches("x.*y", line).size(), 0u);
    EXPECT_EQ(AllMatches("x.*?y", line).size(), 0u);
    EXPECT_EQ(AllMatches("x\\s*y|.*z", line).size(), 0u);
    EXPECT_EQ(AllMatches(".*", line).size(), 2u);
    EXPECT_EQ(AllMatches("(?:x|y)+", line).size(), 1u);
    // A loop of groups keeps its choices on the heap, never on the call stack.
    EXPECT_EQ(AllMatches("(?:xx|y)+", line.substr(0, 1000 * 1000)).size(), 1u);
    std::string lines;
    while (lines.size() < 10 * 1000 * 1000)
        lines += "abc 12\r\n\r\n";
    RegexObject re;
    ASSERT_TRUE(re.Create("\\n\\s*\\r", lines));
    EXPECT_EQ(re.MatchCount(), static_cast<int>(lines.size() / 10));
    EXPECT_EQ(re.Replace("").size(), lines.size() - 2 * (lines.size() / 10));
}

// ---- The step budget ----

TEST(RegexBudget, NestedQuantifiersGiveUpWithNoMatch) {
    for (const int n : {25, 40}) {
        SCOPED_TRACE(n);
        RegexObject re;
        ASSERT_TRUE(re.Create("(a+)+b", std::string(n, 'a')));
        EXPECT_EQ(re.MatchCount(), 0);
    }
    // A run that gives up holds no match at all, not even one on a later line.
    const std::string subject = std::string(40, 'a') + "\r\nab";
    RegexObject re;
    ASSERT_TRUE(re.Create("(a+)+b", subject));
    EXPECT_EQ(re.MatchCount(), 0);
    EXPECT_EQ(re.MatchText(1), "");
    EXPECT_EQ(re.Replace("x"), subject);
    // A lookahead that runs out is not taken as failed: the negative one does not
    // turn into a match.
    ASSERT_TRUE(re.Create("(?!(a+)+b)a", std::string(40, 'a')));
    EXPECT_EQ(re.MatchCount(), 0);
    // Where the pattern finds its match early it still does.
    EXPECT_EQ(AllMatches("(a+)+b", std::string(40, 'a') + "b"),
              (Texts{std::string(40, 'a') + "b"}));
    EXPECT_EQ(AllMatches("(a+)+b", "aab ab"), (Texts{"aab", "ab"}));
}

TEST(RegexBudget, AnExhaustedBudgetEndsEverySearch) {
    rx::Program program;
    ASSERT_TRUE(rx::Compile("(a+)+b", true, true, &program, nullptr));
    std::vector<size_t> slots;
    rx::StepBudget small{1000};
    EXPECT_FALSE(rx::Search(program, std::string(30, 'a'), 0, &slots, &small));
    EXPECT_TRUE(small.exhausted);
    EXPECT_EQ(small.left, 0u);
    // Once exhausted, even an easy subject finds nothing with it.
    EXPECT_FALSE(rx::Search(program, "ab", 0, &slots, &small));
    rx::StepBudget fresh{1000};
    ASSERT_TRUE(rx::Search(program, "xab", 0, &slots, &fresh));
    EXPECT_FALSE(fresh.exhausted);
    EXPECT_GT(fresh.left, 0u);
    EXPECT_LT(fresh.left, 1000u);
    EXPECT_EQ(slots[0], 1u);
    EXPECT_EQ(slots[1], 3u);
}

// Steps a whole global run of `pattern` over `subject` takes, as RegexObject runs it.
uint64_t StepsOfRun(const std::string& pattern, const std::string& subject) {
    rx::Program program;
    EXPECT_TRUE(rx::Compile(pattern, true, true, &program, nullptr)) << pattern;
    const uint64_t budget = rx::StepBudgetFor(subject.size());
    rx::StepBudget left{budget};
    std::vector<size_t> slots;
    size_t from = 0;
    while (from < subject.size() && rx::Search(program, subject, from, &slots, &left))
        from = slots[1] > slots[0] ? slots[1] : slots[0] + 1;
    EXPECT_FALSE(left.exhausted) << pattern;
    return budget - left.left;
}

TEST(RegexBudget, ParserPatternsOverRealListingsStayFarBelowIt) {
    std::vector<std::pair<std::string, std::string>> subjects;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(HS_FIXTURES_DIR) + "/zh-CN")) {
        const std::string name = entry.path().filename().string();
        subjects.emplace_back(name, Fixture(name));
    }
    ASSERT_GT(subjects.size(), 10u);
    const std::string arp = LargeArpListing(4000);
    const std::string status = LargeHostedStatus(4000);
    subjects.emplace_back("4,000 ARP entries", arp);
    subjects.emplace_back("4,000 stations", status);
    const char* const patterns[] = {"\\d+\\.\\d+\\.\\d+\\.\\d+",
                                    "([0-9A-F]{2})(-[0-9A-F]{2}){5}",
                                    "([0-9A-F]{2})(:[0-9A-F]{2}){5}",
                                    "192\\.168\\.137.*ff-ff-ff-ff-ff-ff",
                                    "192\\.168.*00-00-00-00-00-00",
                                    "无线网络连接 2.*\\n.*DHCP.*",
                                    "本地连接\\* 12.*\\n.*DHCP.*",
                                    "接口 .*: 无线网络连接 2",
                                    "接口 .*: 本地连接\\* 12",
                                    "\\n\\s*\\r",
                                    "本地",
                                    "以太网"};
    for (const auto& [name, subject] : subjects) {
        for (const char* pattern : patterns) {
            SCOPED_TRACE(name + " / " + pattern);
            // At least ten times the steps are left over.
            EXPECT_LE(StepsOfRun(pattern, subject) * 10, rx::StepBudgetFor(subject.size()));
        }
    }
    // And the object finds every entry of the large listings.
    EXPECT_EQ(AllMatches("\\d+\\.\\d+\\.\\d+\\.\\d+", arp).size(), 4007u);
    EXPECT_EQ(AllMatches("([0-9A-F]{2})(-[0-9A-F]{2}){5}", arp).size(), 4005u);
    EXPECT_EQ(AllMatches("([0-9A-F]{2})(:[0-9A-F]{2}){5}", status).size(), 4001u);
}

}  // namespace
}  // namespace hs
