#include "ui/SkinBitmap.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>

namespace vr {

namespace {

// Larger images are refused: nothing in the pack comes near, and a forged
// header must not make us allocate gigabytes.
constexpr int kMaxSide = 8192;

struct PixbufLoaderDeleter {
  void operator()(GdkPixbufLoader* l) const { g_object_unref(l); }
};

}  // namespace

cairo_surface_t* SurfaceFromPixbuf(const GdkPixbuf* pixbuf) {
  if (!pixbuf) return nullptr;
  const int w = gdk_pixbuf_get_width(pixbuf);
  const int h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 ||
      (channels != 3 && channels != 4)) {
    return nullptr;
  }
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  cairo_surface_flush(s);
  const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
  const int srcStride = gdk_pixbuf_get_rowstride(pixbuf);
  unsigned char* dst = cairo_image_surface_get_data(s);
  const int dstStride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < h; ++y) {
    const guchar* in = src + static_cast<size_t>(y) * srcStride;
    auto* out = reinterpret_cast<uint32_t*>(dst + static_cast<size_t>(y) * dstStride);
    for (int x = 0; x < w; ++x, in += channels) {
      const uint32_t a = channels == 4 ? in[3] : 255;
      // Cairo wants premultiplied alpha; the +127 rounds to nearest.
      const uint32_t r = (in[0] * a + 127) / 255;
      const uint32_t g = (in[1] * a + 127) / 255;
      const uint32_t b = (in[2] * a + 127) / 255;
      out[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

namespace {

// Called once the decoder knows the image size, before it allocates pixels:
// an oversized image is decoded at 1 x 1 instead and refused afterwards.
void OnSizePrepared(GdkPixbufLoader* loader, int w, int h, gpointer tooLarge) {
  if (w > kMaxSide || h > kMaxSide) {
    *static_cast<bool*>(tooLarge) = true;
    gdk_pixbuf_loader_set_size(loader, 1, 1);
  }
}

}  // namespace

SkinBitmap::SkinBitmap(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  std::unique_ptr<GdkPixbufLoader, PixbufLoaderDeleter> loader(gdk_pixbuf_loader_new());
  bool tooLarge = false;
  g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(OnSizePrepared), &tooLarge);
  GError* error = nullptr;
  const bool written = gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &error);
  if (error) g_error_free(error);
  error = nullptr;
  const bool closed = gdk_pixbuf_loader_close(loader.get(), &error);
  if (error) g_error_free(error);
  if (!written || !closed || tooLarge) return;
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());  // owned by the loader
  surface_ = SurfaceFromPixbuf(pixbuf);
}

SkinBitmap::~SkinBitmap() {
  if (surface_) cairo_surface_destroy(surface_);
}

int SkinBitmap::Width() const { return surface_ ? cairo_image_surface_get_width(surface_) : 0; }
int SkinBitmap::Height() const { return surface_ ? cairo_image_surface_get_height(surface_) : 0; }

}  // namespace vr
