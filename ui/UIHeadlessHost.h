#pragma once
#include <cairo.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/FontCache.h"
#include "ui/IUIContainer.h"
#include "ui/UIControl.h"

namespace vr {

// A window without a window: the root control of a tree plus the host
// interface, painting into an ARGB32 back buffer in memory. Tests drive it
// (timers fire when told, events are recorded) and offscreen rendering uses it.
class UIHeadlessHost : public UIControl, public IUIContainer {
 public:
  static UIRefPtr<UIHeadlessHost> Create(int width, int height);

  // --- IUIContainer ---
  uintptr_t GetHWND() const override { return hwnd_; }
  int GetFocusId() const override { return focus_; }
  void SetFocusId(int serial) override;
  int GetCaptureId() const override { return capture_; }
  int SetCaptureId(int serial) override;
  void ReleaseCaptureId() override { capture_ = 0; }
  int GetHoverId() const override { return hover_; }
  int RaiseEvent(UIControl* sender, const std::string& name, int value1, int value2) override;
  void SetHostTimer(uint32_t id, uint32_t milliseconds) override { timers_[id] = milliseconds; }
  void KillHostTimer(uint32_t id) override { timers_.erase(id); }
  UIPoint ClientToScreen(UIPoint p) const override { return UIPoint{p.x + origin_.x, p.y + origin_.y}; }
  void SetSystemCursor(int cursorId) override { cursor_ = cursorId; }
  UIFont* GetFont(const std::string& spec) override { return fonts_.Get(spec); }

  // --- UIControl ---
  const char* ClassName() const override { return "UIHeadlessHost"; }
  void Invalidate(const UIRect* rect) override;

  // --- Driving it ---
  // Builds a layout document under the root, sizes the window to the built
  // root and gives the root and its first child the whole window.
  UIControl* LoadDocument(const std::string& path);
  void Resize(int width, int height);
  // Paints the accumulated invalid area (everything after a resize) and
  // returns it; an empty result means nothing was painted.
  UIRect Render();
  void RenderAll();
  // Delivers a native timer tick as a window would; a control timer whose
  // control is gone is killed instead.
  void FireTimer(uint32_t id);
  virtual void OnTimer(int index);

  void SetHwnd(uintptr_t hwnd) { hwnd_ = hwnd; }
  void SetOrigin(UIPoint origin) { origin_ = origin; }
  void SetHoverId(int serial) { hover_ = serial; }
  // Called for every event that reaches the window; returns its answer.
  void SetNotifyHandler(std::function<int(const UIEvent&)> handler) { notify_ = std::move(handler); }

  cairo_surface_t* BackBuffer() const { return back_; }
  uint32_t PixelAt(int x, int y) const;  // premultiplied ARGB
  bool SavePng(const std::string& path) const;
  const UIRect& InvalidRect() const { return invalid_; }
  const std::vector<UIEvent>& Events() const { return events_; }
  const std::map<uint32_t, uint32_t>& Timers() const { return timers_; }
  int SystemCursor() const { return cursor_; }
  FontCache& Fonts() { return fonts_; }

 protected:
  UIHeadlessHost(int width, int height);
  ~UIHeadlessHost() override;

 private:
  void MakeBackBuffer(int width, int height);

  uintptr_t hwnd_ = 1;  // any nonzero value: "the window exists"
  UIPoint origin_;
  int focus_ = 0;
  int capture_ = 0;
  int hover_ = 0;
  int cursor_ = 0;
  std::map<uint32_t, uint32_t> timers_;  // id -> period in milliseconds
  std::vector<UIEvent> events_;
  std::function<int(const UIEvent&)> notify_;
  FontCache fonts_;
  cairo_surface_t* back_ = nullptr;
  UIRect invalid_;
};

}  // namespace vr
