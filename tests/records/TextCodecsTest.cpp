#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "records/AttrText.h"
#include "records/GuidText.h"
#include "records/StoredTextCodec.h"
#include "records/TextSplit.h"
#include "records/TimeMath.h"
#include "records/TimeText.h"

namespace vr {
namespace {

const TimeRecord kNow = MakeTimeRecord(2026, 7, 8, 10, 11, 12);

// ------------------------------------------------------------- splitting

struct SplitCase {
  const char* text;
  std::vector<std::string> pieces;
};

TEST(SplitText, Table_Split_KeepsInnerEmptiesDropsTrailingOne) {
  const SplitCase cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a|b", {"a", "b"}},
      {"a||b", {"a", "", "b"}},
      {"a|", {"a"}},
      {"a||", {"a", ""}},
      {"|", {""}},
      {"|a", {"", "a"}},
  };
  for (const SplitCase& c : cases) {
    std::vector<std::string> got;
    for (auto p : SplitText(c.text, '|')) got.emplace_back(p);
    EXPECT_EQ(got, c.pieces) << c.text;
  }
}

TEST(ReadLeadingInt, Table_Read_TakesLeadingDigitsOnly) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"-3", -3}, {" 7", 7},
      {"+4x", 4}, {"99999999999999", 2147483647}, {"-99999999999999", -2147483647 - 1}};
  for (auto [text, value] : cases) EXPECT_EQ(ReadLeadingInt(text), value) << text;
}

// ------------------------------------------------------------- time text

TEST(FormatTime, Record_Format_PadsEveryFieldButYear) {
  EXPECT_EQ(FormatTime(MakeTimeRecord(2024, 3, 15, 9, 5, 0)), "2024/03/15 09:05:00");
  EXPECT_EQ(FormatTime(MakeTimeRecord(987, 12, 1, 23, 59, 59)), "987/12/01 23:59:59");
}

TEST(ParseTime, ShortForms_Parse_ReadLeadingIntegers) {
  const TimeRecord t = ParseTime("2024/3/5 8:7:6", kNow);
  EXPECT_EQ(t, MakeTimeRecord(2024, 3, 5, 8, 7, 6));
  EXPECT_EQ(t.dayOfWeek, 2);  // a Tuesday
}

struct ParseCase {
  const char* text;
  TimeRecord expected;
};

TEST(ParseTime, MalformedTexts_Parse_KeepTheCurrentTimeWhereUnread) {
  TimeRecord dateOnly = MakeTimeRecord(2024, 3, 5, 10, 11, 12);
  TimeRecord timeOnly = MakeTimeRecord(2026, 7, 8, 8, 7, 6);
  const ParseCase cases[] = {
      {"2024/3/5", kNow},                    // one piece: nothing read
      {"", kNow},
      {"2024/3/5 8:7:6 x", kNow},            // three pieces
      {"2024/3/5 8:7", dateOnly},            // the time piece has two parts
      {"2024/3 8:7:6", timeOnly},            // the date piece has two parts
      {"x/y/z 8:7:6", TimeRecord{0, 0, 0, 0, 8, 7, 6, 0}},
  };
  for (const ParseCase& c : cases) {
    const TimeRecord got = ParseTime(c.text, kNow);
    EXPECT_EQ(FormatTime(got), FormatTime(c.expected)) << c.text;
    if (c.expected.year != 0) {
      EXPECT_EQ(got.dayOfWeek, c.expected.dayOfWeek) << c.text;
    }
  }
}

TEST(ParseTime, EveryDayOf2024_FormatThenParse_RoundTrips) {
  for (TimeRecord t = MakeTimeRecord(2024, 1, 1, 23, 58, 7); t.year == 2024;
       t = ShiftSeconds(t, 86400)) {
    EXPECT_EQ(ParseTime(FormatTime(t), kNow), t);
  }
}

// ------------------------------------------------------------- attributes

TEST(ParseAttr, OddPieces_Parse_FollowTheSplittingRules) {
  const AttrMap attr = ParseAttr("a=1=2|b|=3");
  EXPECT_EQ(attr, (AttrMap{{"a", "1=2"}, {"", "3"}}));
  EXPECT_EQ(ParseAttr("k=1|k=2"), (AttrMap{{"k", "2"}}));
  EXPECT_TRUE(ParseAttr("").empty());
  EXPECT_TRUE(ParseAttr("|||nokey").empty());
}

TEST(FormatAttr, NoteKeys_Format_OrdersByKey) {
  AttrMap attr;
  SetAttrInt(attr, "show", 1);
  SetAttrInt(attr, "np", 2);
  SetAttrInt(attr, "nc", 1);
  SetAttrInt(attr, "nf", 0);
  EXPECT_EQ(FormatAttr(attr), "nc=1|nf=0|np=2|show=1");
  EXPECT_EQ(ParseAttr(FormatAttr(attr)), attr);
  EXPECT_EQ(FormatAttr({}), "");
}

TEST(AttrInt, MissingOrText_Read_GivesZero) {
  const AttrMap attr = ParseAttr("nc=3|np=x");
  EXPECT_EQ(AttrInt(attr, "nc"), 3);
  EXPECT_EQ(AttrInt(attr, "np"), 0);
  EXPECT_EQ(AttrInt(attr, "nf"), 0);
}

// ------------------------------------------------------------- stored-text codec

std::string Base64Standard(const std::string& bytes) {
  static const char* kStd = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (char c : StoredTextCodec::Encode(bytes)) {
    const size_t i = StoredTextCodec::kAlphabet.find(c);
    out += i == std::string_view::npos ? c : kStd[i];
  }
  return out;
}

