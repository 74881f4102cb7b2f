#pragma once
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vr {

// The frames of an animated GIF, decoded once with gdk-pixbuf's animation
// API: each frame composited at the animation's full size, with its delay.
class GifAnimation {
 public:
  struct Frame {
    cairo_surface_t* surface;  // owned
    int delayMs;               // how long the frame stays; at least 10
  };

  // Null for bytes that are not a GIF with at least two frames, and for
  // animations beyond the frame and pixel limits below.
  static std::unique_ptr<GifAnimation> Decode(std::span<const uint8_t> bytes);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  // Counts the image descriptors of a GIF stream without decoding pixels;
  // 0 when the bytes are not a well-formed GIF up to its last frame.
  static int CountFrames(std::span<const uint8_t> bytes);

  static constexpr int kMaxFrames = 512;
  static constexpr long long kMaxTotalPixels = 16LL * 1024 * 1024;

  const std::vector<Frame>& Frames() const { return frames_; }
  int Width() const;
  int Height() const;

 private:
  GifAnimation() = default;
  std::vector<Frame> frames_;
};

}  // namespace vr
