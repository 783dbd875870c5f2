#include "platform/windows/adapters_win.h"

#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <cstring>

#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// The list can grow between the call that sizes the buffer and the call that fills
// it (an adapter appears); a few rounds are enough for any real machine.
constexpr int kSizingRounds = 8;

const wchar_t kNetworkClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";

// A fixed-size ANSI field up to its first zero byte.
std::string Field(const char* field, size_t capacity) {
    return std::string(field, strnlen(field, capacity));
}

}  // namespace

bool WindowsAdapters::Adapters(std::vector<AdapterInfo>& out) {
    // Records hold pointers, so the buffer is made of whole records for alignment.
    std::vector<IP_ADAPTER_INFO> buffer(1);
    for (int round = 0; round < kSizingRounds; ++round) {
        ULONG size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
        const DWORD result = GetAdaptersInfo(buffer.data(), &size);
        if (result == ERROR_NO_DATA) {
            out.clear();
            return true;
        }
        if (result == ERROR_BUFFER_OVERFLOW) {
            buffer.resize(size / sizeof(IP_ADAPTER_INFO) + 1);
            continue;
        }
        if (result != ERROR_SUCCESS)
            return false;
        std::vector<AdapterInfo> list;
        for (const IP_ADAPTER_INFO* record = buffer.data(); record != nullptr;
             record = record->Next) {
            AdapterInfo info;
            info.adapterName = Field(record->AdapterName, sizeof record->AdapterName);
            info.description =
                FromCodePage(Field(record->Description, sizeof record->Description), CP_ACP);
            info.index = static_cast<int>(record->Index);
            info.dhcpEnabled = record->DhcpEnabled != 0;
            // An adapter without an address lists the unset "0.0.0.0" once.
            for (const IP_ADDR_STRING* address = &record->IpAddressList; address != nullptr;
                 address = address->Next) {
                std::string text =
                    Field(address->IpAddress.String, sizeof address->IpAddress.String);
                if (!text.empty() && text != "0.0.0.0")
                    info.ipv4.push_back(std::move(text));
            }
            list.push_back(std::move(info));
        }
        out = std::move(list);
        return true;
    }
    return false;
}

std::string WindowsAdapters::ConnectionName(const std::string& adapterName) {
    // The name is a GUID; anything that could lead to another key is not looked up.
    if (adapterName.empty() || adapterName.find('\\') != std::string::npos)
        return {};
    const std::wstring path = kNetworkClassKey + Widen(adapterName) + L"\\Connection";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::wstring name;
    DWORD type = 0;
    DWORD bytes = 0;
    LONG result = RegQueryValueExW(key, L"Name", nullptr, &type, nullptr, &bytes);
    // The value can change between the two calls; the second call reports a size
    // that is too small as ERROR_MORE_DATA and is then tried once more.
    for (int round = 0; round < 3 && result == ERROR_SUCCESS; ++round) {
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            break;
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        result = RegQueryValueExW(key, L"Name", nullptr, &type,
                                  reinterpret_cast<BYTE*>(text.data()), &got);
        if (result == ERROR_MORE_DATA) {
            bytes = got;
            result = ERROR_SUCCESS;
            continue;
        }
        if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            text.resize(got / sizeof(wchar_t));
            // The stored text may or may not end in zero characters.
            const size_t end = text.find(L'\0');
            if (end != std::wstring::npos)
                text.resize(end);
            name = std::move(text);
        }
        break;
    }
    RegCloseKey(key);
    return Narrow(name);
}

}  // namespace hs::win
