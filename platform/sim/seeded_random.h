// A stand-in for the system's cryptographic generator, for tests and the simulated
// laptop: the same seed always gives the same bytes, so a story can be replayed.
// Never used by a production build.
#pragma once

#include <cstdint>
#include <mutex>

#include "platform/host.h"

namespace hs::sim {

// The next 64 bits of the sequence that `state` stands for (splitmix64); advances it.
uint64_t NextSeeded(uint64_t& state);

// Fills `out` from the sequence that `state` stands for, eight bytes per step.
void FillSeeded(uint64_t& state, uint8_t* out, size_t count);

class SeededRandom : public RandomSource {
  public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}
    bool Fill(uint8_t* out, size_t count) override;
    // A generator that fails, as a system without one would.
    void SetAvailable(bool available);
    // How many times the generator was asked.
    int Calls() const;

  private:
    mutable std::mutex mutex_;
    uint64_t state_;
    bool available_ = true;
    int calls_ = 0;
};

}  // namespace hs::sim
