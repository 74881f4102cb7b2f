#pragma once
#include <string>

namespace vr {

// Identity text of a new record: a fresh random GUID printed as
// "%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X" (36 characters, no braces,
// the third group in lower case), or all zeros if none can be made.
std::string MakeGuidText();

// The text of a GUID given as its 16 bytes in RFC 4122 (big-endian) order.
std::string FormatGuid(const unsigned char (&bytes)[16]);

inline constexpr char kNullGuidText[] = "00000000-0000-0000-0000-000000000000";

}  // namespace vr
