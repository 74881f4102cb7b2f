#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "records/GuidText.h"
#include "records/NoteMgr.h"
#include "records/StoredTextCodec.h"

namespace vr {
namespace {

using test::RawDb;
using test::RecordingObserver;

class NoteMgrTest : public ::testing::Test {
 protected:
  std::unique_ptr<NoteMgr> Open() {
    auto mgr = std::make_unique<NoteMgr>(clock);
    last = mgr->LoadFile(path);
    return mgr;
  }

  test::TempFolder tmp;
  std::string path = tmp.File("NoteMgr.db");
  ManualClock clock{MakeTimeRecord(2024, 3, 15, 10, 0, 0)};
  OpenResult last;
};

// ------------------------------------------------------------- lifecycle and lock code

TEST_F(NoteMgrTest, FreshInstallation_Load_CreatesFiveEmptyTablesAndDefaultCodeOpens) {
  auto mgr = Open();
  EXPECT_EQ(last.status, OpenStatus::Opened);
  EXPECT_TRUE(mgr->IsOpen());
  RawDb raw(path);
  EXPECT_EQ(raw.Rows("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"),
            (std::vector<std::vector<std::string>>{
                {"BirthDayRecord"}, {"FlagRecord"}, {"LockRecord"}, {"NoteRecord"}, {"PassRecord"}}));
  EXPECT_EQ(raw.One("PRAGMA journal_mode"), "delete");
  EXPECT_TRUE(mgr->Notes().empty());
  EXPECT_TRUE(mgr->CheckLockCode("480915"));
  EXPECT_TRUE(mgr->CheckLockCode(""));
  EXPECT_FALSE(mgr->CheckLockCode("123456"));
}

TEST_F(NoteMgrTest, NewCode_SetAndRestart_PersistsInExactlyOneAdminRow) {
  {
    auto mgr = Open();
    ASSERT_TRUE(mgr->SetLockCode("111111"));
    ASSERT_TRUE(mgr->SetLockCode("123456"));
    EXPECT_FALSE(mgr->CheckLockCode("480915"));
    EXPECT_TRUE(mgr->CheckLockCode("123456"));
  }
  RawDb raw(path);
  const auto rows = raw.Rows("SELECT lockpass,lockuser FROM LockRecord");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][1], "admin");
  EXPECT_EQ(StoredTextCodec::Decode(rows[0][0]), "123456");
  EXPECT_NE(rows[0][0], "123456");
  auto again = Open();
  EXPECT_TRUE(again->CheckLockCode("123456"));
  EXPECT_FALSE(again->CheckLockCode("480915"));
  EXPECT_FALSE(again->CheckLockCode(""));
}

TEST_F(NoteMgrTest, LockRows_Load_LaterAdminRowWinsOthersIgnored) {
  {
    RawDb raw(path);
    ASSERT_TRUE(raw.Exec("CREATE TABLE LockRecord(lockpass text,lockuser text)"));
    ASSERT_TRUE(raw.Exec("INSERT INTO LockRecord VALUES('" + StoredTextCodec::Encode("111111") +
                         "','admin'),('" + StoredTextCodec::Encode("222222") + "','admin'),('" +
                         StoredTextCodec::Encode("333333") + "','guest')"));
  }
  auto mgr = Open();
  EXPECT_TRUE(mgr->CheckLockCode("222222"));
  EXPECT_FALSE(mgr->CheckLockCode("111111"));
  EXPECT_FALSE(mgr->CheckLockCode("333333"));
}

TEST_F(NoteMgrTest, SecondLoad_WhileOpen_ChangesNothing) {
  auto mgr = Open();
  ASSERT_TRUE(mgr->AddFlag(20240315, 1));
  EXPECT_EQ(mgr->LoadFile(tmp.File("other.db")).status, OpenStatus::Opened);
  EXPECT_EQ(mgr->Flags().size(), 1u);
}

// ------------------------------------------------------------- notes

