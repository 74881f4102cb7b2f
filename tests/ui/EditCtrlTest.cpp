#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/MemoryClipboard.h"
#include "platform/VirtualKeys.h"
#include "ui/EditMessages.h"
#include "ui/EditStyle.h"
#include "ui/FactoryRegistry.h"
#include "ui/UIEditCtrl.h"
#include "ui/UIHeadlessHost.h"
#include "ui/UIMessages.h"

namespace vr {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

class EditCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = UIHeadlessHost::Create(300, 120);
    edit = Add("10,10,200,30");
  }

  UIEditCtrl* Add(const std::string& pos) {
    auto* e = new UIEditCtrl();
    host->AddChild(e);
    e->SetAttribute("pos", pos);
    e->SetClipboardForTest(&board);
    return e;
  }

  void Focus(UIEditCtrl* e) { host->SetFocusId(e->Serial()); }
  bool KeyDown(UIEditCtrl* e, int vk) {
    bool handled = false;
    e->SendMsg(uimsg::kKeyDown, static_cast<uintptr_t>(vk), 1, &handled);
    return handled;
  }
  void KeyUp(UIEditCtrl* e, int vk) { e->SendMsg(uimsg::kKeyUp, static_cast<uintptr_t>(vk), 1); }
  void Chord(UIEditCtrl* e, int modifier, int vk) {
    KeyDown(e, modifier);
    KeyDown(e, vk);
    KeyUp(e, vk);
    KeyUp(e, modifier);
  }
  void Type(UIEditCtrl* e, const std::u32string& text) {
    for (char32_t c : text) e->SendMsg(uimsg::kChar, static_cast<uintptr_t>(c), 1);
  }
  int Notes(int code) const {
    return static_cast<int>(std::count_if(host->Events().begin(), host->Events().end(), [&](const UIEvent& ev) {
      return ev.name == "edit_notify" && ev.value1 == code;
    }));
  }
  // Pixels inside r whose colour is exactly argb (opaque colours only).
  int CountColour(const UIRect& r, uint32_t argb) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += host->PixelAt(x, y) == argb ? 1 : 0;
    return n;
  }
  // Anti-aliased text in a pure colour (one channel set, e.g. #ff00ff00):
  // pixels whose only colour is in that channel (premultiplied, any alpha).
  int CountTint(const UIRect& r, int shift) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const uint32_t p = host->PixelAt(x, y);
        const uint32_t others = p & 0x00FFFFFFu & ~(0xFFu << shift);
        n += ((p >> shift) & 0xFF) > 0x40 && others == 0 ? 1 : 0;
      }
    return n;
  }
  // Pixels inside r that something was drawn on.
  int CountInk(const UIRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += (host->PixelAt(x, y) >> 24) != 0 ? 1 : 0;
    return n;
  }
  intptr_t Lp(int x, int y) { return MakeLParam(x, y); }

  MemoryClipboard board;
  UIRefPtr<UIHeadlessHost> host;
  UIEditCtrl* edit = nullptr;
};

// --- Hint -----------------------------------------------------------------------------

TEST_F(EditCtrlTest, EmptyUnfocusedWithHint_Render_HintInHintColour) {
  edit->SetAttribute("hint", "搜索记事");
  edit->SetAttribute("clrhint", "#ff00ff00");
  host->RenderAll();
  EXPECT_TRUE(edit->ShowsHint());
  EXPECT_GT(CountTint(UIRect{10, 10, 210, 40}, 8), 20);
}

TEST_F(EditCtrlTest, EmptyFocusedWithHint_Render_NoHint) {
  edit->SetAttribute("hint", "搜索记事");
  edit->SetAttribute("clrhint", "#ff00ff00");
  Focus(edit);
  host->RenderAll();
  EXPECT_FALSE(edit->ShowsHint());
  EXPECT_EQ(CountTint(UIRect{10, 10, 210, 40}, 8), 0);
}

