// Creating the HWND of each control and mirroring the model's state onto it.
#include <windows.h>
// windows.h first: the common-controls headers build on it.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "join/qr_matrix.h"
#include "platform/windows/ui/fonts.h"
#include "platform/windows/ui/mini_html.h"
#include "platform/windows/ui/pictures.h"
#include "platform/windows/ui/qr_picture.h"
#include "platform/windows/ui/view.h"
#include "platform/windows/wide.h"

namespace hs::win::ui {

using model::Kind;
using model::Property;

namespace {

constexpr int kControlIdBase = 100;
// Pixels at 96 DPI, scaled to the window's DPI as the layout is.
constexpr int kTabWidth = 58;
constexpr int kTabHeight = 20;
// A combo box's drop-down list reaches this far below its edit field.
constexpr int kComboListHeight = 160;

// The QR code of `text`; the last one is kept, as a box repaints the same code often.
const join::QrMatrix& QrCodeOf(const std::string& text) {
    static std::string lastText;
    static join::QrMatrix last;
    if (last.Empty() || text != lastText) {
        last = join::EncodeQr(text);
        lastText = text;
    }
    return last;
}

// The window class of picture boxes: paints the control's picture (drawn at the
// window's DPI) at its top-left, or a QR code centred in the box at whole device pixels
// a module for the window's DPI.
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        auto* view =
            reinterpret_cast<WindowView*>(GetWindowLongPtrW(GetParent(hwnd), GWLP_USERDATA));
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (view) {
            FillRect(dc, &rc, view->theme.BackgroundBrush());
            const int index = view->IndexOf(hwnd);
            if (index > 0) {
                const std::string id = view->model->At(index).Picture();
                const std::string qrPrefix = model::kPictureQrPrefix;
                if (id.rfind(qrPrefix, 0) == 0) {
                    DrawQrPicture(dc, rc, QrCodeOf(id.substr(qrPrefix.size())),
                                  QrModulePixelsForDpi(view->model->Dpi()));
                } else if (HICON icon =
                               id.empty() ? nullptr : PictureIcon(id, 0, view->model->Dpi())) {
                    DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
                }
            }
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* PictureClass() {
    static const wchar_t* name = RegisterOwnClass(L"HsPictureBox", PictureProc);
    return name;
}

// Text for Win32 controls: the model's "\r\n" line breaks are kept; a lone "\n"
// becomes "\r\n" so edit and static controls break the line too.
std::wstring ControlText(const std::string& text) {
    std::wstring wide = Widen(text);
    std::wstring out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\n' && (i == 0 || wide[i - 1] != L'\r'))
            out += L'\r';
        out += wide[i];
    }
    return out;
}

// Resolves the container chain: container index, tab and page, and the origin.
void ResolveContainers(WindowView& view) {
    model::Window& w = *view.model;
    int firstTab = -1;
    for (int i = 1; i < w.ControlCount(); ++i) {
        if (w.Spec(i).kind == Kind::Tab) {
            firstTab = i;
            break;
        }
    }
    for (int i = 1; i < w.ControlCount(); ++i) {
        const model::ControlSpec& spec = w.Spec(i);
        ControlView& cv = view.controls[static_cast<size_t>(i)];
        cv.kind = spec.kind;
        cv.container = spec.container.empty() ? -1 : view.IndexOf(spec.container);
        if (cv.container == i)
            cv.container = -1;
    }
    // Containers come before their contents in the layout, but resolve in any order.
    for (int i = 1; i < w.ControlCount(); ++i) {
        ControlView& cv = view.controls[static_cast<size_t>(i)];
        const model::ControlSpec& spec = w.Spec(i);
        int x = 0, y = 0, tab = -1, page = spec.page;
        int c = cv.container, guard = 0;
        while (c > 0 && guard++ < 16) {
            const model::ControlSpec& cs = w.Spec(c);
            if (cs.kind == Kind::Tab) {
                if (tab < 0)
                    tab = c;
            } else if (cs.kind == Kind::GroupBox && page < 0) {
                page = cs.page;
            }
            x += cs.left;
            y += cs.top;
            c = view.controls[static_cast<size_t>(c)].container;
        }
        // A control given a page but no container sits on the window's tab control.
        if (tab < 0 && page >= 0 && firstTab > 0 && spec.kind != Kind::Tab) {
            tab = firstTab;
            x += w.Spec(tab).left;
            y += w.Spec(tab).top;
        }
        cv.originX = x;
        cv.originY = y;
        cv.tab = tab;
        cv.page = tab > 0 ? page : -1;
    }
}

HWND Make(WindowView& view, int index, const wchar_t* cls, DWORD style, DWORD exStyle,
          const std::wstring& text, int extraHeight = 0) {
    model::Control c = view.model->At(index);
    const ControlView& cv = view.controls[static_cast<size_t>(index)];
    HWND hwnd = CreateWindowExW(
        exStyle, cls, text.c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, cv.originX + c.Left(),
        cv.originY + c.Top(), c.Width(), c.Height() + extraHeight, view.hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + index)),
        GetModuleHandleW(nullptr), nullptr);
    const std::string face = view.model->Spec(index).font;
    SendMessageW(hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontFor(face, 9, false, view.model->Dpi())), FALSE);
    return hwnd;
}

