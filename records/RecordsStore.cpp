#include "records/RecordsStore.h"

#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <cstdio>

#include "records/AttrText.h"
#include "records/RecordRows.h"
#include "records/StoredTextCodec.h"
#include "records/TimeText.h"

namespace vr {
namespace {

constexpr std::array<const char*, 5> kCreateStatements = {
    "CREATE TABLE IF NOT EXISTS NoteRecord(uid char,guid char,type char,tm char,inf text,param "
    "text,remind INTEGER,attr text)",
    "CREATE TABLE IF NOT EXISTS FlagRecord(day INTEGER,flag INTEGER,attr INTEGER)",
    "CREATE TABLE IF NOT EXISTS PassRecord(guid char,name text,user text,pass text,url text,class "
    "INTEGER)",
    "CREATE TABLE IF NOT EXISTS LockRecord(lockpass text,lockuser text)",
    "CREATE TABLE IF NOT EXISTS BirthDayRecord(guid text,name text,date text,class INTEGER,remind "
    "INTEGER,solar INTEGER,attr INTEGER)",
};

// The tables and the query that reads each, in load order.
struct TableQuery {
  const char* table;
  const char* select;
};
constexpr std::array<TableQuery, 5> kTables = {{
    {"NoteRecord", "SELECT uid,guid,type,tm,inf,param,remind,attr FROM NoteRecord"},
    {"LockRecord", "SELECT lockpass,lockuser FROM LockRecord"},
    {"FlagRecord", "SELECT day,flag,attr FROM FlagRecord"},
    {"PassRecord", "SELECT guid,name,user,pass,url,class FROM PassRecord"},
    {"BirthDayRecord", "SELECT guid,name,date,class,remind,solar,attr FROM BirthDayRecord"},
}};

constexpr int kBusyTimeoutMs = 2000;
constexpr size_t kMaxColumns = 8;

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Moves `from` to `to` if it exists. True when nothing is left at `from`.
bool MoveIfPresent(const std::string& from, const std::string& to) {
  if (!Exists(from)) return true;
  return std::rename(from.c_str(), to.c_str()) == 0;
}

// Renames the damaged file and its side files (a hot journal must not be
// rolled into the fresh file). The journal keeps its pairing with the copy,
// so SQLite tools can still open the copy as it was.
bool SetAside(const std::string& path, const std::string& aside) {
  if (!MoveIfPresent(path, aside)) return false;
  for (const char* suffix : {"-journal", "-wal", "-shm"})
    if (!MoveIfPresent(path + suffix, aside + suffix)) return false;
  return true;
}

}  // namespace

std::string CorruptCopyName(const std::string& path, const TimeRecord& now) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  const std::string base = path + ".corrupt-" + stamp;
  std::string name = base;
  for (int n = 2; Exists(name) || Exists(name + "-journal"); ++n) name = base + "-" + std::to_string(n);
  return name;
}

OpenResult RecordsStore::Open(const std::string& path, const TimeRecord& now, LoadedRecords& out) {
  OpenResult result;
  const Attempt first = TryOpen(path, now, out);
  if (first == Attempt::Ok) {
    result.status = OpenStatus::Opened;
    return result;
  }
  result.error = conn_.ErrorMessage();
  conn_.Close();
  out = LoadedRecords{};
  if (first == Attempt::Failed) return result;

  const std::string aside = CorruptCopyName(path, now);
  if (!SetAside(path, aside)) {
    // Without a safe copy the file must not be touched; run without it.
    result.error = "could not keep the damaged records file aside";
    return result;
  }
  result.keptAside = aside;
  if (TryOpen(path, now, out) != Attempt::Ok) {
    result.error = conn_.ErrorMessage();
    conn_.Close();
    out = LoadedRecords{};
    return result;
  }
  result.status = OpenStatus::Recovered;
  result.error.clear();
  return result;
}

RecordsStore::Attempt RecordsStore::Classify(int code) const {
  switch (code) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_ERROR:  // a table of another shape: "no such column"
      return Attempt::Damaged;
    default:
      return Attempt::Failed;
  }
}

RecordsStore::Attempt RecordsStore::TryOpen(const std::string& path, const TimeRecord& now,
                                            LoadedRecords& out) {
  conn_ = SqliteConnection::Open(path);
  if (!conn_.IsOpen()) return Attempt::Failed;
  // The defaults of Debian's SQLite already are a rollback journal with
  // synchronous=FULL; say so explicitly so a build default cannot weaken it.
  if (!conn_.Exec("PRAGMA busy_timeout=" + std::to_string(kBusyTimeoutMs)) ||
      !conn_.Exec("PRAGMA synchronous=FULL"))
    return Classify(conn_.ErrorCode());
  const std::string check = conn_.QueryText("PRAGMA quick_check");
  if (check != "ok") return check.empty() ? Classify(conn_.ErrorCode()) : Attempt::Damaged;
  // Look before writing: a file that would be set aside must not have gained
  // our tables first.
  if (const Attempt a = CheckShapes(); a != Attempt::Ok) return a;
  if (const Attempt a = CreateTables(); a != Attempt::Ok) return a;
  return ReadTables(now, out);
}

