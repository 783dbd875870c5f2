// Combo-box items and report-list rows, cells and selection.
#include <algorithm>

#include "ui/control_access.h"
#include "ui/model.h"

namespace hs::ui {

using detail::ControlState;
using detail::GetField;
using detail::Pending;
using detail::Read;
using detail::WindowState;
using detail::Write;

namespace {

bool RowInRange(const ControlState& c, int row) {
    return row >= 0 && row < static_cast<int>(c.rows.size());
}

}  // namespace

std::vector<std::string> Control::Items() const {
    return GetField(*this, &ControlState::items);
}

void Control::SetItems(std::vector<std::string> items) {
    Write(*this, [&](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (c.items == items) {
            return;
        }
        c.items = std::move(items);
        pending.emplace_back(index, Property::Items);
        // A new list has nothing selected yet; the text in the box stays.
        if (c.position != -1) {
            c.position = -1;
            pending.emplace_back(index, Property::Position);
        }
    });
}

void Control::AddItem(const std::string& item) {
    Write(*this, [&](WindowState& state, int index, Pending& pending) {
        state.controls[index].items.push_back(item);
        pending.emplace_back(index, Property::Items);
    });
}

std::vector<Column> Control::Columns() const {
    return Read(*this, std::vector<Column>(),
                [](const ControlState&, const ControlSpec& spec) { return spec.columns; });
}

int Control::ColumnCount() const {
    return Read(*this, 0, [](const ControlState&, const ControlSpec& spec) {
        return static_cast<int>(spec.columns.size());
    });
}

int Control::RowCount() const {
    return Read(*this, 0, [](const ControlState& c, const ControlSpec&) {
        return static_cast<int>(c.rows.size());
    });
}

int Control::InsertRow(int at) {
    int inserted = -1;
    Write(*this, [&](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        int count = static_cast<int>(c.rows.size());
        inserted = at < 0 || at > count ? count : at;
        c.rows.insert(c.rows.begin() + inserted,
                      std::vector<std::string>(state.specs[index].columns.size()));
        c.selected.insert(c.selected.begin() + inserted, 0);
        pending.emplace_back(index, Property::Rows);
    });
    return inserted;
}

void Control::DeleteRow(int row) {
    Write(*this, [row](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (!RowInRange(c, row)) {
            return;
        }
        bool wasSelected = c.selected[row] != 0;
        c.rows.erase(c.rows.begin() + row);
        c.selected.erase(c.selected.begin() + row);
        pending.emplace_back(index, Property::Rows);
        if (wasSelected) {
            pending.emplace_back(index, Property::Selection);
        }
    });
}

void Control::ClearRows() {
    Write(*this, [](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (c.rows.empty()) {
            return;
        }
        bool anySelected = std::find(c.selected.begin(), c.selected.end(), 1) != c.selected.end();
        c.rows.clear();
        c.selected.clear();
        pending.emplace_back(index, Property::Rows);
        if (anySelected) {
            pending.emplace_back(index, Property::Selection);
        }
    });
}

std::string Control::Cell(int row, int column) const {
    return Read(*this, std::string(), [=](const ControlState& c, const ControlSpec&) {
        if (!RowInRange(c, row) || column < 0 || column >= static_cast<int>(c.rows[row].size())) {
            return std::string();
        }
        return c.rows[row][column];
    });
}

void Control::SetCell(int row, int column, const std::string& text) {
    Write(*this, [&](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        if (!RowInRange(c, row) || column < 0 || column >= static_cast<int>(c.rows[row].size())) {
            return;
        }
        if (c.rows[row][column] == text) {
            return;
        }
        c.rows[row][column] = text;
        pending.emplace_back(index, Property::Rows);
    });
}

std::vector<std::vector<std::string>> Control::Rows() const {
    return GetField(*this, &ControlState::rows);
}

bool Control::RowSelected(int row) const {
    return Read(*this, false, [row](const ControlState& c, const ControlSpec&) {
        return RowInRange(c, row) && c.selected[row] != 0;
    });
}

void Control::SelectRow(int row, bool selected) {
    Write(*this, [=](WindowState& state, int index, Pending& pending) {
        ControlState& c = state.controls[index];
        char flag = selected ? 1 : 0;
        bool changed = false;
        if (row == -1) {
            for (char& s : c.selected) {
                changed = changed || s != flag;
                s = flag;
            }
        } else if (RowInRange(c, row) && c.selected[row] != flag) {
            c.selected[row] = flag;
            changed = true;
        }
        if (changed) {
            pending.emplace_back(index, Property::Selection);
        }
    });
}

int Control::FirstSelectedRow() const {
    return Read(*this, -1, [](const ControlState& c, const ControlSpec&) {
        auto it = std::find(c.selected.begin(), c.selected.end(), 1);
        return it == c.selected.end() ? -1 : static_cast<int>(it - c.selected.begin());
    });
}

std::vector<int> Control::SelectedRows() const {
    return Read(*this, std::vector<int>(), [](const ControlState& c, const ControlSpec&) {
        std::vector<int> rows;
        for (size_t i = 0; i < c.selected.size(); ++i) {
            if (c.selected[i] != 0) {
                rows.push_back(static_cast<int>(i));
            }
        }
        return rows;
    });
}

int Control::SelectedCount() const {
    return Read(*this, 0, [](const ControlState& c, const ControlSpec&) {
        return static_cast<int>(std::count(c.selected.begin(), c.selected.end(), 1));
    });
}

}  // namespace hs::ui
