#include "records/StoredTextCodec.h"

#include <array>
#include <cstdint>

namespace vr {
namespace {

constexpr int kGroupsPerLine = 19;

constexpr std::array<int8_t, 256> MakeInverse() {
  std::array<int8_t, 256> inv{};
  for (auto& v : inv) v = -1;
  for (size_t i = 0; i < StoredTextCodec::kAlphabet.size(); ++i)
    inv[static_cast<unsigned char>(StoredTextCodec::kAlphabet[i])] = static_cast<int8_t>(i);
  return inv;
}

constexpr std::array<int8_t, 256> kInverse = MakeInverse();

unsigned SymbolValue(char c) {
  const int8_t v = kInverse[static_cast<unsigned char>(c)];
  return v < 0 ? 0u : static_cast<unsigned>(v);
}

}  // namespace

std::string StoredTextCodec::Encode(std::string_view text) {
  std::string out;
  out.reserve((text.size() + 2) / 3 * 4 + text.size() / 57 * 2 + 2);
  size_t i = 0;
  int groups = 0;
  for (; i + 3 <= text.size(); i += 3) {
    const unsigned v = (static_cast<unsigned char>(text[i]) << 16) |
                       (static_cast<unsigned char>(text[i + 1]) << 8) |
                       static_cast<unsigned char>(text[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
    if (++groups == kGroupsPerLine) {
      out += "\r\n";
      groups = 0;
    }
  }
  const size_t rest = text.size() - i;
  if (rest > 0) {
    unsigned v = static_cast<unsigned char>(text[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(text[i + 1]) << 8;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string StoredTextCodec::Decode(std::string_view stored) {
  std::string out;
  out.reserve(stored.size() / 4 * 3 + 3);
  char group[4];
  int filled = 0;
  auto flush = [&](int symbols) {
    unsigned v = 0;
    for (int k = 0; k < 4; ++k) v = (v << 6) | (k < symbols ? SymbolValue(group[k]) : 0u);
    // Two symbols make one byte, three make two, four make three.
    if (symbols >= 2) out += static_cast<char>((v >> 16) & 0xFF);
    if (symbols >= 3) out += static_cast<char>((v >> 8) & 0xFF);
    if (symbols >= 4) out += static_cast<char>(v & 0xFF);
  };
  for (char c : stored) {
    if (c == '\r' || c == '\n') continue;
    group[filled++] = c;
    if (filled < 4) continue;
    if (group[2] == '=') {
      flush(2);
    } else if (group[3] == '=') {
      flush(3);
    } else {
      flush(4);
    }
    filled = 0;
  }
  // A truncated final group: keep the bytes its symbols complete.
  if (filled >= 2) {
    int symbols = filled;
    if (group[2] == '=' && filled >= 3) symbols = 2;
    flush(symbols);
  }
  return out;
}

}  // namespace vr
