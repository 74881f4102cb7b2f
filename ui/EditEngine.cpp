#include "ui/EditEngine.h"

#include <glib.h>

#include <algorithm>

#include "platform/Clipboard.h"
#include "platform/VirtualKeys.h"
#include "ui/Utf8Text.h"

namespace vr {

namespace {

// CR LF and lone CR become LF; C0 and C1 controls other than tab and LF,
// and DEL, are dropped.
void NormaliseControls(std::u32string* text) {
  std::u32string out;
  out.reserve(text->size());
  const size_t n = text->size();
  for (size_t i = 0; i < n; ++i) {
    const char32_t c = (*text)[i];
    if (c == U'\r') {
      out.push_back(U'\n');
      if (i + 1 < n && (*text)[i + 1] == U'\n') ++i;
    } else if (c == U'\n' || c == U'\t') {
      out.push_back(c);
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      continue;
    } else {
      out.push_back(c);
    }
  }
  text->swap(out);
}

}  // namespace

EditEngine::EditEngine(uint32_t style) : style_(style) {}

Clipboard& EditEngine::Board() const { return clipboard_ ? *clipboard_ : ProcessClipboard(); }

// --- Style and limits ---------------------------------------------------------

void EditEngine::SetReadOnly(bool on) {
  style_ = on ? (style_ | es::kReadOnly) : (style_ & ~es::kReadOnly);
}

void EditEngine::SetLimit(size_t limit) { limit_ = (limit == 0 || limit > kMaxLimit) ? kMaxLimit : limit; }

void EditEngine::SetPasswordChar(char32_t cp) {
  if (cp == 0) {
    style_ &= ~es::kPassword;
  } else {
    passwordChar_ = cp;
    style_ |= es::kPassword;
  }
}

// --- Text -----------------------------------------------------------------------

std::string EditEngine::TextUtf8() const { return EncodeUtf8(buffer_.Text()); }

std::string EditEngine::SelectedTextUtf8() const { return EncodeUtf8(buffer_.Slice(SelStart(), SelEnd())); }

std::u32string EditEngine::DisplayText() const {
  if (!Has(es::kPassword)) return buffer_.Text();
  return std::u32string(buffer_.Length(), passwordChar_);
}

void EditEngine::SetText(std::string_view utf8) {
  std::u32string text = DecodeUtf8Lossy(utf8);
  Filter(&text, InputKind::kProgram);
  if (text.size() > kMaxLimit) text.resize(kMaxLimit);
  buffer_.Assign(std::move(text));
  undo_.Clear();
  modified_ = false;
  goalX_ = -1;
  caret_ = anchor_ = 0;
  TextChanged();
  if (listener_) listener_->OnEditSelectionChanged();
}

// --- Caret and selection --------------------------------------------------------

void EditEngine::SetSelection(size_t anchor, size_t caret) {
  anchor = buffer_.Clamp(anchor);
  caret = buffer_.Clamp(caret);
  if (anchor == anchor_ && caret == caret_) return;
  if (caret != caret_) undo_.BreakGroup();
  anchor_ = anchor;
  caret_ = caret;
  if (listener_) listener_->OnEditSelectionChanged();
}

void EditEngine::SetSel(long long start, long long end) {
  goalX_ = -1;
  const size_t n = buffer_.Length();
  if (start < 0) {
    SetSelection(caret_, caret_);
    return;
  }
  const size_t e = (end < 0 || static_cast<unsigned long long>(end) > n) ? n : static_cast<size_t>(end);
  const size_t s = std::min(static_cast<size_t>(std::min<unsigned long long>(start, n)), n);
  SetSelection(s, e);
}

void EditEngine::MoveCaret(size_t pos, bool extend) {
  goalX_ = -1;
  SetSelection(extend ? anchor_ : pos, pos);
}

void EditEngine::SelectAll() {
  goalX_ = -1;
  SetSelection(0, buffer_.Length());
}

void EditEngine::SelectWordAt(size_t pos) {
  goalX_ = -1;
  if (Has(es::kPassword)) {  // a password is one word: its characters are hidden
    SelectAll();
    return;
  }
  size_t from = 0, to = 0;
  buffer_.WordAt(pos, &from, &to);
  SetSelection(from, to);
}

// --- Input filtering ------------------------------------------------------------

bool EditEngine::Filter(std::u32string* text, InputKind kind) const {
  NormaliseControls(text);
  if (!IsMultiline()) {
    const size_t nl = text->find(U'\n');
    if (nl != std::u32string::npos) text->resize(nl);
  }
  if (Has(es::kUppercase)) {
    for (char32_t& c : *text) c = g_unichar_toupper(c);
  } else if (Has(es::kLowercase)) {
    for (char32_t& c : *text) c = g_unichar_tolower(c);
  }
  // The standard control checks typed characters only; a paste of letters
  // into a number field would defeat the style, so it is refused as well.
  if (Has(es::kNumber) && kind != InputKind::kProgram) {
    for (char32_t c : *text) {
      if (c < U'0' || c > U'9') return false;
    }
  }
  return true;
}

// --- Changing the text ----------------------------------------------------------

void EditEngine::ApplyChange(size_t from, size_t to, std::u32string_view with, EditChange::Kind undoKind,
                             bool canUndo) {
  EditChange change;
  change.pos = from;
  change.anchorBefore = anchor_;
  change.caretBefore = caret_;
  change.kind = undoKind;
  change.inserted = std::u32string(with);
  change.removed = buffer_.Replace(from, to, with);
  if (canUndo) {
    undo_.Record(std::move(change));
  } else {
    undo_.Clear();
  }
  anchor_ = caret_ = from + with.size();
  goalX_ = -1;
  modified_ = true;
  TextChanged();
  if (listener_) listener_->OnEditSelectionChanged();
}

bool EditEngine::Insert(std::u32string text, InputKind kind, EditChange::Kind undoKind, bool canUndo) {
  if (!Filter(&text, kind)) {
    Refuse();
    return false;
  }
  const size_t selLen = SelEnd() - SelStart();
  const size_t kept = buffer_.Length() - selLen;
  const size_t room = limit_ > kept ? limit_ - kept : 0;
  bool cut = false;
  if (text.size() > room) {
    text.resize(room);
    cut = true;
  }
  if (cut) Notify(en::kMaxText);
  if (text.empty() && selLen == 0) return false;
  ApplyChange(SelStart(), SelEnd(), text, undoKind, canUndo);
  return true;
}

bool EditEngine::RemoveRange(size_t from, size_t to, EditChange::Kind undoKind) {
  from = buffer_.Clamp(from);
  to = buffer_.Clamp(to);
  if (to <= from) return false;
  ApplyChange(from, to, U"", undoKind, true);
  return true;
}

bool EditEngine::TypeChar(char32_t cp) {
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  if (cp == U'\r' || cp == U'\n') return InsertLineBreak();
  if (cp < 0x20 && cp != U'\t') return false;  // Ctrl+letter and friends type nothing
  if (cp == U'\t' && !IsMultiline()) return false;
  return Insert(std::u32string(1, cp), InputKind::kTyped, EditChange::Kind::kTyping, true);
}

bool EditEngine::TypeText(std::string_view utf8) {
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  undo_.BreakGroup();
  const bool changed = Insert(DecodeUtf8Lossy(utf8), InputKind::kTyped, EditChange::Kind::kOther, true);
  undo_.BreakGroup();
  return changed;
}

bool EditEngine::InsertLineBreak() {
  if (!IsMultiline()) return false;
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  return Insert(U"\n", InputKind::kProgram, EditChange::Kind::kTyping, true);
}

bool EditEngine::Backspace(bool word) {
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  if (HasSelection()) return RemoveRange(SelStart(), SelEnd(), EditChange::Kind::kOther);
  if (caret_ == 0) return false;
  // One code point, not a whole cluster: Backspace takes back the last
  // thing typed, such as a combining accent.
  const size_t from = word ? buffer_.PrevWordStart(caret_) : caret_ - 1;
  return RemoveRange(from, caret_, EditChange::Kind::kBackspace);
}

bool EditEngine::DeleteForward(bool word) {
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  if (HasSelection()) return RemoveRange(SelStart(), SelEnd(), EditChange::Kind::kOther);
  if (caret_ >= buffer_.Length()) return false;
  const size_t to = word ? buffer_.NextWordStart(caret_) : Nav().Step(caret_, +1);
  return RemoveRange(caret_, std::max(to, caret_ + 1), EditChange::Kind::kDelete);
}

bool EditEngine::ReplaceSel(std::string_view utf8, bool canUndo) {
  undo_.BreakGroup();
  const bool changed = Insert(DecodeUtf8Lossy(utf8), InputKind::kProgram, EditChange::Kind::kOther, canUndo);
  undo_.BreakGroup();
  return changed;
}

// --- Commands -------------------------------------------------------------------

bool EditEngine::CanUndo() const { return !Has(es::kReadOnly) && undo_.CanUndo(); }
bool EditEngine::CanRedo() const { return !Has(es::kReadOnly) && undo_.CanRedo(); }
bool EditEngine::CanCut() const { return HasSelection() && !Has(es::kReadOnly) && !Has(es::kPassword); }
bool EditEngine::CanCopy() const { return HasSelection() && !Has(es::kPassword); }
bool EditEngine::CanPaste() { return !Has(es::kReadOnly) && Board().MayHaveText(); }
bool EditEngine::CanDelete() const { return HasSelection() && !Has(es::kReadOnly); }

bool EditEngine::Undo() {
  if (!CanUndo()) return false;
  const EditChange c = undo_.TakeUndo();
  buffer_.Replace(c.pos, c.pos + c.inserted.size(), c.removed);
  anchor_ = buffer_.Clamp(c.anchorBefore);
  caret_ = buffer_.Clamp(c.caretBefore);
  goalX_ = -1;
  modified_ = true;
  TextChanged();
  if (listener_) listener_->OnEditSelectionChanged();
  return true;
}

bool EditEngine::Redo() {
  if (!CanRedo()) return false;
  const EditChange c = undo_.TakeRedo();
  buffer_.Replace(c.pos, c.pos + c.removed.size(), c.inserted);
  anchor_ = caret_ = buffer_.Clamp(c.pos + c.inserted.size());
  goalX_ = -1;
  modified_ = true;
  TextChanged();
  if (listener_) listener_->OnEditSelectionChanged();
  return true;
}

bool EditEngine::Copy() {
  if (!CanCopy()) return false;
  return Board().SetText(SelectedTextUtf8());
}

bool EditEngine::Cut() {
  if (!CanCut()) {
    if (HasSelection()) Refuse();
    return false;
  }
  if (!Board().SetText(SelectedTextUtf8())) return false;
  return RemoveRange(SelStart(), SelEnd(), EditChange::Kind::kOther);
}

bool EditEngine::Paste() {
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  const std::optional<std::string> text = Board().GetText();
  if (!text) return false;
  undo_.BreakGroup();
  const bool changed = Insert(DecodeUtf8Lossy(*text), InputKind::kPasted, EditChange::Kind::kOther, true);
  undo_.BreakGroup();
  return changed;
}

bool EditEngine::DeleteSelection() {
  if (!HasSelection()) return false;
  if (Has(es::kReadOnly)) {
    Refuse();
    return false;
  }
  return RemoveRange(SelStart(), SelEnd(), EditChange::Kind::kOther);
}

// --- Keyboard -------------------------------------------------------------------

bool EditEngine::Navigate(int vk, bool shift, bool ctrl) {
  const EditNavigator& nav = Nav();
  const bool multi = IsMultiline();
  size_t target = caret_;
  bool vertical = false;
  switch (vk) {
    case vk::kLeft:
      // Without Shift a selection collapses to its start.
      if (HasSelection() && !shift && !ctrl) {
        target = SelStart();
      } else {
        target = ctrl ? buffer_.PrevWordStart(caret_) : nav.Step(caret_, -1);
      }
      break;
    case vk::kRight:
      if (HasSelection() && !shift && !ctrl) {
        target = SelEnd();
      } else {
        target = ctrl ? buffer_.NextWordStart(caret_) : nav.Step(caret_, +1);
      }
      break;
    case vk::kHome:
      target = (ctrl || !multi) ? 0 : nav.Home(caret_);
      break;
    case vk::kEnd:
      target = (ctrl || !multi) ? buffer_.Length() : nav.End(caret_);
      break;
    case vk::kUp:
    case vk::kDown:
    case vk::kPrior:
    case vk::kNext: {
      if (!multi) {
        // A single-line edit moves as Left/Right would for Up/Down.
        if (vk == vk::kUp || vk == vk::kDown) {
          target = nav.Step(caret_, vk == vk::kUp ? -1 : +1);
          break;
        }
        return false;
      }
      const int page = std::max(1, nav.PageLines());
      const int lines = vk == vk::kUp ? -1 : vk == vk::kDown ? 1 : vk == vk::kPrior ? -page : page;
      int goal = goalX_;
      target = nav.Vertical(caret_, lines, &goal);
      SetSelection(shift ? anchor_ : target, target);
      goalX_ = goal;
      vertical = true;
      break;
    }
    default:
      return false;
  }
  if (!vertical) MoveCaret(target, shift);
  return true;
}

bool EditEngine::KeyDown(int vk, bool shift, bool ctrl) {
  if (Navigate(vk, shift, ctrl)) return true;
  switch (vk) {
    case vk::kBack:
      Backspace(ctrl);
      return true;
    case vk::kDelete:
      if (shift && !ctrl) {
        Cut();
      } else {
        DeleteForward(ctrl);
      }
      return true;
    case vk::kInsert:
      if (shift && !ctrl) {
        Paste();
      } else if (ctrl && !shift) {
        Copy();
      }
      return true;
    default:
      break;
  }
  if (!ctrl) return false;
  switch (vk) {
    case 'A':
      SelectAll();
      return true;
    case 'C':
      Copy();
      return true;
    case 'X':
      Cut();
      return true;
    case 'V':
      Paste();
      return true;
    case 'Z':
      if (shift) {
        Redo();
      } else {
        Undo();
      }
      return true;
    case 'Y':
      Redo();
      return true;
    default:
      return false;
  }
}

// --- Notifications --------------------------------------------------------------

void EditEngine::Refuse() {
  if (listener_) listener_->OnEditRefused();
}

void EditEngine::Notify(int code) {
  if (listener_) listener_->OnEditNotify(code);
}

void EditEngine::TextChanged() {
  Notify(en::kUpdate);
  Notify(en::kChange);
}

}  // namespace vr
