#include "platform/windows/ui/qr_picture.h"

#include <algorithm>

#include "join/qr_layout.h"

#include "platform/windows/proc_lookup.h"

namespace hs::win::ui {

int QrWindowDpi(HWND window) {
    // GetDpiForWindow exists from Windows 10 1607; earlier systems have one DPI.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get_dpi_for_window =
        LookUpProc<GetDpiForWindowFn>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (get_dpi_for_window != nullptr && window != nullptr) {
        const UINT dpi = get_dpi_for_window(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    HDC dc = GetDC(window);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc != nullptr) {
        ReleaseDC(window, dc);
    }
    return dpi > 0 ? dpi : 96;
}

int QrModulePixelsForDpi(int dpi) {
    return std::max(1, kQrModulePixelsAt96 * std::max(dpi, 0) / 96);
}

QrPlacement PlaceQrPicture(const join::QrMatrix& matrix, const RECT& box, int max_module_px) {
    QrPlacement placement;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    int module_px = join::QrModulePixelsToFit(matrix, std::min(width, height));
    if (max_module_px > 0) {
        module_px = std::min(module_px, max_module_px);
    }
    if (module_px <= 0) {
        return placement;
    }
    const int side = join::QrSidePixels(matrix, module_px);
    placement.module_px = module_px;
    placement.rect.left = box.left + (width - side) / 2;
    placement.rect.top = box.top + (height - side) / 2;
    placement.rect.right = placement.rect.left + side;
    placement.rect.bottom = placement.rect.top + side;
    return placement;
}

QrPlacement DrawQrPicture(HDC dc, const RECT& box, const join::QrMatrix& matrix,
                          int max_module_px) {
    const QrPlacement placement = PlaceQrPicture(matrix, box, max_module_px);
    if (placement.module_px == 0) {
        return placement;
    }
    const int m = placement.module_px;
    FillRect(dc, &placement.rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const int left = placement.rect.left + join::kQrQuietZone * m;
    const int top = placement.rect.top + join::kQrQuietZone * m;
    // One rectangle for each horizontal run of dark modules: exact pixel edges, and
    // far fewer calls than one a module.
    for (int y = 0; y < matrix.size; ++y) {
        int x = 0;
        while (x < matrix.size) {
            if (!matrix.Dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < matrix.size && matrix.Dark(x, y)) {
                ++x;
            }
            const RECT run{left + start * m, top + y * m, left + x * m, top + (y + 1) * m};
            FillRect(dc, &run, black);
        }
    }
    return placement;
}

}  // namespace hs::win::ui
