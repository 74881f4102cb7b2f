#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "records/BirthdayData.h"
#include "records/LunarDateCache.h"
#include "records/NoteData.h"
#include "records/NoteMgr.h"
#include "records/ReminderList.h"
#include "records/TimeMath.h"
#include "records/TimeText.h"

namespace vr {
namespace {

TimeRecord T(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return MakeTimeRecord(y, mo, d, h, mi, s);
}

// ------------------------------------------------------------- the note rule

struct NoteRuleCase {
  TimeRecord time;
  int remind;
  bool has;
  TimeRecord expected;
};

TEST(NoteGetRemindTime, Codes0To9_Compute_CrossMidnightMonthAndYearEnds) {
  const NoteRuleCase cases[] = {
      {T(2024, 3, 15, 15, 0, 0), 0, false, {}},
      {T(2024, 3, 15, 15, 0, 30), 1, true, T(2024, 3, 15, 15, 0, 30)},
      {T(2024, 1, 1, 0, 2, 0), 2, true, T(2023, 12, 31, 23, 57, 0)},
      {T(2024, 3, 1, 0, 10, 0), 3, true, T(2024, 2, 29, 23, 55, 0)},
      {T(2023, 3, 1, 0, 29, 59), 4, true, T(2023, 2, 28, 23, 59, 59)},
      {T(2025, 1, 1, 0, 30, 0), 5, true, T(2024, 12, 31, 23, 30, 0)},
      {T(2024, 3, 16, 8, 0, 0), 6, true, T(2024, 3, 15, 9, 0, 0)},
      {T(2025, 1, 1, 8, 0, 0), 6, true, T(2024, 12, 31, 9, 0, 0)},
      {T(2024, 3, 1, 23, 59, 59), 7, true, T(2024, 2, 29, 12, 0, 0)},
      {T(2024, 5, 1, 0, 0, 0), 8, true, T(2024, 4, 30, 18, 0, 0)},
      {T(2024, 3, 15, 15, 4, 3), 9, true, T(2024, 3, 15, 15, 4, 3)},
      {T(2024, 3, 15, 15, 4, 3), -2, true, T(2024, 3, 15, 15, 4, 3)},
  };
  for (const NoteRuleCase& c : cases) {
    NoteData note(c.time);
    note.remind = c.remind;
    TimeRecord out;
    const bool has = note.GetRemindTime(out, MakeRemindDay(T(2024, 3, 15)));
    EXPECT_EQ(has, c.has) << FormatTime(c.time) << " code " << c.remind;
    if (has && c.has) {
      EXPECT_EQ(FormatTime(out), FormatTime(c.expected)) << FormatTime(c.time) << " code " << c.remind;
      EXPECT_EQ(out.dayOfWeek, c.expected.dayOfWeek);
    }
  }
}

// ------------------------------------------------------------- birthdays

BirthdayData Birthday(const TimeRecord& born, int remind, bool solar, const std::string& name = "张三") {
  BirthdayData b;
  b.guid = "B-" + FormatTime(born) + std::to_string(remind) + (solar ? "s" : "l");
  b.name = name;
  b.time = born;
  b.remind = remind;
  b.solar = solar;
  return b;
}

// The days of a year on which the birthday's reminder falls due, as
// "yyyy/mm/dd hh:mm:ss" texts.
std::vector<std::string> DueDaysOf(const BirthdayData& b, int year) {
  std::vector<std::string> due;
  for (TimeRecord day = T(year, 1, 1); day.year == year; day = ShiftSeconds(day, 86400)) {
    TimeRecord at;
    if (b.GetRemindTime(at, MakeRemindDay(day)) && at.SameDate(day)) due.push_back(FormatTime(at));
  }
  return due;
}

using Texts = std::vector<std::string>;

TEST(BirthdayGetRemindTime, GregorianCodes_Compute_ThisYearsDate) {
  const RemindDay day = MakeRemindDay(T(2024, 12, 31));
  struct Case {
    TimeRecord born;
    int remind;
    TimeRecord expected;
  } cases[] = {
      {T(1990, 5, 12, 8, 0, 0), 1, T(2024, 5, 12, 8, 0, 0)},
      {T(1990, 5, 12, 8, 0, 0), 5, T(2024, 5, 12, 7, 0, 0)},
      {T(1990, 1, 1, 8, 0, 0), 6, T(2024, 12, 31, 9, 0, 0)},
      {T(1960, 5, 12, 0, 3, 0), 2, T(2024, 5, 11, 23, 58, 0)},  // born before 1970
      {T(1990, 5, 12, 8, 0, 0), 12, T(2024, 5, 12, 8, 0, 0)},
  };
  for (const auto& c : cases) {
    TimeRecord out;
    ASSERT_TRUE(Birthday(c.born, c.remind, true).GetRemindTime(out, day)) << FormatTime(c.born);
    EXPECT_EQ(FormatTime(out), FormatTime(c.expected)) << FormatTime(c.born) << " code " << c.remind;
  }
  TimeRecord out;
  EXPECT_FALSE(Birthday(T(1990, 5, 12), 0, true).GetRemindTime(out, day));
}

TEST(BirthdayGetRemindTime, GregorianLeapDay_SweepYears_OnlyLeapYearsMatch) {
  const BirthdayData b = Birthday(T(1992, 2, 29, 8, 0, 0), 1, true);
  EXPECT_EQ(DueDaysOf(b, 2023), Texts{});
  EXPECT_EQ(DueDaysOf(b, 2024), Texts{"2024/02/29 08:00:00"});
  EXPECT_EQ(DueDaysOf(b, 2100), Texts{});  // not a leap year
  EXPECT_EQ(DueDaysOf(Birthday(T(1990, 5, 12, 8, 0, 0), 1, true), 2025), Texts{"2025/05/12 08:00:00"});
}

TEST(BirthdayGetRemindTime, LunarBirthday_SweepYear_MatchesTheLunarDate) {
  // Born 2023-03-01, lunar 2/10. In 2024 lunar 2/10 is 19 March.
  const BirthdayData b = Birthday(T(2023, 3, 1, 7, 30, 0), 1, false);
  EXPECT_EQ(DueDaysOf(b, 2024), Texts{"2024/03/19 07:30:00"});
  EXPECT_EQ(DueDaysOf(Birthday(T(2023, 3, 1, 7, 30, 0), 3, false), 2024), Texts{"2024/03/19 07:15:00"});
}

TEST(BirthdayGetRemindTime, LunarBirthdayCode7_SweepYear_NoonTheDayBefore) {
  EXPECT_EQ(DueDaysOf(Birthday(T(2023, 3, 1, 7, 30, 0), 7, false), 2024), Texts{"2024/03/18 12:00:00"});
  EXPECT_EQ(DueDaysOf(Birthday(T(2023, 3, 1, 7, 30, 0), 6, false), 2024), Texts{"2024/03/18 09:00:00"});
  EXPECT_EQ(DueDaysOf(Birthday(T(2023, 3, 1, 7, 30, 0), 9, false), 2024), Texts{});
}

TEST(BirthdayGetRemindTime, LunarBirthdayOnLeapMonthNumber_SweepYear_ComesTwice) {
  // 2023 has a leap second month: lunar 2/10 falls on 1 March and, in the
  // leap month, on 31 March.
  EXPECT_EQ(DueDaysOf(Birthday(T(2023, 3, 1, 8, 0, 0), 1, false), 2023),
            (Texts{"2023/03/01 08:00:00", "2023/03/31 08:00:00"}));
}

TEST(BirthdayGetRemindTime, LunarThirtiethInShortMonth_SweepYear_NeverComes) {
  // 2023-01-21 was the 30th of the twelfth lunar month. That month has 30
  // days at the 2023/24 year end (New Year's Eve 2024-02-09) but only 29 at
  // the 2024/25 one (New Year's Eve 2025-01-28, the 29th).
  const BirthdayData b = Birthday(T(2023, 1, 21, 8, 0, 0), 1, false);
  EXPECT_EQ(DueDaysOf(b, 2024), Texts{"2024/02/09 08:00:00"});
  EXPECT_EQ(DueDaysOf(b, 2025), Texts{});
}

TEST(LunarDateCache, SweptDates_Add_AgreeWithDirectComputation) {
  std::vector<int32_t> dates;
  for (TimeRecord d = T(1990, 1, 1); d.year < 1992; d = ShiftSeconds(d, 86400 * 3))
    dates.push_back(LunarDateCache::DateInt(d.year, d.month, d.day));
  LunarDateCache cache;
  cache.Add(std::vector<int32_t>(dates.rbegin(), dates.rend()));
  EXPECT_EQ(cache.Size(), dates.size());
  for (int32_t d : dates) {
    const auto hit = cache.Find(d / 10000, d / 100 % 100, d % 100);
    ASSERT_TRUE(hit) << d;
    EXPECT_EQ(*hit, LunarOf(d / 10000, d / 100 % 100, d % 100)) << d;
  }
  EXPECT_FALSE(cache.Find(1992, 1, 1));
  EXPECT_EQ(LunarOf(2024, 2, 10), (LunarMonthDay{1, 1}));  // 正月初一 2024
}

// ------------------------------------------------------------- today's list

TEST(ReminderList, TwoDueInOneSecond_TakeDue_LaterScheduledFirst) {
  ReminderList list;
  list.Append("A", T(2024, 3, 15, 15, 0, 0));
  list.Append("B", T(2024, 3, 15, 15, 0, 0));
  list.Append("C", T(2024, 3, 15, 15, 1, 0));
  EXPECT_EQ(list.TakeDue(T(2024, 3, 15, 14, 59, 59)), Texts{});
  EXPECT_EQ(list.TakeDue(T(2024, 3, 15, 15, 0, 0)), (Texts{"B", "A"}));
  EXPECT_EQ(list.TakeDue(T(2024, 3, 15, 15, 0, 1)), Texts{});
  ASSERT_EQ(list.Entries().size(), 1u);
  list.Drop("C");
  EXPECT_TRUE(list.Entries().empty());
}

TEST(ReminderList, MissedMinute_TakeDue_IsNotCaughtUp) {
  ReminderList list;
  list.Append("A", T(2024, 3, 15, 15, 0, 30));
  EXPECT_EQ(list.TakeDue(T(2024, 3, 15, 15, 0, 29)), Texts{});
  EXPECT_EQ(list.TakeDue(T(2024, 3, 15, 15, 1, 31)), Texts{});
  EXPECT_EQ(list.TakeDue(T(2024, 3, 16, 15, 0, 31)), Texts{});  // another date
  EXPECT_EQ(list.TakeDue(T(2024, 3, 15, 15, 0, 45)), Texts{"A"});
}

// ------------------------------------------------------------- the manager, driven second by second

class RemindersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mgr.LoadFile(tmp.File("NoteMgr.db")).status, OpenStatus::Opened);
    mgr.SetReminderPresenter(&shown);
  }

  // Runs the due check once per second from the clock's time up to `until`,
  // as the time service does.
  void RunUntil(const TimeRecord& until) {
    while (!(clock.Now() == until)) {
      clock.Advance(1000);
      mgr.CheckDue(clock.Now());
    }
  }
  Texts Shown() const {
    Texts texts;
    for (const ReminderContent& c : shown.shown) texts.push_back(c.title + ":" + c.text);
    return texts;
  }

  test::TempFolder tmp;
  ManualClock clock{T(2024, 3, 15, 14, 59, 0)};
  NoteMgr mgr{clock};
  test::RecordingPresenter shown;
};

