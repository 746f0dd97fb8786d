#pragma once

#include "catalogue/imagecollection.h"

#include <QString>

namespace basLumarine {

// The program-wide state. One object lives for the whole run and is passed
// to whoever needs it; the display window refers to the lists themselves, not
// to copies, so changes made during a show are seen at once.
struct AppState {
    QString IniPath;
    catalogue::ImageCollection MainImages;
    catalogue::ImageCollection Favorites;
    bool RandomShow = false;
    QString ThumbSize;
    bool ThumbPreview = false;
    // The image the image menu acts on; "DELETE" after a delete.
    QString ContextImage;
};

} // namespace basLumarine
