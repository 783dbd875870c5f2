// The Mobile Hotspot port against a stand-in for the system's tethering and
// connection-profile classes (standin_tethering.dll), which the test registers where
// the runtime's activation looks for classes and removes again at its end. After every
// case the stand-in must report that each object and string it handed out was released.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/tethering_win.h"
#include "tests/windows/standin_tethering/standin_control.h"

namespace hs {
namespace {

const wchar_t kClassRoot[] = L"Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\";
const wchar_t* const kClasses[] = {
    L"Windows.Networking.Connectivity.NetworkInformation",
    L"Windows.Networking.NetworkOperators.NetworkOperatorTetheringManager",
    L"Windows.Networking.NetworkOperators.NetworkOperatorTetheringAccessPointConfiguration",
};
const wchar_t* const kValues[] = {L"DllPath", L"ActivationType", L"Threading"};

constexpr GUID kEthernet = {0x1B2C3D4E, 0x0001, 0x4000, {0x80, 1, 2, 3, 4, 5, 6, 7}};
constexpr GUID kWireless = {0x1B2C3D4E, 0x0002, 0x4000, {0x80, 1, 2, 3, 4, 5, 6, 8}};
constexpr GUID kTunnel = {0x1B2C3D4E, 0x0003, 0x4000, {0x80, 1, 2, 3, 4, 5, 6, 9}};
// kWireless as the adapter list writes it, in lower case to show the match ignores case.
const char kWirelessText[] = "{1b2c3d4e-0002-4000-8001-020304050608}";

constexpr uint32_t kClassNotRegistered = 0x80040154;

std::wstring StandinPath() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"standin_tethering.dll";
}

// One registry value as it was before the test.
struct SavedValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct SavedKey {
    bool existed = false;
    SavedValue values[3];
};

std::wstring KeyPath(const wchar_t* className) {
    return std::wstring(kClassRoot) + className;
}

SavedKey Save(const wchar_t* className) {
    SavedKey saved;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(className).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return saved;
    }
    saved.existed = true;
    for (int i = 0; i < 3; ++i) {
        DWORD size = 0;
        if (RegQueryValueExW(key, kValues[i], nullptr, &saved.values[i].type, nullptr, &size) ==
            ERROR_SUCCESS) {
            saved.values[i].data.resize(size);
            saved.values[i].present =
                RegQueryValueExW(key, kValues[i], nullptr, &saved.values[i].type,
                                 saved.values[i].data.data(), &size) == ERROR_SUCCESS;
        }
    }
    RegCloseKey(key);
    return saved;
}

void Restore(const wchar_t* className, const SavedKey& saved) {
    if (!saved.existed) {
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, KeyPath(className).c_str());
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(className).c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const SavedValue& value = saved.values[i];
        if (value.present) {
            RegSetValueExW(key, kValues[i], 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        } else {
            RegDeleteValueW(key, kValues[i]);
        }
    }
    RegCloseKey(key);
}

bool Register(const wchar_t* className, const std::wstring& dll) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath(className).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD zero = 0;  // in-process; both apartments
    bool ok =
        RegSetValueExW(key, L"DllPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                       static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ok = ok && RegSetValueExW(key, L"ActivationType", 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&zero), sizeof zero) == ERROR_SUCCESS;
    ok = ok && RegSetValueExW(key, L"Threading", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                              sizeof zero) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// A laptop with Ethernet (the Internet profile), Wi-Fi and a tunnel, the hotspot off,
// and operations that complete after 120 ms.
StandinBehaviour Laptop() {
    StandinBehaviour b{};
    b.profileCount = 3;
    b.profileAdapters[0] = kEthernet;
    b.profileAdapters[1] = kWireless;
    b.profileAdapters[2] = kTunnel;
    b.internetProfile = 0;
    b.state = 2;
    b.maxClientCount = 8;
    b.hasStatics4 = 1;
    b.createResult = S_OK;
    b.delayMs = 120;
    b.operationError = S_OK;
    return b;
}

void Copy(wchar_t* to, size_t capacity, const wchar_t* from) {
    wcsncpy(to, from, capacity - 1);
    to[capacity - 1] = 0;
}

class WindowsTetheringTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::wstring dll = StandinPath();
        module_ = LoadLibraryW(dll.c_str());
        if (module_ == nullptr)
            return;
        set_ = reinterpret_cast<StandinSetFn>(
            reinterpret_cast<void*>(GetProcAddress(module_, "StandinSet")));
        read_ = reinterpret_cast<StandinReadFn>(
            reinterpret_cast<void*>(GetProcAddress(module_, "StandinRead")));
        registered_ = true;
        for (int i = 0; i < 3; ++i) {
            saved_[i] = Save(kClasses[i]);
            registered_ = Register(kClasses[i], dll) && registered_;
        }
    }
    static void TearDownTestSuite() {
        for (int i = 0; i < 3; ++i)
            Restore(kClasses[i], saved_[i]);
    }
    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "standin_tethering.dll beside the test";
        ASSERT_NE(set_, nullptr);
        ASSERT_NE(read_, nullptr);
        ASSERT_TRUE(registered_);
        Behave(Laptop());
    }
    // Every object and string the stand-in handed out was released by the port.
    void TearDown() override {
        if (read_ == nullptr)
            return;
        const StandinRecord r = Read();
        EXPECT_EQ(r.liveObjects, 0);
        EXPECT_EQ(r.liveStrings, 0);
    }
    void Behave(const StandinBehaviour& behaviour) { set_(&behaviour); }
    StandinRecord Read() {
        StandinRecord record{};
        read_(&record);
        return record;
    }

    static HMODULE module_;
    static StandinSetFn set_;
    static StandinReadFn read_;
    static bool registered_;
    static SavedKey saved_[3];
};

