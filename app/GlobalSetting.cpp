#include "app/GlobalSetting.h"

#include <sys/stat.h>

#include <algorithm>

#include "app/AutoRun.h"
#include "platform/Ini.h"
#include "platform/Paths.h"

namespace vr {

GlobalSettingDel::~GlobalSettingDel() {
  if (subject_) subject_->RemoveObserver(this);
}

GlobalSetting::~GlobalSetting() {
  for (GlobalSettingDel* o : observers_) o->subject_ = nullptr;
}

void GlobalSetting::Load(const std::string& dataFolder) {
  MakeFolders(dataFolder);
  path_ = JoinPath(dataFolder, kFileName);
  struct stat st {};
  fileExisted_ = stat(path_.c_str(), &st) == 0;

  themeclr = ReadFlag("themeclr", true);
  blur = ReadFlag("blur", true);
  engweek = ReadFlag("engweek", false);
  showlunar = ReadFlag("showlunar", true);
  firstdayofweek = ReadInt("firstdayofweek", 1);
  backalpha = ReadInt("backalpha", 0);
  backimgalpha = ReadInt("backimgalpha", 40);
  theme = ReadString("theme", "theme0");
  autohide = ReadFlag("autohide", true);
  lockwnd = ReadFlag("lockwnd", false);
  lastwndposx = ReadInt("lastwndposx", -1);
  lastwndposy = ReadInt("lastwndposy", -1);
  hideside = ReadInt("hideside", 0);
  showline = ReadFlag("showline", true);
  shownote = ReadFlag("shownote", false);
  jiered = ReadFlag("jiered", false);
  weekred = ReadFlag("weekred", false);
  lastwndsizex = ReadInt("lastwndsizex", 647);
  lastwndsizey = ReadInt("lastwndsizey", 552);

  // A fully transparent bar could no longer be seen or clicked; negative
  // values are left for the painter to clamp.
  if (backalpha == 0) backalpha = 1;
  if (backalpha > 100) backalpha = 100;
}

void GlobalSetting::SetShowNote(bool on) {
  shownote = on;
  WriteInt("shownote", on ? 1 : 0);
  Notify("shownote");
}

void GlobalSetting::SetHideSide(int32_t side) {
  hideside = side;
  WriteInt("hideside", side);
  Notify("hideside");
}

void GlobalSetting::SetTheme(const std::string& value) {
  theme = value;
  WriteString("theme", value);
  Notify("theme");
}

bool GlobalSetting::WriteInt(const std::string& key, int32_t value) {
  return !path_.empty() && WriteIniInt(path_, kSection, key, value);
}

bool GlobalSetting::WriteString(const std::string& key, const std::string& value) {
  return !path_.empty() && WriteIniString(path_, kSection, key, value);
}

std::string GlobalSetting::ReadString(const std::string& key, const std::string& fallback) const {
  if (path_.empty()) return fallback;
  return ReadIniString(path_, kSection, key, fallback);
}

bool GlobalSetting::ReadFlag(const char* key, bool fallback) const {
  return ReadInt(key, fallback ? 1 : 0) > 0;
}

int32_t GlobalSetting::ReadInt(const char* key, int32_t fallback) const {
  if (path_.empty()) return fallback;
  return ReadIniInt(path_, kSection, key, fallback);
}

void GlobalSetting::AddObserver(GlobalSettingDel* observer) {
  if (!observer || std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) return;
  if (observer->subject_) observer->subject_->RemoveObserver(observer);
  observers_.push_back(observer);
  observer->subject_ = this;
}

void GlobalSetting::RemoveObserver(GlobalSettingDel* observer) {
  auto it = std::find(observers_.begin(), observers_.end(), observer);
  if (it == observers_.end()) return;
  observers_.erase(it);
  observer->subject_ = nullptr;
}

void GlobalSetting::Notify(const std::string& key) {
  // An observer may register or destroy others (or itself) from its callback:
  // walk a snapshot and skip whoever has left the list meanwhile.
  std::vector<GlobalSettingDel*> snapshot = observers_;
  for (GlobalSettingDel* o : snapshot)
    if (std::find(observers_.begin(), observers_.end(), o) != observers_.end()) o->OnSettingChanged(key);
}

bool GlobalSetting::IsAutoRun() const { return AutoRun::ForCurrentUser().IsOn(); }

// Failures are not reported: the settings dialog keeps the user's click.
void GlobalSetting::SetAutoRun(bool on) { AutoRun::ForCurrentUser().Set(on); }

GlobalSetting& GetGlobalSetting() {
  static GlobalSetting instance;
  return instance;
}

}  // namespace vr
