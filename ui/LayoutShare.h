#pragma once
#include <vector>

#include "ui/UIGeometry.h"

namespace vr {

class UIControl;

// The one-dimensional part of row and column layout, kept pure so it can be
// tested with numbers alone.
// The children are held by a reference each while the line exists, so a
// handler that removes a sibling during arrangement cannot leave it dangling.
struct LayoutLine {
  LayoutLine() = default;
  LayoutLine(const LayoutLine&) = delete;
  LayoutLine& operator=(const LayoutLine&) = delete;
  LayoutLine(LayoutLine&& o) noexcept;
  ~LayoutLine();

  std::vector<UIControl*> children;  // visible, non-float, in order
  long long fixedSum = 0;            // desired extents of the non-adj children
  int adjCount = 0;
};

// Equal share of the space left for `adj` children: (available - fixedSum) /
// adjCount when there is space and at least one adj child, else 0.
int AdjShare(int available, long long fixedSum, int adjCount);

// Positions past the coordinate limit are pinned to it.
int ClampToInt(long long v);

// The children a row (horizontal = true) or column arranges, with their sums.
LayoutLine CollectLine(UIControl* control, bool horizontal);

}  // namespace vr
