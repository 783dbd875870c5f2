#include "platform/windows/ui/pictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>

#include "ui/model.h"

namespace hs::win::ui {
namespace {

constexpr uint32_t kMagenta = 0xFFFF00FFu;
constexpr double kPi = 3.14159265358979323846;

using Shape = std::function<bool(double x, double y)>;

uint32_t Rgb(int r, int g, int b, int a = 255) {
    return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
           (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// Source-over blend of `colour` with extra opacity `coverage` onto `dst`.
uint32_t Blend(uint32_t dst, uint32_t colour, double coverage) {
    const double sa = ((colour >> 24) & 0xFF) / 255.0 * coverage;
    const double da = ((dst >> 24) & 0xFF) / 255.0;
    const double oa = sa + da * (1 - sa);
    if (oa <= 0)
        return 0;
    auto channel = [&](int shift) {
        const double s = ((colour >> shift) & 0xFF) / 255.0;
        const double d = ((dst >> shift) & 0xFF) / 255.0;
        return static_cast<uint32_t>(std::lround((s * sa + d * da * (1 - sa)) / oa * 255));
    };
    return (static_cast<uint32_t>(std::lround(oa * 255)) << 24) | (channel(16) << 16) |
           (channel(8) << 8) | channel(0);
}

// The factor a picture drawn for 96 DPI is scaled by at `dpi`.
double PictureScale(int dpi) {
    return dpi > 0 ? static_cast<double>(dpi) / 96 : 1.0;
}

// A picture of `w` x `h` pixels at 96 DPI, held at `scale` times that: shapes are
// given in the 96-DPI pixels and sampled at the scaled ones, so a picture stays sharp
// at every DPI and at 96 DPI is what it always was.
class Canvas {
  public:
    Canvas(int w, int h, uint32_t fill = 0, double scale = 1.0) : scale_(scale) {
        pixels_.width = Scaled(w);
        pixels_.height = Scaled(h);
        pixels_.argb.assign(static_cast<size_t>(pixels_.width * pixels_.height), fill);
    }
    int Scaled(int pixels) const { return static_cast<int>(std::lround(pixels * scale_)); }
    // Paints `shape` in `colour`, anti-aliased with 4x4 samples per pixel.
    void Fill(const Shape& shape, uint32_t colour) {
        Fill(shape, [colour](int, int) { return colour; });
    }
    void Fill(const Shape& shape, const std::function<uint32_t(int, int)>& colourAt) {
        for (int y = 0; y < pixels_.height; ++y) {
            for (int x = 0; x < pixels_.width; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy) {
                    for (int sx = 0; sx < 4; ++sx) {
                        if (shape((x + (sx + 0.5) / 4) / scale_, (y + (sy + 0.5) / 4) / scale_))
                            ++hits;
                    }
                }
                if (hits == 0)
                    continue;
                uint32_t& p = pixels_.argb[static_cast<size_t>(y * pixels_.width + x)];
                p = Blend(p, colourAt(static_cast<int>(x / scale_), static_cast<int>(y / scale_)),
                          hits / 16.0);
            }
        }
    }
    Pixels Take() { return std::move(pixels_); }

  private:
    double scale_;
    Pixels pixels_;
};

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape RoundRect(double l, double t, double r, double b, double radius) {
    return [=](double x, double y) {
        if (x < l || x > r || y < t || y > b)
            return false;
        const double cx = std::clamp(x, l + radius, r - radius);
        const double cy = std::clamp(y, t + radius, b - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

// A band of a ring around (cx, cy) between radii r1 and r2, within `half` degrees
// of straight up.
Shape Arc(double cx, double cy, double r1, double r2, double half) {
    return [=](double x, double y) {
        const double dx = x - cx, dy = cy - y;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < r1 || d > r2 || dy <= 0)
            return false;
        return std::atan2(std::fabs(dx), dy) <= half * kPi / 180;
    };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
    return [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
                inside = !inside;
            }
        }
        return inside;
    };
}

// The wireless symbol: a dot and three arcs, scaled so its outer arc has radius
// `scale`; element i (0 dot, 1..3 arcs) is painted in colourOf(i).
void WirelessSymbol(Canvas& c, double cx, double cy, double scale,
                    const std::function<uint32_t(int)>& colourOf) {
    const double unit = scale / 22.0;
    c.Fill(Circle(cx, cy - 1.5 * unit, 3.2 * unit), colourOf(0));
    const double bands[3][2] = {{7, 10.5}, {13, 16.5}, {19, 22.5}};
    for (int i = 0; i < 3; ++i) {
        c.Fill(Arc(cx, cy, bands[i][0] * unit, bands[i][1] * unit, 45), colourOf(i + 1));
    }
}

// A vertical arrow in the box (l, t)-(r, b), pointing down or up.
Shape Arrow(double l, double t, double r, double b, bool down) {
    const double w = r - l, h = b - t, mid = (l + r) / 2;
    const double shaft = w * 0.18, headTop = down ? t + h * 0.45 : b - h * 0.45;
    if (down) {
        return Polygon({{mid - shaft, t},
                        {mid + shaft, t},
                        {mid + shaft, headTop},
                        {r, headTop},
                        {mid, b},
                        {l, headTop},
                        {mid - shaft, headTop}});
    }
    return Polygon({{mid - shaft, b},
                    {mid + shaft, b},
                    {mid + shaft, headTop},
                    {r, headTop},
                    {mid, t},
                    {l, headTop},
                    {mid - shaft, headTop}});
}

const uint32_t kGreen = Rgb(34, 160, 69);
const uint32_t kGrey = Rgb(150, 158, 168);
const uint32_t kBlue = Rgb(36, 120, 214);
const uint32_t kOrange = Rgb(236, 128, 20);
const uint32_t kWhite = Rgb(255, 255, 255);

Pixels WindowIcon() {
    Canvas c(48, 48);
    c.Fill(RoundRect(1, 1, 47, 47, 9),
           [](int, int y) { return Rgb(47 - y / 3, 128 - y / 2, 237 - y); });
    WirelessSymbol(c, 24, 38, 26, [](int) { return kWhite; });
    return c.Take();
}

// Status pictures: 38x30; `lit` elements in `colour`, the others grey.
Pixels Status(int lit, uint32_t colour, double scale) {
    Canvas c(38, 30, 0, scale);
    WirelessSymbol(c, 19, 28, 22, [&](int i) { return i < lit ? colour : kGrey; });
    return c.Take();
}

Pixels Tray(int size, uint32_t colour) {
    Canvas c(size, size);
    const double s = size;
    c.Fill(RoundRect(0, 0, s, s, s / 6), colour);
    WirelessSymbol(c, s / 2, s * 0.84, s * 0.62, [](int) { return kWhite; });
    return c.Take();
}

Pixels ArrowPicture(bool down, double scale) {
    Canvas c(35, 35, 0, scale);
    c.Fill(Circle(17.5, 17.5, 16.5), down ? kGreen : kOrange);
    c.Fill(Arrow(10, 8, 25, 27, down), kWhite);
    return c.Take();
}

// The traffic bar: a dark rounded strip with a download and an upload arrow; the
// corners outside the strip are magenta, to be cut out of the window's shape.
Pixels BarBackground(double scale) {
    Canvas c(155, 22, kMagenta, scale);
    // The strip and its one-pixel edge, in the picture's own pixels.
    const Shape designed = RoundRect(0, 0, 155, 22, 8);
    const Shape strip = [&](double x, double y) { return designed(x / scale, y / scale); };
    Pixels p = c.Take();
    for (int y = 0; y < p.height; ++y) {
        const int shade = static_cast<int>(y / scale);
        for (int x = 0; x < p.width; ++x) {
            if (!strip(x + 0.5, y + 0.5))
                continue;
            const bool edge = !strip(x - 0.5, y + 0.5) || !strip(x + 1.5, y + 0.5) ||
                              !strip(x + 0.5, y - 0.5) || !strip(x + 0.5, y + 1.5);
            p.argb[static_cast<size_t>(y * p.width + x)] =
                edge ? Rgb(90, 140, 190) : Rgb(30 - shade / 2, 58 - shade, 95 - shade);
        }
    }
    // The arrows and the separator are painted over the opaque strip only.
    Canvas overlay(155, 22, 0, scale);
    overlay.Fill(Arrow(5, 5, 15, 17, true), Rgb(80, 220, 110));
    overlay.Fill(Arrow(81, 5, 91, 17, false), Rgb(255, 170, 60));
    overlay.Fill([](double x, double y) { return x >= 77 && x < 78 && y >= 4 && y < 18; },
                 Rgb(90, 140, 190));
    Pixels o = overlay.Take();
    for (size_t i = 0; i < p.argb.size(); ++i) {
        if (p.argb[i] != kMagenta && (o.argb[i] >> 24) != 0) {
            p.argb[i] = Blend(p.argb[i], o.argb[i], 1.0) | 0xFF000000u;
        }
    }
    return p;
}

HBITMAP DibOf(const Pixels& p, bool opaque) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits)
        return bitmap;
    auto* out = static_cast<uint32_t*>(bits);
    for (size_t i = 0; i < p.argb.size(); ++i) {
        out[i] = opaque ? (p.argb[i] | 0xFF000000u) : p.argb[i];
    }
    return bitmap;
}

std::mutex cacheMutex;
std::map<std::tuple<std::string, int, int>, HICON> iconCache;
std::map<std::pair<std::string, int>, HBITMAP> bitmapCache;

}  // namespace