void FillRows(WindowView& view, int index);

HWND CreateOne(WindowView& view, int index) {
    model::Control c = view.model->At(index);
    const std::wstring text = ControlText(c.Text());
    switch (c.GetKind()) {
        // Labels break lines only where their text does.
        case Kind::Label:
            return Make(view, index, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, text);
        case Kind::TransparentLabel:
            // Paints what lies beneath itself (see input.cpp), so it stacks like any
            // other control and a label above it stays visible.
            return Make(view, index, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0, text);
        case Kind::Edit: {
            DWORD style = ES_AUTOHSCROLL | WS_TABSTOP;
            if (c.GetInputMode() == model::kPasswordInput)
                style |= ES_PASSWORD;
            HWND h = Make(view, index, L"EDIT", style, WS_EX_CLIENTEDGE, text);
            SendMessageW(h, EM_SETPASSWORDCHAR,
                         c.GetInputMode() == model::kPasswordInput ? L'*' : 0, 0);
            return h;
        }
        case Kind::Button:
            return Make(view, index, L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0, text);
        case Kind::CheckBox:
            return Make(view, index, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, text);
        case Kind::Radio:
            return Make(view, index, L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, text);
        case Kind::Combo: {
            HWND h = Make(view, index, WC_COMBOBOXW,
                          CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, L"",
                          view.model->Scaled(kComboListHeight));
            return h;
        }
        case Kind::Slider: {
            HWND h =
                Make(view, index, TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, L"");
            SendMessageW(h, TBM_SETRANGEMIN, FALSE, c.Minimum());
            SendMessageW(h, TBM_SETRANGEMAX, FALSE, c.Maximum());
            SendMessageW(h, TBM_SETTICFREQ, 20, 0);
            SendMessageW(h, TBM_SETPAGESIZE, 0, 10);
            return h;
        }
        case Kind::GroupBox:
            return Make(view, index, L"BUTTON", BS_GROUPBOX, 0, text);
        case Kind::Picture:
            return Make(view, index, PictureClass(), 0, 0, L"");
        case Kind::ReportList: {
            HWND h = Make(view, index, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, L"");
            SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                         LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
            int col = 0;
            for (const model::Column& column : c.Columns()) {
                std::wstring caption = Widen(column.caption);
                LVCOLUMNW lvc{};
                lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
                lvc.pszText = caption.data();
                lvc.cx = column.width;
                lvc.iSubItem = col;
                SendMessageW(h, LVM_INSERTCOLUMNW, static_cast<WPARAM>(col++),
                             reinterpret_cast<LPARAM>(&lvc));
            }
            return h;
        }
        case Kind::Tab: {
            // Fixed-width tabs keep the row of tabs short, clear of controls beside it.
            HWND h = Make(view, index, WC_TABCONTROLW, TCS_TABS | TCS_FIXEDWIDTH, 0, L"");
            SendMessageW(h, TCM_SETITEMSIZE, 0,
                         MAKELPARAM(view.model->Scaled(kTabWidth), view.model->Scaled(kTabHeight)));
            int i = 0;
            for (const std::string& page : view.model->Spec(index).pages) {
                std::wstring caption = Widen(page);
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = caption.data();
                SendMessageW(h, TCM_INSERTITEMW, static_cast<WPARAM>(i++),
                             reinterpret_cast<LPARAM>(&item));
            }
            return h;
        }
        case Kind::HyperText:
            return Make(view, index, WC_LINK, 0, 0, Widen(HtmlToLinkMarkup(c.Document())));
        case Kind::Browser:
            return Make(view, index, L"STATIC", SS_LEFT, WS_EX_CLIENTEDGE, L"");
        default:
            return nullptr;  // timers, menus, menu items, balloons, the window
    }
}

