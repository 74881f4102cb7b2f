#include "calendar/CalendarData.h"

#include "calendar/Almanac.h"
#include "calendar/FestivalTable.h"
#include "calendar/HolidayTable.h"
#include "calendar/LunarCalendar.h"

namespace vr {

CalendarDataStatus LoadCalendarData(const std::string& programFolder, const std::string& dataFolder) {
  CalendarDataStatus status;
  status.holidayFile = LoadHolidays(programFolder, dataFolder);
  const HolidayTable& holidays = Holidays();
  status.holidaysLoaded = holidays.Loaded();
  status.holidayCount = holidays.Holidays().size();
  status.workDayCount = holidays.WorkDays().size();
  status.restDayCount = holidays.RestDays().size();

  SetAlmanacFolder(programFolder);
  std::string yi, ji;
  LookupAlmanac(2023, 1, 1, yi, ji);
  status.almanacOpen = AlmanacIsOpen();

  LoadFestivals();
  status.festivalCount = Festivals().Entries().size();

  SetDayInfoDecorators(AttachHolidays, CollectFestivals);
  return status;
}

}  // namespace vr