RecordsStore::Attempt RecordsStore::CheckShapes() {
  for (const TableQuery& t : kTables) {
    SqliteStatement kind = conn_.Prepare("SELECT type FROM sqlite_master WHERE name=? COLLATE NOCASE");
    kind.Bind(1, std::string_view(t.table));
    if (!kind.NextRow()) {
      if (kind.Failed()) return Classify(kind.ErrorCode());
      continue;  // not there yet: CREATE makes it
    }
    const char* type = kind.ColumnText(0);
    if (!type || std::string_view(type) != "table") return Attempt::Damaged;
    SqliteStatement probe = conn_.Prepare(t.select);
    if (!probe.IsValid()) return Classify(probe.ErrorCode());
  }
  return Attempt::Ok;
}

RecordsStore::Attempt RecordsStore::CreateTables() {
  for (const char* sql : kCreateStatements) {
    // A read-only file still loads (writes will then report failure), so only
    // damage stops here.
    if (!conn_.Exec(sql) && Classify(conn_.ErrorCode()) == Attempt::Damaged) return Attempt::Damaged;
  }
  return Attempt::Ok;
}

RecordsStore::Attempt RecordsStore::ReadTables(const TimeRecord& now, LoadedRecords& out) {
  // Runs one SELECT and hands each row's column texts to `take`.
  auto read = [this](const char* sql, auto&& take) {
    SqliteStatement stmt = conn_.Prepare(sql);
    if (!stmt.IsValid()) return Classify(stmt.ErrorCode());
    const int columns = stmt.ColumnCount();
    if (columns < 0 || static_cast<size_t>(columns) > kMaxColumns) return Attempt::Damaged;
    std::array<const char*, kMaxColumns> row{};
    while (stmt.NextRow()) {
      for (int c = 0; c < columns; ++c) row[c] = stmt.ColumnText(c);
      take(RowTexts(row.data(), static_cast<size_t>(columns)));
    }
    return stmt.Failed() ? Classify(stmt.ErrorCode()) : Attempt::Ok;
  };
  const Attempt steps[] = {
      read(kTables[0].select,
           [&](RowTexts r) {
             if (auto n = NoteFromRow(r, now)) out.notes.push_back(std::make_unique<NoteData>(std::move(*n)));
           }),
      read(kTables[1].select,
           [&](RowTexts r) {
             if (auto code = LockCodeFromRow(r)) out.lockCode = std::move(*code);
           }),
      read(kTables[2].select,
           [&](RowTexts r) {
             if (auto f = FlagFromRow(r)) out.flags.push_back(std::make_unique<FlagData>(*f));
           }),
      read(kTables[3].select,
           [&](RowTexts r) {
             if (auto p = PassFromRow(r)) out.passes.push_back(std::make_unique<PassData>(std::move(*p)));
           }),
      read(kTables[4].select,
           [&](RowTexts r) {
             if (auto b = BirthdayFromRow(r, now))
               out.birthdays.push_back(std::make_unique<BirthdayData>(std::move(*b)));
           }),
  };
  for (Attempt a : steps)
    if (a != Attempt::Ok) return a;
  return Attempt::Ok;
}

bool RecordsStore::Finish(SqliteStatement& stmt, const char* what) {
  if (!conn_.IsOpen()) {
    lastError_ = "records file not open";
    return false;
  }
  if (conn_.Run(stmt)) return true;
  lastError_ = conn_.ErrorMessage();
  std::fprintf(stderr, "records: %s failed: %s\n", what, lastError_.c_str());
  return false;
}

bool RecordsStore::InsertNote(const NoteData& n) {
  SqliteStatement s = conn_.Prepare(
      "insert into NoteRecord(uid,guid,type,tm,inf,param,remind,attr) VALUES(?,?,?,?,?,?,?,?)");
  s.Bind(1, n.uid);
  s.Bind(2, n.guid);
  s.Bind(3, n.type);
  s.Bind(4, FormatTime(n.time));
  s.Bind(5, n.inf);
  s.Bind(6, n.param);
  s.Bind(7, n.remind);
  s.Bind(8, FormatAttr(n.attr));
  return Finish(s, "adding a note");
}

bool RecordsStore::UpdateNote(const NoteData& n) {
  SqliteStatement s =
      conn_.Prepare("UPDATE NoteRecord SET type=?,tm=?,inf=?,param=?,remind=?,attr=? WHERE guid=?");
  s.Bind(1, n.type);
  s.Bind(2, FormatTime(n.time));
  s.Bind(3, n.inf);
  s.Bind(4, n.param);
  s.Bind(5, n.remind);
  s.Bind(6, FormatAttr(n.attr));
  s.Bind(7, n.guid);
  return Finish(s, "updating a note");
}

