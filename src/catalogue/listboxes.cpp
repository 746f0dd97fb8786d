#include "catalogue/listboxes.h"

#include "catalogue/imagecollection.h"

#include <QStringListModel>

namespace catalogue {

namespace {

void fill(const ImageCollection& list, QStringListModel& box)
{
    QStringList lines;
    lines.reserve(list.Count());
    for (const QString& path : list)
        lines.append(path);
    box.setStringList(lines);
}

} // namespace

void ListFavorites(const ImageCollection& favorites, QStringListModel& lstFavorites)
{
    fill(favorites, lstFavorites);
}

void ListImages(const ImageCollection& list, QStringListModel& lstImages)
{
    fill(list, lstImages);
}

} // namespace catalogue
