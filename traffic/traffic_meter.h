// The session totals of page "流量统计": what the connected devices downloaded and
// uploaded through the hosted adapter since sharing came up, and their sum.
//
// The start procedure reads the baselines on its worker (LookupInterfaceNumber, then
// TakeBaselines) and hands them to the window thread, which owns the one
// TrafficMeter and calls BeginSession; the refresh timer and the page change call
// Refresh and write the texts into the three labels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/host.h"
#include "traffic/interface_snapshot.h"
#include "traffic/session_counter.h"

namespace hs::traffic {

// The interval of the totals refresh while page "流量统计" is open.
inline constexpr int kTotalsRefreshMs = 3000;

// The texts of the three total labels.
struct TotalsTexts {
    std::string download;  // `标签本次下载流量`: "1.50 MB"
    std::string upload;    // `标签本次上传流量`: "0.00 MB"
    std::string total;     // `标签本次总流量`: "1.5 MB"
};

// On the start procedure's worker, once sharing has come up: reads the interface
// table and returns the counters of the row whose index is `hostedInterfaceNumber`.
// Empty when the table could not be read or has no such row.
std::optional<CounterReading> TakeBaselines(Host& host, int hostedInterfaceNumber);

// Used on the window thread only.
class TrafficMeter {
  public:
    // A session begins: the hosted interface and the counters the start read. When
    // the start found no row, the first refresh that finds one takes the baselines,
    // so the figures count from then on and never include traffic from before.
    void BeginSession(int hostedInterfaceNumber, const std::optional<CounterReading>& baselines);
    // Sharing stopped: the baselines are dropped. Later refreshes change nothing, so
    // the labels keep the figures the session ended with.
    void EndSession();
    bool SessionRunning() const { return running_; }

    // Reads the interface table into the meter's own snapshot (a refused read keeps
    // the previous one) and returns the label texts. Empty, meaning the labels stay
    // as they are, while no session runs or when the hosted row is missing.
    std::optional<TotalsTexts> Refresh(Host& host);
    // The same with a snapshot read elsewhere.
    std::optional<TotalsTexts> RefreshFrom(const InterfaceSnapshot& snapshot);

    // The session's bytes as of the last refresh.
    uint64_t DownloadBytes() const { return download_.Bytes(); }
    uint64_t UploadBytes() const { return upload_.Bytes(); }

  private:
    InterfaceSnapshot table_;
    int interfaceNumber_ = 2;
    bool running_ = false;
    bool baselinesTaken_ = false;
    SessionCounter download_;  // the hosted adapter's sent counter
    SessionCounter upload_;    // its received counter
};

}  // namespace hs::traffic