TEST_F(RemindersTest, NoteAt1500Code1_TickThroughMinute_ShowsOnceAt150000) {
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 15, 15, 0, 0), 1, "开会")));
  RunUntil(T(2024, 3, 15, 14, 59, 59));
  EXPECT_TRUE(shown.shown.empty());
  RunUntil(T(2024, 3, 15, 15, 0, 0));
  EXPECT_EQ(Shown(), Texts{"记事提醒:开会"});
  EXPECT_EQ(shown.shown[0].kind, ReminderContent::kNote);
  RunUntil(T(2024, 3, 15, 15, 2, 0));
  EXPECT_EQ(shown.shown.size(), 1u);
}

TEST_F(RemindersTest, NoteAt150030_TickThroughMinute_ShowsAt150030) {
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 15, 15, 0, 30), 1, "half")));
  RunUntil(T(2024, 3, 15, 15, 0, 29));
  EXPECT_TRUE(shown.shown.empty());
  RunUntil(T(2024, 3, 15, 15, 0, 30));
  EXPECT_EQ(Shown(), Texts{"记事提醒:half"});
}

TEST_F(RemindersTest, FirstTickLateInMinute_CheckDue_StillShows) {
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 15, 15, 0, 0), 1, "late")));
  mgr.CheckDue(T(2024, 3, 15, 15, 0, 7));
  EXPECT_EQ(Shown(), Texts{"记事提醒:late"});
}

