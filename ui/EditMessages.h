#pragma once
#include <cstdint>

namespace vr {

// The messages an application sends to an edit control, with the numbers of
// the standard edit control. Text crosses as UTF-8: a text pointer is a
// `const char*` (zero-terminated), a buffer size is in bytes; character
// positions and limits count code points.
namespace editmsg {
inline constexpr uint32_t kGetText = 13;        // wparam buffer size (bytes), lparam char*; bytes copied
inline constexpr uint32_t kGetTextLength = 14;  // UTF-8 bytes, without the terminator
inline constexpr uint32_t kSetFont = 48;        // ignored: the edit keeps its "14" font

inline constexpr uint32_t kGetSel = 176;  // wparam/lparam uint32_t* or 0; (end << 16) | start, -1 past 0xFFFF
inline constexpr uint32_t kSetSel = 177;  // wparam start (-1: deselect), lparam end (-1: the end)
inline constexpr uint32_t kScrollCaret = 183;
inline constexpr uint32_t kGetModify = 184;
inline constexpr uint32_t kSetModify = 185;  // wparam flag
inline constexpr uint32_t kGetLineCount = 186;
inline constexpr uint32_t kLineIndex = 187;    // wparam display line (-1: the caret's); its first position or -1
inline constexpr uint32_t kLineLength = 193;   // wparam position (-1: the caret's); length of its line
inline constexpr uint32_t kReplaceSel = 194;   // wparam can undo, lparam text
inline constexpr uint32_t kGetLine = 196;      // wparam line, lparam buffer whose first two bytes hold its size
inline constexpr uint32_t kLimitText = 197;    // wparam limit in code points, 0 = largest
inline constexpr uint32_t kCanUndo = 198;
inline constexpr uint32_t kUndo = 199;
inline constexpr uint32_t kLineFromChar = 201;  // wparam position (-1: the caret's)
inline constexpr uint32_t kSetPasswordChar = 204;  // wparam code point, 0 = none
inline constexpr uint32_t kEmptyUndoBuffer = 205;
inline constexpr uint32_t kGetFirstVisibleLine = 206;
inline constexpr uint32_t kSetReadOnly = 207;  // wparam flag
inline constexpr uint32_t kGetPasswordChar = 210;
inline constexpr uint32_t kGetLimitText = 213;
inline constexpr uint32_t kPosFromChar = 214;  // wparam position; (y << 16) | x in control pixels
inline constexpr uint32_t kCharFromPos = 215;  // lparam (y << 16) | x; (line << 16) | position
inline constexpr uint32_t kFirst = 176;
inline constexpr uint32_t kLast = 215;

inline constexpr uint32_t kCut = 0x300;
inline constexpr uint32_t kCopy = 0x301;
inline constexpr uint32_t kPaste = 0x302;
inline constexpr uint32_t kClear = 0x303;
inline constexpr uint32_t kWmUndo = 0x304;

inline constexpr uint32_t kImeChar = 646;  // a character committed by the input method
}  // namespace editmsg

}  // namespace vr
