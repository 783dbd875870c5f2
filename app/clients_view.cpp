#include "app/clients_view.h"

#include <optional>
#include <utility>

#include "app/app.h"
#include "clients/data_file.h"
#include "clients/device_names.h"
#include "clients/monitor.h"
#include "hotspot/stop_sharing.h"
#include "settings/keys.h"
#include "sys/dispatcher.h"

namespace hs::app {

namespace {

constexpr const char* kClientList = "超级列表框1";
constexpr const char* kBlacklist = "超级列表框2";
constexpr const char* kCountLabel = "标签3";
constexpr const char* kRefreshTimer = "时钟循环列表";
constexpr const char* kNameEditor = "编辑框设备";
constexpr const char* kClientMenu = "加黑";
constexpr const char* kReleaseMenu = "取消黑";
constexpr const char* kMonitorOn = "单选框监控";
constexpr const char* kJoinNoticeBox = "选择框新设备提示";
constexpr const char* kListHintLabel = "透明标签3";

// Columns of the client list.
constexpr int kNumberColumn = 0;
constexpr int kIpColumn = 1;
constexpr int kMacColumn = 2;
constexpr int kNameColumn = 3;

// The editor sits on the page, the list in its group box: these carry a point of the
// list over to the page.
constexpr int kEditorOffsetTop = 42;
constexpr int kEditorOffsetLeft = 12;

constexpr int kEnterKey = 13;

// Balloons about the blacklist, placed relative to the main window: the first over
// the window's middle (it comes at start, whatever page is shown), the second at the
// blacklist on page "管理用户".
constexpr const char* kBlacklistUnreadable =
    "无法读取黑名单文件 c:\\wifiblack.txt，黑名单未载入，本次运行不会改写该文件";
constexpr int kUnreadableBalloonX = 190;
constexpr int kUnreadableBalloonY = 130;
constexpr const char* kReleaseUnclear =
    "黑名单文件中这个地址含有无法识别的字符，无法确定是哪一行，请手动编辑 c:\\wifiblack.txt";
constexpr int kUnclearBalloonX = 180;
constexpr int kUnclearBalloonY = 215;

}  // namespace

std::string JoinNoticeText(const std::vector<JoinedDevice>& joined) {
    if (joined.size() == 1) {
        const JoinedDevice& device = joined.front();
        if (device.name.empty())
            return "新设备连上了热点：" + device.ip;
        return "新设备连上了热点：" + device.name + " " + device.ip;
    }
    return std::to_string(joined.size()) + " 台新设备连上了热点";
}

// Hands what a pass finds to the window thread. Closures of a pass that was stopped
// in the meantime are dropped by the dispatcher, so a stopped pass fills nothing.
class ClientsView::PassSink : public clients::ClientPassSink {
  public:
    PassSink(Dispatcher& dispatcher, ClientsView& view) : dispatcher_(dispatcher), view_(view) {}

    void Counted(int, const std::string& label) override {
        dispatcher_.Post([view = &view_, label] { view->ShowCount(label); });
    }
    void Listed(const std::vector<clients::ClientRow>& rows) override {
        dispatcher_.Post([view = &view_, rows] { view->ShowRows(rows); });
    }
    void Named(const std::string& mac, const std::string& name) override {
        dispatcher_.Post([view = &view_, mac, name] { view->ShowName(mac, name); });
    }
    void Hinted(const std::string& hint) override {
        dispatcher_.Post([view = &view_, hint] { view->ShowHint(hint); });
    }
    void SwitchedOff() override {
        dispatcher_.Post([view = &view_] { view->SwitchedOff(); });
    }
    void Finished() {
        dispatcher_.Post([view = &view_] { view->PassFinished(); });
    }

