#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vr {

// The edit engine's text: code points, hard line breaks as U+000A. Positions
// are code-point indices in [0, Length()]; every query clamps its argument,
// so no position can reach outside the text.
class EditBuffer {
 public:
  const std::u32string& Text() const { return text_; }
  size_t Length() const { return text_.size(); }
  size_t Clamp(size_t pos) const { return pos < text_.size() ? pos : text_.size(); }
  std::u32string Slice(size_t from, size_t to) const;

  // Replaces [from, to) by `with`; returns the removed text.
  std::u32string Replace(size_t from, size_t to, std::u32string_view with);
  void Assign(std::u32string text) { text_ = std::move(text); }

  // --- Hard lines (separated by U+000A) ---
  size_t LineCount() const;
  size_t LineFromPos(size_t pos) const;
  // Start of `line`; Length() for a line past the last one.
  size_t LineStart(size_t line) const;
  size_t LineEndFrom(size_t pos) const;    // position of the line's break, or Length()
  size_t LineStartFrom(size_t pos) const;  // first position of the line holding pos

  // --- Words ---
  // Runs of one class (space, word characters, other marks) make a word.
  // The run around pos: [*from, *to). At a boundary the run after pos wins,
  // except at the end of the text or a line.
  void WordAt(size_t pos, size_t* from, size_t* to) const;
  // Ctrl+Left / Ctrl+Right stops: starts of word runs, skipping spaces.
  size_t PrevWordStart(size_t pos) const;
  size_t NextWordStart(size_t pos) const;

  enum class CharClass { kSpace, kWord, kBreak, kOther };
  static CharClass ClassOf(char32_t cp);

 private:
  std::u32string text_;
};

}  // namespace vr
