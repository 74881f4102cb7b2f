#include "ui/ResPack.h"

namespace vr::respack {

namespace {

constexpr uint32_t kReplacement = 0xFFFD;

uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void WriteU32(std::vector<uint8_t>* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void AppendUtf8(std::string* out, uint32_t cp) {
  if (cp < 0x80) {
    *out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    *out += static_cast<char>(0xC0 | (cp >> 6));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *out += static_cast<char>(0xE0 | (cp >> 12));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (cp >> 18));
    *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::vector<uint8_t>* out, uint32_t unit) {
  out->push_back(static_cast<uint8_t>(unit & 0xFF));
  out->push_back(static_cast<uint8_t>(unit >> 8));
}

}  // namespace

std::string Utf16LeToUtf8(std::span<const uint8_t> bytes) {
  std::string out;
  const size_t units = bytes.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    uint32_t u = bytes[2 * i] | (static_cast<uint32_t>(bytes[2 * i + 1]) << 8);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
      const uint32_t lo = bytes[2 * i + 2] | (static_cast<uint32_t>(bytes[2 * i + 3]) << 8);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        AppendUtf8(&out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(&out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
  }
  return out;
}

std::vector<uint8_t> Utf8ToUtf16Le(const std::string& utf8) {
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = kReplacement;
    int extra = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    }
    ++i;
    for (int k = 0; k < extra; ++k) {
      if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
        cp = kReplacement;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
      ++i;
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp >= 0x10000) {
      AppendUtf16(&out, 0xD800 + ((cp - 0x10000) >> 10));
      AppendUtf16(&out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      AppendUtf16(&out, cp);
    }
  }
  return out;
}

Directory ReadDirectory(std::span<const uint8_t> pack) {
  Directory dir;
  if (pack.size() < 4) return dir;
  const uint32_t count = ReadU32(pack, 0);
  // Every entry needs at least 12 bytes; a larger count cannot be honest.
  if (count > (pack.size() - 4) / 12) return {};
  size_t at = 4;
  for (uint32_t i = 0; i < count; ++i) {
    if (pack.size() - at < 4) return {};
    const uint32_t nameLen = ReadU32(pack, at);
    at += 4;
    if (pack.size() - at < nameLen || pack.size() - at - nameLen < 8) return {};
    std::string name = Utf16LeToUtf8(pack.subspan(at, nameLen));
    at += nameLen;
    const Span span{ReadU32(pack, at), ReadU32(pack, at + 4)};
    at += 8;
    if (span.offset > pack.size() || span.size > pack.size() - span.offset) {
      dir.erase(name);  // the later entry replaces the earlier one even when broken
      continue;
    }
    dir[std::move(name)] = span;
  }
  return dir;
}

std::vector<uint8_t> Write(const std::vector<Entry>& entries) {
  std::vector<std::vector<uint8_t>> names;
  size_t directorySize = 4;
  for (const Entry& e : entries) {
    names.push_back(Utf8ToUtf16Le(e.name));
    directorySize += 4 + names.back().size() + 8;
  }
  std::vector<uint8_t> out;
  WriteU32(&out, static_cast<uint32_t>(entries.size()));
  size_t offset = directorySize;
  for (size_t i = 0; i < entries.size(); ++i) {
    WriteU32(&out, static_cast<uint32_t>(names[i].size()));
    out.insert(out.end(), names[i].begin(), names[i].end());
    WriteU32(&out, static_cast<uint32_t>(offset));
    WriteU32(&out, static_cast<uint32_t>(entries[i].data.size()));
    offset += entries[i].data.size();
  }
  for (const Entry& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

}  // namespace vr::respack
