// Console listings of a laptop that shares to thousands of stations, for the tests
// and benchmarks that measure the pattern work over them. The text is what Chinese
// Windows prints, with CR LF line ends; station i has the hardware address
// a4:5e:60 followed by the low 24 bits of i.
#pragma once

#include <string>

namespace hs::testing {

inline std::string StationMac(unsigned i, char separator) {
    static const char digits[] = "0123456789abcdef";
    std::string mac = "a4";
    for (const unsigned part : {0x5eu, 0x60u, i >> 16, i >> 8, i}) {
        mac += separator;
        mac += digits[(part >> 4) & 15];
        mac += digits[part & 15];
    }
    return mac;
}

// "arp -a" with the upstream's interface and the hosted one holding `entries`
// stations (addresses 192.168.137.2 to .251, repeating), then the broadcast and
// multicast entries.
inline std::string LargeArpListing(int entries) {
    std::string arp =
        "\r\n接口: 192.168.1.105 --- 0xb\r\n"
        "  Internet 地址         物理地址              类型\r\n"
        "  192.168.1.1           c8-3a-35-84-78-1e     动态\r\n"
        "  192.168.1.255         ff-ff-ff-ff-ff-ff     静态\r\n"
        "\r\n接口: 192.168.137.1 --- 0x1a\r\n"
        "  Internet 地址         物理地址              类型\r\n";
    for (int i = 0; i < entries; ++i) {
        std::string ip = "192.168.137." + std::to_string(2 + i % 250);
        ip.resize(22, ' ');
        arp += "  " + ip + StationMac(static_cast<unsigned>(i), '-') + "     动态\r\n";
    }
    arp +=
        "  192.168.137.255       ff-ff-ff-ff-ff-ff     静态\r\n"
        "  224.0.0.22            01-00-5e-00-00-16     静态\r\n"
        "  255.255.255.255       ff-ff-ff-ff-ff-ff     静态\r\n";
    return arp;
}

// "netsh wlan show hostednetwork" of a started hosted network with `entries`
// authenticated stations.
inline std::string LargeHostedStatus(int entries) {
    std::string status =
        "\r\n承载网络设置\r\n------------\r\n    模式                   : 已启用\r\n"
        "\r\n承载网络状态\r\n------------\r\n    状态                   : 已启动\r\n"
        "    BSSID                  : 8e:70:5a:1c:2b:3d\r\n"
        "    客户端数               : " +
        std::to_string(entries) + "\r\n";
    for (int i = 0; i < entries; ++i)
        status +=
            "        " + StationMac(static_cast<unsigned>(i), ':') + "        已经过身份验证\r\n";
    return status + "\r\n";
}

}  // namespace hs::testing
