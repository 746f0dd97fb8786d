#include "fileops/movefavorites.h"

namespace fileops {

void MoveFavorites() {}

} // namespace fileops
