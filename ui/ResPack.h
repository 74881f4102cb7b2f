#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace vr {

// The resource pack byte format (all integers little-endian):
//   u32 N; N directory entries { u32 L; L bytes UTF-16LE name; u32 offset; u32 size };
//   then the entry data. Offsets count from the first byte of the pack, so
//   the first entry's data starts right after the directory. Names use
//   backslash separators and are stored in lower case.
namespace respack {

struct Span {
  uint32_t offset = 0;
  uint32_t size = 0;
  bool operator==(const Span&) const = default;
};

// Name (UTF-8) -> where its bytes are. A later entry with the same name
// replaces an earlier one.
using Directory = std::map<std::string, Span>;

// Reads the directory. A directory that runs past the end of the bytes (or
// claims more entries than could fit) is refused as a whole: the result is
// empty, as for a missing pack. An entry whose data lies outside the pack is
// left out; the others stay usable.
Directory ReadDirectory(std::span<const uint8_t> pack);

struct Entry {
  std::string name;  // UTF-8, written as given (callers lower-case it)
  std::vector<uint8_t> data;
};

// Writes a pack of the entries in order.
std::vector<uint8_t> Write(const std::vector<Entry>& entries);

// UTF-8 <-> UTF-16LE for entry names; invalid sequences become U+FFFD.
std::vector<uint8_t> Utf8ToUtf16Le(const std::string& utf8);
std::string Utf16LeToUtf8(std::span<const uint8_t> bytes);

}  // namespace respack
}  // namespace vr
