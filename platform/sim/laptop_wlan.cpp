// "netsh wlan ...": the hosted network's configuration, start, stop and status,
// printed as Windows prints them in the laptop's language.
#include <algorithm>

#include "platform/sim/console_text.h"
#include "platform/sim/laptop_model.h"

namespace hs::sim {
namespace {

// "    LABEL<padding>: " with the label padded to 23 display columns.
std::string Field(const std::string& label, const std::string& value) {
    return "    " + PadDisplay(label, 23) + ": " + value + "\n";
}

// Bytes the text takes in GBK: one per ASCII character, two per other character.
size_t GbkLength(const std::string& utf8) {
    return DisplayWidth(utf8);
}

bool ValidKey(const std::string& key) {
    const bool ascii = std::all_of(key.begin(), key.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (!ascii)
        return false;
    if (key.size() >= 8 && key.size() <= 63)
        return true;
    return key.size() == 64 && std::all_of(key.begin(), key.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

// The sentence followed by the blank line netsh ends its messages with.
std::string Message(const char* sentence) {
    return std::string(sentence) + "\n\n";
}

// A heading and its underline, as long as the heading is wide.
std::string Heading(const std::string& text) {
    return text + "\n" + std::string(DisplayWidth(text), '-') + "\n";
}

}  // namespace

std::string LaptopModel::Wlan(const std::vector<std::string>& args) {
    const ConsoleWords& w = Words();
    const std::string notAdmin = Message(w.wlanNotAdministrator);
    const std::string badParameter = Message(w.badParameter);
    const std::string verb = args.empty() ? std::string() : Lower(args[0]);
    const std::string object = args.size() < 2 ? std::string() : Lower(args[1]);

    if (verb == "set" && object == "hostednetwork") {
        if (!admin)
            return notAdmin;
        std::string mode, ssid, key;
        bool haveSsid = false, haveKey = false;
        for (size_t i = 2; i < args.size(); ++i) {
            const size_t eq = args[i].find('=');
            if (eq == std::string::npos)
                return badParameter;
            const std::string name = Lower(args[i].substr(0, eq));
            const std::string value = args[i].substr(eq + 1);
            if (name == "mode") {
                mode = Lower(value);
                if (mode != "allow" && mode != "disallow")
                    return badParameter;
            } else if (name == "ssid") {
                ssid = value;
                haveSsid = true;
            } else if (name == "key") {
                key = value;
                haveKey = true;
            } else if (name != "keyusage") {
                return badParameter;
            }
        }
        if (mode.empty() && !haveSsid && !haveKey)
            return badParameter;
        if (haveSsid && (ssid.empty() || GbkLength(ssid) > 32))
            return badParameter;
        if (haveKey && !ValidKey(key))
            return badParameter;
        std::string out;
        if (mode == "allow") {
            hosted.configured = true;
            hosted.allowed = true;
            out += w.modeAllowed + std::string("\n");
        } else if (mode == "disallow") {
            hosted.configured = true;
            hosted.allowed = false;
            hosted.started = false;  // disallowing takes the hosted network down
            out += w.modeDisallowed + std::string("\n");
        }
        if (haveSsid) {
            hosted.ssid = ssid;
            out += w.ssidChanged + std::string("\n");
        }
        if (haveKey) {
            hosted.key = key;
            out += w.keyChanged + std::string("\n");
        }
        return out + "\n";
    }

    if ((verb == "start" || verb == "stop") && object == "hostednetwork") {
        if (!admin)
            return notAdmin;
        if (verb == "stop") {
            hosted.started = false;
            return Message(w.stopped);
        }
        if (!wireless || !hostedSupported || !hosted.allowed || hosted.ssid.empty()) {
            return w.cannotStart + std::string("\n") + Message(w.wrongState);
        }
        if (!radioOn)
            return w.cannotStart + std::string("\n") + Message(w.deviceNotWorking);
        hosted.started = true;
        return Message(w.started);
    }

    if (verb == "show" && object == "hostednetwork") {
        std::string out = "\n" + Heading(w.settingsHeading);
        out += Field(w.modeLabel, !hosted.configured ? w.notConfigured
                                  : hosted.allowed   ? w.allowed
                                                     : w.disallowed);
        if (!hosted.ssid.empty()) {
            out += "    " + PadDisplay(w.ssidLabel, 23) + w.ssidOpen + hosted.ssid + w.ssidClose +
                   "\n";
        }
        out += Field(w.maxClientsLabel, "100");
        out += Field(w.authenticationLabel, w.authenticationValue);
        out += Field(w.cipherLabel, "CCMP");
        out += "\n" + Heading(w.statusHeading);
        const HostedNetworkState state = HostedState();
        if (state == HostedNetworkState::Unavailable) {
            out += Field(w.statusLabel, w.unavailable);
        } else if (state == HostedNetworkState::Idle) {
            out += Field(w.statusLabel, w.notStarted);
        } else {
            const std::vector<const SimDevice*> stations = Stations();
            out += Field(w.statusLabel, w.running);
            out += Field("BSSID", hosted.bssid);
            out += Field(w.radioTypeLabel, "802.11n");
            out += Field(w.channelLabel, std::to_string(hosted.channel));
            out += Field(w.clientCountLabel, std::to_string(stations.size()));
            for (const SimDevice* d : stations)
                out += "        " + ColonMac(d->mac) + "        " + w.authenticated + "\n";
        }
        return out + "\n";
    }

    if (verb == "show" && object == "drivers") {
        if (!wireless)
            return w.noWirelessInterface + std::string("\n");
        const SimConnection* wifi = nullptr;
        for (const auto& c : connections) {
            if (c.kind == ConnectionKind::Wifi && wifi == nullptr)
                wifi = &c;
        }
        std::string out = "\n" + std::string(w.interfaceNameLabel) + ": " +
                          (wifi != nullptr ? wifi->name : std::string()) + "\n\n";
        // Labels padded to 26 columns; a longer one keeps a space before its colon.
        const auto line = [](const std::string& label, const std::string& value) {
            return "    " + PadDisplay(label, std::max<size_t>(26, DisplayWidth(label) + 1)) +
                   ": " + value + "\n";
        };
        out += line(w.driverLabel, wirelessDriver);
        out += line(w.vendorLabel, "Intel Corporation");
        out += line(w.providerLabel, "Intel");
        out += line(w.dateLabel, w.dateValue);
        out += line(w.versionLabel, "15.1.1.1");
        out += line(w.infLabel, "C:\\Windows\\INF\\oem23.inf");
        out += line(w.filesLabel, w.filesValue);
        out += line(w.typeLabel, w.typeValue);
        out += line(w.radioTypesLabel, "802.11b 802.11g 802.11n");
        out += line(w.fipsLabel, w.yes);
        out += line(w.frameProtectionLabel, w.yes);
        out += line(w.hostedSupportedLabel, hostedSupported ? w.yes : w.no);
        return out + "\n";
    }

    std::string joined = "wlan";
    for (const auto& a : args)
        joined += " " + a;
    return w.commandNotFound + joined + w.commandNotFoundEnd + "\n";
}

}  // namespace hs::sim
