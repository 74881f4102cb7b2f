#include "calendar/Almanac.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "tests/calendar/CalendarFixtures.h"

namespace vr {
namespace {

using test::Fixture;
using test::TempFolder;

// Runs SQL on a new database file (a real SQLite file, closed afterwards).
void MakeDatabase(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  const int status = sqlite3_exec(db, sql, nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  ASSERT_EQ(status, SQLITE_OK) << message;
}

constexpr const char* kSmallAlmanac =
    "CREATE TABLE YiJi(date INTEGER, yi TEXT, ji TEXT);"
    "INSERT INTO YiJi VALUES(20230101,'安床 祭祀 祈福','安门 栽种');"
    "INSERT INTO YiJi VALUES(20250129,'祭祀 斋醮','嫁娶 开市');"
    "INSERT INTO YiJi VALUES(20250130,NULL,'诸事不宜');"
    "INSERT INTO YiJi VALUES(20250131,'twice','a');"
    "INSERT INTO YiJi VALUES(20250131,'twice','b');";

TEST(Almanac, OneRowForDate_Lookup_ReturnsYiAndJi) {
  TempFolder folder;
  MakeDatabase(folder.File("yj.db"), kSmallAlmanac);
  Almanac almanac(folder.File("yj.db"));
  std::string yi, ji;
  EXPECT_EQ(almanac.Lookup(2025, 1, 29, yi, ji), "祭祀 斋醮");
  EXPECT_EQ(yi, "祭祀 斋醮");
  EXPECT_EQ(ji, "嫁娶 开市");
  EXPECT_TRUE(almanac.IsOpen());
}

TEST(Almanac, NullColumn_Lookup_GivesEmptyText) {
  TempFolder folder;
  MakeDatabase(folder.File("yj.db"), kSmallAlmanac);
  Almanac almanac(folder.File("yj.db"));
  std::string yi = "stale", ji;
  EXPECT_EQ(almanac.Lookup(2025, 1, 30, yi, ji), "");
  EXPECT_EQ(yi, "");
  EXPECT_EQ(ji, "诸事不宜");
}

TEST(Almanac, TwoRowsForOneDate_Lookup_GivesEmptyTexts) {
  TempFolder folder;
  MakeDatabase(folder.File("yj.db"), kSmallAlmanac);
  Almanac almanac(folder.File("yj.db"));
  std::string yi = "stale", ji = "stale";
  EXPECT_EQ(almanac.Lookup(2025, 1, 31, yi, ji), "");
  EXPECT_EQ(yi, "");
  EXPECT_EQ(ji, "");
}

TEST(Almanac, DateWithoutRow_Lookup_GivesEmptyTexts) {
  TempFolder folder;
  MakeDatabase(folder.File("yj.db"), kSmallAlmanac);
  Almanac almanac(folder.File("yj.db"));
  std::string yi = "stale", ji = "stale";
  almanac.Lookup(2025, 2, 1, yi, ji);
  EXPECT_EQ(yi, "");
  EXPECT_EQ(ji, "");
  // A later lookup on the same connection still works.
  EXPECT_EQ(almanac.Lookup(2023, 1, 1, yi, ji), "安床 祭祀 祈福");
}

TEST(Almanac, TableWithExtraColumns_Lookup_ReadsYiAndJi) {
  TempFolder folder;
  MakeDatabase(folder.File("yj.db"),
               "CREATE TABLE YiJi(id INTEGER PRIMARY KEY, date INTEGER, yi TEXT, ji TEXT, note TEXT);"
               "INSERT INTO YiJi(date,yi,ji,note) VALUES(20250129,'祭祀','嫁娶','x');");
  Almanac almanac(folder.File("yj.db"));
  std::string yi, ji;
  EXPECT_EQ(almanac.Lookup(2025, 1, 29, yi, ji), "祭祀");
  EXPECT_EQ(ji, "嫁娶");
}

// ---- Broken or missing databases: empty texts, never a crash ----------------

struct BrokenCase {
  const char* name;
  const char* fixture;  // copied in as yj.db; null for a database made below
  const char* sql;      // run on a new yj.db when fixture is null
};
// Short names in test listings instead of the raw bytes of the case.
void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }


class BrokenAlmanac : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenAlmanac, BrokenDatabase_Lookup_GivesEmptyTexts) {
  TempFolder folder;
  if (GetParam().fixture)
    folder.CopyIn(Fixture(GetParam().fixture), "yj.db");
  else
    MakeDatabase(folder.File("yj.db"), GetParam().sql);
  Almanac almanac(folder.File("yj.db"));
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::string yi = "stale", ji = "stale";
    EXPECT_EQ(almanac.Lookup(2025, 1, 29, yi, ji), "");
    EXPECT_EQ(yi, "");
    EXPECT_EQ(ji, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenAlmanac,
    testing::Values(BrokenCase{"empty_file", "yj_empty.db", nullptr},
                    BrokenCase{"not_a_database", "yj_not_a_database.db", nullptr},
                    BrokenCase{"no_table", nullptr, "CREATE TABLE Other(date INTEGER, yi TEXT, ji TEXT);"},
                    BrokenCase{"missing_column", nullptr,
                               "CREATE TABLE YiJi(date INTEGER, yi TEXT);"
                               "INSERT INTO YiJi VALUES(20250129,'祭祀');"}),
    [](const testing::TestParamInfo<BrokenCase>& info) { return info.param.name; });

TEST(Almanac, MissingFile_Lookup_GivesEmptyTextsAndCreatesNothing) {
  TempFolder folder;
  Almanac almanac(folder.File("yj.db"));
  std::string yi = "stale", ji = "stale";
  EXPECT_EQ(almanac.Lookup(2025, 1, 29, yi, ji), "");
  EXPECT_EQ(yi, "");
  EXPECT_EQ(ji, "");
  EXPECT_FALSE(almanac.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(folder.File("yj.db")));
}

TEST(Almanac, FileAppearsAfterFailedOpen_Lookup_OpensOnRetry) {
  TempFolder folder;
  Almanac almanac(folder.File("yj.db"));
  std::string yi, ji;
  almanac.Lookup(2025, 1, 29, yi, ji);
  ASSERT_FALSE(almanac.IsOpen());
  MakeDatabase(folder.File("yj.db"), kSmallAlmanac);
  EXPECT_EQ(almanac.Lookup(2025, 1, 29, yi, ji), "祭祀 斋醮");
  EXPECT_TRUE(almanac.IsOpen());
}

TEST(Almanac, ShippedFixtureFile_Lookup_LeavesItUnchanged) {
  TempFolder folder;
  const std::string path = folder.CopyIn(Fixture("yj_empty.db"), "yj.db");
  Almanac almanac(path);
  std::string yi, ji;
  almanac.Lookup(2025, 1, 29, yi, ji);
  EXPECT_EQ(std::filesystem::file_size(path), 0u);  // opened read-only: nothing written
}

TEST(ProcessAlmanac, BeforeSetFolder_Lookup_GivesEmptyTexts) {
  std::string yi = "stale", ji = "stale";
  EXPECT_EQ(LookupAlmanac(2025, 1, 29, yi, ji), "");
  EXPECT_EQ(yi, "");
  EXPECT_EQ(ji, "");
}

TEST(ProcessAlmanac, ProgramFolderWithDatabase_Lookup_UsesItsYjDb) {
  TempFolder folder;
  MakeDatabase(folder.File("yj.db"), kSmallAlmanac);
  SetAlmanacFolder(folder.Path());
  std::string yi, ji;
  EXPECT_EQ(LookupAlmanac(2023, 1, 1, yi, ji), "安床 祭祀 祈福");
  EXPECT_EQ(ji, "安门 栽种");
  EXPECT_TRUE(AlmanacIsOpen());
  SetAlmanacFolder(folder.File("elsewhere"));  // closes the file before the folder goes
  EXPECT_FALSE(AlmanacIsOpen());
}

}  // namespace
}  // namespace vr
