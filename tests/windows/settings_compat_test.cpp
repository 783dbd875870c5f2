// Our settings file against the system's own private-profile functions: what we
// write they read, and what they write we read, with Chinese sections and keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/native_codec.h"
#include "platform/windows/wide.h"
#include "settings/settings_file.h"

namespace hs::settings {
namespace {

// Whole files at real Windows paths, kept simple: the test is about the format.
class PlainFiles : public FileStore {
  public:
    FileRead Read(const std::string& path, std::string& bytes) override {
        FILE* file = _wfopen(win::Widen(path).c_str(), L"rb");
        if (file == nullptr)
            return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
        bytes.clear();
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, got);
        const bool failed = ferror(file) != 0;
        fclose(file);
        return failed ? FileRead::Failed : FileRead::Ok;
    }
    bool Write(const std::string& path, std::string_view bytes) override {
        FILE* file = _wfopen(win::Widen(path).c_str(), L"wb");
        if (file == nullptr)
            return false;
        const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return fclose(file) == 0 && written;
    }
};

// The system's side. With the Chinese ANSI code page the A functions are used, as
// the program's users' systems would; otherwise the W functions.
class SystemProfile {
  public:
    explicit SystemProfile(std::string path) : path_(std::move(path)) {}
    static bool UsesAnsi() { return GetACP() == 936; }

    std::string Get(const std::string& section, const std::string& key) {
        if (UsesAnsi()) {
            char buffer[512] = {};
            GetPrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(), "<none>", buffer,
                                     sizeof buffer, Ansi(path_).c_str());
            return win::FromCodePage(buffer, 936);
        }
        wchar_t buffer[512] = {};
        GetPrivateProfileStringW(win::Widen(section).c_str(), win::Widen(key).c_str(), L"<none>",
                                 buffer, 512, win::Widen(path_).c_str());
        return win::Narrow(buffer);
    }
    bool Set(const std::string& section, const std::string& key, const std::string& value) {
        if (UsesAnsi()) {
            return WritePrivateProfileStringA(Ansi(section).c_str(), Ansi(key).c_str(),
                                              Ansi(value).c_str(), Ansi(path_).c_str()) != 0;
        }
        return WritePrivateProfileStringW(win::Widen(section).c_str(), win::Widen(key).c_str(),
                                          win::Widen(value).c_str(),
                                          win::Widen(path_).c_str()) != 0;
    }

  private:
    static std::string Ansi(const std::string& utf8) { return win::ToCodePage(utf8, 936); }
    std::string path_;
};

class SettingsCompat : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = win::Narrow(temp) + "hs_compat_" + std::to_string(GetCurrentProcessId()) + "_" +
               info->name() + ".ini";
        DeleteFileW(win::Widen(path).c_str());
        host.codec = codec.get();
        host.files = &files;
        std::printf("[ info ] system side uses the %s functions (ANSI code page %u)\n",
                    SystemProfile::UsesAnsi() ? "A" : "W", GetACP());
    }
    void TearDown() override { DeleteFileW(win::Widen(path).c_str()); }
    std::string Ours(const std::string& section, const std::string& key) {
        return ReadProfileValue(host, path, section, key, "<none>");
    }
    bool WriteOurs(const std::string& section, const std::string& key, const std::string& value) {
        return WriteProfileValue(host, path, section, key, value);
    }

    std::string path;
    std::unique_ptr<TextCodec> codec = MakeNativeCodec();
    PlainFiles files;
    Host host;
};

TEST_F(SettingsCompat, WhatWeWriteTheSystemReads) {
    ASSERT_TRUE(WriteOurs("user", "ssid", "办公室"));
    ASSERT_TRUE(WriteOurs("流量条", "是否开", "是"));
    ASSERT_TRUE(WriteOurs("skin", "color", "310"));
    ASSERT_TRUE(WriteOurs("USER", "Key", "12345678"));
    ASSERT_TRUE(WriteOurs("user", "SSID", "家里的网"));
    ASSERT_TRUE(WriteOurs("monitor", "monitor", "不监控"));
    SystemProfile system(path);
    EXPECT_EQ(system.Get("user", "ssid"), "家里的网");
    EXPECT_EQ(system.Get("User", "key"), "12345678");
    EXPECT_EQ(system.Get("流量条", "是否开"), "是");
    EXPECT_EQ(system.Get("skin", "color"), "310");
    EXPECT_EQ(system.Get("monitor", "monitor"), "不监控");
    EXPECT_EQ(system.Get("skin", "absent"), "<none>");
}

