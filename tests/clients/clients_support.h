// The client list's procedures on a simulated laptop with a virtual clock: a laptop
// whose hotspot is up, a sink that records what a pass hands out, and the two data
// files as bytes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "backend/hosted_network.h"
#include "clients/client_pass.h"
#include "clients/data_file.h"
#include "tests/sim/sim_test_support.h"

namespace hs::clients::testing {

using sim::testing::Bench;

// The default scenario's phones, in the order of their addresses.
inline constexpr const char* kAndroidIp = "192.168.137.23";
inline constexpr const char* kAndroidMac = "a4-5e-60-c1-22-33";
inline constexpr const char* kIphoneIp = "192.168.137.61";
inline constexpr const char* kIphoneMac = "3c-15-c2-9a-8b-01";
inline constexpr const char* kSilentIp = "192.168.137.140";
inline constexpr const char* kSilentMac = "f0-db-e2-44-10-7e";
// The hosted adapter's interface index in the default scenario.
inline constexpr const char* kHostedIndex = "26";

inline std::string Block(const std::string& ip) {
    return "netsh interface ipv4 set neighbors 26 \"" + ip +
           "\" \"00-00-00-00-00-00\" store=active";
}

// Records what a pass hands out, in order.
struct Recorder : ClientPassSink {
    void Counted(int devices, const std::string& text) override {
        count = devices;
        label = text;
        events.push_back("count " + text);
    }
    void Listed(const std::vector<ClientRow>& list) override {
        rows = list;
        events.push_back("list " + std::to_string(list.size()));
    }
    void Named(const std::string& mac, const std::string& name) override {
        names[mac] = name;
        named.push_back(mac);
        events.push_back("name " + mac + " " + name);
    }
    int count = -1;
    std::string label;
    std::vector<ClientRow> rows;
    std::map<std::string, std::string> names;
    std::vector<std::string> named;  // in the order they were named
    std::vector<std::string> events;
};

// A laptop whose hotspot was started as the start procedure starts it, at time 0.
struct Hotspot : Bench {
    explicit Hotspot(const std::string& scenario = sim::SimulatedLaptop::DefaultScenario())
        : Bench(scenario) {
        EXPECT_NE(Run(sim::testing::kConfigure).find("承载网络模式已设置为允许"),
                  std::string::npos);
        EXPECT_TRUE(host.sharing->EnableSharing("无线网络连接", SharingType::Public) ==
                    SharingError::None);
        EXPECT_TRUE(host.sharing->EnableSharing("无线网络连接 2", SharingType::Private) ==
                    SharingError::None);
        EXPECT_NE(Run("netsh wlan start hostednetwork").find("已启动"), std::string::npos);
        EXPECT_EQ(Run("netsh interface ip set address name=\"无线网络连接 2\" source=static "
                      "addr=192.168.137.1 mask=255.255.255.0 gwmetric=1"),
                  "");
    }

    // Forgets the commands and pauses so far.
    void Mark() {
        mark = laptop->Snapshot().commands.size();
        clock.ClearPauses();
    }
    std::vector<std::string> Commands() {
        const std::vector<std::string> all = laptop->Snapshot().commands;
        return {all.begin() + static_cast<std::ptrdiff_t>(mark), all.end()};
    }
    std::vector<int64_t> Pauses() { return clock.Pauses(); }

    // The hosted network the pass asks for the stations.
    backend::HostedNetwork network{host};

    // One pass from now on: commands and pauses are those of the pass.
    Recorder Pass() {
        Mark();
        Recorder sink;
        completed = RefreshClientList(host, network, kHostedIndex, sink);
        return sink;
    }

    // The data files as UTF-8 (the bytes are GBK); "<missing>" when absent.
    std::string File(const char* path) {
        std::string bytes;
        if (files.Read(path, bytes) != FileRead::Ok)
            return "<missing>";
        return codec->GbkToUtf8(bytes);
    }
    std::string Bytes(const char* path) {
        std::string bytes;
        files.Read(path, bytes);
        return bytes;
    }
    void Write(const char* path, const std::string& utf8) {
        ASSERT_TRUE(files.Write(path, codec->Utf8ToGbk(utf8)));
    }
    void WriteBytes(const char* path, const std::string& bytes) {
        ASSERT_TRUE(files.Write(path, bytes));
    }

    size_t mark = 0;
    bool completed = false;
};

// n phones joining at one second, on 192.168.137.2 and up in that order, each
// answering pings and named PHONE-k.
inline std::string ManyPhones(int n) {
    std::string scenario = sim::SimulatedLaptop::DefaultScenario();
    // Without the default phones: only the first part of the default scenario.
    scenario = scenario.substr(0, scenario.find("device "));
    for (int k = 0; k < n; ++k) {
        char mac[32];
        std::snprintf(mac, sizeof mac, "02:00:00:00:00:%02x", k + 1);
        scenario += std::string("device ") + mac + " name=PHONE-" + std::to_string(k + 1) +
                    " join=1 ip=192.168.137." + std::to_string(k + 2) + "\n";
    }
    return scenario + "page /rjgx/lanz/tongji.html ok\n";
}

inline std::string ManyMac(int k) {
    char mac[32];
    std::snprintf(mac, sizeof mac, "02-00-00-00-00-%02x", k);
    return mac;
}

// A probe that answers as the laptop does and lets a test act in the middle of a
// ping or a lookup.
struct HookedProbe : NetworkProbe {
    explicit HookedProbe(NetworkProbe& real) : inner(real) {}
    bool Ping(const std::string& ip, int64_t timeoutMs, const StopSignal* stop) override {
        pings.push_back(ip + " " + std::to_string(timeoutMs));
        if (onPing)
            onPing(ip);
        return inner.Ping(ip, timeoutMs, stop);
    }
    std::string HostName(const std::string& ip) override {
        if (onLookup)
            onLookup(ip);
        return inner.HostName(ip);
    }
    NetworkProbe& inner;
    std::vector<std::string> pings;
    std::function<void(const std::string&)> onPing;
    std::function<void(const std::string&)> onLookup;
};

}  // namespace hs::clients::testing
