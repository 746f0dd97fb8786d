#include "catalogue/listcommands.h"

#include "catalogue/imagecollection.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/pacer.h"

#include <QStringListModel>

namespace catalogue {

namespace {

// New favourites reach their box in batches: one row at a time would make the
// view lay itself out once per line. A batch is flushed before every message,
// so what the box shows behind a message is exact.
class FavoritesBox {
public:
    explicit FavoritesBox(QStringListModel& box) : box_(box) {}
    ~FavoritesBox() { flush(); }

    void append(const QString& path) { pending_ << path; }
    void flush()
    {
        if (pending_.isEmpty())
            return;
        const int first = box_.rowCount();
        box_.insertRows(first, int(pending_.size()));
        for (qsizetype i = 0; i < pending_.size(); ++i)
            box_.setData(box_.index(first + int(i)), pending_.at(i));
        pending_.clear();
    }

private:
    QStringListModel& box_;
    QStringList pending_;
};

} // namespace

void AddAllToFavorites(const QStringListModel& lstImages, ImageCollection& favorites,
                       QStringListModel& lstFavorites, platform::Dialogs& dialogs, platform::Pacer& pacer)
{
    if (dialogs.msgBox(QStringLiteral("Add all images to your favorites list?"),
                       platform::mb::YesNo | platform::mb::Question) != platform::mb::Yes)
        return;
    basUI::BusyCursorOn();
    const QStringList lines = lstImages.stringList();
    {
        FavoritesBox box(lstFavorites);
        for (const QString& path : lines) {
            try {
                if (favorites.Contains(path)) {
                    box.flush();
                    dialogs.msgBox(
                        QStringLiteral("You are attempting to add a duplicate record to the favorites "
                                       "list.  Lumarine will remove this."),
                        platform::mb::OkOnly | platform::mb::Information);
                    continue;
                }
                favorites.Add(path);
                box.append(path);
            } catch (const platform::AppError& error) {
                box.flush();
                basUI::ReportError(dialogs, error);
            }
            if (pacer.due()) {
                box.flush();
                pacer.yield();
            }
        }
    }
    basUI::BusyCursorOff();
}

void ClearFavorites(ImageCollection& favorites, QStringListModel& lstFavorites, platform::Dialogs& dialogs)
{
    if (dialogs.msgBox(QStringLiteral("Clear favorite image list?"),
                       platform::mb::YesNo | platform::mb::Question) != platform::mb::Yes)
        return;
    favorites.Clear();
    lstFavorites.setStringList({});
}

} // namespace catalogue
