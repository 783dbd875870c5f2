// DeleteSelectedRows and the colour theme.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/ui/layout.h"
#include "ui/list_ops.h"
#include "ui/model.h"
#include "ui/palette.h"

namespace hs::ui {
namespace {

Control FilledList(Window& w, int rows) {
    Control list = w["超级列表框1"];
    for (int i = 0; i < rows; ++i) {
        list.SetCell(list.InsertRow(), 2, "mac" + std::to_string(i));
    }
    return list;
}

std::vector<std::string> Macs(Control list) {
    std::vector<std::string> macs;
    for (int i = 0; i < list.RowCount(); ++i) {
        macs.push_back(list.Cell(i, 2));
    }
    return macs;
}

TEST(DeleteSelectedRows, RemovesEverySelectedRowAndKeepsTheOrderOfTheRest) {
    Window w(test::TestLayout());
    Control list = FilledList(w, 6);
    for (int row : {0, 2, 3, 5}) {
        list.SelectRow(row, true);
    }
    EXPECT_EQ(DeleteSelectedRows(list), 4);
    EXPECT_EQ(Macs(list), (std::vector<std::string>{"mac1", "mac4"}));
    EXPECT_EQ(list.SelectedCount(), 0);
}

TEST(DeleteSelectedRows, NothingSelectedOrEverythingSelected) {
    Window w(test::TestLayout());
    Control list = FilledList(w, 3);
    EXPECT_EQ(DeleteSelectedRows(list), 0);
    EXPECT_EQ(list.RowCount(), 3);
    list.SelectRow(-1, true);
    EXPECT_EQ(DeleteSelectedRows(list), 3);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(DeleteSelectedRows(w.Find("没有")), 0);
}

// Relative luminance and contrast ratio as used for text legibility.
double Luminance(Colour c) {
    auto lin = [](uint8_t v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double Contrast(Colour a, Colour b) {
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double Lightness(Colour c) {
    return (std::max({c.r, c.g, c.b}) + std::min({c.r, c.g, c.b})) / 2.0;
}

double Saturation(Colour c) {
    double hi = std::max({c.r, c.g, c.b}) / 255.0, lo = std::min({c.r, c.g, c.b}) / 255.0;
    double l = (hi + lo) / 2;
    if (hi == lo) {
        return 0;
    }
    return l > 0.5 ? (hi - lo) / (2 - hi - lo) : (hi - lo) / (hi + lo);
}

std::vector<Colour> All(const Palette& p) {
    return {p.window, p.face,         p.faceHot,        p.facePressed, p.border,
            p.text,   p.disabledText, p.editBackground, p.editText,    p.groupFrame,
            p.accent, p.selection,    p.selectionText};
}

TEST(Palette, HueZeroIsTheBaseAndTheHueWrapsAround) {
    EXPECT_EQ(ThemePalette(0), BasePalette());
    EXPECT_EQ(ThemePalette(360), BasePalette());
    EXPECT_EQ(ThemePalette(-720), BasePalette());
    EXPECT_EQ(ThemePalette(190), ThemePalette(-170));
    EXPECT_EQ(ThemePalette(180), ThemePalette(-180));
    EXPECT_EQ(ThemePalette(500), ThemePalette(140));
    EXPECT_NE(ThemePalette(100), BasePalette());
    EXPECT_NE(ThemePalette(100), ThemePalette(-100));
}

TEST(Palette, TurningKeepsLightnessAndSaturation) {
    Palette base = BasePalette();
    for (int hue : {-160, -90, -1, 1, 45, 100, 150, 180}) {
        std::vector<Colour> a = All(base), b = All(ThemePalette(hue));
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(Lightness(a[i]), Lightness(b[i]), 1.0) << "hue " << hue << " colour " << i;
            EXPECT_NEAR(Saturation(a[i]), Saturation(b[i]), 0.03)
                << "hue " << hue << " colour " << i;
        }
    }
    // A turn by a third of the circle moves pure red to pure green.
    EXPECT_EQ(TurnHue({255, 0, 0}, 120), (Colour{0, 255, 0}));
    EXPECT_EQ(TurnHue({90, 90, 90}, 77), (Colour{90, 90, 90}));  // greys have no hue
}

TEST(Palette, EveryHueIsReadable) {
    for (int hue = -180; hue <= 180; ++hue) {
        Palette p = ThemePalette(hue);
        EXPECT_GE(Contrast(p.text, p.face), 7.0) << hue;
        EXPECT_GE(Contrast(p.text, p.window), 7.0) << hue;
        EXPECT_GE(Contrast(p.text, p.faceHot), 4.5) << hue;
        EXPECT_GE(Contrast(p.editText, p.editBackground), 7.0) << hue;
        EXPECT_GE(Contrast(p.selectionText, p.selection), 4.5) << hue;
        EXPECT_GE(Contrast(p.accent, p.face), 3.0) << hue;
        EXPECT_GE(Contrast(p.disabledText, p.face), 2.0) << hue;
        EXPECT_LT(Contrast(p.disabledText, p.face), Contrast(p.text, p.face)) << hue;
        EXPECT_GT(Lightness(p.face), Lightness(p.text)) << hue;  // dark text on light faces
    }
}

}  // namespace
}  // namespace hs::ui
