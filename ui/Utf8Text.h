#pragma once
#include <string>
#include <string_view>

namespace vr {

// UTF-8 <-> code points for text that comes from outside (the clipboard, the
// input method, documents). Decoding never fails: every byte that does not
// start a well-formed sequence (overlong forms, surrogates, values beyond
// U+10FFFF, truncated sequences) becomes one U+FFFD. Linear in the input.
inline constexpr char32_t kReplacementChar = 0xFFFD;

std::u32string DecodeUtf8Lossy(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);
void AppendUtf8(char32_t cp, std::string* out);
// Well-formed UTF-8 of the same text, invalid bytes replaced.
std::string SanitizeUtf8(std::string_view utf8);

}  // namespace vr
