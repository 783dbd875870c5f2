// The sharing port (WindowsSharing) under Wine against a stand-in sharing manager
// (standin_sharing/): the walk over every connection, names in Chinese and other
// scripts, switching sharing on and off, the system's refusals, a connection gone
// during the walk, and that no connection is asked to switch off unless it is shared.
//
// The stand-in is found through an activation context made from the manifest inside
// the DLL, not through the registry: it maps the class of "HNetCfg.HNetShare" to the
// stand-in only on the thread that activates it, in this process. Nothing is written
// to the shared Wine prefix, so a test run at the same time (the sharing port's own
// "fails cleanly without the sharing manager") still finds no sharing manager, and a
// run that crashes leaves nothing behind.
#include <gtest/gtest.h>

#include <objbase.h>
#include <windows.h>

#include <netcon.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/sharing_win.h"
#include "tests/windows/standin_sharing/standin_control.h"

namespace hs {
namespace {

constexpr int32_t kNotFound = static_cast<int32_t>(0x80070490);  // ERROR_NOT_FOUND
constexpr uint32_t kUnset = 0xDEADBEEF;

// The stand-in DLL, its control functions and its activation context, for the run.
class SharingStandinTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::wstring path;
        for (const char* c = HS_STANDIN_DLL; *c != '\0'; ++c)
            path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
        module_ = LoadLibraryW(path.c_str());
        ASSERT_NE(module_, nullptr) << GetLastError();
        set_ = Lookup<StandinSetFn>("StandinSet");
        calls_ = Lookup<StandinCallsFn>("StandinCalls");
        sharing_ = Lookup<StandinSharingFn>("StandinSharing");
        live_ = Lookup<StandinLiveObjectsFn>("StandinLiveObjects");

        const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
        ACTCTXW request{};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID |
                          ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID;
        request.lpSource = path.c_str();
        request.hModule = module_;
        request.lpResourceName = MAKEINTRESOURCEW(101);
        request.lpAssemblyDirectory = folder.c_str();
        context_ = CreateActCtxW(&request);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << GetLastError();
    }
    static void TearDownTestSuite() {
        if (context_ != INVALID_HANDLE_VALUE)
            ReleaseActCtx(context_);
        context_ = INVALID_HANDLE_VALUE;
    }

