// The laptop's system ports: the console, the version, the desktop, services, the
// update server, the shell, the power switch and the random generator. Requests that would leave
// the laptop (browser, programs, shutdown) are recorded, never carried out.
#include "platform/sim/canned_commands.h"
#include "platform/sim/console_text.h"
#include "platform/sim/laptop_ports.h"
#include "platform/sim/seeded_random.h"

namespace hs::sim {
namespace {

class SimCommands : public CommandRunner {
  public:
    explicit SimCommands(LaptopCore& core) : core_(core) {}

    bool Run(const std::string& commandLine, const StopSignal* stop, std::string& output) override {
        output.clear();
        if (stop != nullptr && stop->Requested())
            return true;
        int64_t delayMs = 0;
        {
            auto lock = core_.Lock();
            LaptopModel& m = core_.model;
            for (const auto& prefix : m.unstartable) {
                if (StartsWithNoCase(commandLine, prefix)) {
                    m.commands.push_back(commandLine);
                    return false;
                }
            }
            for (const auto& slow : m.slow) {
                if (m.nowMs >= slow.fromMs && StartsWithNoCase(commandLine, slow.prefix)) {
                    delayMs = slow.delayMs;
                    break;
                }
            }
        }
        // A slow command keeps the caller waiting, outside the laptop's lock so the
        // other ports still answer, and no stop cuts the wait short: the clock is
        // given none.
        if (delayMs > 0)
            core_.clock.Delay(delayMs, nullptr);
        std::string bytes;
        {
            auto lock = core_.Lock();
            LaptopModel& m = core_.model;
            // A captured answer replaces the model's, and changes nothing.
            auto reply = m.replies.find(commandLine);
            if (reply != m.replies.end()) {
                m.commands.push_back(commandLine);
                bytes = reply->second;
            } else {
                bytes = core_.codec.Utf8ToGbk(m.Run(commandLine));
            }
        }
        // Through the console's bytes, as the system's command runner sees them: GBK,
        // each chunk cut at a zero byte.
        const size_t zero = bytes.find('\0');
        if (zero != std::string::npos)
            bytes.resize(zero);
        output = core_.codec.GbkToUtf8(bytes);
        return true;
    }

  private:
    LaptopCore& core_;
};

// The code point of one UTF-8 character.
char32_t CodePoint(const std::string& character) {
    const unsigned char lead = static_cast<unsigned char>(character[0]);
    const size_t length = character.size();
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    for (size_t i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(character[i]) & 0x3F);
    return c;
}

class SimSystem : public SystemInfo {
  private:
    // Whether the code page holds the one character: GBK through the laptop's codec,
    // Western European through its table (ASCII, Latin-1 and the 27 characters at
    // 0x80-0x9F).
    bool Holds(int codePage, const std::string& character) {
        if (codePage == 936)
            return character == "?" || core_.codec.Utf8ToGbk(character) != "?";
        const char32_t c = CodePoint(character);
        static const std::u32string kWindows1252 =
            U"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
            U"\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E"
            U"\u0178";
        return c < 0x80 || (c >= 0xA0 && c <= 0xFF) || kWindows1252.find(c) != std::u32string::npos;
    }

  public:
    explicit SimSystem(LaptopCore& core) : core_(core) {}
    OsVersion Version() override {
        auto lock = core_.Lock();
        return core_.model.Version();
    }
    // The token says what the scenario's "admin" line says.
    Elevation ProcessElevation() override {
        auto lock = core_.Lock();
        return core_.model.admin ? Elevation::Elevated : Elevation::NotElevated;
    }
    std::string Unencodable(const std::string& utf8) override {
        int codePage = 936;
        {
            auto lock = core_.Lock();
            codePage = core_.model.ansiCodePage;
        }
        size_t at = 0;
        while (at < utf8.size()) {
            const unsigned char lead = static_cast<unsigned char>(utf8[at]);
            const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            const std::string character = utf8.substr(at, length);
            at += length;
            if (!Holds(codePage, character))
                return character;
        }
        return {};
    }

  private:
    LaptopCore& core_;
};

class SimDesktop : public Desktop {
  public:
    explicit SimDesktop(LaptopCore& core) : core_(core) {}
    bool RestoreExistingWindow(const std::string& title) override {
        auto lock = core_.Lock();
        return core_.model.existingWindow;
    }
    // A laptop's one screen of 1366 x 768 pixels with the task bar, 40 pixels high,
    // along its bottom edge.
    DisplayLayout Displays() override {
        DisplayLayout layout;
        layout.screenWidth = 1366;
        layout.screenHeight = 768;
        layout.workAreas.push_back({0, 0, 1366, 728});
        layout.monitors.push_back({0, 0, 1366, 768});
        return layout;
    }

