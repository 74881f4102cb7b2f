#pragma once
#include <string>
#include <string_view>

namespace vr {

// The encoding under which account names, passwords and the vault code are
// stored: Base64 (RFC 4648 grouping and "=" padding) over the UTF-8 bytes, with
// the 64 symbols in an order of our own, and "\r\n" after every 19th full
// group of four symbols (every 76 symbols), also after the last full group;
// a padded final group is never followed by it. It hides the texts from a
// casual look at the file; it is not encryption.
class StoredTextCodec {
 public:
  // The symbol order. Fixed for ever: changing it would make every stored
  // password unreadable.
  static constexpr std::string_view kAlphabet =
      "3YBjEuh/x0+kbVnGSewD4MfPUtoviOyg6ma7L5KAQZCXRcIFdJs281WlHNqTrzp9";

  static std::string Encode(std::string_view text);

  // Skips "\r" and "\n", reads four symbols at a time ("=" in the third or
  // fourth place ends a group early); a symbol outside the alphabet counts as
  // 0 and a short final group gives the bytes it completes. Never fails.
  static std::string Decode(std::string_view stored);
};

}  // namespace vr
