// The words of the simulated console in each language the laptop's Windows can
// speak: every sentence, label and value its console tools print. The command
// families (laptop_wlan.cpp, laptop_interface.cpp, laptop_arp.cpp) lay them out;
// the layout (padding, blank lines, order) is the same in every language.
//
// Sentences are without their line ends; labels that carry their padding say so.
#pragma once

namespace hs::sim {

enum class ConsoleLanguage { SimplifiedChinese, TraditionalChinese, English };

struct ConsoleWords {
    // Any tool.
    const char* commandNotFound;       // "...: " before the command netsh did not find
    const char* commandNotFoundEnd;    // after it
    const char* notAProgram;           // after "'NAME" when cmd finds no such program
    const char* badParameter;          // the system's "parameter is incorrect"
    const char* elementNotFound;       // the system's "element not found"
    const char* elevationRequired;     // netsh interface, not run as administrator
    const char* wlanNotAdministrator;  // netsh wlan, not run as administrator

    // netsh wlan set / start / stop hostednetwork.
    const char* modeAllowed;
    const char* modeDisallowed;
    const char* ssidChanged;
    const char* keyChanged;
    const char* started;
    const char* stopped;
    const char* cannotStart;       // first line of a failed start
    const char* wrongState;        // second line: nothing to start, or no hosting driver
    const char* deviceNotWorking;  // second line: the wireless switch is off

    // netsh wlan show hostednetwork; labels are padded by the layout.
    const char* settingsHeading;
    const char* modeLabel;
    const char* notConfigured;
    const char* allowed;
    const char* disallowed;
    const char* ssidLabel;
    const char* ssidOpen;  // from the colon to the name
    const char* ssidClose;
    const char* maxClientsLabel;
    const char* authenticationLabel;
    const char* authenticationValue;
    const char* cipherLabel;
    const char* statusHeading;
    const char* statusLabel;
    const char* unavailable;
    const char* notStarted;
    const char* running;
    const char* radioTypeLabel;
    const char* channelLabel;
    const char* clientCountLabel;
    const char* authenticated;

    // netsh wlan show drivers; labels are padded by the layout.
    const char* noWirelessInterface;
    const char* interfaceNameLabel;
    const char* driverLabel;
    const char* vendorLabel;
    const char* providerLabel;
    const char* dateLabel;
    const char* dateValue;  // the driver's date as this language writes it
    const char* versionLabel;
    const char* infLabel;
    const char* filesLabel;
    const char* filesValue;
    const char* typeLabel;
    const char* typeValue;
    const char* radioTypesLabel;
    const char* fipsLabel;
    const char* frameProtectionLabel;
    const char* hostedSupportedLabel;
    const char* yes;
    const char* no;

    // netsh interface.
    const char* badName;
    const char* notRegistered;
    const char* ok;
    // show addresses: the block's first line around the connection's name, then
    // labels with the padding netsh prints after them.
    const char* configurationOf;
    const char* configurationOfEnd;
    const char* dhcpLabel;
    const char* addressLabel;
    const char* prefixLabel;
    const char* maskWord;  // "(WORD 255.255.255.0)"
    const char* gatewayLabel;
    const char* gatewayMetricLabel;
    const char* metricLabel;
    // show offload: "WORD N: NAME" headers and the capabilities below them.
    const char* offloadInterface;
    const char* ipv4TransmitChecksum;
    const char* udpTransmitChecksum;
    const char* tcpTransmitChecksum;
    const char* ipv4ReceiveChecksum;
    const char* udpReceiveChecksum;
    const char* tcpReceiveChecksum;
    const char* tcpLargeSend;

    // arp.
    const char* arpInterface;  // "WORD: ADDRESS --- 0xN"
    const char* arpColumns;    // the whole column header line
    const char* dynamicType;
    const char* staticType;
    const char* noArpEntries;
    const char* arpDeleteFailed;  // before the reason
    const char* arpElevationRequired;
    const char* arpUsage;
};

const ConsoleWords& WordsOf(ConsoleLanguage language);

}  // namespace hs::sim
