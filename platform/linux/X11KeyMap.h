#pragma once

namespace vr {

// The Win32 virtual-key code (vk:: in VirtualKeys.h) of an X keysym, or 0
// for keys that have none. Letters map case-blind ('a' and 'A' give 'A').
int KeysymToVirtualKey(unsigned long keysym);

}  // namespace vr
