#include "platform/windows/windows_host.h"

#include "platform/native_codec.h"
#include "platform/windows/command_runner.h"
#include "platform/windows/windows_clock.h"
#include "platform/windows/windows_files.h"
#include "platform/windows/windows_system.h"

namespace hs::win {

WindowsHost::WindowsHost()
    : commands_(std::make_unique<WindowsCommandRunner>()),
      clock_(std::make_unique<WindowsClock>()),
      codec_(MakeNativeCodec()),
      files_(std::make_unique<WindowsFiles>()),
      system_(std::make_unique<WindowsSystemInfo>()),
      desktop_(std::make_unique<WindowsDesktop>()) {
    host_.commands = commands_.get();
    host_.clock = clock_.get();
    host_.codec = codec_.get();
    host_.files = files_.get();
    host_.system = system_.get();
    host_.desktop = desktop_.get();
}

WindowsHost::~WindowsHost() = default;

}  // namespace hs::win
