// Names of devices: the host-name rules, untrusted text, the editor's save.
#include "clients/device_names.h"

#include <gtest/gtest.h>

#include "clients/monitor.h"
#include "tests/clients/clients_support.h"

namespace hs::clients::testing {
namespace {

TEST(DeviceNames, HostNameRules) {
    EXPECT_EQ(NameFromHostName("android-5a1c2b3d.mshome.net"), "安卓设备");
    EXPECT_EQ(NameFromHostName("MY-ANDROID"), "安卓设备");
    EXPECT_EQ(NameFromHostName("AnDrOiD-iPhone"), "安卓设备");  // android is tested first
    EXPECT_EQ(NameFromHostName("Johns-iPhone.mshome.net"), "苹果设备");
    EXPECT_EQ(NameFromHostName("IPHO"), "苹果设备");
    EXPECT_EQ(NameFromHostName("DESKTOP-7F2.mshome.net"), "DESKTOP-7F2");
    EXPECT_EQ(NameFromHostName("DESKTOP-7F2.MSHOME.NET"), "DESKTOP-7F2");
    // Only the first occurrence of the suffix goes.
    EXPECT_EQ(NameFromHostName("a.mshome.net.mshome.net"), "a.mshome.net");
    EXPECT_EQ(NameFromHostName("router.home"), "router.home");
    EXPECT_EQ(NameFromHostName(".mshome.net"), "未知设备");
    EXPECT_EQ(NameFromHostName(""), "未知设备");
    EXPECT_EQ(NameFromHostName("\r\n.mshome.net"), "未知设备");
}

TEST(DeviceNames, UntrustedTextLosesControlCharactersAndIsCutWithoutSplittingACharacter) {
    EXPECT_EQ(SanitizeName("a\r\nb\tc\x7f"
                           "d\xc2\x85"
                           "e\xe2\x80\xa8"
                           "f"),
              "abcdef");
    EXPECT_EQ(SanitizeName(std::string("x\0y", 3)), "xy");
    EXPECT_EQ(SanitizeName("ok\xff\xfe\xc3"), "ok");  // bytes that are not UTF-8
    EXPECT_EQ(SanitizeName(std::string(80, 'n')), std::string(63, 'n'));
    // Two bytes per Chinese character in the GBK file: 31 of them fit in 63 bytes.
    std::string chinese;
    for (int i = 0; i < 40; ++i)
        chinese += "名";
    EXPECT_EQ(SanitizeName(chinese), chinese.substr(0, 31 * 3));
    EXPECT_EQ(SanitizeName("a" + chinese), "a" + chinese.substr(0, 31 * 3));
    EXPECT_EQ(SanitizeName("aa" + chinese), "aa" + chinese.substr(0, 30 * 3));
    EXPECT_EQ(SanitizeName("小米 手机+1"), "小米 手机+1");
}

TEST(DeviceNames, TheEditorReplacesTheDevicesLineOnlyAndNeverAppends) {
    Hotspot h;
    const std::string file =
        "\r\na4-5e-60-c1-22-33+安卓设备\r\n3c-15-c2-9a-8b-01+苹果设备\r\nf0-db-e2-44-10-7e+"
        "未知设备";
    h.Write(kNamesPath, file);
    // Chinese and "+" are kept; the address is found whatever its letter case.
    Rename rename = SaveDeviceName(h.host, "3C-15-C2-9A-8B-01", "老婆的 iPhone+壳\r\n");
    EXPECT_TRUE(rename.saved);
    EXPECT_EQ(rename.name, "老婆的 iPhone+壳");
    EXPECT_EQ(h.File(kNamesPath),
              "\r\na4-5e-60-c1-22-33+安卓设备\r\n3C-15-C2-9A-8B-01+老婆的 iPhone+壳\r\n"
              "f0-db-e2-44-10-7e+未知设备");

    // Read back as the next pass reads it.
    EXPECT_EQ(ReadSavedName(h.host, kIphoneMac), "老婆的 iPhone+壳");

    // A device without a line, and a row without an address, change nothing.
    const std::string before = h.Bytes(kNamesPath);
    EXPECT_FALSE(SaveDeviceName(h.host, "5c-51-88-0d-e4-a2", "新设备").saved);
    EXPECT_FALSE(SaveDeviceName(h.host, "", "安卓设备").saved);
    EXPECT_EQ(h.Bytes(kNamesPath), before);

    // Without a file nothing is created.
    std::filesystem::remove(h.files.Locate(kNamesPath));
    EXPECT_FALSE(SaveDeviceName(h.host, kAndroidMac, "x").saved);
    EXPECT_EQ(h.File(kNamesPath), "<missing>");
}

TEST(DeviceNames, RenamingToEmptyTextMakesTheNextPassLookTheDeviceUpAgain) {
    Hotspot h;
    h.At(60);
    h.Pass();
    EXPECT_TRUE(SaveDeviceName(h.host, kIphoneMac, "").saved);
    EXPECT_EQ(ReadSavedName(h.host, kIphoneMac), "");
    Recorder sink = h.Pass();
    EXPECT_EQ(sink.names[kIphoneMac], "苹果设备");
    EXPECT_EQ(h.Pauses(), (std::vector<int64_t>{5, 5, 5, 5, 5, 5, 10}));
}

TEST(DeviceNames, SavedNamesComeFromTheFirstLineWhoseAddressPartHoldsTheAddress) {
    Hotspot h;
    TextCodec& codec = *h.codec;
    const std::string gbk = codec.Utf8ToGbk(
        "\r\nxx+a4-5e-60-c1-22-33 named in a name\r\nA4-5E-60-C1-22-33+first\r\n"
        "a4-5e-60-c1-22-33+second");
    EXPECT_EQ(SavedName(gbk, kAndroidMac, codec), "first");
    EXPECT_EQ(SavedName(gbk, kIphoneMac, codec), "");
    EXPECT_EQ(SavedName("", kIphoneMac, codec), "");
    // An address-only line, and a line cut short, hold no name.
    EXPECT_EQ(SavedName("3c-15-c2-9a-8b-01", kIphoneMac, codec), "");
    EXPECT_EQ(SavedName("3c-15-c2-9a-8b-01+\r\n", kIphoneMac, codec), "");
    // An address that begins with a line feed is in no line's address part.
    EXPECT_EQ(SavedName(gbk, "\na4-5e-60-c1-22-33", codec), "");
    EXPECT_EQ(SavedName(gbk, "\nA4-5E-60-C1-22-33+first", codec), "");
}

TEST(DeviceNames, ANameOfControlCharactersOnlyIsNoNameAndThePassReplacesIt) {
    Hotspot h;
    h.At(60);
    // A control character as the Android phone's name, a bare CR as the iPhone's on
    // the last line.
    h.WriteBytes(kNamesPath, std::string("\r\n") + kAndroidMac + "+\x01\r\n" + kIphoneMac + "+\r");
    EXPECT_EQ(ReadSavedName(h.host, kAndroidMac), "");
    EXPECT_EQ(ReadSavedName(h.host, kIphoneMac), "");
    Recorder sink = h.Pass();
    EXPECT_EQ(sink.names[kAndroidMac], "安卓设备");
    EXPECT_EQ(sink.names[kIphoneMac], "苹果设备");
    EXPECT_EQ(h.File(kNamesPath), std::string("\r\n") + kAndroidMac + "+安卓设备\r\n" + kIphoneMac +
                                      "+苹果设备\r\n" + kSilentMac + "+未知设备");
    // Named now, they are not looked up again.
    h.Pass();
    EXPECT_EQ(h.Pauses(), (std::vector<int64_t>{5, 5, 5, 5, 5, 5}));
}

TEST(MonitorSwitch, TheChoiceIsSavedAndOnByDefault) {
    Hotspot h;
    EXPECT_TRUE(MonitorSaved(h.host));
    EXPECT_TRUE(SaveMonitor(h.host, false));
    EXPECT_FALSE(MonitorSaved(h.host));
    EXPECT_NE(h.File("c:\\tulawifi.ini").find("[monitor]\r\nmonitor=不监控"), std::string::npos)
        << h.File("c:\\tulawifi.ini");
    EXPECT_TRUE(SaveMonitor(h.host, true));
    EXPECT_TRUE(MonitorSaved(h.host));
    // Switched on before any successful start: no timer until the start sets one.
    EXPECT_EQ(MonitorOnInterval(false), 0);
    EXPECT_EQ(MonitorOnInterval(true), 10000);
}

}  // namespace
}  // namespace hs::clients::testing
