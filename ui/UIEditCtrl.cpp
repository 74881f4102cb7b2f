#include "ui/UIEditCtrl.h"

#include <algorithm>
#include <cstring>

#include "platform/VirtualKeys.h"
#include "ui/EditMessages.h"
#include "ui/IUIContainer.h"
#include "ui/MenuLoader.h"
#include "ui/TextDraw.h"
#include "ui/UIColor.h"
#include "ui/UIFont.h"
#include "ui/UIGraphics.h"
#include "ui/UIWindowImp.h"
#include "ui/Utf8Text.h"

namespace vr {

namespace {
constexpr uintptr_t kMkShift = 0x04;  // mouse wparam bits (winmod)
constexpr int kWheelNotch = 120;
constexpr int kWheelLines = 3;

intptr_t PackLow16(long long low, long long high) {
  if (low < 0 || high < 0 || low > 0xFFFF || high > 0xFFFF) return -1;
  return static_cast<intptr_t>((static_cast<uint32_t>(high) << 16) | static_cast<uint32_t>(low));
}
}  // namespace

UIEditCtrl::UIEditCtrl() {
  SetFlagB(kFlagFocusable, true);
  engine_.SetListener(this);
  engine_.SetNavigator(&view_);
}

UIEditCtrl::~UIEditCtrl() {
  engine_.SetListener(nullptr);
  KillControlTimer(kCaretTimer);
  KillControlTimer(kAutoScrollTimer);
}

// --- Attributes -------------------------------------------------------------------

bool UIEditCtrl::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "clr") {
    textArgb_ = ParseColor(value);
    Invalidate(nullptr);
  } else if (name == "clrhint") {
    hintArgb_ = ParseColor(value);
    Invalidate(nullptr);
  } else if (name == "hint") {
    hint_ = SanitizeUtf8(value);
    Invalidate(nullptr);
  } else if (name == "editstyle") {
    engine_.SetStyle(ParseEditStyle(value));
    textDirty_ = true;
    Invalidate(nullptr);
  }
  // Every name, ours included, is kept in the attribute map; `font` is
  // only stored there.
  return UIControl::SetAttribute(name, value);
}

// --- Messages -----------------------------------------------------------------------

bool UIEditCtrl::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  switch (msg) {
    case uimsg::kSetFocus:
    case uimsg::kKillFocus:
      SetHandled(true);
      OnFocus(msg == uimsg::kSetFocus);
      return true;
    case uimsg::kShowWindow:
      UIControl::HandleMessage(msg, wparam, lparam, result);
      return true;
    case uimsg::kKeyDown:
      return HandleKeyDown(static_cast<int>(wparam), result);
    case uimsg::kKeyUp:
      if (wparam == vk::kShift) shiftDown_ = false;
      if (wparam == vk::kControl) ctrlDown_ = false;
      return false;
    case uimsg::kChar:
    case editmsg::kImeChar:
      SetHandled(true);
      HandleChar(static_cast<char32_t>(wparam));
      return true;
    case uimsg::kLButtonDown:
    case uimsg::kLButtonDblClk:
      SetHandled(true);
      MouseDown(lparam, wparam, msg == uimsg::kLButtonDblClk);
      return true;
    case uimsg::kMouseMove:
      SetHandled(true);
      MouseMove(lparam);
      return true;
    case uimsg::kLButtonUp:
      SetHandled(true);
      MouseUp();
      return true;
    case uimsg::kCaptureChanged:
      SetHandled(true);
      dragging_ = false;
      KillControlTimer(kAutoScrollTimer);
      return true;
    case uimsg::kRButtonDown:
      SetHandled(true);
      RequestFocus();
      return true;
    case uimsg::kRButtonUp:
      SetHandled(true);
      ShowContextMenu(lparam);
      return true;
    case uimsg::kTimer:
      SetHandled(true);
      if (wparam == kCaretTimer) {
        caretOn_ = !caretOn_;
        InvalidateCaret();
      } else if (wparam == kAutoScrollTimer) {
        AutoScrollTick();
      }
      return true;
    case uimsg::kMouseWheel: {
      SetHandled(true);
      const int delta = static_cast<int16_t>((wparam >> 16) & 0xFFFF);
      SyncView();
      if (view_.ScrollLines(-delta * kWheelLines / kWheelNotch)) {
        OnEditNotify(en::kVScroll);
        Invalidate(nullptr);
      }
      *result = 1;
      return true;
    }
    default:
      break;
  }
  if (HandleEditMessage(msg, wparam, lparam, result)) {
    SetHandled(true);
    return true;
  }
  return UIControl::HandleMessage(msg, wparam, lparam, result);
}

