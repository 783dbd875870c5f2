#include "platform/windows/interfaces_win.h"

#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <algorithm>
#include <cstddef>
#include <string>

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
        out = std::move(rows);
        return true;
    }
    return false;
}

}  // namespace hs::win
