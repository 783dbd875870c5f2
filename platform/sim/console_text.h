// Small text helpers for the simulated console: splitting command lines the way
// the console tools read them, padding columns by display width, IPv4 arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hs::sim {

// Splits a command line at spaces; double quotes group and are removed, so
// `name="无线网络连接 2"` is one token `name=无线网络连接 2`.
std::vector<std::string> SplitCommandLine(const std::string& line);

// ASCII letters in lower case; other bytes unchanged.
std::string Lower(std::string text);
bool EqualsNoCase(const std::string& a, const std::string& b);

// Columns a console gives the UTF-8 text: one per ASCII character, two per other
// character (the CJK characters of a Chinese console).
size_t DisplayWidth(const std::string& utf8);
// `text` followed by spaces up to `width` display columns (at least nothing).
std::string PadDisplay(const std::string& text, size_t width);

// Dotted quad <-> number; false or empty on malformed input.
bool ParseIpv4(const std::string& text, uint32_t& out);
std::string FormatIpv4(uint32_t value);
// The netmask of a prefix length, and the prefix length of a netmask (-1 when the
// mask is not contiguous).
uint32_t PrefixMask(int prefix);
int MaskPrefix(uint32_t mask);

// "a4:5e:60:c1:22:33" or "A4-5E-..." -> "a4-5e-60-c1-22-33"; empty when malformed.
std::string DashMac(const std::string& mac);
// The same in colon form.
std::string ColonMac(const std::string& mac);

// LF -> CR LF.
std::string ToCrLf(const std::string& text);

}  // namespace hs::sim