  private:
    Dispatcher& dispatcher_;
    ClientsView& view_;
};

ClientsView::ClientsView(App& app)
    : app_(app),
      list_(app.Main()[kClientList]),
      blacklist_(app.Main()[kBlacklist]),
      count_(app.Main()[kCountLabel]),
      timer_(app.Main()[kRefreshTimer]),
      editor_(app.Main()[kNameEditor]),
      hint_(app.Main()[kListHintLabel]) {
    app.Main()[kJoinNoticeBox].SetChecked(
        settings::ReadSetting(app.GetHost(), settings::kJoinNotice) != "0");
}

void ClientsView::Tick() {
    Host& host = app_.GetHost();
    Dispatcher& dispatcher = app_.GetDispatcher();
    backend::HotspotBackend& network = app_.Hotspot().Backend();
    const std::string hostedIndex = app_.Hotspot().GetSession().hostedInterfaceIndex;
    // Start asks the previous pass to stop; what it still posts is dropped.
    passTask_.Start([&host, &network, &dispatcher, this, hostedIndex] {
        PassSink sink(dispatcher, *this);
        if (clients::RefreshClientList(host, network, hostedIndex, sink))
            sink.Finished();
    });
}

void ClientsView::SharingStopped() {
    passTask_.RequestStop();
    lastListed_.clear();
    joined_.clear();
    hint_.SetText(clients::kListHint);
}

void ClientsView::ShowHint(const std::string& hint) {
    hint_.SetText(hint);
}

void ClientsView::SwitchedOff() {
    if (hotspot::HotspotWentOff(app_.Hotspot()))
        app_.Main().ShowTrayBalloon(kProgramTitle, hotspot::kSwitchedOffBySystemText);
}

void ClientsView::ShowCount(const std::string& label) {
    count_.SetText(label);
}

void ClientsView::ShowRows(const std::vector<clients::ClientRow>& rows) {
    std::set<std::string> listed;
    joined_.clear();
    list_.ClearRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = list_.InsertRow();
        list_.SetCell(row, kNumberColumn, std::to_string(i + 1));
        list_.SetCell(row, kIpColumn, rows[i].ip);
        list_.SetCell(row, kMacColumn, rows[i].mac);
        const std::string mac = clients::UpperAscii(rows[i].mac);
        if (!lastListed_.count(mac) && !listed.count(mac))
            joined_.push_back(mac);
        listed.insert(mac);
    }
    lastListed_ = std::move(listed);
}

void ClientsView::ShowName(const std::string& mac, const std::string& name) {
    // A device with two addresses has two rows: both show its name.
    for (int row : RowsOf(mac))
        list_.SetCell(row, kNameColumn, name);
}

void ClientsView::PassFinished() {
    std::vector<JoinedDevice> joined;
    for (const std::string& mac : joined_) {
        const int row = RowOf(mac);
        if (row >= 0)
            joined.push_back(
                {clients::SanitizeName(list_.Cell(row, kNameColumn)), list_.Cell(row, kIpColumn)});
    }
    joined_.clear();
    // The switch holds the user's choice; the settings file only remembers it for the
    // next start, so a pass never reads the file.
    if (joined.empty() || !app_.Main()[kMonitorOn].Checked() ||
        !app_.Main()[kJoinNoticeBox].Checked())
        return;
    app_.Main().ShowTrayBalloon(kProgramTitle, JoinNoticeText(joined));
}

int ClientsView::RowOf(const std::string& mac) const {
    const std::string wanted = clients::UpperAscii(mac);
    const int rows = list_.RowCount();
    for (int row = 0; row < rows; ++row) {
        if (clients::UpperAscii(list_.Cell(row, kMacColumn)) == wanted)
            return row;
    }
    return -1;
}

std::vector<int> ClientsView::RowsOf(const std::string& mac) const {
    const std::string wanted = clients::UpperAscii(mac);
    std::vector<int> rows;
    const int count = list_.RowCount();
    for (int row = 0; row < count; ++row) {
        if (clients::UpperAscii(list_.Cell(row, kMacColumn)) == wanted)
            rows.push_back(row);
    }
    return rows;
}

void ClientsView::ClearList() {
    list_.ClearRows();
    count_.SetText(clients::kIdleCountLabel);
    // The devices of the last pass stay remembered: switching monitoring off and on
    // again makes nobody new who was there before.
    joined_.clear();
}

