// Captured console output replayed on the simulated laptop, commands that cannot be
// started or answer late, and the journal of every command the program ran.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/sim/canned_commands.h"
#include "platform/sim/scenario.h"
#include "sys/command.h"
#include "sys/worker.h"
#include "tests/sim/sim_test_support.h"

namespace hs::sim::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A scenario file in a folder of its own, built into a laptop as --simulate=FILE
// builds it, with the journal kept beside it.
struct ReplayBench {
    explicit ReplayBench(const std::string& scenarioText,
                         const std::vector<std::pair<std::string, std::string>>& replyFiles)
        : folder(testing_support::FreshFolder("hs_replay")),
          codec(MakeNativeCodec()),
          files((folder / "data").string()) {
        fs::create_directories(folder / "data");
        for (const auto& [name, bytes] : replyFiles)
            WriteBytes(folder / name, bytes);
        scenarioPath = Utf8Of(folder / "story.scn");
        WriteBytes(folder / "story.scn", scenarioText);
        laptop = SimulatedLaptop::FromScenario(ReadBytes(folder / "story.scn"), clock, *codec,
                                               files, &error, ReaderBeside(scenarioPath));
        if (laptop)
            host = laptop->MakeHost();
    }
    ~ReplayBench() {
        laptop.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    void At(double seconds) {
        const int64_t target = static_cast<int64_t>(seconds * 1000);
        if (target > clock.NowMs())
            clock.Advance(target - clock.NowMs());
    }
    // A console sample as a user's console would have saved it: GBK, CR LF.
    static std::string Captured(TextCodec& codec, const std::string& fixture) {
        return codec.Utf8ToGbk(Fixture(fixture));
    }

    fs::path folder;
    std::string scenarioPath;
    VirtualClock clock;
    std::unique_ptr<TextCodec> codec;
    DirectoryFiles files;
    std::string error;
    std::unique_ptr<SimulatedLaptop> laptop;
    Host host;
};

TEST(CommandReplay, ACapturedArpTableIsReplayedAndTheRunIsJournaled) {
    auto codec = MakeNativeCodec();
    const std::string captured = ReplayBench::Captured(*codec, "arp-hotspot-blocked-and-left.txt");
    ReplayBench missing("windows 7\nreply \"arp -a\" arp-from-a-user.txt\n", {});
    EXPECT_EQ(missing.laptop, nullptr);
    EXPECT_EQ(missing.error, "scenario: line 2: cannot read the reply file 'arp-from-a-user.txt'");

    // A user's laptop: their own arp table, and a netsh that cannot be started.
    ReplayBench story(
        "reply \"arp -a\" arp-from-a-user.txt\n"
        "unstartable \"NETSH WLAN START\"\n",
        {{"arp-from-a-user.txt", captured}});
    ASSERT_NE(story.laptop, nullptr) << story.error;
    const fs::path journal = story.folder / "data" / "commands.txt";
    ASSERT_TRUE(story.laptop->KeepJournal(Utf8Of(journal)));

    // The captured table comes back exactly, upper-case address and blocked entry
    // included, however often it is asked for and whatever the model's devices do.
    story.At(3);
    EXPECT_EQ(RunCommand(story.host, "arp -a"), Fixture("arp-hotspot-blocked-and-left.txt"));
    story.At(60);
    const std::string again = RunCommand(story.host, "arp -a");
    EXPECT_NE(again.find("192.168.137.61        00-00-00-00-00-00"), std::string::npos);
    EXPECT_EQ(again, Fixture("arp-hotspot-blocked-and-left.txt"));
    // Only that command line is replayed; the model answers the others.
    EXPECT_EQ(RunCommand(story.host, "arp -a -v").find("A4-5E-60-C1-22-33"), std::string::npos);

    // The unstartable prefix is matched by its start, letter case ignored.
    std::string output = "left over";
    EXPECT_FALSE(TryRunCommand(story.host, "netsh wlan start hostednetwork", output));
    EXPECT_EQ(output, "");
    EXPECT_EQ(RunCommand(story.host, "netsh wlan start hostednetwork"), "");
    EXPECT_TRUE(TryRunCommand(story.host, "netsh wlan show hostednetwork", output));
    EXPECT_NE(output.find("承载网络状态"), std::string::npos) << output;
    EXPECT_FALSE(story.laptop->Snapshot().hosted.started);

    // Every attempt is in the model's record, in order.
    const std::vector<std::string> expected = {"arp -a",
                                               "arp -a",
                                               "arp -a -v",
                                               "netsh wlan start hostednetwork",
                                               "netsh wlan start hostednetwork",
                                               "netsh wlan show hostednetwork"};
    EXPECT_EQ(story.laptop->Snapshot().commands, expected);

    // The journal: each command with its time on the scenario's timeline and the
    // answer the program got.
    const std::string log = ReadBytes(journal);
    EXPECT_EQ(
        log.find("[3.000 s] {window} arp -a\r\n" + Fixture("arp-hotspot-blocked-and-left.txt")), 0u)
        << log;
    EXPECT_NE(log.find("[60.000 s] {window} arp -a\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("[60.000 s] {window} netsh wlan start hostednetwork  (could not be "
                       "started)\r\n\r\n[60.000 s] {window} netsh wlan start hostednetwork  "
                       "(could not be started)\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("[60.000 s] {window} netsh wlan show hostednetwork\r\n" + output),
              std::string::npos);
}

TEST(CommandReplay, AReplyReplacesTheModelsAnswerAndChangesNothing) {
    auto codec = MakeNativeCodec();
    ReplayBench b(
        "reply \"netsh wlan start hostednetwork\" start-failed.txt\n"
        "reply netsh interface ip set address name=\"无线网络连接 2\" source=dhcp \"set "
        "dhcp.txt\"\n",
        {{"start-failed.txt", ReplayBench::Captured(*codec, "start-failure-verbatim.txt")},
         {"set dhcp.txt", codec->Utf8ToGbk("确定。\r\n")}});
    ASSERT_NE(b.laptop, nullptr) << b.error;
    EXPECT_EQ(RunCommand(b.host, "netsh wlan set hostednetwork mode=allow ssid=a key=12345678")
                  .find("承载网络模式已设置为允许"),
              0u);
    EXPECT_EQ(RunCommand(b.host, "netsh wlan start hostednetwork"),
              Fixture("start-failure-verbatim.txt"));
    EXPECT_FALSE(b.laptop->Snapshot().hosted.started);
    // A command line holding quotes of its own is written without outer ones.
    EXPECT_EQ(
        RunCommand(b.host, "netsh interface ip set address name=\"无线网络连接 2\" source=dhcp"),
        "确定。\r\n");
    // A captured zero byte ends what the runner keeps, as on the real console.
    ReplayBench zero("reply \"arp -a\" z.txt\n", {{"z.txt", std::string("ab\0cd", 5)}});
    ASSERT_NE(zero.laptop, nullptr) << zero.error;
    EXPECT_EQ(RunCommand(zero.host, "arp -a"), "ab");
}

TEST(CommandReplay, ScenarioFormsAndMistakesOfReplyUnstartableAndSlow) {
    const auto errorOf = [](const std::string& text, const ScenarioFileReader& files) {
        LaptopModel model;
        std::string error;
        EXPECT_FALSE(ParseScenario(text, model, error, files)) << text;
        return error;
    };
    const ScenarioFileReader one = [](const std::string& path, std::string& bytes) {
        bytes = "x";
        return path == "a.txt";
    };
    EXPECT_EQ(errorOf("reply \"arp -a\" a.txt\n", {}),
              "line 1: reply needs a scenario read from a file");
    EXPECT_EQ(errorOf("\nreply \"arp -a\" b.txt\n", one),
              "line 2: cannot read the reply file 'b.txt'");
    EXPECT_EQ(errorOf("reply \"arp -a\"\n", one), "line 1: reply needs a command line and a file");
    EXPECT_EQ(errorOf("reply a.txt\n", one), "line 1: reply needs a command line and a file");
    EXPECT_EQ(errorOf("reply arp -a a.txt\nreply \"arp -a\" a.txt\n", one),
              "line 2: the command line 'arp -a' has a reply already");
    EXPECT_EQ(errorOf("unstartable\n", one),
              "line 1: unstartable needs the start of a command line");
    EXPECT_EQ(errorOf("unstartable \"\"\n", one),
              "line 1: unstartable needs the start of a command line");
    EXPECT_EQ(errorOf("slow \"netsh\"\n", one),
              "line 1: slow needs a command line and a time in seconds");
    EXPECT_EQ(errorOf("\nslow \"netsh\" from=5\n", one),
              "line 2: slow needs a command line and a time in seconds");
    EXPECT_EQ(errorOf("slow 60\n", one), "line 1: slow needs a command line and a time in seconds");
    EXPECT_EQ(errorOf("slow \"netsh\" -5\n", one),
              "line 1: slow needs a time in seconds, not '-5'");
    EXPECT_EQ(errorOf("slow netsh 5 after=2\n", one), "line 1: unknown option 'after' for slow");
    EXPECT_EQ(errorOf("slow netsh 5 from=-1\n", one), "line 1: from must be a time in seconds");

    LaptopModel model;
    std::string error;
    ASSERT_TRUE(
        ParseScenario("unstartable \"netsh\"  # every netsh\nunstartable arp -d\n"
                      "reply \"arp -a\" \"a.txt\"\n"
                      "slow \"netsh wlan set hostednetwork mode=disallow\" 60 FROM=25.5\n"
                      "slow netsh interface ip 0.25\n",
                      model, error, one))
        << error;
    EXPECT_EQ(model.unstartable, (std::vector<std::string>{"netsh", "arp -d"}));
    EXPECT_EQ(model.replies.at("arp -a"), "x");
    ASSERT_EQ(model.slow.size(), 2u);
    EXPECT_EQ(model.slow[0].prefix, "netsh wlan set hostednetwork mode=disallow");
    EXPECT_EQ(model.slow[0].delayMs, 60000);
    EXPECT_EQ(model.slow[0].fromMs, 25500);
    EXPECT_EQ(model.slow[1].prefix, "netsh interface ip");
    EXPECT_EQ(model.slow[1].delayMs, 250);
    EXPECT_EQ(model.slow[1].fromMs, 0);
}

// A virtual clock on which a stop is asked for the moment a wait begins, as when the
// program is told to quit while a command is still running.
class StopAsWaitBegins : public Clock {
  public:
    int64_t NowMs() override { return clock.NowMs(); }
    void Delay(int64_t ms, const StopSignal* stop) override {
        if (toStop != nullptr)
            toStop->Request();
        clock.Delay(ms, stop);
    }
    VirtualClock clock;
    StopSignal* toStop = nullptr;
};

TEST(CommandReplay, ASlowCommandTakesItsTimeFromItsStartAndSitsOutAStop) {
    StopAsWaitBegins clock;
    auto codec = MakeNativeCodec();
    DirectoryFiles files(testing_support::FreshFolder("hs_slow").string());
    std::string error;
    auto laptop = SimulatedLaptop::FromScenario(
        "slow \"NETSH WLAN SET hostednetwork mode=disallow\" 60 from=25\n"
        "slow \"netsh wlan set\" 2 from=5\n",
        clock, *codec, files, &error);
    ASSERT_NE(laptop, nullptr) << error;
    CommandRunner& commands = *laptop->MakeHost().commands;
    const std::string disallow = "netsh wlan set hostednetwork mode=disallow";
    std::string output;

    // Before either statement's time the command answers at once.
    ASSERT_TRUE(commands.Run(disallow, nullptr, output));
    EXPECT_NE(output.find("承载网络模式已设置为禁止"), std::string::npos) << output;
    EXPECT_TRUE(clock.clock.Pauses().empty());
    // The first statement is not in force yet, so the second one applies.
    clock.clock.Advance(10000);
    ASSERT_TRUE(commands.Run(disallow, nullptr, output));
    EXPECT_EQ(clock.clock.Pauses(), (std::vector<int64_t>{2000}));

    // From 25 s on the first one applies: a stop asked for during the wait neither
    // shortens it nor loses the answer, and the command has its effect.
    clock.clock.Advance(30000 - clock.NowMs());
    ASSERT_TRUE(commands.Run(kConfigure, nullptr, output));  // 2 s more
    StopSignal stop;
    clock.toStop = &stop;
    ASSERT_TRUE(commands.Run(disallow, &stop, output));
    EXPECT_TRUE(stop.Requested());
    EXPECT_EQ(clock.clock.Pauses(), (std::vector<int64_t>{2000, 2000, 60000}));
    EXPECT_EQ(clock.NowMs(), 92000);
    EXPECT_NE(output.find("承载网络模式已设置为禁止"), std::string::npos) << output;
    EXPECT_FALSE(laptop->Snapshot().hosted.allowed);
    // Other commands stay quick.
    clock.toStop = nullptr;
    ASSERT_TRUE(commands.Run("arp -a", nullptr, output));
    EXPECT_EQ(clock.clock.Pauses().size(), 3u);
}

TEST(CommandReplay, TheJournalNamesTheThreadMarksStopsAndCanBeStartedAfresh) {
    Bench b;
    const fs::path journal = b.folder / "journal.txt";
    RunCommand(b.host, "arp -a");  // before the journal: not written down
    ASSERT_TRUE(b.laptop->KeepJournal(Utf8Of(journal)));
    b.At(1.25);
    StopSignal stop;
    stop.Request();
    std::string output;
    EXPECT_TRUE(b.host.commands->Run("netsh wlan start hostednetwork", &stop, output));
    EXPECT_EQ(ReadBytes(journal),
              "[1.250 s] {window} netsh wlan start hostednetwork  (stopped)\r\n\r\n");
    // Each entry names the thread that ran it: a task's worker by the task's name, the
    // window thread as "window" (which runs no command through sys/command.h, so the
    // port is called directly there).
    {
        Task pass("pass");
        pass.Start([&] { RunCommand(b.host, "arp -a"); });
        pass.Join();
    }
    {
        WindowThreadScope window;
        EXPECT_TRUE(b.host.commands->Run("netsh wlan show hostednetwork", nullptr, output));
    }
    const std::string log = ReadBytes(journal);
    EXPECT_NE(log.find("\r\n[1.250 s] {pass} arp -a\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\r\n[1.250 s] {window} netsh wlan show hostednetwork\r\n"),
              std::string::npos)
        << log;
    ASSERT_TRUE(b.laptop->KeepJournal(Utf8Of(journal)));
    EXPECT_EQ(ReadBytes(journal), "");
    EXPECT_FALSE(b.laptop->KeepJournal(Utf8Of(b.folder / "no-such-folder" / "journal.txt")));
    EXPECT_NE(b.Run("arp -a").find("接口"), std::string::npos);  // still runs without one
}

TEST(CannedCommandsUnstartable, TryRunCommandTellsNotStartedFromPrintedNothing) {
    auto codec = MakeNativeCodec();
    CannedCommands commands(*codec);
    commands.Set("netsh wlan stop hostednetwork", "");
    commands.SetUnstartable("netsh wlan start");
    Host host;
    host.commands = &commands;
    host.codec = codec.get();
    std::string output = "left over";
    EXPECT_TRUE(TryRunCommand(host, "netsh wlan stop hostednetwork", output));
    EXPECT_EQ(output, "");
    EXPECT_FALSE(TryRunCommand(host, "Netsh WLAN start hostednetwork", output));
    EXPECT_EQ(RunCommand(host, "netsh wlan start hostednetwork"), "");
    // A worker whose stop was asked starts nothing and reports no failure.
    bool started = false;
    {
        Task worker;
        worker.Start([&] {
            while (!StopRequested())
                std::this_thread::yield();
            started = TryRunCommand(host, "netsh wlan start hostednetwork", output);
        });
        worker.RequestStop();
        worker.Join();
    }
    EXPECT_TRUE(started);
    EXPECT_EQ(commands.Calls().size(), 3u);
}

}  // namespace
}  // namespace hs::sim::testing
