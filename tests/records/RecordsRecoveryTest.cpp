#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>

#include "RecordsTestSupport.h"
#include "records/NoteMgr.h"

namespace vr {
namespace {

using test::RawDb;

class RecoveryTest : public ::testing::Test {
 protected:
  std::unique_ptr<NoteMgr> Open() {
    auto mgr = std::make_unique<NoteMgr>(clock);
    last = mgr->LoadFile(path);
    return mgr;
  }
  // A healthy file with enough notes to span many pages.
  void MakeHealthyFile(int notes) {
    auto mgr = Open();
    RawDb raw(path);
    ASSERT_TRUE(raw.Exec("BEGIN"));
    for (int i = 0; i < notes; ++i)
      ASSERT_TRUE(raw.Exec("insert into NoteRecord VALUES('0','G" + std::to_string(i) +
                           "','un','2024/01/01 00:00:00','" + std::string(200, 'x') + "','',0,'')"));
    ASSERT_TRUE(raw.Exec("COMMIT"));
  }
  // After recovery: the copy holds the original bytes, the file is fresh,
  // empty and writable.
  void ExpectRecoveredFrom(const std::string& originalBytes) {
    EXPECT_EQ(last.status, OpenStatus::Recovered);
    EXPECT_EQ(last.keptAside, path + ".corrupt-20240315-100000");
    EXPECT_TRUE(test::ReadBytes(last.keptAside) == originalBytes) << "the copy differs from the original";
  }
  void ExpectFreshAndWritable(NoteMgr& mgr) {
    EXPECT_TRUE(mgr.IsOpen());
    EXPECT_TRUE(mgr.Notes().empty());
    EXPECT_TRUE(mgr.AddNote(test::MakeNote("after", clock.Now(), 0)));
    RawDb raw(path);
    EXPECT_EQ(raw.One("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(raw.One("SELECT guid FROM NoteRecord"), "after");
  }

  test::TempFolder tmp;
  std::string path = tmp.File("NoteMgr.db");
  ManualClock clock{MakeTimeRecord(2024, 3, 15, 10, 0, 0)};
  OpenResult last;
};

TEST_F(RecoveryTest, ForeignBytes_Load_KeptAsideAndFreshFileUsed) {
  const std::string junk = "This is not a records file, just some text somebody saved here.\n";
  test::WriteBytes(path, junk);
  auto mgr = Open();
  ExpectRecoveredFrom(junk);
  ExpectFreshAndWritable(*mgr);
}

TEST_F(RecoveryTest, TruncatedFile_Load_KeptAsideAndFreshFileUsed) {
  MakeHealthyFile(400);
  std::string bytes = test::ReadBytes(path);
  ASSERT_GT(bytes.size(), 40000u);
  bytes.resize(bytes.size() / 3);
  test::WriteBytes(path, bytes);
  auto mgr = Open();
  ExpectRecoveredFrom(bytes);
  ExpectFreshAndWritable(*mgr);
}

TEST_F(RecoveryTest, DamagedPages_Load_KeptAsideAndFreshFileUsed) {
  MakeHealthyFile(400);
  std::string bytes = test::ReadBytes(path);
  for (size_t i = 4096 * 2; i < bytes.size(); i += 4096)  // scribble over every b-tree page header
    for (size_t k = 0; k < 16 && i + k < bytes.size(); ++k) bytes[i + k] = static_cast<char>(0xA5);
  test::WriteBytes(path, bytes);
  auto mgr = Open();
  ExpectRecoveredFrom(bytes);
  ExpectFreshAndWritable(*mgr);
}

TEST_F(RecoveryTest, TablesOfAnotherShape_Load_KeptAsideNotOverwritten) {
  {
    RawDb raw(path);
    ASSERT_TRUE(raw.Exec("CREATE TABLE NoteRecord(title text, body text)"));
    ASSERT_TRUE(raw.Exec("INSERT INTO NoteRecord VALUES('keep','me')"));
  }
  const std::string original = test::ReadBytes(path);
  auto mgr = Open();
  ExpectRecoveredFrom(original);
  EXPECT_EQ(RawDb(last.keptAside).One("SELECT body FROM NoteRecord"), "me");
  ExpectFreshAndWritable(*mgr);
}

TEST_F(RecoveryTest, NameTaken_Load_PicksTheNextFreeName) {
  test::WriteBytes(path + ".corrupt-20240315-100000", "older copy");
  test::WriteBytes(path, "junk junk junk junk junk junk junk junk junk junk junk junk junk junk");
  auto mgr = Open();
  EXPECT_EQ(last.status, OpenStatus::Recovered);
  EXPECT_EQ(last.keptAside, path + ".corrupt-20240315-100000-2");
  EXPECT_EQ(test::ReadBytes(path + ".corrupt-20240315-100000"), "older copy");
}

TEST_F(RecoveryTest, OddRows_Load_ReadAsDefaults) {
  {
    auto mgr = Open();
    RawDb raw(path);
    ASSERT_TRUE(raw.Exec("insert into NoteRecord VALUES(NULL,'N1',NULL,'2024/3/5',NULL,NULL,NULL,NULL)"));
    ASSERT_TRUE(raw.Exec("insert into NoteRecord VALUES('0','N2','un','2024/3/5 8:7:6','x','','abc','a=1=2|b|=3')"));
    ASSERT_TRUE(raw.Exec("insert into BirthDayRecord VALUES('B5','a','1990/05/12 08:00:00',0,1,5,'')"));
    ASSERT_TRUE(raw.Exec("insert into BirthDayRecord VALUES('B0','b','1990/05/12 08:00:00',0,1,0,'')"));
    ASSERT_TRUE(raw.Exec("insert into BirthDayRecord VALUES('B-1','c','1990/05/12 08:00:00',0,1,-1,NULL)"));
    ASSERT_TRUE(raw.Exec("insert into FlagRecord VALUES('x',NULL,NULL)"));
  }
  clock.Set(MakeTimeRecord(2026, 1, 2, 3, 4, 5));
  auto mgr = Open();
  ASSERT_EQ(last.status, OpenStatus::Opened);
  ASSERT_EQ(mgr->Notes().size(), 2u);
  EXPECT_EQ(mgr->Notes()[0]->time, clock.Now());  // "2024/3/5" has no time part
  EXPECT_EQ(mgr->Notes()[0]->inf, "");
  EXPECT_EQ(mgr->Notes()[1]->time, MakeTimeRecord(2024, 3, 5, 8, 7, 6));
  EXPECT_EQ(mgr->Notes()[1]->remind, 0);
  EXPECT_EQ(mgr->Notes()[1]->attr, (AttrMap{{"a", "1=2"}, {"", "3"}}));
  ASSERT_EQ(mgr->Birthdays().size(), 3u);
  EXPECT_TRUE(mgr->FindBirthday("B5")->solar);
  EXPECT_FALSE(mgr->FindBirthday("B0")->solar);
  EXPECT_FALSE(mgr->FindBirthday("B-1")->solar);
  ASSERT_EQ(mgr->Flags().size(), 1u);
  EXPECT_EQ(mgr->Flags()[0]->day, 0);
}

TEST_F(RecoveryTest, NonsenseDates_LoadAndRebuild_NoCrashNoReminder) {
  {
    auto mgr = Open();
    RawDb raw(path);
    for (const char* date : {"1990/13/45 08:00:00", "0/0/0 0:0:0", "1/1/1 10:00:00", "9999/12/31 10:00:00",
                             "65535/2/29 10:00:00", "-5/-5/-5 -1:-1:-1"}) {
      for (int solar : {0, 1})
        for (int remind : {1, 2, 6, 8}) {
          ASSERT_TRUE(raw.Exec(std::string("insert into BirthDayRecord VALUES('B','x','") + date + "',0," +
                               std::to_string(remind) + "," + std::to_string(solar) + ",'')"));
          ASSERT_TRUE(raw.Exec(std::string("insert into NoteRecord VALUES('0','N','un','") + date +
                               "','x','','" + std::to_string(remind) + "','')"));
        }
    }
  }
  auto mgr = Open();
  ASSERT_EQ(mgr->Birthdays().size(), 48u);
  mgr->RebuildToday();
  // Only the year-1 and year-9999 dates are real; none of them falls due on 15 March 2024.
  EXPECT_TRUE(mgr->TodayReminders().Entries().empty());
}

// ------------------------------------------------------------- a crash in the middle of a burst

// The child adds and updates notes as fast as it can and reports each change
// through the pipe only after NoteMgr acknowledged it. It never returns.
[[noreturn]] void WriteBurst(const std::string& path, int reportFd) {
  ManualClock clock(MakeTimeRecord(2024, 3, 15, 10, 0, 0));
  NoteMgr mgr(clock);
  if (mgr.LoadFile(path).status != OpenStatus::Opened) _exit(2);
  for (int i = 0;; ++i) {
    const std::string guid = "N" + std::to_string(i);
    NoteData note = test::MakeNote(guid, clock.Now(), 0, "v0");
    if (!mgr.AddNote(note)) _exit(3);
    std::string line = "A " + guid + "\n";
    if (write(reportFd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(4);
    if (i % 2 == 1) {
      const std::string older = "N" + std::to_string(i / 2);
      NoteData changed = *mgr.FindNote(older);
      changed.inf = "v" + std::to_string(i);
      if (!mgr.UpdateNote(changed)) _exit(5);
      line = "U " + older + " " + changed.inf + "\n";
      if (write(reportFd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) _exit(4);
    }
  }
}

// Kills and reaps the writer on every way out of the test.
struct ChildGuard {
  pid_t pid = -1;
  int status = 0;
  void KillAndReap() {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    pid = -1;
  }
  ~ChildGuard() { KillAndReap(); }
};

TEST_F(RecoveryTest, KilledMidBurst_Reopen_EveryAcknowledgedChangeIsThere) {
  { auto init = Open(); }  // create the tables before the child starts
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::fflush(nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    WriteBurst(path, fds[1]);
  }
  ChildGuard writer{child};
  close(fds[1]);

  // Wait for a good number of acknowledged changes, then kill mid-stream.
  std::string reported;
  char buf[4096];
  int lines = 0;
  while (lines < 150) {
    const ssize_t n = read(fds[0], buf, sizeof buf);
    ASSERT_GT(n, 0) << "the writer stopped early";
    for (ssize_t k = 0; k < n; ++k) lines += buf[k] == '\n';
    reported.append(buf, static_cast<size_t>(n));
  }
  writer.KillAndReap();
  EXPECT_TRUE(WIFSIGNALED(writer.status) && WTERMSIG(writer.status) == SIGKILL);
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) reported.append(buf, static_cast<size_t>(n));
  close(fds[0]);

  // What the child was told is stored: each note, with its last acknowledged
  // text (an unreported change in flight may have made it too).
  std::map<std::string, std::string> expected;
  size_t start = 0;
  for (size_t end; (end = reported.find('\n', start)) != std::string::npos; start = end + 1) {
    char kind = 0;
    char guid[64] = {}, inf[64] = {};
    const std::string line = reported.substr(start, end - start);
    ASSERT_GE(std::sscanf(line.c_str(), "%c %63s %63s", &kind, guid, inf), 2) << line;
    expected[guid] = kind == 'A' ? "v0" : inf;
  }
  ASSERT_GE(expected.size(), 100u);

  RawDb raw(path);
  EXPECT_EQ(raw.One("PRAGMA integrity_check"), "ok");
  auto mgr = Open();
  ASSERT_EQ(last.status, OpenStatus::Opened);
  int ahead = 0;
  for (const auto& [guid, inf] : expected) {
    const NoteData* note = mgr->FindNote(guid);
    ASSERT_NE(note, nullptr) << guid;
    if (note->inf != inf) ++ahead;  // only the one update in flight may be newer
  }
  EXPECT_LE(ahead, 1);
  EXPECT_LE(mgr->Notes().size(), expected.size() + 1);
}

}  // namespace
}  // namespace vr