bool RecordsStore::DeleteNote(std::string_view guid) {
  SqliteStatement s = conn_.Prepare("DELETE FROM NoteRecord WHERE guid=?");
  s.Bind(1, guid);
  return Finish(s, "deleting a note");
}

bool RecordsStore::InsertBirthday(const BirthdayData& b) {
  SqliteStatement s = conn_.Prepare(
      "insert into BirthDayRecord(guid,name,date,class,remind,solar,attr) VALUES(?,?,?,?,?,?,?)");
  s.Bind(1, b.guid);
  s.Bind(2, b.name);
  s.Bind(3, FormatTime(b.time));
  s.Bind(4, b.category);
  s.Bind(5, b.remind);
  s.Bind(6, b.solar ? 1 : 0);
  s.Bind(7, FormatAttr(b.attr));
  return Finish(s, "adding a birthday");
}

bool RecordsStore::UpdateBirthday(const BirthdayData& b) {
  SqliteStatement s = conn_.Prepare(
      "UPDATE BirthDayRecord SET name=?,date=?,class=?,remind=?,solar=?,attr=? WHERE guid=?");
  s.Bind(1, b.name);
  s.Bind(2, FormatTime(b.time));
  s.Bind(3, b.category);
  s.Bind(4, b.remind);
  s.Bind(5, b.solar ? 1 : 0);
  s.Bind(6, FormatAttr(b.attr));
  s.Bind(7, b.guid);
  return Finish(s, "updating a birthday");
}

bool RecordsStore::DeleteBirthday(std::string_view guid) {
  SqliteStatement s = conn_.Prepare("DELETE FROM BirthDayRecord WHERE guid=?");
  s.Bind(1, guid);
  return Finish(s, "deleting a birthday");
}

bool RecordsStore::InsertPass(const PassData& p) {
  SqliteStatement s =
      conn_.Prepare("insert into PassRecord(guid,name,user,pass,url,class) VALUES(?,?,?,?,?,?)");
  s.Bind(1, p.guid);
  s.Bind(2, p.name);
  s.Bind(3, StoredTextCodec::Encode(p.user));
  s.Bind(4, StoredTextCodec::Encode(p.pass));
  s.Bind(5, p.url);
  s.Bind(6, p.category);
  return Finish(s, "adding a password entry");
}

bool RecordsStore::UpdatePass(const PassData& p) {
  SqliteStatement s =
      conn_.Prepare("UPDATE PassRecord SET name=?,user=?,pass=?,url=?,class=? WHERE guid=?");
  s.Bind(1, p.name);
  s.Bind(2, StoredTextCodec::Encode(p.user));
  s.Bind(3, StoredTextCodec::Encode(p.pass));
  s.Bind(4, p.url);
  s.Bind(5, p.category);
  s.Bind(6, p.guid);
  return Finish(s, "updating a password entry");
}

bool RecordsStore::DeletePass(std::string_view guid) {
  SqliteStatement s = conn_.Prepare("DELETE FROM PassRecord WHERE guid=?");
  s.Bind(1, guid);
  return Finish(s, "deleting a password entry");
}

bool RecordsStore::InsertFlag(int day, int flag) {
  SqliteStatement s = conn_.Prepare("insert into FlagRecord(day,flag,attr) VALUES(?,?,?)");
  s.Bind(1, day);
  s.Bind(2, flag);
  s.Bind(3, 0);
  return Finish(s, "adding a day flag");
}

bool RecordsStore::DeleteFlag(int day, int flag) {
  char sql[96];
  std::snprintf(sql, sizeof sql, "DELETE FROM FlagRecord WHERE day=%d and flag=%d", day, flag);
  SqliteStatement s = conn_.Prepare(sql);
  return Finish(s, "deleting a day flag");
}

bool RecordsStore::ReplaceLockCode(std::string_view code) {
  if (!conn_.IsOpen()) return false;
  if (!conn_.Exec("BEGIN IMMEDIATE")) {
    lastError_ = conn_.ErrorMessage();
    return false;
  }
  SqliteStatement del = conn_.Prepare("DELETE FROM LockRecord WHERE lockuser='admin'");
  bool ok = Finish(del, "clearing the lock code");
  if (ok) {
    SqliteStatement ins = conn_.Prepare("insert into LockRecord(lockpass,lockuser) VALUES(?,?)");
    ins.Bind(1, StoredTextCodec::Encode(code));
    ins.Bind(2, std::string_view(kLockUser));
    ok = Finish(ins, "storing the lock code");
  }
  if (ok && conn_.Exec("COMMIT")) return true;
  if (ok) lastError_ = conn_.ErrorMessage();
  // ROLLBACK fails harmlessly when SQLite already rolled the transaction back.
  conn_.Exec("ROLLBACK");
  return false;
}

}  // namespace vr