bool UIEditCtrl::HandleKeyDown(int virtualKey, intptr_t* result) {
  if (virtualKey == vk::kShift) shiftDown_ = true;
  if (virtualKey == vk::kControl) ctrlDown_ = true;
  if (virtualKey == vk::kReturn) {
    if (!engine_.Has(es::kWantReturn) && !ctrlDown_) {
      // The page acts on Enter (a search starts); the key stays unhandled so
      // that the window may use it too.
      FireEvent(kNotifyEvent, en::kReturn, 0);
      return false;
    }
    engine_.InsertLineBreak();
    SetHandled(true);
    *result = 0;
    return true;
  }
  if (!engine_.KeyDown(virtualKey, shiftDown_, ctrlDown_)) return false;
  SetHandled(true);
  *result = 0;
  return true;
}

void UIEditCtrl::HandleChar(char32_t cp) {
  // Enter, Backspace and Ctrl+letter were acted on as keys; their
  // characters type nothing.
  if (cp < 0x20 && cp != U'\t') return;
  if (cp == 0x7F) return;
  if (ctrlDown_ && cp < 0x80) return;
  if (!composition_.empty()) SetComposition("");
  engine_.TypeChar(cp);
}

// --- Standard edit messages -------------------------------------------------------------

bool UIEditCtrl::HandleEditMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  const auto pos = [&](uintptr_t w) {
    const intptr_t v = static_cast<intptr_t>(w);
    return v < 0 ? engine_.Caret() : engine_.Buffer().Clamp(static_cast<size_t>(v));
  };
  switch (msg) {
    case uimsg::kSetText:
      engine_.SetText(lparam ? reinterpret_cast<const char*>(lparam) : "");
      *result = 1;
      return true;
    case editmsg::kGetText:
      *result = GetText(wparam, reinterpret_cast<char*>(lparam));
      return true;
    case editmsg::kGetTextLength:
      *result = static_cast<intptr_t>(engine_.TextUtf8().size());
      return true;
    case editmsg::kSetFont:
      *result = 0;
      return true;
    case editmsg::kGetSel: {
      if (wparam) *reinterpret_cast<uint32_t*>(wparam) = static_cast<uint32_t>(engine_.SelStart());
      if (lparam) *reinterpret_cast<uint32_t*>(lparam) = static_cast<uint32_t>(engine_.SelEnd());
      *result = PackLow16(static_cast<long long>(engine_.SelStart()), static_cast<long long>(engine_.SelEnd()));
      return true;
    }
    case editmsg::kSetSel:
      engine_.SetSel(static_cast<intptr_t>(wparam), lparam);
      *result = 0;
      return true;
    case editmsg::kScrollCaret:
      SyncView();
      if (view_.ScrollToShow(engine_.Caret())) Invalidate(nullptr);
      *result = 1;
      return true;
    case editmsg::kGetModify:
      *result = engine_.Modified() ? 1 : 0;
      return true;
    case editmsg::kSetModify:
      engine_.SetModified(wparam != 0);
      *result = 0;
      return true;
    case editmsg::kGetLineCount:
      SyncView();
      *result = engine_.IsMultiline() ? view_.DisplayLineCount() : 1;
      return true;
    case editmsg::kLineIndex: {
      SyncView();
      const intptr_t line = static_cast<intptr_t>(wparam);
      size_t start = 0;
      const int which = line < 0 ? view_.LineOf(engine_.Caret()) : static_cast<int>(std::min<intptr_t>(line, 1 << 30));
      *result = view_.LineStartPos(which, &start) ? static_cast<intptr_t>(start) : -1;
      return true;
    }
    case editmsg::kLineLength: {
      SyncView();
      const size_t p = pos(wparam);
      *result = static_cast<intptr_t>(view_.End(p) - view_.Home(p));
      return true;
    }
    case editmsg::kReplaceSel:
      engine_.ReplaceSel(lparam ? reinterpret_cast<const char*>(lparam) : "", wparam != 0);
      *result = 0;
      return true;
    case editmsg::kGetLine:
      *result = GetLine(static_cast<int>(std::min<uintptr_t>(wparam, 1u << 30)), reinterpret_cast<char*>(lparam));
      return true;
    case editmsg::kLimitText:
      engine_.SetLimit(wparam);
      *result = 0;
      return true;
    case editmsg::kGetLimitText:
      *result = static_cast<intptr_t>(engine_.Limit());
      return true;
    case editmsg::kCanUndo:
      *result = engine_.CanUndo() ? 1 : 0;
      return true;
    case editmsg::kUndo:
    case editmsg::kWmUndo:
      *result = engine_.Undo() ? 1 : 0;
      return true;
    case editmsg::kLineFromChar:
      SyncView();
      *result = view_.LineOf(pos(wparam));
      return true;
    case editmsg::kSetPasswordChar:
      engine_.SetPasswordChar(static_cast<char32_t>(std::min<uintptr_t>(wparam, 0x10FFFF)));
      textDirty_ = true;
      Invalidate(nullptr);
      *result = 0;
      return true;
    case editmsg::kGetPasswordChar:
      *result = engine_.Has(es::kPassword) ? static_cast<intptr_t>(engine_.PasswordChar()) : 0;
      return true;
    case editmsg::kEmptyUndoBuffer:
      engine_.EmptyUndo();
      *result = 0;
      return true;
    case editmsg::kGetFirstVisibleLine:
      SyncView();
      *result = engine_.IsMultiline()
                    ? view_.FirstVisibleLine()
                    : static_cast<intptr_t>(view_.PosAt(EditTextView::kMarginX, Height() / 2));
      return true;
    case editmsg::kSetReadOnly:
      engine_.SetReadOnly(wparam != 0);
      Invalidate(nullptr);
      *result = 1;
      return true;
    case editmsg::kPosFromChar: {
      SyncView();
      const UIRect r = view_.CaretRect(engine_.Buffer().Clamp(wparam));
      *result = static_cast<intptr_t>((static_cast<uint32_t>(r.top & 0xFFFF) << 16) |
                                      static_cast<uint32_t>(r.left & 0xFFFF));
      return true;
    }
    case editmsg::kCharFromPos: {
      SyncView();
      const size_t p = view_.PosAt(LParamLow(lparam), LParamHigh(lparam));
      *result = PackLow16(static_cast<long long>(p), view_.LineOf(p));
      return true;
    }
    case editmsg::kCut:
      engine_.Cut();
      *result = 0;
      return true;
    case editmsg::kCopy:
      engine_.Copy();
      *result = 0;
      return true;
    case editmsg::kPaste:
      engine_.Paste();
      *result = 0;
      return true;
    case editmsg::kClear:
      engine_.DeleteSelection();
      *result = 0;
      return true;
    default:
      return false;
  }
}

