#include "join/qr_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "join/join_text.h"
#include "join/qr_bmp.h"

namespace hs::join {
namespace {

QrMatrix Sample() {
    return EncodeQr(JoinText("我的热点", "a;b:c\\d"));
}

uint32_t Le(const std::string& bytes, size_t at, int n) {
    uint32_t value = 0;
    for (int i = n - 1; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

TEST(QrLayout, EveryPixelFollowsItsModuleWithAWhiteQuietZone) {
    const QrMatrix m = Sample();
    ASSERT_FALSE(m.Empty());
    for (int module_px : {1, 3, 8}) {
        const QrImage image = RenderQr(m, module_px);
        ASSERT_EQ(image.width, (m.size + 8) * module_px);
        ASSERT_EQ(image.grey.size(), static_cast<size_t>(image.width * image.width));
        for (int y = 0; y < image.width; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const int mx = x / module_px - kQrQuietZone;
                const int my = y / module_px - kQrQuietZone;
                const bool inside = mx >= 0 && my >= 0 && mx < m.size && my < m.size;
                const uint8_t want = inside && m.Dark(mx, my) ? 0 : 255;
                ASSERT_EQ(image.At(x, y), want) << module_px << " px at " << x << "," << y;
            }
        }
    }
}

TEST(QrLayout, ModuleSizeToFitABox) {
    const QrMatrix m = Sample();
    const int side = m.size + 2 * kQrQuietZone;
    EXPECT_EQ(QrModulePixelsToFit(m, side * 5), 5);
    EXPECT_EQ(QrModulePixelsToFit(m, side * 5 - 1), 4);
    EXPECT_EQ(QrModulePixelsToFit(m, side), 1);
    EXPECT_EQ(QrModulePixelsToFit(m, side - 1), 0);
    EXPECT_EQ(QrModulePixelsToFit(m, 0), 0);
    EXPECT_EQ(QrModulePixelsToFit(QrMatrix{}, 1000), 0);
    EXPECT_EQ(QrSidePixels(m, 5), side * 5);
    EXPECT_EQ(QrSidePixels(QrMatrix{}, 5), 0);
    // Less than a pixel a module draws at one pixel a module.
    EXPECT_EQ(RenderQr(m, 0).width, side);
    EXPECT_EQ(RenderQr(QrMatrix{}, 4).width, 0);
}

TEST(QrBitmap, GreyscaleFileWithPaddedBottomUpRows) {
    const QrMatrix m = Sample();
    const QrImage image = RenderQr(m, 1);  // a width that needs row padding
    ASSERT_NE(image.width % 4, 0);
    const std::string file = QrBitmapFile(image);
    const auto width = static_cast<uint32_t>(image.width);
    const uint32_t stride = (width + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 14u + 40u + 1024u + stride * width);
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(Le(file, 2, 4), file.size());
    EXPECT_EQ(Le(file, 10, 4), 14u + 40u + 1024u);
    EXPECT_EQ(Le(file, 14, 4), 40u);
    EXPECT_EQ(Le(file, 18, 4), width);
    EXPECT_EQ(Le(file, 22, 4), width);
    EXPECT_EQ(Le(file, 28, 2), 8u);
    EXPECT_EQ(Le(file, 54 + 4 * 200, 4), 0x00C8C8C8u);  // palette entry 200 is grey 200
    for (uint32_t row = 0; row < width; ++row) {
        const size_t at = 14 + 40 + 1024 + static_cast<size_t>(row) * stride;
        for (uint32_t x = 0; x < width; ++x) {
            ASSERT_EQ(static_cast<uint8_t>(file[at + x]),
                      image.At(static_cast<int>(x), static_cast<int>(width - 1 - row)));
        }
        for (uint32_t pad = width; pad < stride; ++pad) {
            ASSERT_EQ(file[at + pad], '\0');
        }
    }
    EXPECT_TRUE(QrBitmapFile(QrImage{}).empty());
}

}  // namespace
}  // namespace hs::join
