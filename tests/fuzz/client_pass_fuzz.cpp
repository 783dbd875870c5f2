// One client-list pass over arbitrary "arp -a" output, hosted-network status and
// blacklist and names files: a listed device's IP address and hardware address come
// from one line of the table; only stations of the network are listed; only
// blacklisted stations are blocked, never listed, and each block is for an address on
// a line of such a station; names go to listed devices only, and the names file keeps
// every line of a device that was not listed.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "backend/hosted_network.h"
#include "clients/blacklist.h"
#include "clients/client_pass.h"
#include "clients/data_file.h"
#include "tests/fuzz/fuzz_driver.h"
#include "tests/fuzz/fuzz_ports.h"

namespace {

using hs::fuzz::Check;
using hs::fuzz::HasNoCase;

constexpr const char* kIndex = "26";

struct Recorder : hs::clients::ClientPassSink {
    void Counted(int devices, const std::string&) override {
        ++counts;
        count = devices;
    }
    void Listed(const std::vector<hs::clients::ClientRow>& list) override {
        ++lists;
        rows = list;
    }
    void Named(const std::string& mac, const std::string&) override { named.push_back(mac); }
    int counts = 0;
    int lists = 0;
    int count = -1;
    std::vector<hs::clients::ClientRow> rows;
    std::vector<std::string> named;
};

std::vector<std::string_view> LineTexts(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::string_view piece : hs::fuzz::Pieces(text)) {
        while (!piece.empty() && (piece.back() == '\n' || piece.back() == '\r'))
            piece.remove_suffix(1);
        lines.push_back(piece);
    }
    return lines;
}

// Whether a line of the blacklist file holds the address before its first "+".
bool Blacklisted(std::string_view file, std::string_view mac) {
    for (std::string_view line : LineTexts(file)) {
        if (HasNoCase(line.substr(0, line.find('+')), mac))
            return true;
    }
    return false;
}

std::string Upper(std::string_view text) {
    return hs::clients::UpperAscii(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    const std::vector<std::string> fields =
        hs::fuzz::Fields(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), 4);
    hs::TextCodec& codec = hs::fuzz::Codec();
    // The runner hands the program the console's bytes decoded.
    const std::string arp = codec.GbkToUtf8(fields[0]);
    const std::string status = codec.GbkToUtf8(fields[1]);
    const std::string& blacklist = fields[2];
    const std::string& names = fields[3];

    hs::fuzz::ScriptedCommands commands;
    commands.answers["arp -a"] = arp;
    commands.answers["netsh wlan show hostednetwork"] = status;
    hs::fuzz::QuietClock clock;
    hs::fuzz::MemoryFiles files;
    files.files[hs::clients::kBlacklistPath] = blacklist;
    if (!(mode & 1))
        files.files[hs::clients::kNamesPath] = names;
    hs::fuzz::AddressProbe probe;
    hs::Host host;
    host.commands = &commands;
    host.clock = &clock;
    host.codec = &codec;
    host.files = &files;
    host.network = &probe;
    hs::backend::HostedNetwork network(host);

    Recorder sink;
    Check(hs::clients::RefreshClientList(host, network, kIndex, sink));
    const hs::backend::Stations stations = hs::backend::ReadHostedNetworkStatus(status);
    Check(sink.counts == 1 && sink.lists == 1 && sink.count == stations.devices);

    const std::vector<std::string_view> arpLines = LineTexts(arp);
    std::set<std::string> listed;
    for (const hs::clients::ClientRow& row : sink.rows) {
        const std::string mac = Upper(row.mac);
        Check(hs::clients::IsDashAddress(row.mac) && mac != hs::clients::kZeroAddress);
        Check(stations.addresses.count(mac) == 1);
        Check(!Blacklisted(blacklist, mac));
        Check(!row.ip.empty() && row.ip.find_first_not_of("0123456789.") == std::string::npos);
        bool oneLine = false;
        for (std::string_view line : arpLines)
            oneLine = oneLine || (line.find(row.ip) != std::string_view::npos &&
                                  line.find(row.mac) != std::string_view::npos);
        Check(oneLine);
        listed.insert(mac);
    }
    for (const std::string& mac : sink.named)
        Check(listed.count(Upper(mac)) == 1);

    // The commands: the two readings, then only blocks, each for the address of an
    // entry line of a blacklisted station.
    Check(commands.ran.size() >= 2 && commands.ran[0] == "arp -a" &&
          commands.ran[1] == "netsh wlan show hostednetwork");
    for (size_t i = 2; i < commands.ran.size(); ++i) {
        const std::string& command = commands.ran[i];
        const std::string head = hs::clients::BlockCommand(kIndex, "");
        const size_t open = head.find('"') + 1;
        Check(command.compare(0, open, head, 0, open) == 0);
        const std::string ip = command.substr(open, command.find('"', open) - open);
        Check(command == hs::clients::BlockCommand(kIndex, ip));
        bool blocked = false;
        for (std::string_view line : arpLines) {
            if (line.find(ip) == std::string_view::npos)
                continue;
            for (const std::string& station : stations.addresses) {
                blocked = blocked || (HasNoCase(line, station) && Blacklisted(blacklist, station) &&
                                      station != hs::clients::kZeroAddress);
            }
        }
        Check(blocked);
    }

    // The names file: a line of a device that was not listed is where it was, as it was.
    if (mode & 1)
        return 0;
    const std::vector<std::string_view> before = hs::fuzz::Pieces(names);
    const std::vector<std::string_view> after =
        hs::fuzz::Pieces(files.files[hs::clients::kNamesPath]);
    Check(after.size() >= before.size());
    for (size_t i = 0; i + 1 < before.size(); ++i) {
        if (after[i] == before[i])
            continue;
        const std::string_view line = before[i].substr(0, before[i].find('+'));
        bool ofListed = false;
        for (const std::string& mac : listed)
            ofListed = ofListed || HasNoCase(line, mac);
        Check(ofListed);
    }
    return 0;
}

