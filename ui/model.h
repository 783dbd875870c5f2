// The control model: the state of the program's windows, in memory.
//
// The program's procedures read and write controls here (captions, texts, checked
// states, flags, list rows, slider positions, timer intervals), never HWNDs. A
// front end (the Win32 one, or the headless driver in tests) mirrors the model:
// it observes every change, and it writes what the user did back into the model
// before it dispatches the bound event handler.
//
// Every accessor is safe from any thread. Handlers are never called with the
// model's lock held, so a handler may read and write any control.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hs::ui {

enum class Kind {
    Window,
    Label,
    TransparentLabel,
    Edit,
    Button,
    CheckBox,
    Radio,
    Combo,
    Slider,
    GroupBox,
    Picture,
    ReportList,
    Tab,
    Timer,
    Balloon,
    HyperText,
    Browser,
    PopupMenu,
    MenuItem,
};

enum class Event {
    Created,
    CloseRequested,
    TrayEvent,        // args.code: 1 click, 2 double click, 3 right click
    PositionChanged,  // window moved; slider moved (args.code = new position)
    Clicked,
    DoubleClicked,
    LeftDown,
    RightDown,
    RightUp,
    FocusLost,
    KeyUp,  // args.code: the virtual key
    Tick,
    PageChanged,      // args.code: the new page index
    RowRightClicked,  // args.code: the row index
    LinkClicked,      // args.text: the link's msg attribute
    ItemChosen,
};

struct EventArgs {
    int code = 0;
    std::string text;
    // Report lists' DoubleClicked: the column under the mouse (-1 none) and the upper-left
    // corner of the row, in the list's client coordinates.
    int column = -1;
    int x = 0, y = 0;
};

// Edit box input modes.
enum InputMode { kPlainInput = 0, kPasswordInput = 2 };

struct Column {
    std::string caption;
    int width = 0;
};

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

// One row of a window's layout table: how a control starts.
struct ControlSpec {
    std::string name;
    Kind kind = Kind::Label;
    std::string caption;  // caption or initial text
    std::string
        container;  // "" = the window itself; else a group box, the tab control or a popup menu
    int page = -1;  // tab page index when the container is a tab control (or inside one)
    int left = 0, top = 0, width = 0, height = 0;
    bool hidden = false;
    bool disabled = false;
    bool checked = false;
    std::string font;                // face name; "" = the window's default
    std::vector<Column> columns;     // report lists
    std::vector<std::string> pages;  // tab controls
    int minimum = 0, maximum = 0;    // sliders
    int inputMode = kPlainInput;     // edit boxes
};

// What changed, for observers. `row`/`column` name a list cell when relevant.
enum class Property {
    Text,
    Visible,
    Enabled,
    Checked,
    Position,  // slider position, tab page, combo selection
    Interval,
    InputMode,
    Geometry,
    Items,      // combo items
    Rows,       // report list rows or cells (structure or content)
    Selection,  // report list selection
    Picture,
    TitleColour,
    TextColour,
    Tip,
    Document,  // hypertext document, balloon document
    Balloon,   // balloon shown or hidden
    Popup,     // popup menu shown
    Topmost,
    Palette,       // theme hue changed (window)
    Tray,          // notification-area icon shown, changed or removed (window)
    PositionMode,  // window position mode set (normal, centred, minimised)
    Activate,      // window asked to come to the foreground
    Border,        // window frame removed or restored
    Focus,         // control asked to take the keyboard focus
    TrayBalloon,   // notice asked for at the notification-area icon (window)
};

// Window position modes.
enum WindowPositionMode { kPositionNormal = 0, kPositionCentred = 1, kPositionMinimised = 2 };

class Window;

namespace detail {
struct WindowAccess;
}

// Handle to one control of a window. Cheap to copy; valid as long as its window.
class Control {
  public:
    Control() = default;
    Control(Window* window, int index) : window_(window), index_(index) {}
    bool Valid() const { return window_ != nullptr; }
    explicit operator bool() const { return Valid(); }
    // Position of the control in its window's layout (0 = the window itself).
    int Index() const { return index_; }

