// Blacklisting and releasing devices on the simulated laptop.
#include "clients/blacklist.h"

#include <gtest/gtest.h>

#include "tests/clients/clients_support.h"

namespace hs::clients::testing {
namespace {

using Lines = std::vector<std::string>;
using Rows = std::vector<BlacklistRow>;
using Outcomes = std::vector<Released>;

TEST(Blacklisting, BothOfTwoSelectedAreBlockedAtOnceListedAndSaved) {
    Hotspot h;
    h.At(60);
    h.Mark();
    const Rows existing = {{"", "00-11-22-33-44-55", "旧的"}};
    Blacklisting result = BlacklistSelected(
        h.host, kHostedIndex, {{kIphoneIp, kIphoneMac, "苹果设备"}, {kSilentIp, kSilentMac, ""}},
        existing);
    EXPECT_EQ(h.Commands(), (Lines{Block(kIphoneIp), Block(kSilentIp)}));
    EXPECT_EQ(result.rows, (Rows{{"", "00-11-22-33-44-55", "旧的"},
                                 {kIphoneIp, kIphoneMac, "苹果设备"},
                                 {kSilentIp, kSilentMac, ""}}));
    EXPECT_TRUE(result.fileWritten);
    EXPECT_EQ(h.File(kBlacklistPath),
              "00-11-22-33-44-55+旧的\r\n3c-15-c2-9a-8b-01+苹果设备\r\nf0-db-e2-44-10-7e+\r\n");
    // Both are cut off now: the next pass finds nobody of them to block.
    const std::string arp = h.Run("arp -a");
    EXPECT_NE(arp.find("192.168.137.61        00-00-00-00-00-00"), std::string::npos);
    EXPECT_NE(arp.find("192.168.137.140       00-00-00-00-00-00"), std::string::npos);
    h.Pass();
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "netsh wlan show hostednetwork"}));
}

TEST(Blacklisting, AFileThatCouldNotBeReadAtStartKeepsEveryLine) {
    Hotspot h;
    h.At(60);
    // Unreadable now: nothing is written, neither rewritten nor appended.
    std::filesystem::create_directory(h.files.Locate(kBlacklistPath));
    EXPECT_FALSE(WriteBlacklistFile(h.host, {{"", kAndroidMac, ""}}));
    Blacklisting result =
        BlacklistSelected(h.host, kHostedIndex, {{kAndroidIp, kAndroidMac, "a"}}, {}, {}, true);
    EXPECT_FALSE(result.fileWritten);
    // Readable later: the list never was the file, so the devices are appended.
    std::filesystem::remove(h.files.Locate(kBlacklistPath));
    const std::string lines = "00-11-22-33-44-55+旧的\r\nf0-db-e2-44-10-7e+静音";
    h.Write(kBlacklistPath, lines);
    result = BlacklistSelected(h.host, kHostedIndex,
                               {{kIphoneIp, kIphoneMac, "苹果设备"}, {kSilentIp, kSilentMac, ""}},
                               result.rows, {}, true);
    EXPECT_TRUE(result.fileWritten);
    EXPECT_EQ(result.rows, (Rows{{kAndroidIp, kAndroidMac, "a"},
                                 {kIphoneIp, kIphoneMac, "苹果设备"},
                                 {kSilentIp, kSilentMac, ""}}));
    EXPECT_EQ(h.File(kBlacklistPath), lines + "\r\n3c-15-c2-9a-8b-01+苹果设备\r\n");
}

TEST(Blacklisting, ADuplicateKeepsOneRowAndOneLineAndNothingSelectedDoesNothing) {
    Hotspot h;
    h.At(60);
    Rows rows = ReadBlacklist(h.host).value();
    rows =
        BlacklistSelected(h.host, kHostedIndex, {{kAndroidIp, kAndroidMac, "安卓设备"}}, rows).rows;
    rows = BlacklistSelected(h.host, kHostedIndex, {{"192.168.137.99", kAndroidMac, "改名"}}, rows)
               .rows;
    EXPECT_EQ(rows, (Rows{{kAndroidIp, kAndroidMac, "安卓设备"}}));
    EXPECT_EQ(h.File(kBlacklistPath), "a4-5e-60-c1-22-33+安卓设备\r\n");

    h.Mark();
    Blacklisting none = BlacklistSelected(h.host, kHostedIndex, {}, rows);
    EXPECT_EQ(none.rows, rows);
    EXPECT_FALSE(none.fileWritten);
    EXPECT_TRUE(h.Commands().empty());
    // The file always equals the list after a blacklisting, "+" names included.
    EXPECT_EQ(ReadBlacklist(h.host), (Rows{{"", kAndroidMac, "安卓设备"}}));
}

