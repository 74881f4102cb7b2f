#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/MemoryClipboard.h"
#include "platform/VirtualKeys.h"
#include "ui/EditEngine.h"
#include "ui/EditStyle.h"
#include "ui/Utf8Text.h"

namespace vr {
namespace {

// Records what the engine reports.
struct Recorder : EditEngineListener {
  std::vector<int> notes;
  int refused = 0;
  int selectionChanges = 0;
  void OnEditNotify(int code) override { notes.push_back(code); }
  void OnEditRefused() override { ++refused; }
  void OnEditSelectionChanged() override { ++selectionChanges; }
  int Count(int code) const { return static_cast<int>(std::count(notes.begin(), notes.end(), code)); }
};

class EditEngineTest : public ::testing::Test {
 protected:
  void Make(uint32_t style) {
    owned = std::make_unique<EditEngine>(style);
    owned->SetListener(&rec);
    owned->SetClipboard(&board);
    engine = owned.get();
  }
  void SetUp() override { Make(es::kAutoHScroll); }
  void Type(const std::string& utf8) {
    for (char32_t cp : DecodeUtf8Lossy(utf8)) engine->TypeChar(cp);
  }
  void Key(int vk, bool shift = false, bool ctrl = false) { engine->KeyDown(vk, shift, ctrl); }