    std::string Name() const;
    Kind GetKind() const;
    Window& Owner() const { return *window_; }

    // Caption of labels, buttons, checkboxes, group boxes, windows (title); text of
    // edit and combo boxes.
    std::string Text() const;
    void SetText(const std::string& text);

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Checked() const;
    // Checking a radio button unchecks the other radio buttons of its container.
    void SetChecked(bool checked);

    // Slider position (clamped to its range), tab page index, combo selection (-1 none).
    int Position() const;
    void SetPosition(int position);
    int Minimum() const;
    int Maximum() const;

    // Timers: 0 = stopped. Setting a running timer's interval again, even to the same
    // value, restarts it: observers are told (Property::Interval) so that a front end
    // restarts its own timer too.
    int Interval() const;
    void SetInterval(int ms);

    int GetInputMode() const;
    void SetInputMode(int mode);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top, int width, int height);

    // Combo boxes.
    std::vector<std::string> Items() const;
    void SetItems(std::vector<std::string> items);
    void AddItem(const std::string& item);

    // Report lists. Rows hold one text per column; a new row is empty in every cell.
    std::vector<Column> Columns() const;
    int ColumnCount() const;
    int RowCount() const;
    int InsertRow(int at = -1);  // -1 = append; returns the index of the new row
    void DeleteRow(int row);
    void ClearRows();
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    std::vector<std::vector<std::string>> Rows() const;
    bool RowSelected(int row) const;
    // `row` -1 selects or deselects every row.
    void SelectRow(int row, bool selected);
    int FirstSelectedRow() const;           // -1 when none
    std::vector<int> SelectedRows() const;  // ascending
    int SelectedCount() const;

    // Picture boxes: the id of a picture of the program's own set ("" = none).
    std::string Picture() const;
    void SetPicture(const std::string& id);

    // Group boxes.
    Colour TitleColour() const;
    void SetTitleColour(Colour colour);

    // Labels: a text colour of their own; empty while they use the theme's.
    std::optional<Colour> TextColour() const;
    void SetTextColour(Colour colour);

    // Hover tip; `styled` marks the tip drawn in its own style.
    std::string Tip() const;
    bool TipStyled() const;
    void SetTip(const std::string& text, bool styled = false);

    // Hypertext boxes and balloon tips: the document shown (small HTML).
    std::string Document() const;
    void SetDocument(const std::string& html);

    // Balloon tips: shown at (x, y) in screen pixels with `html`, below that point or,
    // `upwards`, above it; hidden again. Every ShowBalloon is a request to show the
    // bubble (again), so observers are told of Property::Balloon each time.
    void ShowBalloon(const std::string& html, int x, int y, bool upwards = false);
    void HideBalloon();
    bool BalloonShown() const;
    int BalloonX() const;
    int BalloonY() const;
    bool BalloonUpwards() const;

    // Popup menus: ask the front end to show the menu at the mouse (observers are
    // told of Property::Popup on every call).
    void Popup();

    // Ask the front end to give the control the keyboard focus (observers are told of
    // Property::Focus on every call).
    void Focus();

    // Windows: always-on-top.
    bool Topmost() const;
    void SetTopmost(bool topmost);

    // Windows: the position mode last set (kPositionNormal at first). Every call is a
    // request to the front end (observers are told of Property::PositionMode each
    // time): minimised minimises the window, normal and centred restore it. Whoever
    // centres the window moves it there itself (the model knows no screen).
    int PositionMode() const;
    void SetPositionMode(int mode);
    // Windows: ask the front end to bring the window to the foreground (observers are
    // told of Property::Activate on every call).
    void Activate();
    // Windows: whether the window has its frame (caption and border); true at first.
    bool Bordered() const;
    void SetBordered(bool bordered);

  private:
    Window* window_ = nullptr;
    int index_ = -1;
};

