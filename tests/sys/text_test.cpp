#include "sys/text.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

TEST(TextBetween, FindsTheTextBetweenMarkers) {
    const std::string arp =
        "接口: 192.168.137.1 --- 0x1a\r\n  192.168.137.23  a4-5e\r\n  192.168.137.255";
    EXPECT_EQ(TextBetween(arp, "接口: 192.168.137", "192.168.137.255"),
              ".1 --- 0x1a\r\n  192.168.137.23  a4-5e\r\n  ");
    EXPECT_EQ(TextBetween("接口 14: 本地连接* 12", "接口 ", ":"), "14");
    // The right marker must follow the left one.
    EXPECT_EQ(TextBetween("b a", "a", "b"), "");
    EXPECT_EQ(TextBetween("abc", "x", "c"), "");
    EXPECT_EQ(TextBetween("abc", "", "c"), "");
    EXPECT_EQ(TextBetween("abc", "a", ""), "");
}

TEST(TextBetween, QuotesStartAndCase) {
    EXPECT_EQ(TextBetween("接口 \"WLAN 2\" 的配置", "接口 #引号", "#引号"), "WLAN 2");
    EXPECT_EQ(TextBetween("[a] [b]", "[", "]", 3), "b");
    EXPECT_EQ(TextBetween("[a] [b]", "[", "]", 99), "");
    EXPECT_EQ(TextBetween("xSTARTyENDz", "start", "end"), "y");
    EXPECT_EQ(TextBetween("xSTARTyENDz", "start", "end", 1, true), "");
}

TEST(ReplaceMany, ColonAddressToDashForm) {
    EXPECT_EQ(ReplaceMany("a4:5e:60:c1:22:33", {{":", "-"}}), "a4-5e-60-c1-22-33");
    EXPECT_EQ(ReplaceMany("a:b:c:d", 2, 1, false, {{":", "-"}}), "a-b-c:d");
    EXPECT_EQ(ReplaceMany("a:b:c:d", kReplaceAll, 3, false, {{":", "-"}}), "a:b-c-d");
}

TEST(ReplaceMany, PairsApplyInTurnWithCount) {
    EXPECT_EQ(ReplaceMany("my wifi name x", 3, 1, false, {{" ", ""}}), "mywifinamex");
    EXPECT_EQ(ReplaceMany("a b c d e", 3, 1, false, {{" "}}), "abcd e");
    EXPECT_EQ(ReplaceMany("abc", {{"a", "b"}, {"b", "c"}, {"", "zz"}}), "ccc");
    EXPECT_EQ(ReplaceMany("Ab aB", {{"ab", "x"}}), "x x");
    EXPECT_EQ(ReplaceMany("Ab aB", kReplaceAll, 1, true, {{"ab", "x"}}), "Ab aB");
    // A replacement holding the find text is not replaced again.
    EXPECT_EQ(ReplaceMany("aa", {{"a", "aa"}}), "aaaa");
}

TEST(Lines, FindAndGet) {
    const std::string names = "A4-5E-60-C1-22-33+手机\r\n3c-15-c2-9a-8b-01+平板\r\n";
    EXPECT_EQ(FindLine(names, "3C-15"), 2);
    EXPECT_EQ(FindLine(names, "3C-15", true), 0);
    EXPECT_EQ(FindLine(names, "nothing"), 0);
    EXPECT_EQ(FindLine(names, ""), 0);
    EXPECT_EQ(GetLine(names, 1), "A4-5E-60-C1-22-33+手机");
    EXPECT_EQ(GetLine(names, 3), "");
    EXPECT_EQ(GetLine(names, 0), "");
    EXPECT_EQ(GetLine(names, 4), "");
    EXPECT_EQ(GetLine("a\nb", 2), "");
}

TEST(Lines, SetAndPrefix) {
    EXPECT_EQ(SetLine("a\r\nb\r\nc", 2, "x"), "a\r\nx\r\nc");
    EXPECT_EQ(SetLine("a\r\nb", 3, "x"), "a\r\nb");
    EXPECT_EQ(PrefixLine("a\r\nb", 1, "> "), "> a\r\nb");
    EXPECT_EQ(PrefixLine("a\r\nb", 0, "> "), "a\r\nb");
}

TEST(Lines, DeleteLine) {
    EXPECT_EQ(DeleteLine("a\r\nb\r\nc", 2), "a\r\nc");
    EXPECT_EQ(DeleteLine("a\r\nb\r\nc", 3), "a\r\nb");
    EXPECT_EQ(DeleteLine("only", 1), "");
    EXPECT_EQ(DeleteLine("only", 0), "only");
    EXPECT_EQ(DeleteLine("a\r\nb\r\nc", 4), "a\r\nb\r\nc");
    EXPECT_EQ(DeleteLine("\r\na\r\nb", 1), "a\r\nb");
}

TEST(RemoveBlankLines, DropsEmptyAndBlankLines) {
    EXPECT_EQ(RemoveBlankLines("\r\nfirst\r\n\r\nsecond\r\n"), "first\r\nsecond");
    EXPECT_EQ(RemoveBlankLines("a\r\n   \r\n\r\n\t\r\nb"), "a\r\nb");
    EXPECT_EQ(RemoveBlankLines("a\r\nb", true), "a\r\nb");
    // Only one line break is taken from each end.
    EXPECT_EQ(RemoveBlankLines("\r\n\r\na\r\n\r\n"), "\r\na\r\n");
}

TEST(CountOccurrences, NeedleIsLiteral) {
    EXPECT_EQ(CountOccurrences("a.b axb a.b", "a.b"), 2);
    EXPECT_EQ(CountOccurrences("本地连接本地连接 2", "本地"), 2);
    EXPECT_EQ(CountOccurrences("f(x) [y] {z} a|b c+d e*f g?h ^$ \\", "(x)"), 1);
    for (const char* needle : {"[y]", "{z}", "a|b", "c+d", "e*f", "g?h", "^$", "\\", "}"}) {
        EXPECT_EQ(CountOccurrences("f(x) [y] {z} a|b c+d e*f g?h ^$ \\", needle), 1) << needle;
    }
    EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
    EXPECT_EQ(CountOccurrences("WLAN wlan", "wlan"), 2);
    EXPECT_EQ(CountOccurrences("WLAN wlan", "wlan", true), 1);
    EXPECT_EQ(CountOccurrences("abc", ""), 0);
}

}  // namespace
}  // namespace hs
