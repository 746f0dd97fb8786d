#pragma once

namespace fileops {

struct ImageOps;

// Copies every favourite into one chosen folder and, when asked, deletes the
// sources. A source is deleted only once its copy is in place; an image whose
// name is taken in the folder is left where it is and named at the end.
void MoveFavorites(ImageOps& ops);

} // namespace fileops
