#include "records/NoteMgr.h"

#include <algorithm>
#include <cstdio>

#include "platform/Paths.h"
#include "records/TimeMath.h"

namespace vr {
namespace {

constexpr char kFileName[] = "NoteMgr.db";

// Iterates over a copy, so an observer may unregister itself while called.
template <class Observer, class Call>
void NotifyAll(const std::vector<Observer*>& observers, Call call) {
  const std::vector<Observer*> snapshot = observers;
  for (Observer* o : snapshot) call(o);
}

template <class T, class Pred>
typename std::vector<std::unique_ptr<T>>::const_iterator FindIn(const std::vector<std::unique_ptr<T>>& list,
                                                                Pred pred) {
  return std::find_if(list.begin(), list.end(), [&](const std::unique_ptr<T>& r) { return pred(*r); });
}

// Takes the record out of its list, keeping the order of the rest.
template <class T>
std::unique_ptr<T> TakeOut(std::vector<std::unique_ptr<T>>& list, const T* record) {
  auto it = std::find_if(list.begin(), list.end(),
                         [record](const std::unique_ptr<T>& r) { return r.get() == record; });
  std::unique_ptr<T> owned = std::move(*it);
  list.erase(it);
  return owned;
}

}  // namespace

NoteMgr::NoteMgr(const Clock& clock) : clock_(clock) {}

NoteMgr::~NoteMgr() = default;

// ---------------------------------------------------------------- lifecycle

OpenResult NoteMgr::Load() {
  const std::string folder = DataFolder();
  MakeFolders(folder);
  return LoadFile(JoinPath(folder, kFileName));
}

OpenResult NoteMgr::LoadFile(const std::string& path) {
  if (store_.IsOpen()) return OpenResult{OpenStatus::Opened, {}, {}};
  LoadedRecords loaded;
  OpenResult result = store_.Open(path, clock_.Now(), loaded);
  if (result.status == OpenStatus::NotOpened) {
    std::fprintf(stderr, "records: %s could not be opened (%s); records stay in memory only\n",
                 path.c_str(), result.error.c_str());
  } else if (result.status == OpenStatus::Recovered) {
    std::fprintf(stderr, "records: %s was damaged; kept as %s, starting empty\n", path.c_str(),
                 result.keptAside.c_str());
  }
  std::lock_guard<std::mutex> guard(listLock_);
  notes_ = std::move(loaded.notes);
  lockCode_ = std::move(loaded.lockCode);
  flags_ = std::move(loaded.flags);
  passes_ = std::move(loaded.passes);
  birthdays_ = std::move(loaded.birthdays);
  lastLoad_ = result;
  return result;
}

void NoteMgr::Close() { store_.Close(); }

// ---------------------------------------------------------------- lookups

NoteData* NoteMgr::FindNote(std::string_view guid) const {
  auto it = FindIn(notes_, [guid](const NoteData& n) { return n.guid == guid; });
  return it == notes_.end() ? nullptr : it->get();
}

BirthdayData* NoteMgr::FindBirthday(std::string_view guid) const {
  auto it = FindIn(birthdays_, [guid](const BirthdayData& b) { return b.guid == guid; });
  return it == birthdays_.end() ? nullptr : it->get();
}

PassData* NoteMgr::FindPass(const PassData& entry) const {
  auto it = FindIn(passes_, [&entry](const PassData& p) { return p.guid == entry.guid; });
  return it == passes_.end() ? nullptr : it->get();
}

FlagData* NoteMgr::FindFlag(int day, int flag) const {
  auto it = FindIn(flags_, [=](const FlagData& f) { return f.day == day && f.flag == flag; });
  return it == flags_.end() ? nullptr : it->get();
}

// ---------------------------------------------------------------- notes

bool NoteMgr::AddNote(const NoteData& note) {
  if (!store_.IsOpen() || FindNote(note.guid)) return false;
  auto record = std::make_unique<NoteData>(note);
  if (!store_.InsertNote(*record)) return false;
  NoteData* stored = record.get();
  {
    std::lock_guard<std::mutex> guard(listLock_);
    notes_.push_back(std::move(record));
  }
  ScheduleNote(*stored, false);
  NotifyNote(stored, RecordChange::Added);
  return true;
}

bool NoteMgr::UpdateNote(const NoteData& note) {
  NoteData* stored = FindNote(note.guid);
  if (!store_.IsOpen() || !stored) return false;
  if (!store_.UpdateNote(note)) return false;
  if (stored != &note) {
    std::lock_guard<std::mutex> guard(listLock_);
    *stored = note;
  }
  ScheduleNote(*stored, true);
  NotifyNote(stored, RecordChange::Modified);
  return true;
}

bool NoteMgr::SetFinished(NoteData& note, bool finished, bool save) {
  const AttrMap before = note.attr;
  note.SetFinished(finished);
  if (!save || UpdateNote(note)) return true;
  note.attr = before;
  return false;
}

bool NoteMgr::DeleteNote(std::string_view guid) {
  NoteData* stored = FindNote(guid);
  if (!stored) return false;
  const std::string id = stored->guid;  // `guid` may view the record itself
  if (store_.IsOpen() && !store_.DeleteNote(id)) return false;
  DropEntries(id);
  std::unique_ptr<NoteData> owned;
  {
    std::lock_guard<std::mutex> guard(listLock_);
    owned = TakeOut(notes_, stored);
  }
  NotifyNote(owned.get(), RecordChange::Deleted);
  return true;
}

// ---------------------------------------------------------------- birthdays

bool NoteMgr::AddBirthday(const BirthdayData& birthday) {
  if (!store_.IsOpen() || FindBirthday(birthday.guid)) return false;
  auto record = std::make_unique<BirthdayData>(birthday);
  if (!store_.InsertBirthday(*record)) return false;
  BirthdayData* stored = record.get();
  {
    std::lock_guard<std::mutex> guard(listLock_);
    birthdays_.push_back(std::move(record));
  }
  ScheduleBirthday(*stored, false);
  NotifyBirthday(stored, RecordChange::Added);
  return true;
}

bool NoteMgr::UpdateBirthday(const BirthdayData& birthday) {
  BirthdayData* stored = FindBirthday(birthday.guid);
  if (!store_.IsOpen() || !stored) return false;
  if (!store_.UpdateBirthday(birthday)) return false;
  if (stored != &birthday) {
    std::lock_guard<std::mutex> guard(listLock_);
    *stored = birthday;
  }
  ScheduleBirthday(*stored, true);
  NotifyBirthday(stored, RecordChange::Modified);
  return true;
}

bool NoteMgr::DeleteBirthday(std::string_view guid) {
  BirthdayData* stored = FindBirthday(guid);
  if (!stored) return false;
  const std::string id = stored->guid;
  if (store_.IsOpen() && !store_.DeleteBirthday(id)) return false;
  std::unique_ptr<BirthdayData> owned;
  {
    std::lock_guard<std::mutex> guard(listLock_);
    owned = TakeOut(birthdays_, stored);
  }
  DropEntries(id);
  NotifyBirthday(owned.get(), RecordChange::Deleted);
  return true;
}

// ---------------------------------------------------------------- passwords

bool NoteMgr::AddPass(const PassData& entry) {
  if (!store_.IsOpen() || FindPass(entry)) return false;
  auto record = std::make_unique<PassData>(entry);
  if (!store_.InsertPass(*record)) return false;
  PassData* stored = record.get();
  {
    std::lock_guard<std::mutex> guard(listLock_);
    passes_.push_back(std::move(record));
  }
  NotifyPass(stored, RecordChange::Added);
  return true;
}

bool NoteMgr::UpdatePass(const PassData& entry) {
  PassData* stored = FindPass(entry);
  if (!store_.IsOpen() || !stored) return false;
  if (!store_.UpdatePass(entry)) return false;
  if (stored != &entry) {
    std::lock_guard<std::mutex> guard(listLock_);
    *stored = entry;
  }
  NotifyPass(stored, RecordChange::Modified);
  return true;
}

bool NoteMgr::DeletePass(const PassData& entry) {
  PassData* stored = FindPass(entry);
  if (!stored) return false;
  const std::string id = stored->guid;
  if (store_.IsOpen() && !store_.DeletePass(id)) return false;
  std::unique_ptr<PassData> owned;
  {
    std::lock_guard<std::mutex> guard(listLock_);
    owned = TakeOut(passes_, stored);
  }
  NotifyPass(owned.get(), RecordChange::Deleted);
  return true;
}

// ---------------------------------------------------------------- day flags

bool NoteMgr::AddFlag(int day, int flag) {
  if (FindFlag(day, flag)) return false;
  if (store_.IsOpen() && !store_.InsertFlag(day, flag)) return false;
  flags_.push_back(std::make_unique<FlagData>(FlagData{day, flag, 0}));
  NotifyFlag(flags_.back().get(), RecordChange::Added);
  return true;
}

bool NoteMgr::DeleteFlag(int day, int flag) {
  FlagData* stored = FindFlag(day, flag);
  if (!stored) return false;
  if (store_.IsOpen() && !store_.DeleteFlag(day, flag)) return false;
  std::unique_ptr<FlagData> owned = TakeOut(flags_, stored);
  NotifyFlag(owned.get(), RecordChange::Deleted);
  return true;
}

// ---------------------------------------------------------------- vault code

bool NoteMgr::CheckLockCode(std::string_view code) const {
  if (lockCode_.empty()) return code == kDefaultLockCode || code.empty();
  return code == lockCode_;
}

bool NoteMgr::SetLockCode(std::string_view code) {
  if (!store_.IsOpen()) return false;
  if (!store_.ReplaceLockCode(code)) return false;
  lockCode_ = code;
  return true;
}

// ---------------------------------------------------------------- reminders

const RemindDay& NoteMgr::CurrentDay() {
  const TimeRecord now = clock_.Now();
  if (!remindDayValid_ || !remindDay_.today.SameDate(now)) {
    remindDay_ = MakeRemindDay(now);
    remindDay_.known = &lunarCache_;
    remindDayValid_ = true;
  }
  return remindDay_;
}

void NoteMgr::RebuildToday() { RebuildToday(clock_.Now()); }

void NoteMgr::RebuildToday(const TimeRecord& today) {
  // Work out the lunar birth dates new since the last rebuild in one sorted
  // pass; afterwards a rebuild needs only today's and tomorrow's.
  std::vector<int32_t> births;
  for (const auto& b : birthdays_)
    if (!b->solar && b->remind > 0 && IsValidDate(b->time.year, b->time.month, b->time.day) &&
        !lunarCache_.Find(b->time.year, b->time.month, b->time.day))
      births.push_back(LunarDateCache::DateInt(b->time.year, b->time.month, b->time.day));
  if (!births.empty()) lunarCache_.Add(std::move(births));
  remindDay_ = MakeRemindDay(today);
  remindDay_.known = &lunarCache_;
  remindDayValid_ = true;
  today_.Clear();
  for (const auto& note : notes_) ScheduleRecord(*note, note->guid, remindDay_);
  for (const auto& birthday : birthdays_) ScheduleRecord(*birthday, birthday->guid, remindDay_);
}

void NoteMgr::ScheduleRecord(const RemindData& record, const std::string& guid,
                             const RemindDay& day) {
  TimeRecord at;
  if (record.remind < 1 || !record.GetRemindTime(at, day) || !at.SameDate(day.today)) return;
  today_.Append(guid, at);
}

void NoteMgr::ScheduleNote(const NoteData& note, bool replace) {
  if (replace) DropEntries(note.guid);
  ScheduleRecord(note, note.guid, CurrentDay());
}

void NoteMgr::ScheduleBirthday(const BirthdayData& birthday, bool replace) {
  if (replace) DropEntries(birthday.guid);
  ScheduleRecord(birthday, birthday.guid, CurrentDay());
}

void NoteMgr::CheckDue(const TimeRecord& now) {
  for (const std::string& guid : today_.TakeDue(now)) ShowReminder(guid);
}

bool NoteMgr::ReminderFor(std::string_view guid, ReminderContent& out) const {
  if (const NoteData* note = FindNote(guid)) {
    out = ReminderContent{ReminderContent::kNote, "记事提醒", note->inf};
    return true;
  }
  if (const BirthdayData* b = FindBirthday(guid)) {
    char date[32];
    std::snprintf(date, sizeof date, "%d/%02d/%02d", b->time.year, b->time.month, b->time.day);
    out = ReminderContent{ReminderContent::kBirthday, "生日提醒",
                          std::string(date) + " 是 " + b->name + " 的生日"};
    return true;
  }
  return false;
}

void NoteMgr::ShowReminder(std::string_view guid) {
  ReminderContent content;
  if (!ReminderFor(guid, content) || !presenter_) return;
  presenter_->ShowReminder(content);
}

// ---------------------------------------------------------------- notifications

void NoteMgr::NotifyNote(const NoteData* note, RecordChange change) {
  NotifyAll(noteObservers_, [&](NoteMgrDel* o) { o->OnNoteChanged(note, change); });
}

void NoteMgr::NotifyFlag(const FlagData* flag, RecordChange change) {
  NotifyAll(noteObservers_, [&](NoteMgrDel* o) { o->OnFlagChanged(flag, change); });
}

void NoteMgr::NotifyBirthday(const BirthdayData* birthday, RecordChange change) {
  NotifyAll(birthObservers_, [&](BirthMgrDel* o) { o->OnBirthdayChanged(birthday, change); });
}

void NoteMgr::NotifyPass(const PassData* entry, RecordChange change) {
  NotifyAll(passObservers_, [&](PassMgrDel* o) { o->OnPassChanged(entry, change); });
}

NoteMgr& GlobalNoteMgr() {
  static SystemClock clock;
  static NoteMgr manager(clock);
  return manager;
}

}  // namespace vr
