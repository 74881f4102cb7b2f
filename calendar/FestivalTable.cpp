#include "calendar/FestivalTable.h"

#include <algorithm>
#include <utility>

#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

constexpr int32_t kQingmingTerm = 7;  // solar-term index of 清明 (0 = 冬至)
constexpr int32_t kSunday = 0;
constexpr int32_t kThursday = 4;
constexpr int32_t kChuxiKey = 1230;  // 除夕's table key: lunar 12/30
// Priorities of the computed Gregorian festivals: after every table entry (0),
// 感恩节 before 母亲节/父亲节 should two ever share a day.
constexpr int32_t kThanksgivingPriority = 112;
constexpr int32_t kParentsDayPriority = 113;

struct Fixed {
  int32_t startYear;
  int32_t month;
  int32_t day;
  const char* name;
};

// Table order is display order among festivals of equal priority.
constexpr Fixed kLunarFestivals[] = {
    {0, 1, 1, "春节"},    {0, 1, 15, "元宵节"}, {0, 1, 25, "填仓节"},  {0, 2, 2, "龙抬头"},
    {0, 3, 3, "上巳节"},  {0, 4, 8, "浴佛节"},  {0, 5, 5, "端午节"},   {0, 6, 6, "姑姑节"},
    {0, 7, 7, "七夕节"},  {0, 7, 15, "中元节"}, {0, 7, 22, "财神节"},  {0, 8, 15, "中秋节"},
    {0, 9, 9, "重阳节"},  {0, 10, 1, "寒衣节"}, {0, 10, 15, "下元节"}, {0, 12, 8, "腊八节"},
    {0, 12, 23, "北小年"}, {0, 12, 24, "南小年"}, {0, 12, 30, "除夕"},
};

constexpr Fixed kGregorianFestivals[] = {
    {0, 1, 1, "元旦"},       {0, 2, 14, "情人节"},    {1908, 3, 8, "妇女节"},  {1928, 3, 12, "植树节"},
    {0, 4, 1, "愚人节"},     {0, 5, 1, "劳动节"},     {1919, 5, 4, "青年节"},  {1912, 5, 12, "护士节"},
    {1950, 6, 1, "儿童节"},  {1921, 7, 1, "建党节"},  {1927, 8, 1, "建军节"},  {2018, 8, 19, "医师节"},
    {1985, 9, 10, "教师节"}, {1949, 10, 1, "国庆节"}, {0, 11, 1, "万圣节"},   {2000, 11, 8, "记者节"},
    {1993, 11, 11, "光棍节"}, {0, 12, 24, "平安夜"},  {0, 12, 25, "圣诞节"},
};

// True when `info` is the nth `weekDay` of its month (n from 1): the nth such
// day is day 7(n-1)+1 .. 7n of the month.
bool IsNthWeekDay(const DayInfo& info, int32_t weekDay, int32_t n) {
  return info.weekDay == weekDay && (info.day - 1) / 7 + 1 == n;
}

}  // namespace

void FestivalTable::AddFestival(bool isLunar, int32_t startYear, int32_t month, int32_t day, std::string name) {
  entries_.push_back({isLunar, startYear * 10000 + month * 100 + day, 0, std::move(name)});
}

void FestivalTable::LoadFestivals() {
  if (!entries_.empty()) return;
  for (const Fixed& f : kLunarFestivals) AddFestival(true, f.startYear, f.month, f.day, f.name);
  for (const Fixed& f : kGregorianFestivals) AddFestival(false, f.startYear, f.month, f.day, f.name);
}

bool FestivalTable::Matches(const Festival& entry, const DayInfo& info, bool lastDayOfYear) const {
  if (entry.isLunar) {
    // A leap month never carries the festivals of the month it repeats.
    if (info.leapMonth) return false;
    const int32_t key = info.lunarMonth * 100 + info.lunarDay;
    // 除夕 is the eve of the new year: 腊月三十, or 腊月廿九 when 腊月 has 29 days.
    return entry.key == key || (entry.key == kChuxiKey && lastDayOfYear);
  }
  const int32_t startYear = entry.key / 10000;
  return entry.key % 10000 == info.month * 100 + info.day && (startYear == 0 || info.year > startYear);
}

void FestivalTable::Collect(DayInfo& info, bool lastDayOfYear) const {
  info.festivals.clear();
  for (const Festival& entry : entries_)
    if (Matches(entry, info, lastDayOfYear)) info.festivals.push_back(&entry);
  if (info.solarTerm == kQingmingTerm) info.festivals.push_back(&Qingming());
  if (info.month == 6 && IsNthWeekDay(info, kSunday, 3)) info.festivals.push_back(&FathersDay());
  if (info.month == 5 && IsNthWeekDay(info, kSunday, 2)) info.festivals.push_back(&MothersDay());
  if (info.month == 11 && IsNthWeekDay(info, kThursday, 4)) info.festivals.push_back(&Thanksgiving());
  std::stable_sort(info.festivals.begin(), info.festivals.end(),
                   [](const Festival* a, const Festival* b) { return a->priority < b->priority; });
}

const Festival& FestivalTable::Qingming() {
  static const Festival festival{true, 0, 0, "清明节"};
  return festival;
}

const Festival& FestivalTable::MothersDay() {
  static const Festival festival{false, 0, kParentsDayPriority, "母亲节"};
  return festival;
}

const Festival& FestivalTable::FathersDay() {
  static const Festival festival{false, 0, kParentsDayPriority, "父亲节"};
  return festival;
}

const Festival& FestivalTable::Thanksgiving() {
  static const Festival festival{false, 0, kThanksgivingPriority, "感恩节"};
  return festival;
}

namespace {

FestivalTable& MutableFestivals() {
  static FestivalTable table;
  return table;
}

// 腊月廿九 is the year's last day when the next day is 正月初一.
bool IsLastDayOfLunarYear(const DayInfo& info) {
  if (info.leapMonth || info.lunarMonth != 12) return false;
  if (info.lunarDay == 30) return true;
  if (info.lunarDay != 29) return false;
  int32_t year = info.year, month = info.month, day = info.day;
  NextDay(year, month, day);
  // The next day is 腊月三十 or 正月初一, neither of which comes back here.
  DayInfo next{};
  BuildDayInfo(year, month, day, next);
  return next.lunarDay == 1;
}

}  // namespace

void AddFestival(bool isLunar, int32_t startYear, int32_t month, int32_t day, std::string name) {
  MutableFestivals().AddFestival(isLunar, startYear, month, day, std::move(name));
}

void LoadFestivals() { MutableFestivals().LoadFestivals(); }

const FestivalTable& Festivals() { return MutableFestivals(); }

void CollectFestivals(DayInfo& info) { Festivals().Collect(info, IsLastDayOfLunarYear(info)); }

}  // namespace vr