HMODULE WindowsTetheringTest::module_ = nullptr;
StandinSetFn WindowsTetheringTest::set_ = nullptr;
StandinReadFn WindowsTetheringTest::read_ = nullptr;
bool WindowsTetheringTest::registered_ = false;
SavedKey WindowsTetheringTest::saved_[3];

// Declared first, so it runs before the suite that registers the stand-in: Wine has
// no tethering manager of its own.
TEST(WindowsTetheringUnregistered, IsUnavailableWithTheClassNotRegisteredCode) {
    win::WindowsTethering tethering;
    TetheringInfo info;
    info.maxClientCount = 99;
    TetheringAnswer answer = tethering.Query("", info);
    EXPECT_EQ(answer.failure, TetheringFailure::Unavailable);
    EXPECT_EQ(answer.code, kClassNotRegistered);
    EXPECT_EQ(info.maxClientCount, 99u);  // left as it was
    answer = tethering.Start("", nullptr);
    EXPECT_EQ(answer.failure, TetheringFailure::Unavailable);
    EXPECT_EQ(answer.code, kClassNotRegistered);
    EXPECT_EQ(tethering.KeepOnWithoutClients().code, kClassNotRegistered);
}

TEST_F(WindowsTetheringTest, QueryReadsTheManagerOfTheUpstreamsProfileAndTheTimeout) {
    win::WindowsTethering tethering;
    StandinBehaviour b = Laptop();
    b.capability = 0;
    b.state = 1;
    b.clientCount = 2;
    b.timeoutEnabled = 1;
    Behave(b);
    TetheringInfo info;
    ASSERT_EQ(tethering.Query(kWirelessText, info).failure, TetheringFailure::None);
    EXPECT_TRUE(IsEqualGUID(Read().managerProfileAdapter, kWireless));
    EXPECT_EQ(info.state, 1);
    EXPECT_EQ(info.clientCount, 2u);
    EXPECT_EQ(info.maxClientCount, 8u);
    EXPECT_TRUE(info.timeoutKnown);
    EXPECT_TRUE(info.timeoutEnabled);

    // An adapter no profile has: the Internet profile is shared. A system before
    // Windows 10 2004 cannot tell the timeout, nor switch it off.
    b.hasStatics4 = 0;
    b.capability = 1;  // DisabledByGroupPolicy
    Behave(b);
    ASSERT_EQ(tethering.Query("{00000000-0000-0000-0000-000000000001}", info).failure,
              TetheringFailure::None);
    EXPECT_TRUE(IsEqualGUID(Read().managerProfileAdapter, kEthernet));
    EXPECT_EQ(info.capability, 1);
    EXPECT_FALSE(info.timeoutKnown);
    const TetheringAnswer keep = tethering.KeepOnWithoutClients();
    EXPECT_EQ(keep.failure, TetheringFailure::Failed);
    EXPECT_EQ(keep.code, static_cast<uint32_t>(E_NOINTERFACE));

    Behave(Laptop());
    EXPECT_TRUE(tethering.KeepOnWithoutClients().Succeeded());
    EXPECT_EQ(Read().timeoutDisabled, 1);
}

TEST_F(WindowsTetheringTest, ConfigureStartAndStopAwaitTheOperationsAndCarryTextBothWays) {
    win::WindowsTethering tethering;
    EXPECT_TRUE(tethering.Configure("", "岚舟热点", "12345678", nullptr).Succeeded());
    StandinRecord r = Read();
    EXPECT_STREQ(r.ssid, L"岚舟热点");
    EXPECT_STREQ(r.passphrase, L"12345678");
    EXPECT_EQ(r.closes, 1);
    EXPECT_TRUE(tethering.Configure("", "Lanzhou-AP", "a b c d e", nullptr).Succeeded());
    EXPECT_STREQ(Read().ssid, L"Lanzhou-AP");
    EXPECT_STREQ(Read().passphrase, L"a b c d e");

    TetheringAnswer started = tethering.Start(kWirelessText, nullptr);
    EXPECT_TRUE(started.Succeeded());
    EXPECT_EQ(started.message, "");
    EXPECT_EQ(Read().starts, 1);

    StandinBehaviour b = Laptop();
    b.operationStatus = 3;  // WiFiDeviceOff
    Copy(b.message, 64, L"无线网卡已关闭");
    Behave(b);
    started = tethering.Start("", nullptr);
    EXPECT_EQ(started.failure, TetheringFailure::None);
    EXPECT_EQ(started.status, 3);
    EXPECT_EQ(started.message, "无线网卡已关闭");
    EXPECT_FALSE(started.Succeeded());

    Behave(Laptop());
    EXPECT_TRUE(tethering.Stop(nullptr).Succeeded());
    r = Read();
    EXPECT_EQ(r.stops, 1);
    EXPECT_EQ(r.cancels, 0);
    EXPECT_EQ(r.closes, 1);
}

