// The program's own files: one it cannot save is told, once, in the notification
// area's balloon; the journal's folder opens from the notification area's menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/watched_files.h"
#include "settings/keys.h"
#include "tests/hotspot/hotspot_support.h"

namespace hs::hotspot::testing {
namespace {

TEST(WatchedFiles, ASettingsFileThatCannotBeSavedIsToldOnceAndOtherFilesStillAre) {
    Program p(sim::SimulatedLaptop::DefaultScenario());
    int balloons = 0;
    p.app->Main().AddObserver([&balloons](ui::Control, ui::Property property) {
        if (property == ui::Property::TrayBalloon)
            ++balloons;
    });
    // A read-only settings file, as on a locked-down machine.
    ASSERT_TRUE(settings::WriteSetting(p.host, settings::kSsid, "mylove"));
    const std::filesystem::path ini = p.files.Locate("c:\\tulawifi.ini");
    std::filesystem::permissions(ini, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    // Writable again before the laptop's folder goes: Windows removes no read-only file.
    struct Writable {
        std::filesystem::path file;
        ~Writable() {
            std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add);
        }
    } writable{ini};

    p.Idle(5, "无线网络连接", "new name");
    p.PressStart();  // saves the name and key at the click
    EXPECT_EQ(balloons, 1);
    EXPECT_EQ(p.app->Main().TrayBalloonText(), app::WriteFailedText("c:\\tulawifi.ini"));
    EXPECT_FALSE(settings::WriteSetting(p.host, settings::kKey, "12345678"));
    p.app->Settle();
    EXPECT_EQ(balloons, 1);

    // The blacklist is another file: it is told in its own right.
    std::filesystem::create_directory(p.files.Locate("c:\\wifiblack.txt"));
    EXPECT_FALSE(p.host.files->Write("c:\\wifiblack.txt", "AA-BB-CC-DD-EE-FF+x\r\n"));
    p.app->Settle();
    EXPECT_EQ(balloons, 2);
    EXPECT_EQ(p.app->Main().TrayBalloonText(), app::WriteFailedText("c:\\wifiblack.txt"));
}

TEST(JournalFolder, TheMenuOpensTheJournalsFolderWhereOneIsKept) {
    Program p(sim::SimulatedLaptop::DefaultScenario());
    ASSERT_TRUE(p.driver->Choose("打开日志文件夹"));
    EXPECT_TRUE(p.laptop->Snapshot().startedPrograms.empty());
    p.app->journalFolder = "C:\\Users\\用户\\AppData\\Local\\tulawifi";
    ASSERT_TRUE(p.driver->Choose("打开日志文件夹"));
    EXPECT_EQ(
        p.laptop->Snapshot().startedPrograms,
        std::vector<std::string>{"explorer.exe \"C:\\Users\\用户\\AppData\\Local\\tulawifi\""});
}

}  // namespace
}  // namespace hs::hotspot::testing
