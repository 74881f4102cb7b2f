#include <gtest/gtest.h>

#include "records/RecordRows.h"
#include "records/StoredTextCodec.h"
#include "records/TimeText.h"

namespace vr {
namespace {

const TimeRecord kNow = MakeTimeRecord(2026, 7, 8, 10, 11, 12);

template <size_t N>
RowTexts Row(const std::array<const char*, N>& cols) {
  return RowTexts(cols.data(), N);
}

TEST(NoteFromRow, FullRow_Convert_FillsEveryField) {
  const std::array<const char*, 8> row = {"0", "G-1", "un", "2024/03/15 09:05:00", "line1\nline2",
                                          "", "3", "nc=1|nf=0|np=2|show=1"};
  const auto note = NoteFromRow(Row(row), kNow);
  ASSERT_TRUE(note);
  EXPECT_EQ(note->uid, "0");
  EXPECT_EQ(note->guid, "G-1");
  EXPECT_EQ(note->type, "un");
  EXPECT_EQ(note->time, MakeTimeRecord(2024, 3, 15, 9, 5, 0));
  EXPECT_EQ(note->inf, "line1\nline2");
  EXPECT_EQ(note->remind, 3);
  EXPECT_EQ(FormatAttr(note->attr), "nc=1|nf=0|np=2|show=1");
  EXPECT_FALSE(note->IsFinished());
}

TEST(NoteFromRow, NullsAndJunk_Convert_ReadAsEmptyZeroAndNow) {
  const std::array<const char*, 8> row = {nullptr, "G", nullptr, nullptr, nullptr, nullptr, "x", nullptr};
  const auto note = NoteFromRow(Row(row), kNow);
  ASSERT_TRUE(note);
  EXPECT_EQ(note->uid, "");
  EXPECT_EQ(note->time, kNow);
  EXPECT_EQ(note->remind, 0);
  EXPECT_TRUE(note->attr.empty());
}

TEST(RowConversions, WrongColumnCounts_Convert_SkipTheRow) {
  const std::array<const char*, 7> seven = {"a", "b", "c", "d", "e", "f", "g"};
  const std::array<const char*, 2> two = {"a", "admin"};
  EXPECT_FALSE(NoteFromRow(Row(seven), kNow));
  EXPECT_FALSE(BirthdayFromRow(RowTexts(seven.data(), 6), kNow));
  EXPECT_FALSE(PassFromRow(Row(seven)));
  EXPECT_FALSE(FlagFromRow(Row(two)));
  EXPECT_FALSE(LockCodeFromRow(RowTexts(two.data(), 1)));
  EXPECT_TRUE(BirthdayFromRow(Row(seven), kNow));
  EXPECT_TRUE(LockCodeFromRow(Row(two)));
}

TEST(BirthdayFromRow, SolarColumn_Convert_PositiveMeansGregorian) {
  const std::pair<const char*, bool> cases[] = {
      {"5", true}, {"1", true}, {"0", false}, {"-1", false}, {"", false}, {nullptr, false}, {"abc", false}};
  for (auto [solar, gregorian] : cases) {
    const std::array<const char*, 7> row = {"G", "张三", "1990/05/12 08:00:00", "1", "1", solar, ""};
    const auto b = BirthdayFromRow(Row(row), kNow);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->solar, gregorian) << (solar ? solar : "NULL");
    EXPECT_EQ(b->time, MakeTimeRecord(1990, 5, 12, 8, 0, 0));
    EXPECT_EQ(b->category, 1);
  }
}

TEST(PassFromRow, EncodedColumns_Convert_DecodeUserAndPass) {
  const std::string user = StoredTextCodec::Encode("alice");
  const std::string pass = StoredTextCodec::Encode("s3cret!");
  const std::array<const char*, 6> row = {"G", "mail", user.c_str(), pass.c_str(), "https://x", "7"};
  const auto p = PassFromRow(Row(row));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->user, "alice");
  EXPECT_EQ(p->pass, "s3cret!");
  EXPECT_EQ(p->url, "https://x");
  EXPECT_EQ(p->category, 7);  // kept; the vault shows values above 3 as category 0
}

TEST(LockCodeFromRow, OtherUsers_Convert_AreIgnored) {
  const std::string code = StoredTextCodec::Encode("123456");
  const std::array<const char*, 2> admin = {code.c_str(), "admin"};
  const std::array<const char*, 2> other = {code.c_str(), "Admin"};
  const std::array<const char*, 2> none = {code.c_str(), nullptr};
  EXPECT_EQ(LockCodeFromRow(Row(admin)), std::optional<std::string>("123456"));
  EXPECT_FALSE(LockCodeFromRow(Row(other)));
  EXPECT_FALSE(LockCodeFromRow(Row(none)));
}

TEST(FlagFromRow, Texts_Convert_ReadIntegers) {
  const std::array<const char*, 3> row = {"20240315", "1", nullptr};
  const auto f = FlagFromRow(Row(row));
  ASSERT_TRUE(f);
  EXPECT_EQ(f->day, 20240315);
  EXPECT_EQ(f->flag, 1);
  EXPECT_EQ(f->attr, 0);
}

}  // namespace
}  // namespace vr
