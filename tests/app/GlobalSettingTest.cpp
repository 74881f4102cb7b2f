#include "app/GlobalSetting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "tests/support/TempFolder.h"
#include "platform/Ini.h"

namespace vr {
namespace {

using test::TempFolder;

void Put(const std::string& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Records every notification, with a name, into a shared log.
class Recorder : public GlobalSettingDel {
 public:
  Recorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  void OnSettingChanged(const std::string& key) override {
    log_.push_back(name_ + ":" + key);
    if (onCall) onCall();
  }
  std::function<void()> onCall;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

TEST(GlobalSetting, NoFile_Load_GivesDocumentedDefaults) {
  TempFolder dir;
  GlobalSetting s;
  s.Load(dir.File("data"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("data")));
  EXPECT_FALSE(s.FileExisted());
  EXPECT_FALSE(std::filesystem::exists(dir.File("data/cfg.ini")));  // created by the first write only
  EXPECT_EQ(s.Path(), dir.File("data/cfg.ini"));
  EXPECT_TRUE(s.themeclr);
  EXPECT_TRUE(s.blur);
  EXPECT_FALSE(s.engweek);
  EXPECT_TRUE(s.showlunar);
  EXPECT_EQ(s.firstdayofweek, 1);
  EXPECT_EQ(s.backalpha, 1);
  EXPECT_EQ(s.backimgalpha, 40);
  EXPECT_EQ(s.theme, "theme0");
  EXPECT_TRUE(s.autohide);
  EXPECT_FALSE(s.lockwnd);
  EXPECT_EQ(s.lastwndposx, -1);
  EXPECT_EQ(s.lastwndposy, -1);
  EXPECT_EQ(s.hideside, 0);
  EXPECT_TRUE(s.showline);
  EXPECT_FALSE(s.shownote);
  EXPECT_FALSE(s.jiered);
  EXPECT_FALSE(s.weekred);
  EXPECT_EQ(s.lastwndsizex, 647);
  EXPECT_EQ(s.lastwndsizey, 552);
}

TEST(GlobalSetting, FullFile_Load_ReadsEveryKey) {
  TempFolder dir;
  Put(dir.File("cfg.ini"),
      "[VeskoRiLi]\nthemeclr=0\nblur=0\nengweek=1\nshowlunar=0\nfirstdayofweek=0\nbackalpha=55\n"
      "backimgalpha=70\ntheme=theme4\nautohide=0\nlockwnd=1\nlastwndposx=120\nlastwndposy=-30\n"
      "hideside=3\nshowline=0\nshownote=1\njiered=1\nweekred=1\nlastwndsizex=800\nlastwndsizey=600\n");
  GlobalSetting s;
  s.Load(dir.Path());
  EXPECT_TRUE(s.FileExisted());
  EXPECT_FALSE(s.themeclr);
  EXPECT_FALSE(s.blur);
  EXPECT_TRUE(s.engweek);
  EXPECT_FALSE(s.showlunar);
  EXPECT_EQ(s.firstdayofweek, 0);
  EXPECT_EQ(s.backalpha, 55);
  EXPECT_EQ(s.backimgalpha, 70);
  EXPECT_EQ(s.theme, "theme4");
  EXPECT_FALSE(s.autohide);
  EXPECT_TRUE(s.lockwnd);
  EXPECT_EQ(s.lastwndposx, 120);
  EXPECT_EQ(s.lastwndposy, -30);
  EXPECT_EQ(s.hideside, 3);
  EXPECT_FALSE(s.showline);
  EXPECT_TRUE(s.shownote);
  EXPECT_TRUE(s.jiered);
  EXPECT_TRUE(s.weekred);
  EXPECT_EQ(s.lastwndsizex, 800);
  EXPECT_EQ(s.lastwndsizey, 600);
}

struct IntKeyCase {
  const char* line;  // the cfg.ini line, or "" for none
  int32_t backalpha;
};

void PrintTo(const IntKeyCase& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class BackAlphaLoad : public ::testing::TestWithParam<IntKeyCase> {};

TEST_P(BackAlphaLoad, StoredValue_Load_IsClamped) {
  TempFolder dir;
  Put(dir.File("cfg.ini"), std::string("[VeskoRiLi]\n") + GetParam().line + "\n");
  GlobalSetting s;
  s.Load(dir.Path());
  EXPECT_EQ(s.backalpha, GetParam().backalpha) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Cases, BackAlphaLoad,
                         ::testing::Values(IntKeyCase{"backalpha=0", 1}, IntKeyCase{"backalpha=250", 100},
                                           IntKeyCase{"backalpha=101", 100}, IntKeyCase{"backalpha=100", 100},
                                           IntKeyCase{"backalpha=1", 1}, IntKeyCase{"backalpha=60", 60},
                                           IntKeyCase{"backalpha=-5", -5}, IntKeyCase{"backalpha=", 1},
                                           IntKeyCase{"backalpha=abc", 1}, IntKeyCase{"", 1}));

struct FlagCase {
  const char* value;
  bool blur;      // default true
  bool lockwnd;   // default false
};

void PrintTo(const FlagCase& c, std::ostream* os) { *os << '"' << c.value << '"'; }

class FlagLoad : public ::testing::TestWithParam<FlagCase> {};

TEST_P(FlagLoad, StoredValue_Load_IsTrueOnlyAboveZero) {
  TempFolder dir;
  Put(dir.File("cfg.ini"), std::string("[VeskoRiLi]\nblur=") + GetParam().value + "\nlockwnd=" + GetParam().value + "\n");
  GlobalSetting s;
  s.Load(dir.Path());
  EXPECT_EQ(s.blur, GetParam().blur) << GetParam().value;
  EXPECT_EQ(s.lockwnd, GetParam().lockwnd) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, FlagLoad,
                         ::testing::Values(FlagCase{"1", true, true}, FlagCase{"7", true, true},
                                           FlagCase{"0", false, false}, FlagCase{"-1", false, false},
                                           FlagCase{"yes", false, false}, FlagCase{"", true, false}));

TEST(GlobalSetting, MalformedFile_Load_GivesDefaultsAndNextWriteRepairs) {
  TempFolder dir;
  Put(dir.File("cfg.ini"), std::string("\xFF\xFE[\0V\0]\0\nblur=0\n", 14));
  GlobalSetting s;
  s.Load(dir.Path());
  EXPECT_TRUE(s.blur);
  EXPECT_EQ(s.lastwndsizex, 647);
  s.SetShowNote(true);
  EXPECT_EQ(Get(dir.File("cfg.ini")), "[VeskoRiLi]\nshownote=1\n");
}

TEST(GlobalSetting, FolderThatCannotBeMade_Load_GivesDefaultsAndSettersStillNotify) {
  TempFolder dir;
  Put(dir.File("file"), "x");
  GlobalSetting s;
  s.Load(dir.File("file/sub"));
  EXPECT_EQ(s.theme, "theme0");
  std::vector<std::string> log;
  Recorder r("a", log);
  s.AddObserver(&r);
  s.SetTheme("theme2");
  EXPECT_EQ(s.theme, "theme2");
  EXPECT_FALSE(s.WriteInt("blur", 0));
  EXPECT_EQ(log, std::vector<std::string>{"a:theme"});
}

struct SetterCase {
  const char* what;
  std::function<void(GlobalSetting&)> set;
  const char* key;
  const char* stored;
  std::function<bool(const GlobalSetting&)> reloaded;
};

void PrintTo(const SetterCase& c, std::ostream* os) { *os << c.what; }

class SetterWriteThrough : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetterWriteThrough, Setter_Called_WritesKeyThenNotifiesIt) {
  TempFolder dir;
  const SetterCase& c = GetParam();
  GlobalSetting s;
  s.Load(dir.Path());
  std::vector<std::string> log;
  Recorder r("r", log);
  std::string seenInFile;
  r.onCall = [&] { seenInFile = ReadIniString(s.Path(), "VeskoRiLi", c.key, "<none>"); };
  s.AddObserver(&r);
  c.set(s);
  EXPECT_EQ(log, std::vector<std::string>{std::string("r:") + c.key});
  EXPECT_EQ(seenInFile, c.stored) << "the key is written before observers run";
  GlobalSetting again;
  again.Load(dir.Path());
  EXPECT_TRUE(again.FileExisted());
  EXPECT_TRUE(c.reloaded(again)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetterWriteThrough,
    ::testing::Values(
        SetterCase{"shownote on", [](GlobalSetting& s) { s.SetShowNote(true); }, "shownote", "1",
                   [](const GlobalSetting& s) { return s.shownote; }},
        SetterCase{"shownote off", [](GlobalSetting& s) { s.SetShowNote(false); }, "shownote", "0",
                   [](const GlobalSetting& s) { return !s.shownote; }},
        SetterCase{"hideside", [](GlobalSetting& s) { s.SetHideSide(2); }, "hideside", "2",
                   [](const GlobalSetting& s) { return s.hideside == 2; }},
        SetterCase{"theme", [](GlobalSetting& s) { s.SetTheme("theme5"); }, "theme", "theme5",
                   [](const GlobalSetting& s) { return s.theme == "theme5"; }}),
    [](const ::testing::TestParamInfo<SetterCase>& info) { return std::to_string(info.index); });

TEST(GlobalSetting, FileWithOtherSectionsAndComments_WriteInt_KeepsThem) {
  TempFolder dir;
  const std::string before =
      "; written by hand\n[VeskoSoft]\ndns=1.1.1.1\n\n[VeskoRiLi]\ncity=101010100\nblur=1\nfuture=keep\n";
  Put(dir.File("cfg.ini"), before);
  GlobalSetting s;
  s.Load(dir.Path());
  ASSERT_TRUE(s.WriteInt("blur", 0));
  ASSERT_TRUE(s.WriteInt("lastwndposx", -20));
  EXPECT_EQ(Get(dir.File("cfg.ini")),
            "; written by hand\n[VeskoSoft]\ndns=1.1.1.1\n\n[VeskoRiLi]\ncity=101010100\nblur=0\nfuture=keep\n"
            "lastwndposx=-20\n");
  EXPECT_EQ(s.ReadString("city", ""), "101010100");
}

TEST(GlobalSetting, ThreeObservers_Notify_CallsInRegistrationOrder) {
  GlobalSetting s;
  std::vector<std::string> log;
  Recorder a("a", log), b("b", log), c("c", log);
  s.AddObserver(&b);
  s.AddObserver(&a);
  s.AddObserver(&c);
  s.AddObserver(&b);  // already there: keeps its place
  s.Notify("lockwndpos");
  EXPECT_EQ(log, (std::vector<std::string>{"b:lockwndpos", "a:lockwndpos", "c:lockwndpos"}));
}

TEST(GlobalSetting, DestroyedObserver_Notify_IsNotCalled) {
  GlobalSetting s;
  std::vector<std::string> log;
  Recorder a("a", log);
  {
    Recorder gone("gone", log);
    s.AddObserver(&gone);
  }
  s.AddObserver(&a);
  s.Notify("theme");
  EXPECT_EQ(log, std::vector<std::string>{"a:theme"});
}

TEST(GlobalSetting, ObserverDestroyingLaterOne_Notify_SkipsIt) {
  GlobalSetting s;
  std::vector<std::string> log;
  Recorder a("a", log);
  auto b = std::make_unique<Recorder>("b", log);
  Recorder c("c", log);
  s.AddObserver(&a);
  s.AddObserver(b.get());
  s.AddObserver(&c);
  a.onCall = [&] { b.reset(); };
  s.Notify("blur");
  EXPECT_EQ(log, (std::vector<std::string>{"a:blur", "c:blur"}));
}

TEST(GlobalSetting, ObserverDestroyingItself_Notify_GoesOnWithTheRest) {
  GlobalSetting s;
  std::vector<std::string> log;
  auto a = std::make_unique<Recorder>("a", log);
  Recorder b("b", log);
  s.AddObserver(a.get());
  s.AddObserver(&b);
  a->onCall = [&] { a.reset(); };
  s.Notify("blur");
  s.Notify("jiered");
  EXPECT_EQ(log, (std::vector<std::string>{"a:blur", "b:blur", "b:jiered"}));
}

TEST(GlobalSetting, StoreDestroyedFirst_ObserverDestroyed_DoesNotTouchIt) {
  std::vector<std::string> log;
  Recorder r("r", log);
  {
    GlobalSetting s;
    s.AddObserver(&r);
  }
  // Leaving scope destroys r after the store; ASan reports any stale access.
  SUCCEED();
}

TEST(GlobalSetting, RemovedObserver_Notify_IsNotCalled) {
  GlobalSetting s;
  std::vector<std::string> log;
  Recorder a("a", log), b("b", log);
  s.AddObserver(&a);
  s.AddObserver(&b);
  s.RemoveObserver(&a);
  s.Notify("theme");
  EXPECT_EQ(log, std::vector<std::string>{"b:theme"});
}

}  // namespace
}  // namespace vr
