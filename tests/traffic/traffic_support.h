// A simulated laptop on a virtual clock for the traffic stories, and small builders
// of interface tables.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/native_codec.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/simulated_laptop.h"
#include "platform/sim/virtual_clock.h"
#include "sys/command.h"
#include "tests/temp_folder.h"
#include "traffic/interface_snapshot.h"

namespace hs::traffic::testing {

// A Windows 7 laptop on its home router whose hotspot adapter "无线网络连接 2" has
// interface index 26 among the sparse indexes 1, 10, 11, 12, 13. `extra` adds
// statements (devices, counter starting values).
inline std::string LaptopScenario(const std::string& extra) {
    return "windows 7\n"
           "upstream 无线网络连接\n"
           "connection 无线网络连接 kind=wifi status=2 index=11 address=192.168.1.105/24 "
           "gateway=192.168.1.1 gateway_mac=c8-3a-35-84-78-1e in=734003200 out=96468992\n"
           "connection 本地连接 kind=ethernet status=7 index=10\n"
           "hosted \"无线网络连接 2\" index=26\n" +
           extra;
}

struct Laptop {
    explicit Laptop(const std::string& scenario)
        : folder(testing_support::FreshFolder("hs_traffic")),
          codec(MakeNativeCodec()),
          files(folder.string()) {
        std::string error;
        laptop = sim::SimulatedLaptop::FromScenario(scenario, clock, *codec, files, &error);
        EXPECT_TRUE(laptop != nullptr) << error;
        if (!laptop)
            laptop = sim::SimulatedLaptop::FromScenario("", clock, *codec, files);
        host = laptop->MakeHost();
    }
    ~Laptop() {
        laptop.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    Laptop(const Laptop&) = delete;
    Laptop& operator=(const Laptop&) = delete;

    // Configures, shares and starts the hosted network as the start procedure does,
    // with the hosted adapter on its static address.
    void StartHotspot() {
        RunCommand(host, "netsh wlan set hostednetwork mode=allow ssid=mylove key=12345678");
        ASSERT_EQ(host.sharing->EnableSharing("无线网络连接", SharingType::Public),
                  SharingError::None);
        ASSERT_EQ(host.sharing->EnableSharing("无线网络连接 2", SharingType::Private),
                  SharingError::None);
        ASSERT_NE(RunCommand(host, "netsh wlan start hostednetwork").find("已启动"),
                  std::string::npos);
        RunCommand(host,
                   "netsh interface ip set address name=\"无线网络连接 2\" source=static "
                   "addr=192.168.137.1 mask=255.255.255.0 gwmetric=1");
    }
    // Moves the virtual clock to `ms` after the laptop was built.
    void At(int64_t ms) {
        if (ms > clock.NowMs())
            clock.Advance(ms - clock.NowMs());
    }

    std::filesystem::path folder;
    sim::VirtualClock clock;
    std::unique_ptr<TextCodec> codec;
    sim::DirectoryFiles files;
    std::unique_ptr<sim::SimulatedLaptop> laptop;
    Host host;
};

// A row with only 32-bit counters, as a system without the wide table reports it.
inline InterfaceRow NarrowRow(uint32_t index, uint32_t in, uint32_t out) {
    InterfaceRow row;
    row.index = index;
    row.inOctets = in;
    row.outOctets = out;
    row.inOctets64 = in;
    row.outOctets64 = out;
    return row;
}

// A row with 64-bit counters; the 32-bit ones are their low bits.
inline InterfaceRow WideRow(uint32_t index, uint64_t in, uint64_t out) {
    InterfaceRow row;
    row.index = index;
    row.inOctets = static_cast<uint32_t>(in);
    row.outOctets = static_cast<uint32_t>(out);
    row.inOctets64 = in;
    row.outOctets64 = out;
    row.wideCounters = true;
    return row;
}

// The table of a machine with sparse interface indexes; the hosted adapter is 26.
inline InterfaceSnapshot SparseTable(const InterfaceRow& hosted) {
    return {WideRow(1, 0, 0),  WideRow(10, 5000, 6000), WideRow(11, 734003200, 96468992),
            WideRow(12, 0, 0), WideRow(13, 0, 0),       hosted};
}

}  // namespace hs::traffic::testing
