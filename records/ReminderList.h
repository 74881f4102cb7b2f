#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/TimeRecord.h"

namespace vr {

// Today's pending reminders: (record identity, reminder time) in the order
// they were scheduled. Holds only entries whose date is today; a rebuild
// clears it.
class ReminderList {
 public:
  struct Entry {
    std::string guid;
    TimeRecord time;
  };

  void Clear() { entries_.clear(); }
  void Append(std::string guid, const TimeRecord& time);
  // Removes every entry of this identity.
  void Drop(std::string_view guid);

  // Removes and returns the identities due at `now`: same date, hour and
  // minute, and now's second at or past the entry's. Walks from the last entry
  // to the first, so the later-scheduled of two due entries comes first.
  // A minute that passed without a check is not caught up.
  std::vector<std::string> TakeDue(const TimeRecord& now);

  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace vr
