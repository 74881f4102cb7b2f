#include "ui/UIGif.h"

#include <cstdio>

#include "ui/GifAnimation.h"
#include "ui/IUIContainer.h"
#include "ui/SkinBitmap.h"
#include "ui/UIAttr.h"
#include "ui/UIGraphics.h"
#include "ui/UIResLoader.h"

namespace vr {

namespace {

const SteadyLoopTime kSteadyTime;

bool IsFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '0' || c == '#'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIntConversion(char c) {
  return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X' || c == 'o';
}

void DrawSurfaceCentred(UIGraphics& g, cairo_surface_t* s, int width, int height) {
  const int w = cairo_image_surface_get_width(s);
  const int h = cairo_image_surface_get_height(s);
  cairo_t* cr = g.Cairo();
  cairo_save(cr);
  cairo_set_source_surface(cr, s, (width - w) / 2, (height - h) / 2);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

UIGif::UIGif() : time_(&kSteadyTime) {}

UIGif::~UIGif() = default;

bool UIGif::FormatFramePath(const std::string& pattern, long long value, std::string* out) {
  std::string result;
  bool converted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      result += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      result += '%';
      ++i;
      continue;
    }
    // %[flags][width][.precision][length]conversion, rebuilt from checked parts.
    std::string spec = "%";
    size_t j = i + 1;
    while (j < pattern.size() && IsFlag(pattern[j])) spec += pattern[j++];
    size_t digits = 0;
    while (j < pattern.size() && IsDigit(pattern[j]) && digits < 3) spec += pattern[j++], ++digits;
    if (j < pattern.size() && pattern[j] == '.') {
      spec += pattern[j++];
      digits = 0;
      while (j < pattern.size() && IsDigit(pattern[j]) && digits < 3) spec += pattern[j++], ++digits;
    }
    while (j < pattern.size() && (pattern[j] == 'h' || pattern[j] == 'l' || pattern[j] == 'z')) ++j;
    if (j >= pattern.size() || !IsIntConversion(pattern[j]) || converted) return false;
    spec += "ll";
    spec += pattern[j];
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, spec.c_str(), value);
    result += buffer;
    converted = true;
    i = j;
  }
  if (result.size() > kMaxPathBytes) result.resize(kMaxPathBytes);
  *out = std::move(result);
  return true;
}

void UIGif::SetFrames(const std::string& gifValue) {
  paths_.clear();
  animation_.reset();
  index_ = 0;
  const auto parts = SplitAttr(gifValue, '|');
  if (parts.size() != 3) return;
  const long long first = ParseAttrInt(parts[0]);
  const long long last = ParseAttrInt(parts[1]);
  const std::string pattern(parts[2]);
  std::vector<std::string> paths;
  for (long long i = first; i <= last && static_cast<int>(paths.size()) < kMaxFrames; ++i) {
    std::string path;
    if (!FormatFramePath(pattern, i, &path)) return;
    paths.push_back(std::move(path));
  }
  paths_ = std::move(paths);
  if (paths_.size() == 1) {
    if (UIResLoader* loader = GetResLoader()) animation_ = GifAnimation::Decode(loader->GetData(paths_[0]));
  }
  Invalidate(nullptr);
}

int UIGif::FrameCount() const {
  return animation_ ? static_cast<int>(animation_->Frames().size()) : static_cast<int>(paths_.size());
}

int UIGif::CurrentDelayMs() const {
  if (!animation_) return kFrameIntervalMs;
  const auto& frames = animation_->Frames();
  const int delay = index_ < static_cast<int>(frames.size()) ? frames[index_].delayMs : 0;
  return delay > kFrameIntervalMs ? delay : kFrameIntervalMs;
}

bool UIGif::ShownOnScreen() const { return IsVisibleSelf() && !IsHidden(); }

bool UIGif::Advance() {
  const int count = FrameCount();
  if (count == 0 || !ShownOnScreen()) return false;
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(time_->Now() - lastChange_).count();
  if (elapsed <= CurrentDelayMs()) return false;
  index_ = (index_ + 1) % count;
  Invalidate(nullptr);
  return true;
}

void UIGif::Start() {
  running_ = true;
  SetControlTimer(kTimerIndex, kTimerMs);
  if (autoShowHide_) SetVisible(true, true);
  Invalidate(nullptr);
}

void UIGif::Stop() {
  running_ = false;
  KillControlTimer(kTimerIndex);
  if (autoShowHide_) SetVisible(false, true);
  Invalidate(nullptr);
}

bool UIGif::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "gif") {
    SetFrames(value);
  } else if (name == "startgif") {
    Start();
  } else if (name == "stopgif") {
    Stop();
  } else if (name == "fresh") {
    Advance();
  } else if (name == "autoshowhide") {
    autoShowHide_ = value == "true";
  }
  return UIControl::SetAttribute(name, value);
}

bool UIGif::HandleMessage(uint32_t msg, uintptr_t wparam, intptr_t lparam, intptr_t* result) {
  if (msg == uimsg::kTimer && wparam == kTimerIndex) {
    SetHandled(true);
    Advance();
    return true;
  }
  if (msg == uimsg::kDestroy) {
    // No timer outlives the control's place in a window.
    running_ = false;
    KillControlTimer(kTimerIndex);
  }
  return UIControl::HandleMessage(msg, wparam, lparam, result);
}

void UIGif::Paint(UIGraphics& g) {
  UIControl::Paint(g);
  lastChange_ = time_->Now();
  if (index_ >= FrameCount()) return;
  if (animation_) {
    DrawSurfaceCentred(g, animation_->Frames()[index_].surface, Width(), Height());
    return;
  }
  UIResLoader* loader = GetResLoader();
  SkinBitmap* frame = loader ? loader->GetImage(paths_[index_]) : nullptr;
  if (frame && frame->Ok()) DrawSurfaceCentred(g, frame->Surface(), Width(), Height());
}

}  // namespace vr