TEST_F(NoteMgrTest, Note_AddAndRestart_RoundTripsExactTexts) {
  NoteData note(MakeTimeRecord(2024, 3, 5, 8, 7, 6));
  note.guid = MakeGuidText();
  note.remind = 3;
  note.inf = "买菜\n牛奶和鸡蛋";
  SetAttrInt(note.attr, "nc", 1);
  SetAttrInt(note.attr, "np", 2);
  SetAttrInt(note.attr, "nf", 0);
  SetAttrInt(note.attr, "show", 1);
  {
    auto mgr = Open();
    ASSERT_TRUE(mgr->AddNote(note));
  }
  RawDb raw(path);
  EXPECT_EQ(raw.Rows("SELECT uid,guid,type,tm,inf,param,remind,attr FROM NoteRecord"),
            (std::vector<std::vector<std::string>>{{"0", note.guid, "un", "2024/03/05 08:07:06",
                                                    note.inf, "", "3", "nc=1|nf=0|np=2|show=1"}}));
  auto mgr = Open();
  ASSERT_EQ(mgr->Notes().size(), 1u);
  const NoteData& back = *mgr->Notes()[0];
  EXPECT_EQ(back.guid, note.guid);
  EXPECT_EQ(back.inf, note.inf);
  EXPECT_EQ(back.time, note.time);
  EXPECT_EQ(back.remind, 3);
  EXPECT_EQ(back.attr, note.attr);
  EXPECT_EQ(back.uid, "0");
  EXPECT_EQ(back.type, "un");
}

TEST_F(NoteMgrTest, DuplicateGuid_AddTwice_SecondRefusedOneNotification) {
  auto mgr = Open();
  RecordingObserver seen;
  seen.WatchAll(*mgr);
  const NoteData note = test::MakeNote("G1", clock.Now(), 0);
  EXPECT_TRUE(mgr->AddNote(note));
  EXPECT_FALSE(mgr->AddNote(note));
  ASSERT_EQ(seen.notes.size(), 1u);
  EXPECT_EQ(seen.notes[0].change, RecordChange::Added);
  EXPECT_EQ(seen.notes[0].record, mgr->Notes()[0].get());
  EXPECT_EQ(RawDb(path).One("SELECT count(*) FROM NoteRecord"), "1");
}

TEST_F(NoteMgrTest, StoredNote_Update_CopiesFieldsAndBindsQuoteSafely) {
  auto mgr = Open();
  // A foreign identity with a quote: bound as a parameter it cannot break
  // the statement nor touch other rows.
  ASSERT_TRUE(mgr->AddNote(test::MakeNote("it's", clock.Now(), 0, "one")));
  ASSERT_TRUE(mgr->AddNote(test::MakeNote("other", clock.Now(), 0, "two")));
  NoteData changed = *mgr->FindNote("it's");
  changed.inf = "edited";
  changed.remind = 5;
  EXPECT_TRUE(mgr->UpdateNote(changed));
  EXPECT_EQ(mgr->FindNote("it's")->inf, "edited");
  EXPECT_NE(mgr->FindNote("it's"), &changed);
  RawDb raw(path);
  EXPECT_EQ(raw.Rows("SELECT guid,inf,remind FROM NoteRecord"),
            (std::vector<std::vector<std::string>>{{"it's", "edited", "5"}, {"other", "two", "0"}}));
  EXPECT_TRUE(mgr->DeleteNote("it's"));
  EXPECT_EQ(raw.Rows("SELECT guid FROM NoteRecord"), (std::vector<std::vector<std::string>>{{"other"}}));
  NoteData unknown = test::MakeNote("nobody", clock.Now(), 0);
  EXPECT_FALSE(mgr->UpdateNote(unknown));
  EXPECT_FALSE(mgr->DeleteNote("nobody"));
}

TEST_F(NoteMgrTest, Note_Delete_ObserverSeesIntactRecordThenItIsGone) {
  auto mgr = Open();
  ASSERT_TRUE(mgr->AddNote(test::MakeNote("G1", clock.Now(), 0, "hello")));
  RecordingObserver first, second;
  mgr->AddNoteObserver(&first);
  mgr->AddNoteObserver(&second);
  std::vector<int> order;
  struct Tagger : NoteMgrDel {
    Tagger(std::vector<int>* o, int t) : order(o), tag(t) {}
    std::vector<int>* order;
    int tag;
    bool OnNoteChanged(const NoteData*, RecordChange) override {
      order->push_back(tag);
      return true;
    }
  } a(&order, 1), b(&order, 2);
  mgr->AddNoteObserver(&a);
  mgr->AddNoteObserver(&b);
  mgr->AddNoteObserver(&a);
  mgr->RemoveNoteObserver(&a);  // removes the first entry only
  EXPECT_TRUE(mgr->DeleteNote("G1"));
  EXPECT_EQ(order, (std::vector<int>{2, 1}));
  ASSERT_EQ(first.notes.size(), 1u);
  EXPECT_EQ(first.notes[0].change, RecordChange::Deleted);
  EXPECT_EQ(first.notes[0].identity, "G1|hello");
  EXPECT_EQ(second.notes.size(), 1u);
  EXPECT_TRUE(mgr->Notes().empty());
  EXPECT_EQ(mgr->FindNote("G1"), nullptr);
}

