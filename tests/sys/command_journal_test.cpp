// The journal a user can send: bounded, rotated once, without the hotspot's key, and
// with the sharing and tethering calls and their codes.
#include "sys/command_journal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sys/port_journal.h"
#include "tests/temp_folder.h"

namespace hs {
namespace {

// Answers every command with `answer`.
struct Echo : CommandRunner {
    std::string answer;
    bool Run(const std::string&, const StopSignal*, std::string& output) override {
        output = answer;
        return true;
    }
};

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CommandJournal, StaysUnderItsBoundKeepsOneOlderFileAndNeverHoldsTheKey) {
    const std::filesystem::path folder = testing_support::FreshFolder("hs_journal");
    const std::filesystem::path path = folder / "journal.txt";
    Echo echo;
    echo.answer = std::string(300, 'x') + "\r\n";
    // Ends before its folder goes: Windows removes no file held open.
    auto owner = std::make_unique<CommandJournal>(echo, [] { return int64_t{1500}; });
    CommandJournal& journal = *owner;
    journal.SetBound(1000);
    journal.HideKeys(true);
    ASSERT_TRUE(journal.Open(path.string()));

    std::string output;
    journal.Run("netsh wlan set hostednetwork mode=allow ssid=\"mylove\" key=\"5802741639\"",
                nullptr, output);
    EXPECT_EQ(output, echo.answer);
    for (int i = 0; i < 10; ++i)
        journal.Run("arp -a", nullptr, output);

    owner.reset();
    const std::string now = Contents(path);
    const std::string older = Contents(path.string() + ".1");
    EXPECT_LE(now.size(), 1000u);
    EXPECT_LE(older.size(), 1000u);
    EXPECT_NE(now.find("[1.500 s] {window} arp -a\r\n"), std::string::npos) << now;
    // The first entry went with the first rotation; no file ever held the key.
    for (const std::string& text : {now, older})
        EXPECT_EQ(text.find("5802741639"), std::string::npos);
    EXPECT_EQ(WithoutKey("netsh wlan set hostednetwork mode=allow ssid=\"a\" key=\"b c\""),
              "netsh wlan set hostednetwork mode=allow ssid=\"a\" key=\"*\"");
    EXPECT_EQ(WithoutKey("arp -a"), "arp -a");
    std::filesystem::remove_all(folder);
}

// A sharing manager that refuses every switch-on with the code of a sharing never
// switched on by hand.
struct Refusing : SharingManager {
    SharingError Connections(std::vector<SharingConnection>& out) override {
        out = {{"无线网络连接", 2, true, SharingType::Public}};
        return SharingError::None;
    }
    using SharingManager::EnableSharing;
    SharingError EnableSharing(const std::string&, SharingType, uint32_t* code) override {
        if (code != nullptr)
            *code = 0x80040201;
        return SharingError::Failed;
    }
    SharingError DisableSharing(const std::string&) override { return SharingError::None; }
};

TEST(PortJournal, SharingCallsGoInTheJournalWithTheSystemsCodeWhichStillReachesTheCaller) {
    const std::filesystem::path folder = testing_support::FreshFolder("hs_port_journal");
    Echo echo;
    auto owner = std::make_unique<CommandJournal>(echo, [] { return int64_t{2000}; });
    ASSERT_TRUE(owner->Open((folder / "journal.txt").string()));
    Refusing refusing;
    JournalledSharing sharing(refusing, *owner);
    std::vector<SharingConnection> connections;
    EXPECT_EQ(sharing.Connections(connections), SharingError::None);
    EXPECT_EQ(connections.size(), 1u);
    uint32_t code = 0;
    EXPECT_EQ(sharing.EnableSharing("本地连接* 12", SharingType::Private, &code),
              SharingError::Failed);
    EXPECT_EQ(code, 0x80040201u);
    owner.reset();
    const std::string text = Contents(folder / "journal.txt");
    EXPECT_NE(text.find("[2.000 s] {window} sharing: connections -> ok\r\n"
                        "  \"无线网络连接\" status 2 shared (public)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("sharing: enable \"本地连接* 12\" private -> failed 0x80040201"),
              std::string::npos)
        << text;
    std::filesystem::remove_all(folder);
}

// A tethering manager whose start is refused with the system's words and whose
// configure succeeds.
struct RefusingTethering : Tethering {
    std::string keySeen;
    TetheringAnswer Query(const std::string&, TetheringInfo&) override {
        return {TetheringFailure::Unavailable, 0x80040154u, 0, {}};
    }
    TetheringAnswer Configure(const std::string&, const std::string&, const std::string& key,
                              const StopSignal*) override {
        keySeen = key;
        return {};
    }
    TetheringAnswer Start(const std::string&, const StopSignal*) override {
        return {TetheringFailure::None, 0, 3, "无线网卡已关闭"};
    }
    TetheringAnswer Stop(const StopSignal*) override { return {}; }
    TetheringAnswer Clients(std::vector<TetheringClient>&) override { return {}; }
    TetheringAnswer KeepOnWithoutClients() override { return {}; }
};

TEST(PortJournal, TetheringCallsGoInTheJournalWithCodeStatusAndWordsButNeverTheKey) {
    const std::filesystem::path folder = testing_support::FreshFolder("hs_tethering_journal");
    Echo echo;
    auto owner = std::make_unique<CommandJournal>(echo, [] { return int64_t{2000}; });
    ASSERT_TRUE(owner->Open((folder / "journal.txt").string()));
    RefusingTethering inner;
    JournalledTethering tethering(inner, *owner);
    EXPECT_TRUE(tethering.Configure("", "岚舟", "5802741639", nullptr).Succeeded());
    EXPECT_EQ(inner.keySeen, "5802741639");  // the key still reaches the system
    const TetheringAnswer started =
        tethering.Start("{4D36E972-E325-11CE-BFC1-08002BE10318}", nullptr);
    EXPECT_EQ(started.status, 3);
    EXPECT_EQ(started.message, "无线网卡已关闭");
    TetheringInfo info;
    EXPECT_EQ(tethering.Query("", info).failure, TetheringFailure::Unavailable);
    owner.reset();
    const std::string text = Contents(folder / "journal.txt");
    EXPECT_EQ(text.find("5802741639"), std::string::npos) << text;
    EXPECT_NE(text.find("tethering: configure (Internet) ssid \"岚舟\" key \"*\" -> ok status 0"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("tethering: start {4D36E972-E325-11CE-BFC1-08002BE10318} -> ok status 3 "
                        "\"无线网卡已关闭\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("tethering: query (Internet) -> unavailable 0x80040154"), std::string::npos)
        << text;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hs