void ClientsView::ClientRowRightClicked(int row) {
    if (row < 0 || !list_.RowSelected(row))
        return;
    menuDevices_.clear();
    // A selected device's other rows (a second address of the same hardware address)
    // go with it, so that every address it uses is blocked at once.
    std::set<std::string> devices;
    for (int selected : list_.SelectedRows())
        devices.insert(clients::UpperAscii(list_.Cell(selected, kMacColumn)));
    const int rows = list_.RowCount();
    for (int r = 0; r < rows; ++r) {
        if (list_.RowSelected(r) || devices.count(clients::UpperAscii(list_.Cell(r, kMacColumn)))) {
            menuDevices_.push_back(
                {list_.Cell(r, kIpColumn), list_.Cell(r, kMacColumn), list_.Cell(r, kNameColumn)});
        }
    }
    app_.Main()[kClientMenu].Popup();
}

void ClientsView::LoadBlacklist() {
    const std::optional<std::vector<clients::BlacklistRow>> rows =
        clients::ReadBlacklist(app_.GetHost());
    blacklistUnreadable_ = !rows.has_value();
    if (!rows) {
        app_.Hotspot().View().Balloon(kBlacklistUnreadable, kUnreadableBalloonX,
                                      kUnreadableBalloonY);
        return;
    }
    for (const clients::BlacklistRow& entry : *rows) {
        const int row = blacklist_.InsertRow();
        blacklist_.SetCell(row, 1, entry.mac);
        blacklist_.SetCell(row, 2, entry.name);
    }
}

void ClientsView::BlacklistRowRightClicked(int row) {
    if (row < 0 || !blacklist_.RowSelected(row))
        return;
    menuRelease_.clear();
    for (int selected : blacklist_.SelectedRows())
        menuRelease_.push_back({selected, blacklist_.Cell(selected, 1)});
    app_.Main()[kReleaseMenu].Popup();
}

void ClientsView::BlacklistChosen() {
    const std::vector<clients::ClientEntry> selected = std::move(menuDevices_);
    menuDevices_.clear();
    if (selected.empty())
        return;
    std::vector<clients::BlacklistRow> rows;
    for (const std::vector<std::string>& cells : blacklist_.Rows()) {
        clients::BlacklistRow row;
        row.ip = cells.size() > 0 ? cells[0] : "";
        row.mac = cells.size() > 1 ? cells[1] : "";
        row.name = cells.size() > 2 ? cells[2] : "";
        rows.push_back(std::move(row));
    }
    // The list shows the result at once; the worker blocks the first device and
    // writes the same rows to the file. Each blacklisting writes after the ones before
    // it, so the file ends with the newest rows.
    const std::vector<clients::BlacklistRow> result = clients::AddToBlacklist(rows, selected);
    Host& host = app_.GetHost();
    const std::string hostedIndex = app_.Hotspot().GetSession().hostedInterfaceIndex;
    blockTask_.Add([&host, hostedIndex, selected, rows = std::move(rows),
                    before = blockTask_.Runs(), keep = blacklistUnreadable_] {
        clients::BlacklistSelected(host, hostedIndex, selected, rows, before, keep);
    });
    // Every row of a blacklisted device goes, also a second one of the same address.
    for (const clients::ClientEntry& device : selected) {
        const std::vector<int> rowsOfDevice = RowsOf(device.mac);
        for (auto it = rowsOfDevice.rbegin(); it != rowsOfDevice.rend(); ++it)
            list_.DeleteRow(*it);
    }
    blacklist_.ClearRows();
    for (const clients::BlacklistRow& row : result) {
        const int at = blacklist_.InsertRow();
        blacklist_.SetCell(at, 0, row.ip);
        blacklist_.SetCell(at, 1, row.mac);
        blacklist_.SetCell(at, 2, row.name);
    }
}

