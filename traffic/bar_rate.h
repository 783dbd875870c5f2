// The traffic bar's two rates: what the hosted adapter moved during the last tick of
// the bar's timer, from the bar's own interface number and table snapshot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/host.h"
#include "traffic/interface_snapshot.h"

namespace hs::traffic {

// The bar's refresh interval, and the delay after a successful start before the bar
// is opened.
inline constexpr int kBarRefreshMs = 970;
inline constexpr int kBarOpenDelayMs = 1000;

// The texts of the bar's two rate labels.
struct RateTexts {
    std::string download;  // `下载透明标签`: "12.0KB/S", "1.25MB/S"
    std::string upload;    // `上传透明标签`
};

// Used on the window thread only (the bar's timer and set-up).
class BarRate {
  public:
    // The hosted interface the bar follows (its index, found by LookupInterfaceNumber).
    // Another interface than before starts without a sample, like the first tick.
    void SetInterfaceNumber(int interfaceNumber) {
        if (interfaceNumber != interfaceNumber_)
            sampled_ = false;
        interfaceNumber_ = interfaceNumber;
    }
    int InterfaceNumber() const { return interfaceNumber_; }

    // Reads the interface table into the bar's snapshot; a refused read keeps the
    // previous one. The bar's set-up does this once before its timer starts.
    void RefreshSnapshot(Host& host);

    // One tick: refreshes the snapshot and returns the rate texts. The first tick
    // after set-up (no earlier sample) shows "0.0KB/S" for both. The figure is the
    // difference over one tick, modulo 2^32 of the 32-bit counters (right across a
    // wrap); a counter that went backwards counts as no traffic. Empty, meaning the
    // labels stay as they are, when the snapshot has no row for the interface.
    std::optional<RateTexts> Tick(Host& host);
    // The same with a snapshot read elsewhere.
    std::optional<RateTexts> TickFrom(const InterfaceSnapshot& snapshot);

  private:
    int interfaceNumber_ = 2;
    InterfaceSnapshot snapshot_;
    bool sampled_ = false;
    uint32_t lastSent_ = 0;      // the hosted row's sent counter at the previous tick
    uint32_t lastReceived_ = 0;  // its received counter
};

// The bytes between two samples of a 32-bit counter: the difference modulo 2^32; a
// difference of 2 GiB or more cannot happen in one tick and means the counter went
// backwards (it was reset), which counts as 0.
uint64_t TickBytes(uint32_t previous, uint32_t now);

}  // namespace hs::traffic