Pixels RenderPicture(const std::string& id, int size, int dpi) {
    using namespace hs::ui;
    const double scale = PictureScale(dpi);
    if (id == kPictureWindowIcon)
        return WindowIcon();
    if (id == kPictureStatusIdle)
        return Status(0, kGreen, scale);
    if (id == kPictureStatusRunning)
        return Status(4, kGreen, scale);
    const std::string frame = kPictureStatusFrame;
    if (id.size() == frame.size() + 1 && id.compare(0, frame.size(), frame) == 0) {
        const int n = id.back() - '0';
        if (n >= 1 && n <= 5)
            return Status(n == 5 ? 4 : n, n == 5 ? kBlue : kGreen, scale);
    }
    // The notification-area icons come in the size the system asks for.
    const int traySize = size >= kTrayIconMin && size <= kTrayIconMax ? size : kTrayIconMin;
    if (id == kPictureTrayIdle)
        return Tray(traySize, kGrey);
    if (id == kPictureTrayRunning)
        return Tray(traySize, kGreen);
    if (id == kPictureArrowDown)
        return ArrowPicture(true, scale);
    if (id == kPictureArrowUp)
        return ArrowPicture(false, scale);
    if (id == kPictureBarBackground)
        return BarBackground(scale);
    return {};
}