void ClientsView::ReleaseChosen() {
    const std::vector<ReleaseEntry> entries = std::move(menuRelease_);
    menuRelease_.clear();
    if (entries.empty())
        return;
    std::vector<std::string> addresses;
    for (const ReleaseEntry& entry : entries)
        addresses.push_back(entry.address);
    const std::vector<clients::Released> outcomes =
        clients::RemoveFromBlacklistFile(app_.GetHost(), addresses);
    bool released = false;
    bool unclear = false;
    // From the last up, so that the rows above keep their indexes.
    for (size_t i = entries.size(); i-- > 0;) {
        if (outcomes[i] == clients::Released::Unclear)
            unclear = true;
        if (outcomes[i] != clients::Released::Yes)
            continue;
        released = true;
        const ReleaseEntry& entry = entries[i];
        int row = entry.row;
        if (row >= blacklist_.RowCount() || blacklist_.Cell(row, 1) != entry.address) {
            // The list changed since the menu opened: the entry's row is the first
            // that still shows its address.
            row = -1;
            for (int r = 0; r < blacklist_.RowCount() && row < 0; ++r) {
                if (blacklist_.Cell(r, 1) == entry.address)
                    row = r;
            }
        }
        if (row >= 0)
            blacklist_.DeleteRow(row);
    }
    if (unclear)
        app_.Hotspot().View().Balloon(kReleaseUnclear, kUnclearBalloonX, kUnclearBalloonY);
    if (!released)
        return;
    // Each deletion is followed by a pause of its own; the worker keeps the window
    // responsive meanwhile. A second release restarts the deletions from a fresh table.
    Host& host = app_.GetHost();
    releaseTask_.Start([&host] { clients::DeleteBlockEntries(host); });
}

void ClientsView::BeginNameEdit(const ui::EventArgs& args) {
    const int row = args.code;
    if (row < 0 || row >= list_.RowCount())
        return;
    const std::vector<ui::Column> columns = list_.Columns();
    // The list reports its row in the window's pixels; the offsets are at 96 DPI.
    ui::Window& main = app_.Main();
    int left = args.x + list_.Left() + (args.column == 0 ? 0 : main.Scaled(kEditorOffsetLeft));
    for (size_t i = 0; i < columns.size() && i < static_cast<size_t>(kNameColumn); ++i)
        left += columns[i].width;
    const int top = list_.Top() + args.y + main.Scaled(kEditorOffsetTop);
    const int width = columns.size() > kNameColumn ? columns[kNameColumn].width : editor_.Width();
    editor_.Move(left, top, width, editor_.Height());
    editor_.SetText(list_.Cell(row, kNameColumn));
    editedMac_ = list_.Cell(row, kMacColumn);
    editor_.SetVisible(true);
    editor_.Focus();
}

void ClientsView::SaveNameEdit() {
    // Hiding the editor after Enter takes the focus from it, which saves again: the
    // second save finds the editor closed and does nothing.
    if (!editor_.Visible())
        return;
    const std::string mac = editedMac_;
    editedMac_.clear();
    editor_.SetVisible(false);
    if (mac.empty())
        return;
    const clients::Rename rename = clients::SaveDeviceName(app_.GetHost(), mac, editor_.Text());
    // The device keeps its rows only if no pass has rebuilt the list without it.
    for (int row : RowsOf(mac))
        list_.SetCell(row, kNameColumn, rename.name);
}

void ClientsView::EditorKeyUp(int virtualKey) {
    if (virtualKey == kEnterKey)
        SaveNameEdit();
}

void ClientsView::MonitorOn() {
    clients::SaveMonitor(app_.GetHost(), true);
    passTask_.RequestStop();
    const int interval = clients::MonitorOnInterval(app_.Hotspot().GetSession().sharingCompleted);
    if (interval > 0)
        timer_.SetInterval(interval);
}

void ClientsView::MonitorOff() {
    clients::SaveMonitor(app_.GetHost(), false);
    timer_.SetInterval(0);
    passTask_.RequestStop();
    ClearList();
}

void ClientsView::JoinNoticeClicked() {
    const bool on = app_.Main()[kJoinNoticeBox].Checked();
    settings::WriteSetting(app_.GetHost(), settings::kJoinNotice, on ? "1" : "0");
}

void ChainClientsView(App& app) {
    hotspot::Hotspot& hotspot = app.Hotspot();
    ClientsView& view = app.Clients();
    hotspot.sharingStopped.push_back([&view] { view.SharingStopped(); });
}

}  // namespace hs::app