TEST_F(EditCtrlTest, TextUnfocusedWithHint_Render_TextNotHint) {
  edit->SetAttribute("hint", "搜索");
  edit->SetAttribute("clrhint", "#ff00ff00");
  edit->SetAttribute("clr", "#ffff0000");
  edit->SetAttribute("txt", "abc");
  host->RenderAll();
  EXPECT_EQ(CountTint(UIRect{10, 10, 210, 40}, 8), 0);
  EXPECT_GT(CountTint(UIRect{10, 10, 210, 40}, 16), 10);
}

// --- Enter ----------------------------------------------------------------------------

TEST_F(EditCtrlTest, SingleLine_Enter_Notify13AndUnhandled) {
  Focus(edit);
  edit->SendMsg(uimsg::kSetText, 0, reinterpret_cast<intptr_t>("query"));
  EXPECT_FALSE(KeyDown(edit, vk::kReturn));
  Type(edit, U"\r");
  EXPECT_EQ(Notes(en::kReturn), 1);
  EXPECT_EQ(edit->EditText(), "query");
}

TEST_F(EditCtrlTest, WantReturn_Enter_LineBreakAndChange) {
  edit->SetAttribute("editstyle", "ES_MULTILINE|ES_WANTRETURN|ES_AUTOVSCROLL");
  Focus(edit);
  Type(edit, U"ab");
  const int changes = Notes(en::kChange);
  EXPECT_TRUE(KeyDown(edit, vk::kReturn));
  Type(edit, U"\r");
  Type(edit, U"cd");
  EXPECT_EQ(edit->EditText(), "ab\ncd");
  EXPECT_EQ(Notes(en::kReturn), 0);
  EXPECT_EQ(Notes(en::kChange), changes + 3);
  EXPECT_EQ(edit->SendMsg(editmsg::kGetLineCount, 0, 0), 2);
}

TEST_F(EditCtrlTest, SingleLineCtrlEnter_Enter_NoNotify) {
  Focus(edit);
  KeyDown(edit, vk::kControl);
  KeyDown(edit, vk::kReturn);
  EXPECT_EQ(Notes(en::kReturn), 0);
}

// --- Styles ---------------------------------------------------------------------------

TEST_F(EditCtrlTest, NumberStyle_TypeMixed_OnlyDigits) {
  edit->SetAttribute("editstyle", "ES_AUTOHSCROLL|ES_NUMBER");
  Focus(edit);
  Type(edit, U"2a0x2６6");
  EXPECT_EQ(edit->EditText(), "2026");
}

TEST_F(EditCtrlTest, UnknownStyleNames_SetAttribute_PlainEditStored) {
  edit->SetAttribute("editstyle", std::string(5000, 'X') + "|ES_BOGUS|multiline|\xff\xfe");
  EXPECT_EQ(edit->Style(), 0u);
  EXPECT_EQ(edit->GetAttribute("editstyle").size(), 5000u + 22u);
  Focus(edit);
  Type(edit, U"ok");
  EXPECT_EQ(edit->EditText(), "ok");
}

TEST_F(EditCtrlTest, Password_Render_TextNotDrawnAsIs) {
  UIEditCtrl* plain = Add("10,50,200,30");
  edit->SetAttribute("editstyle", "ES_PASSWORD");
  edit->SetAttribute("txt", "iiii");
  plain->SetAttribute("txt", "iiii");
  host->RenderAll();
  // Four dots are far more ink than four narrow i's.
  EXPECT_GT(CountInk(UIRect{10, 10, 210, 40}), CountInk(UIRect{10, 50, 210, 80}));
  EXPECT_EQ(edit->SendMsg(editmsg::kGetPasswordChar, 0, 0), 0x25CF);
}

TEST_F(EditCtrlTest, FontAttribute16_Render_SameAsDefault) {
  UIEditCtrl* other = Add("10,50,200,30");
  other->SetAttribute("font", "16");
  edit->SetAttribute("txt", "字体 Font");
  other->SetAttribute("txt", "字体 Font");
  host->RenderAll();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(host->PixelAt(10 + x, 10 + y), host->PixelAt(10 + x, 50 + y)) << x << "," << y;
  EXPECT_EQ(other->GetAttribute("font"), "16");
  EXPECT_GT(CountInk(UIRect{10, 10, 210, 40}), 20);
}

