// The program on a simulated laptop with a virtual clock, for the stories of the
// hosted network: the window set up as the background preparation leaves it.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/update_server.h"
#include "hotspot/preparation.h"
#include "hotspot/update_check.h"
#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/simulated_laptop.h"
#include "platform/sim/virtual_clock.h"
#include "sys/dispatcher.h"
#include "sys/worker.h"
#include "tests/temp_folder.h"
#include "ui/driver.h"

namespace hs::hotspot::testing {

// A folder of its own for each laptop, so parallel runs never share files.
inline std::filesystem::path FreshLaptopFolder() {
    return testing_support::FreshFolder("hs_hotspot");
}

struct Program {
    explicit Program(const std::string& scenario)
        : folder(FreshLaptopFolder()), codec(MakeNativeCodec()), files(folder.string()) {
        std::string error;
        laptop = sim::SimulatedLaptop::FromScenario(scenario, clock, *codec, files, &error);
        EXPECT_TRUE(laptop != nullptr) << error;
        if (!laptop)
            laptop = sim::SimulatedLaptop::FromScenario("", clock, *codec, files);
        host = laptop->MakeHost();
        app = std::make_unique<app::App>(host, dispatcher);
        app->Hotspot().updateUrl = app::UpdateUrlPieces();
        app->quitHook = [this](int code) { quitCodes.push_back(code); };
        app->Main().SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, int flags) {
                messages.push_back({text, caption, flags});
                return answer;
            });
        driver = std::make_unique<ui::Driver>(app->Main());
    }
    ~Program() {
        driver.reset();
        app.reset();
        // The laptop may hold its journal open in the folder, which Windows will not
        // remove while it is open.
        laptop.reset();
        std::filesystem::remove_all(folder);
    }

    // The window as the background preparation leaves it: the start button idle,
    // the upstream chosen, name and password typed.
    void Idle(int osCode, const std::string& upstream, const std::string& ssid = "mylove",
              const std::string& key = "5802741639") {
        app->Hotspot().osVersionCode = osCode;
        ui::Control start = C("按钮开始");
        start.SetText("开启共享");
        start.SetEnabled(true);
        C("组合框1").SetText(upstream);
        C("编辑框名称").SetText(ssid);
        C("编辑框密码").SetText(key);
    }

    // Presses the start button as a user would and waits for the start to end and
    // its results to be shown.
    void PressStart() {
        ASSERT_TRUE(driver->Click("按钮开始"));
        app->Settle();
    }

    // Runs the background preparation on its worker and waits for its end.
    void Prepare() {
        hotspot::StartBackgroundPreparation(app->Hotspot());
        app->Settle();
    }

    // The update check of the preparation alone, on a worker as the preparation runs
    // it; true when the program ends.
    bool CheckForUpdate() {
        Task worker("preparation");
        bool ends = false;
        worker.Start([&] {
            ends = hotspot::OfferUpdate(
                app->Hotspot(),
                hotspot::FetchUpdateOffer(host, app->Hotspot().updateUrl, "/rjgx", "/lanzgx"));
        });
        while (worker.Running())
            app->Settle();
        app->Settle();
        return ends;
    }

    // Runs `procedure` on a worker, as the program does with anything that runs
    // commands or pauses, and returns what it returned.
    template <typename Procedure>
    auto OnWorker(Procedure procedure) {
        decltype(procedure()) result{};
        Task worker("test");
        worker.Start([&] { result = procedure(); });
        worker.Join();
        return result;
    }

    hotspot::Session& Session() { return app->Hotspot().GetSession(); }
    hotspot::Hotspot& H() { return app->Hotspot(); }

    ui::Control C(const char* name) { return app->Main()[name]; }
    std::vector<std::string> Commands() { return laptop->Snapshot().commands; }
    // The pauses since the last call, without the 2 ms pauses that follow each
    // connection of a sharing pass.
    std::vector<int64_t> Pauses() {
        std::vector<int64_t> kept;
        for (int64_t ms : clock.Pauses()) {
            if (ms != 2)
                kept.push_back(ms);
        }
        clock.ClearPauses();
        return kept;
    }
    // Forgets the commands and pauses so far.
    size_t Mark() {
        clock.ClearPauses();
        return Commands().size();
    }
    std::vector<std::string> CommandsSince(size_t mark) {
        const std::vector<std::string> all = Commands();
        return {all.begin() + static_cast<long>(mark), all.end()};
    }

    struct Message {
        std::string text, caption;
        int flags;
    };

    std::filesystem::path folder;
    sim::VirtualClock clock;
    std::unique_ptr<TextCodec> codec;
    sim::DirectoryFiles files;
    std::unique_ptr<sim::SimulatedLaptop> laptop;
    Host host;
    std::vector<int> quitCodes;
    std::vector<Message> messages;
    int answer = 1;
    QueueDispatcher dispatcher;
    std::unique_ptr<app::App> app;
    std::unique_ptr<ui::Driver> driver;
};

// Command lines the start runs.
inline constexpr const char* kDisallow = "netsh wlan set hostednetwork mode=disallow";
inline constexpr const char* kStart = "netsh wlan start hostednetwork";
inline constexpr const char* kStop = "netsh wlan stop hostednetwork";
inline constexpr const char* kAddresses = "netsh interface ipv4 show addresses";
inline constexpr const char* kOffload = "netsh interface ipv4 show offload";

inline std::string Configure(const std::string& ssid, const std::string& key) {
    return "netsh wlan set hostednetwork mode=allow ssid=\"" + ssid + "\" key=\"" + key + "\"";
}

inline std::string StaticAddress(const std::string& name) {
    return "netsh interface ip set address name=\"" + name +
           "\" source=static addr=192.168.137.1 mask=255.255.255.0 gwmetric=1";
}

}  // namespace hs::hotspot::testing
