// The gallery as a real X11 window on a private Xvfb: it maps, takes a
// synthetic click, paints, and its pixels on the server are not blank.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cairo.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/XvfbServer.h"

namespace vr {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kWatchdog{20};  // bound for every wait; a healthy run needs well under 1 s

const std::string kGallery = std::string(VR_BIN_DIR) + "/veskorili-gallery";

// The gallery process with its stdout on a pipe.
class GalleryProcess {
 public:
  GalleryProcess(const std::string& display) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    started_ = Clock::now();
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      close(fds[1]);
      setenv("DISPLAY", display.c_str(), 1);
      execl(kGallery.c_str(), kGallery.c_str(), "--window", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    out_ = fds[0];
  }
  ~GalleryProcess() {
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_);
  }

  // The first output line starting with `prefix`, or "" when none came in time.
  std::string WaitLine(const std::string& prefix) {
    const auto end = Clock::now() + kWatchdog;
    for (;;) {
      size_t nl;
      while ((nl = buffer_.find('\n')) != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        if (line.rfind(prefix, 0) == 0) return line;
      }
      if (Clock::now() >= end) return "";
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      char buf[256];
      const ssize_t n = read(out_, buf, sizeof buf);
      if (n <= 0) return "";
      buffer_.append(buf, static_cast<size_t>(n));
    }
  }

  // Exit status after SIGTERM, -1 when it did not end in time.
  int Terminate() {
    kill(pid_, SIGTERM);
    const auto end = Clock::now() + kWatchdog;
    while (Clock::now() < end) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      usleep(10000);
    }
    return -1;
  }
  Clock::time_point Started() const { return started_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  bool exited_ = false;
  std::string buffer_;
  Clock::time_point started_;
};

std::string WindowName(Display* d, Window w) {
  char* name = nullptr;
  std::string out;
  if (XFetchName(d, w, &name) && name) out = name;
  if (name) XFree(name);
  return out;
}

// The viewable top-level window with that name, 0 when none.
Window FindViewable(Display* d, const std::string& name) {
  Window root = DefaultRootWindow(d), parent = 0, *children = nullptr;
  unsigned n = 0;
  Window found = 0;
  if (!XQueryTree(d, root, &root, &parent, &children, &n)) return 0;
  for (unsigned i = 0; i < n && !found; ++i) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
        WindowName(d, children[i]) == name) {
      found = children[i];
    }
  }
  if (children) XFree(children);
  return found;
}

bool WaitFor(const std::function<bool()>& done) {
  const auto end = Clock::now() + kWatchdog;
  while (Clock::now() < end) {
    if (done()) return true;
    usleep(5000);
  }
  return false;
}

// Distinct colours in the window as the server holds it; optionally saved.
size_t DistinctColours(Display* d, Window w, int width, int height, const char* pngPath) {
  XImage* img = XGetImage(d, w, 0, 0, width, height, AllPlanes, ZPixmap);
  if (!img) return 0;
  std::set<uint32_t> colours;
  cairo_surface_t* png = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t p = static_cast<uint32_t>(XGetPixel(img, x, y)) & 0xFFFFFFu;
      colours.insert(p);
      reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride)[x] = p;
    }
  }
  cairo_surface_mark_dirty(png);
  if (pngPath) cairo_surface_write_to_png(png, pngPath);
  cairo_surface_destroy(png);
  XDestroyImage(img);
  return colours.size();
}

TEST(GallerySmoke, GalleryWindow_UnderXvfb_MapsTakesClickAndPaints) {
  if (!XvfbServer::Available()) GTEST_SKIP() << "Xvfb is not installed";
  std::string error;
  auto server = XvfbServer::Start(&error);
  ASSERT_NE(server, nullptr) << error;
  Display* d = XOpenDisplay(server->DisplayName().c_str());
  ASSERT_NE(d, nullptr);

  GalleryProcess gallery(server->DisplayName());
  int docWidth = 0, docHeight = 0;
  const std::string size = gallery.WaitLine("window ");
  ASSERT_EQ(std::sscanf(size.c_str(), "window %d %d", &docWidth, &docHeight), 2) << size;
  const std::string frame = gallery.WaitLine("frame ");
  ASSERT_FALSE(frame.empty()) << "no frame reported";
  Window w = 0;
  ASSERT_TRUE(WaitFor([&] { return (w = FindViewable(d, "veskorili-gallery")) != 0; }));
  const auto mapped = Clock::now();
  XWindowAttributes attrs;
  ASSERT_TRUE(XGetWindowAttributes(d, w, &attrs));
  EXPECT_EQ(attrs.width, docWidth);  // the window takes the document root's size
  EXPECT_EQ(attrs.height, docHeight);

  // A press on the window's first row reaches a control of the tree.
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), 40, 25, &x, &y, &child);
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XFlush(d);
  const std::string press = gallery.WaitLine("press ");
  EXPECT_EQ(press.rfind("press 40 25 ", 0), 0u) << press;

  const char* shot = std::getenv("VR_GALLERY_SCREENSHOT");
  EXPECT_GT(DistinctColours(d, w, attrs.width, attrs.height, shot), 20u) << "the window looks blank";
  std::printf("gallery: %s (process start to first frame on screen, ms); mapped seen after %.1f ms\n",
              frame.c_str() + 6,
              std::chrono::duration<double, std::milli>(mapped - gallery.Started()).count());

  EXPECT_EQ(gallery.Terminate(), 0) << "SIGTERM must end the window loop cleanly";
  XCloseDisplay(d);
}

}  // namespace
}  // namespace vr