intptr_t UIEditCtrl::GetText(size_t size, char* buffer) const {
  if (!buffer || size == 0) return 0;
  const std::string text = engine_.TextUtf8();
  size_t n = std::min(text.size(), size - 1);
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;  // whole code points
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<intptr_t>(n);
}

intptr_t UIEditCtrl::GetLine(int line, char* buffer) const {
  if (!buffer) return 0;
  uint16_t size = 0;
  std::memcpy(&size, buffer, sizeof size);
  const EditBuffer& b = engine_.Buffer();
  if (static_cast<size_t>(line) >= b.LineCount()) return 0;
  const size_t from = b.LineStart(static_cast<size_t>(line));
  const std::string text = EncodeUtf8(b.Slice(from, b.LineEndFrom(from)));
  size_t n = std::min<size_t>(text.size(), size);
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buffer, text.data(), n);  // not terminated, as the standard control
  return static_cast<intptr_t>(n);
}

// --- Engine notifications ---------------------------------------------------------------

void UIEditCtrl::OnEditNotify(int code) {
  if (code == en::kUpdate) {
    textDirty_ = true;
    SyncBaseText();
  }
  FireEvent(kNotifyEvent, code, 0);
}

void UIEditCtrl::OnEditSelectionChanged() {
  SyncView();
  view_.ScrollToShow(engine_.Caret());
  if (focused_) RestartCaret();
  Invalidate(nullptr);
}

