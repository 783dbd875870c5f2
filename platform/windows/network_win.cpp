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
#include "sys/worker.h"

namespace hs::win {
namespace {

constexpr char kEchoData[] = "abcdefghijklmnopqrstuvwabcdefghi";
// Longest wait one request may make: the limit is a 32-bit count of milliseconds.
constexpr int64_t kMaxTimeoutMs = 60000;

bool ParseIpv4(const std::string& text, IN_ADDR& address) {
    uint32_t value = 0;
    if (!ParseDottedQuad(text, value))
        return false;
    // The first part is the first byte in memory: network order.
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&address.S_un.S_addr);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
    return true;
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

// The name registered for the address, or nothing: never the address itself.
std::string LookUpName(IN_ADDR address) {
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr = address;
    wchar_t host[NI_MAXHOST] = {};
    if (GetNameInfoW(reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress, host,
                     NI_MAXHOST, nullptr, 0, NI_NAMEREQD) != 0) {
        return {};
    }
    return Narrow(host);
}

}  // namespace

bool ParseDottedQuad(const std::string& text, uint32_t& value) {
    uint32_t result = 0;
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (at >= text.size() || text[at] != '.')
                return false;
            ++at;
        }
        const size_t start = at;
        uint32_t number = 0;
        while (at < text.size() && at - start < 4 && text[at] >= '0' && text[at] <= '9')
            number = number * 10 + static_cast<uint32_t>(text[at++] - '0');
        const size_t digits = at - start;
        if (digits == 0 || digits > 3 || number > 255 || (digits > 1 && text[start] == '0'))
            return false;
        result = (result << 8) | number;
    }
    if (at != text.size())
        return false;
    value = result;
    return true;
}

bool WindowsNetworkProbe::Ping(const std::string& ipv4, int64_t timeoutMs, const StopSignal* stop) {
    IN_ADDR parsed{};
    if (!ParseIpv4(ipv4, parsed))
        return false;
    const IPAddr address = parsed.S_un.S_addr;
    const DWORD timeout = static_cast<DWORD>(
        timeoutMs < 1 ? 1 : (timeoutMs > kMaxTimeoutMs ? kMaxTimeoutMs : timeoutMs));
    const std::optional<bool> answered = RunUnlessStopped<bool>(
        calls_, stop,
        [address, timeout](const std::atomic<bool>&) { return SendEcho(address, timeout); });
    return answered.value_or(false);
}

std::string WindowsNetworkProbe::HostName(const std::string& ipv4) {
    IN_ADDR parsed{};
    if (!ParseIpv4(ipv4, parsed) || !WinsockReady())
        return {};
    // The lookup can take seconds (DNS, then NetBIOS); a worker asked to stop gives up
    // on it at once and the lookup ends on its own.
    const std::optional<std::string> name = RunUnlessStopped<std::string>(
        calls_, CurrentStop(), [parsed](const std::atomic<bool>&) { return LookUpName(parsed); });
    return name.value_or(std::string());
}

}  // namespace hs::win