TEST_F(EditCtrlTest, Centre_Render_InkInTheMiddle) {
  edit->SetAttribute("editstyle", "ES_CENTER");
  edit->SetAttribute("txt", "mm");
  host->RenderAll();
  EXPECT_EQ(CountInk(UIRect{10, 10, 80, 40}), 0);
  EXPECT_GT(CountInk(UIRect{90, 10, 130, 40}), 5);
}

// --- Caret ----------------------------------------------------------------------------

TEST_F(EditCtrlTest, Focused_CaretTimer_BlinksEvery1000ms) {
  Focus(edit);
  const uint32_t id = UIControl::ControlTimerId(UIEditCtrl::kCaretTimer, edit->Serial());
  ASSERT_EQ(host->Timers().count(id), 1u);
  EXPECT_EQ(host->Timers().at(id), 1000u);
  EXPECT_TRUE(edit->CaretShown());
  host->FireTimer(id);
  EXPECT_FALSE(edit->CaretShown());
  host->FireTimer(id);
  EXPECT_TRUE(edit->CaretShown());
  host->SetFocusId(0);
  EXPECT_FALSE(edit->CaretShown());
  EXPECT_EQ(host->Timers().count(id), 0u);
  EXPECT_EQ(Notes(en::kSetFocus), 1);
  EXPECT_EQ(Notes(en::kKillFocus), 1);
}

TEST_F(EditCtrlTest, CaretShown_Render_InvertsPixels) {
  auto* back = new UIControl();
  host->AddChild(back);
  host->SendToBack();
  back->SetAttribute("pos", "0,0,300,120");
  back->SetAttribute("back", "clr:clr=#ffffffff");
  back->SendToBack();
  Focus(edit);
  host->RenderAll();
  const UIRect caret = edit->CaretRect().Offset(10, 10);
  EXPECT_EQ(host->PixelAt(caret.left, (caret.top + caret.bottom) / 2), 0xFF000000u);
  host->FireTimer(UIControl::ControlTimerId(UIEditCtrl::kCaretTimer, edit->Serial()));
  host->RenderAll();
  EXPECT_EQ(host->PixelAt(caret.left, (caret.top + caret.bottom) / 2), kWhite);
}

TEST_F(EditCtrlTest, Typing_CaretTimer_Restarted) {
  Focus(edit);
  const uint32_t id = UIControl::ControlTimerId(UIEditCtrl::kCaretTimer, edit->Serial());
  host->FireTimer(id);
  EXPECT_FALSE(edit->CaretShown());
  Type(edit, U"a");
  EXPECT_TRUE(edit->CaretShown());
  const int before = edit->CaretRect().left;
  Type(edit, U"W");
  EXPECT_GT(edit->CaretRect().left, before);
}

// --- Keyboard -------------------------------------------------------------------------

TEST_F(EditCtrlTest, ShiftArrows_KeyMessages_SelectAndCopy) {
  Focus(edit);
  edit->SetAttribute("txt", "hello world");
  KeyDown(edit, vk::kEnd);
  KeyDown(edit, vk::kShift);
  for (int i = 0; i < 5; ++i) KeyDown(edit, vk::kLeft);
  KeyUp(edit, vk::kShift);
  Chord(edit, vk::kControl, 'C');
  EXPECT_EQ(board.GetText(), "world");
  KeyDown(edit, vk::kHome);
  Chord(edit, vk::kControl, 'V');
  EXPECT_EQ(edit->EditText(), "worldhello world");
  Chord(edit, vk::kControl, 'Z');
  EXPECT_EQ(edit->EditText(), "hello world");
  Chord(edit, vk::kControl, 'A');
  Chord(edit, vk::kControl, 'X');
  EXPECT_EQ(edit->EditText(), "");
  EXPECT_EQ(board.GetText(), "hello world");
}

TEST_F(EditCtrlTest, CtrlHeld_CharMessage_TypesNothing) {
  Focus(edit);
  KeyDown(edit, vk::kControl);
  KeyDown(edit, 'A');
  Type(edit, U"\x01" "a");
  KeyUp(edit, vk::kControl);
  EXPECT_EQ(edit->EditText(), "");
}

