#include "calendar/HolidayTable.h"

#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <vector>

#include <pugixml.hpp>

namespace vr {
namespace {

int32_t DateKey(const DayInfo& info) { return info.year * 10000 + info.month * 100 + info.day; }

const HolidayEntry* FirstOn(const std::deque<HolidayEntry>& list, int32_t key) {
  for (const HolidayEntry& entry : list)
    if (entry.day == key) return &entry;
  return nullptr;
}

// Appends one ScheduleDay per <Day> child of a Duty or Free section.
void ReadDays(pugi::xml_node section, std::deque<ScheduleDay>& out) {
  for (pugi::xml_node day : section.children("Day"))
    out.push_back({ParseLeadingInt(day.attribute("ID").value()), {}, ParseLeadingInt(day.child_value())});
}

void ReadFests(pugi::xml_node section, std::deque<HolidayEntry>& out) {
  for (pugi::xml_node fest : section.children("Fest"))
    out.push_back({ParseLeadingInt(fest.attribute("ID").value()), fest.attribute("Desc").value(),
                   ParseLeadingInt(fest.attribute("Day").value())});
}

}  // namespace

int32_t ParseLeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate as a negative number so INT32_MIN is reachable; saturate.
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < kMin) value = kMin - 1;  // stays below range however many digits follow
  }
  if (negative) return value < kMin ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(value);
  if (-value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(-value);
}

bool HolidayTable::LoadFile(const std::string& path) {
  pugi::xml_document doc;
  if (!doc.load_file(path.c_str())) return Fill(pugi::xml_document());
  return Fill(doc);
}

bool HolidayTable::LoadText(std::string_view xml) {
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size())) return Fill(pugi::xml_document());
  return Fill(doc);
}

bool HolidayTable::Fill(const pugi::xml_document& doc) {
  holidays_.clear();
  workDays_.clear();
  restDays_.clear();
  pugi::xml_node root = doc.child("Holiday");
  loaded_ = static_cast<bool>(root);
  if (!root) return false;
  for (pugi::xml_node section : root.children()) {
    if (std::strcmp(section.name(), "Fests") == 0)
      ReadFests(section, holidays_);
    else if (std::strcmp(section.name(), "Duty") == 0)
      ReadDays(section, workDays_);
    else if (std::strcmp(section.name(), "Free") == 0)
      ReadDays(section, restDays_);
  }
  return true;
}

void HolidayTable::Attach(DayInfo& info) const {
  const int32_t key = DateKey(info);
  info.holiday = FirstOn(holidays_, key);
  info.workDay = FirstOn(workDays_, key);
  info.restDay = FirstOn(restDays_, key);
}

std::string ChooseHolidayFile(const std::string& programFolder, const std::string& dataFolder) {
  const std::filesystem::path downloaded = std::filesystem::path(dataFolder) / "holiday.xml";
  std::error_code error;
  if (!dataFolder.empty() && std::filesystem::exists(downloaded, error)) return downloaded.string();
  return (std::filesystem::path(programFolder) / "holiday.xml").string();
}

namespace {

// Every table ever loaded, the last one current. Kept for the whole process
// so that pointers handed out by earlier tables never dangle.
std::vector<std::unique_ptr<HolidayTable>>& LoadedTables() {
  static std::vector<std::unique_ptr<HolidayTable>> tables;
  return tables;
}

}  // namespace

std::string LoadHolidays(const std::string& programFolder, const std::string& dataFolder) {
  std::string path = ChooseHolidayFile(programFolder, dataFolder);
  auto table = std::make_unique<HolidayTable>();
  table->LoadFile(path);
  LoadedTables().push_back(std::move(table));
  return path;
}

const HolidayTable& Holidays() {
  static const HolidayTable kNone;
  return LoadedTables().empty() ? kNone : *LoadedTables().back();
}

void AttachHolidays(DayInfo& info) { Holidays().Attach(info); }

}  // namespace vr