namespace {

std::vector<std::string> Seeds() {
    hs::TextCodec& codec = hs::fuzz::Codec();
    const std::string arp = codec.Utf8ToGbk(
        "\r\n接口: 192.168.1.105 --- 0xb\r\n  Internet 地址         物理地址              类型\r\n"
        "  192.168.1.1           c8-3a-35-84-78-1e     动态\r\n\r\n"
        "接口: 192.168.137.1 --- 0x1a\r\n  Internet 地址         物理地址              类型\r\n"
        "  192.168.137.23        A4-5E-60-C1-22-33     动态\r\n"
        "  192.168.137.61        00-00-00-00-00-00     静态\r\n"
        "  192.168.137.98        5c-51-88-0d-e4-a2     动态\r\n"
        "  192.168.137.140       f0-db-e2-44-10-7e     动态\r\n"
        "  192.168.137.141       f0-db-e2-44-10-7e     动态\r\n"
        "  192.168.137.255       ff-ff-ff-ff-ff-ff     静态\r\n"
        "  224.0.0.22            01-00-5e-00-00-16     静态\r\n");
    const std::string status = codec.Utf8ToGbk(
        "\r\n承载网络状态\r\n------------\r\n    状态                   : 已启动\r\n"
        "    BSSID                  : 8e:70:5a:1c:2b:3d\r\n    客户端数               : 3\r\n"
        "        a4:5e:60:c1:22:33        已经过身份验证\r\n"
        "        3c:15:c2:9a:8b:01        已经过身份验证\r\n"
        "        f0:db:e2:44:10:7e        已经过身份验证\r\n");
    const std::string blacklist = "x+a4-5e-60-c1-22-33\r\nF0-DB-E2-44-10-7E+\xff\r\n";
    const std::string names = codec.Utf8ToGbk("\r\na4-5e-60-c1-22-33+安卓设备\r\n") +
                              "5c-51-88-0d-e4-a2+\x01\r\nf0-db-e2-44-10-7e+\r";
    return {
        "\x00" + hs::fuzz::Join({arp, status, blacklist, names}),
        "\x01" + hs::fuzz::Join({arp, status, "", ""}),
        "\x02" + hs::fuzz::Join({arp, status, "a4-5e-60-c1-22-33+\r\n", names}),
        std::string("\x00", 1) + hs::fuzz::Join({"", "", "", ""}),
    };
}

}  // namespace

HS_FUZZ_MAIN(Seeds())
