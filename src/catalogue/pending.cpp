#include "catalogue/pending.h"

namespace catalogue {

void AddAllToFavorites() {}
void ClearFavorites() {}
void OpenList() {}
void SaveImageList() {}
void SaveFavoritesList() {}
void Count() {}

} // namespace catalogue
