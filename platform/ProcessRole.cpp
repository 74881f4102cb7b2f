#include "platform/ProcessRole.h"

#include <cstring>

namespace vr {

bool IsBrowserSubprocess(int argc, const char* const* argv) {
  for (int i = 0; i < argc; ++i)
    if (argv[i] && std::strstr(argv[i], "--type")) return true;
  return false;
}

}  // namespace vr