  Recorder rec;
  MemoryClipboard board;
  std::unique_ptr<EditEngine> owned;
  EditEngine* engine = nullptr;
};

// --- UTF-8 at the edge ---------------------------------------------------------

struct Utf8Case {
  const char* name;
  std::string input;
  std::u32string expected;
};

class Utf8Decode : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Decode, Input_Decode_ReplacesEachBadByte) { EXPECT_EQ(DecodeUtf8Lossy(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Edit, Utf8Decode,
    ::testing::Values(Utf8Case{"Ascii", "ab", U"ab"}, Utf8Case{"Chinese", "\xE4\xB8\xAD", U"\u4E2D"},
                      Utf8Case{"Emoji", "\xF0\x9F\x98\x80", U"\U0001F600"},
                      Utf8Case{"LoneContinuation", "a\x80" "b", U"a\uFFFDb"},
                      Utf8Case{"Overlong", "\xC0\xAF", U"\uFFFD\uFFFD"},
                      Utf8Case{"Surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
                      Utf8Case{"BeyondMax", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
                      Utf8Case{"Truncated", "x\xE4\xB8", U"x\uFFFD\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8Text, AnyBytes_SanitiseTwice_Stable) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  const std::string once = SanitizeUtf8(bytes);
  EXPECT_EQ(SanitizeUtf8(once), once);
}

// --- Style names -----------------------------------------------------------------

struct StyleCase {
  const char* name;
  const char* value;
  uint32_t expected;
};

class EditStyleParse : public ::testing::TestWithParam<StyleCase> {};

TEST_P(EditStyleParse, Value_Parse_SumOfNamesFound) { EXPECT_EQ(ParseEditStyle(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Edit, EditStyleParse,
    ::testing::Values(
        StyleCase{"NoteText", "ES_MULTILINE|ES_WANTRETURN|ES_AUTOVSCROLL", 0x4u | 0x1000u | 0x40u},
        StyleCase{"Number", "ES_AUTOHSCROLL|ES_NUMBER", 0x80u | 0x2000u},
        StyleCase{"AllUnknown", "ES_FOO|BAR|es_number|ES-PASSWORD", 0u},
        StyleCase{"Repeated", "ES_PASSWORD ES_PASSWORD", 0x20u},
        StyleCase{"NoSeparators", "xxES_CENTERyyES_RIGHTzzES_READONLY", 0x1u | 0x2u | 0x800u},
        StyleCase{"Case", "ES_UPPERCASE,ES_LOWERCASE,ES_NOHIDESEL,ES_OEMCONVERT",
                  0x8u | 0x10u | 0x100u | 0x400u},
        StyleCase{"Empty", "", 0u}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Typing and the filters --------------------------------------------------------

TEST_F(EditEngineTest, Empty_TypeText_TextAndCaretAtEnd) {
  Type("ab中文");
  EXPECT_EQ(engine->TextUtf8(), "ab中文");
  EXPECT_EQ(engine->Caret(), 4u);
  EXPECT_FALSE(engine->HasSelection());
  EXPECT_EQ(rec.Count(en::kChange), 4);
  EXPECT_TRUE(engine->Modified());
}

TEST_F(EditEngineTest, Selection_Type_ReplacesSelection) {
  engine->SetText("hello world");
  engine->SetSel(0, 5);
  Type("J");
  EXPECT_EQ(engine->TextUtf8(), "J world");
  EXPECT_EQ(engine->Caret(), 1u);
}

TEST_F(EditEngineTest, NumberStyle_TypeLetters_RefusedDigitsAccepted) {
  Make(es::kAutoHScroll | es::kNumber);
  Type("1a2Ｂ3");
  EXPECT_EQ(engine->TextUtf8(), "123");
  EXPECT_EQ(rec.refused, 2);
}

TEST_F(EditEngineTest, NumberStyle_PasteWithLetters_RefusedWhole) {
  Make(es::kNumber);
  board.SetText("12ab");
  EXPECT_FALSE(engine->Paste());
  EXPECT_EQ(engine->TextUtf8(), "");
  board.SetText("0042");
  EXPECT_TRUE(engine->Paste());
  EXPECT_EQ(engine->TextUtf8(), "0042");
}

TEST_F(EditEngineTest, ReadOnly_TypeAndPasteAndDelete_NothingChanges) {
  Make(es::kReadOnly);
  engine->SetText("fixed");
  board.SetText("x");
  Type("a");
  engine->Paste();
  engine->SetSel(0, -1);
  Key(vk::kDelete);
  Key(vk::kBack);
  EXPECT_EQ(engine->TextUtf8(), "fixed");
  EXPECT_EQ(rec.refused, 4);
  EXPECT_TRUE(engine->Copy());  // reading is still allowed
  EXPECT_EQ(board.GetText(), "fixed");
}

struct CaseStyle {
  const char* name;
  uint32_t style;
  const char* typed;
  const char* expected;
};

class EditCaseStyle : public ::testing::TestWithParam<CaseStyle> {};

TEST_P(EditCaseStyle, Style_Type_Converted) {
  EditEngine e(GetParam().style);
  for (char32_t cp : DecodeUtf8Lossy(GetParam().typed)) e.TypeChar(cp);
  EXPECT_EQ(e.TextUtf8(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Edit, EditCaseStyle,
                         ::testing::Values(CaseStyle{"Upper", es::kUppercase, "abcÄé中", "ABCÄÉ中"},
                                           CaseStyle{"Lower", es::kLowercase, "ABCÄÉ中", "abcäé中"},
                                           CaseStyle{"Neither", 0, "aB", "aB"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditEngineTest, Password_DisplayAndCopy_MaskedAndRefused) {
  Make(es::kPassword);
  engine->SetText("s3cret");
  EXPECT_EQ(engine->DisplayText(), std::u32string(6, EditEngine::kDefaultPasswordChar));
  engine->SelectAll();
  board.SetText("before");
  EXPECT_FALSE(engine->Copy());
  EXPECT_FALSE(engine->Cut());
  EXPECT_EQ(board.GetText(), "before");
  EXPECT_EQ(engine->TextUtf8(), "s3cret");
}

TEST_F(EditEngineTest, Password_SetPasswordCharZero_StyleOff) {
  Make(es::kPassword);
  engine->SetPasswordChar(0);
  EXPECT_FALSE(engine->Has(es::kPassword));
  engine->SetPasswordChar(U'*');
  engine->SetText("ab");
  EXPECT_EQ(engine->DisplayText(), U"**");
}

// --- Lines -------------------------------------------------------------------------

TEST_F(EditEngineTest, SingleLine_PasteLines_KeepsFirstLine) {
  board.SetText("first\r\nsecond");
  engine->Paste();
  EXPECT_EQ(engine->TextUtf8(), "first");
}

TEST_F(EditEngineTest, Multiline_PasteCrLf_BecomesLf) {
  Make(es::kMultiline);
  board.SetText("a\r\nb\rc\nd");
  engine->Paste();
  EXPECT_EQ(engine->TextUtf8(), "a\nb\nc\nd");
  EXPECT_EQ(engine->Buffer().LineCount(), 4u);
}

TEST_F(EditEngineTest, SingleLine_InsertLineBreak_Refused) {
  EXPECT_FALSE(engine->InsertLineBreak());
  Make(es::kMultiline);
  EXPECT_TRUE(engine->InsertLineBreak());
  EXPECT_EQ(engine->TextUtf8(), "\n");
}

TEST_F(EditEngineTest, ControlCharacters_Paste_Dropped) {
  board.SetText("a\x01" "b\x7f" "c\xc2\x85" "d\te");
  engine->Paste();
  EXPECT_EQ(engine->TextUtf8(), "abcd\te");
}

// --- Limit -------------------------------------------------------------------------

TEST_F(EditEngineTest, Limit_TypePastLimit_RefusedWithMaxText) {
  engine->SetLimit(3);
  Type("abcd");
  EXPECT_EQ(engine->TextUtf8(), "abc");
  EXPECT_EQ(rec.Count(en::kMaxText), 1);
}

TEST_F(EditEngineTest, Limit_PasteLonger_TruncatedToRoom) {
  engine->SetLimit(5);
  engine->SetText("ab");
  engine->SetSel(2, 2);
  board.SetText("中文字符串");
  engine->Paste();
  EXPECT_EQ(engine->TextUtf8(), "ab中文字");
  EXPECT_EQ(rec.Count(en::kMaxText), 1);
}

TEST_F(EditEngineTest, Limit_SetTextLonger_NotLimited) {
  engine->SetLimit(2);
  engine->SetText("abcdef");
  EXPECT_EQ(engine->Length(), 6u);
}

TEST_F(EditEngineTest, LimitZero_SetLimit_LargestLimit) {
  engine->SetLimit(0);
  EXPECT_EQ(engine->Limit(), EditEngine::kMaxLimit);
  engine->SetLimit(size_t{1} << 40);
  EXPECT_EQ(engine->Limit(), EditEngine::kMaxLimit);
}

TEST_F(EditEngineTest, HugePaste_Paste_BoundedAndWhole) {
  Make(es::kMultiline);
  engine->SetLimit(0);
  std::string big;
  big.reserve(10u << 20);
  while (big.size() < (10u << 20)) big += "一二三四五六七八九十abcdefghij\n";
  board.SetText(big);
  EXPECT_TRUE(engine->Paste());
  EXPECT_EQ(engine->Length(), EditEngine::kMaxLimit);
  EXPECT_EQ(rec.Count(en::kMaxText), 1);
  EXPECT_TRUE(engine->Undo());
  EXPECT_EQ(engine->Length(), 0u);
}

TEST_F(EditEngineTest, InvalidUtf8_SetText_ReplacementCharacters) {
  engine->SetText("ok\xff\xfe!");
  EXPECT_EQ(engine->Text(), U"ok\uFFFD\uFFFD!");
  EXPECT_EQ(engine->TextUtf8(), "ok\xEF\xBF\xBD\xEF\xBF\xBD!");
}

// --- Selection and keys --------------------------------------------------------------

TEST_F(EditEngineTest, SetSel_Table_Selection) {
  engine->SetText("abcdef");
  struct Case {
    long long start, end;
    size_t anchor, caret;
  };
  const Case cases[] = {{0, -1, 0, 6}, {2, 4, 2, 4}, {4, 2, 4, 2}, {3, 100, 3, 6}, {100, 100, 6, 6}};
  for (const Case& c : cases) {
    engine->SetSel(c.start, c.end);
    EXPECT_EQ(engine->Anchor(), c.anchor) << c.start << "," << c.end;
    EXPECT_EQ(engine->Caret(), c.caret) << c.start << "," << c.end;
  }
  engine->SetSel(-1, 0);  // deselects, caret stays
  EXPECT_EQ(engine->Caret(), 6u);
  EXPECT_FALSE(engine->HasSelection());
}

TEST_F(EditEngineTest, ShiftArrows_KeyDown_ExtendFromAnchor) {
  engine->SetText("hello");
  engine->SetSel(2, 2);
  Key(vk::kRight, true);
  Key(vk::kRight, true);
  EXPECT_EQ(engine->SelStart(), 2u);
  EXPECT_EQ(engine->SelEnd(), 4u);
  Key(vk::kHome, true);
  EXPECT_EQ(engine->Anchor(), 2u);
  EXPECT_EQ(engine->Caret(), 0u);
  Key(vk::kLeft);  // collapses to the selection's start
  EXPECT_FALSE(engine->HasSelection());
  EXPECT_EQ(engine->Caret(), 0u);
  Key(vk::kEnd);
  EXPECT_EQ(engine->Caret(), 5u);
}

TEST_F(EditEngineTest, Multiline_UpDown_KeepsColumn) {
  Make(es::kMultiline);
  engine->SetText("abcdef\nxy\n012345");
  engine->SetSel(5, 5);
  Key(vk::kDown);
  EXPECT_EQ(engine->Caret(), 9u);  // end of the short line
  Key(vk::kDown);
  EXPECT_EQ(engine->Caret(), 15u);  // column 5 again
  Key(vk::kUp, true);
  EXPECT_EQ(engine->Anchor(), 15u);
  EXPECT_EQ(engine->Caret(), 9u);
  Key(vk::kHome);
  EXPECT_EQ(engine->Caret(), 7u);
}

TEST_F(EditEngineTest, CtrlArrows_KeyDown_WordStarts) {
  engine->SetText("one two  three");
  engine->SetSel(0, 0);
  Key(vk::kRight, false, true);
  EXPECT_EQ(engine->Caret(), 4u);
  Key(vk::kRight, false, true);
  EXPECT_EQ(engine->Caret(), 9u);
  Key(vk::kLeft, false, true);
  EXPECT_EQ(engine->Caret(), 4u);
}

TEST_F(EditEngineTest, SelectWordAt_Positions_WordRuns) {
  engine->SetText("hi, 中文字 ok");
  struct Case {
    size_t pos, from, to;
  };
  const Case cases[] = {{0, 0, 2}, {1, 0, 2}, {2, 2, 3}, {5, 4, 7}, {9, 8, 10}, {10, 8, 10}};
  for (const Case& c : cases) {
    engine->SelectWordAt(c.pos);
    EXPECT_EQ(engine->SelStart(), c.from) << c.pos;
    EXPECT_EQ(engine->SelEnd(), c.to) << c.pos;
  }
}

TEST_F(EditEngineTest, CtrlA_CtrlC_CtrlX_CtrlV_ClipboardRoundTrip) {
  engine->SetText("copy me");
  Key('A', false, true);
  Key('C', false, true);
  EXPECT_EQ(board.GetText(), "copy me");
  Key('X', false, true);
  EXPECT_EQ(engine->TextUtf8(), "");
  Key('V', false, true);
  Key('V', false, true);
  EXPECT_EQ(engine->TextUtf8(), "copy mecopy me");
}

TEST_F(EditEngineTest, BackspaceDelete_KeyDown_RemoveAroundCaret) {
  engine->SetText("abcd");
  engine->SetSel(2, 2);
  Key(vk::kBack);
  EXPECT_EQ(engine->TextUtf8(), "acd");
  Key(vk::kDelete);
  EXPECT_EQ(engine->TextUtf8(), "ad");
  EXPECT_EQ(engine->Caret(), 1u);
  engine->SetSel(0, 0);
  Key(vk::kBack);
  EXPECT_EQ(engine->TextUtf8(), "ad");
}

// --- Undo ------------------------------------------------------------------------------

TEST_F(EditEngineTest, Typing_UndoOnce_RemovesWholeRun) {
  Type("hello");
  Key(vk::kLeft);
  Key(vk::kRight);
  Type(" you");
  EXPECT_TRUE(engine->Undo());
  EXPECT_EQ(engine->TextUtf8(), "hello");
  EXPECT_TRUE(engine->Undo());
  EXPECT_EQ(engine->TextUtf8(), "");
  EXPECT_FALSE(engine->Undo());
  EXPECT_TRUE(engine->Redo());
  EXPECT_EQ(engine->TextUtf8(), "hello");
}

TEST_F(EditEngineTest, Backspaces_Undo_RestoresTextAndSelection) {
  engine->SetText("abcdef");
  engine->SetSel(6, 6);
  Key(vk::kBack);
  Key(vk::kBack);
  Key(vk::kBack);
  EXPECT_EQ(engine->TextUtf8(), "abc");
  Key('Z', false, true);
  EXPECT_EQ(engine->TextUtf8(), "abcdef");
  EXPECT_EQ(engine->Caret(), 6u);
}

TEST_F(EditEngineTest, ReplaceSelection_Undo_RestoresSelection) {
  engine->SetText("one two");
  engine->SetSel(4, 7);
  Type("X");
  engine->Undo();
  EXPECT_EQ(engine->TextUtf8(), "one two");
  EXPECT_EQ(engine->SelStart(), 4u);
  EXPECT_EQ(engine->SelEnd(), 7u);
}

TEST_F(EditEngineTest, SetText_AfterEdits_UndoEmptied) {
  Type("abc");
  engine->SetText("new");
  EXPECT_FALSE(engine->CanUndo());
  EXPECT_FALSE(engine->Modified());
  EXPECT_EQ(engine->Caret(), 0u);
}

TEST_F(EditEngineTest, LineBreaks_Undo_EachLineOwnStep) {
  Make(es::kMultiline);
  Type("ab");
  engine->InsertLineBreak();
  Type("cd");
  engine->Undo();
  EXPECT_EQ(engine->TextUtf8(), "ab\n");
  engine->Undo();
  EXPECT_EQ(engine->TextUtf8(), "ab");
}

// --- Commands for the context menu ----------------------------------------------------------

TEST_F(EditEngineTest, Commands_States_FollowSelectionAndStyle) {
  EXPECT_FALSE(engine->CanUndo());
  EXPECT_FALSE(engine->CanCut());
  EXPECT_FALSE(engine->CanCopy());
  EXPECT_FALSE(engine->CanDelete());
  EXPECT_FALSE(engine->CanSelectAll());
  EXPECT_FALSE(engine->CanPaste());
  board.SetText("x");
  EXPECT_TRUE(engine->CanPaste());
  Type("ab");
  engine->SetSel(0, 1);
  EXPECT_TRUE(engine->CanUndo());
  EXPECT_TRUE(engine->CanCut());
  EXPECT_TRUE(engine->CanCopy());
  EXPECT_TRUE(engine->CanDelete());
  EXPECT_TRUE(engine->CanSelectAll());
  engine->SetReadOnly(true);
  EXPECT_FALSE(engine->CanCut());
  EXPECT_TRUE(engine->CanCopy());
  EXPECT_FALSE(engine->CanDelete());
  EXPECT_FALSE(engine->CanPaste());
  EXPECT_FALSE(engine->CanUndo());
}

TEST_F(EditEngineTest, DeleteSelection_Command_RemovesSelectedOnly) {
  engine->SetText("abcdef");
  engine->SetSel(1, 3);
  EXPECT_TRUE(engine->DeleteSelection());
  EXPECT_EQ(engine->TextUtf8(), "adef");
  EXPECT_FALSE(engine->DeleteSelection());
}

TEST_F(EditEngineTest, ReplaceSel_CannotUndo_HistoryEmptied) {
  Type("ab");
  EXPECT_TRUE(engine->ReplaceSel("cd", false));
  EXPECT_FALSE(engine->CanUndo());
  EXPECT_TRUE(engine->ReplaceSel("ef", true));
  EXPECT_TRUE(engine->Undo());
  EXPECT_EQ(engine->TextUtf8(), "abcd");
}

TEST_F(EditEngineTest, TypeText_InputMethodCommit_OneUndoStep) {
  Type("a");
  engine->TypeText("中文输入");
  EXPECT_EQ(engine->TextUtf8(), "a中文输入");
  engine->Undo();
  EXPECT_EQ(engine->TextUtf8(), "a");
}

}  // namespace
}  // namespace vr
