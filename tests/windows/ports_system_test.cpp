// The system ports under Wine: connection sharing (missing under Wine), adapter
// list and connection names, interface table, Internet state, services, shell, the
// random generator, and the Windows host that hands them all out. Shutdown is never
// called here.
#include <gtest/gtest.h>

#include <objbase.h>
#include <windows.h>
#include "sys/text.h"

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/adapters_win.h"
#include "platform/windows/interfaces_win.h"
#include "platform/windows/internet_win.h"
#include "platform/windows/random_win.h"
#include "platform/windows/services_win.h"
#include "platform/windows/sharing_win.h"
#include "platform/windows/shell_win.h"
#include "platform/windows/wide.h"
#include "platform/windows/windows_host.h"

namespace hs {
namespace {

// Every call of the sharing port on a thread without COM.
void ExpectSharingUnavailable() {
    win::WindowsSharing sharing;
    std::vector<SharingConnection> connections{{"kept", 2, false, SharingType::Public}};
    EXPECT_EQ(sharing.Connections(connections), SharingError::ServiceUnavailable);
    EXPECT_EQ(connections.size(), 1u);  // left as it was
    EXPECT_EQ(sharing.EnableSharing("本地连接", SharingType::Public),
              SharingError::ServiceUnavailable);
    EXPECT_EQ(sharing.EnableSharing("无线网络连接 2", SharingType::Private),
              SharingError::ServiceUnavailable);
    EXPECT_EQ(sharing.DisableSharing("本地连接"), SharingError::ServiceUnavailable);
}

TEST(WindowsSharing, FailsCleanlyWithoutTheSharingManager) {
    // A thread of its own: COM is initialised and released by each call.
    std::thread([] {
        ExpectSharingUnavailable();
        // Nothing was left initialised: this thread can still choose its COM mode.
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(hr, S_OK);
        if (SUCCEEDED(hr))
            CoUninitialize();
    }).join();
}

TEST(WindowsSharing, LeavesTheCallersComAsItWas) {
    // A thread whose COM already runs multithreaded: the calls use it as it is.
    std::thread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        ExpectSharingUnavailable();
        // Still initialised, still multithreaded: a second share is granted (S_FALSE).
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        CoUninitialize();
        CoUninitialize();
    }).join();
    // An apartment thread keeps its single share after the calls.
    std::thread([] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        ExpectSharingUnavailable();
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
        CoUninitialize();
        CoUninitialize();
    }).join();
}

TEST(WindowsAdapters, ListsTheAdaptersByTheirGuids) {
    win::WindowsAdapters adapters;
    std::vector<AdapterInfo> list{{"stale", "stale", 0, false, {}}};
    ASSERT_TRUE(adapters.Adapters(list));
    for (const AdapterInfo& adapter : list) {
        ASSERT_GE(adapter.adapterName.size(), 2u);
        EXPECT_EQ(adapter.adapterName.front(), '{') << adapter.adapterName;
        EXPECT_EQ(adapter.adapterName.back(), '}') << adapter.adapterName;
    }
    // The list is built anew on each call.
    std::vector<AdapterInfo> again;
    ASSERT_TRUE(adapters.Adapters(again));
    EXPECT_EQ(again.size(), list.size());
}

class ConnectionNameTest : public ::testing::Test {
  protected:
    static constexpr const wchar_t* kClassKey =
        L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\";
    static constexpr const char* kGuid = "{0A1B2C3D-4E5F-4071-8293-A4B5C6D7E8F9}";

    void SetUp() override { DeleteKey(); }
    void TearDown() override { DeleteKey(); }

    void WriteName(const std::wstring& name) {
        const std::wstring path = std::wstring(kClassKey) + win::Widen(kGuid) + L"\\Connection";
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                       static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    void DeleteKey() {
        const std::wstring guidKey = std::wstring(kClassKey) + win::Widen(kGuid);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, (guidKey + L"\\Connection").c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, guidKey.c_str());
    }

    win::WindowsAdapters adapters;
};

TEST_F(ConnectionNameTest, ReadsTheRegistryNameAsUtf8) {
    EXPECT_EQ(adapters.ConnectionName(kGuid), "");         // no key yet
    WriteName(L"\x65E0\x7EBF\x7F51\x7EDC\x8FDE\x63A5 2");  // "无线网络连接 2"
    EXPECT_EQ(adapters.ConnectionName(kGuid), "无线网络连接 2");
    WriteName(L"Local Area Connection* 12");
    EXPECT_EQ(adapters.ConnectionName(kGuid), "Local Area Connection* 12");
    // A name far beyond any first guess of the buffer size.
    const std::wstring longName(300, L'\x7F51');
    WriteName(longName);
    EXPECT_EQ(adapters.ConnectionName(kGuid), win::Narrow(longName));

    EXPECT_EQ(adapters.ConnectionName(""), "");
    EXPECT_EQ(adapters.ConnectionName("{00000000-0000-0000-0000-000000000000}"), "");
    // Not a GUID: nothing outside the adapter keys is read.
    EXPECT_EQ(adapters.ConnectionName(std::string(kGuid) + "\\..\\" + kGuid), "");
}

TEST(WindowsInterfaces, TheTableIsSortedAndHoldsTheLoopback) {
    win::WindowsInterfaces interfaces;
    std::vector<InterfaceRow> rows;
    ASSERT_TRUE(interfaces.Rows(rows));
    ASSERT_FALSE(rows.empty());
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LT(rows[i - 1].index, rows[i].index);
    const auto loopback = std::find_if(rows.begin(), rows.end(),
                                       [](const InterfaceRow& row) { return row.type == 24; });
    ASSERT_NE(loopback, rows.end());
    EXPECT_FALSE(loopback->description.empty());
    for (const InterfaceRow& row : rows) {
        EXPECT_EQ(row.description.find('\0'), std::string::npos);
        EXPECT_NE(row.index, 0u);
    }
}

