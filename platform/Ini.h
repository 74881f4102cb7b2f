#pragma once
#include <cstdint>
#include <string>

namespace vr {

// Key-by-key access to INI files with the semantics of the classic
// private-profile functions, over UTF-8 text:
// - section and key names match without regard to ASCII letter case, with
//   blanks around them ignored; the first matching section and key win;
// - a value is the text after the first "=", blanks trimmed, one pair of
//   matching surrounding quotes removed, cut to kIniMaxValueChars code points;
// - lines starting with ";" or "#" are comments; a UTF-8 byte-order mark is
//   skipped on reading and kept on writing.
// A file that is missing, unreadable, larger than kIniMaxFileBytes, holds a
// NUL byte or is not valid UTF-8 reads as if empty; the next write replaces it
// with a well-formed file.

// A read returns at most this many code points (a 1024-unit buffer).
inline constexpr size_t kIniMaxValueChars = 1023;
inline constexpr size_t kIniMaxFileBytes = 4u << 20;

// The value of `key`, or `fallback` when the key is absent. An empty value is
// returned as it is.
std::string ReadIniString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& fallback);

// The leading decimal integer of the value (blanks and one sign allowed before
// the digits; no digits reads 0; out-of-range values saturate). `fallback`
// when the key is absent or its value is empty.
int32_t ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
                   int32_t fallback);

// Sets `key` to `value`, keeping every other line of the file byte for byte.
// An existing key is rewritten in place as "key=value"; a new key goes after
// the last entry of its section; a missing section is appended. Line breaks in
// `value` become spaces, so one key can never spill into the next line. The
// file is replaced atomically (temporary file, fsync, rename), so a reader or
// a crash sees either the old or the new file, never a mix. Returns false
// when the file could not be written (it is then left as it was).
bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);

// Writes "%d" of `value`.
bool WriteIniInt(const std::string& path, const std::string& section, const std::string& key, int32_t value);

}  // namespace vr
