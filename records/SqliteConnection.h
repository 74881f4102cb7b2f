#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "records/SqliteStatement.h"

struct sqlite3;

namespace vr {

// An open SQLite database, closed when the wrapper goes.
class SqliteConnection {
 public:
  // Opens read-write, creating the file if missing. Check IsOpen().
  static SqliteConnection Open(const std::string& path);

  bool IsOpen() const { return db_ != nullptr; }
  // The primary result code of the last failed operation, or SQLITE_OK.
  int ErrorCode() const { return error_; }
  std::string ErrorMessage() const;

  SqliteStatement Prepare(std::string_view sql) const { return SqliteStatement(db_.get(), sql); }
  // Runs one statement that returns no rows. Remembers the failure code.
  bool Exec(std::string_view sql);
  // Runs a prepared statement, remembering its failure code.
  bool Run(SqliteStatement& stmt);

  // The single text of a one-row, one-column query (PRAGMA quick_check),
  // or empty with the failure remembered.
  std::string QueryText(std::string_view sql);

  void Close() { db_.reset(); }

 private:
  struct Closer {
    void operator()(sqlite3* db) const;
  };
  std::unique_ptr<sqlite3, Closer> db_;
  int error_ = 0;
};

}  // namespace vr
