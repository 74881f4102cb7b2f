// Frame push and idle cost of the X11 window layer. Uses $DISPLAY when set,
// else starts a private Xvfb.
#include <benchmark/benchmark.h>

#include <X11/Xutil.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/linux/X11BackBuffer.h"
#include "platform/linux/X11Window.h"
#include "platform/linux/X11WindowSystem.h"
#include "platform/linux/XvfbServer.h"

namespace vr {
namespace {

constexpr int kWidth = 647;
constexpr int kHeight = 552;

class NullHandler : public WindowHandler {
 public:
  void OnWindowEvent(const WindowEvent& e) override {
    if (e.type == WindowEventType::kExpose) exposed = true;
  }
  bool exposed = false;
};

// One server, one window system and one shown window for all benchmarks.
struct Stage {
  std::unique_ptr<XvfbServer> server;
  std::unique_ptr<X11WindowSystem> sys;
  NullHandler handler;
  std::unique_ptr<NativeWindow> window;

  Stage() {
    const char* display = std::getenv("DISPLAY");
    std::string name = display ? display : "";
    if (name.empty()) {
      std::string error;
      server = XvfbServer::Start(&error);
      if (!server) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return;
      }
      name = server->DisplayName();
    }
    sys = X11WindowSystem::Open(name.c_str());
    if (!sys) return;
    WindowParams p;
    p.bounds = WinRect::FromXYWH(20, 20, kWidth, kHeight);
    window = sys->CreateWindow(p, handler);
    window->Show(false);
    bool waiting = true;
    EventLoop::TimerId poll =
        sys->Loop().AddTimer(std::chrono::milliseconds(1), [&] { waiting = !handler.exposed; });
    sys->Loop().RunWhile(waiting);
    sys->Loop().KillTimer(poll);
  }
};

Stage& GetStage() {
  static Stage stage;
  return stage;
}

void Paint(cairo_surface_t* s, int frame) {
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgba(cr, (frame % 255) / 255.0, 0.5, 0.25, 0.9);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
}

// The window's own path: MIT-SHM when the server takes the segment.
void BM_PushFullFrame_Window(benchmark::State& state) {
  Stage& st = GetStage();
  if (!st.window) return state.SkipWithError("no X server");
  auto* w = static_cast<X11Window*>(st.window.get());
  Paint(w->BackBuffer(), 0);
  for (auto _ : state) w->Present(WinRect{0, 0, kWidth, kHeight});  // waits for the server
  state.SetLabel(w->UsesShm() ? "MIT-SHM" : "XPutImage (no SHM)");
}
BENCHMARK(BM_PushFullFrame_Window)->Unit(benchmark::kMicrosecond);

void BM_PushFullFrame_PutImage(benchmark::State& state) {
  Stage& st = GetStage();
  if (!st.window) return state.SkipWithError("no X server");
  Display* d = st.sys->GetDisplay();
  XVisualInfo info;
  if (!XMatchVisualInfo(d, DefaultScreen(d), 32, TrueColor, &info)) return state.SkipWithError("no ARGB visual");
  X11BackBuffer buffer(d, info.visual, 32, /*tryShm=*/false);
  Paint(buffer.Surface(kWidth, kHeight), 1);
  Window xid = static_cast<Window>(st.window->Id());
  GC gc = XCreateGC(d, xid, 0, nullptr);
  for (auto _ : state) {
    buffer.Push(xid, gc, WinRect{0, 0, kWidth, kHeight});
    XSync(d, False);  // counted until the server has it, as with shared memory
  }
  XFreeGC(d, gc);
  state.SetLabel("XPutImage");
}
BENCHMARK(BM_PushFullFrame_PutImage)->Unit(benchmark::kMicrosecond);

double ThreadCpuMs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// A shown window with no timers: the loop should sleep through the whole
// second, waking once for the task that ends it.
void BM_IdleWindowLoop_OneSecond(benchmark::State& state) {
  Stage& st = GetStage();
  if (!st.window) return state.SkipWithError("no X server");
  WindowLoop& loop = st.sys->Loop();
  double cpu = 0;
  uint64_t wakes = 0;
  for (auto _ : state) {
    bool running = true;
    uint64_t wakesBefore = st.sys->Dispatcher().WakeCount();
    double cpuBefore = ThreadCpuMs();
    std::thread stopper([&] {
      std::this_thread::sleep_for(std::chrono::seconds(1));
      loop.PostTask([&] { running = false; });
    });
    loop.RunWhile(running);
    stopper.join();
    cpu += ThreadCpuMs() - cpuBefore;
    wakes += st.sys->Dispatcher().WakeCount() - wakesBefore;
  }
  state.counters["ui_cpu_ms_per_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  state.counters["wakeups_per_s"] = benchmark::Counter(static_cast<double>(wakes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_IdleWindowLoop_OneSecond)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vr
