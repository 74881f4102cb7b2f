#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/DispatchLoop.h"
#include "ui/UIControl.h"

namespace vr {

class GifAnimation;

// A frame animation. `gif` = "first|last|pattern" lists the frames
// pattern % first ... pattern % last (pack image paths); a single frame path
// that names an animated GIF plays that GIF's frames with their own delays.
// Control timer 3 (every 10 ms) moves to the next frame once the frame
// interval has passed since the last paint.
class UIGif : public UIControl {
 public:
  static constexpr int kTimerIndex = 3;
  static constexpr uint32_t kTimerMs = 10;
  static constexpr int kFrameIntervalMs = 30;
  // Frames beyond this many are not listed, whatever range a document gives.
  static constexpr int kMaxFrames = 1000;
  // The longest frame path a pattern may produce, in bytes.
  static constexpr size_t kMaxPathBytes = 260;

  UIGif();

  // --- Playing ---
  void Start();
  void Stop();
  // Moves to the next frame when the control is visible and the current
  // frame has been shown long enough; returns whether it moved.
  bool Advance();
  bool Running() const { return running_; }

  // --- Frames ---
  // Parses a `gif` value; a malformed one leaves the list empty.
  void SetFrames(const std::string& gifValue);
  const std::vector<std::string>& FramePaths() const { return paths_; }
  int FrameCount() const;
  int FrameIndex() const { return index_; }
  bool PlaysGifFile() const { return animation_ != nullptr; }

  // The time source; the loop's steady time unless a test gives another.
  void SetLoopTime(const LoopTime* time) { time_ = time; }

  // --- UIControl ---
  bool HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) override;
  const char* ClassName() const override { return "UIGif"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  void Paint(UIGraphics& g) override;

  // Formats a frame path from a printf-style pattern with one integer. Only
  // %% and one integer conversion (d, i, u, x, X, o with flags, width and
  // precision) are accepted; anything else yields false, since the pattern
  // comes from a document and must never reach printf as it stands.
  static bool FormatFramePath(const std::string& pattern, long long value, std::string* out);

 protected:
  ~UIGif() override;

 private:
  int CurrentDelayMs() const;
  bool ShownOnScreen() const;

  std::vector<std::string> paths_;
  std::unique_ptr<GifAnimation> animation_;
  int index_ = 0;
  LoopTime::TimePoint lastChange_{};
  const LoopTime* time_;
  bool autoShowHide_ = false;
  bool running_ = false;
};

}  // namespace vr
