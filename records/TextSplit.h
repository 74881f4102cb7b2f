#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vr {

// Pieces between separators: empty inner pieces are kept, one empty piece
// after a trailing separator is dropped, and an empty text gives no pieces.
// ("a||b" -> a,"",b; "a|" -> a; "" -> none; "|" -> "")
std::vector<std::string_view> SplitText(std::string_view text, char separator);

// The leading decimal integer of a text ("12abc" -> 12, "-3" -> -3, "x" -> 0),
// after optional leading blanks; saturates instead of overflowing.
int ReadLeadingInt(std::string_view text);

}  // namespace vr