TEST_F(RemindersTest, StartAt1501_RebuildAndTick_NeverShowsThe1500Reminder) {
  {
    // The note was saved in an earlier run.
    NoteMgr earlier(clock);
    ASSERT_EQ(earlier.LoadFile(tmp.File("earlier.db")).status, OpenStatus::Opened);
    ASSERT_TRUE(earlier.AddNote(test::MakeNote("G1", T(2024, 3, 15, 15, 0, 0), 1)));
  }
  clock.Set(T(2024, 3, 15, 15, 1, 0));
  NoteMgr started(clock);
  ASSERT_EQ(started.LoadFile(tmp.File("earlier.db")).status, OpenStatus::Opened);
  started.SetReminderPresenter(&shown);
  started.RebuildToday();
  EXPECT_EQ(started.TodayReminders().Entries().size(), 1u);  // listed, but its minute is gone
  for (int s = 0; s < 3600; ++s) {
    clock.Advance(1000);
    started.CheckDue(clock.Now());
  }
  EXPECT_TRUE(shown.shown.empty());
}

TEST_F(RemindersTest, TwoNotesSameSecond_CheckDue_LaterScheduledShownFirst) {
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 15, 15, 0, 0), 1, "first")));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G2", T(2024, 3, 15, 15, 5, 0), 2, "second")));
  RunUntil(T(2024, 3, 15, 15, 0, 0));
  EXPECT_EQ(Shown(), (Texts{"记事提醒:second", "记事提醒:first"}));
}

