// Scenarios: a small text format that describes a simulated laptop and the
// timeline of the devices that join its hotspot.
//
// One statement per line; "#" starts a comment; words are separated by spaces and
// a double-quoted word may hold spaces. Times are seconds after the laptop was
// built (decimals allowed), rates are bytes per second (suffix k = 1024, m = 1048576).
//
//   windows 7 | 8 | 8.1 | 10 | 11
//                                the system (default 7); 10 is build 19045 and 11 build
//                                22631, both reporting 6.2 to a program without a
//                                compatibility declaration
//   language zh-CN | zh-TW | en-US
//                                the language the console tools answer in (default
//                                zh-CN): Simplified Chinese, Traditional Chinese or
//                                English; connection names stay as written here (by
//                                default the Chinese ones below), as a system keeps
//                                the names it was installed with
//   ansi_codepage 936 | 1252     the code page of non-Unicode programs, in which the
//                                console tools take a network's name and key
//                                (default 936, Chinese)
//   admin yes | no               run with administrator rights (default yes)
//   wireless yes | no            a wireless adapter is fitted (default yes)
//   radio on | off               the wireless switch (default on)
//   hosted_network supported | unsupported
//                                whether the wireless driver can host a network
//   mobile_hotspot available | unavailable | off-after SECONDS
//                                the Mobile Hotspot (available by default on Windows 10
//                                and 11 only; unavailable answers as a system without
//                                its classes); off-after: the system switches it off
//                                SECONDS after it came on, whatever the program asked.
//                                Without the program's keep-on request the system also
//                                switches it off 300 s after the last device left.
//   max_clients N                how many devices the Mobile Hotspot takes (default 8)
//   wlan_api yes | no            the system offers the WLAN API's hosted-network
//                                functions (default yes); with "no", asking it for
//                                the hosted network's state fails
//   sharing available | unavailable      the connection-sharing service
//   sharing_error 0xHRESULT      switching sharing on fails with that result code
//   existing_window yes | no     another instance's window is already open
//   driver TEXT...               the wireless driver's description
//   upstream NAME                the connection that leads to the Internet
//   connection NAME [kind=wifi|ethernet|ppp|wifidirect] [status=0|2|7] [disabled=yes]
//              [index=N] [dhcp=yes|no] [address=A.B.C.D/P] [gateway=IP] [gateway_mac=MAC]
//              [metric=N] [in=BYTES] [out=BYTES] [description=TEXT]
//   hosted [NAME] [index=N] [description=TEXT] [dhcp=yes|no] [in=BYTES] [out=BYTES]
//   bssid MAC
//   device MAC [name=HOST] [join=SECONDS] [leave=SECONDS|never] [down=RATE] [up=RATE]
//              [ping=yes|no] [ip=192.168.137.N]
//   service NAME [start=2|3|4] [state=1|4] [fails=yes]
//   page PATH-OR-URL TEXT...     an update-server page; "\n" in TEXT is a line break
//   name IP HOST                 the host name reverse lookup finds for an address
//   random SEED | unavailable    the system's random generator: the fixed sequence
//                                of SEED (a whole number, default 1), or none at all
//   unstartable COMMAND...       command lines that start with COMMAND (letter case
//                                ignored) cannot be started, e.g. unstartable "netsh"
//   slow COMMAND... SECONDS [from=T]
//                                from T seconds on (default 0), a command line that
//                                starts with COMMAND (letter case ignored) waits
//                                SECONDS on the laptop's clock before it answers, and
//                                a stop asked for meanwhile does not cut the wait
//                                short (one asked before it started still keeps it
//                                from starting); the first slow statement that
//                                applies counts, e.g.
//                                slow "netsh wlan set hostednetwork mode=disallow" 60 from=25
//   reply COMMAND... FILE        the command line COMMAND (exactly) prints the bytes of
//                                FILE instead of the model's answer, and changes
//                                nothing: console output as captured (GBK, CR LF),
//                                FILE relative to the scenario file's folder, e.g.
//                                reply "arp -a" arp-from-a-user.txt
//
// COMMAND is the rest of the statement as written (for reply: up to its last word;
// for slow: up to its seconds); when it is one double-quoted word the quotes are
// removed, so a command line that holds quotes itself is written without outer ones:
//   reply netsh interface ip set address name="无线网络连接 2" source=dhcp set.txt
//
// Without "connection" lines the laptop has the usual connections of its system:
// Windows 7 "无线网络连接", "本地连接", "宽带连接"; Windows 8 "Wi-Fi", "以太网",
// "宽带连接", "本地连接* 2". The hosted network's adapter ("无线网络连接 2" /
// "本地连接* 12") is added after the first wireless connection.
#pragma once

#include <functional>
#include <string>

#include "platform/sim/laptop_model.h"

namespace hs::sim {

// Reads a file that a scenario names, by the path written in the scenario; false
// when it cannot be read.
using ScenarioFileReader = std::function<bool(const std::string& path, std::string& bytes)>;

// A reader for the files a scenario file names: paths relative to the folder of
// `scenarioPath` (UTF-8), absolute paths as they stand.
ScenarioFileReader ReaderBeside(const std::string& scenarioPath);

// Fills `model` from the scenario. On a mistake returns false and says where in
// `error` ("line 7: unknown statement 'conection'"). Statements that name files
// ("reply") read them through `files`; without one they are a mistake.
bool ParseScenario(const std::string& text, LaptopModel& model, std::string& error,
                   const ScenarioFileReader& files = {});

// Windows 7 in Chinese, upstream "无线网络连接" on a home router, an unplugged
// "本地连接" and a dial-up "宽带连接", and three phones joining within the first
// minute: an Android phone, an iPhone and a device that never answers pings.
std::string DefaultScenarioText();

// A built-in scenario by its name: "windows7" (the one above) or "windows11", Windows
// 11 in Chinese whose wireless driver cannot host a network, so the hotspot is the
// Mobile Hotspot, with the same three phones (all of them named). Empty for another
// name.
std::string BuiltInScenarioText(const std::string& name);

}  // namespace hs::sim
