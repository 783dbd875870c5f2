// The control functions of the stand-in sharing manager (standin_sharing.dll). A test
// loads the DLL, looks these up with GetProcAddress and sets the connections the
// sharing manager object then offers; the object records every switch-on and
// switch-off it is asked for. Plain C types only: both sides may be built apart.
#pragma once

#include <cstdint>

extern "C" {

// One network connection as the stand-in offers it.
struct StandinConnection {
    const wchar_t* name;
    const wchar_t* guid;   // "{...}"
    int32_t status;        // NETCON_STATUS
    int32_t mediaType;     // NETCON_MEDIATYPE
    int32_t shared;        // sharing is enabled on it
    int32_t sharingType;   // SHARINGCONNECTIONTYPE: 0 public, 1 private
    int32_t enableResult;  // what EnableSharing answers; a success switches sharing on
    // How the connection goes away while a walk is under way: the enumeration still
    // yields it, then the manager's calls about it answer `vanishResult` (a failure, or
    // a success code without an object, as for a connection that no longer exists).
    int32_t vanish;
    int32_t vanishResult;
};

enum StandinVanish : int32_t {
    kStandinPresent = 0,
    kStandinPropsGone = 1,   // NetConnectionProps answers vanishResult, and so does the rest
    kStandinConfigGone = 2,  // the properties still read, the sharing configuration does not
};

enum StandinAction : int32_t { kStandinEnable = 1, kStandinDisable = 2 };

// One EnableSharing or DisableSharing call, with the connection's state when asked.
struct StandinCall {
    wchar_t connection[64];
    int32_t action;     // StandinAction
    int32_t type;       // the SHARINGCONNECTIONTYPE asked for (enable only)
    int32_t wasShared;  // sharing was enabled on the connection when the call came
};

// Replaces the connections (copied) and clears the record of calls.
typedef void (*StandinSetFn)(const StandinConnection* connections, int32_t count);
// Copies up to `capacity` recorded calls, oldest first; returns how many there are.
typedef int32_t (*StandinCallsFn)(StandinCall* out, int32_t capacity);
// Whether the connection at `index` is shared now, and as which type; -1 for no such index.
typedef int32_t (*StandinSharingFn)(int32_t index, int32_t* type);
// How many of the stand-in's COM objects are alive (the class factory not counted).
typedef int32_t (*StandinLiveObjectsFn)();

}  // extern "C"
