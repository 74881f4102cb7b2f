#include "calendar/DayText.h"

#include "calendar/FestivalTable.h"
#include "calendar/HolidayTable.h"
#include "calendar/LunarCalendar.h"

namespace vr {
namespace {

struct ConstellationRange {
  int first;  // month * 100 + day, inclusive
  int last;
  const char* name;
};

constexpr ConstellationRange kConstellations[] = {
    {101, 120, "摩羯座"},   {121, 219, "水瓶座"},   {220, 320, "双鱼座"},   {321, 420, "白羊座"},
    {421, 521, "金牛座"},   {522, 622, "双子座"},   {623, 723, "巨蟹座"},   {724, 823, "狮子座"},
    {824, 923, "处女座"},   {924, 1023, "天秤座"},  {1024, 1122, "天蝎座"}, {1123, 1221, "射手座"},
    {1222, 1231, "摩羯座"},
};

}  // namespace

std::string CellText(const DayInfo& info) {
  if (info.holiday) return info.holiday->desc;
  if (!info.festivals.empty()) return info.festivals.front()->name;
  if (info.solarTerm >= 0) return SolarTermName(info.solarTerm);
  return LunarDayName(info.lunarDay);
}

bool HasSpecialText(const DayInfo& info) {
  return info.solarTerm >= 0 || info.holiday != nullptr || !info.festivals.empty();
}

std::string ConstellationName(int month, int day) {
  // Day 0 or 32 would fall inside a neighbouring range; such dates have no sign.
  if (day < 1 || day > 31) return "Non";
  const int key = month * 100 + day;
  for (const ConstellationRange& range : kConstellations)
    if (key >= range.first && key <= range.last) return range.name;
  return "Non";
}

}  // namespace vr
