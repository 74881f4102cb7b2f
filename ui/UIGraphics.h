#pragma once
#include <cairo.h>

#include "ui/UIGeometry.h"

namespace vr {

// The drawing context renderers paint with: a Cairo context on the window's
// back buffer (an ARGB32 image surface). Holds its own reference on the
// context. Renderers may Save/Restore but must leave it as they found it.
class UIGraphics {
 public:
  explicit UIGraphics(cairo_t* cr) : cr_(cairo_reference(cr)) {}
  // A context on an image surface (the back buffer, or an offscreen bitmap).
  explicit UIGraphics(cairo_surface_t* surface) : cr_(cairo_create(surface)) {}
  ~UIGraphics() { cairo_destroy(cr_); }
  UIGraphics(const UIGraphics&) = delete;
  UIGraphics& operator=(const UIGraphics&) = delete;

  cairo_t* Cairo() const { return cr_; }
  void Save() { cairo_save(cr_); }
  void Restore() { cairo_restore(cr_); }
  void Translate(int dx, int dy) { cairo_translate(cr_, dx, dy); }
  // Current clip bounds in user (control) coordinates, rounded outwards.
  UIRect ClipBounds() const;
  void IntersectClip(const UIRect& r);
  // Intersects the clip with the rounded rectangle (0, 0, w, h, radius).
  void ClipRoundRect(int w, int h, int radius);

 private:
  cairo_t* cr_;
};

// The rounded-rectangle path (x, y, w, h, r): four quarter arcs in 2r x 2r
// boxes joined by straight edges, the same path for fills, outlines and clips.
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

}  // namespace vr
