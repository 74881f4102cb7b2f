#include "platform/linux/X11BackBuffer.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <X11/Xutil.h>

#include <cstdlib>

#include "platform/linux/X11ErrorTrap.h"

namespace vr {
namespace {

// Cairo's ARGB32 is a native-endian 32-bit word per pixel.
int HostByteOrder() {
  const uint32_t one = 1;
  return *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
}

}  // namespace

X11BackBuffer::X11BackBuffer(Display* display, Visual* visual, int depth, bool tryShm)
    : display_(display), visual_(visual), depth_(depth), tryShm_(tryShm) {}

X11BackBuffer::~X11BackBuffer() { Release(); }

void X11BackBuffer::Release() {
  if (surface_) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
  if (!image_) return;
  if (shmAttached_) {
    XShmDetach(display_, &shm_);
    XSync(display_, False);
    XDestroyImage(image_);  // leaves the shared memory alone
    shmdt(shm_.shmaddr);
    shmAttached_ = false;
  } else {
    XDestroyImage(image_);  // frees the pixel memory too
  }
  image_ = nullptr;
  shm_ = XShmSegmentInfo{};
}

cairo_surface_t* X11BackBuffer::Surface(int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  if (surface_ && image_ && image_->width == width && image_->height == height) return surface_;
  Release();
  if (tryShm_ && CreateShm(width, height) && WrapInSurface(width, height)) return surface_;
  Release();
  tryShm_ = false;  // a server that refused once refuses again
  if (CreatePlain(width, height) && WrapInSurface(width, height)) return surface_;
  Release();
  return nullptr;
}

bool X11BackBuffer::CreateShm(int width, int height) {
  image_ = XShmCreateImage(display_, visual_, depth_, ZPixmap, nullptr, &shm_, width, height);
  if (!image_) return false;
  size_t bytes = static_cast<size_t>(image_->bytes_per_line) * height;
  shm_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (shm_.shmid < 0) return false;
  shm_.shmaddr = image_->data = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
  if (shm_.shmaddr == reinterpret_cast<char*>(-1)) {
    shmctl(shm_.shmid, IPC_RMID, nullptr);
    image_->data = nullptr;
    return false;
  }
  shm_.readOnly = False;
  // The attach fails asynchronously (remote server, no access to the
  // segment); only a round trip under the trap tells.
  bool failed;
  {
    X11ErrorTrap trap(display_);
    XShmAttach(display_, &shm_);
    failed = trap.Failed();
  }
  // Marked for removal now: it goes away with its last user, even if we crash.
  shmctl(shm_.shmid, IPC_RMID, nullptr);
  if (failed) {
    shmdt(shm_.shmaddr);
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  shmAttached_ = true;
  image_->byte_order = HostByteOrder();
  return true;
}

bool X11BackBuffer::CreatePlain(int width, int height) {
  int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
  char* data = static_cast<char*>(std::calloc(static_cast<size_t>(stride), height));
  if (!data) return false;
  image_ = XCreateImage(display_, visual_, depth_, ZPixmap, 0, data, width, height, 32, stride);
  if (!image_) {
    std::free(data);
    return false;
  }
  // Xlib converts to the server's byte order while sending.
  image_->byte_order = HostByteOrder();
  return true;
}

bool X11BackBuffer::WrapInSurface(int width, int height) {
  if (!image_ || image_->bits_per_pixel != 32 ||
      image_->bytes_per_line != cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width))
    return false;
  surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(image_->data),
                                                 CAIRO_FORMAT_ARGB32, width, height, image_->bytes_per_line);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    return false;
  }
  return true;
}

void X11BackBuffer::Push(Drawable drawable, GC gc, const WinRect& rect) {
  if (!surface_ || !image_) return;
  WinRect r = WinRect::Intersect(rect, WinRect{0, 0, image_->width, image_->height});
  if (r.IsEmpty()) return;
  cairo_surface_flush(surface_);
  if (shmAttached_) {
    XShmPutImage(display_, drawable, gc, image_, r.left, r.top, r.left, r.top, r.Width(), r.Height(), False);
    // The server reads the segment after the request arrives; the round trip
    // guarantees it is done before the next frame is drawn over it.
    XSync(display_, False);
  } else {
    XPutImage(display_, drawable, gc, image_, r.left, r.top, r.left, r.top, r.Width(), r.Height());
    XFlush(display_);
  }
}

}  // namespace vr
