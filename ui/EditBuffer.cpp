#include "ui/EditBuffer.h"

#include <glib.h>

#include <algorithm>

namespace vr {

std::u32string EditBuffer::Slice(size_t from, size_t to) const {
  from = Clamp(from);
  to = Clamp(to);
  if (to <= from) return {};
  return text_.substr(from, to - from);
}

std::u32string EditBuffer::Replace(size_t from, size_t to, std::u32string_view with) {
  from = Clamp(from);
  to = std::max(from, Clamp(to));
  std::u32string removed = text_.substr(from, to - from);
  text_.replace(from, to - from, with);
  return removed;
}

size_t EditBuffer::LineCount() const {
  return 1 + static_cast<size_t>(std::count(text_.begin(), text_.end(), U'\n'));
}

size_t EditBuffer::LineFromPos(size_t pos) const {
  pos = Clamp(pos);
  return static_cast<size_t>(std::count(text_.begin(), text_.begin() + static_cast<ptrdiff_t>(pos), U'\n'));
}

size_t EditBuffer::LineStart(size_t line) const {
  size_t pos = 0;
  for (size_t l = 0; l < line; ++l) {
    const size_t nl = text_.find(U'\n', pos);
    if (nl == std::u32string::npos) return text_.size();
    pos = nl + 1;
  }
  return pos;
}

size_t EditBuffer::LineEndFrom(size_t pos) const {
  const size_t nl = text_.find(U'\n', Clamp(pos));
  return nl == std::u32string::npos ? text_.size() : nl;
}

size_t EditBuffer::LineStartFrom(size_t pos) const {
  pos = Clamp(pos);
  if (pos == 0) return 0;
  const size_t nl = text_.rfind(U'\n', pos - 1);
  return nl == std::u32string::npos ? 0 : nl + 1;
}

EditBuffer::CharClass EditBuffer::ClassOf(char32_t cp) {
  if (cp == U'\n') return CharClass::kBreak;
  if (cp == U' ' || cp == U'\t' || cp == 0x3000 || g_unichar_isspace(cp)) return CharClass::kSpace;
  // Marks stay with the letter they combine with.
  if (g_unichar_isalnum(cp) || g_unichar_ismark(cp) || cp == U'_') return CharClass::kWord;
  return CharClass::kOther;
}

void EditBuffer::WordAt(size_t pos, size_t* from, size_t* to) const {
  pos = Clamp(pos);
  const size_t n = text_.size();
  if (n == 0) {
    *from = *to = 0;
    return;
  }
  // At the end of the text or before a line break, take the run before pos.
  size_t probe = pos;
  if (probe == n || (text_[probe] == U'\n' && probe > 0 && text_[probe - 1] != U'\n')) {
    if (probe > 0) --probe;
  }
  const CharClass c = ClassOf(text_[probe]);
  if (c == CharClass::kBreak) {
    *from = probe;
    *to = probe + 1;
    return;
  }
  size_t a = probe, b = probe + 1;
  while (a > 0 && ClassOf(text_[a - 1]) == c) --a;
  while (b < n && ClassOf(text_[b]) == c) ++b;
  *from = a;
  *to = b;
}

size_t EditBuffer::PrevWordStart(size_t pos) const {
  pos = Clamp(pos);
  if (pos == 0) return 0;
  size_t p = pos - 1;
  while (p > 0 && ClassOf(text_[p]) == CharClass::kSpace) --p;
  const CharClass c = ClassOf(text_[p]);
  if (c == CharClass::kBreak) return p;
  while (p > 0 && ClassOf(text_[p - 1]) == c) --p;
  return p;
}

size_t EditBuffer::NextWordStart(size_t pos) const {
  pos = Clamp(pos);
  const size_t n = text_.size();
  if (pos >= n) return n;
  size_t p = pos;
  const CharClass c = ClassOf(text_[p]);
  if (c == CharClass::kBreak) {
    ++p;
  } else {
    while (p < n && ClassOf(text_[p]) == c) ++p;
  }
  while (p < n && ClassOf(text_[p]) == CharClass::kSpace) ++p;
  return p;
}

}  // namespace vr
