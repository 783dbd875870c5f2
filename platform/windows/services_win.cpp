#include "platform/windows/services_win.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace hs::win {
namespace {

constexpr DWORD kManagerAccess = 0xF003F;  // SC_MANAGER_ALL_ACCESS
constexpr DWORD kServiceAccess = 0xF01FF;  // SERVICE_ALL_ACCESS

// Opens the manager and the service, runs `use` on the service and closes both.
bool WithService(const std::string& service, const std::function<bool(SC_HANDLE)>& use) {
    if (service.empty())
        return false;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, kManagerAccess);
    if (manager == nullptr)
        return false;
    bool ok = false;
    SC_HANDLE handle = OpenServiceA(manager, service.c_str(), kServiceAccess);
    if (handle != nullptr) {
        ok = use(handle);
        CloseServiceHandle(handle);
    }
    CloseServiceHandle(manager);
    return ok;
}

// The configured start type: asks for the size first, then reads the record.
bool ReadStartType(SC_HANDLE service, int& startType) {
    DWORD needed = 0;
    if (QueryServiceConfigA(service, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return false;
    }
    // Whole records keep the buffer aligned for the record's pointers.
    std::vector<QUERY_SERVICE_CONFIGA> buffer(needed / sizeof(QUERY_SERVICE_CONFIGA) + 1);
    const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(QUERY_SERVICE_CONFIGA));
    if (!QueryServiceConfigA(service, buffer.data(), size, &needed))
        return false;
    startType = static_cast<int>(buffer.front().dwStartType);
    return true;
}

}  // namespace

bool WindowsServices::Query(const std::string& service, ServiceStatus& out) {
    return WithService(service, [&](SC_HANDLE handle) {
        int startType = 0;
        if (!ReadStartType(handle, startType))
            return false;
        SERVICE_STATUS status{};
        if (!QueryServiceStatus(handle, &status))
            return false;
        out.startType = startType;
        out.currentState = static_cast<int>(status.dwCurrentState);
        return true;
    });
}

bool WindowsServices::SetStartType(const std::string& service, int startType) {
    return WithService(service, [startType](SC_HANDLE handle) {
        return ChangeServiceConfigA(handle, SERVICE_NO_CHANGE, static_cast<DWORD>(startType),
                                    SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr) != FALSE;
    });
}

bool WindowsServices::Start(const std::string& service) {
    return WithService(service,
                       [](SC_HANDLE handle) { return StartServiceA(handle, 0, nullptr) != FALSE; });
}

}  // namespace hs::win
