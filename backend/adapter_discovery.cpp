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

namespace {

template <typename Match>
std::optional<AdapterInfo> FirstAdapter(Host& host, Match match) {
    std::vector<AdapterInfo> adapters;
    if (host.adapters == nullptr || !host.adapters->Adapters(adapters))
        return std::nullopt;
    for (const AdapterInfo& adapter : adapters) {
        if (match(adapter))
            return adapter;
    }
    return std::nullopt;
}

}  // namespace

std::optional<AdapterInfo> AdapterWithGuid(Host& host, const std::string& guid) {
    return FirstAdapter(host, [&guid](const AdapterInfo& adapter) {
        return adapter.adapterName.size() == guid.size() &&
               FindNoCase(adapter.adapterName, guid) == 0;
    });
}

std::optional<AdapterInfo> AdapterNamed(Host& host, const std::string& connectionName) {
    return FirstAdapter(host, [&host, &connectionName](const AdapterInfo& adapter) {
        return host.adapters->ConnectionName(adapter.adapterName) == connectionName;
    });
}

}  // namespace hs::backend