TEST_F(EditCtrlTest, InputMethodChars_ImeCharAndChar_Inserted) {
  Focus(edit);
  edit->SendMsg(editmsg::kImeChar, 0x4E2D, 1);
  Type(edit, U"\u6587");
  EXPECT_EQ(edit->EditText(), "中文");
}

TEST_F(EditCtrlTest, Composition_SetThenCommit_ShownThenInserted) {
  Focus(edit);
  edit->SetAttribute("clr", "#ff000000");
  host->RenderAll();
  const int blank = CountInk(UIRect{10, 10, 210, 40});
  edit->SetComposition("zhong");
  host->RenderAll();
  EXPECT_GT(CountInk(UIRect{10, 10, 210, 40}), blank + 20);
  EXPECT_EQ(edit->EditText(), "");
  edit->CommitComposition("中");
  EXPECT_EQ(edit->EditText(), "中");
}

// --- Mouse ----------------------------------------------------------------------------

TEST_F(EditCtrlTest, Click_LButtonDown_FocusesAndPlacesCaret) {
  edit->SetAttribute("txt", "abcdefgh");
  edit->SendMsg(uimsg::kLButtonDown, 0, Lp(12, 25));
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(12, 25));
  EXPECT_EQ(host->GetFocusId(), edit->Serial());
  EXPECT_EQ(edit->Engine().Caret(), 0u);
  edit->SendMsg(uimsg::kLButtonDown, 0, Lp(205, 25));
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(205, 25));
  EXPECT_EQ(edit->Engine().Caret(), 8u);
}

TEST_F(EditCtrlTest, Drag_MouseMove_SelectsAndCaptures) {
  edit->SetAttribute("txt", "abcdefgh");
  edit->SendMsg(uimsg::kLButtonDown, 0, Lp(12, 25));
  EXPECT_EQ(host->GetCaptureId(), edit->Serial());
  edit->SendMsg(uimsg::kMouseMove, 0, Lp(205, 25));
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(205, 25));
  EXPECT_EQ(host->GetCaptureId(), 0);
  EXPECT_EQ(edit->Engine().SelStart(), 0u);
  EXPECT_EQ(edit->Engine().SelEnd(), 8u);
}

TEST_F(EditCtrlTest, ShiftClick_LButtonDown_ExtendsSelection) {
  edit->SetAttribute("txt", "abcdefgh");
  Focus(edit);
  edit->SendMsg(editmsg::kSetSel, 2, 2);
  edit->SendMsg(uimsg::kLButtonDown, 0x04, Lp(205, 25));
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(205, 25));
  EXPECT_EQ(edit->Engine().SelStart(), 2u);
  EXPECT_EQ(edit->Engine().SelEnd(), 8u);
}

TEST_F(EditCtrlTest, DoubleClick_OnWord_SelectsWord) {
  edit->SetAttribute("txt", "one two three");
  Focus(edit);
  const intptr_t pos = edit->SendMsg(editmsg::kPosFromChar, 5, 0);
  const int x = 10 + LParamLow(pos) + 2, y = 10 + LParamHigh(pos) + 5;
  edit->SendMsg(uimsg::kLButtonDown, 0, Lp(x, y));
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(x, y));
  edit->SendMsg(uimsg::kLButtonDblClk, 0, Lp(x, y));
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(x, y));
  EXPECT_EQ(edit->Engine().SelectedTextUtf8(), "two");
}

TEST_F(EditCtrlTest, DragOutside_AutoScrollTimer_ExtendsAndScrolls) {
  std::string longText(200, 'w');
  edit->SetAttribute("txt", longText);
  edit->SendMsg(uimsg::kLButtonDown, 0, Lp(12, 25));
  edit->SendMsg(uimsg::kMouseMove, 0, Lp(260, 25));
  const uint32_t id = UIControl::ControlTimerId(UIEditCtrl::kAutoScrollTimer, edit->Serial());
  ASSERT_EQ(host->Timers().count(id), 1u);
  const size_t before = edit->Engine().Caret();
  for (int i = 0; i < 10; ++i) host->FireTimer(id);
  EXPECT_EQ(edit->Engine().Caret(), before + 10);
  edit->SendMsg(uimsg::kLButtonUp, 0, Lp(260, 25));
  EXPECT_EQ(host->Timers().count(id), 0u);
  EXPECT_LE(edit->CaretRect().right, 200);  // scrolled along: the caret stays inside
}

