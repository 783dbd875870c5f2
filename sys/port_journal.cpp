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

const char* FailureName(TetheringFailure failure) {
    switch (failure) {
        case TetheringFailure::None:
            return "ok";
        case TetheringFailure::Unavailable:
            return "unavailable";
        case TetheringFailure::NoProfile:
            return "no profile";
        case TetheringFailure::Failed:
            return "failed";
        case TetheringFailure::TimedOut:
            return "timed out";
        case TetheringFailure::Stopped:
            return "stopped";
    }
    return "?";
}

// "ok status 3 \"words\"" or "failed 0x80070005".
std::string AnswerText(const TetheringAnswer& answer) {
    std::string text = FailureName(answer.failure);
    if (answer.code != 0)
        text += " " + Hex(answer.code);
    if (answer.failure == TetheringFailure::None)
        text += " status " + std::to_string(answer.status);
    if (!answer.message.empty())
        text += " \"" + answer.message + "\"";
    return text;
}

std::string Upstream(const std::string& upstream) {
    return upstream.empty() ? std::string("(Internet)") : upstream;
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

TetheringAnswer JournalledTethering::Query(const std::string& upstream, TetheringInfo& out) {
    const TetheringAnswer answer = inner_.Query(upstream, out);
    std::string text = "tethering: query " + Upstream(upstream) + " -> " + AnswerText(answer);
    if (answer.failure == TetheringFailure::None) {
        text += ", capability " + std::to_string(out.capability) + ", state " +
                std::to_string(out.state) + ", clients " + std::to_string(out.clientCount) + "/" +
                std::to_string(out.maxClientCount) + ", no-client timeout " +
                (out.timeoutKnown ? (out.timeoutEnabled ? "on" : "off") : "unknown");
    }
    journal_.Note(text);
    return answer;
}

TetheringAnswer JournalledTethering::Configure(const std::string& upstream, const std::string& ssid,
                                               const std::string& key, const StopSignal* stop) {
    const TetheringAnswer answer = inner_.Configure(upstream, ssid, key, stop);
    journal_.Note("tethering: configure " + Upstream(upstream) + " ssid \"" + ssid +
                  "\" key \"*\" -> " + AnswerText(answer));
    return answer;
}

TetheringAnswer JournalledTethering::Start(const std::string& upstream, const StopSignal* stop) {
    const TetheringAnswer answer = inner_.Start(upstream, stop);
    journal_.Note("tethering: start " + Upstream(upstream) + " -> " + AnswerText(answer));
    return answer;
}

TetheringAnswer JournalledTethering::Stop(const StopSignal* stop) {
    const TetheringAnswer answer = inner_.Stop(stop);
    journal_.Note("tethering: stop -> " + AnswerText(answer));
    return answer;
}

TetheringAnswer JournalledTethering::Clients(std::vector<TetheringClient>& out) {
    const TetheringAnswer answer = inner_.Clients(out);
    std::string text = "tethering: clients -> " + AnswerText(answer);
    if (answer.failure == TetheringFailure::None) {
        for (const TetheringClient& client : out) {
            text += "\r\n  " + client.macAddress;
            for (const std::string& name : client.hostNames)
                text += " " + name;
        }
    }
    journal_.Note(text);
    return answer;
}

TetheringAnswer JournalledTethering::KeepOnWithoutClients() {
    const TetheringAnswer answer = inner_.KeepOnWithoutClients();
    journal_.Note("tethering: keep on without clients -> " + AnswerText(answer));
    return answer;
}

}  // namespace hs
