#include "ui/CssTable.h"

#include <json/json.h>

#include <memory>

namespace vr {

CssTable& CssTable::Instance() {
  static CssTable table;
  return table;
}

size_t CssTable::Load(std::string_view json) {
  entries_.clear();
  Json::CharReaderBuilder builder;
  builder["collectComments"] = false;
  builder["stackLimit"] = 64;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(json.data(), json.data() + json.size(), &root, &errors)) return 0;
  if (!root.isObject()) return 0;
  for (const std::string& name : root.getMemberNames()) {
    const Json::Value& member = root[name];
    if (!member.isObject()) continue;
    Entry entry;
    for (const std::string& key : member.getMemberNames()) {
      const Json::Value& value = member[key];
      if (value.isString()) entry[key] = value.asString();
    }
    entries_[name] = std::move(entry);
  }
  return entries_.size();
}

const CssTable::Entry* CssTable::Find(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace vr
