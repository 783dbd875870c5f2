#include "platform/windows/ui/fonts.h"

#include <map>
#include <mutex>
#include <tuple>

#include "platform/windows/wide.h"
#include "sys/dpi.h"

namespace hs::win::ui {
namespace {

int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

std::mutex fontMutex;
std::map<std::tuple<std::string, int, bool, int>, HFONT> fonts;
std::map<std::wstring, bool> installed;

}  // namespace

bool FontInstalled(const std::wstring& face) {
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    face.copy(query.lfFaceName, face.size());
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &query, FoundFont, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

std::wstring ResolveFace(const std::string& face) {
    const std::wstring wanted = Widen(face.empty() ? "Verdana" : face);
    static const wchar_t* const kFallbacks[] = {L"微软雅黑", L"Microsoft YaHei",
                                                L"WenQuanYi Micro Hei", L"SimSun", L"Tahoma"};
    std::lock_guard<std::mutex> lock(fontMutex);
    auto known = [](const std::wstring& f) {
        auto it = installed.find(f);
        if (it != installed.end())
            return it->second;
        return installed[f] = FontInstalled(f);
    };
    if (known(wanted))
        return wanted;
    for (const wchar_t* f : kFallbacks) {
        if (known(f))
            return f;
    }
    return L"";
}

HFONT FontFor(const std::string& face, int points, bool bold, int dpi) {
    const std::wstring resolved = ResolveFace(face);
    std::lock_guard<std::mutex> lock(fontMutex);
    auto key = std::make_tuple(face, points, bold, dpi);
    // A cached font is handed out again only while it still exists: a control that
    // took it may have deleted it when its window was destroyed, and a deleted handle
    // would leave the next window's captions in the system font.
    if (auto it = fonts.find(key); it != fonts.end()) {
        LOGFONTW described;
        if (GetObjectW(it->second, sizeof described, &described) != 0)
            return it->second;
    }
    HFONT font = nullptr;
    if (resolved.empty()) {
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    } else {
        const int height = -ScaleToDpi(MulDiv(points, kBaseDpi, 72), dpi);
        font = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, resolved.c_str());
    }
    fonts[key] = font;
    return font;
}

}  // namespace hs::win::ui
