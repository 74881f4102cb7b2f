#include "platform/linux/X11KeyMap.h"

#include <X11/keysym.h>

#include "platform/VirtualKeys.h"

namespace vr {
namespace {

struct KeyPair {
  unsigned long keysym;
  int vk;
};

constexpr KeyPair kKeys[] = {
    {XK_BackSpace, vk::kBack},       {XK_Tab, vk::kTab},
    {XK_ISO_Left_Tab, vk::kTab},     {XK_Clear, vk::kClear},
    {XK_Return, vk::kReturn},        {XK_KP_Enter, vk::kReturn},
    {XK_Shift_L, vk::kShift},        {XK_Shift_R, vk::kShift},
    {XK_Control_L, vk::kControl},    {XK_Control_R, vk::kControl},
    {XK_Alt_L, vk::kMenu},           {XK_Alt_R, vk::kMenu},
    {XK_Meta_L, vk::kMenu},          {XK_Meta_R, vk::kMenu},
    {XK_ISO_Level3_Shift, vk::kMenu}, {XK_Pause, vk::kPause},
    {XK_Caps_Lock, vk::kCapital},    {XK_Escape, vk::kEscape},
    {XK_space, vk::kSpace},          {XK_Prior, vk::kPrior},
    {XK_Next, vk::kNext},            {XK_End, vk::kEnd},
    {XK_Home, vk::kHome},            {XK_Left, vk::kLeft},
    {XK_Up, vk::kUp},                {XK_Right, vk::kRight},
    {XK_Down, vk::kDown},            {XK_Print, vk::kSnapshot},
    {XK_Insert, vk::kInsert},        {XK_Delete, vk::kDelete},
    {XK_Super_L, vk::kLWin},         {XK_Super_R, vk::kRWin},
    {XK_Menu, vk::kApps},            {XK_KP_Multiply, vk::kMultiply},
    {XK_KP_Add, vk::kAdd},           {XK_KP_Subtract, vk::kSubtract},
    {XK_KP_Decimal, vk::kDecimal},   {XK_KP_Delete, vk::kDelete},
    {XK_KP_Divide, vk::kDivide},     {XK_Num_Lock, vk::kNumLock},
    {XK_Scroll_Lock, vk::kScroll},   {XK_KP_Home, vk::kHome},
    {XK_KP_End, vk::kEnd},           {XK_KP_Left, vk::kLeft},
    {XK_KP_Right, vk::kRight},       {XK_KP_Up, vk::kUp},
    {XK_KP_Down, vk::kDown},         {XK_KP_Prior, vk::kPrior},
    {XK_KP_Next, vk::kNext},         {XK_KP_Insert, vk::kInsert},
    {XK_semicolon, vk::kOem1},       {XK_colon, vk::kOem1},
    {XK_equal, vk::kOemPlus},        {XK_plus, vk::kOemPlus},
    {XK_comma, vk::kOemComma},       {XK_less, vk::kOemComma},
    {XK_minus, vk::kOemMinus},       {XK_underscore, vk::kOemMinus},
    {XK_period, vk::kOemPeriod},     {XK_greater, vk::kOemPeriod},
    {XK_slash, vk::kOem2},           {XK_question, vk::kOem2},
    {XK_grave, vk::kOem3},           {XK_asciitilde, vk::kOem3},
    {XK_bracketleft, vk::kOem4},     {XK_braceleft, vk::kOem4},
    {XK_backslash, vk::kOem5},       {XK_bar, vk::kOem5},
    {XK_bracketright, vk::kOem6},    {XK_braceright, vk::kOem6},
    {XK_apostrophe, vk::kOem7},      {XK_quotedbl, vk::kOem7},
};

}  // namespace

int KeysymToVirtualKey(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>(keysym);
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>(keysym);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return vk::kNumpad0 + static_cast<int>(keysym - XK_KP_0);
  if (keysym >= XK_F1 && keysym <= XK_F24) return vk::kF1 + static_cast<int>(keysym - XK_F1);
  for (const KeyPair& k : kKeys)
    if (k.keysym == keysym) return k.vk;
  return 0;
}

}  // namespace vr
