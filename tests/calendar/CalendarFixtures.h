#pragma once
#include <string>

#include "tests/support/TempFolder.h"

namespace vr::test {

// Path of a file in the calendar fixtures folder.
inline std::string Fixture(const std::string& name) {
  return std::string(VR_TEST_FIXTURES) + "/calendar/" + name;
}

}  // namespace vr::test