TEST_F(NoteMgrTest, Note_SetFinishedWithSave_StoresNf) {
  auto mgr = Open();
  ASSERT_TRUE(mgr->AddNote(test::MakeNote("G1", clock.Now(), 0)));
  NoteData* stored = mgr->FindNote("G1");
  EXPECT_TRUE(mgr->SetFinished(*stored, true, true));
  EXPECT_TRUE(stored->IsFinished());
  EXPECT_EQ(RawDb(path).One("SELECT attr FROM NoteRecord"), "nf=1|show=1");
  EXPECT_TRUE(mgr->SetFinished(*stored, false, false));
  EXPECT_FALSE(stored->IsFinished());
  EXPECT_EQ(RawDb(path).One("SELECT attr FROM NoteRecord"), "nf=1|show=1");
}

// ------------------------------------------------------------- birthdays, passwords, flags

TEST_F(NoteMgrTest, Birthday_AddUpdateDelete_MirrorsFileAndNotifies) {
  auto mgr = Open();
  RecordingObserver seen;
  seen.WatchAll(*mgr);
  BirthdayData b;
  b.guid = "B1";
  b.name = "张三";
  b.time = MakeTimeRecord(1990, 5, 12, 8, 0, 0);
  b.remind = 1;
  b.solar = false;
  ASSERT_TRUE(mgr->AddBirthday(b));
  EXPECT_FALSE(mgr->AddBirthday(b));
  RawDb raw(path);
  EXPECT_EQ(raw.Rows("SELECT guid,name,date,class,remind,solar,attr FROM BirthDayRecord"),
            (std::vector<std::vector<std::string>>{{"B1", "张三", "1990/05/12 08:00:00", "0", "1", "0", ""}}));
  b.solar = true;
  b.category = 2;
  EXPECT_TRUE(mgr->UpdateBirthday(b));
  EXPECT_EQ(raw.One("SELECT solar FROM BirthDayRecord"), "1");
  EXPECT_EQ(mgr->FindBirthday("B1")->category, 2);
  EXPECT_TRUE(mgr->DeleteBirthday("B1"));
  EXPECT_EQ(raw.One("SELECT count(*) FROM BirthDayRecord"), "0");
  ASSERT_EQ(seen.birthdays.size(), 3u);
  EXPECT_EQ(seen.birthdays[2].change, RecordChange::Deleted);
  EXPECT_EQ(seen.birthdays[2].identity, "B1|张三");
}

TEST_F(NoteMgrTest, Pass_AddAndRestart_StoresEncodedLoadsPlain) {
  PassData p{"P1", "邮箱", "alice@example.com", "pa'ss\"word", "https://mail", 1};
  {
    auto mgr = Open();
    RecordingObserver seen;
    seen.WatchAll(*mgr);
    ASSERT_TRUE(mgr->AddPass(p));
    EXPECT_FALSE(mgr->AddPass(p));
    p.pass = "new";
    EXPECT_TRUE(mgr->UpdatePass(p));
    ASSERT_EQ(seen.passes.size(), 2u);
    EXPECT_EQ(seen.passes[1].change, RecordChange::Modified);
  }
  RawDb raw(path);
  const auto rows = raw.Rows("SELECT user,pass FROM PassRecord");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], StoredTextCodec::Encode("alice@example.com"));
  EXPECT_EQ(rows[0][1], StoredTextCodec::Encode("new"));
  auto mgr = Open();
  ASSERT_EQ(mgr->Passes().size(), 1u);
  EXPECT_EQ(mgr->Passes()[0]->user, "alice@example.com");
  EXPECT_EQ(mgr->Passes()[0]->pass, "new");
  EXPECT_TRUE(mgr->DeletePass(p));
  EXPECT_FALSE(mgr->DeletePass(p));
  EXPECT_EQ(raw.One("SELECT count(*) FROM PassRecord"), "0");
}