TEST(StoredTextCodec, Alphabet_IsAPermutationOfBase64) {
  std::set<char> symbols(StoredTextCodec::kAlphabet.begin(), StoredTextCodec::kAlphabet.end());
  EXPECT_EQ(symbols.size(), 64u);
  const std::string std64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  EXPECT_EQ(symbols, std::set<char>(std64.begin(), std64.end()));
  EXPECT_NE(StoredTextCodec::kAlphabet, std64);
}

TEST(StoredTextCodec, KnownTexts_Encode_MatchBase64UnderThePermutation) {
  // RFC 4648 test vectors, mapped back to the standard alphabet.
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},         {"f", "Zg=="},     {"fo", "Zm8="},        {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
  for (auto [text, base64] : cases) EXPECT_EQ(Base64Standard(text), base64) << text;
}

TEST(StoredTextCodec, LongTexts_Encode_BreakLineAfterEvery19thFullGroup) {
  const std::string exact(57, 'x');      // exactly 19 full groups
  const std::string more(57 + 1, 'x');   // 19 full groups and a padded one
  const std::string two(114, 'x');       // 38 full groups
  const std::string e1 = StoredTextCodec::Encode(exact);
  EXPECT_EQ(e1.size(), 78u);
  EXPECT_EQ(e1.substr(76), "\r\n");
  const std::string e2 = StoredTextCodec::Encode(more);
  EXPECT_EQ(e2.substr(76, 2), "\r\n");
  EXPECT_EQ(e2.size(), 82u);
  EXPECT_EQ(e2.back(), '=');
  const std::string e3 = StoredTextCodec::Encode(two);
  EXPECT_EQ(e3.size(), 156u);
  EXPECT_EQ(e3.substr(76, 2), "\r\n");
  EXPECT_EQ(e3.substr(154), "\r\n");
}

TEST(StoredTextCodec, ManyLengths_EncodeThenDecode_RoundTrips) {
  std::string text;
  for (int n = 0; n < 300; ++n) {
    EXPECT_EQ(StoredTextCodec::Decode(StoredTextCodec::Encode(text)), text) << n;
    text += static_cast<char>(n * 37 + 11);
  }
  const std::string chinese = "密码：p@ss=word|你好";
  EXPECT_EQ(StoredTextCodec::Decode(StoredTextCodec::Encode(chinese)), chinese);
}

TEST(StoredTextCodec, BrokenInput_Decode_NeverFailsAndSkipsLineBreaks) {
  const std::string enc = StoredTextCodec::Encode("abcdef");
  EXPECT_EQ(StoredTextCodec::Decode(enc.substr(0, 4) + "\r\n" + enc.substr(4)), "abcdef");
  // Symbols outside the alphabet count as 0: "...." is three zero bytes.
  EXPECT_EQ(StoredTextCodec::Decode("...."), std::string(3, '\0'));
  EXPECT_EQ(StoredTextCodec::Decode("="), "");
  EXPECT_EQ(StoredTextCodec::Decode(enc.substr(0, 6)), "abcd");  // truncated final group
}

// ------------------------------------------------------------- GUID text

TEST(MakeGuidText, Fresh_Make_Has36CharactersThirdGroupLowerCase) {
  const std::regex shape("[0-9A-F]{8}-[0-9A-F]{4}-[0-9a-f]{4}-[0-9A-F]{4}-[0-9A-F]{12}");
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const std::string g = MakeGuidText();
    EXPECT_TRUE(std::regex_match(g, shape)) << g;
    seen.insert(g);
  }
  EXPECT_EQ(seen.size(), 200u);
}

TEST(FormatGuid, KnownBytes_Format_UsesTheGuidPattern) {
  const unsigned char bytes[16] = {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0xde, 0xf0,
                                   0xab, 0xcd, 0xef, 0x01, 0x23, 0x45, 0x67, 0x89};
  EXPECT_EQ(FormatGuid(bytes), "12345678-9ABC-def0-ABCD-EF0123456789");
}

// ------------------------------------------------------------- time arithmetic

TEST(ShiftSeconds, Sweep1900To2100_ShiftByADay_MatchesNextDate) {
  TimeRecord t = MakeTimeRecord(1900, 1, 1, 12, 0, 0);
  int64_t days = DaysFromCivil(1900, 1, 1);
  while (t.year < 2101) {
    const TimeRecord next = ShiftSeconds(t, 86400);
    ASSERT_EQ(DaysFromCivil(next.year, next.month, next.day), days + 1) << FormatTime(t);
    ASSERT_TRUE(IsValidDate(next.year, next.month, next.day));
    ASSERT_EQ(next.dayOfWeek, (t.dayOfWeek + 1) % 7);
    t = next;
    ++days;
  }
}

TEST(ShiftSeconds, AcrossYearEnd_ShiftBack_RollsOver) {
  EXPECT_EQ(ShiftSeconds(MakeTimeRecord(2024, 1, 1, 0, 2, 0), -300), MakeTimeRecord(2023, 12, 31, 23, 57, 0));
  EXPECT_EQ(ShiftSeconds(MakeTimeRecord(2024, 3, 1, 0, 0, 0), -1), MakeTimeRecord(2024, 2, 29, 23, 59, 59));
  EXPECT_EQ(ShiftSeconds(MakeTimeRecord(1960, 1, 1, 0, 0, 0), -1), MakeTimeRecord(1959, 12, 31, 23, 59, 59));
  EXPECT_EQ(DayOfWeek(1969, 12, 31), 3);
  EXPECT_EQ(DayOfWeek(1960, 1, 1), 5);
}

}  // namespace
}  // namespace vr
