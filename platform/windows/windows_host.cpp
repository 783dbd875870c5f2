#include "platform/windows/windows_host.h"

#include "platform/native_codec.h"
#include "platform/windows/adapters_win.h"
#include "platform/windows/command_runner.h"
#include "platform/windows/http_win.h"
#include "platform/windows/interfaces_win.h"
#include "platform/windows/internet_win.h"
#include "platform/windows/network_win.h"
#include "platform/windows/power_win.h"
#include "platform/windows/random_win.h"
#include "platform/windows/services_win.h"
#include "platform/windows/sharing_win.h"
#include "platform/windows/shell_win.h"
#include "platform/windows/tethering_win.h"
#include "platform/windows/windows_clock.h"
#include "platform/windows/windows_files.h"
#include "platform/windows/windows_system.h"
#include "platform/windows/winrt_runtime.h"
#include "platform/windows/wireless_win.h"

namespace hs::win {

WindowsHost::WindowsHost()
    : commands_(std::make_unique<WindowsCommandRunner>()),
      clock_(std::make_unique<WindowsClock>()),
      codec_(MakeNativeCodec()),
      files_(std::make_unique<WindowsFiles>()),
      system_(std::make_unique<WindowsSystemInfo>()),
      desktop_(std::make_unique<WindowsDesktop>()),
      sharing_(std::make_unique<WindowsSharing>()),
      adapters_(std::make_unique<WindowsAdapters>()),
      wireless_(std::make_unique<WindowsWirelessLan>()),
      interfaces_(std::make_unique<WindowsInterfaces>()),
      internet_(std::make_unique<WindowsInternet>()),
      services_(std::make_unique<WindowsServices>()),
      http_(std::make_unique<WinInetHttp>()),
      shell_(std::make_unique<WindowsShell>()),
      network_(std::make_unique<WindowsNetworkProbe>()),
      power_(std::make_unique<WindowsPower>()),
      random_(std::make_unique<WindowsRandom>()),
      tethering_(std::make_unique<WindowsTethering>()) {
    host_.commands = commands_.get();
    host_.clock = clock_.get();
    host_.codec = codec_.get();
    host_.files = files_.get();
    host_.system = system_.get();
    host_.desktop = desktop_.get();
    host_.sharing = sharing_.get();
    host_.adapters = adapters_.get();
    host_.wireless = wireless_.get();
    host_.interfaces = interfaces_.get();
    host_.internet = internet_.get();
    host_.services = services_.get();
    host_.http = http_.get();
    host_.shell = shell_.get();
    host_.network = network_.get();
    host_.power = power_.get();
    host_.random = random_.get();
    // The Mobile Hotspot needs the Windows Runtime (Windows 8 and later); where its
    // functions are missing the host offers none.
    if (SUCCEEDED(winrt::LoadCombase().loaded))
        host_.tethering = tethering_.get();
}

WindowsHost::~WindowsHost() = default;

}  // namespace hs::win
