// The QR code drawn into a memory device context, pixel by pixel, and the bitmap file
// read back by the system's own loader.
#include "platform/windows/ui/qr_picture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "join/join_text.h"
#include "join/qr_bmp.h"
#include "join/qr_layout.h"

namespace hs::win::ui {
namespace {

constexpr uint32_t kUntouched = 0x00123456;  // 0x00RRGGBB as a 32-bit DIB stores it

// A top-down 32-bit DIB section selected into a memory DC, filled with kUntouched.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) {
            pixels_[i] = kUntouched;
        }
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    bool Ok() const { return dc_ != nullptr && pixels_ != nullptr; }
    HDC Dc() const { return dc_; }
    uint32_t At(int x, int y) {
        GdiFlush();
        return pixels_[y * width_ + x] & 0x00FFFFFF;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

join::QrMatrix Sample() {
    return join::EncodeQr(join::JoinText("我的热点", "a;b:c\\d\"e,f"));
}

// Every pixel of the canvas: the rendered code inside the placement, untouched outside.
void ExpectDrawn(Canvas& canvas, const join::QrMatrix& matrix, const QrPlacement& placement) {
    const join::QrImage image = join::RenderQr(matrix, placement.module_px);
    ASSERT_EQ(placement.rect.right - placement.rect.left, image.width);
    ASSERT_EQ(placement.rect.bottom - placement.rect.top, image.width);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const int ix = x - placement.rect.left;
            const int iy = y - placement.rect.top;
            uint32_t want = kUntouched;
            if (ix >= 0 && iy >= 0 && ix < image.width && iy < image.width) {
                want = image.At(ix, iy) == 0 ? 0x000000 : 0xFFFFFF;
            }
            ASSERT_EQ(canvas.At(x, y), want) << "pixel " << x << "," << y;
        }
    }
}

TEST(QrPicture, DrawsWholePixelModulesCentredInTheBox) {
    const join::QrMatrix matrix = Sample();
    ASSERT_FALSE(matrix.Empty());
    const int side = matrix.size + 2 * join::kQrQuietZone;
    Canvas canvas(side * 5 + 40, side * 3 + 30);
    ASSERT_TRUE(canvas.Ok());
    // A wide box: the height decides, 3 px a module, centred across.
    const RECT box{10, 10, canvas.Width() - 10, canvas.Height() - 10};
    const QrPlacement placement = DrawQrPicture(canvas.Dc(), box, matrix);
    ASSERT_EQ(placement.module_px, (box.bottom - box.top) / side);
    EXPECT_EQ(placement.rect.left - box.left, box.right - placement.rect.right);
    EXPECT_LE(std::abs((placement.rect.top - box.top) - (box.bottom - placement.rect.bottom)), 1);
    ExpectDrawn(canvas, matrix, placement);
}

TEST(QrPicture, ModuleSizeCapAndTooSmallBox) {
    const join::QrMatrix matrix = Sample();
    const int side = matrix.size + 2 * join::kQrQuietZone;
    Canvas canvas(side * 6, side * 6);
    ASSERT_TRUE(canvas.Ok());
    const RECT box{0, 0, canvas.Width(), canvas.Height()};
    const QrPlacement capped = DrawQrPicture(canvas.Dc(), box, matrix, 2);
    ASSERT_EQ(capped.module_px, 2);
    EXPECT_EQ(capped.rect.left, (side * 6 - side * 2) / 2);
    ExpectDrawn(canvas, matrix, capped);

    Canvas small(side, side);
    ASSERT_TRUE(small.Ok());
    const RECT too_small{0, 0, side - 1, side};
    const QrPlacement none = DrawQrPicture(small.Dc(), too_small, matrix);
    EXPECT_EQ(none.module_px, 0);
    EXPECT_EQ(small.At(side / 2, side / 2), kUntouched);
    EXPECT_EQ(DrawQrPicture(small.Dc(), RECT{0, 0, side, side}, join::QrMatrix{}).module_px, 0);
}

TEST(QrPicture, ModulePixelsFollowTheDpi) {
    EXPECT_EQ(QrModulePixelsForDpi(96), kQrModulePixelsAt96);
    EXPECT_EQ(QrModulePixelsForDpi(120), 5);
    EXPECT_EQ(QrModulePixelsForDpi(144), 6);
    EXPECT_EQ(QrModulePixelsForDpi(192), 8);
    EXPECT_EQ(QrModulePixelsForDpi(0), 1);
    EXPECT_GT(QrWindowDpi(nullptr), 0);
}

TEST(QrPicture, BitmapFileLoadsWithTheSystemLoader) {
    const join::QrImage image = join::RenderQr(Sample(), 3);
    char dir[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, dir), 0u);
    const std::string path =
        std::string(dir) + "hs_join_" + std::to_string(GetCurrentProcessId()) + ".bmp";
    {
        std::ofstream out(path, std::ios::binary);
        out << join::QrBitmapFile(image);
    }
    auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                  LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    std::remove(path.c_str());
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObject(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, image.width);
    EXPECT_EQ(section.dsBm.bmHeight, image.width);

    Canvas canvas(image.width, image.width);
    ASSERT_TRUE(canvas.Ok());
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(canvas.Dc(), 0, 0, image.width, image.width, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
    for (int y = 0; y < image.width; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t want = image.At(x, y) == 0 ? 0x000000 : 0xFFFFFF;
            ASSERT_EQ(canvas.At(x, y), want) << "pixel " << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace hs::win::ui
