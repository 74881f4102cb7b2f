#include "ui/GifAnimation.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/SkinBitmap.h"

namespace vr {

namespace {

// gdk-pixbuf reports delays in milliseconds; players treat tiny delays as
// "as fast as sensible" rather than zero.
constexpr int kMinDelayMs = 10;

struct GObjectDeleter {
  void operator()(gpointer p) const {
    if (p) g_object_unref(p);
  }
};

// Skips a chain of GIF data sub-blocks starting at `pos`; npos when truncated.
size_t SkipSubBlocks(std::span<const uint8_t> b, size_t pos) {
  while (pos < b.size()) {
    const size_t len = b[pos];
    ++pos;
    if (len == 0) return pos;
    pos += len;
  }
  return std::string::npos;
}

}  // namespace

int GifAnimation::CountFrames(std::span<const uint8_t> b) {
  // Header (6) and logical screen descriptor (7).
  if (b.size() < 13 || (std::memcmp(b.data(), "GIF87a", 6) != 0 && std::memcmp(b.data(), "GIF89a", 6) != 0)) {
    return 0;
  }
  size_t pos = 13;
  if (b[10] & 0x80) pos += 3u * (1u << ((b[10] & 0x07) + 1));  // global colour table
  int frames = 0;
  while (pos < b.size()) {
    const uint8_t tag = b[pos];
    if (tag == 0x3B) return frames;  // trailer
    if (tag == 0x21) {               // extension: label, then sub-blocks
      if (pos + 2 > b.size()) return 0;
      pos = SkipSubBlocks(b, pos + 2);
    } else if (tag == 0x2C) {  // image descriptor (10 bytes with the tag)
      if (pos + 10 > b.size()) return 0;
      const uint8_t packed = b[pos + 9];
      pos += 10;
      if (packed & 0x80) pos += 3u * (1u << ((packed & 0x07) + 1));  // local colour table
      pos = SkipSubBlocks(b, pos + 1);  // after the LZW minimum code size
      ++frames;
    } else {
      return 0;
    }
    if (pos == std::string::npos) return 0;
  }
  // A stream cut off after whole frames still plays what it has.
  return frames;
}

std::unique_ptr<GifAnimation> GifAnimation::Decode(std::span<const uint8_t> bytes) {
  const int count = CountFrames(bytes);
  if (count < 2 || count > kMaxFrames) return nullptr;
  // The logical screen size from the header bounds every frame before any
  // pixel memory is taken.
  const long long screen = static_cast<long long>(bytes[6] | (bytes[7] << 8)) * (bytes[8] | (bytes[9] << 8));
  if (screen * count > kMaxTotalPixels) return nullptr;
  std::unique_ptr<GdkPixbufLoader, GObjectDeleter> loader(gdk_pixbuf_loader_new_with_type("gif", nullptr));
  if (!loader) return nullptr;
  GError* error = nullptr;
  const bool written = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &error);
  if (error) g_error_free(error);
  error = nullptr;
  const bool closed = gdk_pixbuf_loader_close(loader.get(), &error);
  if (error) g_error_free(error);
  if (!written || !closed) return nullptr;
  GdkPixbufAnimation* anim = gdk_pixbuf_loader_get_animation(loader.get());  // owned by the loader
  if (!anim || gdk_pixbuf_animation_is_static_image(anim)) return nullptr;
  const long long pixels =
      static_cast<long long>(gdk_pixbuf_animation_get_width(anim)) * gdk_pixbuf_animation_get_height(anim);
  if (pixels <= 0 || pixels * count > kMaxTotalPixels) return nullptr;

  // The iterator is driven with a synthetic time that moves by each frame's
  // own delay, so it steps exactly one frame per advance.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  GTimeVal t{0, 0};
  std::unique_ptr<GdkPixbufAnimationIter, GObjectDeleter> iter(gdk_pixbuf_animation_get_iter(anim, &t));
  std::unique_ptr<GifAnimation> out(new GifAnimation());
  for (int i = 0; i < count && iter; ++i) {
    cairo_surface_t* s = SurfaceFromPixbuf(gdk_pixbuf_animation_iter_get_pixbuf(iter.get()));
    if (!s) return nullptr;
    const int delay = gdk_pixbuf_animation_iter_get_delay_time(iter.get());
    out->frames_.push_back(Frame{s, std::max(delay, kMinDelayMs)});
    if (delay < 0) break;  // the last frame of an animation that does not loop
    g_time_val_add(&t, static_cast<glong>(std::max(delay, kMinDelayMs)) * 1000);
    gdk_pixbuf_animation_iter_advance(iter.get(), &t);
  }
  G_GNUC_END_IGNORE_DEPRECATIONS
  if (out->frames_.size() < 2) return nullptr;
  return out;
}

GifAnimation::~GifAnimation() {
  for (Frame& f : frames_) cairo_surface_destroy(f.surface);
}

int GifAnimation::Width() const {
  return frames_.empty() ? 0 : cairo_image_surface_get_width(frames_.front().surface);
}
int GifAnimation::Height() const {
  return frames_.empty() ? 0 : cairo_image_surface_get_height(frames_.front().surface);
}

}  // namespace vr