using Handler = std::function<void(const EventArgs&)>;
using Observer = std::function<void(Control, Property)>;
// Shows a message box and returns the button pressed (IDOK 1, IDYES 6, IDNO 7).
// `flags` are the Windows message-box flags (0x40 information, 0x10 error, 4 yes/no).
using MessageBoxHandler =
    std::function<int(const std::string& text, const std::string& caption, int flags)>;

// Picture ids of the program's own set, drawn by the front end.
inline constexpr const char* kPictureWindowIcon = "window-icon";
inline constexpr const char* kPictureStatusIdle = "status-idle";        // not started, 38x30
inline constexpr const char* kPictureStatusRunning = "status-running";  // sharing, 38x30
inline constexpr const char* kPictureStatusFrame = "status-frame-";     // + "1".."5", 38x30
inline constexpr const char* kPictureTrayIdle = "tray-idle";
inline constexpr const char* kPictureTrayRunning = "tray-running";
inline constexpr const char* kPictureArrowDown = "arrow-down";          // 35x35
inline constexpr const char* kPictureArrowUp = "arrow-up";              // 35x35
inline constexpr const char* kPictureBarBackground = "bar-background";  // 155x22, magenta cut-out
// A QR code: this prefix followed by the text the code holds. Drawn black on white with
// its quiet zone, whole device pixels a module, centred in the picture box.
inline constexpr const char* kPictureQrPrefix = "qr:";

// One window of the model: its controls in layout order (index 0 is the window
// itself), the event bindings, and the observers.
class Window {
  public:
    // `specs[0]` describes the window itself (kind Window). The specs' rectangles and
    // column widths are pixels at 96 DPI; the window holds them scaled to `dpi`
    // (ScaleLayout), and so does every geometry it reports and is given.
    explicit Window(std::vector<ControlSpec> specs, int dpi = 96);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Control Self() { return Control(this, 0); }
    // The control named `name`; an invalid handle when there is none.
    Control Find(const std::string& name);
    // Like Find, but a missing name is a programming error (aborts with a message).
    Control operator[](const std::string& name);
    int ControlCount() const;
    Control At(int index) { return Control(this, index); }
    // The DPI the window is drawn at: its geometry, and the fonts and pictures a front
    // end draws in it, are scaled by Dpi()/96.
    int Dpi() const;
    // `pixels` at 96 DPI as pixels of this window (ScaleToDpi).
    int Scaled(int pixels) const;
    const ControlSpec& Spec(int index) const;

    void Bind(const std::string& control, Event event, Handler handler);
    bool HasHandler(const std::string& control, Event event) const;
    // Calls the bound handler, if any, on the calling thread. Returns whether one ran.
    bool Dispatch(const std::string& control, Event event, const EventArgs& args = {});

    // Observers are told of every change after it was made (on the thread that made it).
    int AddObserver(Observer observer);
    void RemoveObserver(int id);

    // Theme: the hue the window's palette is turned by.
    int Hue() const;
    void SetHue(int hue);
    // Whether the theme applies to this window at all.
    bool Themed() const;
    void SetThemed(bool themed);

    // The window's notification-area icon: a picture id and a tip.
    void SetTrayIcon(const std::string& pictureId, const std::string& tip);
    void RemoveTrayIcon();
    bool TrayShown() const;
    std::string TrayPicture() const;
    std::string TrayTip() const;
    // A notice in a balloon at the notification-area icon; every call is a request to
    // show it (observers are told of Property::TrayBalloon each time).
    void ShowTrayBalloon(const std::string& title, const std::string& text);
    std::string TrayBalloonTitle() const;
    std::string TrayBalloonText() const;

    // Message boxes go to the handler the front end (or a test) installed; without
    // one the answer is IDOK for plain boxes and IDNO for yes/no boxes.
    void SetMessageBoxHandler(MessageBoxHandler handler);
    int ShowMessage(const std::string& text, const std::string& caption, int flags);

  private:
    friend class Control;
    friend struct detail::WindowAccess;
    struct State;
    void Changed(int index, Property property);
    std::unique_ptr<State> state_;
};

}  // namespace hs::ui