TEST(WindowsInternet, AnswersWithATrimmedName) {
    const InternetState state = win::WindowsInternet().Query();
    if (!state.name.empty()) {
        EXPECT_NE(state.name.front(), ' ');
        EXPECT_NE(state.name.back(), ' ');
    }
    EXPECT_EQ(state.name.find('\0'), std::string::npos);
}

// The start type the registry keeps for a service; -1 when there is none.
int RegistryStartType(const std::string& service) {
    DWORD value = 0;
    DWORD size = sizeof value;
    const std::wstring path = L"SYSTEM\\CurrentControlSet\\Services\\" + win::Widen(service);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), L"Start", RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
        return -1;
    }
    return static_cast<int>(value);
}

TEST(WindowsServices, AMissingServiceCannotBeQueriedChangedOrStarted) {
    win::WindowsServices services;
    ServiceStatus status{7, 7};
    EXPECT_FALSE(services.Query("NoSuchServiceOfThisProgram", status));
    EXPECT_EQ(status.startType, 7);  // untouched
    EXPECT_FALSE(services.SetStartType("NoSuchServiceOfThisProgram", 3));
    EXPECT_FALSE(services.Start("NoSuchServiceOfThisProgram"));
    EXPECT_FALSE(services.Query("", status));
}

TEST(WindowsServices, ReadsTheStartTypeTheRegistryKeeps) {
    // A service every Wine prefix registers.
    const std::string name = "RpcSs";
    const int registered = RegistryStartType(name);
    ASSERT_GE(registered, 0);
    win::WindowsServices services;
    ServiceStatus status;
    ASSERT_TRUE(services.Query(name, status));
    EXPECT_EQ(status.startType, registered);
    EXPECT_GE(status.currentState, 1);
    EXPECT_LE(status.currentState, 7);
    // Setting the same start type changes nothing and is accepted.
    EXPECT_TRUE(services.SetStartType(name, registered));
    EXPECT_EQ(RegistryStartType(name), registered);
}

TEST(WindowsShell, OpensOnlyWebAddresses) {
    win::WindowsShell shell;
    // Refused before anything reaches the shell (these must never start anything).
    EXPECT_FALSE(shell.OpenUrl("file:///c:/x.exe"));
    EXPECT_FALSE(shell.OpenUrl("c:\\windows\\notepad.exe"));
    EXPECT_FALSE(shell.OpenUrl("javascript:alert(1)"));
    EXPECT_FALSE(shell.OpenUrl(""));
    EXPECT_FALSE(shell.OpenUrl("notepad.exe"));

    // The check alone, for addresses that would open a browser if handed on.
    EXPECT_TRUE(IsWebAddress("http://127.0.0.1/rjgx/lanz/lanzgx.html"));
    EXPECT_TRUE(IsWebAddress("HTTPS://example.com/down/x.exe"));
    EXPECT_FALSE(IsWebAddress("http://"));
    EXPECT_FALSE(IsWebAddress("http:///c:/x.exe"));
    EXPECT_FALSE(IsWebAddress("http:\\\\host\\share\\x.exe"));
    EXPECT_FALSE(IsWebAddress("http://host/a\" --flag \"b"));
    EXPECT_FALSE(IsWebAddress("http://host/a b"));
    EXPECT_FALSE(IsWebAddress("http://host/\r\nx"));
    EXPECT_FALSE(IsWebAddress(" http://host/"));
    EXPECT_FALSE(IsWebAddress("httpx://host/"));
}

TEST(WindowsShell, StartsProgramsDetached) {
    win::WindowsShell shell;
    EXPECT_TRUE(shell.StartDetached("cmd.exe /c exit 0"));
    EXPECT_FALSE(shell.StartDetached("no-such-program-of-this-test.exe"));
    EXPECT_FALSE(shell.StartDetached(""));
}

TEST(WindowsRandom, GivesFreshBytesOnEveryCall) {
    win::WindowsRandom random;
    std::vector<uint8_t> first(64), second(64);
    ASSERT_TRUE(random.Fill(first.data(), first.size()));
    ASSERT_TRUE(random.Fill(second.data(), second.size()));
    // 64 bytes that are all zero, or twice the same, come from no working generator.
    EXPECT_NE(first, std::vector<uint8_t>(64, 0));
    EXPECT_NE(first, second);
    EXPECT_TRUE(random.Fill(nullptr, 0));
}

TEST(WindowsHost, HandsOutEveryPort) {
    win::WindowsHost windows;
    const Host& host = windows.host();
    EXPECT_NE(host.commands, nullptr);
    EXPECT_NE(host.clock, nullptr);
    EXPECT_NE(host.codec, nullptr);
    EXPECT_NE(host.files, nullptr);
    EXPECT_NE(host.system, nullptr);
    EXPECT_NE(host.desktop, nullptr);
    EXPECT_NE(host.sharing, nullptr);
    EXPECT_NE(host.adapters, nullptr);
    EXPECT_NE(host.interfaces, nullptr);
    EXPECT_NE(host.internet, nullptr);
    EXPECT_NE(host.services, nullptr);
    EXPECT_NE(host.http, nullptr);
    EXPECT_NE(host.shell, nullptr);
    EXPECT_NE(host.network, nullptr);
    EXPECT_NE(host.power, nullptr);
    EXPECT_NE(host.random, nullptr);
}

}  // namespace
}  // namespace hs
