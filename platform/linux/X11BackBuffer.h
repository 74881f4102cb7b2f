#pragma once
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <cairo.h>

#include "platform/WindowTypes.h"

namespace vr {

// A window's back buffer: one block of memory that is at once a Cairo ARGB32
// image surface and an XImage, so a frame goes to the server without a copy
// on our side. In shared memory (MIT-SHM) when the server is local and
// accepts the segment, else ordinary memory sent with XPutImage.
class X11BackBuffer {
 public:
  X11BackBuffer(Display* display, Visual* visual, int depth, bool tryShm);
  ~X11BackBuffer();
  X11BackBuffer(const X11BackBuffer&) = delete;
  X11BackBuffer& operator=(const X11BackBuffer&) = delete;

  // The surface at the given size, recreated (cleared) when the size changed.
  // Null when memory runs out.
  cairo_surface_t* Surface(int width, int height);
  // Sends `rect` (clipped to the buffer) to `drawable`. With shared memory it
  // waits until the server has read the pixels, so drawing may go on at once.
  void Push(Drawable drawable, GC gc, const WinRect& rect);
  bool UsesShm() const { return shmAttached_; }

 private:
  bool CreateShm(int width, int height);
  bool CreatePlain(int width, int height);
  bool WrapInSurface(int width, int height);
  void Release();

  Display* display_;
  Visual* visual_;
  int depth_;
  bool tryShm_;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shmAttached_ = false;
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace vr
