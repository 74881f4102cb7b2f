#include "records/RecordRows.h"

#include "records/AttrText.h"
#include "records/StoredTextCodec.h"
#include "records/TextSplit.h"
#include "records/TimeText.h"

namespace vr {
namespace {

std::string_view Text(RowTexts row, size_t i) { return row[i] ? std::string_view(row[i]) : ""; }
int Int(RowTexts row, size_t i) { return ReadLeadingInt(Text(row, i)); }

}  // namespace

std::optional<NoteData> NoteFromRow(RowTexts row, const TimeRecord& now) {
  if (row.size() != 8) return std::nullopt;
  NoteData n(ParseTime(Text(row, 3), now));
  n.uid = Text(row, 0);
  n.guid = Text(row, 1);
  n.type = Text(row, 2);
  n.inf = Text(row, 4);
  n.param = Text(row, 5);
  n.remind = Int(row, 6);
  n.attr = ParseAttr(Text(row, 7));
  return n;
}

std::optional<FlagData> FlagFromRow(RowTexts row) {
  if (row.size() != 3) return std::nullopt;
  return FlagData{Int(row, 0), Int(row, 1), Int(row, 2)};
}

std::optional<PassData> PassFromRow(RowTexts row) {
  if (row.size() != 6) return std::nullopt;
  PassData p;
  p.guid = Text(row, 0);
  p.name = Text(row, 1);
  p.user = StoredTextCodec::Decode(Text(row, 2));
  p.pass = StoredTextCodec::Decode(Text(row, 3));
  p.url = Text(row, 4);
  p.category = Int(row, 5);
  return p;
}

std::optional<BirthdayData> BirthdayFromRow(RowTexts row, const TimeRecord& now) {
  if (row.size() != 7) return std::nullopt;
  BirthdayData b;
  b.guid = Text(row, 0);
  b.name = Text(row, 1);
  b.time = ParseTime(Text(row, 2), now);
  b.category = Int(row, 3);
  b.remind = Int(row, 4);
  b.solar = Int(row, 5) > 0;
  b.attr = ParseAttr(Text(row, 6));
  return b;
}

std::optional<std::string> LockCodeFromRow(RowTexts row) {
  if (row.size() != 2 || Text(row, 1) != kLockUser) return std::nullopt;
  return StoredTextCodec::Decode(Text(row, 0));
}

}  // namespace vr
