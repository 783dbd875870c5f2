// A control's own properties: texts, flags, check marks and radio groups,
// positions, timers, geometry, pictures, tips, documents, balloons and menus.
#include <algorithm>

#include "ui/control_access.h"
#include "ui/model.h"

namespace hs::ui {

using detail::ControlState;
using detail::GetField;
using detail::Pending;
using detail::Read;
using detail::SetField;
using detail::WindowState;
using detail::Write;

namespace {

// The position a control takes when asked for `position`: sliders stay within
// their range, combo boxes select an item or none, tab controls only turn to a
// page they have.
int ClampPosition(const ControlState& c, const ControlSpec& spec, int position) {
    switch (spec.kind) {
        case Kind::Slider:
            if (spec.minimum <= spec.maximum) {
                return std::clamp(position, spec.minimum, spec.maximum);
            }
            return position;
        case Kind::Combo:
            return position >= 0 && position < static_cast<int>(c.items.size()) ? position : -1;
        case Kind::Tab:
            if (!spec.pages.empty() &&
                (position < 0 || position >= static_cast<int>(spec.pages.size()))) {
                return c.position;  // no such page: the tab stays where it is
            }
            return position;
        default:
            return position;
    }
}

}  // namespace

std::string Control::Name() const {
    return Read(*this, std::string(),
                [](const ControlState&, const ControlSpec& spec) { return spec.name; });
}

Kind Control::GetKind() const {
    return Read(*this, Kind::Label,
                [](const ControlState&, const ControlSpec& spec) { return spec.kind; });
}

std::string Control::Text() const {
    return GetField(*this, &ControlState::text);
}

void Control::SetText(const std::string& text) {
    SetField(*this, &ControlState::text, text, Property::Text);
}

bool Control::Visible() const {
    return GetField(*this, &ControlState::visible);
}

void Control::SetVisible(bool visible) {
    SetField(*this, &ControlState::visible, visible, Property::Visible);
}

bool Control::Enabled() const {
    return GetField(*this, &ControlState::enabled);
}

void Control::SetEnabled(bool enabled) {
    SetField(*this, &ControlState::enabled, enabled, Property::Enabled);
}

bool Control::Checked() const {
    return GetField(*this, &ControlState::checked);
}

void Control::SetChecked(bool checked) {
    Write(*this, [checked](WindowState& state, int index, Pending& pending) {
        ControlState& self = state.controls[index];
        if (self.checked != checked) {
            self.checked = checked;
            pending.emplace_back(index, Property::Checked);
        }
        const ControlSpec& spec = state.specs[index];
        if (!checked || spec.kind != Kind::Radio) {
            return;
        }
        // One radio button of a container (a tab page counts as its own container)
        // is checked at a time.
        for (size_t j = 0; j < state.specs.size(); ++j) {
            const ControlSpec& other = state.specs[j];
            if (static_cast<int>(j) == index || other.kind != Kind::Radio ||
                other.container != spec.container || other.page != spec.page) {
                continue;
            }
            if (state.controls[j].checked) {
                state.controls[j].checked = false;
                pending.emplace_back(static_cast<int>(j), Property::Checked);
            }
        }
    });
}

int Control::Position() const {
    return GetField(*this, &ControlState::position);
}

void Control::SetPosition(int position) {
    Write(*this, [position](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        const ControlSpec& spec = state.specs[index];
        int value = ClampPosition(c, spec, position);
        if (c.position != value) {
            c.position = value;
            pending.emplace_back(index, Property::Position);
        }
        // Choosing a combo item puts its text in the box, as a drop-down does.
        if (spec.kind == Kind::Combo && value >= 0 && c.text != c.items[value]) {
            c.text = c.items[value];
            pending.emplace_back(index, Property::Text);
        }
    });
}

int Control::Minimum() const {
    return Read(*this, 0,
                [](const ControlState&, const ControlSpec& spec) { return spec.minimum; });
}

int Control::Maximum() const {
    return Read(*this, 0,
                [](const ControlState&, const ControlSpec& spec) { return spec.maximum; });
}

int Control::Interval() const {
    return GetField(*this, &ControlState::interval);
}

void Control::SetInterval(int ms) {
    Write(*this, [ms](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        int value = std::max(ms, 0);
        bool restart = state.specs[index].kind == Kind::Timer && value > 0;
        if (c.interval == value && !restart) {
            return;
        }
        c.interval = value;
        pending.emplace_back(index, Property::Interval);
    });
}

int Control::GetInputMode() const {
    return GetField(*this, &ControlState::inputMode);
}

void Control::SetInputMode(int mode) {
    SetField(*this, &ControlState::inputMode, mode, Property::InputMode);
}

int Control::Left() const {
    return GetField(*this, &ControlState::left);
}
int Control::Top() const {
    return GetField(*this, &ControlState::top);
}
int Control::Width() const {
    return GetField(*this, &ControlState::width);
}
int Control::Height() const {
    return GetField(*this, &ControlState::height);
}

void Control::Move(int left, int top, int width, int height) {
    Write(*this, [=](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (c.left == left && c.top == top && c.width == width && c.height == height) {
            return;
        }
        c.left = left;
        c.top = top;
        c.width = width;
        c.height = height;
        pending.emplace_back(index, Property::Geometry);
    });
}

std::string Control::Picture() const {
    return GetField(*this, &ControlState::picture);
}

void Control::SetPicture(const std::string& id) {
    SetField(*this, &ControlState::picture, id, Property::Picture);
}

Colour Control::TitleColour() const {
    return GetField(*this, &ControlState::titleColour);
}

void Control::SetTitleColour(Colour colour) {
    SetField(*this, &ControlState::titleColour, colour, Property::TitleColour);
}

std::optional<Colour> Control::TextColour() const {
    return GetField(*this, &ControlState::textColour);
}

void Control::SetTextColour(Colour colour) {
    SetField(*this, &ControlState::textColour, std::optional<Colour>(colour), Property::TextColour);
}

std::string Control::Tip() const {
    return GetField(*this, &ControlState::tip);
}

bool Control::TipStyled() const {
    return GetField(*this, &ControlState::tipStyled);
}

void Control::SetTip(const std::string& text, bool styled) {
    Write(*this, [&](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (c.tip == text && c.tipStyled == styled) {
            return;
        }
        c.tip = text;
        c.tipStyled = styled;
        pending.emplace_back(index, Property::Tip);
    });
}

std::string Control::Document() const {
    return GetField(*this, &ControlState::document);
}

void Control::SetDocument(const std::string& html) {
    SetField(*this, &ControlState::document, html, Property::Document);
}

void Control::ShowBalloon(const std::string& html, int x, int y, bool upwards) {
    Write(*this, [&](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (c.document != html) {
            c.document = html;
            pending.emplace_back(index, Property::Document);
        }
        c.balloonShown = true;
        c.balloonX = x;
        c.balloonY = y;
        c.balloonUpwards = upwards;
        pending.emplace_back(index, Property::Balloon);
    });
}

void Control::HideBalloon() {
    SetField(*this, &ControlState::balloonShown, false, Property::Balloon);
}

bool Control::BalloonShown() const {
    return GetField(*this, &ControlState::balloonShown);
}
int Control::BalloonX() const {
    return GetField(*this, &ControlState::balloonX);
}
int Control::BalloonY() const {
    return GetField(*this, &ControlState::balloonY);
}
bool Control::BalloonUpwards() const {
    return GetField(*this, &ControlState::balloonUpwards);
}

void Control::Popup() {
    Write(*this, [](WindowState&, int index, Pending& pending) {
        pending.emplace_back(index, Property::Popup);
    });
}

bool Control::Topmost() const {
    return GetField(*this, &ControlState::topmost);
}

void Control::SetTopmost(bool topmost) {
    SetField(*this, &ControlState::topmost, topmost, Property::Topmost);
}

int Control::PositionMode() const {
    return GetField(*this, &ControlState::positionMode);
}

void Control::SetPositionMode(int mode) {
    Write(*this, [mode](WindowState& w, int index, Pending& pending) {
        w.controls[static_cast<size_t>(index)].positionMode = mode;
        pending.emplace_back(index, Property::PositionMode);
    });
}

void Control::Focus() {
    Write(*this, [](WindowState&, int index, Pending& pending) {
        pending.emplace_back(index, Property::Focus);
    });
}

void Control::Activate() {
    Write(*this, [](WindowState&, int index, Pending& pending) {
        pending.emplace_back(index, Property::Activate);
    });
}

bool Control::Bordered() const {
    return GetField(*this, &ControlState::bordered);
}

void Control::SetBordered(bool bordered) {
    SetField(*this, &ControlState::bordered, bordered, Property::Border);
}

}  // namespace hs::ui
