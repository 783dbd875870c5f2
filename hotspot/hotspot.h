// The hosted network and connection sharing: the state of the current sharing session,
// the view it is shown through, and the workers (the start, the stop, the return to
// idle and the background preparation) that the hotspot owns.
//
// Everything here is used on the window thread. The workers never touch the view or
// the session: they post what they found to the window thread through the dispatcher.
// The session is the state; the view only presents it.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backend/backend_choice.h"
#include "backend/hotspot_backend.h"
#include "hotspot/hotspot_sink.h"
#include "platform/host.h"
#include "sys/dispatcher.h"
#include "sys/worker.h"
#include "traffic/interface_snapshot.h"

namespace hs::hotspot {

// Where the hotspot is: nothing runs, a start runs, the hosted network runs, or a stop
// or a return to idle runs.
enum class Phase { Idle, Starting, Running, Stopping };

// What the start procedure, the client list and the traffic displays share about the
// current sharing session.
struct Session {
    Phase phase = Phase::Idle;
    // Set once a start succeeded; nothing clears it during the run.
    bool sharingCompleted = false;
    // Whether connection sharing came up at the last successful start.
    bool sharingUp = false;
    // The hosted adapter's connection name and the wired connections' names that the
    // sharing switch-offs collected (each shown in a hidden box).
    std::string hostedName;
    std::string wiredNames;
    // The hosted interface as the neighbour commands name it: its index, or its
    // connection name in double quotes when no index was found. And its index as a
    // number (0, no row of the interface table, when none was found).
    std::string hostedInterfaceIndex;
    int hostedInterfaceNumber = 0;
    // The hosted interface's counters when sharing came up (the row whose index is the
    // hosted interface number); empty when the table had no such row, and after a stop.
    std::optional<traffic::CounterReading> baselines;
    // The upstream connection when sharing was last stopped (empty until the first
    // stop) and when the current start began.
    std::string upstreamAtLastStop;
    std::string upstreamAtThisStart;
    // What the configure command or "netsh wlan start hostednetwork" printed during
    // the current start; emptied after a failure.
    std::string startOutput;
    // The network name and key that the running start gave netsh, exactly as a phone
    // must use them to join; set when the start's success is shown, emptied again when
    // sharing stops (by whoever is told of the stop through Hotspot::sharingStopped).
    std::string ssid;
    std::string key;
    // The update server's path pieces: the statistics page's last piece ("/tongji",
    // set by the start button), and the root and update-page pieces the background
    // preparation stores ("/rjgx", "/lanzgx").
    std::string statisticsPath;
    std::string serverRootPath;
    std::string serverUpdatePath;
};

// The update server's address in five pieces: "http://", three pieces that together
// spell the host name, ".html".
using UpdateUrl = std::array<std::string, 5>;

class Hotspot {
  public:
    Hotspot(Host& host, HotspotSink& view, Dispatcher& dispatcher);
    Hotspot(const Hotspot&) = delete;
    Hotspot& operator=(const Hotspot&) = delete;

    Host& GetHost() { return host_; }
    HotspotSink& View() { return view_; }
    // The way the hotspot is switched on now; used by the workers only. Both ways live as
    // long as the hotspot, so a worker keeps using the one it was given.
    backend::HotspotBackend& Backend() { return *inUse_.load(); }
    backend::HotspotBackend& BackendOf(backend::BackendKind kind);
    // The way every later step uses: chosen by the start's worker (or by the preparation's,
    // for a Mobile Hotspot that was on already) before it uses it.
    void UseBackend(backend::BackendKind kind) { inUse_.store(&BackendOf(kind)); }
    Dispatcher& GetDispatcher() { return dispatcher_; }
    Session& GetSession() { return session_; }

    // The session's names, shown in their hidden boxes as they change.
    void SetHostedName(const std::string& name);
    void SetWiredNames(const std::string& names);
    // The hotspot is idle again: a start asked for meanwhile begins now.
    void BecomeIdle();

    // 1..6 for Windows 2000 .. Windows 8 and later, -1 for anything else; 0 until the
    // created procedure has looked. 6 is the Windows 8 family.
    int osVersionCode = 0;
    bool Windows8() const { return osVersionCode == 6; }
    UpdateUrl updateUrl;
    // Ends the program with an exit code, as the exit paths do: the return to idle
    // included (an accepted update does).
    std::function<void(int)> quit;
    // Called on the window thread, in the order they were added, once a start has
    // succeeded and its state is shown, and when the stop button has stopped sharing.
    std::vector<std::function<void()>> sharingStarted;
    std::vector<std::function<void()>> sharingStopped;
    // The start procedure's worker, the stop's, the return to idle's and the
    // background preparation's.
    Task startTask{"start"};
    Task stopTask{"stop"};
    Task resetTask{"reset"};
    Task preparationTask{"preparation"};
    Task upstreamTask{"upstream"};
    // A start asked for while a return to idle still runs: it begins once that ends.
    std::function<void()> pendingStart;

    // 1 once a pass that switches connection sharing on has been through every
    // connection; never cleared. Written by the start worker.
    std::atomic<int> sharingDone{0};

  private:
    Host& host_;
    HotspotSink& view_;
    Dispatcher& dispatcher_;
    std::unique_ptr<backend::HotspotBackend> hosted_;
    std::unique_ptr<backend::HotspotBackend> mobile_;
    std::atomic<backend::HotspotBackend*> inUse_;
    Session session_;
};

}  // namespace hs::hotspot