TEST_F(SettingsCompat, WhatTheSystemWritesWeRead) {
    SystemProfile system(path);
    ASSERT_TRUE(system.Set("流量条", "是否开", "是"));
    ASSERT_TRUE(system.Set("user", "ssid", "办公室"));
    ASSERT_TRUE(system.Set("monitor", "monitor", "监控"));
    ASSERT_TRUE(system.Set("User", "SSID", "家里的网"));
    ASSERT_TRUE(system.Set("flowposition", "xy", "1000|700"));
    EXPECT_EQ(Ours("流量条", "是否开"), "是");
    EXPECT_EQ(Ours("user", "ssid"), "家里的网");
    EXPECT_EQ(Ours("MONITOR", "monitor"), "监控");
    EXPECT_EQ(Ours("flowposition", "xy"), "1000|700");
    // Both sides keep adding to the same file.
    ASSERT_TRUE(WriteOurs("xsmm", "mm", "2"));
    ASSERT_TRUE(system.Set("skin", "color", "0"));
    EXPECT_EQ(system.Get("xsmm", "mm"), "2");
    EXPECT_EQ(Ours("skin", "color"), "0");
    EXPECT_EQ(system.Get("流量条", "是否开"), "是");
    EXPECT_EQ(Ours("user", "ssid"), "家里的网");
}

TEST_F(SettingsCompat, AHandWrittenFileReadsTheSameOnBothSides) {
    const std::string text =
        "[User]\r\n  SSID =  带空格的值 \t\r\nssid=second\r\nq=\"quoted\"\r\n\r\n[1]\r\n1=1\r\n"
        "2=无线网络连接 2\r\n";
    ASSERT_TRUE(files.Write(path, codec->Utf8ToGbk(text)));
    SystemProfile system(path);
    for (const auto& [section, key] : {std::pair<std::string, std::string>{"user", "ssid"},
                                       {"user", "q"},
                                       {"1", "1"},
                                       {"1", "2"},
                                       {"1", "3"},
                                       {"nothing", "ssid"}}) {
        SCOPED_TRACE(section + "/" + key);
        EXPECT_EQ(Ours(section, key), system.Get(section, key));
    }
    EXPECT_EQ(Ours("user", "ssid"), "带空格的值");
}

TEST_F(SettingsCompat, ANewKeyAfterALastLineEndingInABareCrIsALineOfItsOwn) {
    ASSERT_TRUE(files.Write(path, "[user]\r\nkey=5802741639\r"));
    SystemProfile system(path);
    EXPECT_EQ(Ours("user", "key"), system.Get("user", "key"));
    ASSERT_TRUE(WriteOurs("user", "ssid", "home"));
    ASSERT_TRUE(WriteOurs("skin", "color", "20"));
    EXPECT_EQ(system.Get("user", "key"), "5802741639");
    EXPECT_EQ(system.Get("user", "ssid"), "home");
    EXPECT_EQ(system.Get("skin", "color"), "20");
}

// Notepad's "Unicode": UTF-16 LE after the byte-order mark.
std::string Utf16File(const std::string& utf8) {
    const std::wstring wide = win::Widen(utf8);
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : wide) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

TEST_F(SettingsCompat, AUtf16FileReadsAsTheSystemReadsItAndStaysUtf16) {
    const std::string text =
        "[user]\r\nssid = 办公室 \r\nkey=5802741639\r\n[流量条]\r\n是否开=是\r\n[1]\r\n"
        "2=无线网络连接 2\r\n";
    ASSERT_TRUE(files.Write(path, Utf16File(text)));
    SystemProfile system(path);
    for (const auto& [section, key] : {std::pair<std::string, std::string>{"user", "ssid"},
                                       {"USER", "key"},
                                       {"流量条", "是否开"},
                                       {"1", "2"},
                                       {"1", "1"}}) {
        SCOPED_TRACE(section + "/" + key);
        EXPECT_EQ(Ours(section, key), system.Get(section, key));
    }
    EXPECT_EQ(Ours("user", "ssid"), "办公室");

    ASSERT_TRUE(WriteOurs("user", "ssid", "家里的网"));
    ASSERT_TRUE(WriteOurs("monitor", "monitor", "不监控"));
    std::string bytes;
    ASSERT_EQ(files.Read(path, bytes), FileRead::Ok);
    EXPECT_EQ(bytes, Utf16File("[user]\r\nssid=家里的网\r\nkey=5802741639\r\n[流量条]\r\n是否开=是"
                               "\r\n[1]\r\n2=无线网络连接 2\r\n[monitor]\r\nmonitor=不监控\r\n"));
    EXPECT_EQ(system.Get("user", "ssid"), "家里的网");
    EXPECT_EQ(system.Get("monitor", "monitor"), "不监控");

    // The system, too, keeps the file in UTF-16, and we read what it wrote.
    ASSERT_TRUE(system.Set("skin", "color", "120"));
    ASSERT_TRUE(system.Set("user", "key", "密码密码"));
    ASSERT_EQ(files.Read(path, bytes), FileRead::Ok);
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE"));
    EXPECT_EQ(Ours("skin", "color"), "120");
    EXPECT_EQ(Ours("user", "key"), "密码密码");
    EXPECT_EQ(Ours("user", "ssid"), "家里的网");
}

}  // namespace
}  // namespace hs::settings