TEST_F(RemindersTest, DeletedNote_TickPastItsTime_NeverShows) {
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 15, 16, 0, 0), 1)));
  ASSERT_EQ(mgr.TodayReminders().Entries().size(), 1u);
  ASSERT_TRUE(mgr.DeleteNote("G1"));
  EXPECT_TRUE(mgr.TodayReminders().Entries().empty());
  RunUntil(T(2024, 3, 15, 16, 1, 0));
  EXPECT_TRUE(shown.shown.empty());
  mgr.ShowReminder("G1");  // a stale identity finds nothing
  EXPECT_TRUE(shown.shown.empty());
}

TEST_F(RemindersTest, CodeChangedTo0_Update_DropsThePendingEntry) {
  NoteData note = test::MakeNote("G1", T(2024, 3, 15, 15, 0, 0), 1);
  ASSERT_TRUE(mgr.AddNote(note));
  note.remind = 0;
  ASSERT_TRUE(mgr.UpdateNote(note));
  EXPECT_TRUE(mgr.TodayReminders().Entries().empty());
  note.remind = 2;  // moved to 14:55, already past: listed, never due
  ASSERT_TRUE(mgr.UpdateNote(note));
  ASSERT_EQ(mgr.TodayReminders().Entries().size(), 1u);
  EXPECT_EQ(mgr.TodayReminders().Entries()[0].time, T(2024, 3, 15, 14, 55, 0));
  RunUntil(T(2024, 3, 15, 15, 10, 0));
  EXPECT_TRUE(shown.shown.empty());
}

TEST_F(RemindersTest, NoteTomorrowCode6_Schedule_ShowsTodayAt0900) {
  clock.Set(T(2024, 3, 15, 8, 59, 0));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 16, 8, 0, 0), 6, "明天")));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G2", T(2024, 3, 15, 8, 0, 0), 6, "今天的不算")));
  RunUntil(T(2024, 3, 15, 9, 0, 30));
  EXPECT_EQ(Shown(), Texts{"记事提醒:明天"});
}

