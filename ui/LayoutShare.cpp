#include "ui/LayoutShare.h"

#include "ui/UIControl.h"

#include <algorithm>
#include <climits>

namespace vr {

int AdjShare(int available, long long fixedSum, int adjCount) {
  if (adjCount <= 0 || available <= fixedSum) return 0;
  return static_cast<int>((available - fixedSum) / adjCount);
}

LayoutLine::LayoutLine(LayoutLine&& o) noexcept
    : children(std::move(o.children)), fixedSum(o.fixedSum), adjCount(o.adjCount) {
  o.children.clear();
}

LayoutLine::~LayoutLine() {
  for (UIControl* child : children) child->Release();
}

int ClampToInt(long long v) {
  return ClampCoord(v);
}

LayoutLine CollectLine(UIControl* control, bool horizontal) {
  LayoutLine line;
  for (UIControl* child : control->Children()) {
    if (!child->IsVisibleSelf() || (child->FlagsA() & UIControl::kFlagFloat)) continue;
    child->AddRef();
    line.children.push_back(child);
    UISize desired;
    child->GetDesiredSize(&desired);
    line.fixedSum += horizontal ? desired.cx : desired.cy;
    if (child->FlagsB() & UIControl::kFlagAdj) ++line.adjCount;
  }
  return line;
}

}  // namespace vr