  private:
    LaptopCore& core_;
};

class SimServices : public ServiceManager {
  public:
    explicit SimServices(LaptopCore& core) : core_(core) {}

    bool Query(const std::string& service, ServiceStatus& out) override {
        auto lock = core_.Lock();
        const SimService* s = Open(service);
        if (s == nullptr)
            return false;
        out = s->status;
        return true;
    }

    bool SetStartType(const std::string& service, int startType) override {
        auto lock = core_.Lock();
        SimService* s = Open(service);
        if (s == nullptr || startType < 2 || startType > 4)
            return false;
        s->status.startType = startType;
        return true;
    }

    bool Start(const std::string& service) override {
        auto lock = core_.Lock();
        SimService* s = Open(service);
        // A running service cannot be started again; a disabled one not at all.
        if (s == nullptr || s->status.currentState != 1 || s->status.startType == 4 ||
            s->startFails) {
            return false;
        }
        s->status.currentState = 4;
        return true;
    }

  private:
    // Opening a service with all access needs administrator rights.
    SimService* Open(const std::string& name) {
        LaptopModel& m = core_.model;
        if (!m.admin)
            return nullptr;
        for (auto& [key, service] : m.services) {
            if (EqualsNoCase(key, name)) {
                return &service;
            }
        }
        return nullptr;
    }

    LaptopCore& core_;
};

class SimHttp : public HttpClient {
  public:
    explicit SimHttp(LaptopCore& core) : core_(core) {}

    HttpResponse Get(const std::string& url, const StopSignal* stop) override {
        if (stop != nullptr && stop->Requested())
            return {};
        std::string body;
        {
            auto lock = core_.Lock();
            LaptopModel& m = core_.model;
            m.httpRequests.push_back(url);
            auto it = m.pages.find(url);
            if (it == m.pages.end())
                it = m.pages.find(PathOf(url));
            if (it == m.pages.end())
                return {404, {}};
            body = it->second;
        }
        return {200, core_.codec.Utf8ToGbk(body)};
    }

  private:
    // "/a/b.html" of "http://host:port/a/b.html?x".
    static std::string PathOf(const std::string& url) {
        size_t start = url.find("://");
        start = start == std::string::npos ? 0 : url.find('/', start + 3);
        if (start == std::string::npos)
            return "/";
        const size_t end = url.find_first_of("?#", start);
        return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }

    LaptopCore& core_;
};

class SimShell : public Shell {
  public:
    explicit SimShell(LaptopCore& core) : core_(core) {}
    bool OpenUrl(const std::string& url) override {
        auto lock = core_.Lock();
        core_.model.openedUrls.push_back(url);
        return true;
    }
    bool StartDetached(const std::string& commandLine) override {
        auto lock = core_.Lock();
        core_.model.startedPrograms.push_back(commandLine);
        return true;
    }

  private:
    LaptopCore& core_;
};

class SimPower : public Power {
  public:
    explicit SimPower(LaptopCore& core) : core_(core) {}
    bool Shutdown() override {
        auto lock = core_.Lock();
        ++core_.model.shutdownRequests;
        return true;
    }

  private:
    LaptopCore& core_;
};

class SimRandom : public RandomSource {
  public:
    explicit SimRandom(LaptopCore& core) : core_(core) {}
    bool Fill(uint8_t* out, size_t count) override {
        auto lock = core_.Lock();
        LaptopModel& m = core_.model;
        if (!m.randomAvailable)
            return false;
        FillSeeded(m.randomState, out, count);
        return true;
    }

  private:
    LaptopCore& core_;
};

}  // namespace

std::unique_ptr<CommandRunner> MakeCommandPort(LaptopCore& core) {
    return std::make_unique<SimCommands>(core);
}
std::unique_ptr<SystemInfo> MakeSystemPort(LaptopCore& core) {
    return std::make_unique<SimSystem>(core);
}
std::unique_ptr<Desktop> MakeDesktopPort(LaptopCore& core) {
    return std::make_unique<SimDesktop>(core);
}
std::unique_ptr<ServiceManager> MakeServicePort(LaptopCore& core) {
    return std::make_unique<SimServices>(core);
}
std::unique_ptr<HttpClient> MakeHttpPort(LaptopCore& core) {
    return std::make_unique<SimHttp>(core);
}
std::unique_ptr<Shell> MakeShellPort(LaptopCore& core) {
    return std::make_unique<SimShell>(core);
}
std::unique_ptr<Power> MakePowerPort(LaptopCore& core) {
    return std::make_unique<SimPower>(core);
}
std::unique_ptr<RandomSource> MakeRandomPort(LaptopCore& core) {
    return std::make_unique<SimRandom>(core);
}

}  // namespace hs::sim
