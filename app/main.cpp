#include "app/BrowserProcess.h"
#include "app/WidgetRun.h"
#include "platform/Paths.h"
#include "platform/ProcessRole.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
  vr::EnterProgramFolder();
  if (vr::IsBrowserSubprocess(argc, argv)) return vr::RunBrowserSubprocess(argc, argv);

  vr::SingleInstance instance;
  if (!instance.Acquire()) {
    instance.SendShow();  // unreachable instances (another user's) are left alone
    return 0;
  }
  return vr::RunWidget(instance);
}
