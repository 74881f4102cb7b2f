#pragma once
// Shared fixture of the basic-control tests: a resource pack made of small
// pictures whose frames have known colours, a headless host, and helpers
// that send the host's mouse messages to a control at window points.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/ResLoaderMgr.h"
#include "ui/ResPack.h"
#include "ui/UIHeadlessHost.h"
#include "ui/UIMessages.h"

namespace vr::controls_test {

// Opaque colours as the back buffer holds them (premultiplied ARGB).
inline constexpr uint32_t kRed = 0xFFFF0000;
inline constexpr uint32_t kGreen = 0xFF00FF00;
inline constexpr uint32_t kBlue = 0xFF0000FF;
inline constexpr uint32_t kYellow = 0xFFFFFF00;
inline constexpr uint32_t kCyan = 0xFF00FFFF;
inline constexpr uint32_t kMagenta = 0xFFFF00FF;
inline constexpr uint32_t kGrey = 0xFF808080;
inline constexpr uint32_t kWhite = 0xFFFFFFFF;

// The frame colours of the test strips, in state order 0..3.
inline const uint32_t kLooks[4] = {kRed, kGreen, kBlue, kYellow};
inline const uint32_t kCheckedLooks[4] = {kCyan, kMagenta, kGrey, kWhite};

// A PNG of `frames` solid blocks of w x h side by side (or stacked).
std::vector<uint8_t> StripPng(int w, int h, const std::vector<uint32_t>& colours, bool stacked = false);
// A solid PNG.
std::vector<uint8_t> SolidPng(int w, int h, uint32_t colour);
// A GIF89a animation of w x h frames, one solid palette colour each
// (index 1 red, 2 green, 3 blue), every frame shown `delayCs` hundredths
// of a second, looping forever.
std::vector<uint8_t> AnimatedGif(int w, int h, const std::vector<int>& colourIndexes, int delayCs);

// The pack every control test uses:
//   img\strip96.png   four 24 x 20 frames side by side (kLooks)
//   img\vstrip.png    four 20 x 10 bands stacked (kLooks)
//   img\ck.png        four 20 x 20 frames (kCheckedLooks), img\unck.png (kLooks)
//   img\thumb.png     four 20 x 16 frames (kLooks): an 80-pixel thumb strip
//   img\red.png, img\green.png, img\blue.png   8 x 8 solids
//   img\f0.png ... img\f3.png                   10 x 10 frames (kLooks)
//   img\anim.gif      four 12 x 12 frames (red, green, blue, red), 50 ms each
std::vector<respack::Entry> TestPack();

// Mouse messages at window client points, sent straight to a control.
inline intptr_t Send(UIControl* c, uint32_t msg, int x, int y, uintptr_t wparam = 0) {
  return c->SendMsg(msg, wparam, MakeLParam(x, y));
}
inline void Down(UIControl* c, int x, int y) { Send(c, uimsg::kLButtonDown, x, y); }
inline void Up(UIControl* c, int x, int y) { Send(c, uimsg::kLButtonUp, x, y); }
inline void Move(UIControl* c, int x, int y) { Send(c, uimsg::kMouseMove, x, y); }
inline void Click(UIControl* c, int x, int y) {
  Down(c, x, y);
  Up(c, x, y);
}

class ControlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Adds a control to the host root, applies attributes in order.
  template <typename T>
  T* Add(const std::vector<std::pair<std::string, std::string>>& attrs, UIControl* parent = nullptr) {
    auto* c = new T();
    (parent ? parent : static_cast<UIControl*>(host_.get()))->AddChild(c);
    for (const auto& [k, v] : attrs) c->SetAttribute(k, v);
    return c;
  }

  // Names of the events that reached the host, in order.
  std::vector<std::string> EventNames() const;
  int CountEvents(const std::string& name) const;

  std::unique_ptr<ResLoaderMgr> loader_;
  UIRefPtr<UIHeadlessHost> host_;
};

}  // namespace vr::controls_test
