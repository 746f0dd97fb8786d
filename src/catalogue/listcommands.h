#pragma once

class QStringListModel;

namespace platform {
class Dialogs;
class Pacer;
} // namespace platform

namespace catalogue {

class ImageCollection;

// Adds every line of the image list box (the box, not the main list, is the
// source) to the favourites, after asking; a line that is a favourite
// already is named in a message and skipped.
void AddAllToFavorites(const QStringListModel& lstImages, ImageCollection& favorites,
                       QStringListModel& lstFavorites, platform::Dialogs& dialogs, platform::Pacer& pacer);

// Empties the favourites and their box, after asking.
void ClearFavorites(ImageCollection& favorites, QStringListModel& lstFavorites, platform::Dialogs& dialogs);

} // namespace catalogue
