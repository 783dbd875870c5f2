#include "backend/adapter_discovery.h"

#include "sys/text.h"

namespace hs::backend {

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

}  // namespace hs::backend