TEST_F(EditCtrlTest, Selection_RenderFocusedAndNot_HighlightOnlyWhenFocused) {
  edit->SetAttribute("txt", "selected text");
  Focus(edit);
  edit->SendMsg(editmsg::kSetSel, 0, -1);
  host->RenderAll();
  EXPECT_GT(CountColour(UIRect{10, 10, 210, 40}, 0xFF0078D7), 50);
  host->SetFocusId(0);
  host->RenderAll();
  EXPECT_EQ(CountColour(UIRect{10, 10, 210, 40}, 0xFF0078D7), 0);
}

// --- Messages -------------------------------------------------------------------------

TEST_F(EditCtrlTest, SetTextGetText_SmallBuffer_WholeCodePoints) {
  edit->SendMsg(uimsg::kSetText, 0, reinterpret_cast<intptr_t>("a中文"));
  EXPECT_EQ(edit->SendMsg(editmsg::kGetTextLength, 0, 0), 7);
  char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(edit->SendMsg(editmsg::kGetText, sizeof buffer, reinterpret_cast<intptr_t>(buffer)), 4);
  EXPECT_STREQ(buffer, "a中");
  EXPECT_EQ(edit->Text(), "a中文");  // the control's own text follows
}

TEST_F(EditCtrlTest, SetText_InvalidUtf8_Sanitised) {
  edit->SendMsg(uimsg::kSetText, 0, reinterpret_cast<intptr_t>("ab\xc3\x28\xff"));
  EXPECT_EQ(edit->EditText(), "ab\xEF\xBF\xBD(\xEF\xBF\xBD");
  edit->SendMsg(uimsg::kSetText, 0, 0);
  EXPECT_EQ(edit->EditText(), "");
}

TEST_F(EditCtrlTest, SetSelGetSel_Messages_RoundTrip) {
  edit->SetAttribute("txt", "0123456789");
  edit->SendMsg(editmsg::kSetSel, 3, 7);
  uint32_t start = 0, end = 0;
  const intptr_t packed =
      edit->SendMsg(editmsg::kGetSel, reinterpret_cast<uintptr_t>(&start), reinterpret_cast<intptr_t>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 7u);
  EXPECT_EQ(packed, (7 << 16) | 3);
  edit->SendMsg(editmsg::kReplaceSel, 1, reinterpret_cast<intptr_t>("-"));
  EXPECT_EQ(edit->EditText(), "012-789");
  EXPECT_EQ(edit->SendMsg(editmsg::kCanUndo, 0, 0), 1);
  edit->SendMsg(editmsg::kUndo, 0, 0);
  EXPECT_EQ(edit->EditText(), "0123456789");
}

TEST_F(EditCtrlTest, LimitText_TypePast_MaxTextNotify) {
  Focus(edit);
  edit->SendMsg(editmsg::kLimitText, 3, 0);
  EXPECT_EQ(edit->SendMsg(editmsg::kGetLimitText, 0, 0), 3);
  Type(edit, U"abcd");
  EXPECT_EQ(edit->EditText(), "abc");
  EXPECT_EQ(Notes(en::kMaxText), 1);
}

TEST_F(EditCtrlTest, ReadOnlyMessage_Type_Refused) {
  Focus(edit);
  EXPECT_EQ(edit->SendMsg(editmsg::kSetReadOnly, 1, 0), 1);
  Type(edit, U"a");
  EXPECT_EQ(edit->EditText(), "");
  edit->SendMsg(editmsg::kSetReadOnly, 0, 0);
  Type(edit, U"a");
  EXPECT_EQ(edit->EditText(), "a");
}

