#include "traffic/traffic_meter.h"

#include "traffic/figures.h"

namespace hs::traffic {

std::optional<CounterReading> TakeBaselines(Host& host, int hostedInterfaceNumber) {
    InterfaceSnapshot table;
    if (!RefreshSnapshot(host, table))
        return std::nullopt;
    return ReadingFor(table, hostedInterfaceNumber);
}

void TrafficMeter::BeginSession(int hostedInterfaceNumber,
                                const std::optional<CounterReading>& baselines) {
    interfaceNumber_ = hostedInterfaceNumber;
    running_ = true;
    baselinesTaken_ = baselines.has_value();
    const CounterReading start = baselines.value_or(CounterReading{});
    download_.Start(start, Direction::Sent);
    upload_.Start(start, Direction::Received);
}

void TrafficMeter::EndSession() {
    running_ = false;
    baselinesTaken_ = false;
}

std::optional<TotalsTexts> TrafficMeter::Refresh(Host& host) {
    RefreshSnapshot(host, table_);
    return RefreshFrom(table_);
}

std::optional<TotalsTexts> TrafficMeter::RefreshFrom(const InterfaceSnapshot& snapshot) {
    if (!running_)
        return std::nullopt;
    const std::optional<CounterReading> now = ReadingFor(snapshot, interfaceNumber_);
    if (!now)
        return std::nullopt;
    if (!baselinesTaken_) {
        download_.Start(*now, Direction::Sent);
        upload_.Start(*now, Direction::Received);
        baselinesTaken_ = true;
    } else {
        download_.Advance(*now);
        upload_.Advance(*now);
    }
    TotalsTexts texts;
    texts.download = FormatMegabytes(download_.Bytes());
    texts.upload = FormatMegabytes(upload_.Bytes());
    texts.total = FormatTotal(download_.Bytes(), upload_.Bytes());
    return texts;
}

}  // namespace hs::traffic
