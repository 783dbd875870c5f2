// The client-list pass's own work over large ARP tables: the commands answer at once
// from memory and the clock is virtual, so the prescribed pauses cost nothing and
// what is measured is parsing, matching, blocking decisions and the names file.
// Not a test.
//
//   client_pass_bench [passes=20]
//
// Prints the milliseconds per pass for 1,000 and 4,000 ARP entries (every entry an
// associated station, one in fifty blacklisted, the first 15 named) and their ratio.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "backend/hosted_network.h"
#include "clients/client_pass.h"
#include "clients/data_file.h"
#include "platform/native_codec.h"
#include "platform/sim/virtual_clock.h"
#include "tests/large_listings.h"

namespace {

using hs::testing::LargeArpListing;
using hs::testing::LargeHostedStatus;

class Answers : public hs::CommandRunner {
  public:
    std::map<std::string, std::string> outputs;
    bool Run(const std::string& commandLine, const hs::StopSignal*, std::string& output) override {
        const auto it = outputs.find(commandLine);
        output = it == outputs.end() ? std::string() : it->second;
        return true;
    }
};

class MemoryFiles : public hs::FileStore {
  public:
    std::map<std::string, std::string> files;
    hs::FileRead Read(const std::string& path, std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end())
            return hs::FileRead::Missing;
        bytes = it->second;
        return hs::FileRead::Ok;
    }
    bool Write(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return true;
    }
};

class Probe : public hs::NetworkProbe {
  public:
    bool Ping(const std::string&, int64_t, const hs::StopSignal*) override { return true; }
    std::string HostName(const std::string&) override { return "PHONE.mshome.net"; }
};

struct Quiet : hs::clients::ClientPassSink {
    size_t rows = 0;
    void Counted(int, const std::string&) override {}
    void Listed(const std::vector<hs::clients::ClientRow>& list) override { rows = list.size(); }
    void Named(const std::string&, const std::string&) override {}
};

double MsPerPass(int entries, int passes) {
    Answers commands;
    hs::sim::VirtualClock clock;
    std::unique_ptr<hs::TextCodec> codec = hs::MakeNativeCodec();
    MemoryFiles files;
    Probe probe;
    hs::Host host;
    host.commands = &commands;
    host.clock = &clock;
    host.codec = codec.get();
    host.files = &files;
    host.network = &probe;
    commands.outputs["arp -a"] = LargeArpListing(entries);
    commands.outputs["netsh wlan show hostednetwork"] = LargeHostedStatus(entries);
    std::string blacklist;
    for (int i = 0; i < entries; i += 50)
        blacklist += hs::testing::StationMac(static_cast<unsigned>(i), '-') + "+拉黑\r\n";
    files.files[hs::clients::kBlacklistPath] = codec->Utf8ToGbk(blacklist);

    Quiet sink;
    hs::backend::HostedNetwork network(host);
    hs::clients::RefreshClientList(host, network, "26", sink);  // warm-up; names the first 15
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < passes; ++i)
        hs::clients::RefreshClientList(host, network, "26", sink);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("  %5d entries: %zu rows, %.3f ms per pass\n", entries, sink.rows,
                seconds * 1000 / passes);
    return seconds * 1000 / passes;
}

}  // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::printf("client-list pass, %d passes each (virtual clock)\n", passes);
    const double small = MsPerPass(1000, passes);
    const double large = MsPerPass(4000, passes);
    std::printf("  ratio 4000 / 1000: %.2f (target at most 4.5; 1000 under 20 ms)\n",
                large / small);
    return 0;
}
