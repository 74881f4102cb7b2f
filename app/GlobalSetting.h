#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vr {

class GlobalSetting;

// Told about every settings change, synchronously on the UI thread, in the
// order observers registered. An observer leaves the list by itself when it is
// destroyed, so the store never calls a dead object.
class GlobalSettingDel {
 public:
  GlobalSettingDel() = default;
  // A copy is a new, unregistered observer.
  GlobalSettingDel(const GlobalSettingDel&) {}
  GlobalSettingDel& operator=(const GlobalSettingDel&) { return *this; }
  virtual ~GlobalSettingDel();

  // `key` is the name notified (usually the cfg.ini key, see GlobalSetting).
  virtual void OnSettingChanged(const std::string& key) = 0;

 private:
  friend class GlobalSetting;
  GlobalSetting* subject_ = nullptr;
};

// The user's preferences for the whole process, kept in memory as plain fields
// that other parts read directly, and written through to cfg.ini (section
// "VeskoRiLi") key by key whenever a value changes. UI thread only.
class GlobalSetting {
 public:
  static constexpr const char* kSection = "VeskoRiLi";
  static constexpr const char* kFileName = "cfg.ini";

  GlobalSetting() = default;  // every field at its default until Load
  ~GlobalSetting();
  GlobalSetting(const GlobalSetting&) = delete;
  GlobalSetting& operator=(const GlobalSetting&) = delete;

  // Loading: creates `dataFolder` if needed and reads `dataFolder`/cfg.ini.
  // A missing, unreadable or malformed file yields the defaults.
  void Load(const std::string& dataFolder);
  const std::string& Path() const { return path_; }
  bool FileExisted() const { return fileExisted_; }

  // Setters that store the field, write the key and notify it.
  void SetShowNote(bool on);
  void SetHideSide(int32_t side);
  void SetTheme(const std::string& theme);

  // Writing one key ("%d" for numbers); false when the file could not be written.
  bool WriteInt(const std::string& key, int32_t value);
  bool WriteString(const std::string& key, const std::string& value);
  // Keys without a field (the weather's `city`) are read through here.
  std::string ReadString(const std::string& key, const std::string& fallback) const;

  // Observers: called in registration order; registering twice is ignored.
  void AddObserver(GlobalSettingDel* observer);
  void RemoveObserver(GlobalSettingDel* observer);
  void Notify(const std::string& key);

  // Starting with the desktop session (an XDG autostart entry).
  bool IsAutoRun() const;
  void SetAutoRun(bool on);

  // The settings, one field per cfg.ini key. Flags are "> 0" of the stored number.
  bool themeclr = true;          // 1 light text on dark bars, 0 dark text on light bars
  bool blur = true;              // blur the desktop behind the window
  bool engweek = false;          // English weekday names
  bool showlunar = true;         // lunar dates in the month grid
  int32_t firstdayofweek = 1;    // 1 Monday, 0 Sunday
  int32_t backalpha = 1;         // bar opacity, percent; 0 loads as 1, above 100 as 100
  int32_t backimgalpha = 40;     // background image opacity, percent
  std::string theme = "theme0";  // "theme0" to "theme6"
  bool autohide = true;          // hide at a touched screen edge
  bool lockwnd = false;          // window cannot be dragged
  int32_t lastwndposx = -1;      // screen pixels; -1 with lastwndposy -1 centres
  int32_t lastwndposy = -1;
  int32_t hideside = 0;          // 0 none, 1 left, 2 top, 3 right
  bool showline = true;          // grid lines
  bool shownote = false;         // note texts in the cells
  bool jiered = false;           // festival names in red
  bool weekred = false;          // weekend days in red
  int32_t lastwndsizex = 647;    // window size, pixels
  int32_t lastwndsizey = 552;

 private:
  bool ReadFlag(const char* key, bool fallback) const;
  int32_t ReadInt(const char* key, int32_t fallback) const;

  std::string path_;
  bool fileExisted_ = false;
  std::vector<GlobalSettingDel*> observers_;
};

// The process-wide settings, created on first use and loaded at start-up.
GlobalSetting& GetGlobalSetting();

}  // namespace vr
