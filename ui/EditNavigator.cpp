#include "ui/EditNavigator.h"

#include <algorithm>

#include "ui/EditBuffer.h"

namespace vr {

size_t LogicalNavigator::Home(size_t pos) const { return buffer_.LineStartFrom(pos); }

size_t LogicalNavigator::End(size_t pos) const { return buffer_.LineEndFrom(pos); }

size_t LogicalNavigator::Step(size_t pos, int direction) const {
  pos = buffer_.Clamp(pos);
  if (direction < 0) return pos > 0 ? pos - 1 : 0;
  return pos < buffer_.Length() ? pos + 1 : pos;
}

size_t LogicalNavigator::Vertical(size_t pos, int lines, int* goalX) const {
  pos = buffer_.Clamp(pos);
  const size_t start = buffer_.LineStartFrom(pos);
  if (*goalX < 0) *goalX = static_cast<int>(pos - start);
  const long long line = static_cast<long long>(buffer_.LineFromPos(pos)) + lines;
  const long long last = static_cast<long long>(buffer_.LineCount()) - 1;
  if (line < 0) return 0;
  if (line > last) return buffer_.Length();
  const size_t target = buffer_.LineStart(static_cast<size_t>(line));
  const size_t end = buffer_.LineEndFrom(target);
  return std::min(end, target + static_cast<size_t>(*goalX));
}

}  // namespace vr
