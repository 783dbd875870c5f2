#include "hotspot/adapter_discovery.h"

#include <algorithm>
#include <cctype>

#include "hotspot/common.h"

namespace hs::hotspot {

namespace {

// Byte position of the first `marker` in `text`, ASCII letters compared without case.
size_t FindNoCase(const std::string& text, const std::string& marker) {
    const auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    const auto it = std::search(text.begin(), text.end(), marker.begin(), marker.end(),
                                [&](char a, char b) { return lower(a) == lower(b); });
    return it == text.end() ? std::string::npos : static_cast<size_t>(it - text.begin());
}

}  // namespace

std::string HostedAdapterDiscovery(Host& host, DiscoveryVariant variant, std::string current) {
    const bool windows8 = variant == DiscoveryVariant::Windows8;
    const std::string marker = windows8 ? "Microsoft 托管" : "Microsoft";

    std::vector<AdapterInfo> adapters;
    if (host.adapters != nullptr && host.adapters->Adapters(adapters)) {
        for (const AdapterInfo& adapter : adapters) {
            const std::string line =
                host.adapters->ConnectionName(adapter.adapterName) + adapter.description;
            if (!Contains(line, "Microsoft"))
                continue;
            const size_t at = FindNoCase(line, marker);
            const std::string extraction = at == std::string::npos ? "" : line.substr(0, at);
            if (!windows8 || !extraction.empty())
                current = extraction;
        }
    }
    return windows8 ? Trim(current) : current;
}

}  // namespace hs::hotspot
