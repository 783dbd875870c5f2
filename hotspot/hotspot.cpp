#include "hotspot/hotspot.h"

#include "backend/hosted_network.h"
#include "backend/mobile_hotspot.h"

namespace hs::hotspot {

Hotspot::Hotspot(Host& host, HotspotSink& view, Dispatcher& dispatcher)
    : host_(host),
      view_(view),
      dispatcher_(dispatcher),
      hosted_(std::make_unique<backend::HostedNetwork>(host)),
      mobile_(std::make_unique<backend::MobileHotspot>(host)),
      inUse_(hosted_.get()) {}

backend::HotspotBackend& Hotspot::BackendOf(backend::BackendKind kind) {
    return kind == backend::BackendKind::MobileHotspot ? *mobile_ : *hosted_;
}

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
