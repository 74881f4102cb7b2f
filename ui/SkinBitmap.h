#pragma once
#include <cairo.h>

#include <cstdint>
#include <span>

namespace vr {

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
