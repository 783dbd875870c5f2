// The ports of a production build, implemented on Windows.
#pragma once

#include <memory>

#include "platform/host.h"

namespace hs::win {

// Owns one Windows implementation of each port and hands them out through a Host.
class WindowsHost {
  public:
    WindowsHost();
    ~WindowsHost();
    WindowsHost(const WindowsHost&) = delete;
    WindowsHost& operator=(const WindowsHost&) = delete;

    // Valid for as long as this object lives.
    Host& host() { return host_; }

  private:
    std::unique_ptr<CommandRunner> commands_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<TextCodec> codec_;
    std::unique_ptr<FileStore> files_;
    std::unique_ptr<SystemInfo> system_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<SharingManager> sharing_;
    std::unique_ptr<AdapterList> adapters_;
    std::unique_ptr<WirelessLan> wireless_;
    std::unique_ptr<InterfaceTable> interfaces_;
    std::unique_ptr<InternetQuery> internet_;
    std::unique_ptr<ServiceManager> services_;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<NetworkProbe> network_;
    std::unique_ptr<Power> power_;
    std::unique_ptr<RandomSource> random_;
    std::unique_ptr<Tethering> tethering_;
    Host host_;
};

}  // namespace hs::win
