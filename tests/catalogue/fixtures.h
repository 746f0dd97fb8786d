#pragma once

#include "catalogue/context.h"
#include "catalogue/imagecollection.h"
#include "platform/basui.h"
#include "platform/pacer.h"
#include "support/testmain.h"

namespace testsupport {

// Records every text the commands put on the two labels, and whether the
// busy cursor was on as each count was shown.
class RecordingLabels final : public catalogue::StatusLabels {
public:
    void setStatusText(const QString& text) override { statuses << text; }
    void setCountText(const QString& text) override
    {
        counts << text;
        busyAtCounts << basUI::IsBusyCursorOn();
    }
    QStringList statuses;
    QStringList counts;
    QList<bool> busyAtCounts;
};

// A catalogue context over the real file system. The pacer's clock moves on
// by `step` milliseconds at each look: 50 makes every look due, 0 none.
struct CatalogueFixture {
    explicit CatalogueFixture(qint64 step = 0)
        : pacer([this, step] { return now += step; }, [this] { ++yields; })
    {
    }

    ScriptedDialogs dialogs;
    testsupport::FailingFileSystem fileSystem;
    RecordingLabels labels;
    qint64 now = 0;
    int yields = 0;
    platform::Pacer pacer;
    catalogue::Context context{dialogs, fileSystem, pacer, labels};
};

// A list holding the paths, in order, and the paths a list holds.
inline catalogue::ImageCollection listOf(const QStringList& paths)
{
    catalogue::ImageCollection list;
    for (const QString& path : paths)
        list.Add(path);
    return catalogue::ImageCollection(list); // copied: a collection does not move
}
inline QStringList itemsOf(const catalogue::ImageCollection& images)
{
    return QStringList(images.begin(), images.end());
}

// The paths, each with "@" replaced by base.
inline QStringList below(const QString& base, QStringList paths)
{
    return paths.replaceInStrings(QStringLiteral("@"), base);
}

} // namespace testsupport
