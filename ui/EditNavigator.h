#pragma once
#include <cstddef>

namespace vr {

class EditBuffer;

// How the caret moves over the laid-out text: display lines (wrapped lines
// count) and cursor stops (a grapheme cluster is one stop). The view that
// lays the text out implements it; LogicalNavigator is the layout-free
// answer the engine uses on its own (hard lines, one stop per code point).
class EditNavigator {
 public:
  virtual ~EditNavigator() = default;
  virtual size_t Home(size_t pos) const = 0;  // first position of pos's display line
  virtual size_t End(size_t pos) const = 0;   // last caret position of that line
  // Next cursor stop in logical order; direction is +1 or -1. Stays inside
  // [0, length].
  virtual size_t Step(size_t pos, int direction) const = 0;
  // The position `lines` display lines below (negative: above) pos, as
  // near as possible to *goalX; *goalX < 0 means "take pos's own x" and
  // receives it, so that a run of Up/Down presses keeps its column.
  virtual size_t Vertical(size_t pos, int lines, int* goalX) const = 0;
  // Display lines one Page Up/Down moves; at least 1.
  virtual int PageLines() const = 0;
};

class LogicalNavigator final : public EditNavigator {
 public:
  explicit LogicalNavigator(const EditBuffer& buffer) : buffer_(buffer) {}
  size_t Home(size_t pos) const override;
  size_t End(size_t pos) const override;
  size_t Step(size_t pos, int direction) const override;
  size_t Vertical(size_t pos, int lines, int* goalX) const override;  // goalX in columns
  int PageLines() const override { return 10; }

 private:
  const EditBuffer& buffer_;
};

}  // namespace vr
