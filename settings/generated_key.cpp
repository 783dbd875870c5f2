#include "settings/generated_key.h"

#include <cstdint>

#include "settings/keys.h"

namespace hs::settings {

namespace {

// The largest multiple of 10 a byte can hold: bytes below it map onto the digits evenly.
constexpr unsigned kEvenBytes = 250;
// Bytes asked for at a time; few are ever drawn again.
constexpr size_t kBatch = 32;

}  // namespace

std::optional<std::string> RandomDigits(RandomSource& random, int count) {
    std::string digits;
    uint8_t bytes[kBatch];
    while (static_cast<int>(digits.size()) < count) {
        if (!random.Fill(bytes, sizeof bytes))
            return std::nullopt;
        for (const uint8_t b : bytes) {
            if (b >= kEvenBytes || static_cast<int>(digits.size()) == count)
                continue;
            digits.push_back(static_cast<char>('0' + b % 10));
        }
    }
    return digits;
}

std::string KeyAtStart(Host& host) {
    const std::string saved = ReadSetting(host, kKey);
    if (!saved.empty())
        return saved;
    if (host.random == nullptr)
        return {};
    const std::optional<std::string> key = RandomDigits(*host.random, kGeneratedKeyDigits);
    if (!key)
        return {};
    // Saved at once, so the next start shows the same key even when this run never
    // starts the hotspot. A file that cannot be written keeps nothing; the start saves
    // the key again.
    WriteSetting(host, kKey, *key);
    return *key;
}

}  // namespace hs::settings
