#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/EditBuffer.h"
#include "ui/EditNavigator.h"
#include "ui/EditStyle.h"
#include "ui/EditUndo.h"

namespace vr {

class Clipboard;

// What the engine tells the control it works for.
class EditEngineListener {
 public:
  virtual ~EditEngineListener() = default;
  // en::kUpdate then en::kChange after every change of the text, en::kMaxText
  // when input was cut short by the length limit.
  virtual void OnEditNotify(int code) = 0;
  // Input was refused (read-only, a letter under ES_NUMBER, ...): the beep.
  virtual void OnEditRefused() {}
  // The caret or the selection moved (the text may be unchanged).
  virtual void OnEditSelectionChanged() {}
};

// The edit control's engine, without any window: text, caret and selection,
// styles, the length limit, undo, clipboard commands and the keyboard. All
// positions are code-point indices; the selection is [anchor, caret] in
// either order. Input is sanitised on the way in: invalid UTF-8 becomes
// U+FFFD, CR LF and CR become LF, other control characters are dropped,
// and a single-line edit keeps only the first line of what is inserted.
class EditEngine {
 public:
  // The limit a new edit starts with, as the standard edit control.
  static constexpr size_t kDefaultLimit = 32767;
  // No limit can exceed this, and text set by the application is cut here:
  // far more than any note, small enough that laying the text out stays fast.
  static constexpr size_t kMaxLimit = 1u << 16;  // 65536 code points
  static constexpr char32_t kDefaultPasswordChar = 0x25CF;  // BLACK CIRCLE

  explicit EditEngine(uint32_t style = es::kAutoHScroll);
  // Not copyable: the logical navigator refers to this engine's buffer.
  EditEngine(const EditEngine&) = delete;
  EditEngine& operator=(const EditEngine&) = delete;

  void SetListener(EditEngineListener* listener) { listener_ = listener; }
  // Null: hard lines and code points (LogicalNavigator).
  void SetNavigator(const EditNavigator* navigator) { navigator_ = navigator; }
  // Null: the process clipboard.
  void SetClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }

  // --- Style and limits ---
  uint32_t Style() const { return style_; }
  void SetStyle(uint32_t style) { style_ = style; }
  bool Has(uint32_t bit) const { return (style_ & bit) != 0; }
  bool IsMultiline() const { return Has(es::kMultiline); }
  void SetReadOnly(bool on);
  size_t Limit() const { return limit_; }
  // 0 means the largest limit; values above kMaxLimit are lowered to it.
  void SetLimit(size_t limit);
  char32_t PasswordChar() const { return passwordChar_; }
  // 0 turns the password style off, any other character turns it on.
  void SetPasswordChar(char32_t cp);

  // --- Text ---
  const std::u32string& Text() const { return buffer_.Text(); }
  const EditBuffer& Buffer() const { return buffer_; }
  std::string TextUtf8() const;
  size_t Length() const { return buffer_.Length(); }
  // Replaces everything (the application's set-text): not limited by
  // Limit() (only by kMaxLimit), not undoable; caret at 0, modified cleared.
  void SetText(std::string_view utf8);
  // The text as shown: the password character in place of every character.
  std::u32string DisplayText() const;
  bool Modified() const { return modified_; }
  void SetModified(bool on) { modified_ = on; }

  // --- Caret and selection ---
  size_t Caret() const { return caret_; }
  size_t Anchor() const { return anchor_; }
  size_t SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  size_t SelEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  bool HasSelection() const { return caret_ != anchor_; }
  std::string SelectedTextUtf8() const;
  // The select message: start -1 removes the selection, end -1 (or beyond
  // the text) means the end; the caret goes to `end`.
  void SetSel(long long start, long long end);
  void MoveCaret(size_t pos, bool extend);
  void SelectAll();
  void SelectWordAt(size_t pos);

  // --- Editing (each false when nothing changed) ---
  bool TypeChar(char32_t cp);
  bool TypeText(std::string_view utf8);  // committed input-method text
  bool InsertLineBreak();                // multi-line only
  bool Backspace(bool word);
  bool DeleteForward(bool word);
  // The replace-selection message: ignores read-only like the standard
  // control, honours the limit and the filters.
  bool ReplaceSel(std::string_view utf8, bool canUndo);

  // --- Commands (also the right-click menu's) ---
  bool CanUndo() const;
  bool CanRedo() const;
  bool CanCut() const;
  bool CanCopy() const;
  bool CanPaste();
  bool CanDelete() const;
  bool CanSelectAll() const { return buffer_.Length() > 0; }
  bool Undo();
  bool Redo();
  bool Cut();
  bool Copy();
  bool Paste();
  bool DeleteSelection();
  void EmptyUndo() { undo_.Clear(); }

  // --- Keyboard ---
  // Navigation and editing keys (virtual-key codes) with Shift/Ctrl; Enter
  // is the control's business. True when the key was used.
  bool KeyDown(int virtualKey, bool shift, bool ctrl);

 private:
  enum class InputKind { kTyped, kPasted, kProgram };

  const EditNavigator& Nav() const { return navigator_ ? *navigator_ : logical_; }
  Clipboard& Board() const;
  // Input made fit for this edit; false when it must be refused as a whole.
  bool Filter(std::u32string* text, InputKind kind) const;
  bool Insert(std::u32string text, InputKind kind, EditChange::Kind undoKind, bool canUndo);
  void ApplyChange(size_t from, size_t to, std::u32string_view with, EditChange::Kind undoKind,
                   bool canUndo);
  bool RemoveRange(size_t from, size_t to, EditChange::Kind undoKind);
  void SetSelection(size_t anchor, size_t caret);
  bool Navigate(int virtualKey, bool shift, bool ctrl);
  void Refuse();
  void Notify(int code);
  void TextChanged();

  EditBuffer buffer_;
  EditUndo undo_;
  LogicalNavigator logical_{buffer_};
  const EditNavigator* navigator_ = nullptr;
  EditEngineListener* listener_ = nullptr;
  Clipboard* clipboard_ = nullptr;
  uint32_t style_;
  size_t limit_ = kDefaultLimit;
  char32_t passwordChar_ = kDefaultPasswordChar;
  size_t caret_ = 0;
  size_t anchor_ = 0;
  int goalX_ = -1;  // column kept over Up/Down runs; -1 = take the caret's
  bool modified_ = false;
};

}  // namespace vr
