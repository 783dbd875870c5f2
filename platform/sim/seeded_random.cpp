#include "platform/sim/seeded_random.h"

namespace hs::sim {

uint64_t NextSeeded(uint64_t& state) {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void FillSeeded(uint64_t& state, uint8_t* out, size_t count) {
    for (size_t i = 0; i < count; i += 8) {
        uint64_t word = NextSeeded(state);
        for (size_t j = i; j < count && j < i + 8; ++j) {
            out[j] = static_cast<uint8_t>(word & 0xFF);
            word >>= 8;
        }
    }
}

bool SeededRandom::Fill(uint8_t* out, size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++calls_;
    if (!available_)
        return false;
    FillSeeded(state_, out, count);
    return true;
}

void SeededRandom::SetAvailable(bool available) {
    std::lock_guard<std::mutex> lock(mutex_);
    available_ = available;
}

int SeededRandom::Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

}  // namespace hs::sim
