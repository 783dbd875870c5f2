#include "hotspot/services.h"

namespace hs::hotspot {

namespace {
constexpr int kServiceStopped = 1;
}

bool EnsureService(Host& host, const std::string& service, int startType, bool startIfStopped) {
    ServiceManager* services = host.services;
    ServiceStatus status;
    if (services == nullptr || !services->Query(service, status))
        return true;
    if (status.startType != startType)
        services->SetStartType(service, startType);
    if (!startIfStopped)
        return true;
    return status.currentState != kServiceStopped || services->Start(service);
}

}  // namespace hs::hotspot
