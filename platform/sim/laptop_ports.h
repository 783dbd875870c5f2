// Inside the simulated laptop: the state the ports share and the port objects.
#pragma once

#include <memory>
#include <mutex>

#include "platform/host.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {

struct LaptopCore {
    LaptopCore(Clock& c, TextCodec& t, FileStore& f) : clock(c), codec(t), files(f) {}
    Clock& clock;
    TextCodec& codec;
    FileStore& files;
    int64_t epochMs = 0;
    std::mutex mutex;
    LaptopModel model;

    // Takes the lock and brings the model up to the clock's present time.
    std::unique_lock<std::mutex> Lock() {
        const int64_t now = clock.NowMs() - epochMs;
        std::unique_lock<std::mutex> lock(mutex);
        model.AdvanceTo(now);
        return lock;
    }
};

struct LaptopPorts {
    std::unique_ptr<CommandRunner> commands;
    std::unique_ptr<SystemInfo> system;
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<SharingManager> sharing;
    std::unique_ptr<AdapterList> adapters;
    std::unique_ptr<WirelessLan> wireless;
    std::unique_ptr<InterfaceTable> interfaces;
    std::unique_ptr<InternetQuery> internet;
    std::unique_ptr<NetworkProbe> network;
    std::unique_ptr<ServiceManager> services;
    std::unique_ptr<HttpClient> http;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Power> power;
    std::unique_ptr<RandomSource> random;
    std::unique_ptr<Tethering> tethering;
};

// laptop_network_ports.cpp
std::unique_ptr<SharingManager> MakeSharingPort(LaptopCore& core);
std::unique_ptr<AdapterList> MakeAdapterPort(LaptopCore& core);
std::unique_ptr<WirelessLan> MakeWirelessPort(LaptopCore& core);
std::unique_ptr<InterfaceTable> MakeInterfacePort(LaptopCore& core);
std::unique_ptr<InternetQuery> MakeInternetPort(LaptopCore& core);
std::unique_ptr<NetworkProbe> MakeProbePort(LaptopCore& core);
// laptop_system_ports.cpp
std::unique_ptr<CommandRunner> MakeCommandPort(LaptopCore& core);
std::unique_ptr<SystemInfo> MakeSystemPort(LaptopCore& core);
std::unique_ptr<Desktop> MakeDesktopPort(LaptopCore& core);
std::unique_ptr<ServiceManager> MakeServicePort(LaptopCore& core);
std::unique_ptr<HttpClient> MakeHttpPort(LaptopCore& core);
std::unique_ptr<Shell> MakeShellPort(LaptopCore& core);
std::unique_ptr<Power> MakePowerPort(LaptopCore& core);
std::unique_ptr<RandomSource> MakeRandomPort(LaptopCore& core);
// laptop_tethering.cpp
std::unique_ptr<Tethering> MakeTetheringPort(LaptopCore& core);

}  // namespace hs::sim