TEST_F(NoteMgrTest, Flag_AddTwiceThenDeleteOtherKind_OneRowStays) {
  auto mgr = Open();
  RecordingObserver seen;
  mgr->AddNoteObserver(&seen);
  EXPECT_TRUE(mgr->AddFlag(20240315, kFlagLeave));
  EXPECT_FALSE(mgr->AddFlag(20240315, kFlagLeave));
  EXPECT_FALSE(mgr->DeleteFlag(20240315, kFlagOvertime));
  RawDb raw(path);
  EXPECT_EQ(raw.Rows("SELECT day,flag,attr FROM FlagRecord"),
            (std::vector<std::vector<std::string>>{{"20240315", "1", "0"}}));
  ASSERT_EQ(seen.flags.size(), 1u);
  EXPECT_EQ(seen.flags[0].identity, "20240315/1");
  EXPECT_TRUE(mgr->DeleteFlag(20240315, kFlagLeave));
  EXPECT_EQ(raw.One("SELECT count(*) FROM FlagRecord"), "0");
  ASSERT_EQ(seen.flags.size(), 2u);
  EXPECT_EQ(seen.flags[1].change, RecordChange::Deleted);
}

// ------------------------------------------------------------- a file that cannot be opened

TEST_F(NoteMgrTest, UnopenableFile_Load_RunsInMemoryAsTheFailureRulesSay) {
  std::filesystem::create_directory(path);  // a folder where the file should be
  auto mgr = Open();
  EXPECT_EQ(last.status, OpenStatus::NotOpened);
  EXPECT_FALSE(mgr->IsOpen());
  EXPECT_TRUE(last.keptAside.empty());
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_FALSE(mgr->AddNote(test::MakeNote("G1", clock.Now(), 1)));
  BirthdayData b;
  b.guid = "B";
  EXPECT_FALSE(mgr->AddBirthday(b));
  EXPECT_FALSE(mgr->AddPass(PassData{"P", "", "", "", "", 0}));
  EXPECT_FALSE(mgr->SetLockCode("123456"));
  EXPECT_TRUE(mgr->CheckLockCode("480915"));
  EXPECT_TRUE(mgr->AddFlag(20240315, 3));  // memory only
  EXPECT_EQ(mgr->Flags().size(), 1u);
  EXPECT_TRUE(mgr->DeleteFlag(20240315, 3));
  EXPECT_TRUE(mgr->Flags().empty());
}

// ------------------------------------------------------------- failed statements roll back

class FailingWritesTest : public NoteMgrTest {
 protected:
  // Makes every statement of `kind` on `table` fail, as a full disk would.
  void Break(const std::string& table, const std::string& kind) {
    RawDb raw(path);
    ASSERT_TRUE(raw.Exec("CREATE TRIGGER fail_" + table + "_" + kind + " BEFORE " + kind + " ON " +
                         table + " BEGIN SELECT RAISE(ABORT,'disk full'); END"));
  }
  void Mend(const std::string& table, const std::string& kind) {
    RawDb raw(path);
    ASSERT_TRUE(raw.Exec("DROP TRIGGER fail_" + table + "_" + kind));
  }
};

TEST_F(FailingWritesTest, FailingInsert_AddNote_ReturnsFalseKeepsMemoryAndFileEqual) {
  auto mgr = Open();
  RecordingObserver seen;
  seen.WatchAll(*mgr);
  Break("NoteRecord", "INSERT");
  const NoteData note = test::MakeNote("G1", MakeTimeRecord(2024, 3, 15, 15, 0, 0), 1);
  EXPECT_FALSE(mgr->AddNote(note));
  EXPECT_TRUE(mgr->Notes().empty());
  EXPECT_TRUE(seen.notes.empty());
  EXPECT_TRUE(mgr->TodayReminders().Entries().empty());
  EXPECT_NE(mgr->LastError().find("disk full"), std::string::npos);
  Mend("NoteRecord", "INSERT");
  EXPECT_TRUE(mgr->AddNote(note));  // the caller's retry goes through
  EXPECT_EQ(RawDb(path).One("SELECT count(*) FROM NoteRecord"), "1");
}

