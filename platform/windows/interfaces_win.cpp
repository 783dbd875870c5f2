#include "platform/windows/interfaces_win.h"

#include <winsock2.h>
// Before iphlpapi.h: the 64-bit table's declarations in netioapi.h need it, and
// iphlpapi.h only includes them itself for builds whose minimum system is Vista.
#include <ws2ipdef.h>

#include <windows.h>

#include <iphlpapi.h>
#include <netioapi.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/windows/proc_lookup.h"
#include "platform/windows/wide.h"

namespace hs::win {
namespace {

// Interfaces can appear between the sizing call and the filling call.
constexpr int kSizingRounds = 8;

std::string Description(const MIB_IFROW& row) {
    const size_t length = std::min<size_t>(row.dwDescrLen, sizeof row.bDescr);
    std::string bytes(reinterpret_cast<const char*>(row.bDescr), length);
    // The length usually counts the terminating zero.
    while (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    return FromCodePage(bytes, CP_ACP);
}

// The 64-bit interface table exists from Windows Vista on. Its functions are looked
// up when first needed, so the program still loads on Windows XP, which lacks them.
using GetIfTable2Fn = DWORD(WINAPI*)(PMIB_IF_TABLE2*);
using FreeMibTableFn = VOID(WINAPI*)(PVOID);

struct WideTableFunctions {
    GetIfTable2Fn getTable = nullptr;
    FreeMibTableFn freeTable = nullptr;
};

const WideTableFunctions& WideFunctions() {
    static const WideTableFunctions functions = [] {
        WideTableFunctions found;
        HMODULE module = GetModuleHandleW(L"iphlpapi.dll");
        if (module == nullptr)
            return found;
        auto getTable = LookUpProc<GetIfTable2Fn>(module, "GetIfTable2");
        auto freeTable = LookUpProc<FreeMibTableFn>(module, "FreeMibTable");
        if (getTable != nullptr && freeTable != nullptr) {
            found.getTable = getTable;
            found.freeTable = freeTable;
        }
        return found;
    }();
    return functions;
}

// Puts the 64-bit counters of the system's wide table beside the 32-bit ones, row by
// row matched on the interface index. Rows the wide table lacks keep their 32-bit
// counters in the 64-bit fields.
void AddWideCounters(std::vector<InterfaceRow>& rows) {
    for (InterfaceRow& row : rows) {
        row.inOctets64 = row.inOctets;
        row.outOctets64 = row.outOctets;
        row.wideCounters = false;
    }
    const WideTableFunctions& functions = WideFunctions();
    if (functions.getTable == nullptr)
        return;
    PMIB_IF_TABLE2 table = nullptr;
    if (functions.getTable(&table) != NO_ERROR || table == nullptr)
        return;
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        const MIB_IF_ROW2& wide = table->Table[i];
        for (InterfaceRow& row : rows) {
            if (row.index == wide.InterfaceIndex) {
                row.inOctets64 = wide.InOctets;
                row.outOctets64 = wide.OutOctets;
                row.wideCounters = true;
                break;
            }
        }
    }
    functions.freeTable(table);
}

}  // namespace

bool WindowsInterfaces::Rows(std::vector<InterfaceRow>& out) {
    // Whole MIB_IFTABLE records keep the buffer aligned for its 32-bit fields.
    std::vector<MIB_IFTABLE> buffer(1);
    for (int round = 0; round < kSizingRounds; ++round) {
        ULONG size = static_cast<ULONG>(buffer.size() * sizeof(MIB_IFTABLE));
        const DWORD result = GetIfTable(buffer.data(), &size, TRUE);
        if (result == ERROR_NO_DATA) {
            out.clear();
            return true;
        }
        if (result == ERROR_INSUFFICIENT_BUFFER) {
            buffer.resize(size / sizeof(MIB_IFTABLE) + 1);
            continue;
        }
        if (result != NO_ERROR)
            return false;
        const MIB_IFTABLE& table = buffer.front();
        const auto* first = reinterpret_cast<const MIB_IFROW*>(
            reinterpret_cast<const char*>(buffer.data()) + offsetof(MIB_IFTABLE, table));
        // Never trust the count beyond what the buffer holds.
        const size_t capacity =
            (buffer.size() * sizeof(MIB_IFTABLE) - offsetof(MIB_IFTABLE, table)) /
            sizeof(MIB_IFROW);
        const size_t count = std::min<size_t>(table.dwNumEntries, capacity);
        std::vector<InterfaceRow> rows;
        rows.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            const MIB_IFROW& row = first[i];
            InterfaceRow copy;
            copy.index = row.dwIndex;
            copy.type = row.dwType;
            copy.description = Description(row);
            copy.inOctets = row.dwInOctets;
            copy.outOctets = row.dwOutOctets;
            rows.push_back(std::move(copy));
        }
        AddWideCounters(rows);
        out = std::move(rows);
        return true;
    }
    return false;
}

}  // namespace hs::win
