#pragma once
#include <map>
#include <string>
#include <string_view>

namespace vr {

// Named attribute sets from the pack entry cssData.json: a JSON object whose
// members are css names, each an object of string-valued keys. Filled once at
// start-up; read-only afterwards.
class CssTable {
 public:
  using Entry = std::map<std::string, std::string>;

  static CssTable& Instance();

  // Replaces the table with the parsed JSON. Unparsable text or a non-object
  // leaves the table empty; members that are not objects and values that are
  // not strings are skipped. Returns the number of entries kept.
  size_t Load(std::string_view json);
  void Clear() { entries_.clear(); }
  // Null for an unknown name.
  const Entry* Find(const std::string& name) const;
  size_t Size() const { return entries_.size(); }

 private:
  CssTable() = default;
  std::map<std::string, Entry> entries_;
};

}  // namespace vr