void UIEditCtrl::SyncBaseText() {
  // The control's own text (UIControl::Text) mirrors the engine's.
  const bool handled = Handled();
  const std::string text = engine_.TextUtf8();
  intptr_t ignored = 0;
  UIControl::HandleMessage(uimsg::kSetText, 0, reinterpret_cast<intptr_t>(text.c_str()), &ignored);
  SetHandled(handled);
}

// --- Focus and caret ----------------------------------------------------------------------

void UIEditCtrl::OnFocus(bool gained) {
  if (gained == focused_) return;
  focused_ = gained;
  if (gained) {
    RestartCaret();
  } else {
    shiftDown_ = ctrlDown_ = false;
    dragging_ = false;
    if (!composition_.empty()) SetComposition("");
    StopCaret();
  }
  Invalidate(nullptr);  // the hint and the selection depend on focus
  FireEvent(kNotifyEvent, gained ? en::kSetFocus : en::kKillFocus, 0);
}

void UIEditCtrl::RestartCaret() {
  InvalidateCaret();
  caretOn_ = true;
  SetControlTimer(kCaretTimer, kCaretBlinkMs);
  InvalidateCaret();
}

void UIEditCtrl::StopCaret() {
  InvalidateCaret();
  caretOn_ = false;
  KillControlTimer(kCaretTimer);
}

void UIEditCtrl::InvalidateCaret() {
  const UIRect r = CaretRect();
  Invalidate(&r);
}

UIRect UIEditCtrl::CaretRect() {
  SyncView();
  return view_.CaretRect(engine_.Caret());
}

// --- Mouse ------------------------------------------------------------------------------

UIPoint UIEditCtrl::ToLocal(intptr_t lparam) const {
  UIRect wr;
  WindowRect(&wr);
  return UIPoint{LParamLow(lparam) - wr.left, LParamHigh(lparam) - wr.top};
}

void UIEditCtrl::MouseDown(intptr_t lparam, uintptr_t wparam, bool doubleClick) {
  RequestFocus();
  SyncView();
  const UIPoint p = ToLocal(lparam);
  const size_t at = view_.PosAt(p.x, p.y);
  if (doubleClick) {
    engine_.SelectWordAt(at);
    dragging_ = false;
    return;
  }
  engine_.MoveCaret(at, (wparam & kMkShift) != 0);
  dragging_ = true;
  dragPoint_ = p;
  if (Host()) Host()->SetCaptureId(Serial());
}

void UIEditCtrl::MouseMove(intptr_t lparam) {
  if (!dragging_) return;
  dragPoint_ = ToLocal(lparam);
  SyncView();
  engine_.MoveCaret(view_.PosAt(dragPoint_.x, dragPoint_.y), true);
  const bool outside = dragPoint_.x < 0 || dragPoint_.y < 0 || dragPoint_.x >= Width() || dragPoint_.y >= Height();
  if (outside) {
    SetControlTimer(kAutoScrollTimer, kAutoScrollMs);
  } else {
    KillControlTimer(kAutoScrollTimer);
  }
}

void UIEditCtrl::AutoScrollTick() {
  if (!dragging_) {
    KillControlTimer(kAutoScrollTimer);
    return;
  }
  // While the pointer is held outside, the selection grows by one step per
  // tick towards it, scrolling the text along.
  size_t target = engine_.Caret();
  int goal = -1;
  if (dragPoint_.y < 0 && engine_.IsMultiline()) {
    target = view_.Vertical(target, -1, &goal);
  } else if (dragPoint_.y >= Height() && engine_.IsMultiline()) {
    target = view_.Vertical(target, 1, &goal);
  } else if (dragPoint_.x < 0) {
    target = view_.Step(target, -1);
  } else if (dragPoint_.x >= Width()) {
    target = view_.Step(target, 1);
  }
  engine_.MoveCaret(target, true);
}

void UIEditCtrl::MouseUp() {
  dragging_ = false;
  KillControlTimer(kAutoScrollTimer);
  if (Host() && Host()->GetCaptureId() == Serial()) Host()->ReleaseCaptureId();
}

bool UIEditCtrl::OnSetCursor(int, int) {
  if (Host()) Host()->SetSystemCursor(kIBeamCursor);
  SetHandled(true);
  return true;
}

