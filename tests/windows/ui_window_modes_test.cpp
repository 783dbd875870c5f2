// The window operations on a real window: minimised and restored by the position
// mode, the frame taken off with the outer rectangle kept, the collapse down to
// nothing, and the model never taking a minimised window's task-bar place for its
// position.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/windows/ui/front_end.h"
#include "tests/windows/ui_test_support.h"
#include "ui/model.h"

namespace {

using hs::ui::ControlSpec;
using hs::ui::Kind;
using hs::win::test::PumpFor;

std::vector<ControlSpec> OneWindow() {
    ControlSpec self;
    self.name = "模式窗口";
    self.kind = Kind::Window;
    self.caption = "位置模式";
    self.left = 120;
    self.top = 90;
    self.width = 380;
    self.height = 268;
    ControlSpec label;
    label.name = "标签";
    label.kind = Kind::Label;
    label.caption = "文字";
    label.left = 10;
    label.top = 10;
    label.width = 80;
    label.height = 16;
    return {self, label};
}

class UiWindowModes : public ::testing::Test {
  protected:
    UiWindowModes() : window(OneWindow()) {
        hs::win::ui::WindowOptions options;
        options.messageBoxes = false;
        frontEnd.Create(window, options);
        hwnd = frontEnd.WindowHandle(window);
        window.Self().SetVisible(true);
        frontEnd.Flush();
        PumpFor(50);
    }
    RECT Rect() {
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        return rc;
    }

    hs::ui::Window window;
    hs::win::ui::FrontEnd frontEnd;
    HWND hwnd = nullptr;
};

TEST_F(UiWindowModes, MinimisedAndCentredAgainWhereTheModelSays) {
    ASSERT_TRUE(IsWindowVisible(hwnd));
    window.Self().SetPositionMode(hs::ui::kPositionMinimised);
    window.Self().SetVisible(false);
    frontEnd.Flush();
    PumpFor(50);
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    // The task-bar place of the minimised window never reaches the model.
    EXPECT_EQ(window.Self().Left(), 120);
    EXPECT_EQ(window.Self().Width(), 380);

    window.Self().SetVisible(true);
    window.Self().Move(200, 150, 380, 268);
    window.Self().SetPositionMode(hs::ui::kPositionCentred);
    window.Self().Activate();
    frontEnd.Flush();
    PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsIconic(hwnd));
    const RECT rc = Rect();
    EXPECT_EQ(rc.left, 200);
    EXPECT_EQ(rc.top, 150);
    EXPECT_EQ(rc.right - rc.left, 380);
    EXPECT_EQ(rc.bottom - rc.top, 268);
}

TEST_F(UiWindowModes, TheFrameComesOffAndTheWindowCollapsesToNothing) {
    const RECT before = Rect();
    window.Self().SetBordered(false);
    frontEnd.Flush();
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_POPUP, 0);
    const RECT after = Rect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);

    window.Self().Move(120, 224, 380, 0);
    frontEnd.Flush();
    EXPECT_EQ(Rect().bottom - Rect().top, 0);
    window.Self().Move(310, 224, 0, 0);
    frontEnd.Flush();
    EXPECT_EQ(Rect().right - Rect().left, 0);

    window.Self().SetBordered(true);
    frontEnd.Flush();
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION, 0);
}

}  // namespace
