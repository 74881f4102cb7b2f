#include "calendar/Almanac.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

namespace vr {
namespace {

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const unsigned char* text = sqlite3_column_text(statement, column);
  if (!text) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

struct Row {
  std::string yi;
  std::string ji;
};

// Every row of the date's query that has exactly two columns; false on an error.
bool QueryRows(sqlite3* db, int date, std::vector<Row>& rows) {
  char sql[64];
  std::snprintf(sql, sizeof sql, "SELECT yi,ji FROM YiJi WHERE date=%d", date);
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    return false;
  }
  Statement statement(raw);
  int status;
  while ((status = sqlite3_step(statement.get())) == SQLITE_ROW)
    if (sqlite3_column_count(statement.get()) == 2)
      rows.push_back({ColumnText(statement.get(), 0), ColumnText(statement.get(), 1)});
  return status == SQLITE_DONE;
}

}  // namespace

void Almanac::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Almanac::Almanac(std::string path) : path_(std::move(path)) {}

Almanac::~Almanac() = default;

bool Almanac::EnsureOpen() {
  if (db_) return true;
  sqlite3* raw = nullptr;
  // sqlite3_open_v2 hands back a handle even when it fails; the deleter closes it.
  const int status = sqlite3_open_v2(path_.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  std::unique_ptr<sqlite3, Closer> db(raw);
  if (status != SQLITE_OK) return false;
  db_ = std::move(db);
  return true;
}

std::string Almanac::Lookup(int year, int month, int day, std::string& yi, std::string& ji) {
  std::lock_guard<std::mutex> lock(mutex_);
  yi.clear();
  ji.clear();
  if (!EnsureOpen()) return {};
  std::vector<Row> rows;
  if (!QueryRows(db_.get(), year * 10000 + month * 100 + day, rows) || rows.size() != 1) return {};
  yi = std::move(rows.front().yi);
  ji = std::move(rows.front().ji);
  return yi;
}

namespace {

std::unique_ptr<Almanac>& ProcessAlmanac() {
  static std::unique_ptr<Almanac> almanac;
  return almanac;
}

}  // namespace

void SetAlmanacFolder(const std::string& programFolder) {
  ProcessAlmanac() = std::make_unique<Almanac>((std::filesystem::path(programFolder) / "yj.db").string());
}

std::string LookupAlmanac(int year, int month, int day, std::string& yi, std::string& ji) {
  if (!ProcessAlmanac()) {
    yi.clear();
    ji.clear();
    return {};
  }
  return ProcessAlmanac()->Lookup(year, month, day, yi, ji);
}

bool AlmanacIsOpen() { return ProcessAlmanac() && ProcessAlmanac()->IsOpen(); }

}  // namespace vr
