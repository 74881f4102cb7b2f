#pragma once
#include <cstdint>

namespace vr {

// Framework message codes. They keep the Win32 message numbers so that the
// layout logic and the host windows agree with the numbers used everywhere
// in the control classes.
namespace uimsg {
inline constexpr uint32_t kNull = 0;
inline constexpr uint32_t kCreate = 1;
inline constexpr uint32_t kDestroy = 2;
inline constexpr uint32_t kSize = 5;
inline constexpr uint32_t kActivate = 6;
inline constexpr uint32_t kSetFocus = 7;
inline constexpr uint32_t kKillFocus = 8;
inline constexpr uint32_t kEnable = 10;
inline constexpr uint32_t kSetText = 12;
inline constexpr uint32_t kPaint = 15;
inline constexpr uint32_t kShowWindow = 24;
inline constexpr uint32_t kActivateApp = 28;
inline constexpr uint32_t kSetCursor = 32;
inline constexpr uint32_t kKeyDown = 256;
inline constexpr uint32_t kKeyUp = 257;
inline constexpr uint32_t kChar = 258;
inline constexpr uint32_t kSysKeyDown = 260;
inline constexpr uint32_t kSysKeyUp = 261;
inline constexpr uint32_t kTimer = 275;
inline constexpr uint32_t kMouseMove = 512;
inline constexpr uint32_t kLButtonDown = 513;
inline constexpr uint32_t kLButtonUp = 514;
inline constexpr uint32_t kLButtonDblClk = 515;
inline constexpr uint32_t kRButtonDown = 516;
inline constexpr uint32_t kRButtonUp = 517;
inline constexpr uint32_t kRButtonDblClk = 518;
inline constexpr uint32_t kMButtonDown = 519;
inline constexpr uint32_t kMButtonUp = 520;
inline constexpr uint32_t kMouseWheel = 522;
inline constexpr uint32_t kMouseHWheel = 526;
inline constexpr uint32_t kCaptureChanged = 533;
inline constexpr uint32_t kMouseHover = 673;
inline constexpr uint32_t kMouseLeave = 675;
}  // namespace uimsg

// System cursor ids a control may ask its host for.
namespace uicursor {
inline constexpr int kArrow = 32512;
inline constexpr int kWait = 32514;
inline constexpr int kCross = 32515;
inline constexpr int kHand = 32649;
}  // namespace uicursor

// lparam packing of positions and sizes: low 16 bits x (or width), high 16
// bits y (or height), each sign-extended when read back.
inline intptr_t MakeLParam(int low, int high) {
  return static_cast<intptr_t>((static_cast<uint32_t>(high & 0xFFFF) << 16) |
                               static_cast<uint32_t>(low & 0xFFFF));
}
inline int LParamLow(intptr_t lp) { return static_cast<int16_t>(lp & 0xFFFF); }
inline int LParamHigh(intptr_t lp) { return static_cast<int16_t>((lp >> 16) & 0xFFFF); }

}  // namespace vr