TEST_F(WindowsTetheringTest, ClientsCarryTheirAddressesAndHostNames) {
    StandinBehaviour b = Laptop();
    b.clients = 2;
    Copy(b.client[0].mac, 24, L"3C:28:6D:11:22:33");
    Copy(b.client[0].hosts[0], 48, L"192.168.137.23");
    Copy(b.client[0].hosts[1], 48, L"小米手机");
    b.client[0].hostCount = 2;
    Copy(b.client[1].mac, 24, L"a4-50-46-00-00-01");
    b.client[1].hostCount = 0;
    Behave(b);
    win::WindowsTethering tethering;
    std::vector<TetheringClient> clients;
    ASSERT_TRUE(tethering.Clients(clients).Succeeded());
    ASSERT_EQ(clients.size(), 2u);
    EXPECT_EQ(clients[0].macAddress, "3C:28:6D:11:22:33");
    EXPECT_EQ(clients[0].hostNames, (std::vector<std::string>{"192.168.137.23", "小米手机"}));
    EXPECT_EQ(clients[1].macAddress, "a4-50-46-00-00-01");
    EXPECT_TRUE(clients[1].hostNames.empty());
}

TEST_F(WindowsTetheringTest, FailuresComeBackAsTheirKindsWithTheSystemsCodes) {
    win::WindowsTethering tethering;
    StandinBehaviour b = Laptop();
    b.createResult = E_ACCESSDENIED;
    Behave(b);
    TetheringAnswer answer = tethering.Start("", nullptr);
    EXPECT_EQ(answer.failure, TetheringFailure::Failed);
    EXPECT_EQ(answer.code, 0x80070005u);
    EXPECT_EQ(Read().starts, 0);

    // No Internet profile: nothing to share. Stopping still works on another profile.
    b = Laptop();
    b.internetProfile = -1;
    Behave(b);
    TetheringInfo info;
    EXPECT_EQ(tethering.Query("", info).failure, TetheringFailure::NoProfile);
    EXPECT_TRUE(tethering.Stop(nullptr).Succeeded());
    b.profileCount = 0;
    Behave(b);
    EXPECT_EQ(tethering.Stop(nullptr).failure, TetheringFailure::NoProfile);

    // The operation itself ends in error.
    b = Laptop();
    b.operationError = static_cast<HRESULT>(0x8007139F);
    Behave(b);
    answer = tethering.Start("", nullptr);
    EXPECT_EQ(answer.failure, TetheringFailure::Failed);
    EXPECT_EQ(answer.code, 0x8007139Fu);
    EXPECT_EQ(Read().closes, 1);
    answer = tethering.Configure("", "a", "12345678", nullptr);
    EXPECT_EQ(answer.code, 0x8007139Fu);

    // An operation that outlasts its bound is cancelled.
    b = Laptop();
    b.delayMs = -1;
    Behave(b);
    answer = win::WindowsTethering(300).Start("", nullptr);
    EXPECT_EQ(answer.failure, TetheringFailure::TimedOut);
    EXPECT_EQ(Read().cancels, 1);

    // A worker already in a single-threaded apartment is refused, not crashed.
    std::thread([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        TetheringInfo unused;
        const TetheringAnswer refused = tethering.Query("", unused);
        EXPECT_EQ(refused.failure, TetheringFailure::Failed);
        EXPECT_EQ(refused.code, 0x80010106u);  // RPC_E_CHANGED_MODE
        CoUninitialize();
    }).join();
}

TEST_F(WindowsTetheringTest, AnOperationThatNeverEndsIsCancelledWhenTheWorkerIsAskedToStop) {
    StandinBehaviour b = Laptop();
    b.delayMs = -1;
    Behave(b);
    win::WindowsTethering tethering;
    StopSignal stop;
    std::thread asker([&stop] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.Request();
    });
    const TetheringAnswer answer = tethering.Start("", &stop);
    asker.join();
    EXPECT_EQ(answer.failure, TetheringFailure::Stopped);
    const StandinRecord r = Read();
    EXPECT_EQ(r.starts, 1);
    EXPECT_EQ(r.cancels, 1);
    EXPECT_EQ(r.closes, 1);
}

}  // namespace
}  // namespace hs