HICON PictureIcon(const std::string& id, int size, int dpi) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    auto key = std::make_tuple(id, size, dpi);
    if (auto it = iconCache.find(key); it != iconCache.end())
        return it->second;
    const Pixels p = RenderPicture(id, size, dpi);
    if (p.width == 0)
        return nullptr;
    HBITMAP colour = DibOf(p, false);
    HBITMAP mask = CreateBitmap(p.width, p.height, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    iconCache[key] = icon;
    return icon;
}

HBITMAP PictureBitmap(const std::string& id, int dpi) {
    std::lock_guard<std::mutex> lock(cacheMutex);
    const auto key = std::make_pair(id, dpi);
    if (auto it = bitmapCache.find(key); it != bitmapCache.end())
        return it->second;
    const Pixels p = RenderPicture(id, 0, dpi);
    if (p.width == 0)
        return nullptr;
    HBITMAP bitmap = DibOf(p, true);
    bitmapCache[key] = bitmap;
    return bitmap;
}

HRGN PictureRegion(const std::string& id, int dpi) {
    const Pixels p = RenderPicture(id, 0, dpi);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < p.height; ++y) {
        int x = 0;
        while (x < p.width) {
            while (x < p.width && p.At(x, y) == kMagenta)
                ++x;
            const int start = x;
            while (x < p.width && p.At(x, y) != kMagenta)
                ++x;
            if (x > start) {
                HRGN run = CreateRectRgn(start, y, x, y + 1);
                CombineRgn(region, region, run, RGN_OR);
                DeleteObject(run);
            }
        }
    }
    return region;
}

}  // namespace hs::win::ui
