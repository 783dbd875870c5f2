// Helpers shared by the simulated laptop's tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/simulated_laptop.h"
#include "platform/sim/virtual_clock.h"
#include "tests/fixture.h"
#include "tests/temp_folder.h"

namespace hs::sim::testing {

using hs::testing::Fixture;

// The text without its trailing line ends.
inline std::string TrimEnd(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

// A laptop on a virtual clock with its files in a temporary folder.
struct Bench {
    explicit Bench(const std::string& scenario = SimulatedLaptop::DefaultScenario())
        : folder(testing_support::FreshFolder("hs_sim")),
          codec(MakeNativeCodec()),
          files(folder.string()) {
        std::string error;
        laptop = SimulatedLaptop::FromScenario(scenario, clock, *codec, files, &error);
        EXPECT_TRUE(laptop != nullptr) << error;
        // A broken scenario fails the test above; the rest runs on an empty one.
        if (!laptop)
            laptop = SimulatedLaptop::FromScenario("", clock, *codec, files);
        host = laptop->MakeHost();
    }
    ~Bench() {
        laptop.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;
    std::string Run(const std::string& command) {
        std::string output;
        EXPECT_TRUE(host.commands->Run(command, nullptr, output)) << command;
        return output;
    }
    // Moves the virtual clock to `seconds` after the laptop was built.
    void At(double seconds) {
        const int64_t target = static_cast<int64_t>(seconds * 1000);
        if (target > clock.NowMs())
            clock.Advance(target - clock.NowMs());
    }

    std::filesystem::path folder;
    VirtualClock clock;
    std::unique_ptr<TextCodec> codec;
    DirectoryFiles files;
    std::unique_ptr<SimulatedLaptop> laptop;
    Host host;
};

// The text after the first `left` up to the next `right` (empty when either is missing).
inline std::string Between(const std::string& text, const std::string& left,
                           const std::string& right) {
    const size_t start = text.find(left);
    if (start == std::string::npos)
        return {};
    const size_t from = start + left.size();
    const size_t end = text.find(right, from);
    return end == std::string::npos ? std::string() : text.substr(from, end - from);
}

// The line holding `needle` and the line after it.
inline std::string LineAndNext(const std::string& text, const std::string& needle) {
    const size_t at = text.find(needle);
    if (at == std::string::npos)
        return {};
    const size_t first = text.find('\n', at);
    if (first == std::string::npos)
        return text.substr(at);
    const size_t second = text.find('\n', first + 1);
    return text.substr(at, second == std::string::npos ? std::string::npos : second - at);
}

constexpr const char* kConfigure =
    "netsh wlan set hostednetwork mode=allow ssid=mylove key=12345678";

}  // namespace hs::sim::testing
