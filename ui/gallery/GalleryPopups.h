#pragma once
#include <string>

namespace vr {

// Renders the framework's pop-ups on the headless window system into PNGs in
// `dir`: combo.png (a combo box with its list open), menu.png (a menu with a
// sub-menu open) and msgbox.png (a warning message box). False when a
// picture could not be written.
bool RenderGalleryPopups(const std::string& dir);

}  // namespace vr
