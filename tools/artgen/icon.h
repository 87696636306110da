#pragma once
// The game's icon for desktop menus.
#include <string>

namespace art {

// Writes <dir>/hicolor/NxN/apps/vantorello.png for N = 48, 64, 128, 256 and
// <dir>/hicolor/scalable/apps/vantorello.svg; true on success.
bool write_icons(const std::string& dir);

}  // namespace art
