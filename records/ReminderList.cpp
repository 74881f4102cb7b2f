#include "records/ReminderList.h"

#include <algorithm>

namespace vr {
namespace {

bool IsDue(const TimeRecord& at, const TimeRecord& now) {
  return at.year == now.year && at.month == now.month && at.day == now.day &&
         at.hour == now.hour && at.minute == now.minute && now.second >= at.second;
}

}  // namespace

void ReminderList::Append(std::string guid, const TimeRecord& time) {
  entries_.push_back(Entry{std::move(guid), time});
}

void ReminderList::Drop(std::string_view guid) {
  std::erase_if(entries_, [guid](const Entry& e) { return e.guid == guid; });
}

std::vector<std::string> ReminderList::TakeDue(const TimeRecord& now) {
  std::vector<std::string> due;
  for (size_t i = entries_.size(); i-- > 0;) {
    if (!IsDue(entries_[i].time, now)) continue;
    due.push_back(std::move(entries_[i].guid));
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return due;
}

}  // namespace vr
