// The program's own pictures and the hypertext conversion of the front end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/windows/ui/mini_html.h"
#include "platform/windows/ui/pictures.h"
#include "ui/model.h"

namespace {

using hs::win::ui::HtmlToLinkMarkup;
using hs::win::ui::Pixels;
using hs::win::ui::RenderPicture;

int OpaquePixels(const Pixels& p) {
    int n = 0;
    for (uint32_t px : p.argb)
        n += (px >> 24) > 128 ? 1 : 0;
    return n;
}

TEST(UiPictures, EveryPictureHasItsSizeAndVisibleContent) {
    struct Case {
        std::string id;
        int size, width, height;
    };
    const Case cases[] = {{hs::ui::kPictureWindowIcon, 0, 48, 48},
                          {hs::ui::kPictureStatusIdle, 0, 38, 30},
                          {hs::ui::kPictureStatusRunning, 0, 38, 30},
                          {std::string(hs::ui::kPictureStatusFrame) + "1", 0, 38, 30},
                          {std::string(hs::ui::kPictureStatusFrame) + "5", 0, 38, 30},
                          {hs::ui::kPictureTrayIdle, 16, 16, 16},
                          {hs::ui::kPictureTrayIdle, 32, 32, 32},
                          {hs::ui::kPictureTrayRunning, 16, 16, 16},
                          {hs::ui::kPictureArrowDown, 0, 35, 35},
                          {hs::ui::kPictureArrowUp, 0, 35, 35},
                          {hs::ui::kPictureBarBackground, 0, 155, 22}};
    for (const Case& c : cases) {
        const Pixels p = RenderPicture(c.id, c.size);
        EXPECT_EQ(p.width, c.width) << c.id;
        EXPECT_EQ(p.height, c.height) << c.id;
        ASSERT_EQ(p.argb.size(), static_cast<size_t>(c.width * c.height)) << c.id;
        EXPECT_GT(OpaquePixels(p), c.width * c.height / 10) << c.id;
        EXPECT_NE(hs::win::ui::PictureIcon(c.id, c.size), nullptr) << c.id;
    }
    EXPECT_EQ(RenderPicture("no-such-picture").width, 0);
    EXPECT_EQ(hs::win::ui::PictureIcon("no-such-picture"), nullptr);
}

TEST(UiPictures, AnimationFramesDifferFromEachOtherAndFromIdle) {
    const std::string frame = hs::ui::kPictureStatusFrame;
    Pixels previous = RenderPicture(hs::ui::kPictureStatusIdle);
    for (int i = 1; i <= 5; ++i) {
        const Pixels p = RenderPicture(frame + std::to_string(i));
        EXPECT_NE(p.argb, previous.argb) << i;
        previous = p;
    }
    EXPECT_NE(RenderPicture(hs::ui::kPictureArrowDown).argb,
              RenderPicture(hs::ui::kPictureArrowUp).argb);
    EXPECT_NE(RenderPicture(hs::ui::kPictureTrayIdle, 16).argb,
              RenderPicture(hs::ui::kPictureTrayRunning, 16).argb);
}

TEST(UiPictures, BarBackgroundCutsOutItsMagentaCorners) {
    const Pixels p = RenderPicture(hs::ui::kPictureBarBackground);
    EXPECT_EQ(p.At(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(p.At(154, 21), 0xFFFF00FFu);
    EXPECT_NE(p.At(77, 11), 0xFFFF00FFu);
    EXPECT_EQ(p.At(77, 11) >> 24, 0xFFu);
    HRGN region = hs::win::ui::PictureRegion(hs::ui::kPictureBarBackground);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 154, 21));
    EXPECT_TRUE(PtInRegion(region, 77, 11));
    EXPECT_TRUE(PtInRegion(region, 20, 0));
    EXPECT_FALSE(PtInRegion(region, 77, 22));  // the window is a row taller than the picture
    DeleteObject(region);
}

TEST(UiPictures, PicturesAreDrawnAtTheWindowsDpiAndTheIconsAtTheSystemsSize) {
    // 150 %: every picture of the windows grows by half, the bar's shape with it.
    const Pixels status = RenderPicture(hs::ui::kPictureStatusIdle, 0, 144);
    EXPECT_EQ(std::make_pair(status.width, status.height), std::make_pair(57, 45));
    EXPECT_GT(OpaquePixels(status), OpaquePixels(RenderPicture(hs::ui::kPictureStatusIdle)));
    const Pixels bar = RenderPicture(hs::ui::kPictureBarBackground, 0, 144);
    EXPECT_EQ(std::make_pair(bar.width, bar.height), std::make_pair(233, 33));
    EXPECT_EQ(bar.At(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(bar.At(232, 32), 0xFFFF00FFu);
    EXPECT_EQ(bar.At(116, 16) >> 24, 0xFFu);
    HRGN region = hs::win::ui::PictureRegion(hs::ui::kPictureBarBackground, 144);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(std::make_pair(box.right, box.bottom), std::make_pair(233L, 33L));
    DeleteObject(region);
    // The notification area's icon in the size the system asks for (125 % on Windows 7).
    const Pixels tray = RenderPicture(hs::ui::kPictureTrayRunning, 20);
    EXPECT_EQ(std::make_pair(tray.width, tray.height), std::make_pair(20, 20));
}

TEST(UiHypertext, BalloonMenuBecomesTwoLinksOnTwoLines) {
    const std::string markup = HtmlToLinkMarkup(
        "<a msg=m7><font size=10pt>   显示主界面   </font></a></br>\r\n"
        "<a msg=m8><font size=10pt>   隐藏流量条   </font></a>");
    EXPECT_EQ(markup, "<a href=\"m7\"> 显示主界面 </a>\n<a href=\"m8\"> 隐藏流量条 </a>");
}

TEST(UiHypertext, BlocksEntitiesAndDroppedContent) {
    EXPECT_EQ(HtmlToLinkMarkup("<html><head><title>x</title><style>p{color:red}</style></head>"
                               "<body><h1>标题</h1><p>一  二\r\n三</p><p>&lt;b&gt; &amp; &#20320;"
                               "&#x597D;&nbsp;!</p></body></html>"),
              "标题\n一 二 三\n<\xE2\x80\x8B"
              "b> & 你好 !");
    // href when there is no msg; quotes in either style; a link left open is closed.
    EXPECT_EQ(HtmlToLinkMarkup("<a href='http://127.0.0.1/a'>主页</a> <A HREF=\"x\">开"),
              "<a href=\"http://127.0.0.1/a\">主页</a> <a href=\"x\">开</a>");
    // Text that reads as a link tag stays literal; a broken tag ends the text.
    EXPECT_EQ(HtmlToLinkMarkup("1 &lt;a href=x&gt; 2"),
              "1 <\xE2\x80\x8B"
              "a href=x> 2");
    EXPECT_EQ(HtmlToLinkMarkup("正文<b"), "正文");
    EXPECT_EQ(HtmlToLinkMarkup(""), "");
    EXPECT_EQ(HtmlToLinkMarkup("a &bogus; b &#xZZ;"), "a &bogus; b &#xZZ;");
}

TEST(UiHypertext, ReferencesToNoCharacterAreDropped) {
    // NUL, surrogates and values past U+10FFFF: neither a NUL nor bytes that are
    // not UTF-8 reach the control.
    EXPECT_EQ(HtmlToLinkMarkup("a&#0;b&#x0;c&#00000;d"), "abcd");
    EXPECT_EQ(HtmlToLinkMarkup("a&#xD800;b&#xdbff;c&#57343;d"), "abcd");
    EXPECT_EQ(HtmlToLinkMarkup("a&#x110000;b&#1114112;c&#99999999;d&#xFFFFFFF;e"), "abcde");
    // The scalar values next to them still decode.
    EXPECT_EQ(HtmlToLinkMarkup("&#xD7FF;&#xE000;&#x10FFFF;&#128512;"),
              "\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF\xF0\x9F\x98\x80");
    // Without digits there is no reference: the text stays as written.
    EXPECT_EQ(HtmlToLinkMarkup("&#; &#x;"), "&#; &#x;");
}

}  // namespace
