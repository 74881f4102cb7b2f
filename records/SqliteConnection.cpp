#include "records/SqliteConnection.h"

#include <sqlite3.h>

namespace vr {

void SqliteConnection::Closer::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

SqliteConnection SqliteConnection::Open(const std::string& path) {
  SqliteConnection conn;
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
  conn.db_.reset(raw);  // a handle is returned even on failure and must be closed
  if (rc != SQLITE_OK) {
    conn.error_ = rc & 0xFF;
    conn.db_.reset();
    return conn;
  }
  sqlite3_extended_result_codes(raw, 0);
  return conn;
}

std::string SqliteConnection::ErrorMessage() const {
  if (db_) return sqlite3_errmsg(db_.get());
  return sqlite3_errstr(error_);
}

bool SqliteConnection::Exec(std::string_view sql) {
  SqliteStatement stmt = Prepare(sql);
  return Run(stmt);
}

bool SqliteConnection::Run(SqliteStatement& stmt) {
  if (stmt.Run()) return true;
  error_ = stmt.ErrorCode() ? stmt.ErrorCode() : SQLITE_ERROR;
  return false;
}

std::string SqliteConnection::QueryText(std::string_view sql) {
  SqliteStatement stmt = Prepare(sql);
  std::string text;
  if (stmt.NextRow()) {
    const char* t = stmt.ColumnText(0);
    text = t ? t : "";
  }
  if (stmt.Failed()) error_ = stmt.ErrorCode();
  return text;
}

}  // namespace vr
