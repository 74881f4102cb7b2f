#pragma once
#include <string>

namespace vr {

// What one reminder pop-up shows.
struct ReminderContent {
  enum Kind { kNote = 0, kBirthday = 1 };
  Kind kind = kNote;
  std::string title;  // "记事提醒" or "生日提醒"
  std::string text;   // the note's whole content, or "<date> 是 <name> 的生日"
};

// Opens reminder pop-ups. The reminder window of the UI implements it; until
// one is set, reminders fall due without anything visible.
class ReminderPresenter {
 public:
  virtual ~ReminderPresenter() = default;
  // One call per due reminder; each opens its own window.
  virtual void ShowReminder(const ReminderContent& content) = 0;
};

}  // namespace vr