TEST_F(FailingWritesTest, FailingUpdateAndDelete_Note_LeaveStoredRecordAsItWas) {
  auto mgr = Open();
  ASSERT_TRUE(mgr->AddNote(test::MakeNote("G1", MakeTimeRecord(2024, 3, 15, 15, 0, 0), 1, "old")));
  RecordingObserver seen;
  seen.WatchAll(*mgr);
  Break("NoteRecord", "UPDATE");
  Break("NoteRecord", "DELETE");
  NoteData changed = *mgr->FindNote("G1");
  changed.inf = "new";
  changed.remind = 0;
  EXPECT_FALSE(mgr->UpdateNote(changed));
  EXPECT_EQ(mgr->FindNote("G1")->inf, "old");
  EXPECT_EQ(mgr->TodayReminders().Entries().size(), 1u);
  EXPECT_FALSE(mgr->SetFinished(*mgr->FindNote("G1"), true, true));
  EXPECT_FALSE(mgr->FindNote("G1")->IsFinished());
  EXPECT_FALSE(mgr->DeleteNote("G1"));
  EXPECT_NE(mgr->FindNote("G1"), nullptr);
  EXPECT_TRUE(seen.notes.empty());
  EXPECT_EQ(RawDb(path).One("SELECT inf FROM NoteRecord"), "old");
}

TEST_F(FailingWritesTest, FailingWrites_OtherRecords_ReturnFalseWithoutChange) {
  auto mgr = Open();
  BirthdayData b;
  b.guid = "B1";
  b.name = "n";
  ASSERT_TRUE(mgr->AddBirthday(b));
  PassData p{"P1", "n", "u", "p", "", 0};
  ASSERT_TRUE(mgr->AddPass(p));
  ASSERT_TRUE(mgr->AddFlag(20240101, 1));
  for (const char* table : {"BirthDayRecord", "PassRecord", "FlagRecord"})
    for (const char* kind : {"INSERT", "UPDATE", "DELETE"}) Break(table, kind);
  BirthdayData b2 = b;
  b2.name = "changed";
  EXPECT_FALSE(mgr->UpdateBirthday(b2));
  EXPECT_EQ(mgr->FindBirthday("B1")->name, "n");
  EXPECT_FALSE(mgr->DeleteBirthday("B1"));
  b2.guid = "B2";
  EXPECT_FALSE(mgr->AddBirthday(b2));
  EXPECT_EQ(mgr->Birthdays().size(), 1u);
  PassData p2 = p;
  p2.pass = "changed";
  EXPECT_FALSE(mgr->UpdatePass(p2));
  EXPECT_EQ(mgr->FindPass(p)->pass, "p");
  EXPECT_FALSE(mgr->DeletePass(p));
  EXPECT_FALSE(mgr->AddFlag(20240102, 1));
  EXPECT_FALSE(mgr->DeleteFlag(20240101, 1));
  EXPECT_EQ(mgr->Flags().size(), 1u);
  EXPECT_EQ(mgr->Passes().size(), 1u);
}

TEST_F(FailingWritesTest, FailingInsert_SetLockCode_KeepsOldCodeInMemoryAndFile) {
  auto mgr = Open();
  ASSERT_TRUE(mgr->SetLockCode("111111"));
  Break("LockRecord", "INSERT");
  EXPECT_FALSE(mgr->SetLockCode("222222"));
  EXPECT_TRUE(mgr->CheckLockCode("111111"));
  EXPECT_FALSE(mgr->CheckLockCode("222222"));
  // The delete that ran before the failing insert was rolled back with it.
  RawDb raw(path);
  const auto rows = raw.Rows("SELECT lockpass FROM LockRecord WHERE lockuser='admin'");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(StoredTextCodec::Decode(rows[0][0]), "111111");
  Mend("LockRecord", "INSERT");
  EXPECT_TRUE(mgr->SetLockCode("222222"));
  EXPECT_TRUE(mgr->CheckLockCode("222222"));
}

}  // namespace
}  // namespace vr
