#include "sys/port_journal.h"

#include <cstdio>

namespace hs {

namespace {

const char* ErrorName(SharingError error) {
    switch (error) {
        case SharingError::None:
            return "ok";
        case SharingError::ServiceUnavailable:
            return "service unavailable";
        case SharingError::AccessDenied:
            return "access denied";
        case SharingError::NotFound:
            return "no such connection";
        case SharingError::Failed:
            return "failed";
    }
    return "?";
}

std::string Hex(uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

}  // namespace

SharingError JournalledSharing::Connections(std::vector<SharingConnection>& out) {
    const SharingError error = inner_.Connections(out);
    std::string text = "sharing: connections -> " + std::string(ErrorName(error));
    for (const SharingConnection& c : out) {
        text += "\r\n  \"" + c.name + "\" status " + std::to_string(c.status) +
                (c.sharingEnabled ? (c.sharingType == SharingType::Public ? " shared (public)"
                                                                          : " shared (private)")
                                  : "");
    }
    journal_.Note(text);
    return error;
}

SharingError JournalledSharing::EnableSharing(const std::string& name, SharingType type,
                                              uint32_t* code) {
    uint32_t result = 0;
    const SharingError error = inner_.EnableSharing(name, type, &result);
    if (code != nullptr)
        *code = result;
    journal_.Note("sharing: enable \"" + name + "\" " +
                  (type == SharingType::Public ? "public" : "private") + " -> " + ErrorName(error) +
                  (result != 0 ? " " + Hex(result) : std::string()));
    return error;
}

SharingError JournalledSharing::DisableSharing(const std::string& name) {
    const SharingError error = inner_.DisableSharing(name);
    journal_.Note("sharing: disable \"" + name + "\" -> " + ErrorName(error));
    return error;
}

bool JournalledServices::Query(const std::string& service, ServiceStatus& out) {
    const bool ok = inner_.Query(service, out);
    journal_.Note("service: query " + service + " -> " +
                  (ok ? "start type " + std::to_string(out.startType) + ", state " +
                            std::to_string(out.currentState)
                      : std::string("failed")));
    return ok;
}

bool JournalledServices::SetStartType(const std::string& service, int startType) {
    const bool ok = inner_.SetStartType(service, startType);
    journal_.Note("service: set start type " + service + " " + std::to_string(startType) + " -> " +
                  (ok ? "ok" : "failed"));
    return ok;
}

bool JournalledServices::Start(const std::string& service) {
    const bool ok = inner_.Start(service);
    journal_.Note("service: start " + service + " -> " + (ok ? "ok" : "failed"));
    return ok;
}

}  // namespace hs
