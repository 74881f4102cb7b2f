#include "app/WidgetRun.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/ConsoleWindow.h"
#include "app/GlobalSetting.h"
#include "app/TimeService.h"
#include "calendar/CalendarData.h"
#include "net/Http.h"
#include "net/VeskoUpdate.h"
#include "platform/DispatchLoop.h"
#include "platform/Paths.h"
#include "platform/QuitSignals.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClipboard.h"
#include "platform/WindowSystem.h"
#include "records/NoteMgr.h"
#include "ui/CssTable.h"
#include "ui/FactoryRegistry.h"
#include "ui/ResLoaderMgr.h"
#include "ui/ThreadTask.h"

namespace vr {
namespace {

// Everything the start-up steps build and the shutdown steps tear down.
struct Widget {
  SingleInstance* instance = nullptr;
  // The X11 window system when a display answers; otherwise a loop without
  // windows on real time, so the widget still runs on a console.
  std::unique_ptr<WindowSystem> windows;
  SteadyLoopTime windowlessTime;
  std::unique_ptr<DispatchLoop> windowlessLoop;
  WindowLoop* loop = nullptr;
  std::unique_ptr<QuitSignals> quitSignals;
  std::unique_ptr<TaskWindow> tasks;
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<ResLoaderMgr> resources;
  std::unique_ptr<ConsoleWindow> window;
};

struct Step {
  const char* name;
  // False ends start-up at once (nothing later runs, no window appears).
  std::function<bool(Widget&)> run;
};

bool Nothing(Widget&) { return true; }

// The start-up order. A subsystem that is not there yet keeps its place in
// the list with an empty entry, so the order never has to be re-derived.
// Windows-only steps have no Linux counterpart: the error-mode and DPI steps
// (X11 scales through Xft.dpi, read by the window layer), COM set-up, and the
// message-filter steps (our "show" socket has no integrity levels).
const std::vector<Step>& StartSteps() {
  static const std::vector<Step> steps = {
      {"settings",
       [](Widget&) {
         GetGlobalSetting().Load(DataFolder());
         return true;
       }},
      {"http client",
       [](Widget&) {
         InitHttpClient();  // before any thread that makes requests
         return true;
       }},
      {"update library",
       [](Widget&) {
         IVeskoUpdate* update = GetIVeskoUpdate();
         update->Init(DataFolder());
         return !update->MustExit();
       }},
      {"ui task window",
       [](Widget& w) {
         w.windows = OpenWindowSystem(WindowSystemKind::kX11);
         if (w.windows) {
           w.loop = &w.windows->Loop();
         } else {
           w.windowlessLoop = std::make_unique<DispatchLoop>(nullptr, w.windowlessTime);
           w.loop = w.windowlessLoop.get();
         }
         w.quitSignals = std::make_unique<QuitSignals>(*w.loop);
         w.tasks = std::make_unique<TaskWindow>(*w.loop);
         if (w.windows) {
           w.clipboard = OpenSystemClipboard(*w.windows);
           SetProcessClipboard(w.clipboard.get());
         }
         return true;
       }},
      // The application's own classes and the creation hook join with the
      // main window.
      {"control classes and creation hook",
       [](Widget&) {
         RegisterBuiltinFactories();
         return true;
       }},
      {"resource pack and style sheet",
       [](Widget& w) {
         // An empty pack leaves the loader empty; start-up goes on.
         w.resources = std::make_unique<ResLoaderMgr>(EmbeddedPack());
         SetResLoader(w.resources.get());
         std::vector<uint8_t> css = w.resources->GetData("cssData.json");
         CssTable::Instance().Load(std::string(css.begin(), css.end()));
         return true;
       }},
      {"weather thread", Nothing},
      {"calendar data",
       [](Widget&) {
         // Missing or broken files only leave marks and almanac texts empty.
         LoadCalendarData(ProgramFolder(), DataFolder());
         return true;
       }},
      {"browser engine", Nothing},
      {"background services", Nothing},
      {"records and today's reminders",
       [](Widget&) {
         // An unreadable file leaves the records in memory only and a damaged
         // one is kept aside (NoteMgr::LastLoad says which); neither stops
         // start-up.
         NoteMgr& records = GlobalNoteMgr();
         records.Load();
         records.RebuildToday();
         GlobalTimeService().SetSecondHook([](const TimeRecord& now) { GlobalNoteMgr().CheckDue(now); });
         GlobalTimeService().SetNewDayHook(
             [](const TimeRecord& now) { GlobalNoteMgr().RebuildToday(now); });
         return true;
       }},
      {"time service",
       [](Widget& w) {
         GlobalTimeService().Start(*w.loop);
         return true;
       }},
      {"main window",
       [](Widget& w) {
         w.window = std::make_unique<ConsoleWindow>(stdout);
         GlobalTimeService().AddTimeObserver(w.window.get());
         w.window->Show(SystemClock().Now());
         w.instance->ListenForShow(*w.loop, [&w] { w.window->Show(SystemClock().Now()); });
         return true;
       }},
  };
  return steps;
}

// The shutdown order, run after the loop ends.
const std::vector<Step>& StopSteps() {
  static const std::vector<Step> steps = {
      {"time service",
       [](Widget&) {
         GlobalTimeService().Stop();
         return true;
       }},
      {"records",
       [](Widget&) {
         GlobalTimeService().SetSecondHook(nullptr);
         GlobalTimeService().SetNewDayHook(nullptr);
         GlobalNoteMgr().Close();
         return true;
       }},
      {"weather thread", Nothing},
      {"background services", Nothing},
      {"browser engine", Nothing},
      {"main window",
       [](Widget& w) {
         w.instance->StopListening();
         w.window.reset();
         return true;
       }},
      {"ui task window",
       [](Widget& w) {
         SetResLoader(nullptr);
         w.resources.reset();
         SetProcessClipboard(nullptr);
         w.clipboard.reset();
         w.tasks.reset();
         w.quitSignals.reset();
         return true;
       }},
  };
  return steps;
}

}  // namespace

int RunWidget(SingleInstance& instance) {
  Widget widget;
  widget.instance = &instance;
  for (const Step& step : StartSteps())
    if (!step.run(widget)) return 0;
  widget.loop->Run();
  for (const Step& step : StopSteps()) step.run(widget);
  return 0;
}

}  // namespace vr
