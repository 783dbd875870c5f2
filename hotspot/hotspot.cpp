#include "hotspot/hotspot.h"

#include "backend/hosted_network.h"

namespace hs::hotspot {

Hotspot::Hotspot(Host& host, HotspotSink& view, Dispatcher& dispatcher)
    : host_(host),
      view_(view),
      dispatcher_(dispatcher),
      backend_(std::make_unique<backend::HostedNetwork>(host)) {}

void Hotspot::SetHostedName(const std::string& name) {
    session_.hostedName = name;
    view_.ShowHostedName(name);
}

void Hotspot::SetWiredNames(const std::string& names) {
    session_.wiredNames = names;
    view_.ShowWiredNames(names);
}

void Hotspot::BecomeIdle() {
    session_.phase = Phase::Idle;
    if (pendingStart) {
        const std::function<void()> start = std::move(pendingStart);
        pendingStart = nullptr;
        start();
    }
}

}  // namespace hs::hotspot
