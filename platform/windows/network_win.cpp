#include "platform/windows/network_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <iphlpapi.h>

#include <icmpapi.h>

#include <mutex>
#include <vector>

#include "platform/windows/stoppable_call.h"
#include "platform/windows/wide.h"

namespace hs::win {
namespace {

constexpr char kEchoData[] = "abcdefghijklmnopqrstuvwabcdefghi";
// Longest wait one request may make: the limit is a 32-bit count of milliseconds.
constexpr int64_t kMaxTimeoutMs = 60000;

// The dotted IPv4 address in network order; false for anything else.
bool ParseIpv4(const std::string& text, IN_ADDR& address) {
    if (text.empty() || text.size() > 15)
        return false;
    return InetPtonW(AF_INET, Widen(text).c_str(), &address) == 1;
}

bool SendEcho(IPAddr address, DWORD timeoutMs) {
    HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE)
        return false;
    const DWORD dataSize = sizeof kEchoData - 1;
    // One reply record, its data, and room for an ICMP error message.
    std::vector<unsigned char> reply(sizeof(ICMP_ECHO_REPLY) + dataSize + 8 + 64);
    const DWORD answers =
        IcmpSendEcho(icmp, address, const_cast<char*>(kEchoData), static_cast<WORD>(dataSize),
                     nullptr, reply.data(), static_cast<DWORD>(reply.size()), timeoutMs);
    bool answered = false;
    if (answers > 0) {
        const auto* record = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data());
        answered = record->Status == IP_SUCCESS && record->Address == address;
    }
    IcmpCloseHandle(icmp);
    return answered;
}

bool WinsockReady() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        WSADATA data;
        ready = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    });
    return ready;
}

}  // namespace

bool WindowsNetworkProbe::Ping(const std::string& ipv4, int64_t timeoutMs, const StopSignal* stop) {
    IN_ADDR parsed{};
    if (!ParseIpv4(ipv4, parsed))
        return false;
    const IPAddr address = parsed.S_un.S_addr;
    const DWORD timeout = static_cast<DWORD>(
        timeoutMs < 1 ? 1 : (timeoutMs > kMaxTimeoutMs ? kMaxTimeoutMs : timeoutMs));
    const std::optional<bool> answered = RunUnlessStopped<bool>(
        stop, [address, timeout](const std::atomic<bool>&) { return SendEcho(address, timeout); });
    return answered.value_or(false);
}

std::string WindowsNetworkProbe::HostName(const std::string& ipv4) {
    IN_ADDR parsed{};
    if (!ParseIpv4(ipv4, parsed) || !WinsockReady())
        return {};
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr = parsed;
    wchar_t host[NI_MAXHOST] = {};
    if (GetNameInfoW(reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress, host,
                     NI_MAXHOST, nullptr, 0, NI_NAMEREQD) != 0) {
        return {};
    }
    return Narrow(host);
}

}  // namespace hs::win
