#pragma once
#include <cstdint>
#include <string>

namespace vr {

// Opaque handle of a native top-level window, as the update library sees it.
using WindowHandle = uintptr_t;

// The update library's update interface. The program hands it identity values
// and windows; what it does with them is its own business.
class IVeskoUpdate {
 public:
  virtual ~IVeskoUpdate() = default;
  virtual void Init(const std::string& dataFolder) = 0;
  virtual void Shutdown() = 0;
  virtual bool MustExit() = 0;
  virtual void CheckNow(WindowHandle mainWnd) = 0;
  virtual void SetAppId(int32_t id) = 0;
  virtual void SetUnionId(int32_t id) = 0;
  virtual void SetVersion(const std::string& version) = 0;
  virtual void SetOption(int32_t option) = 0;
  virtual void SetDeviceId(const std::string& deviceId) = 0;
  virtual void Start(WindowHandle mainWnd) = 0;
  virtual void SetCheckUrl(const std::string& url) = 0;
  virtual void SetOwnerWindow(WindowHandle wnd) = 0;
  virtual void SetProductName(const std::string& name) = 0;
};

// A text owned by the account library; the program reads it with GetText and
// gives it back with ReleaseText.
struct VeskoText;
using VeskoTextHandle = VeskoText*;

// Account states reported through OnUserStateChanged.
enum VeskoUserState : int32_t {
  kUserLoggedOut = 0,
  kUserLoggingIn = 1,
  kUserLoggedIn = 3,
  kUserLoginFailed = 4,
};

// Implemented by the main window; called by the account library on the UI thread.
class IVeskoUserMgrDel {
 public:
  virtual ~IVeskoUserMgrDel() = default;
  virtual VeskoTextHandle GetConfigValue(const std::string& key) = 0;
  virtual void OnUserStateChanged(int32_t state) = 0;
  virtual void OnUserEvent() {}
  virtual void OnPortraitChanged() = 0;
  virtual bool OnQuery() { return false; }
};

// The account library's interface.
class IVeskoUserMgr {
 public:
  virtual ~IVeskoUserMgr() = default;
  virtual void SetDelegate(IVeskoUserMgrDel* del) = 0;
  virtual VeskoTextHandle MakeString(const std::string& text) = 0;
  virtual std::string GetText(VeskoTextHandle text) = 0;
  virtual void ReleaseText(VeskoTextHandle text) = 0;
  virtual void OpenUserCenter(const std::string& address) = 0;
  virtual void ShutdownUserMgr() = 0;
  virtual VeskoTextHandle AvatarHandle() = 0;
  virtual VeskoTextHandle NicknameHandle() = 0;
};

// Process-wide instances, created on first use.
IVeskoUpdate* GetIVeskoUpdate();
IVeskoUserMgr* GetIVeskoUserMgr();

}  // namespace vr
