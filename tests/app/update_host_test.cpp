// The launcher's --update-host option: the created procedure builds the update
// server's addresses on the given host, and the background preparation asks it.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/layout.h"
#include "app/update_server.h"
#include "sys/dispatcher.h"
#include "tests/app/app_host.h"

namespace hs::app {
namespace {

// Records every address asked for and answers that nothing could be fetched.
class RecordingHttp : public HttpClient {
  public:
    HttpResponse Get(const std::string& url, const StopSignal*) override {
        std::lock_guard<std::mutex> lock(mutex_);
        asked_.push_back(url);
        return {};
    }
    std::vector<std::string> Asked() {
        std::lock_guard<std::mutex> lock(mutex_);
        return asked_;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> asked_;
};

class UpdateHost : public ::testing::Test {
  protected:
    UpdateHost() { sim.host.http = &http; }

    // Runs the created procedure with the real background preparation and waits for
    // the preparation to end.
    void CreateAndPrepare(const std::string& hostOverride) {
        app = std::make_unique<App>(sim.host, dispatcher);
        app->updateHostOverride = hostOverride;
        app->Main().Dispatch(kMainWindowName, ui::Event::Created);
        app->Settle();
    }
    std::string Joined() const {
        std::string joined;
        for (const std::string& piece : app->Hotspot().updateUrl)
            joined += piece;
        return joined;
    }

    // Declared before the program, so they outlive its worker threads.
    testing_support::AppHost sim;
    QueueDispatcher dispatcher;
    RecordingHttp http;
    std::unique_ptr<App> app;
};

TEST_F(UpdateHost, TheOverrideTakesTheHostsPlaceInEveryAddressThePreparationAsks) {
    CreateAndPrepare("127.0.0.1:8123");
    EXPECT_EQ(Joined(), "http://127.0.0.1:8123.html");
    EXPECT_EQ(http.Asked(),
              (std::vector<std::string>{"http://127.0.0.1:8123/rjgx/lanz/lanzgx.html",
                                        "http://127.0.0.1:8123/rjgx/lanz/gonggao.html"}));
    // Nothing fetched: the button is still enabled and the built-in help is shown.
    EXPECT_TRUE(app->Main()["按钮开始"].Enabled());
    EXPECT_NE(app->Main()["简单超文本框1"].Document().find("帮助信息"), std::string::npos);
}

TEST_F(UpdateHost, WithoutTheOverrideTheUpdateServerIsAsked) {
    CreateAndPrepare("");
    const std::string server = std::string("http://") + kUpdateServerHost;
    EXPECT_EQ(http.Asked(), (std::vector<std::string>{server + "/rjgx/lanz/lanzgx.html",
                                                      server + "/rjgx/lanz/gonggao.html"}));
}

}  // namespace
}  // namespace hs::app
