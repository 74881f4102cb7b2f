#pragma once

#include "records/BirthdayData.h"
#include "records/FlagData.h"
#include "records/NoteData.h"
#include "records/PassData.h"

namespace vr {

enum class RecordChange { Added = 0, Modified = 1, Deleted = 2 };

// Observers of the records manager. Called on the UI thread, synchronously, in
// registration order, after the change is in memory and in the file. During a
// Deleted call the record is still intact; it is destroyed right after the
// last observer returns. Results are ignored.
class NoteMgrDel {
 public:
  virtual ~NoteMgrDel() = default;
  virtual bool OnNoteChanged(const NoteData* note, RecordChange change) = 0;
  virtual bool OnFlagChanged(const FlagData*, RecordChange) { return false; }
};

class BirthMgrDel {
 public:
  virtual ~BirthMgrDel() = default;
  virtual bool OnBirthdayChanged(const BirthdayData* birthday, RecordChange change) = 0;
};

class PassMgrDel {
 public:
  virtual ~PassMgrDel() = default;
  virtual bool OnPassChanged(const PassData* entry, RecordChange change) = 0;
};

}  // namespace vr
