#include "net/VeskoUpdate.h"

#include <mutex>

namespace vr {

struct VeskoText {
  std::string text;
};

namespace {

// The update side keeps what it is told. Looking for updates needs a
// configured update host, which comes with the remote services; until then a
// check finds nothing and the program never has to stop for an update.
class VeskoUpdate final : public IVeskoUpdate {
 public:
  void Init(const std::string& dataFolder) override { dataFolder_ = dataFolder; }
  void Shutdown() override { started_ = false; }
  bool MustExit() override { return false; }
  void CheckNow(WindowHandle) override {}
  void SetAppId(int32_t id) override { appId_ = id; }
  void SetUnionId(int32_t id) override { unionId_ = id; }
  void SetVersion(const std::string& v) override { version_ = v; }
  void SetOption(int32_t o) override { option_ = o; }
  void SetDeviceId(const std::string& d) override { deviceId_ = d; }
  void Start(WindowHandle wnd) override {
    owner_ = wnd;
    started_ = true;
  }
  void SetCheckUrl(const std::string& url) override { checkUrl_ = url; }
  void SetOwnerWindow(WindowHandle wnd) override { owner_ = wnd; }
  void SetProductName(const std::string& name) override { productName_ = name; }

 private:
  std::string dataFolder_, version_, deviceId_, checkUrl_, productName_;
  int32_t appId_ = 0, unionId_ = 0, option_ = 0;
  WindowHandle owner_ = 0;
  bool started_ = false;
};

// The account side: nobody is logged in until an account service exists, so
// the nickname and avatar path are empty and the state stays "logged out".
class VeskoUserMgr final : public IVeskoUserMgr {
 public:
  void SetDelegate(IVeskoUserMgrDel* del) override {
    del_ = del;
    if (del_) del_->OnUserStateChanged(kUserLoggedOut);
  }
  VeskoTextHandle MakeString(const std::string& text) override { return new VeskoText{text}; }
  std::string GetText(VeskoTextHandle text) override { return text ? text->text : std::string(); }
  void ReleaseText(VeskoTextHandle text) override { delete text; }
  void OpenUserCenter(const std::string&) override {}
  void ShutdownUserMgr() override { del_ = nullptr; }
  VeskoTextHandle AvatarHandle() override { return MakeString({}); }
  VeskoTextHandle NicknameHandle() override { return MakeString({}); }

 private:
  IVeskoUserMgrDel* del_ = nullptr;
};

}  // namespace

IVeskoUpdate* GetIVeskoUpdate() {
  static VeskoUpdate instance;
  return &instance;
}

IVeskoUserMgr* GetIVeskoUserMgr() {
  static VeskoUserMgr instance;
  return &instance;
}

}  // namespace vr
