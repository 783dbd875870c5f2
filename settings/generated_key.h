// The hotspot's password on a first start: no installation shares a default one. When
// the settings file holds no key, ten random digits from the system's cryptographic
// generator become the key and are saved at once; a key already saved stays.
#pragma once

#include <optional>
#include <string>

#include "platform/host.h"

namespace hs::settings {

// The length of a generated key: ten digits, as the designed password had.
inline constexpr int kGeneratedKeyDigits = 10;

// `count` decimal digits, each equally likely: bytes from `random` of 250 and more are
// drawn again, so no digit comes up more often than another. Nothing when the
// generator failed.
std::optional<std::string> RandomDigits(RandomSource& random, int count);

// The key to show at start: the saved one, or, when the settings file holds none (or
// an empty one), a generated key that is saved before it is returned. Empty when a
// key had to be generated and the host has no generator or it failed: the user types
// one, and the start saves it.
std::string KeyAtStart(Host& host);

}  // namespace hs::settings
