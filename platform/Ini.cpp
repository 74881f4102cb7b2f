#include "platform/Ini.h"

#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <mutex>
#include <optional>
#include <vector>

namespace vr {
namespace {

// Writers read, change and replace the whole file; one at a time per process
// so two keys written from two threads cannot undo each other.
std::mutex gWriteMutex;

constexpr char kBom[] = "\xEF\xBB\xBF";

struct IniLine {
  std::string text;  // without its line break
  std::string eol;   // "\n", "\r\n" or "" for a last line without one
};

struct IniDoc {
  bool bom = false;
  std::vector<IniLine> lines;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n;
    uint32_t cp;
    if (c < 0x80) { ++i; continue; }
    if (c >= 0xC2 && c <= 0xDF) { n = 1; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 2; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 3; cp = c & 0x07; }
    else return false;
    if (i + n >= s.size()) return false;  // truncated sequence
    for (size_t k = 1; k <= n; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) || cp > 0x10FFFF) return false;
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    i += n + 1;
  }
  return true;
}

// The first `maxChars` code points of valid UTF-8 text.
std::string CutCodePoints(const std::string& s, size_t maxChars) {
  size_t count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (count == maxChars) return s.substr(0, i);
      ++count;
    }
  }
  return s;
}

// The whole file, or nothing when it is missing, unreadable or too large.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  std::string data;
  char buf[16384];
  for (;;) {
    ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || data.size() + static_cast<size_t>(n) > kIniMaxFileBytes) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  close(fd);
  return data;
}

// Parses the file into lines; a file that is not text counts as empty.
IniDoc LoadDoc(const std::string& path) {
  IniDoc doc;
  std::optional<std::string> data = ReadWholeFile(path);
  if (!data) return doc;
  std::string& s = *data;
  size_t pos = 0;
  if (s.compare(0, 3, kBom) == 0) {
    doc.bom = true;
    pos = 3;
  }
  if (s.find('\0') != std::string::npos || !IsValidUtf8(s.substr(pos))) return IniDoc{};
  while (pos < s.size()) {
    size_t nl = s.find('\n', pos);
    IniLine line;
    if (nl == std::string::npos) {
      line.text = s.substr(pos);
      pos = s.size();
    } else {
      line.text = s.substr(pos, nl - pos);
      line.eol = "\n";
      pos = nl + 1;
    }
    if (!line.text.empty() && line.text.back() == '\r') {
      line.text.pop_back();
      line.eol = line.eol.empty() ? "\r" : "\r\n";
    }
    doc.lines.push_back(std::move(line));
  }
  return doc;
}

enum class LineKind { kOther, kSection, kEntry };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string name;   // section name or key, trimmed
  std::string value;  // raw value after "=", for entries
};

ParsedLine ParseLine(const std::string& text) {
  ParsedLine p;
  std::string t = Trim(text);
  if (t.empty() || t[0] == ';' || t[0] == '#') return p;
  if (t[0] == '[') {
    size_t close = t.find(']');
    p.kind = LineKind::kSection;
    p.name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return p;
  }
  size_t eq = t.find('=');
  p.kind = LineKind::kEntry;
  p.name = Trim(t.substr(0, eq));
  if (eq != std::string::npos) p.value = t.substr(eq + 1);
  return p;
}

struct Location {
  std::optional<size_t> section;   // line index of the first matching header
  std::optional<size_t> key;       // line index of the first matching entry in it
  size_t lastEntryOrHeader = 0;    // where a new key of the section goes after
};

Location Find(const IniDoc& doc, const std::string& section, const std::string& key) {
  Location loc;
  std::string wantSection = Trim(section), wantKey = Trim(key);
  bool inside = false;
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    ParsedLine p = ParseLine(doc.lines[i].text);
    if (p.kind == LineKind::kSection) {
      if (inside) break;  // only the first matching section counts
      if (SameName(p.name, wantSection)) {
        inside = true;
        loc.section = i;
        loc.lastEntryOrHeader = i;
      }
    } else if (inside && p.kind == LineKind::kEntry) {
      loc.lastEntryOrHeader = i;
      if (!loc.key && SameName(p.name, wantKey)) loc.key = i;
    }
  }
  return loc;
}

std::optional<std::string> FindValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
  IniDoc doc = LoadDoc(path);
  Location loc = Find(doc, section, key);
  if (!loc.key) return std::nullopt;
  std::string v = Trim(ParseLine(doc.lines[*loc.key].text).value);
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) v = v.substr(1, v.size() - 2);
  return CutCodePoints(v, kIniMaxValueChars);
}

std::string Serialize(const IniDoc& doc) {
  std::string out = doc.bom ? kBom : "";
  for (const IniLine& l : doc.lines) out += l.text + l.eol;
  return out;
}

std::string DefaultEol(const IniDoc& doc) {
  for (const IniLine& l : doc.lines)
    if (!l.eol.empty()) return l.eol;
  return "\n";
}

void Apply(IniDoc& doc, const std::string& section, const std::string& key, const std::string& value) {
  Location loc = Find(doc, section, key);
  std::string eol = DefaultEol(doc);
  if (loc.key) {
    IniLine& l = doc.lines[*loc.key];
    l.text = ParseLine(l.text).name + "=" + value;
    return;
  }
  if (!doc.lines.empty() && doc.lines.back().eol.empty()) doc.lines.back().eol = eol;
  if (loc.section) {
    doc.lines.insert(doc.lines.begin() + static_cast<ptrdiff_t>(loc.lastEntryOrHeader + 1),
                     IniLine{Trim(key) + "=" + value, eol});
    return;
  }
  doc.lines.push_back(IniLine{"[" + Trim(section) + "]", eol});
  doc.lines.push_back(IniLine{Trim(key) + "=" + value, eol});
}

// A name that would read back as something else (or break the file's shape).
bool IsWritableName(const std::string& name, const char* forbidden) {
  std::string t = Trim(name);
  if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[') return false;
  return t.find_first_of(forbidden) == std::string::npos;
}

std::string OneLine(const std::string& value) {
  std::string v = value;
  for (char& c : v)
    if (c == '\n' || c == '\r') c = ' ';
  return v;
}

}  // namespace

std::string ReadIniString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& fallback) {
  std::optional<std::string> v = FindValue(path, section, key);
  return v ? *v : fallback;
}

int32_t ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
                   int32_t fallback) {
  std::optional<std::string> v = FindValue(path, section, key);
  if (!v || v->empty()) return fallback;
  const std::string& s = *v;
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  int64_t magnitude = 0;  // saturates just past the int32 range
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
    magnitude = std::min<int64_t>(magnitude * 10 + (s[i] - '0'), int64_t{INT32_MAX} + 1);
  int64_t result = negative ? -magnitude : magnitude;
  return static_cast<int32_t>(std::clamp<int64_t>(result, INT32_MIN, INT32_MAX));
}

bool WriteIniString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
  if (!IsWritableName(key, "=\r\n") || !IsWritableName(section, "]\r\n")) return false;
  std::lock_guard<std::mutex> lock(gWriteMutex);
  IniDoc doc = LoadDoc(path);
  Apply(doc, section, key, OneLine(value));
  return WriteFileAtomically(path, Serialize(doc));
}

bool WriteIniInt(const std::string& path, const std::string& section, const std::string& key, int32_t value) {
  return WriteIniString(path, section, key, std::to_string(value));
}

}  // namespace vr
