#include "records/SqliteStatement.h"

#include <sqlite3.h>

namespace vr {

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
  sqlite3_stmt* raw = nullptr;
  const int rc = db ? sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &raw, nullptr)
                    : SQLITE_MISUSE;
  stmt_.reset(raw);
  if (rc != SQLITE_OK || !raw) error_ = rc != SQLITE_OK ? (rc & 0xFF) : SQLITE_ERROR;
}

bool SqliteStatement::Bind(int index, std::string_view text) {
  if (!stmt_) return false;
  // An empty view may have no storage; bind a real empty text, never NULL.
  const char* data = text.data() ? text.data() : "";
  const int rc = sqlite3_bind_text(stmt_.get(), index, data, static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) error_ = rc & 0xFF;
  return rc == SQLITE_OK;
}

bool SqliteStatement::Bind(int index, int value) {
  if (!stmt_) return false;
  const int rc = sqlite3_bind_int(stmt_.get(), index, value);
  if (rc != SQLITE_OK) error_ = rc & 0xFF;
  return rc == SQLITE_OK;
}

bool SqliteStatement::NextRow() {
  if (!stmt_ || error_) return false;
  const int rc = sqlite3_step(stmt_.get());
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) error_ = rc & 0xFF;
  return false;
}

bool SqliteStatement::Run() {
  if (!stmt_ || error_) return false;
  int rc = sqlite3_step(stmt_.get());
  while (rc == SQLITE_ROW) rc = sqlite3_step(stmt_.get());
  if (rc != SQLITE_DONE) error_ = rc & 0xFF;
  return rc == SQLITE_DONE;
}

int SqliteStatement::ColumnCount() const { return stmt_ ? sqlite3_column_count(stmt_.get()) : 0; }

const char* SqliteStatement::ColumnText(int column) const {
  return reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
}

}  // namespace vr
