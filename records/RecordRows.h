#pragma once
#include <optional>
#include <span>
#include <string>

#include "platform/TimeRecord.h"
#include "records/BirthdayData.h"
#include "records/FlagData.h"
#include "records/NoteData.h"
#include "records/PassData.h"

namespace vr {

// Row <-> record conversions of the records file. A row is its column texts in
// SELECT order (nullptr for NULL, read as empty text or 0). A row with another
// column count than its table's is skipped (nullopt). Integers are read as
// leading decimal integers, so non-numeric text reads as 0; malformed time and
// attribute texts read as ParseTime and ParseAttr say, with `now` as the
// current local time.
using RowTexts = std::span<const char* const>;

// uid,guid,type,tm,inf,param,remind,attr
std::optional<NoteData> NoteFromRow(RowTexts row, const TimeRecord& now);
// day,flag,attr
std::optional<FlagData> FlagFromRow(RowTexts row);
// guid,name,user,pass,url,class (user and pass decoded)
std::optional<PassData> PassFromRow(RowTexts row);
// guid,name,date,class,remind,solar,attr (solar: true when above 0)
std::optional<BirthdayData> BirthdayFromRow(RowTexts row, const TimeRecord& now);
// lockpass,lockuser: the decoded code when the user is exactly "admin".
std::optional<std::string> LockCodeFromRow(RowTexts row);

inline constexpr char kLockUser[] = "admin";

}  // namespace vr
