#pragma once
#include <memory>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace vr {

// One prepared statement, finalized when the wrapper goes. Texts are bound
// as UTF-8 with their byte length, integers as integers; parameter indexes
// are 1-based in column order.
class SqliteStatement {
 public:
  SqliteStatement() = default;
  SqliteStatement(sqlite3* db, std::string_view sql);

  // False when preparing failed; see ErrorCode().
  bool IsValid() const { return stmt_ != nullptr; }
  // The primary result code of the last prepare, bind or step that failed,
  // or SQLITE_OK.
  int ErrorCode() const { return error_; }

  bool Bind(int index, std::string_view text);
  bool Bind(int index, int value);

  // One step: true while a row is ready. At the end (or on failure) false;
  // Failed() tells the two apart.
  bool NextRow();
  bool Failed() const { return error_ != 0; }

  // Runs a statement that returns no rows to completion. True on success.
  bool Run();

  int ColumnCount() const;
  // The column of the current row as text; nullptr for NULL.
  const char* ColumnText(int column) const;

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* stmt) const;
  };
  std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
  int error_ = 0;
};

}  // namespace vr