    void SetUp() override {
        ASSERT_NE(context_, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(set_ && calls_ && sharing_ && live_);
        ASSERT_TRUE(ActivateActCtx(context_, &cookie_));
    }
    void TearDown() override {
        if (cookie_ != 0)
            DeactivateActCtx(0, cookie_);
        // Every object the port was handed was released again.
        EXPECT_EQ(live_(), 0);
    }

    static void Offer(const std::vector<StandinConnection>& connections) {
        set_(connections.data(), static_cast<int32_t>(connections.size()));
    }
    static std::vector<StandinCall> Calls() {
        std::vector<StandinCall> calls(64);
        calls.resize(static_cast<size_t>(std::min(calls_(calls.data(), 64), 64)));
        return calls;
    }
    static std::vector<std::string> Names(const std::vector<SharingConnection>& list) {
        std::vector<std::string> names;
        for (const SharingConnection& c : list)
            names.push_back(c.name);
        return names;
    }

    static StandinConnection Present(const wchar_t* name, int32_t status, int32_t shared = 0,
                                     int32_t type = ICSSHARINGTYPE_PUBLIC) {
        return {name,   L"{00000000-0000-0000-0000-000000000000}",
                status, NCM_LAN,
                shared, type,
                S_OK,   kStandinPresent,
                S_OK};
    }

    static inline HMODULE module_ = nullptr;
    static inline HANDLE context_ = INVALID_HANDLE_VALUE;
    static inline StandinSetFn set_ = nullptr;
    static inline StandinCallsFn calls_ = nullptr;
    static inline StandinSharingFn sharing_ = nullptr;
    static inline StandinLiveObjectsFn live_ = nullptr;

    win::WindowsSharing port_;
    ULONG_PTR cookie_ = 0;

  private:
    template <class Fn>
    static Fn Lookup(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
};

// Names from the connections folder of a Chinese system, and one with the characters
// that break quoting and a character outside the basic plane.
const wchar_t* const kLocal = L"本地连接* 12";
const wchar_t* const kWireless = L"无线网络连接 2";
const wchar_t* const kOdd = L"Büro & 'Gäste' \"5G\" 📶";
const char* const kLocalUtf8 = "本地连接* 12";
const char* const kWirelessUtf8 = "无线网络连接 2";
const char* const kOddUtf8 = "Büro & 'Gäste' \"5G\" 📶";

TEST_F(SharingStandinTest, ListsEveryConnectionInTheSystemsOrder) {
    Offer({Present(L"以太网", NCS_CONNECTED, 1, ICSSHARINGTYPE_PUBLIC),
           Present(kLocal, NCS_CONNECTED, 1, ICSSHARINGTYPE_PRIVATE),
           Present(kOdd, NCS_MEDIA_DISCONNECTED), Present(kWireless, NCS_DISCONNECTED)});

    const auto expectListing = [&](win::WindowsSharing& port) {
        std::vector<SharingConnection> list;
        ASSERT_EQ(port.Connections(list), SharingError::None);
        ASSERT_EQ(Names(list),
                  (std::vector<std::string>{"以太网", kLocalUtf8, kOddUtf8, kWirelessUtf8}));
        EXPECT_EQ(list[0].status, NCS_CONNECTED);
        EXPECT_TRUE(list[0].sharingEnabled);
        EXPECT_EQ(list[0].sharingType, SharingType::Public);
        EXPECT_TRUE(list[1].sharingEnabled);
        EXPECT_EQ(list[1].sharingType, SharingType::Private);
        EXPECT_EQ(list[2].status, NCS_MEDIA_DISCONNECTED);
        EXPECT_FALSE(list[2].sharingEnabled);
        EXPECT_EQ(list[3].status, NCS_DISCONNECTED);
        EXPECT_FALSE(list[3].sharingEnabled);
    };
    expectListing(port_);

    // The same from a thread whose COM already runs multithreaded (the class serves
    // both models, as the system's does); the activation context is per thread.
    std::thread([&] {
        ULONG_PTR cookie = 0;
        ASSERT_TRUE(ActivateActCtx(context_, &cookie));
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        win::WindowsSharing port;
        expectListing(port);
        CoUninitialize();
        DeactivateActCtx(0, cookie);
    }).join();

    // Outside the context there is no sharing manager: nothing was registered.
    DeactivateActCtx(0, cookie_);
    cookie_ = 0;
    std::vector<SharingConnection> kept{{"kept", 2, false, SharingType::Public}};
    EXPECT_EQ(port_.Connections(kept), SharingError::ServiceUnavailable);
    EXPECT_EQ(Names(kept), std::vector<std::string>{"kept"});
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SharingStandinTest, SwitchesSharingOnAndOffByName) {
    Offer({Present(kLocal, NCS_CONNECTED), Present(kOdd, NCS_CONNECTED),
           Present(kWireless, NCS_CONNECTED)});

    uint32_t code = kUnset;
    EXPECT_EQ(port_.EnableSharing(kOddUtf8, SharingType::Public, &code), SharingError::None);
    EXPECT_EQ(port_.EnableSharing(kWirelessUtf8, SharingType::Private, &code), SharingError::None);
    EXPECT_EQ(code, kUnset);  // no failure, no code
    int32_t type = -1;
    EXPECT_EQ(sharing_(0, &type), 0);
    EXPECT_EQ(sharing_(1, &type), 1);
    EXPECT_EQ(type, ICSSHARINGTYPE_PUBLIC);
    EXPECT_EQ(sharing_(2, &type), 1);
    EXPECT_EQ(type, ICSSHARINGTYPE_PRIVATE);

    EXPECT_EQ(port_.DisableSharing(kOddUtf8), SharingError::None);
    EXPECT_EQ(sharing_(1, &type), 0);
    // A name that is only a prefix, or not there at all, reaches no connection.
    EXPECT_EQ(port_.EnableSharing("本地连接", SharingType::Public), SharingError::NotFound);
    EXPECT_EQ(port_.DisableSharing("无线网络连接"), SharingError::NotFound);

    const std::vector<StandinCall> calls = Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(std::wstring(calls[0].connection), kOdd);
    EXPECT_EQ(calls[0].action, kStandinEnable);
    EXPECT_EQ(calls[0].type, ICSSHARINGTYPE_PUBLIC);
    EXPECT_EQ(std::wstring(calls[1].connection), kWireless);
    EXPECT_EQ(calls[1].action, kStandinEnable);
    EXPECT_EQ(calls[1].type, ICSSHARINGTYPE_PRIVATE);
    EXPECT_EQ(std::wstring(calls[2].connection), kOdd);
    EXPECT_EQ(calls[2].action, kStandinDisable);
}

TEST_F(SharingStandinTest, RefusalsCarryTheSystemsResultCode) {
    StandinConnection refusing = Present(kLocal, NCS_CONNECTED);
    refusing.enableResult = static_cast<int32_t>(0x80040201);
    StandinConnection denying = Present(kWireless, NCS_CONNECTED);
    denying.enableResult = static_cast<int32_t>(E_ACCESSDENIED);
    Offer({refusing, denying});

    uint32_t code = kUnset;
    EXPECT_EQ(port_.EnableSharing(kLocalUtf8, SharingType::Public, &code), SharingError::Failed);
    EXPECT_EQ(code, 0x80040201u);
    code = kUnset;
    EXPECT_EQ(port_.EnableSharing(kWirelessUtf8, SharingType::Private, &code),
              SharingError::AccessDenied);
    EXPECT_EQ(code, 0x80070005u);
    // Without a place for the code the outcome is the same.
    EXPECT_EQ(port_.EnableSharing(kLocalUtf8, SharingType::Public), SharingError::Failed);
    EXPECT_EQ(sharing_(0, nullptr), 0);
    EXPECT_EQ(sharing_(1, nullptr), 0);
    EXPECT_EQ(Calls().size(), 3u);
}

TEST_F(SharingStandinTest, AConnectionGoneDuringTheWalkIsPassedOver) {
    StandinConnection failing = Present(L"gone, failing", NCS_CONNECTED, 1);
    failing.vanish = kStandinPropsGone;
    failing.vanishResult = kNotFound;
    StandinConnection empty = Present(L"gone, no object", NCS_CONNECTED, 1);
    empty.vanish = kStandinPropsGone;
    empty.vanishResult = S_OBJECT_NO_LONGER_VALID;  // a success code, and no object
    StandinConnection halfGone = Present(L"gone after its name", NCS_CONNECTED);
    halfGone.vanish = kStandinConfigGone;
    halfGone.vanishResult = kNotFound;
    Offer({Present(kLocal, NCS_CONNECTED), failing, empty, halfGone,
           Present(kWireless, NCS_CONNECTED)});

    std::vector<SharingConnection> list;
    ASSERT_EQ(port_.Connections(list), SharingError::None);
    EXPECT_EQ(Names(list),
              (std::vector<std::string>{kLocalUtf8, "gone after its name", kWirelessUtf8}));

    EXPECT_EQ(port_.EnableSharing("gone, failing", SharingType::Public), SharingError::NotFound);
    EXPECT_EQ(port_.DisableSharing("gone, no object"), SharingError::NotFound);
    uint32_t code = kUnset;
    EXPECT_EQ(port_.EnableSharing("gone after its name", SharingType::Public, &code),
              SharingError::Failed);
    EXPECT_EQ(code, static_cast<uint32_t>(kNotFound));
    // The connection after the gone ones is still reached.
    EXPECT_EQ(port_.EnableSharing(kWirelessUtf8, SharingType::Private), SharingError::None);
    EXPECT_EQ(sharing_(4, nullptr), 1);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(std::wstring(Calls()[0].connection), kWireless);
}

TEST_F(SharingStandinTest, NeverAsksAnUnsharedConnectionToSwitchOff) {
    // A laptop whose last session left its upstream shared and the hotspot's adapter as
    // the private side; the others were never shared.
    Offer({Present(L"以太网", NCS_CONNECTED, 1, ICSSHARINGTYPE_PUBLIC),
           Present(kLocal, NCS_CONNECTED, 1, ICSSHARINGTYPE_PRIVATE),
           Present(kWireless, NCS_CONNECTED), Present(kOdd, NCS_MEDIA_DISCONNECTED)});

    // Sharing switched off on every connection, twice (a stop after a stop), then a new
    // session on other connections and its stop.
    std::vector<SharingConnection> list;
    ASSERT_EQ(port_.Connections(list), SharingError::None);
    for (int round = 0; round < 2; ++round) {
        for (const SharingConnection& c : list)
            EXPECT_EQ(port_.DisableSharing(c.name), SharingError::None) << c.name;
    }
    EXPECT_EQ(port_.EnableSharing(kWirelessUtf8, SharingType::Public), SharingError::None);
    EXPECT_EQ(port_.EnableSharing(kOddUtf8, SharingType::Private), SharingError::None);
    for (const SharingConnection& c : list)
        EXPECT_EQ(port_.DisableSharing(c.name), SharingError::None) << c.name;
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(sharing_(i, nullptr), 0) << i;

    // Exactly the shared ones were switched off, each once per time it was shared.
    std::vector<std::wstring> switchedOff;
    for (const StandinCall& call : Calls()) {
        if (call.action != kStandinDisable)
            continue;
        EXPECT_EQ(call.wasShared, 1) << "asked to switch off an unshared connection";
        switchedOff.emplace_back(call.connection);
    }
    EXPECT_EQ(switchedOff, (std::vector<std::wstring>{L"以太网", kLocal, kWireless, kOdd}));
}

}  // namespace
}  // namespace hs
