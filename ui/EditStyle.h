#pragma once
#include <cstdint>
#include <string_view>

namespace vr {

// Style bits of the edit engine, with the values of the standard edit control.
namespace es {
inline constexpr uint32_t kCenter = 0x1;
inline constexpr uint32_t kRight = 0x2;
inline constexpr uint32_t kMultiline = 0x4;
inline constexpr uint32_t kUppercase = 0x8;
inline constexpr uint32_t kLowercase = 0x10;
inline constexpr uint32_t kPassword = 0x20;
inline constexpr uint32_t kAutoVScroll = 0x40;
inline constexpr uint32_t kAutoHScroll = 0x80;
inline constexpr uint32_t kNoHideSel = 0x100;
inline constexpr uint32_t kOemConvert = 0x400;
inline constexpr uint32_t kReadOnly = 0x800;
inline constexpr uint32_t kWantReturn = 0x1000;
inline constexpr uint32_t kNumber = 0x2000;
}  // namespace es

// Notification codes raised as "edit_notify" value1.
namespace en {
inline constexpr int kSetFocus = 0x100;
inline constexpr int kKillFocus = 0x200;
inline constexpr int kChange = 0x300;
inline constexpr int kUpdate = 0x400;
inline constexpr int kErrSpace = 0x500;
inline constexpr int kMaxText = 0x501;
inline constexpr int kHScroll = 0x601;
inline constexpr int kVScroll = 0x602;
inline constexpr int kReturn = 13;  // Enter in an edit that does not take it
}  // namespace en

// The `editstyle` attribute: the sum of every style name that occurs anywhere
// in the value (substring search, each name counted once). Unknown words add
// nothing, so any text gives a valid style.
uint32_t ParseEditStyle(std::string_view value);

}  // namespace vr
