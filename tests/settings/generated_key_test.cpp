// The first start's key: ten digits from the generator, none more likely than another,
// and nothing when the generator fails.
#include "settings/generated_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hs::settings {
namespace {

// Answers the bytes it was given, in order, then fails.
class GivenBytes : public RandomSource {
  public:
    explicit GivenBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    bool Fill(uint8_t* out, size_t count) override {
        if (next_ + count > bytes_.size())
            return false;
        for (size_t i = 0; i < count; ++i)
            out[i] = bytes_[next_++];
        return true;
    }

  private:
    std::vector<uint8_t> bytes_;
    size_t next_ = 0;
};

TEST(GeneratedKey, BytesThatWouldFavourLowDigitsAreDrawnAgain) {
    // 250 to 255 would make 0 to 5 likelier than 6 to 9: they are skipped. The rest
    // give their last decimal digit.
    std::vector<uint8_t> bytes = {255, 9, 250, 19, 249, 100, 251, 3, 77, 128, 64, 32, 16, 0};
    bytes.resize(64, 1);
    GivenBytes random(bytes);
    EXPECT_EQ(RandomDigits(random, 10), "9990378426");

    // Every byte a generator can give, once: each digit comes up equally often.
    std::vector<uint8_t> all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<uint8_t>(b));
    all.resize(256 + 32 - 256 % 32, 0);
    GivenBytes everyByte(all);
    const std::optional<std::string> digits = RandomDigits(everyByte, 250);
    ASSERT_TRUE(digits.has_value());
    for (char d = '0'; d <= '9'; ++d)
        EXPECT_EQ(std::count(digits->begin(), digits->end(), d), 25) << d;

    // A generator that fails, at once or after some bytes, gives no key.
    GivenBytes none({});
    EXPECT_EQ(RandomDigits(none, 10), std::nullopt);
    GivenBytes tooFew(std::vector<uint8_t>(32, 255));
    EXPECT_EQ(RandomDigits(tooFew, 10), std::nullopt);
}

}  // namespace
}  // namespace hs::settings
