#include "catalogue/pending.h"

namespace catalogue {

void ShowAll() {}
void Preview() {}
void ShowFavorites() {}

} // namespace catalogue
