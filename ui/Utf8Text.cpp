#include "ui/Utf8Text.h"

namespace vr {

namespace {

// Length of the well-formed sequence at s[i] and its value, or 0 when the
// bytes there are not one (RFC 3629 table of well-formed byte sequences).
size_t DecodeOne(std::string_view s, size_t i, char32_t* cp) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    *cp = b0;
    return 1;
  }
  size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;        // no overlong forms
    if (b0 == 0xED) hi = 0x9F;        // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;        // no overlong forms
    if (b0 == 0xF4) hi = 0x8F;        // nothing beyond U+10FFFF
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  char32_t v = b0 & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  v = (v << 6) | (byte(i + 1) & 0x3F);
  for (size_t k = 2; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    v = (v << 6) | (byte(i + k) & 0x3F);
  }
  *cp = v;
  return len;
}

}  // namespace

std::u32string DecodeUtf8Lossy(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const size_t len = DecodeOne(utf8, i, &cp);
    if (len == 0) {
      out.push_back(kReplacementChar);
      ++i;
    } else {
      out.push_back(cp);
      i += len;
    }
  }
  return out;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacementChar;
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t cp : text) AppendUtf8(cp, &out);
  return out;
}

std::string SanitizeUtf8(std::string_view utf8) { return EncodeUtf8(DecodeUtf8Lossy(utf8)); }

}  // namespace vr
