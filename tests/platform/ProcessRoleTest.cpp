#include <gtest/gtest.h>

#include <vector>

#include "platform/ProcessRole.h"

namespace vr {
namespace {

TEST(ProcessRole, TypeAnywhereOnTheCommandLine_SelectsBrowserRole) {
  struct Case {
    std::vector<const char*> argv;
    bool browser;
  };
  const Case cases[] = {
      {{"veskorili"}, false},
      {{"veskorili", "--type=renderer"}, true},
      {{"veskorili", "--foo", "--type"}, true},
      {{"veskorili", "x--typewriter"}, true},  // inside another argument
      {{"veskorili", "--ty", "pe"}, false},
      {{"veskorili", "-type"}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsBrowserSubprocess(static_cast<int>(c.argv.size()), c.argv.data()), c.browser)
        << c.argv.back();
}

}  // namespace
}  // namespace vr