// --- Input method ---------------------------------------------------------------------------

void UIEditCtrl::SetComposition(const std::string& utf8) {
  composition_ = DecodeUtf8Lossy(utf8);
  view_.SetPreedit(engine_.Caret(), composition_);
  if (focused_) RestartCaret();
  Invalidate(nullptr);
}

void UIEditCtrl::CommitComposition(const std::string& utf8) {
  composition_.clear();
  view_.SetPreedit(engine_.Caret(), composition_);
  engine_.TypeText(utf8);
  Invalidate(nullptr);
}

// --- Painting ---------------------------------------------------------------------------------

void UIEditCtrl::SyncView() {
  EditTextView::Geometry g;
  g.width = Width();
  g.height = Height();
  g.multiline = engine_.IsMultiline();
  g.wrap = g.multiline && !engine_.Has(es::kAutoHScroll);
  g.align = engine_.Has(es::kCenter) ? 1 : engine_.Has(es::kRight) ? 2 : 0;
  view_.SetGeometry(g);
  if (Host()) {
    if (UIFont* font = Host()->GetFont(kFontSpec)) view_.SetFont(*font);
  }
  if (textDirty_) {
    view_.SetText(engine_.DisplayText());
    textDirty_ = false;
  }
  view_.SetPreedit(engine_.Caret(), composition_);
}

bool UIEditCtrl::ShowsHint() const { return !focused_ && engine_.Length() == 0 && composition_.empty(); }

void UIEditCtrl::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  cairo_t* cr = g.Cairo();
  if (ShowsHint()) {
    if (hint_.empty()) return;
    UIFont* font = Host() ? Host()->GetFont(kFontSpec) : nullptr;
    TextFormat format;
    format.vert = 1;
    DrawTextInRect(cr, font ? *font : DefaultFont(), hint_, hintArgb_, UIRect{5, 0, Width() - 5, Height()},
                   format);
    return;
  }
  SyncView();
  const bool showSelection = focused_ || engine_.Has(es::kNoHideSel);
  view_.Draw(cr, textArgb_, showSelection ? engine_.SelStart() : 0, showSelection ? engine_.SelEnd() : 0);
  if (CaretShown()) {
    const UIRect r = view_.CaretRect(engine_.Caret());
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, Width(), Height());
    cairo_clip(cr);
    // Inverting, as a system caret does: visible on any background.
    cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

// --- Context menu -----------------------------------------------------------------------

namespace {

// Item ids of xml\editmenu.xml.
constexpr int kMenuUndo = 772;
constexpr int kMenuCut = 768;
constexpr int kMenuCopy = 769;
constexpr int kMenuPaste = 770;
constexpr int kMenuDelete = 771;
constexpr int kMenuSelectAll = 177;

}  // namespace

bool UIEditCtrl::RunMenuCommand(int id) {
  switch (id) {
    case kMenuUndo: return Undo();
    case kMenuCut: return Cut();
    case kMenuCopy: return Copy();
    case kMenuPaste: return Paste();
    case kMenuDelete: return DeleteSelection();
    case kMenuSelectAll:
      SelectAll();
      return true;
    default: return false;
  }
}

void UIEditCtrl::ShowContextMenu(intptr_t lparam) {
  auto* window = dynamic_cast<UIWindowImp*>(Host());
  if (!window) return;  // offscreen hosts show no pop-ups
  const UIPoint at = Host()->ClientToScreen(UIPoint{LParamLow(lparam), LParamHigh(lparam)});
  MenuLoader menu;
  menu.SetCallback([this](SkinMenu& m) {
    m.EnableItem(kMenuUndo, CanUndo());
    m.EnableItem(kMenuCut, CanCut());
    m.EnableItem(kMenuCopy, CanCopy());
    m.EnableItem(kMenuPaste, CanPaste());
    m.EnableItem(kMenuDelete, CanDelete());
    m.EnableItem(kMenuSelectAll, CanSelectAll());
  });
  // The menu runs a nested loop; keep this control alive until it returns.
  UIRefHold<UIEditCtrl> self(this);
  const int id = menu.TrackSkinMenu(window, at.x, at.y, "xml\\editmenu.xml");
  if (id > 0 && Host()) RunMenuCommand(id);
}

}  // namespace vr
