#include <iterator>
#include <string>

#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

constexpr const char* kStems[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr const char* kBranches[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                     "午", "未", "申", "酉", "戌", "亥"};
constexpr const char* kZodiac[] = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                   "马", "羊", "猴", "鸡", "狗", "猪"};
constexpr const char* kLunarMonths[] = {"正", "二", "三", "四", "五", "六",
                                        "七", "八", "九", "十", "十一", "腊"};
constexpr const char* kLunarDays[] = {
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};
constexpr const char* kSolarTerms[] = {
    "冬至", "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种",
    "夏至", "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪"};

// Entry `index` of a name table, or an empty string outside it.
template <size_t N>
std::string Lookup(const char* const (&table)[N], int index) {
  if (index < 0 || index >= static_cast<int>(N)) return {};
  return table[index];
}

}  // namespace

std::string StemName(int stem) { return Lookup(kStems, stem); }
std::string BranchName(int branch) { return Lookup(kBranches, branch); }
std::string ZodiacName(int zodiac) { return Lookup(kZodiac, zodiac); }
std::string LunarMonthName(int month) { return Lookup(kLunarMonths, month - 1); }
std::string LunarDayName(int day) { return Lookup(kLunarDays, day - 1); }
std::string SolarTermName(int term) { return Lookup(kSolarTerms, term); }

std::string StemBranchText(int stem, int branch) {
  // Each part only when in range, as the stem-branch fields may be unset.
  return StemName(stem) + BranchName(branch);
}

}  // namespace vr
