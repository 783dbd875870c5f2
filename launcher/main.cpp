// The program's native entry: builds the host (the real Windows ports, or with
// --simulate[=FILE] a simulated laptop), the program and the Win32 front end, runs
// the main window's created procedure and then the message loop.
//
// Options:
//   --simulate[=FILE]  run on a simulated laptop (the built-in scenario, or FILE,
//                      or the built-in "windows11" laptop with --simulate=windows11);
//                      its files are kept in %TEMP%\tulawifi-sim, with a journal
//                      of every command the program ran (command-journal.txt);
//                      files a scenario names are found beside it
//   --page=N           developer option: select tab page N after start, as a click
//                      on its tab would
//   --show-bar         developer option: open the traffic bar after start
//   --hide-main        developer option: hide the main window after start
//   --journal-bound=BYTES
//                      developer option: keep the user's journal under BYTES (at least
//                      1024) instead of 1 MB, to see its rotation in a short run
//   --update-host=HOST[:PORT]
//                      developer option: ask HOST[:PORT] instead of the update server
//                      for the update check, the announcement and the statistics page
//                      (e.g. a local test server, or a closed port on 127.0.0.1)
#include <windows.h>
// windows.h first: shellapi.h builds on it.
#include <shellapi.h>
// COM for the window thread.
#include <objbase.h>
// The user's local application data folder.
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "platform/sim/directory_files.h"
#include "platform/sim/simulated_laptop.h"
#include "platform/windows/ui/dispatcher_win.h"
#include "platform/windows/ui/front_end.h"
#include "platform/windows/ui/pictures.h"
#include "platform/windows/wide.h"
#include "platform/windows/windows_host.h"
#include "sys/command_journal.h"
#include "sys/port_journal.h"

namespace {

// The journal a user can send stays under this many bytes.
constexpr uint64_t kJournalBoundBytes = 1024 * 1024;

struct Options {
    bool simulate = false;
    std::string scenarioFile;  // "" = the built-in scenario
    std::optional<int> page;
    bool showBar = false;
    bool hideMain = false;
    std::string updateHost;  // "" = the update server
    uint64_t journalBound = kJournalBoundBytes;
    std::string error;
};

// A host name or address with an optional port: nothing that could change the path
// or the scheme of the addresses built from it.
bool IsHostAndPort(const std::string& text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':' ||
                             c == '[' || c == ']';
        if (!allowed)
            return false;
    }
    return true;
}

Options ParseOptions() {
    Options options;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) {
        const std::string arg = hs::win::Narrow(argv[i]);
        if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg.rfind("--simulate=", 0) == 0) {
            options.simulate = true;
            options.scenarioFile = arg.substr(11);
        } else if (arg.rfind("--page=", 0) == 0) {
            const std::string n = arg.substr(7);
            if (n.size() == 1 && n[0] >= '0' && n[0] <= '4')
                options.page = n[0] - '0';
        } else if (arg == "--show-bar") {
            options.showBar = true;
        } else if (arg == "--hide-main") {
            options.hideMain = true;
        } else if (arg.rfind("--journal-bound=", 0) == 0) {
            const std::string n = arg.substr(16);
            char* end = nullptr;
            const unsigned long long bytes = std::strtoull(n.c_str(), &end, 10);
            if (n.empty() || n.size() > 10 || *end != '\0' || bytes < 1024)
                options.error = "参数有误: " + arg;
            else
                options.journalBound = bytes;
        } else if (arg.rfind("--update-host=", 0) == 0) {
            options.updateHost = arg.substr(14);
            if (!IsHostAndPort(options.updateHost))
                options.error = "参数有误: " + arg;
        } else {
            options.error = "未知的参数: " + arg;
        }
    }
    LocalFree(argv);
    return options;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(hs::win::Widen(path).c_str(), std::ios::binary);
    if (!in)
        return false;
    std::ostringstream out;
    out << in.rdbuf();
    text = out.str();
    return true;
}

// %TEMP%\tulawifi-sim, created when missing.
std::string SimulationFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp, n > MAX_PATH ? 0 : n) + L"tulawifi-sim";
    CreateDirectoryW(folder.c_str(), nullptr);
    return hs::win::Narrow(folder);
}

// %LOCALAPPDATA%\tulawifi, created when missing; empty when the system has none.
std::string JournalFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path))) {
        return {};
    }
    const std::wstring folder = std::wstring(path) + L"\\tulawifi";
    CreateDirectoryW(folder.c_str(), nullptr);
    return hs::win::Narrow(folder);
}

