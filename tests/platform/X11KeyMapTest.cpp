#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "platform/VirtualKeys.h"
#include "platform/linux/X11KeyMap.h"

namespace vr {
namespace {

struct KeyCase {
  unsigned long keysym;
  int vk;
};

class KeysymToVirtualKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeysymToVirtualKeyTest, Keysym_Mapped_GivesWin32Code) {
  EXPECT_EQ(KeysymToVirtualKey(GetParam().keysym), GetParam().vk);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeysymToVirtualKeyTest,
    ::testing::Values(KeyCase{XK_a, 'A'}, KeyCase{XK_Z, 'Z'}, KeyCase{XK_0, '0'}, KeyCase{XK_9, '9'},
                      KeyCase{XK_KP_7, vk::kNumpad0 + 7}, KeyCase{XK_F1, vk::kF1}, KeyCase{XK_F12, 0x7B},
                      KeyCase{XK_Return, vk::kReturn}, KeyCase{XK_KP_Enter, vk::kReturn},
                      KeyCase{XK_Tab, vk::kTab}, KeyCase{XK_ISO_Left_Tab, vk::kTab},
                      KeyCase{XK_Shift_R, vk::kShift}, KeyCase{XK_Control_L, vk::kControl},
                      KeyCase{XK_Alt_L, vk::kMenu}, KeyCase{XK_Left, vk::kLeft}, KeyCase{XK_Next, vk::kNext},
                      KeyCase{XK_Delete, vk::kDelete}, KeyCase{XK_BackSpace, vk::kBack},
                      KeyCase{XK_Escape, vk::kEscape}, KeyCase{XK_comma, vk::kOemComma},
                      KeyCase{XK_bracketleft, vk::kOem4}, KeyCase{XK_eacute, 0}, KeyCase{0, 0}));

}  // namespace
}  // namespace vr
