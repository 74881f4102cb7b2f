#pragma once
#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "records/LunarDateCache.h"
#include "records/NoteMgrDel.h"
#include "records/RecordsStore.h"
#include "records/ReminderList.h"
#include "records/ReminderPresenter.h"

namespace vr {

// The one owner of the user's notes, birthdays, password entries, day flags
// and vault code. Every record lives in memory and each change is written to
// NoteMgr.db at once, then observers hear of it.
//
// When a write fails (disk full, read-only or locked file, a damaged page) the
// change is rolled back: memory stays as it was, no observer is told, and the
// operation answers false. Memory and file therefore never silently diverge,
// and the caller (the page that asked) can tell the user and try again.
//
// Everything runs on the UI thread. The list lock only guards insertions,
// removals and field copies of notes, birthdays and passwords against a
// reader on another thread, as the record views expect.
class NoteMgr {
 public:
  template <class T>
  using List = std::vector<std::unique_ptr<T>>;

  explicit NoteMgr(const Clock& clock);
  ~NoteMgr();
  NoteMgr(const NoteMgr&) = delete;
  NoteMgr& operator=(const NoteMgr&) = delete;

  // --- Lifecycle
  // Opens NoteMgr.db in the data folder (creating the folder) and loads it.
  OpenResult Load();
  // Opens and loads the given file. While a file is open a further call
  // changes nothing and answers Opened.
  OpenResult LoadFile(const std::string& path);
  bool IsOpen() const { return store_.IsOpen(); }
  // How the last load went, for the UI to tell the user about a damaged file.
  const OpenResult& LastLoad() const { return lastLoad_; }
  void Close();
  const std::string& LastError() const { return store_.LastError(); }

  // --- Observers (appended; removal takes the first equal entry)
  void AddNoteObserver(NoteMgrDel* o) { noteObservers_.push_back(o); }
  void RemoveNoteObserver(NoteMgrDel* o) { RemoveFirst(noteObservers_, o); }
  void AddBirthObserver(BirthMgrDel* o) { birthObservers_.push_back(o); }
  void RemoveBirthObserver(BirthMgrDel* o) { RemoveFirst(birthObservers_, o); }
  void AddPassObserver(PassMgrDel* o) { passObservers_.push_back(o); }
  void RemovePassObserver(PassMgrDel* o) { RemoveFirst(passObservers_, o); }

  // --- The lists, in load order then order of addition
  const List<NoteData>& Notes() const { return notes_; }
  const List<BirthdayData>& Birthdays() const { return birthdays_; }
  const List<PassData>& Passes() const { return passes_; }
  const List<FlagData>& Flags() const { return flags_; }

  // --- Lookups (first exact match of the identity)
  NoteData* FindNote(std::string_view guid) const;
  BirthdayData* FindBirthday(std::string_view guid) const;
  PassData* FindPass(const PassData& entry) const;
  FlagData* FindFlag(int day, int flag) const;

  // --- Changes. Adds copy the argument; false when the file is not open, the
  // identity exists, or the write failed. Updates need an open file and a
  // stored record with the identity. Deletes work without a file (memory
  // only) but not against a failing one.
  bool AddNote(const NoteData& note);
  bool UpdateNote(const NoteData& note);
  bool DeleteNote(std::string_view guid);
  // Writes `nf` on a stored note; with `save`, stores it like UpdateNote
  // (and puts the old value back if that fails).
  bool SetFinished(NoteData& note, bool finished, bool save);
  bool AddBirthday(const BirthdayData& birthday);
  bool UpdateBirthday(const BirthdayData& birthday);
  bool DeleteBirthday(std::string_view guid);
  bool AddPass(const PassData& entry);
  bool UpdatePass(const PassData& entry);
  bool DeletePass(const PassData& entry);
  // A flag kept in memory only while no file is open.
  bool AddFlag(int day, int flag);
  bool DeleteFlag(int day, int flag);

  // --- Vault code
  static constexpr std::string_view kDefaultLockCode = "480915";
  bool CheckLockCode(std::string_view code) const;
  bool SetLockCode(std::string_view code);

  // --- Today's reminders
  void RebuildToday();
  void RebuildToday(const TimeRecord& today);
  void ScheduleNote(const NoteData& note, bool replace);
  void ScheduleBirthday(const BirthdayData& birthday, bool replace);
  void DropEntries(std::string_view guid) { today_.Drop(guid); }
  // Shows every reminder due at `now`, the later-scheduled first.
  void CheckDue(const TimeRecord& now);
  void ShowReminder(std::string_view guid);
  // What a reminder for this identity would show; false when no record has it.
  bool ReminderFor(std::string_view guid, ReminderContent& out) const;
  // Not owned; null shows nothing.
  void SetReminderPresenter(ReminderPresenter* presenter) { presenter_ = presenter; }
  const ReminderList& TodayReminders() const { return today_; }

 private:
  template <class T>
  static void RemoveFirst(std::vector<T*>& list, T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) list.erase(it);
  }
  // The lunar facts of the clock's today, recomputed when the date moved.
  const RemindDay& CurrentDay();
  // Appends the record's reminder when it falls due on `day`.
  void ScheduleRecord(const RemindData& record, const std::string& guid, const RemindDay& day);
  void NotifyNote(const NoteData* note, RecordChange change);
  void NotifyFlag(const FlagData* flag, RecordChange change);
  void NotifyBirthday(const BirthdayData* birthday, RecordChange change);
  void NotifyPass(const PassData* entry, RecordChange change);

  const Clock& clock_;
  RecordsStore store_;
  OpenResult lastLoad_;
  std::string lockCode_;
  List<BirthdayData> birthdays_;
  List<NoteData> notes_;
  List<PassData> passes_;
  List<FlagData> flags_;
  std::vector<NoteMgrDel*> noteObservers_;
  std::vector<PassMgrDel*> passObservers_;
  std::vector<BirthMgrDel*> birthObservers_;
  mutable std::mutex listLock_;
  ReminderList today_;
  RemindDay remindDay_;
  LunarDateCache lunarCache_;
  bool remindDayValid_ = false;
  ReminderPresenter* presenter_ = nullptr;
};

// The process-wide records manager on the system clock, made on first use.
NoteMgr& GlobalNoteMgr();

}  // namespace vr
