#include "calendar/DayText.h"

#include <gtest/gtest.h>

#include <string>

#include "calendar/FestivalTable.h"
#include "calendar/HolidayTable.h"

namespace vr {
namespace {

const Festival kSpringFestival{true, 101, 0, "春节"};
const Festival kLantern{true, 115, 0, "元宵节"};
const HolidayEntry kNewYearHoliday{1, "春节假期", 20250129};
const HolidayEntry kNoDescHoliday{2, "", 20250129};

DayInfo Lunar(int lunarDay, int term = -1) {
  DayInfo info{};
  info.lunarMonth = 1;
  info.lunarDay = lunarDay;
  info.solarTerm = term;
  return info;
}

// ---- CellText ---------------------------------------------------------------

TEST(CellText, HolidayAndFestival_CellText_ShowsHolidayDescription) {
  DayInfo info = Lunar(1);
  info.festivals = {&kSpringFestival};
  info.holiday = &kNewYearHoliday;
  EXPECT_EQ(CellText(info), "春节假期");
  info.holiday = nullptr;
  EXPECT_EQ(CellText(info), "春节");
}

TEST(CellText, HolidayWithoutDescription_CellText_IsEmptyAndStillBeatsFestival) {
  DayInfo info = Lunar(1, 3);
  info.festivals = {&kSpringFestival};
  info.holiday = &kNoDescHoliday;
  EXPECT_EQ(CellText(info), "");
}

TEST(CellText, SeveralFestivals_CellText_ShowsFirst) {
  DayInfo info = Lunar(15);
  info.festivals = {&kLantern, &kSpringFestival};
  EXPECT_EQ(CellText(info), "元宵节");
}

TEST(CellText, QingmingFestivalAndTerm_CellText_FestivalBeatsTerm) {
  DayInfo info = Lunar(7, 7);
  info.festivals = {&FestivalTable::Qingming()};
  EXPECT_EQ(CellText(info), "清明节");
  info.festivals.clear();
  EXPECT_EQ(CellText(info), "清明");
}

struct TextCase {
  int lunarDay;
  int term;
  const char* expected;
};

class PlainCellText : public testing::TestWithParam<TextCase> {};

TEST_P(PlainCellText, DayWithoutNamedDays_CellText_ShowsTermElseLunarDay) {
  EXPECT_EQ(CellText(Lunar(GetParam().lunarDay, GetParam().term)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlainCellText,
                         testing::Values(TextCase{1, -1, "初一"}, TextCase{10, -1, "初十"}, TextCase{11, -1, "十一"},
                                         TextCase{20, -1, "二十"}, TextCase{21, -1, "廿一"}, TextCase{30, -1, "三十"},
                                         TextCase{0, -1, ""}, TextCase{31, -1, ""}, TextCase{5, 0, "冬至"},
                                         TextCase{5, 23, "大雪"}, TextCase{5, 24, ""}));

// ---- Special text -----------------------------------------------------------

TEST(HasSpecialText, EachKindOfNamedDay_HasSpecialText_IsTrue) {
  DayInfo plain = Lunar(5);
  EXPECT_FALSE(HasSpecialText(plain));
  DayInfo term = Lunar(5, 3);
  EXPECT_TRUE(HasSpecialText(term));
  DayInfo holiday = Lunar(5);
  holiday.holiday = &kNoDescHoliday;
  EXPECT_TRUE(HasSpecialText(holiday));
  DayInfo festival = Lunar(5);
  festival.festivals = {&kLantern};
  EXPECT_TRUE(HasSpecialText(festival));
  DayInfo restOnly = Lunar(5);
  restOnly.restDay = &kNoDescHoliday;  // a 休 badge alone is not a special text
  EXPECT_FALSE(HasSpecialText(restOnly));
}

// ---- Constellations ---------------------------------------------------------

struct SignCase {
  int month;
  int day;
  const char* name;
};

class Constellation : public testing::TestWithParam<SignCase> {};

TEST_P(Constellation, Date_ConstellationName_FollowsInclusiveRanges) {
  EXPECT_EQ(ConstellationName(GetParam().month, GetParam().day), GetParam().name)
      << GetParam().month << "/" << GetParam().day;
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Constellation,
    testing::Values(SignCase{1, 1, "摩羯座"}, SignCase{1, 20, "摩羯座"}, SignCase{1, 21, "水瓶座"},
                    SignCase{2, 19, "水瓶座"}, SignCase{2, 20, "双鱼座"}, SignCase{2, 29, "双鱼座"},
                    SignCase{3, 20, "双鱼座"}, SignCase{3, 21, "白羊座"}, SignCase{4, 20, "白羊座"},
                    SignCase{4, 21, "金牛座"}, SignCase{5, 21, "金牛座"}, SignCase{5, 22, "双子座"},
                    SignCase{6, 22, "双子座"}, SignCase{6, 23, "巨蟹座"}, SignCase{7, 23, "巨蟹座"},
                    SignCase{7, 24, "狮子座"}, SignCase{8, 23, "狮子座"}, SignCase{8, 24, "处女座"},
                    SignCase{9, 23, "处女座"}, SignCase{9, 24, "天秤座"}, SignCase{10, 23, "天秤座"},
                    SignCase{10, 24, "天蝎座"}, SignCase{11, 22, "天蝎座"}, SignCase{11, 23, "射手座"},
                    SignCase{12, 21, "射手座"}, SignCase{12, 22, "摩羯座"}, SignCase{12, 31, "摩羯座"},
                    SignCase{0, 15, "Non"}, SignCase{13, 1, "Non"}, SignCase{1, 0, "Non"}, SignCase{1, 32, "Non"},
                    SignCase{-1, 5, "Non"}));

TEST(Constellation, EveryDayOfLeapYear_ConstellationName_IsOneOfTwelve) {
  int changes = 0;
  std::string previous = ConstellationName(1, 1);
  for (int month = 1; month <= 12; ++month)
    for (int day = 1; day <= (month == 2 ? 29 : (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31);
         ++day) {
      const std::string name = ConstellationName(month, day);
      EXPECT_NE(name, "Non") << month << "/" << day;
      if (name != previous) ++changes;
      previous = name;
    }
  EXPECT_EQ(changes, 12);  // eleven boundaries inside the year plus 射手座 -> 摩羯座 on 12/22
}

}  // namespace
}  // namespace vr
