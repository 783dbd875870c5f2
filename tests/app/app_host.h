// A simulated laptop for the program's start-up stories: files in a fresh folder,
// a virtual clock, canned commands, a seeded random generator, and fakes for the
// system version and desktop.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/native_codec.h"
#include "platform/sim/canned_commands.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/seeded_random.h"
#include "platform/sim/virtual_clock.h"
#include "tests/temp_folder.h"

namespace hs::testing_support {

class FakeSystem : public SystemInfo {
  public:
    OsVersion Version() override { return version; }
    OsVersion version;
};

class FakeDesktop : public Desktop {
  public:
    bool RestoreExistingWindow(const std::string& title) override {
        std::lock_guard<std::mutex> lock(mutex);
        searched.push_back(title);
        return existing;
    }
    DisplayLayout Displays() override {
        return {1024, 768, {{0, 0, 1024, 728}}, {{0, 0, 1024, 768}}, dpi};
    }
    int dpi = 96;
    std::mutex mutex;
    bool existing = false;
    std::vector<std::string> searched;
};

struct AppHost {
    AppHost()
        : folder(FreshFolder("hs_app")),
          codec(MakeNativeCodec()),
          files(folder.string()),
          commands(*codec) {
        host.commands = &commands;
        host.clock = &clock;
        host.codec = codec.get();
        host.files = &files;
        host.system = &system;
        host.desktop = &desktop;
        host.random = &random;
    }
    ~AppHost() { std::filesystem::remove_all(folder); }

    // Writes a file as a user would with a GBK editor.
    void WriteFile(const std::string& path, const std::string& utf8) {
        ASSERT_TRUE(files.Write(path, codec->Utf8ToGbk(utf8)));
    }

    std::filesystem::path folder;
    std::unique_ptr<TextCodec> codec;
    sim::DirectoryFiles files;
    sim::CannedCommands commands;
    sim::VirtualClock clock;
    FakeSystem system;
    FakeDesktop desktop;
    sim::SeededRandom random{1};
    Host host;
};

}  // namespace hs::testing_support
