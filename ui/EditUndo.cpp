#include "ui/EditUndo.h"

namespace vr {

void EditUndo::Clear() {
  undo_.clear();
  redo_.clear();
  chars_ = 0;
  groupOpen_ = false;
}

bool EditUndo::TryMerge(const EditChange& c) {
  if (!groupOpen_ || undo_.empty() || c.kind == EditChange::Kind::kOther) return false;
  EditChange& last = undo_.back();
  if (last.kind != c.kind) return false;
  switch (c.kind) {
    case EditChange::Kind::kTyping:
      // Typing on at the end of the step, nothing replaced in between.
      if (!c.removed.empty() || c.pos != last.pos + last.inserted.size()) return false;
      if (c.inserted == U"\n") return false;
      last.inserted += c.inserted;
      return true;
    case EditChange::Kind::kBackspace:
      if (!c.inserted.empty() || c.pos + c.removed.size() != last.pos) return false;
      last.removed.insert(0, c.removed);
      last.pos = c.pos;
      return true;
    case EditChange::Kind::kDelete:
      if (!c.inserted.empty() || c.pos != last.pos) return false;
      last.removed += c.removed;
      return true;
    case EditChange::Kind::kOther:
      return false;
  }
  return false;
}

void EditUndo::Record(EditChange change) {
  for (const EditChange& r : redo_) chars_ -= Weight(r);
  redo_.clear();
  chars_ += Weight(change);
  const bool lineBreak = change.kind == EditChange::Kind::kTyping && change.inserted == U"\n";
  if (!TryMerge(change)) undo_.push_back(std::move(change));
  groupOpen_ = !lineBreak;
  Trim();
}

void EditUndo::Trim() {
  // The newest step always stays, however large, so that a big paste can
  // still be undone.
  while (undo_.size() > 1 && (undo_.size() > kMaxSteps || chars_ > kMaxChars)) {
    chars_ -= Weight(undo_.front());
    undo_.pop_front();
  }
}

EditChange EditUndo::TakeUndo() {
  EditChange c = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(c);
  groupOpen_ = false;
  return c;
}

EditChange EditUndo::TakeRedo() {
  EditChange c = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(c);
  groupOpen_ = false;
  return c;
}

}  // namespace vr