// The journal a user can send: every command with its time, thread and answer, and every
// sharing, service and tethering call with its result, without the hotspot's key, at most 1 MB (and
// one older file of as much). The last run's journal is kept as journal.txt.1.
std::unique_ptr<hs::CommandJournal> KeepUserJournal(hs::Host& host, const std::string& folder,
                                                    uint64_t bound) {
    if (folder.empty())
        return nullptr;
    const std::wstring path = hs::win::Widen(folder + "\\journal.txt");
    MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
    hs::Clock* clock = host.clock;
    const int64_t start = clock->NowMs();
    auto journal = std::make_unique<hs::CommandJournal>(
        *host.commands, [clock, start] { return clock->NowMs() - start; });
    journal->SetBound(bound);
    journal->HideKeys(true);
    if (!journal->Open(folder + "\\journal.txt"))
        return nullptr;
    host.commands = journal.get();
    // The sharing, service and tethering calls go in it too, with what the system answered. Like
    // the journal, never destroyed: a worker past the exit's bound may still call them.
    if (host.sharing != nullptr)
        host.sharing = new hs::JournalledSharing(*host.sharing, *journal);
    if (host.services != nullptr)
        host.services = new hs::JournalledServices(*host.services, *journal);
    if (host.tethering != nullptr)
        host.tethering = new hs::JournalledTethering(*host.tethering, *journal);
    return journal;
}

int Fail(const std::string& message) {
    MessageBoxW(nullptr, hs::win::Widen(message).c_str(), L"tulawifi", MB_ICONERROR);
    return -1;
}

// Builds the front end over the program's windows, runs the created procedure and the
// message loop; returns the exit code.
int RunProgram(hs::app::App& app, const Options& options) {
    app.updateHostOverride = options.updateHost;
    hs::win::ui::FrontEnd frontEnd;
    app.quitHook = [&frontEnd](int code) { frontEnd.Quit(code); };
    frontEnd.Create(app.Main());
    hs::win::ui::WindowOptions bar;
    bar.borderless = true;
    bar.background = hs::ui::kPictureBarBackground;
    bar.draggable = true;
    frontEnd.Create(app.Bar(), bar);
    frontEnd.Create(app.Join());

    hs::ui::Window& main = app.Main();
    main.Dispatch(main.Self().Name(), hs::ui::Event::Created);
    if (app.Ending())
        return app.ExitCode();
    main.Self().SetVisible(true);

    if (options.page) {
        // As a click on the tab: the page is selected first, then the handler runs.
        hs::ui::Control tab = main.Find("选择夹1");
        if (tab) {
            tab.SetPosition(*options.page);
            hs::ui::EventArgs args;
            args.code = *options.page;
            main.Dispatch(tab.Name(), hs::ui::Event::PageChanged, args);
        }
    }
    if (options.showBar) {
        hs::ui::Window& barWindow = app.Bar();
        barWindow.Dispatch(barWindow.Self().Name(), hs::ui::Event::Created);
        barWindow.Self().SetVisible(true);
    }
    if (options.hideMain)
        main.Self().SetVisible(false);
    const int exitCode = frontEnd.Run();
    // The workers are asked to stop and given what is left of the exit's bound, before
    // the front end that observes the windows is taken down. One that is still inside
    // a call that does not return is left alone: the process ends without tearing
    // down what it uses.
    if (!app.EndWorkers())
        ExitProcess(static_cast<UINT>(exitCode));
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The window thread is a single-threaded apartment: the shell's handlers that open
    // an address, and the common dialogs, expect COM to be initialised that way.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    Options options = ParseOptions();
    if (!options.error.empty())
        return Fail(options.error);

    hs::win::WindowsHost windows;
    hs::Host host = windows.host();
    std::unique_ptr<hs::sim::DirectoryFiles> simFiles;
    std::unique_ptr<hs::sim::SimulatedLaptop> laptop;
    if (options.simulate) {
        std::string scenario = hs::sim::SimulatedLaptop::BuiltInScenario(options.scenarioFile);
        if (!scenario.empty()) {
            options.scenarioFile.clear();  // a built-in scenario names no files beside it
        } else if (options.scenarioFile.empty()) {
            scenario = hs::sim::SimulatedLaptop::DefaultScenario();
        } else if (!ReadWholeFile(options.scenarioFile, scenario)) {
            return Fail("无法读取模拟场景文件: " + options.scenarioFile);
        }
        simFiles = std::make_unique<hs::sim::DirectoryFiles>(SimulationFolder());
        std::string error;
        laptop = hs::sim::SimulatedLaptop::FromScenario(
            scenario, *windows.host().clock, *windows.host().codec, *simFiles, &error,
            options.scenarioFile.empty() ? hs::sim::ScenarioFileReader()
                                         : hs::sim::ReaderBeside(options.scenarioFile));
        if (!laptop)
            return Fail("模拟场景有误: " + error);
        laptop->KeepJournal(simFiles->Locate("command-journal.txt"));
        host = laptop->MakeHost();
        // The other instance's window is a real window even on a simulated laptop.
        host.desktop = windows.host().desktop;
    }

    std::string journalFolder = options.simulate ? SimulationFolder() : JournalFolder();
    // Never destroyed: a worker past the exit's bound may still run a command.
    auto* journal = options.simulate
                        ? nullptr
                        : KeepUserJournal(host, journalFolder, options.journalBound).release();
    if (!options.simulate && journal == nullptr)
        journalFolder.clear();

    hs::win::ui::WindowsDispatcher dispatcher;
    // Owned here and never destroyed while a worker may still use it: see the end.
    auto* app = new hs::app::App(host, dispatcher);
    app->journalFolder = journalFolder;
    const int exitCode = RunProgram(*app, options);
    delete app;
    if (SUCCEEDED(com))
        CoUninitialize();
    return exitCode;
}
