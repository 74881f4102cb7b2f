#pragma once
#include <cstdint>

namespace vr {

// Window-level message codes beyond those controls handle (UIMessages.h).
// Like those, they keep the Win32 numbers: the host window logic is written
// against their semantics.
namespace wndmsg {
inline constexpr uint32_t kMove = 3;
inline constexpr uint32_t kClose = 16;
inline constexpr uint32_t kEraseBkgnd = 20;
inline constexpr uint32_t kNcDestroy = 130;
inline constexpr uint32_t kNcHitTest = 132;
inline constexpr uint32_t kNcActivate = 134;
inline constexpr uint32_t kImeStartComposition = 269;
inline constexpr uint32_t kImeComposition = 271;
inline constexpr uint32_t kMButtonDblClk = 521;
inline constexpr uint32_t kExitSizeMove = 562;
inline constexpr uint32_t kImeChar = 646;

// WM_NCHITTEST answers.
inline constexpr intptr_t kHitClient = 1;
inline constexpr intptr_t kHitCaption = 2;

// WM_ACTIVATE wparam.
inline constexpr uintptr_t kInactive = 0;
inline constexpr uintptr_t kActive = 1;

// WM_SETCURSOR hit code (high word of lparam on Windows; here the wparam).
inline constexpr uintptr_t kSetCursorClient = 1;

// Key message lparam bit: the key was already down (auto-repeat).
inline constexpr intptr_t kKeyRepeatBit = intptr_t{1} << 30;
}  // namespace wndmsg

// GetDlgCode bits: which keys a focused control wants for itself.
namespace dlgcode {
inline constexpr int kWantTab = 0x2;       // Tab reaches the control instead of moving focus
inline constexpr int kWantSysKeys = 0x4;   // Alt combinations reach the control
}  // namespace dlgcode

}  // namespace vr
