// The client displays of page "管理用户": the live device list with its count label,
// the blacklist with its two popup menus, the in-place name editor and the monitor
// switch. Owns the worker of the client-list pass and the worker that deletes the
// block entries after a release; used on the window thread only.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "clients/blacklist.h"
#include "clients/client_pass.h"
#include "sys/worker.h"
#include "ui/model.h"

namespace hs::app {

class App;

// A device that a pass listed and the pass before it did not.
struct JoinedDevice {
    std::string name;  // its name cell, sanitised; may be empty
    std::string ip;
};

// The notice about the devices one pass found new: one device is named with its
// address, several are counted.
std::string JoinNoticeText(const std::vector<JoinedDevice>& joined);

class ClientsView {
  public:
    explicit ClientsView(App& app);
    ClientsView(const ClientsView&) = delete;
    ClientsView& operator=(const ClientsView&) = delete;

    // A tick of `时钟循环列表`: ends the running pass and starts a new one for the
    // hosted interface of the current session.
    void Tick();
    // The stop button has stopped sharing: a running pass ends and fills nothing.
    void SharingStopped();

    // The main window was created: the blacklist file's entries fill `超级列表框2`. A
    // file that exists but cannot be read is said so in a balloon, and is never
    // rewritten from the list in this run: blacklistings are appended to it.
    void LoadBlacklist();
    bool BlacklistFileUnreadable() const { return blacklistUnreadable_; }

    // A row of `超级列表框1` / `超级列表框2` right-clicked: its menu pops up when the
    // row is selected. The selected rows are captured as the menu opens, so a pass
    // that rebuilds the list meanwhile cannot take them from the menu's action.
    void ClientRowRightClicked(int row);
    void BlacklistRowRightClicked(int row);
    // `拉入黑名单` chosen: the devices captured with the menu move to the blacklist
    // and are all blocked at once on the block worker.
    void BlacklistChosen();
    // `取消黑名单` chosen: every captured entry's line leaves the blacklist file and
    // its row goes, then the block entries are deleted on the release worker. An entry
    // whose line cannot be told apart from another's (bytes that are not GBK) stays,
    // and a balloon says so.
    void ReleaseChosen();

    // `超级列表框1` double-clicked: `args` carries the row (code), the column under the
    // mouse (column) and the row's upper-left corner in the list (x, y).
    void BeginNameEdit(const ui::EventArgs& args);
    // `编辑框设备` left or a key released in it (Enter saves).
    void SaveNameEdit();
    void EditorKeyUp(int virtualKey);

    // `单选框监控` / `单选框不监控` clicked.
    void MonitorOn();
    void MonitorOff();

    // `选择框新设备提示` clicked: stores the choice.
    void JoinNoticeClicked();

    Task& PassTask() { return passTask_; }
    Task& BlockTask() { return blockTask_; }
    Task& ReleaseTask() { return releaseTask_; }
    // The hardware address the name editor saves to; empty while it is closed.
    const std::string& EditedDevice() const { return editedMac_; }

  private:
    class PassSink;

    // What a pass found, applied on the window thread.
    void ShowCount(const std::string& label);
    void ShowRows(const std::vector<clients::ClientRow>& rows);
    void ShowName(const std::string& mac, const std::string& name);
    void PassFinished();
    void ShowHint(const std::string& hint);
    // The system switched the Mobile Hotspot off: the idle window and a balloon.
    void SwitchedOff();
    // The row of the client list that shows this hardware address; -1 when none.
    int RowOf(const std::string& mac) const;
    // Every row of the client list that shows it, ascending.
    std::vector<int> RowsOf(const std::string& mac) const;
    // Empties the client list and resets the count label.
    void ClearList();

    App& app_;
    ui::Control list_;
    ui::Control blacklist_;
    ui::Control count_;
    ui::Control timer_;
    ui::Control editor_;
    ui::Control hint_;
    Task passTask_{"pass"};
    Task blockTask_{"block"};
    Task releaseTask_{"release"};
    std::string editedMac_;
    // The devices selected when the client menu opened.
    std::vector<clients::ClientEntry> menuDevices_;
    // The selected blacklist rows and their addresses when the release menu opened,
    // ascending.
    struct ReleaseEntry {
        int row = -1;
        std::string address;
    };
    std::vector<ReleaseEntry> menuRelease_;
    // The blacklist file could not be read at start: the list is not what it holds.
    bool blacklistUnreadable_ = false;
    // The devices of the last list a pass showed, and those of the current pass that
    // were not in it (upper-case addresses).
    std::set<std::string> lastListed_;
    std::vector<std::string> joined_;  // addresses, in list order
};

// Hooks the view onto the hotspot's stop, after the hooks set before.
void ChainClientsView(App& app);

}  // namespace hs::app
