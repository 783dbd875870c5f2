// What the user does to the controls: written into the model first, then the
// bound handler is dispatched on the window thread.
#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>

#include <string>

#include "platform/windows/ui/pictures.h"
#include "platform/windows/ui/view.h"
#include "platform/windows/wide.h"

namespace hs::win::ui {

using model::Event;
using model::Kind;

namespace {

constexpr int kControlIdBase = 100;

void Fire(WindowView& view, int index, Event event, model::EventArgs args = {}) {
    view.model->Dispatch(view.model->At(index).Name(), event, args);
}

void PaintGroupBox(WindowView& view, int index, HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, view.theme.BackgroundBrush());
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    const std::wstring text = WindowTextOf(hwnd);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT frame = rc;
    frame.top += size.cy / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(view.theme.Colours().groupFrame));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int corner = view.model->Scaled(6);
    RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, corner, corner);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    if (!text.empty()) {
        const model::Colour title = view.model->At(index).TitleColour();
        const bool coloured = !(title == model::Colour{});
        SetTextColor(dc, coloured ? ToColorRef(title) : view.theme.Text());
        SetBkColor(dc, view.theme.Background());
        SetBkMode(dc, OPAQUE);
        // The title stands in a gap of the frame, 8 pixels (at 96 DPI) from its left.
        const int gap = view.model->Scaled(8);
        RECT textRect{gap, 0, gap + size.cx + view.model->Scaled(4), size.cy};
        ExtTextOutW(dc, view.model->Scaled(10), 0, ETO_OPAQUE, &textRect, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

// A transparent label shows what lies beneath it: the window's background colour
// or the part of the window's background picture under it.
void PaintTransparentLabel(WindowView& view, HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, view.theme.BackgroundBrush());
    const bool onPicture = !view.options.background.empty();
    if (onPicture) {
        if (HBITMAP bitmap = PictureBitmap(view.options.background, view.model->Dpi())) {
            POINT at{0, 0};
            MapWindowPoints(hwnd, view.hwnd, &at, 1);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, bitmap);
            BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, at.x, at.y, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
    }
    const std::wstring text = WindowTextOf(hwnd);
    if (!text.empty()) {
        HGDIOBJ oldFont =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, onPicture ? RGB(255, 255, 255) : view.theme.Text());
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
                  DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, oldFont);
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                             DWORD_PTR data) {
    auto& view = *reinterpret_cast<WindowView*>(data);
    const int i = static_cast<int>(index);
    const Kind kind = view.controls[index].kind;
    switch (msg) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, ControlProc, index);
            break;
        case WM_PAINT:
            if (kind == Kind::GroupBox) {
                PaintGroupBox(view, i, hwnd);
                return 0;
            }
            if (kind == Kind::TransparentLabel) {
                PaintTransparentLabel(view, hwnd);
                return 0;
            }
            if (kind == Kind::Tab && view.theme.Themed()) {
                // The tabs and frame as the control draws them, then the page area in
                // the window's colours (the pages' controls lie above it).
                const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
                RECT page;
                GetClientRect(hwnd, &page);
                SendMessageW(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
                HDC dc = GetDC(hwnd);
                FillRect(dc, &page, view.theme.BackgroundBrush());
                ReleaseDC(hwnd, dc);
                return r;
            }
            break;
        case WM_ERASEBKGND:
            if (kind == Kind::GroupBox || kind == Kind::TransparentLabel)
                return 1;
            if (kind == Kind::Tab && view.theme.Themed()) {
                RECT rc;
                GetClientRect(hwnd, &rc);
                FillRect(reinterpret_cast<HDC>(wParam), &rc, view.theme.BackgroundBrush());
                return 1;
            }
            break;
        case WM_NCHITTEST:
            // A disabled transparent label lets the mouse through to what lies beneath.
            if (kind == Kind::TransparentLabel && !view.model->At(i).Enabled())
                return HTTRANSPARENT;
            if (kind == Kind::TransparentLabel || kind == Kind::Label)
                return HTCLIENT;
            break;
        case WM_LBUTTONDOWN:
            if (kind == Kind::Label || kind == Kind::TransparentLabel) {
                Fire(view, i, Event::LeftDown);
                if (view.options.draggable) {
                    // The system moves the window while the button is held.
                    ReleaseCapture();
                    SendMessageW(view.hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
                    return 0;
                }
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (kind == Kind::Label || kind == Kind::TransparentLabel) {
                Fire(view, i, Event::DoubleClicked);
                return 0;
            }
            break;
        case WM_RBUTTONDOWN:
            if (kind == Kind::Label || kind == Kind::TransparentLabel) {
                Fire(view, i, Event::RightDown);
                return 0;
            }
            break;
        case WM_RBUTTONUP:
            if (kind == Kind::Label || kind == Kind::TransparentLabel) {
                Fire(view, i, Event::RightUp);
                return 0;
            }
            if (kind == Kind::Tab) {
                // The tab control covers the main window: a right click on it is a
                // right click on the window.
                Fire(view, 0, Event::RightUp);
                return 0;
            }
            break;
        case WM_KEYUP:
            if (kind == Kind::Edit) {
                const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
                model::EventArgs args;
                args.code = static_cast<int>(wParam);
                Fire(view, i, Event::KeyUp, args);
                return r;
            }
            break;
        case WM_SETTEXT:
            if (kind == Kind::TransparentLabel) {
                const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
                InvalidateRect(hwnd, nullptr, TRUE);
                return r;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void SubclassControl(WindowView& view, int index) {
    HWND h = view.controls[static_cast<size_t>(index)].hwnd;
    if (h) {
        SetWindowSubclass(h, ControlProc, static_cast<UINT_PTR>(index),
                          reinterpret_cast<DWORD_PTR>(&view));
    }
}

void OnCommand(WindowView& view, WPARAM wParam, LPARAM lParam) {
    if (view.syncing > 0)
        return;
    const int index = static_cast<int>(LOWORD(wParam)) - kControlIdBase;
    if (index <= 0 || index >= static_cast<int>(view.controls.size()))
        return;
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    if (reinterpret_cast<HWND>(lParam) != cv.hwnd)
        return;
    model::Control c = view.model->At(index);
    const UINT code = HIWORD(wParam);
    switch (cv.kind) {
        case Kind::Button:
            if (code == BN_CLICKED)
                Fire(view, index, Event::Clicked);
            return;
        case Kind::CheckBox:
            if (code == BN_CLICKED) {
                c.SetChecked(SendMessageW(cv.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
                Fire(view, index, Event::Clicked);
            }
            return;
        case Kind::Radio:
            if (code == BN_CLICKED) {
                c.SetChecked(true);  // unchecks the other radio buttons of its container
                ApplyProperty(view, index, model::Property::Checked);
                Fire(view, index, Event::Clicked);
            }
            return;
        case Kind::Edit:
            if (code == EN_CHANGE) {
                c.SetText(Narrow(WindowTextOf(cv.hwnd)));
            } else if (code == EN_KILLFOCUS) {
                Fire(view, index, Event::FocusLost);
            }
            return;
        case Kind::Combo:
            if (code == CBN_EDITCHANGE) {
                c.SetText(Narrow(WindowTextOf(cv.hwnd)));
            } else if (code == CBN_SELCHANGE) {
                const int sel = static_cast<int>(SendMessageW(cv.hwnd, CB_GETCURSEL, 0, 0));
                c.SetPosition(sel);
                if (sel >= 0) {
                    const auto items = c.Items();
                    if (sel < static_cast<int>(items.size()))
                        c.SetText(items[static_cast<size_t>(sel)]);
                }
            } else if (code == CBN_KILLFOCUS) {
                Fire(view, index, Event::FocusLost);
            }
            return;
        case Kind::Label:
        case Kind::TransparentLabel:
            if (code == STN_CLICKED)
                Fire(view, index, Event::Clicked);
            return;
        default:
            return;
    }
}

LRESULT OnNotify(WindowView& view, NMHDR* header, bool& handled) {
    handled = false;
    const int index = view.IndexOf(header->hwndFrom);
    if (index <= 0 || view.syncing > 0)
        return 0;
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    model::Control c = view.model->At(index);
    switch (cv.kind) {
        case Kind::Tab:
            if (header->code == TCN_SELCHANGE) {
                const int page = static_cast<int>(SendMessageW(cv.hwnd, TCM_GETCURSEL, 0, 0));
                c.SetPosition(page);
                {
                    SyncScope scope(view);
                    ApplyVisibility(view);
                }
                model::EventArgs args;
                args.code = page;
                Fire(view, index, Event::PageChanged, args);
                handled = true;
            }
            return 0;
        case Kind::ReportList:
            if (header->code == LVN_ITEMCHANGED) {
                auto* change = reinterpret_cast<NMLISTVIEW*>(header);
                if ((change->uChanged & LVIF_STATE) &&
                    ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
                    c.SelectRow(change->iItem, (change->uNewState & LVIS_SELECTED) != 0);
                }
            } else if (header->code == NM_DBLCLK) {
                // The row and column under the mouse, and where the row begins.
                LVHITTESTINFO hit{};
                hit.pt = reinterpret_cast<NMITEMACTIVATE*>(header)->ptAction;
                SendMessageW(cv.hwnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                model::EventArgs args;
                args.code = hit.iItem;
                args.column = hit.iItem >= 0 ? hit.iSubItem : -1;
                POINT corner{};
                if (hit.iItem >= 0 &&
                    SendMessageW(cv.hwnd, LVM_GETITEMPOSITION, static_cast<WPARAM>(hit.iItem),
                                 reinterpret_cast<LPARAM>(&corner))) {
                    args.x = corner.x;
                    args.y = corner.y;
                }
                Fire(view, index, Event::DoubleClicked, args);
                handled = true;
            } else if (header->code == NM_RCLICK) {
                const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
                if (row >= 0) {
                    model::EventArgs args;
                    args.code = row;
                    Fire(view, index, Event::RowRightClicked, args);
                }
                handled = true;
            }
            return 0;
        case Kind::HyperText:
            if (header->code == NM_CLICK || header->code == NM_RETURN) {
                model::EventArgs args;
                args.text = Narrow(reinterpret_cast<NMLINK*>(header)->item.szUrl);
                Fire(view, index, Event::LinkClicked, args);
                handled = true;
            }
            return 0;
        default:
            return 0;
    }
}

void OnScroll(WindowView& view, HWND control) {
    const int index = view.IndexOf(control);
    if (index <= 0 || view.syncing > 0)
        return;
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    if (cv.kind != Kind::Slider)
        return;
    const int pos = static_cast<int>(SendMessageW(cv.hwnd, TBM_GETPOS, 0, 0));
    if (pos == cv.lastPosition)
        return;
    cv.lastPosition = pos;
    view.model->At(index).SetPosition(pos);
    model::EventArgs args;
    args.code = pos;
    Fire(view, index, Event::PositionChanged, args);
}

}  // namespace hs::win::ui
