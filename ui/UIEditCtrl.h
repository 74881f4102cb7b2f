#pragma once
#include <cstdint>
#include <string>

#include "ui/EditEngine.h"
#include "ui/EditTextView.h"
#include "ui/UIControl.h"

namespace vr {

// The framework's windowless edit control: the edit engine, its Pango view,
// the caret (blinking on control timer 1), mouse selection, the standard
// edit messages (EditMessages.h) and the "edit_notify" event. The font is
// always the window's "14"; the `font` attribute is only stored.
class UIEditCtrl : public UIControl, private EditEngineListener {
 public:
  static constexpr int kCaretTimer = 1;
  static constexpr int kAutoScrollTimer = 2;
  static constexpr uint32_t kCaretBlinkMs = 1000;
  static constexpr uint32_t kAutoScrollMs = 50;
  static constexpr uint32_t kDefaultTextArgb = 0xFF60656F;
  static constexpr uint32_t kDefaultHintArgb = 0xFFB3B3B3;
  static constexpr int kIBeamCursor = 32513;
  static constexpr const char* kFontSpec = "14";
  static constexpr const char* kNotifyEvent = "edit_notify";

  UIEditCtrl();

  // --- UIControl ---
  const char* ClassName() const override { return "UIEditCtrl"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  void Paint(UIGraphics& g) override;
  bool OnSetCursor(int x, int y) override;

  // --- State ---
  std::string EditText() const { return engine_.TextUtf8(); }
  const EditEngine& Engine() const { return engine_; }
  uint32_t Style() const { return engine_.Style(); }
  const std::string& Hint() const { return hint_; }
  uint32_t TextColor() const { return textArgb_; }
  uint32_t HintColor() const { return hintArgb_; }
  bool HasFocus() const { return focused_; }
  // Whether the caret is drawn now (focused and in the shown blink phase).
  bool CaretShown() const { return focused_ && caretOn_; }
  // The caret in control coordinates; also where an input method's window
  // belongs.
  UIRect CaretRect();
  // Whether Paint shows the hint instead of text.
  bool ShowsHint() const;

  // --- Commands (the right-click menu's items) ---
  bool CanUndo() const { return engine_.CanUndo(); }
  bool CanCut() const { return engine_.CanCut(); }
  bool CanCopy() const { return engine_.CanCopy(); }
  bool CanPaste() { return engine_.CanPaste(); }
  bool CanDelete() const { return engine_.CanDelete(); }
  bool CanSelectAll() const { return engine_.CanSelectAll(); }
  bool Undo() { return engine_.Undo(); }
  bool Cut() { return engine_.Cut(); }
  bool Copy() { return engine_.Copy(); }
  bool Paste() { return engine_.Paste(); }
  bool DeleteSelection() { return engine_.DeleteSelection(); }
  void SelectAll() { engine_.SelectAll(); }
  // Runs the command of a context-menu id (the ids of xml\editmenu.xml);
  // false for an unknown id or a command that did nothing.
  bool RunMenuCommand(int id);

  // --- Input method ---
  // Text being composed, shown underlined at the caret; empty ends it.
  void SetComposition(const std::string& utf8);
  // Text the input method committed: inserted at the caret.
  void CommitComposition(const std::string& utf8);

  // For tests: the clipboard commands use this one instead of the process's.
  void SetClipboardForTest(Clipboard* clipboard) { engine_.SetClipboard(clipboard); }

 protected:
  ~UIEditCtrl() override;

 private:
  // --- EditEngineListener ---
  void OnEditNotify(int code) override;
  void OnEditSelectionChanged() override;

  bool HandleKeyDown(int virtualKey, intptr_t* result);
  void HandleChar(char32_t cp);
  bool HandleEditMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result);
  intptr_t GetText(size_t size, char* buffer) const;
  intptr_t GetLine(int line, char* buffer) const;
  void OnFocus(bool gained);
  void MouseDown(intptr_t lparam, uintptr_t wparam, bool doubleClick);
  void MouseMove(intptr_t lparam);
  void MouseUp();
  void AutoScrollTick();
  UIPoint ToLocal(intptr_t lparam) const;
  // The right-click menu at the pointer (window-client lparam), on hosts that
  // are real windows.
  void ShowContextMenu(intptr_t lparam);
  void SyncView();
  void SyncBaseText();
  void RestartCaret();
  void StopCaret();
  void InvalidateCaret();

  EditEngine engine_;
  EditTextView view_;
  std::string hint_;
  std::u32string composition_;
  uint32_t textArgb_ = kDefaultTextArgb;
  uint32_t hintArgb_ = kDefaultHintArgb;
  bool textDirty_ = true;     // the view has not seen the latest text
  bool focused_ = false;
  bool caretOn_ = false;
  bool dragging_ = false;
  bool shiftDown_ = false;  // modifier keys as seen through key messages
  bool ctrlDown_ = false;
  UIPoint dragPoint_;  // last pointer position while selecting, control coordinates
};

}  // namespace vr
