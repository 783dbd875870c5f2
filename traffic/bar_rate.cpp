#include "traffic/bar_rate.h"

#include "traffic/figures.h"

namespace hs::traffic {

uint64_t TickBytes(uint32_t previous, uint32_t now) {
    const uint32_t step = now - previous;  // modulo 2^32
    return step < 0x80000000u ? step : 0;
}

void BarRate::RefreshSnapshot(Host& host) {
    traffic::RefreshSnapshot(host, snapshot_);
}

std::optional<RateTexts> BarRate::Tick(Host& host) {
    RefreshSnapshot(host);
    return TickFrom(snapshot_);
}

std::optional<RateTexts> BarRate::TickFrom(const InterfaceSnapshot& snapshot) {
    const std::optional<CounterReading> now = ReadingFor(snapshot, interfaceNumber_);
    if (!now)
        return std::nullopt;
    if (!sampled_) {
        lastSent_ = now->sent32;
        lastReceived_ = now->received32;
        sampled_ = true;
    }
    RateTexts texts;
    texts.download = FormatRate(TickBytes(lastSent_, now->sent32));
    texts.upload = FormatRate(TickBytes(lastReceived_, now->received32));
    lastSent_ = now->sent32;
    lastReceived_ = now->received32;
    return texts;
}

}  // namespace hs::traffic
