#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TimeRecord.h"
#include "records/BirthdayData.h"
#include "records/FlagData.h"
#include "records/NoteData.h"
#include "records/PassData.h"
#include "records/SqliteConnection.h"

namespace vr {

// Everything the five tables hold, in row order.
struct LoadedRecords {
  std::vector<std::unique_ptr<NoteData>> notes;
  std::string lockCode;  // empty: no code set
  std::vector<std::unique_ptr<FlagData>> flags;
  std::vector<std::unique_ptr<PassData>> passes;
  std::vector<std::unique_ptr<BirthdayData>> birthdays;
};

// How opening the records file went.
enum class OpenStatus {
  Opened,     // the file was read (or created empty)
  Recovered,  // the file was unreadable: kept aside, a fresh empty file is in use
  NotOpened,  // no usable file: records live in memory only (nothing was moved or written)
};

struct OpenResult {
  OpenStatus status = OpenStatus::NotOpened;
  std::string keptAside;  // path of the set-aside copy when Recovered
  std::string error;      // SQLite's message when something failed
};

// The records file: the SQL of every change, one statement per change, in
// autocommit mode. A statement's success means SQLite has committed it with
// the default rollback journal and synchronous=FULL, so an acknowledged change
// survives a crash or power loss. Every write reports failure by its result.
class RecordsStore {
 public:
  // Opens `path` (read-write, created if missing), runs the five CREATE
  // statements and reads the five tables into `out`. A file that is not a
  // database, is damaged (quick_check), or holds tables of another shape is
  // renamed to "<path>.corrupt-<yyyymmdd-hhmmss>" (with its journal) and a fresh
  // file is started; a file that cannot be opened for other reasons (locked,
  // unreadable, a folder) is left alone.
  OpenResult Open(const std::string& path, const TimeRecord& now, LoadedRecords& out);
  bool IsOpen() const { return conn_.IsOpen(); }
  void Close() { conn_.Close(); }

  bool InsertNote(const NoteData& note);
  bool UpdateNote(const NoteData& note);
  bool DeleteNote(std::string_view guid);
  bool InsertBirthday(const BirthdayData& birthday);
  bool UpdateBirthday(const BirthdayData& birthday);
  bool DeleteBirthday(std::string_view guid);
  bool InsertPass(const PassData& entry);
  bool UpdatePass(const PassData& entry);
  bool DeletePass(std::string_view guid);
  bool InsertFlag(int day, int flag);
  bool DeleteFlag(int day, int flag);
  // Replaces the "admin" row in one transaction, so a crash never leaves the
  // vault without its code.
  bool ReplaceLockCode(std::string_view code);

  // SQLite's message for the last failed write.
  const std::string& LastError() const { return lastError_; }

 private:
  enum class Attempt { Ok, Damaged, Failed };
  Attempt TryOpen(const std::string& path, const TimeRecord& now, LoadedRecords& out);
  Attempt CheckShapes();
  Attempt CreateTables();
  Attempt ReadTables(const TimeRecord& now, LoadedRecords& out);
  Attempt Classify(int code) const;
  bool Finish(SqliteStatement& stmt, const char* what);

  SqliteConnection conn_;
  std::string lastError_;
};

// The name a damaged file is kept under: "<path>.corrupt-<yyyymmdd-hhmmss>",
// with "-2", "-3"... appended when that name is taken.
std::string CorruptCopyName(const std::string& path, const TimeRecord& now);

}  // namespace vr