void ApplyText(WindowView& view, int index) {
    model::Control c = view.model->At(index);
    HWND h = view.controls[static_cast<size_t>(index)].hwnd;
    if (!h)
        return;
    switch (c.GetKind()) {
        case Kind::HyperText:
            SetWindowTextW(h, Widen(HtmlToLinkMarkup(c.Document())).c_str());
            return;
        case Kind::Combo:
        case Kind::Edit:
        case Kind::Label:
        case Kind::TransparentLabel:
        case Kind::Button:
        case Kind::CheckBox:
        case Kind::Radio:
        case Kind::GroupBox: {
            const std::wstring text = ControlText(c.Text());
            if (WindowTextOf(h) == text)
                return;
            SetWindowTextW(h, text.c_str());
            InvalidateRect(h, nullptr, TRUE);
            return;
        }
        default:
            return;
    }
}

void ApplyChecks(WindowView& view) {
    for (int i = 1; i < view.model->ControlCount(); ++i) {
        ControlView& cv = view.controls[static_cast<size_t>(i)];
        if (!cv.hwnd || (cv.kind != Kind::CheckBox && cv.kind != Kind::Radio))
            continue;
        const WPARAM state = view.model->At(i).Checked() ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(SendMessageW(cv.hwnd, BM_GETCHECK, 0, 0)) != state) {
            SendMessageW(cv.hwnd, BM_SETCHECK, state, 0);
        }
    }
}

void ApplyPosition(WindowView& view, int index) {
    model::Control c = view.model->At(index);
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    if (!cv.hwnd)
        return;
    const int pos = c.Position();
    switch (cv.kind) {
        case Kind::Slider:
            cv.lastPosition = pos;
            if (SendMessageW(cv.hwnd, TBM_GETPOS, 0, 0) != pos) {
                SendMessageW(cv.hwnd, TBM_SETPOS, TRUE, pos);
            }
            return;
        case Kind::Tab:
            if (SendMessageW(cv.hwnd, TCM_GETCURSEL, 0, 0) != pos) {
                SendMessageW(cv.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(pos), 0);
            }
            ApplyVisibility(view);
            return;
        case Kind::Combo:
            if (SendMessageW(cv.hwnd, CB_GETCURSEL, 0, 0) != pos) {
                SendMessageW(cv.hwnd, CB_SETCURSEL, static_cast<WPARAM>(pos), 0);
                ApplyText(view, index);
            }
            return;
        default:
            return;
    }
}

void ApplyItems(WindowView& view, int index) {
    HWND h = view.controls[static_cast<size_t>(index)].hwnd;
    if (!h)
        return;
    model::Control c = view.model->At(index);
    const std::wstring text = WindowTextOf(h);
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : c.Items()) {
        SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    if (c.Position() >= 0)
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.Position()), 0);
    SetWindowTextW(h, ControlText(c.Text()).c_str());
    (void)text;
}

// Report lists: brings the HWND's rows, cells and selection in line with the model.
void FillRows(WindowView& view, int index) {
    HWND h = view.controls[static_cast<size_t>(index)].hwnd;
    if (!h)
        return;
    model::Control c = view.model->At(index);
    const auto rows = c.Rows();
    const int have = static_cast<int>(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0));
    const int want = static_cast<int>(rows.size());
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    for (int r = have; r < want; ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    for (int r = have - 1; r >= want; --r)
        SendMessageW(h, LVM_DELETEITEM, static_cast<WPARAM>(r), 0);
    wchar_t buffer[512];
    for (int r = 0; r < want; ++r) {
        for (size_t col = 0; col < rows[static_cast<size_t>(r)].size(); ++col) {
            const std::wstring text = Widen(rows[static_cast<size_t>(r)][col]);
            LVITEMW get{};
            get.iSubItem = static_cast<int>(col);
            get.pszText = buffer;
            get.cchTextMax = 512;
            buffer[0] = 0;
            SendMessageW(h, LVM_GETITEMTEXTW, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&get));
            if (text == buffer)
                continue;
            LVITEMW set{};
            set.iSubItem = static_cast<int>(col);
            set.pszText = const_cast<wchar_t*>(text.c_str());
            SendMessageW(h, LVM_SETITEMTEXTW, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&set));
        }
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = c.RowSelected(r) ? LVIS_SELECTED : 0;
        const UINT now = static_cast<UINT>(
            SendMessageW(h, LVM_GETITEMSTATE, static_cast<WPARAM>(r), LVIS_SELECTED));
        if ((now & LVIS_SELECTED) != state.state) {
            SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&state));
        }
    }
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

