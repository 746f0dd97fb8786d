#include "fixtures.h"

namespace testsupport {

CatalogueFixture::CatalogueFixture(qint64 step)
    : pacer([this, step] { return now += step; }, [this] { ++yields; })
{
}

catalogue::ImageCollection listOf(const QStringList& paths)
{
    catalogue::ImageCollection list;
    for (const QString& path : paths)
        list.Add(path);
    return catalogue::ImageCollection(list); // copied: a collection does not move
}

QStringList itemsOf(const catalogue::ImageCollection& images)
{
    return QStringList(images.begin(), images.end());
}

QStringList below(const QString& base, QStringList paths)
{
    return paths.replaceInStrings(QStringLiteral("@"), base);
}

} // namespace testsupport
