#pragma once

#include "catalogue/context.h"

#include <QStringList>

namespace catalogue {

class ImageCollection;

// Adds every "*.jpg" image below path to mainImages: each sub-folder's whole
// tree first, in listing order, then the folder's own images. The status line
// names each folder as its search begins and the count follows the images
// found; both are brought to the window at most every Pacer::Interval and are
// current when the search ends. A stop request (see Context) ends the search
// before the next folder is listed; the status line then says
// "Search stopped" and the result is false.
bool SearchFolder(const QString& path, ImageCollection& mainImages, Context& context);

// The Count command: asks before adding to a list that is not empty,
// searches the base path and shows the count.
void Count(const QString& baseText, ImageCollection& mainImages, Context& context);

// The base path box's list: one entry per drive, as the file system gives them.
QStringList BaseComboEntries(platform::FileSystem& fileSystem);

} // namespace catalogue
