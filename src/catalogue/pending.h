#pragma once

// Catalogue commands that the main window dispatches to already and that are
// not built yet: each does nothing until its own change arrives.
namespace catalogue {

void ShowAll();
void Preview();
void ShowFavorites();

} // namespace catalogue