TEST_F(EditCtrlTest, Multiline_LineMessages_DisplayLines) {
  edit->SetAttribute("editstyle", "ES_MULTILINE|ES_AUTOHSCROLL");
  edit->SetAttribute("txt", "one\ntwo\nthree");
  EXPECT_EQ(edit->SendMsg(editmsg::kGetLineCount, 0, 0), 3);
  EXPECT_EQ(edit->SendMsg(editmsg::kLineIndex, 2, 0), 8);
  EXPECT_EQ(edit->SendMsg(editmsg::kLineIndex, 3, 0), -1);
  EXPECT_EQ(edit->SendMsg(editmsg::kLineFromChar, 5, 0), 1);
  EXPECT_EQ(edit->SendMsg(editmsg::kLineLength, 9, 0), 5);
  char line[16] = {};
  const uint16_t size = sizeof line;
  std::memcpy(line, &size, sizeof size);
  EXPECT_EQ(edit->SendMsg(editmsg::kGetLine, 1, reinterpret_cast<intptr_t>(line)), 3);
  EXPECT_EQ(std::string(line, 3), "two");
}

TEST_F(EditCtrlTest, MultilineWrap_LongText_WrapsIntoLines) {
  edit->SetAttribute("editstyle", "ES_MULTILINE|ES_WANTRETURN");
  edit->SetAttribute("txt", std::string(60, 'a') + " " + std::string(60, 'b'));
  EXPECT_GE(edit->SendMsg(editmsg::kGetLineCount, 0, 0), 2);
}

TEST_F(EditCtrlTest, Wheel_MultilineScrolled_VScrollNotify) {
  edit->SetAttribute("editstyle", "ES_MULTILINE|ES_AUTOVSCROLL");
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line " + std::to_string(i) + "\n";
  edit->SetAttribute("txt", text);
  const intptr_t r = edit->SendMsg(uimsg::kMouseWheel, static_cast<uintptr_t>(static_cast<uint16_t>(-120)) << 16, 0);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Notes(en::kVScroll), 1);
  EXPECT_GT(edit->SendMsg(editmsg::kGetFirstVisibleLine, 0, 0), 0);
}

// --- Commands for the context menu ----------------------------------------------------------

TEST_F(EditCtrlTest, ContextCommands_Operations_ActAsMenuItems) {
  Focus(edit);
  edit->SetAttribute("txt", "menu text");
  EXPECT_FALSE(edit->CanCopy());
  edit->SelectAll();
  EXPECT_TRUE(edit->CanCut());
  EXPECT_TRUE(edit->Copy());
  EXPECT_TRUE(edit->DeleteSelection());
  EXPECT_EQ(edit->EditText(), "");
  EXPECT_TRUE(edit->CanPaste());
  EXPECT_TRUE(edit->Paste());
  EXPECT_TRUE(edit->CanUndo());
  EXPECT_TRUE(edit->Undo());
  EXPECT_EQ(edit->EditText(), "");
}

// --- Documents and robustness ----------------------------------------------------------------

TEST_F(EditCtrlTest, Factory_AllThreeNames_MakeEditControls) {
  RegisterBuiltinFactories();
  for (const char* name : {"UIEditCtrl", "UIEdit", "UINativeEdit"}) {
    UIControl* c = FactoryRegistry::Instance().Create(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_STREQ(c->ClassName(), "UIEditCtrl");
    EXPECT_TRUE(c->IsFocusable());
    c->Release();
  }
}

TEST_F(EditCtrlTest, HugePasteNoLimit_PasteAndRender_Bounded) {
  edit->SetAttribute("editstyle", "ES_MULTILINE|ES_WANTRETURN|ES_AUTOVSCROLL");
  edit->SendMsg(editmsg::kLimitText, 0, 0);
  Focus(edit);
  std::string big;
  big.reserve(10u << 20);
  while (big.size() < (10u << 20)) big += "十兆字节的粘贴测试 paste test\xff\n";
  board.SetText(big);
  Chord(edit, vk::kControl, 'V');
  EXPECT_EQ(edit->Engine().Length(), EditEngine::kMaxLimit);
  host->RenderAll();
  EXPECT_GT(CountInk(UIRect{10, 10, 210, 40}), 20);
  KeyDown(edit, vk::kBack);
  EXPECT_EQ(edit->Engine().Length(), EditEngine::kMaxLimit - 1);
}

}  // namespace
}  // namespace vr
