// Records start-up cost: loading a large NoteMgr.db, building today's reminder
// list over it, and the once-a-second due check.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "records/AttrText.h"
#include "records/NoteMgr.h"
#include "records/TimeText.h"

namespace {

constexpr int kNotes = 10000;
constexpr int kBirthdays = 1000;
constexpr int kFlags = 5000;

const vr::TimeRecord kToday = vr::MakeTimeRecord(2024, 5, 12, 10, 0, 0);

// A records file of the given size, written once per process in one transaction.
class LargeFile {
 public:
  LargeFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vr-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    path_ = folder_ + "/NoteMgr.db";
    {
      vr::ManualClock clock(kToday);
      vr::NoteMgr mgr(clock);
      mgr.LoadFile(path_);  // the five tables
    }
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    Fill(db);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  ~LargeFile() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  static void Fill(sqlite3* db) {
    sqlite3_stmt* note = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into NoteRecord(uid,guid,type,tm,inf,param,remind,attr) "
                       "VALUES('0',?,'un',?,?,'',?,'nc=1|nf=0|np=2|show=1')",
                       -1, &note, nullptr);
    for (int i = 0; i < kNotes; ++i) {
      // Spread over two years around today, so some fall due today.
      const vr::TimeRecord t = vr::MakeTimeRecord(2023, 6, 1 + i % 700, i % 24, i % 60, 0);
      const std::string guid = "NOTE-" + std::to_string(i);
      const std::string tm = vr::FormatTime(t);
      const std::string inf = "记事 " + std::to_string(i) + "\n第二行内容，写得稍微长一点。";
      sqlite3_bind_text(note, 1, guid.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(note, 2, tm.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(note, 3, inf.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(note, 4, i % 9);
      sqlite3_step(note);
      sqlite3_reset(note);
    }
    sqlite3_finalize(note);
    sqlite3_stmt* birthday = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into BirthDayRecord(guid,name,date,class,remind,solar,attr) "
                       "VALUES(?,?,?,0,?,?,'')",
                       -1, &birthday, nullptr);
    for (int i = 0; i < kBirthdays; ++i) {
      const vr::TimeRecord t = vr::MakeTimeRecord(1950 + i % 60, 1 + i % 12, 1 + i % 28, 8, 0, 0);
      const std::string guid = "BIRTH-" + std::to_string(i);
      const std::string name = "人" + std::to_string(i);
      const std::string date = vr::FormatTime(t);
      sqlite3_bind_text(birthday, 1, guid.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(birthday, 2, name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(birthday, 3, date.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(birthday, 4, 1 + i % 8);
      sqlite3_bind_int(birthday, 5, i % 2);  // half lunar, half Gregorian
      sqlite3_step(birthday);
      sqlite3_reset(birthday);
    }
    sqlite3_finalize(birthday);
    sqlite3_stmt* flag = nullptr;
    sqlite3_prepare_v2(db, "insert into FlagRecord(day,flag,attr) VALUES(?,?,0)", -1, &flag, nullptr);
    for (int i = 0; i < kFlags; ++i) {
      sqlite3_bind_int(flag, 1, 20200101 + (i / 3) % 28 + (i / 84) % 12 * 100 + i / 1008 * 10000);
      sqlite3_bind_int(flag, 2, 1 + i % 3);
      sqlite3_step(flag);
      sqlite3_reset(flag);
    }
    sqlite3_finalize(flag);
  }

  std::string folder_;
  std::string path_;
};

const LargeFile& File() {
  static const LargeFile file;
  return file;
}

void BM_LoadLargeFile(benchmark::State& state) {
  const std::string& path = File().Path();
  vr::ManualClock clock(kToday);
  for (auto _ : state) {
    vr::NoteMgr mgr(clock);
    const vr::OpenResult r = mgr.LoadFile(path);
    if (r.status != vr::OpenStatus::Opened || mgr.Notes().size() != kNotes) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(mgr.Flags().size());
  }
}
BENCHMARK(BM_LoadLargeFile)->Unit(benchmark::kMillisecond);

void BM_RebuildTodayLargeFile(benchmark::State& state) {
  vr::ManualClock clock(kToday);
  vr::NoteMgr mgr(clock);
  mgr.LoadFile(File().Path());
  for (auto _ : state) {
    mgr.RebuildToday(kToday);
    benchmark::DoNotOptimize(mgr.TodayReminders().Entries().size());
  }
  state.counters["entries"] = static_cast<double>(mgr.TodayReminders().Entries().size());
}
BENCHMARK(BM_RebuildTodayLargeFile)->Unit(benchmark::kMillisecond);

// The start-up case: a fresh manager works out every lunar birth date once.
void BM_FirstRebuildTodayLargeFile(benchmark::State& state) {
  vr::ManualClock clock(kToday);
  for (auto _ : state) {
    state.PauseTiming();
    auto mgr = std::make_unique<vr::NoteMgr>(clock);
    mgr->LoadFile(File().Path());
    state.ResumeTiming();
    mgr->RebuildToday(kToday);
    state.PauseTiming();
    mgr.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstRebuildTodayLargeFile)->Unit(benchmark::kMillisecond);

void BM_CheckDue100Pending(benchmark::State& state) {
  vr::ManualClock clock(kToday);
  vr::NoteMgr mgr(clock);
  mgr.LoadFile(":memory:");
  for (int i = 0; i < 100; ++i) {
    vr::NoteData note(vr::MakeTimeRecord(2024, 5, 12, 12 + i / 60, i % 60, 0));
    char guid[16];
    std::snprintf(guid, sizeof guid, "N%d", i);
    note.guid = guid;
    note.remind = vr::kAtTime;
    mgr.AddNote(note);
  }
  if (mgr.TodayReminders().Entries().size() != 100) state.SkipWithError("not scheduled");
  const vr::TimeRecord now = vr::MakeTimeRecord(2024, 5, 12, 11, 30, 15);
  for (auto _ : state) mgr.CheckDue(now);
}
BENCHMARK(BM_CheckDue100Pending)->Unit(benchmark::kNanosecond);

}  // namespace
