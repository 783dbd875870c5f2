// Several threads write one window while observers read it back; handlers run on
// worker threads. Run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/ui/layout.h"
#include "ui/model.h"

namespace hs::ui {
namespace {

TEST(ModelThreads, WritersAndAnObserverThatReads) {
    Window w(test::TestLayout());
    std::atomic<int> notified{0};
    std::atomic<bool> sawTorn{false};
    w.AddObserver([&](Control c, Property p) {
        ++notified;
        // Read the control back, and another one, while others write.
        if (p == Property::Text) {
            std::string text = c.Text();
            if (!text.empty() && text.front() != text.back()) {
                sawTorn = true;
            }
        }
        if (p == Property::Rows) {
            Control list = c.Owner()["超级列表框1"];
            (void)list.Rows();
            (void)list.SelectedRows();
        }
        (void)c.Owner()["滑块条色调"].Position();
    });

    constexpr int kRounds = 300;
    std::vector<std::thread> threads;
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            char ch = static_cast<char>('a' + i % 26);
            w["编辑框名称"].SetText(std::string(8, ch));
        }
    });
    threads.emplace_back([&] {
        Control list = w["超级列表框1"];
        for (int i = 0; i < kRounds; ++i) {
            int row = list.InsertRow();
            list.SetCell(row, 1, std::to_string(i));
            list.SelectRow(row, i % 2 == 0);
            if (list.RowCount() > 20) {
                list.DeleteRow(0);
            }
        }
    });
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            w["滑块条色调"].SetPosition(i);
            w[i % 2 ? "单选框监控" : "单选框不监控"].SetChecked(true);
            w["时钟状态"].SetInterval(i % 3 ? 500 : 0);
        }
    });
    threads.emplace_back([&] {
        for (int i = 0; i < kRounds; ++i) {
            w.SetHue(i);
            w.SetTrayIcon(i % 2 ? kPictureTrayIdle : kPictureTrayRunning, "tip");
            int id = w.AddObserver([](Control, Property) {});
            w.RemoveObserver(id);
        }
    });
    for (auto& t : threads) {
        t.join();
    }

    EXPECT_FALSE(sawTorn);
    EXPECT_GT(notified.load(), kRounds);
    EXPECT_LE(w["超级列表框1"].RowCount(), 21);
    EXPECT_EQ(w["滑块条色调"].Position(), kRounds - 1);
    // Exactly one radio of the group is checked, whatever the interleaving.
    EXPECT_NE(w["单选框监控"].Checked(), w["单选框不监控"].Checked());
}

TEST(ModelThreads, HandlersDispatchedFromWorkersMayWriteControls) {
    Window w(test::TestLayout());
    std::atomic<int> ticks{0};
    w.Bind("时钟循环列表", Event::Tick, [&](const EventArgs&) {
        ++ticks;
        Control list = w["超级列表框1"];
        int row = list.InsertRow();
        list.SetCell(row, 3, "phone");
        w["编辑框名称"].SetText(std::to_string(list.RowCount()));
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 100; ++i) {
                w.Dispatch("时钟循环列表", Event::Tick);
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    EXPECT_EQ(ticks.load(), 300);
    EXPECT_EQ(w["超级列表框1"].RowCount(), 300);
}

}  // namespace
}  // namespace hs::ui
