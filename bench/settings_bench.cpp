// Time of one slider drag across the whole colour range: 341 writes of one key of
// the settings file, each a whole read, edit and replacement of the file, as the
// window thread makes them. The Windows build times the Windows file store (run it
// under Wine or on Windows), the native build the simulated laptop's. Not a test.
//
//   settings_bench [folder] [drags=3]
//
// The folder defaults to the system's temporary folder; it should lie on a local disk.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/native_codec.h"
#include "settings/settings_file.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/windows_files.h"
#else
#include "platform/sim/directory_files.h"
#endif

namespace {

// A settings file as the program leaves it after some use.
constexpr const char* kTypical =
    "[user]\r\nssid=办公室的网\r\nkey=5802741639\r\n[skin]\r\ncolor=310\r\n[monitor]\r\n"
    "monitor=监控\r\n[流量条]\r\n是否开=是\r\n[xsmm]\r\nmm=1\r\n[xzk2]\r\nxz=1\r\n[kdmc]\r\n"
    "kdmc=本地连接\r\n[flowposition]\r\nxy=1180|650\r\n";

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder =
        (argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path()) / "hs_settings_bench";
    const int drags = argc > 2 ? std::atoi(argv[2]) : 3;
    std::error_code ec;
    fs::create_directories(folder, ec);
    auto codec = hs::MakeNativeCodec();
#ifdef _WIN32
    hs::win::WindowsFiles files;
    const std::string path = (folder / "tulawifi.ini").string();
    const char* store = "Windows file store";
#else
    hs::sim::DirectoryFiles files(folder.string());
    const std::string path = hs::settings::kSettingsPath;
    const char* store = "simulated file store";
#endif
    hs::Host host;
    host.codec = codec.get();
    host.files = &files;
    if (!files.Write(path, codec->Utf8ToGbk(kTypical))) {
        std::fprintf(stderr, "cannot write into %s\n", folder.string().c_str());
        return 1;
    }

    std::printf("settings_bench: %s, %s\n", store, folder.string().c_str());
    double worst = 0;
    int failed = 0;
    for (int drag = 0; drag < drags; ++drag) {
        const auto start = std::chrono::steady_clock::now();
        for (int position = 0; position <= 340; ++position) {
            if (!hs::settings::WriteSetting(host, "skin", "color", std::to_string(position)))
                ++failed;
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        worst = ms > worst ? ms : worst;
        std::printf("  drag %d: 341 writes in %.1f ms (%.2f ms a write)\n", drag + 1, ms, ms / 341);
    }
    const std::string last = hs::settings::ReadSetting(host, "skin", "color", "");
    std::printf("slowest drag %.1f ms (target under 1000 ms); %d writes failed; color=%s\n", worst,
                failed, last.c_str());
    fs::remove_all(folder, ec);
    return failed == 0 && last == "340" ? 0 : 1;
}
