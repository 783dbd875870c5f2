#include "clients/blacklist.h"

#include <mutex>
#include <unordered_set>

#include "sys/command.h"
#include "sys/delay.h"
#include "sys/regex.h"
#include "sys/worker.h"

namespace hs::clients {

namespace {

constexpr const char* kIpPattern = "\\d+\\.\\d+\\.\\d+\\.\\d+";
constexpr const char* kBlockEntryPattern = "192\\.168.*00-00-00-00-00-00";
constexpr int64_t kAfterDeleteMs = 1500;

}  // namespace

std::string BlockCommand(const std::string& hostedIndex, const std::string& ip) {
    return "netsh interface ipv4 set neighbors " + hostedIndex + " \"" + ip + "\" \"" +
           kZeroAddress + "\" store=active";
}

std::vector<BlacklistRow> AddToBlacklist(std::vector<BlacklistRow> rows,
                                         const std::vector<ClientEntry>& selected) {
    for (const ClientEntry& entry : selected)
        rows.push_back({entry.ip, entry.mac, entry.name});
    std::vector<BlacklistRow> kept;
    kept.reserve(rows.size());
    std::unordered_set<std::string> seen;
    for (BlacklistRow& row : rows) {
        if (seen.insert(row.mac).second)
            kept.push_back(std::move(row));
    }
    return kept;
}

std::string BlacklistText(const std::vector<BlacklistRow>& rows) {
    std::string text;
    for (const BlacklistRow& row : rows)
        text += row.mac + "+" + row.name + "\r\n";
    return text;
}

bool WriteBlacklistFile(Host& host, const std::vector<BlacklistRow>& rows) {
    if (host.files == nullptr || host.codec == nullptr)
        return false;
    const std::string bytes = host.codec->Utf8ToGbk(BlacklistText(rows));
    std::lock_guard<std::mutex> lock(DataFileLock(kBlacklistPath));
    std::string current;
    if (!ReadDataFile(host, kBlacklistPath, current))
        return false;
    return host.files->Write(kBlacklistPath, bytes);
}

bool AppendToBlacklistFile(Host& host, const std::vector<BlacklistRow>& entries) {
    if (host.files == nullptr || host.codec == nullptr)
        return false;
    std::lock_guard<std::mutex> lock(DataFileLock(kBlacklistPath));
    std::string bytes;
    if (!ReadDataFile(host, kBlacklistPath, bytes))
        return false;
    std::unordered_set<std::string> shown;
    for (const BlacklistRow& row : ParseBlacklist(bytes, *host.codec))
        shown.insert(UpperAscii(row.mac));
    std::string added;
    for (const BlacklistRow& entry : entries) {
        if (shown.insert(UpperAscii(entry.mac)).second)
            added += BlacklistText({entry});
    }
    if (added.empty())
        return true;
    // The new lines start on a line of their own.
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += "\r\n";
    return host.files->Write(kBlacklistPath, bytes + host.codec->Utf8ToGbk(added));
}

Blacklisting BlacklistSelected(Host& host, const std::string& hostedIndex,
                               const std::vector<ClientEntry>& selected,
                               std::vector<BlacklistRow> rows, const std::vector<RunToken>& before,
                               bool keepFileLines) {
    Blacklisting result;
    if (selected.empty()) {
        result.rows = std::move(rows);
        return result;
    }
    for (const ClientEntry& entry : selected) {
        if (!entry.ip.empty())
            RunCommand(host, BlockCommand(hostedIndex, entry.ip));
    }
    WaitForRuns(before, kBlacklistWaitMs);
    result.rows = AddToBlacklist(std::move(rows), selected);
    if (keepFileLines) {
        result.fileWritten = AppendToBlacklistFile(host, AddToBlacklist({}, selected));
    } else {
        result.fileWritten = WriteBlacklistFile(host, result.rows);
    }
    return result;
}

std::vector<Released> RemoveFromBlacklistFile(Host& host,
                                              const std::vector<std::string>& addresses) {
    const std::vector<Released> nothing(addresses.size(), Released::NotInFile);
    if (addresses.empty() || host.files == nullptr || host.codec == nullptr)
        return nothing;
    std::lock_guard<std::mutex> lock(DataFileLock(kBlacklistPath));
    std::string bytes;
    if (!ReadDataFile(host, kBlacklistPath, bytes))
        return nothing;
    std::vector<Released> outcomes;
    const std::string kept = RemoveBlacklistLines(bytes, addresses, *host.codec, outcomes);
    if (kept != bytes && !host.files->Write(kBlacklistPath, kept))
        return nothing;
    return outcomes;
}

std::vector<std::string> DeleteBlockEntries(Host& host) {
    std::vector<std::string> deleted;
    const std::string arp = RunCommand(host, "arp -a");
    if (StopRequested())
        return deleted;
    RegexObject entries;
    entries.Create(kBlockEntryPattern, arp);
    for (int i = 1; i <= entries.MatchCount(); ++i) {
        RegexObject ip;
        ip.Create(kIpPattern, entries.MatchText(i));
        const std::string address = ip.MatchText(1);
        if (address.empty())
            continue;
        RunCommand(host, "arp -d " + address);
        Delay(host, kAfterDeleteMs);
        deleted.push_back(address);
        if (StopRequested())
            break;
    }
    return deleted;
}

}  // namespace hs::clients
