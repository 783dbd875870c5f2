// The two data files the client list shares with the window thread: the blacklist
// "c:\wifiblack.txt" and the names file "c:\wifiname.txt". Both are GBK text kept as
// raw bytes here, so that a line the program does not change is written back byte for
// byte, whatever it holds (bytes that are not GBK, NULs, lone line feeds).
//
// Every read-modify-write of one of the files is one step under that file's lock,
// reading the file again inside it; writes go through the FileStore port, which
// replaces the file whole.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/host.h"

namespace hs::clients {

inline constexpr const char* kBlacklistPath = "c:\\wifiblack.txt";
inline constexpr const char* kNamesPath = "c:\\wifiname.txt";

// The lock of one data file (one per path, for the whole process).
std::mutex& DataFileLock(const std::string& path);

// Reads the file's raw bytes. A missing file reads as empty text and counts as
// read; false only when the file exists but could not be read (then `bytes` is
// empty and the caller must not write the file from it).
bool ReadDataFile(Host& host, const std::string& path, std::string& bytes);

// One line of a file: [begin, end) is its text without the line end, `next` where
// the following line begins (end + 2 after CR LF, end + 1 after a lone LF, end for
// the last line when nothing follows it).
struct LineSpan {
    size_t begin = 0;
    size_t end = 0;
    size_t next = 0;
};

// The lines of the text, split at CR LF and at a lone LF. A final line end gives no
// extra line; an empty text has none.
std::vector<LineSpan> SplitLines(std::string_view text);

// The address part of a line: its text before the first "+" (the whole line when it
// has none). A line belongs to the device whose address its address part holds, so a
// name that happens to hold another device's address never stands for that device.
std::string_view AddressPart(std::string_view line);

// Index (0-based) of the first line whose address part holds `address`, letter case
// ignored; -1 when none does.
int FindAddressLine(std::string_view text, const std::vector<LineSpan>& lines,
                    std::string_view address);

// The addresses (upper case) that the address parts of the text's lines hold.
std::unordered_set<std::string> AddressesOfLines(std::string_view text);

// The text with line `index` replaced by `line`, every other byte kept.
std::string ReplaceLine(std::string_view text, const std::vector<LineSpan>& lines, int index,
                        std::string_view line);

// The text without line `index`. Lines stay separated as they were; when the last
// line goes, the line end before it goes too, so nothing follows the new last line
// that did not follow it before.
std::string RemoveLine(std::string_view text, const std::vector<LineSpan>& lines, int index);

// Whether the text looks like a hardware address: six two-digit hexadecimal groups
// joined by "-" (17 characters).
bool IsDashAddress(std::string_view text);

// The upper-case form of an address (ASCII letters only).
std::string UpperAscii(std::string_view text);

// Every 17-character run of the text that is a dash address, in upper case: the
// addresses that "the text contains", found in one scan. Overlapping runs count.
std::unordered_set<std::string> DashAddressesIn(std::string_view text);

}  // namespace hs::clients
