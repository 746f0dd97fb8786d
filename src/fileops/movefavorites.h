#pragma once

namespace fileops {

// Copies every favourite into one chosen folder. Not built yet: the menu entry
// and the toolbar button are connected to it already.
void MoveFavorites();

} // namespace fileops
