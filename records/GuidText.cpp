#include "records/GuidText.h"

#include <uuid/uuid.h>

#include <cstdio>

namespace vr {

std::string FormatGuid(const unsigned char (&b)[16]) {
  const unsigned data1 = (unsigned{b[0]} << 24) | (unsigned{b[1]} << 16) | (unsigned{b[2]} << 8) | b[3];
  const unsigned data2 = (unsigned{b[4]} << 8) | b[5];
  const unsigned data3 = (unsigned{b[6]} << 8) | b[7];
  char buf[40];
  std::snprintf(buf, sizeof buf, "%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X", data1, data2,
                data3, b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return buf;
}

std::string MakeGuidText() {
  uuid_t id;
  // uuid_generate_random reads the kernel's random source; a zero result means
  // it produced nothing usable.
  uuid_generate_random(id);
  if (uuid_is_null(id)) return kNullGuidText;
  return FormatGuid(id);
}

}  // namespace vr
