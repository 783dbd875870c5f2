// How a test steers the stand-in for the system's tethering and connection-profile
// classes, and what it reads back. Plain C layout: the test and the stand-in DLL are
// built apart and meet only through these two functions, found with GetProcAddress.
#pragma once

#include <windows.h>

#include <cstdint>

extern "C" {

struct StandinClient {
    wchar_t mac[24];
    wchar_t hosts[2][48];
    int hostCount;
};

struct StandinBehaviour {
    // The profiles GetConnectionProfiles lists (up to 4), by their adapters' IDs.
    int profileCount;
    GUID profileAdapters[4];
    // Which of them GetInternetConnectionProfile gives; -1 gives null.
    int internetProfile;
    // What the manager reports.
    int capability;
    int state;
    uint32_t clientCount;
    uint32_t maxClientCount;
    // Whether the manager's statics have the fourth interface, and its timeout.
    int hasStatics4;
    int timeoutEnabled;
    // CreateFromConnectionProfile's answer; S_OK creates a manager.
    HRESULT createResult;
    // Configure, start and stop complete this long after they began; -1 never.
    int delayMs;
    // Not S_OK: the operations end in error with this code instead.
    HRESULT operationError;
    // The start's and stop's result: status and additional message.
    int operationStatus;
    wchar_t message[64];
    // The clients GetTetheringClients lists.
    int clients;
    StandinClient client[3];
};

struct StandinRecord {
    // Objects of the stand-in alive now, and strings it handed out that were never
    // deleted (-1 when that cannot be told).
    long liveObjects;
    long liveStrings;
    // The last configuration given.
    wchar_t ssid[64];
    wchar_t passphrase[64];
    // The adapter of the profile the last manager was created from.
    GUID managerProfileAdapter;
    int configures;
    int starts;
    int stops;
    int cancels;
    int closes;
    int timeoutDisabled;
};

// Sets the behaviour for objects made from now on and clears the record's counters.
typedef void(__cdecl* StandinSetFn)(const StandinBehaviour* behaviour);
// Reads the record.
typedef void(__cdecl* StandinReadFn)(StandinRecord* record);
}
