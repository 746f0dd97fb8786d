#pragma once

namespace platform {
class Dialogs;
class Pacer;
} // namespace platform

namespace catalogue {

class ImageCollection;

// Adds every image of the main list to the favourites, after asking; an
// image that is a favourite already is named in a message and skipped.
void AddAllToFavorites(const ImageCollection& mainImages, ImageCollection& favorites,
                       platform::Dialogs& dialogs, platform::Pacer& pacer);

// Empties the favourites, after asking.
void ClearFavorites(ImageCollection& favorites, platform::Dialogs& dialogs);

} // namespace catalogue