TEST_F(RemindersTest, Midnight_RebuildForNewDay_PicksUpTheNewDaysReminders) {
  clock.Set(T(2023, 12, 31, 23, 56, 0));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("New", T(2024, 1, 1, 0, 2, 0), 2, "五分钟前")));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("Jan", T(2024, 1, 1, 0, 1, 0), 1, "零点一分")));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("Eve", T(2025, 1, 1, 8, 0, 0), 6, "明年")));
  EXPECT_EQ(mgr.TodayReminders().Entries().size(), 1u);  // only the 23:57 one is today's
  TimeRecord lastDate = clock.Now();
  while (!(clock.Now() == T(2024, 1, 1, 0, 2, 0))) {
    clock.Advance(1000);
    const TimeRecord now = clock.Now();
    mgr.CheckDue(now);
    if (!now.SameDate(lastDate)) {  // what the time service's new-day hook does
      lastDate = now;
      mgr.RebuildToday(now);
    }
  }
  EXPECT_EQ(Shown(), (Texts{"记事提醒:五分钟前", "记事提醒:零点一分"}));
}

TEST_F(RemindersTest, GregorianBirthday_OnItsDay_ShowsBirthdayText) {
  clock.Set(T(2024, 5, 12, 7, 59, 0));
  ASSERT_TRUE(mgr.AddBirthday(Birthday(T(1990, 5, 12, 8, 0, 0), 1, true, "李四")));
  RunUntil(T(2024, 5, 12, 8, 0, 0));
  EXPECT_EQ(Shown(), Texts{"生日提醒:1990/05/12 是 李四 的生日"});
  EXPECT_EQ(shown.shown[0].kind, ReminderContent::kBirthday);
}

TEST_F(RemindersTest, LunarBirthdays_RebuildOnTheDay_ShowAtBirthTimeAndNoonBefore) {
  clock.Set(T(2024, 3, 18, 6, 0, 0));
  ASSERT_TRUE(mgr.AddBirthday(Birthday(T(2023, 3, 1, 7, 30, 0), 1, false, "农历")));
  ASSERT_TRUE(mgr.AddBirthday(Birthday(T(2023, 3, 1, 7, 30, 0), 7, false, "前一天")));
  mgr.RebuildToday();
  RunUntil(T(2024, 3, 18, 12, 0, 0));
  EXPECT_EQ(Shown(), Texts{"生日提醒:2023/03/01 是 前一天 的生日"});
  clock.Set(T(2024, 3, 19, 0, 0, 0));
  mgr.RebuildToday(clock.Now());
  RunUntil(T(2024, 3, 19, 7, 30, 0));
  EXPECT_EQ(Shown(), (Texts{"生日提醒:2023/03/01 是 前一天 的生日", "生日提醒:2023/03/01 是 农历 的生日"}));
}

TEST_F(RemindersTest, LoadedRecords_RebuildToday_SchedulesNotesThenBirthdays) {
  clock.Set(T(2024, 5, 12, 6, 0, 0));
  ASSERT_TRUE(mgr.AddBirthday(Birthday(T(1990, 5, 12, 8, 0, 0), 1, true)));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("N1", T(2024, 5, 12, 8, 0, 0), 1)));
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("N2", T(2024, 5, 13, 8, 0, 0), 1)));
  mgr.RebuildToday();
  const auto& entries = mgr.TodayReminders().Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].guid, "N1");
  EXPECT_EQ(entries[1].guid, mgr.Birthdays()[0]->guid);
}

TEST_F(RemindersTest, NoPresenter_CheckDue_RemovesEntryQuietly) {
  mgr.SetReminderPresenter(nullptr);
  ASSERT_TRUE(mgr.AddNote(test::MakeNote("G1", T(2024, 3, 15, 15, 0, 0), 1)));
  RunUntil(T(2024, 3, 15, 15, 0, 0));
  EXPECT_TRUE(mgr.TodayReminders().Entries().empty());
  EXPECT_TRUE(shown.shown.empty());
}

}  // namespace
}  // namespace vr
