// The settings file: an INI file of the Windows private-profile kind, GBK text with
// CR LF line ends, read and written one key at a time. A file saved as UTF-16 LE with
// its byte-order mark (Notepad's "Unicode") is read and written in UTF-16, as the
// system's profile functions do.
//
// Reading follows the system's private-profile reader: section and key names are
// matched without regard to case, the first matching section is the only one
// searched and its first matching key wins, values lose surrounding blanks and one
// pair of enclosing quotes, and anything missing yields the caller's default.
// Writing changes only what it must: the value of an existing key is replaced on its
// own line, a missing key is added at the end of its section, a missing section at
// the end of the file, and every other line stays byte for byte as it was. A line
// ends in CR LF, LF, or (the last one) a bare CR or nothing; what is added always
// starts on a line of its own. The
// whole file is written at once through the FileStore port (temporary file and
// rename), so a crash never leaves half a file.
#pragma once

#include <string>
#include <string_view>

#include "platform/host.h"

namespace hs::settings {

// Where the program keeps its settings. The simulated host maps it into its data folder.
inline constexpr const char* kSettingsPath = "c:\\tulawifi.ini";

// The value of `key` in `section` of the profile file `fileBytes` (GBK, or UTF-16 LE
// after its byte-order mark), as UTF-8; `defaultValue` when the section or the key is
// absent.
std::string ProfileGet(TextCodec& codec, std::string_view fileBytes, std::string_view section,
                       std::string_view key, std::string_view defaultValue);

// Sets `key` in `section` of the profile file `fileBytes` to `value` (all three
// UTF-8), keeping the file's encoding. False, with `fileBytes` unchanged, when the
// names or the value cannot be stored as one profile line: an empty section or key, a
// line break anywhere, an "=" in the key, a key that starts with "[".
bool ProfileSet(TextCodec& codec, std::string& fileBytes, std::string_view section,
                std::string_view key, std::string_view value);

// One key of the profile file at `path`; the default when the file cannot be read.
std::string ReadProfileValue(Host& host, const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultValue);

// Writes one key of the profile file at `path`, creating the file, the section or the
// key as needed. False when the value was refused, or when the file exists but could
// not be read, or could not be written; the old file is then unchanged. A write that
// changes nothing leaves the file untouched.
bool WriteProfileValue(Host& host, const std::string& path, std::string_view section,
                       std::string_view key, std::string_view value);

// The same two operations on the program's settings file.
std::string ReadSetting(Host& host, std::string_view section, std::string_view key,
                        std::string_view defaultValue);
bool WriteSetting(Host& host, std::string_view section, std::string_view key,
                  std::string_view value);

// A stored number as the program reads it: leading blanks skipped, an optional sign,
// digits with an optional fraction, truncated toward zero; text that does not start
// with a number gives 0. Values are held within +-kSettingNumberLimit, so a caller can
// add or subtract small offsets without overflow.
inline constexpr int kSettingNumberLimit = 1000000000;
int SettingToInteger(std::string_view text);

}  // namespace hs::settings
