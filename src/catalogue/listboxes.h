#pragma once

class QStringListModel;

namespace catalogue {

class ImageCollection;

// The list boxes are displays of their collections, rebuilt by the commands
// that change them. An empty favourites list empties its box too, so the box
// never shows a favourite that is gone.
void ListFavorites(const ImageCollection& favorites, QStringListModel& lstFavorites);
void ListImages(const ImageCollection& list, QStringListModel& lstImages);

} // namespace catalogue
