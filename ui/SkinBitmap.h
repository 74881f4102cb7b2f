#pragma once
#include <cairo.h>

#include <cstdint>
#include <span>

typedef struct _GdkPixbuf GdkPixbuf;

namespace vr {

// A premultiplied ARGB32 copy of an 8-bit RGB or RGBA pixbuf; null for other
// pixbufs, for sides beyond 8192 pixels and when memory runs out.
cairo_surface_t* SurfaceFromPixbuf(const GdkPixbuf* pixbuf);

// A decoded image from the pack: an ARGB32 (premultiplied) Cairo surface made
// once from PNG or JPEG bytes with gdk-pixbuf. Bytes that do not decode give
// a bitmap without a surface, whose drawing does nothing.
class SkinBitmap {
 public:
  explicit SkinBitmap(std::span<const uint8_t> bytes);
  ~SkinBitmap();
  SkinBitmap(const SkinBitmap&) = delete;
  SkinBitmap& operator=(const SkinBitmap&) = delete;

  cairo_surface_t* Surface() const { return surface_; }
  bool Ok() const { return surface_ != nullptr; }
  int Width() const;
  int Height() const;

 private:
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace vr