void ApplyTimer(WindowView& view, int index) {
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    const int ms = view.model->At(index).Interval();
    const UINT_PTR id = kTimerIdBase + static_cast<UINT_PTR>(index);
    if (ms > 0) {
        SetTimer(view.hwnd, id, static_cast<UINT>(ms), nullptr);  // (re)starts it
        cv.timerRunning = true;
    } else if (cv.timerRunning) {
        KillTimer(view.hwnd, id);
        cv.timerRunning = false;
    }
}

// Minimised minimises a shown window; normal and centred restore it from the task bar
// and put it where the model says (whoever centred it has moved it there).
void ApplyPositionMode(WindowView& view) {
    model::Control self = view.model->Self();
    if (self.PositionMode() == model::kPositionMinimised) {
        if (IsWindowVisible(view.hwnd) && !IsIconic(view.hwnd))
            ShowWindow(view.hwnd, SW_MINIMIZE);
        return;
    }
    if (IsWindowVisible(view.hwnd) && IsIconic(view.hwnd))
        ShowWindow(view.hwnd, SW_RESTORE);
    SetWindowPos(view.hwnd, nullptr, self.Left(), self.Top(), self.Width(), self.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Takes the caption and border off (or gives them back) and keeps the window's outer
// rectangle where it is.
void ApplyBorder(WindowView& view) {
    if (view.options.borderless)
        return;
    constexpr LONG_PTR kFrame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    LONG_PTR style = GetWindowLongPtrW(view.hwnd, GWL_STYLE);
    style =
        view.model->Self().Bordered() ? (style & ~WS_POPUP) | kFrame : (style & ~kFrame) | WS_POPUP;
    SetWindowLongPtrW(view.hwnd, GWL_STYLE, style);
    SetWindowPos(view.hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyWindow(WindowView& view, Property property) {
    model::Control self = view.model->Self();
    switch (property) {
        case Property::Text: {
            const std::wstring title = Widen(self.Text());
            if (WindowTextOf(view.hwnd) != title)
                SetWindowTextW(view.hwnd, title.c_str());
            return;
        }
        case Property::Visible:
            if (self.Visible() && !IsWindowVisible(view.hwnd)) {
                ShowWindow(view.hwnd, view.options.borderless ? SW_SHOWNOACTIVATE : SW_SHOW);
                if (!view.options.borderless)
                    SetForegroundWindow(view.hwnd);
            } else if (!self.Visible() && IsWindowVisible(view.hwnd)) {
                ShowWindow(view.hwnd, SW_HIDE);
            }
            return;
        case Property::Enabled:
            EnableWindow(view.hwnd, self.Enabled());
            return;
        case Property::Geometry: {
            RECT rc;
            GetWindowRect(view.hwnd, &rc);
            if (rc.left == self.Left() && rc.top == self.Top() &&
                rc.right - rc.left == self.Width() && rc.bottom - rc.top == self.Height()) {
                return;
            }
            SetWindowPos(view.hwnd, nullptr, self.Left(), self.Top(), self.Width(), self.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
        case Property::Topmost:
            SetWindowPos(view.hwnd, view.model->Self().Topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                         0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return;
        case Property::Palette:
            view.theme.Update(view.model->Themed(), view.model->Hue());
            RedrawWindow(view.hwnd, nullptr, nullptr,
                         RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
            return;
        case Property::Tray:
            ApplyTray(view);
            return;
        case Property::TrayBalloon:
            ShowTrayBalloon(view);
            return;
        case Property::PositionMode:
            ApplyPositionMode(view);
            return;
        case Property::Activate:
            if (IsIconic(view.hwnd))
                ShowWindow(view.hwnd, SW_RESTORE);
            SetForegroundWindow(view.hwnd);
            return;
        case Property::Border:
            ApplyBorder(view);
            return;
        default:
            return;
    }
}

}  // namespace

int WindowView::IndexOf(const std::string& name) const {
    model::Control c = model->Find(name);
    return c ? c.Index() : -1;
}

int WindowView::IndexOf(HWND control) const {
    if (!control)
        return -1;
    for (size_t i = 1; i < controls.size(); ++i) {
        if (controls[i].hwnd == control)
            return static_cast<int>(i);
    }
    return -1;
}

std::wstring WindowTextOf(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void CreateControls(WindowView& view) {
    const int count = view.model->ControlCount();
    view.controls.assign(static_cast<size_t>(count), ControlView{});
    view.controls[0].kind = Kind::Window;
    ResolveContainers(view);
    for (int i = 1; i < count; ++i) {
        ControlView& cv = view.controls[static_cast<size_t>(i)];
        cv.hwnd = CreateOne(view, i);
        if (!cv.hwnd)
            continue;
        model::Control c = view.model->At(i);
        if (!c.Enabled())
            EnableWindow(cv.hwnd, FALSE);
        SubclassControl(view, i);
    }
    // Stacking: tab controls at the bottom, then group boxes, then every other
    // control in layout order, so a later control lies above an earlier one.
    auto raise = [&](auto pick) {
        for (int i = 1; i < count; ++i) {
            const ControlView& cv = view.controls[static_cast<size_t>(i)];
            if (cv.hwnd && pick(cv.kind)) {
                SetWindowPos(cv.hwnd, HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
    };
    raise([](Kind k) { return k == Kind::Tab; });
    raise([](Kind k) { return k == Kind::GroupBox; });
    raise([](Kind k) { return k != Kind::Tab && k != Kind::GroupBox; });
    for (int i = 1; i < count; ++i) {
        const Kind kind = view.controls[static_cast<size_t>(i)].kind;
        if (kind == Kind::ReportList)
            FillRows(view, i);
        if (kind == Kind::Combo)
            ApplyItems(view, i);
        if (kind == Kind::Slider || kind == Kind::Tab || kind == Kind::Combo)
            ApplyPosition(view, i);
        if (kind == Kind::Timer)
            ApplyTimer(view, i);
        ApplyTip(view, i);
    }
    ApplyChecks(view);
    ApplyVisibility(view);
}

bool EffectiveVisible(WindowView& view, int index) {
    int guard = 0;
    for (int i = index; i > 0 && guard++ < 16;
         i = view.controls[static_cast<size_t>(i)].container) {
        const ControlView& cv = view.controls[static_cast<size_t>(i)];
        if (!view.model->At(i).Visible())
            return false;
        if (cv.tab > 0 && view.model->At(cv.tab).Position() != cv.page)
            return false;
    }
    return true;
}

void ApplyVisibility(WindowView& view) {
    for (int i = 1; i < view.model->ControlCount(); ++i) {
        HWND h = view.controls[static_cast<size_t>(i)].hwnd;
        if (!h)
            continue;
        const bool show = EffectiveVisible(view, i);
        if (show != (IsWindowVisible(h) != FALSE))
            ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
    }
}

void PlaceControl(WindowView& view, int index) {
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    if (!cv.hwnd)
        return;
    model::Control c = view.model->At(index);
    const int extra = cv.kind == Kind::Combo ? view.model->Scaled(kComboListHeight) : 0;
    SetWindowPos(cv.hwnd, nullptr, cv.originX + c.Left(), cv.originY + c.Top(), c.Width(),
                 c.Height() + extra, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ApplyProperty(WindowView& view, int index, Property property) {
    if (index < 0 || index >= view.model->ControlCount())
        return;
    SyncScope scope(view);
    if (index == 0) {
        ApplyWindow(view, property);
        return;
    }
    ControlView& cv = view.controls[static_cast<size_t>(index)];
    model::Control c = view.model->At(index);
    switch (property) {
        case Property::Text:
        case Property::Document:
            ApplyText(view, index);
            if (cv.kind == Kind::Balloon && c.BalloonShown())
                ApplyBalloon(view, index);
            break;
        case Property::Visible:
            ApplyVisibility(view);
            break;
        case Property::Enabled:
            if (cv.hwnd) {
                EnableWindow(cv.hwnd, c.Enabled());
                InvalidateRect(cv.hwnd, nullptr, TRUE);
            }
            break;
        case Property::Checked:
            ApplyChecks(view);
            break;
        case Property::Position:
            ApplyPosition(view, index);
            break;
        case Property::Interval:
            if (cv.kind == Kind::Timer)
                ApplyTimer(view, index);
            break;
        case Property::InputMode:
            if (cv.hwnd && cv.kind == Kind::Edit) {
                const bool masked = c.GetInputMode() == model::kPasswordInput;
                SendMessageW(cv.hwnd, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
                InvalidateRect(cv.hwnd, nullptr, TRUE);
            }
            break;
        case Property::Geometry:
            PlaceControl(view, index);
            break;
        case Property::Items:
            ApplyItems(view, index);
            break;
        case Property::Rows:
        case Property::Selection:
            FillRows(view, index);
            break;
        case Property::Picture:
        case Property::TitleColour:
        case Property::TextColour:
            if (cv.hwnd)
                InvalidateRect(cv.hwnd, nullptr, TRUE);
            break;
        case Property::Tip:
            ApplyTip(view, index);
            break;
        case Property::Balloon:
            ApplyBalloon(view, index);
            break;
        default:
            break;  // popups are shown by the caller, outside the sync scope
    }
}

}  // namespace hs::win::ui
