#pragma once
#include <string>

#include "records/RemindData.h"

namespace vr {

// A note: its content `inf` (first line is the title), date and time, reminder
// code and attributes `nc` (class), `np` (priority), `nf` (finished), `show`.
class NoteData final : public RemindData {
 public:
  explicit NoteData(const TimeRecord& t = {}) : RemindData(t) {}
  NoteData(const NoteData&) = default;
  NoteData& operator=(const NoteData&) = default;

  bool IsFinished() const;
  // Writes `nf` as "1" or "0". Saving goes through NoteMgr::SetFinished.
  void SetFinished(bool finished);

  std::string type = "un";  // carried unchanged; "un" for notes made here
  std::string uid = "0";    // carried unchanged; "0" for notes made here
  std::string guid;
  std::string inf;
  std::string param;  // spare, carried unchanged
};

}  // namespace vr
