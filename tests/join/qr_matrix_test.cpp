#include "join/qr_matrix.h"

#include <gtest/gtest.h>

#include <string>

#include "join/join_text.h"

namespace hs::join {
namespace {

// The 7x7 finder pattern with its top-left module at (left, top): a dark ring, a light
// ring, a dark 3x3 centre.
void ExpectFinder(const QrMatrix& m, int left, int top) {
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 7; ++x) {
            const int ring = std::min(std::min(x, y), std::min(6 - x, 6 - y));
            EXPECT_EQ(m.Dark(left + x, top + y), ring != 1) << "finder at " << left << "," << top;
        }
    }
}

TEST(QrMatrix, JoinTextGivesAValidSymbolShape) {
    const QrMatrix m = EncodeQr(JoinText("MyHotspot", "12345678"));
    ASSERT_FALSE(m.Empty());
    EXPECT_GE(m.size, 21);
    EXPECT_LE(m.size, 177);
    EXPECT_EQ((m.size - 17) % 4, 0);
    ASSERT_EQ(m.modules.size(), static_cast<size_t>(m.size * m.size));
    for (uint8_t module : m.modules) {
        EXPECT_TRUE(module == 0 || module == 1);
    }
    ExpectFinder(m, 0, 0);
    ExpectFinder(m, m.size - 7, 0);
    ExpectFinder(m, 0, m.size - 7);
    // The timing pattern between the finders alternates, dark first.
    for (int i = 8; i < m.size - 8; ++i) {
        EXPECT_EQ(m.Dark(i, 6), i % 2 == 0);
        EXPECT_EQ(m.Dark(6, i), i % 2 == 0);
    }
}

// The 15 format bits around the top-left finder, bit i at the place the standard gives.
int FormatBitsTopLeft(const QrMatrix& m) {
    int bits = 0;
    auto put = [&](int i, int x, int y) { bits |= (m.Dark(x, y) ? 1 : 0) << i; };
    for (int i = 0; i <= 5; ++i)
        put(i, 8, i);
    put(6, 8, 7);
    put(7, 8, 8);
    put(8, 7, 8);
    for (int i = 9; i < 15; ++i)
        put(i, 14 - i, 8);
    return bits;
}

// The same bits, split between the top-right and bottom-left finders.
int FormatBitsSecondCopy(const QrMatrix& m) {
    int bits = 0;
    auto put = [&](int i, int x, int y) { bits |= (m.Dark(x, y) ? 1 : 0) << i; };
    for (int i = 0; i < 8; ++i)
        put(i, m.size - 1 - i, 8);
    for (int i = 8; i < 15; ++i)
        put(i, 8, m.size - 15 + i);
    return bits;
}

TEST(QrMatrix, FormatInformationSaysErrorCorrectionMediumOrBetter) {
    for (const std::string& text :
         {JoinText("MyHotspot", "12345678"), JoinText("我的热点", "密码一二三四五六"),
          JoinText(std::string(32, ';'), std::string(63, '\\'))}) {
        const QrMatrix m = EncodeQr(text);
        ASSERT_FALSE(m.Empty());
        const int bits = FormatBitsTopLeft(m);
        EXPECT_EQ(bits, FormatBitsSecondCopy(m));
        // Unmasked, the 15 bits are a BCH(15,5) code word: 5 data bits, 10 check bits.
        const int word = bits ^ 0x5412;
        const int data = word >> 10;
        int rem = data;
        for (int i = 0; i < 10; ++i) {
            rem = (rem << 1) ^ ((rem >> 9) * 0x537);
        }
        EXPECT_EQ(word, (data << 10) | (rem & 0x3FF)) << "not a valid format word: " << text;
        const int level = data >> 3;  // 01 L, 00 M, 11 Q, 10 H
        EXPECT_NE(level, 1) << "error correction low: " << text;
        EXPECT_TRUE(m.Dark(8, m.size - 8));  // the module that is always dark
    }
}

TEST(QrMatrix, SizeGrowsWithTheTextAndFitsTheLongestJoinText) {
    const QrMatrix small = EncodeQr(JoinText("a", "12345678"));
    const QrMatrix longest =
        EncodeQr(JoinText(std::string(32, ';'), std::string(63, '\\')));  // 208 bytes
    ASSERT_FALSE(small.Empty());
    ASSERT_FALSE(longest.Empty());
    EXPECT_LT(small.size, longest.size);
    // Still a code a phone reads from a screen: version 10 or smaller.
    EXPECT_LE(longest.size, 17 + 4 * 10);
}

TEST(QrMatrix, SameTextSameMatrixDifferentTextDifferentMatrix) {
    const std::string text = JoinText("Hotspot", "secret12");
    EXPECT_EQ(EncodeQr(text).modules, EncodeQr(text).modules);
    EXPECT_NE(EncodeQr(text).modules, EncodeQr(JoinText("Hotspot", "secret13")).modules);
}

TEST(QrMatrix, TextTooLongForAnyCodeGivesNoCode) {
    // Version 40 at error correction medium holds 2331 bytes.
    EXPECT_TRUE(EncodeQr(std::string(4000, 'x')).Empty());
    EXPECT_TRUE(EncodeQr(std::string(4000, 'x')).modules.empty());
    EXPECT_FALSE(EncodeQr(std::string(2000, 'x')).Empty());
}

TEST(QrMatrix, ANulByteDoesNotEndTheText) {
    const std::string with_nul("ab\0cd", 5);
    const QrMatrix m = EncodeQr(with_nul);
    ASSERT_FALSE(m.Empty());
    EXPECT_NE(m.modules, EncodeQr("ab").modules);
}

}  // namespace
}  // namespace hs::join
