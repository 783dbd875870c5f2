#include "traffic/counters.h"

#include <vector>

namespace hs::traffic {

void RefreshCounters(app::App& app) {
    Host& host = app.GetHost();
    std::vector<InterfaceRow> rows;
    if (host.interfaces == nullptr || !host.interfaces->Rows(rows))
        return;
    std::vector<app::InterfaceCounters> counters;
    counters.reserve(rows.size());
    for (const InterfaceRow& row : rows)
        counters.push_back({row.inOctets, row.outOctets});
    app.UpdateSession([&](app::Session& s) { s.counters = std::move(counters); });
}

}  // namespace hs::traffic
