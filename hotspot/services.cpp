#include "hotspot/services.h"

namespace hs::hotspot {

namespace {
constexpr int kServiceStopped = 1;
}

void EnsureService(app::App& app, const std::string& service, int startType, bool startIfStopped) {
    ServiceManager* services = app.GetHost().services;
    ServiceStatus status;
    if (services == nullptr || !services->Query(service, status))
        return;
    if (status.startType != startType)
        services->SetStartType(service, startType);
    if (!startIfStopped)
        return;
    if (status.currentState == kServiceStopped && !services->Start(service))
        app.Main().ShowMessage("防火墙打开失败，所依赖服务可能不完整！", "提示", 0x10);
}

}  // namespace hs::hotspot