TEST(Releasing, RemovesTheLineThenDeletesEveryAllZeroEntryWithAPauseEach) {
    Hotspot h;
    h.At(60);
    BlacklistSelected(h.host, kHostedIndex, {{kAndroidIp, kAndroidMac, "安卓设备"}}, {});
    BlacklistSelected(h.host, kHostedIndex, {{kIphoneIp, kIphoneMac, "C++ 平板"}},
                      ReadBlacklist(h.host).value());
    ASSERT_EQ(h.File(kBlacklistPath),
              "a4-5e-60-c1-22-33+安卓设备\r\n3c-15-c2-9a-8b-01+C++ 平板\r\n");

    h.Mark();
    ASSERT_EQ(RemoveFromBlacklistFile(h.host, {"A4-5E-60-C1-22-33"}), Outcomes{Released::Yes});
    EXPECT_EQ(h.File(kBlacklistPath), "3c-15-c2-9a-8b-01+C++ 平板\r\n");
    EXPECT_EQ(DeleteBlockEntries(h.host), (Lines{kAndroidIp, kIphoneIp}));
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "arp -d 192.168.137.23", "arp -d 192.168.137.61"}));
    EXPECT_EQ(h.Pauses(), (std::vector<int64_t>{1500, 1500}));
    // The one still blacklisted is blocked again by the next pass, the other listed.
    Recorder sink = h.Pass();
    EXPECT_EQ(h.Commands(), (Lines{"arp -a", "netsh wlan show hostednetwork", Block(kIphoneIp)}));
    EXPECT_EQ(sink.rows.size(), 2u);

    // Releasing the last line leaves no line end behind it.
    ASSERT_EQ(RemoveFromBlacklistFile(h.host, {kIphoneMac}), Outcomes{Released::Yes});
    EXPECT_EQ(h.File(kBlacklistPath), "");
}

TEST(Releasing, NothingSelectedOrAnAddressNotInTheFileChangesNothing) {
    Hotspot h;
    h.At(60);
    // A name that holds the text the original searched for with nothing selected.
    h.Write(kBlacklistPath, "x+a4-5e-60-c1-22-33\r\na4-5e-60-c1-22-34+我爱你\nlast+");
    const std::string before = h.Bytes(kBlacklistPath);
    h.Mark();
    const Outcomes none = {Released::NotInFile, Released::NotInFile, Released::NotInFile,
                           Released::NotInFile};
    // Nothing selected, a text only a name holds, an address only in a name, and a
    // part of an address.
    EXPECT_EQ(RemoveFromBlacklistFile(h.host, {}), Outcomes{});
    EXPECT_EQ(RemoveFromBlacklistFile(h.host, {"", "我爱你", kAndroidMac, "a4-5e-60-c1-22-3"}),
              none);
    EXPECT_EQ(h.Bytes(kBlacklistPath), before);
    EXPECT_TRUE(h.Commands().empty());
    // Lone line feeds split lines; the other lines stay byte for byte.
    ASSERT_EQ(RemoveFromBlacklistFile(h.host, {"A4-5E-60-C1-22-34"}), Outcomes{Released::Yes});
    EXPECT_EQ(h.File(kBlacklistPath), "x+a4-5e-60-c1-22-33\r\nlast+");

    std::filesystem::remove(h.files.Locate(kBlacklistPath));
    EXPECT_EQ(RemoveFromBlacklistFile(h.host, {kAndroidMac}), Outcomes{Released::NotInFile});
    EXPECT_EQ(h.File(kBlacklistPath), "<missing>");
    // A file that cannot be read releases nothing.
    std::filesystem::create_directory(h.files.Locate(kBlacklistPath));
    EXPECT_EQ(RemoveFromBlacklistFile(h.host, {"x"}), Outcomes{Released::NotInFile});
}

TEST(BlockCommand, IsSpelledAsTheSystemExpects) {
    EXPECT_EQ(BlockCommand("14", "192.168.137.23"),
              "netsh interface ipv4 set neighbors 14 \"192.168.137.23\" "
              "\"00-00-00-00-00-00\" store=active");
}

}  // namespace
}  // namespace hs::clients::testing
