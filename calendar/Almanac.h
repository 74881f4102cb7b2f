#pragma once
#include <memory>
#include <mutex>
#include <string>

struct sqlite3;

namespace vr {

// The almanac (黄历) database yj.db: table YiJi(date INTEGER, yi TEXT, ji TEXT),
// one row per date (yyyymmdd), 宜 and 忌 activities as UTF-8 text.
//
// The file is opened read-only on the first lookup and kept open. Opening
// never creates a file: a missing almanac stays missing (and the next lookup
// tries again), it does not leave an empty database in the program folder.
class Almanac {
 public:
  explicit Almanac(std::string path);
  ~Almanac();
  Almanac(const Almanac&) = delete;
  Almanac& operator=(const Almanac&) = delete;

  // Sets yi and ji for a Gregorian date and returns yi. Both are empty unless
  // exactly one row holds the date (no database, no table, no row, several
  // rows or a query error all give empty texts); a NULL column is empty text.
  std::string Lookup(int year, int month, int day, std::string& yi, std::string& ji);

  bool IsOpen() const { return db_ != nullptr; }
  const std::string& Path() const { return path_; }

 private:
  struct Closer {
    void operator()(sqlite3* db) const;
  };
  bool EnsureOpen();

  std::string path_;
  std::unique_ptr<sqlite3, Closer> db_;
  std::mutex mutex_;  // one lookup at a time on the shared connection
};

// ---- The process-wide almanac (the program folder's yj.db) ----

// Points the process-wide almanac at programFolder/yj.db (closing any earlier one).
void SetAlmanacFolder(const std::string& programFolder);
// Looks a date up in the process-wide almanac; empty texts before SetAlmanacFolder.
std::string LookupAlmanac(int year, int month, int day, std::string& yi, std::string& ji);
bool AlmanacIsOpen();

}  // namespace vr
