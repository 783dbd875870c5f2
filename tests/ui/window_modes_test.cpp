// The window operations the front end carries out: position modes and activation are
// requests announced on every call; the frame is state, announced when it changes.
#include <gtest/gtest.h>

#include "tests/ui/layout.h"
#include "ui/model.h"
#include "ui/recorder.h"

namespace hs::ui {
namespace {

using test::TestLayout;

TEST(WindowModes, PositionModesAndActivationAreAnnouncedOnEveryCall) {
    Window w(TestLayout());
    Recorder rec(w);
    EXPECT_EQ(w.Self().PositionMode(), kPositionNormal);
    w.Self().SetPositionMode(kPositionMinimised);
    w.Self().SetPositionMode(kPositionCentred);
    // Centred again (the user may have moved the window meanwhile).
    w.Self().SetPositionMode(kPositionCentred);
    EXPECT_EQ(w.Self().PositionMode(), kPositionCentred);
    EXPECT_EQ(rec.Values("主窗口", Property::PositionMode),
              (std::vector<std::string>{"2", "1", "1"}));
    w.Self().Activate();
    w.Self().Activate();
    EXPECT_EQ(rec.Count("主窗口", Property::Activate), 2);
    // Neither moves the window: the model knows no screen.
    EXPECT_EQ(rec.Count("主窗口", Property::Geometry), 0);
}

TEST(WindowModes, TheFrameIsStateAnnouncedWhenItChanges) {
    Window w(TestLayout());
    Recorder rec(w);
    EXPECT_TRUE(w.Self().Bordered());
    w.Self().SetBordered(true);
    EXPECT_EQ(rec.Count("主窗口", Property::Border), 0);
    w.Self().SetBordered(false);
    w.Self().SetBordered(false);
    EXPECT_FALSE(w.Self().Bordered());
    EXPECT_EQ(rec.Values("主窗口", Property::Border), (std::vector<std::string>{"0"}));
    // An invalid handle reads the defaults and writes nothing.
    Control none;
    EXPECT_EQ(none.PositionMode(), 0);
    none.SetPositionMode(kPositionCentred);
    none.Activate();
    EXPECT_EQ(rec.Changes().size(), 1u);
}

}  // namespace
}  // namespace hs::ui
