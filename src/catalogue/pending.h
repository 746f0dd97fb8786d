#pragma once

// Catalogue commands that the main window dispatches to already and that are
// not built yet: each does nothing until its own change arrives.
namespace catalogue {

void AddAllToFavorites();
void ClearFavorites();
void OpenList();
void SaveImageList();
void SaveFavoritesList();
void Count();

} // namespace catalogue
