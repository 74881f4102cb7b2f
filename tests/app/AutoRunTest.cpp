#include "app/AutoRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/TempFolder.h"
#include "app/GlobalSetting.h"

namespace vr {
namespace {

using test::EnvGuard;
using test::TempFolder;

std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(AutoRun, XdgConfigHomeSet_ForCurrentUser_UsesIt) {
  EnvGuard xdg("XDG_CONFIG_HOME", "/srv/cfg");
  EXPECT_EQ(AutoRun::ForCurrentUser().EntryPath(), "/srv/cfg/autostart/veskorili.desktop");
}

TEST(AutoRun, XdgConfigHomeUnsetOrRelative_ForCurrentUser_UsesHomeConfig) {
  EnvGuard home("HOME", "/home/lin");
  {
    EnvGuard xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(AutoRun::ForCurrentUser().EntryPath(), "/home/lin/.config/autostart/veskorili.desktop");
  }
  EnvGuard xdg("XDG_CONFIG_HOME", "relative/cfg");
  EXPECT_EQ(AutoRun::ForCurrentUser().EntryPath(), "/home/lin/.config/autostart/veskorili.desktop");
}

TEST(AutoRun, NoEntry_TurnOnThenOff_LeavesNoEntry) {
  TempFolder dir;
  AutoRun run(dir.File("cfg/autostart/veskorili.desktop"), "/opt/veskorili/veskorili");
  EXPECT_FALSE(run.IsOn());
  ASSERT_TRUE(run.Set(true));
  EXPECT_TRUE(run.IsOn());
  struct stat st {};
  ASSERT_EQ(stat(run.EntryPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(Get(run.EntryPath()),
            "[Desktop Entry]\nType=Application\nName=VeskoRiLi\nExec=\"/opt/veskorili/veskorili\"\n"
            "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
  ASSERT_TRUE(run.Set(false));
  EXPECT_FALSE(run.IsOn());
  EXPECT_FALSE(std::filesystem::exists(run.EntryPath()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("cfg/autostart")),
                          std::filesystem::directory_iterator()),
            0);
}

TEST(AutoRun, NoEntry_TurnOff_Succeeds) {
  TempFolder dir;
  AutoRun run(dir.File("autostart/veskorili.desktop"), "/x");
  EXPECT_TRUE(run.Set(false));
  EXPECT_FALSE(run.IsOn());
}

TEST(AutoRun, TurnOnTwice_StaysOneEntry) {
  TempFolder dir;
  AutoRun run(dir.File("autostart/veskorili.desktop"), "/x");
  ASSERT_TRUE(run.Set(true));
  ASSERT_TRUE(run.Set(true));
  EXPECT_TRUE(run.IsOn());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("autostart")),
                          std::filesystem::directory_iterator()),
            1);
}

struct EntryCase {
  const char* content;
  bool on;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << (c.on ? "on" : "off"); }

class AutoRunEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(AutoRunEntry, ExistingEntry_IsOn_ReadsIt) {
  TempFolder dir;
  std::ofstream(dir.File("e.desktop")) << GetParam().content;
  EXPECT_EQ(AutoRun(dir.File("e.desktop"), "/x").IsOn(), GetParam().on) << GetParam().content;
}

INSTANTIATE_TEST_SUITE_P(Cases, AutoRunEntry,
                         ::testing::Values(EntryCase{"[Desktop Entry]\nExec=/x\n", true},
                                           EntryCase{"[Desktop Entry]\nExec=\n", false},
                                           EntryCase{"", false},
                                           EntryCase{"[Desktop Entry]\nExec=/x\nHidden=true\n", false},
                                           EntryCase{"[Desktop Entry]\nExec=/x\nX-GNOME-Autostart-enabled=false\n",
                                                     false}));

TEST(AutoRun, HiddenEntry_TurnOn_WritesAWorkingEntry) {
  TempFolder dir;
  std::ofstream(dir.File("e.desktop")) << "[Desktop Entry]\nExec=/old\nHidden=true\n";
  AutoRun run(dir.File("e.desktop"), "/new");
  ASSERT_TRUE(run.Set(true));
  EXPECT_TRUE(run.IsOn());
}

TEST(AutoRun, ExecutableWithSpecialCharacters_EntryText_QuotesAndEscapes) {
  EXPECT_EQ(AutoRun::EntryText("/o p/a\"b$c`d\\e%f"),
            "[Desktop Entry]\nType=Application\nName=VeskoRiLi\n"
            "Exec=\"/o p/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\"\n"
            "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
}

TEST(AutoRun, GlobalSetting_SetAutoRun_UsesTheUsersAutostartFolder) {
  TempFolder dir;
  EnvGuard xdg("XDG_CONFIG_HOME", dir.Path().c_str());
  GlobalSetting s;
  EXPECT_FALSE(s.IsAutoRun());
  s.SetAutoRun(true);
  EXPECT_TRUE(s.IsAutoRun());
  EXPECT_TRUE(std::filesystem::exists(dir.File("autostart/veskorili.desktop")));
  s.SetAutoRun(false);
  EXPECT_FALSE(s.IsAutoRun());
  EXPECT_FALSE(std::filesystem::exists(dir.File("autostart/veskorili.desktop")));
}

}  // namespace
}  // namespace vr
