#pragma once
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "records/NoteMgr.h"
#include "tests/support/TempFolder.h"

namespace vr::test {

// A second, independent connection to a records file, for looking at what is
// really stored and for arranging failures.
class RawDb {
 public:
  explicit RawDb(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
  ~RawDb() { sqlite3_close(db_); }
  RawDb(const RawDb&) = delete;
  RawDb& operator=(const RawDb&) = delete;

  bool Exec(const std::string& sql) {
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  // Every row of a query, each column as text ("<null>" for NULL).
  std::vector<std::vector<std::string>> Rows(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) return rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        const unsigned char* t = sqlite3_column_text(stmt, c);
        row.push_back(t ? reinterpret_cast<const char*>(t) : "<null>");
      }
      rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    return rows;
  }
  std::string One(const std::string& sql) {
    auto rows = Rows(sql);
    return rows.empty() || rows[0].empty() ? "<none>" : rows[0][0];
  }

 private:
  sqlite3* db_ = nullptr;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Remembers every notification with what the record held at that moment.
struct Heard {
  const void* record;
  RecordChange change;
  std::string identity;  // guid, or "day/flag" for flags
};

class RecordingObserver : public NoteMgrDel, public BirthMgrDel, public PassMgrDel {
 public:
  bool OnNoteChanged(const NoteData* n, RecordChange c) override {
    notes.push_back({n, c, n->guid + "|" + n->inf});
    return true;
  }
  bool OnFlagChanged(const FlagData* f, RecordChange c) override {
    flags.push_back({f, c, std::to_string(f->day) + "/" + std::to_string(f->flag)});
    return true;
  }
  bool OnBirthdayChanged(const BirthdayData* b, RecordChange c) override {
    birthdays.push_back({b, c, b->guid + "|" + b->name});
    return true;
  }
  bool OnPassChanged(const PassData* p, RecordChange c) override {
    passes.push_back({p, c, p->guid + "|" + p->user});
    return true;
  }
  void WatchAll(NoteMgr& mgr) {
    mgr.AddNoteObserver(this);
    mgr.AddBirthObserver(this);
    mgr.AddPassObserver(this);
  }
  std::vector<Heard> notes, flags, birthdays, passes;
};

// Stands in for the reminder window.
class RecordingPresenter : public ReminderPresenter {
 public:
  void ShowReminder(const ReminderContent& content) override { shown.push_back(content); }
  std::vector<ReminderContent> shown;
};

inline NoteData MakeNote(const std::string& guid, const TimeRecord& t, int remind,
                         const std::string& inf = "text") {
  NoteData n(t);
  n.guid = guid;
  n.remind = remind;
  n.inf = inf;
  n.attr["show"] = "1";
  return n;
}

}  // namespace vr::test
