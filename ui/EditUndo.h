#pragma once
#include <cstddef>
#include <deque>
#include <string>

namespace vr {

// One change of the text: at `pos`, `removed` was replaced by `inserted`,
// with the selection (anchor, caret) as it was before.
struct EditChange {
  enum class Kind { kOther, kTyping, kBackspace, kDelete };
  size_t pos = 0;
  std::u32string removed;
  std::u32string inserted;
  size_t anchorBefore = 0;
  size_t caretBefore = 0;
  Kind kind = Kind::kOther;
};

// Undo and redo history. Consecutive typing (or consecutive Backspace or
// Delete presses) joins one step, until the caret moves elsewhere or
// BreakGroup() is called; a line break always starts a new step. The history
// keeps at most kMaxSteps steps and about kMaxChars code points of text; the
// oldest steps go first.
class EditUndo {
 public:
  static constexpr size_t kMaxSteps = 200;
  static constexpr size_t kMaxChars = 4u << 20;

  void Record(EditChange change);
  void BreakGroup() { groupOpen_ = false; }
  void Clear();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The step to revert; moves it to the redo list.
  EditChange TakeUndo();
  // The step to apply again; moves it back to the undo list.
  EditChange TakeRedo();

 private:
  bool TryMerge(const EditChange& change);
  void Trim();
  static size_t Weight(const EditChange& c) { return c.removed.size() + c.inserted.size(); }

  std::deque<EditChange> undo_;
  std::deque<EditChange> redo_;
  size_t chars_ = 0;  // Weight() summed over both lists
  bool groupOpen_ = false;
};

}  // namespace vr
