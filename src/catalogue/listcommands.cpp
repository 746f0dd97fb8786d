#include "catalogue/listcommands.h"

#include "catalogue/imagecollection.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/pacer.h"

namespace catalogue {

void AddAllToFavorites(const ImageCollection& mainImages, ImageCollection& favorites,
                       platform::Dialogs& dialogs, platform::Pacer& pacer)
{
    if (dialogs.msgBox(QStringLiteral("Add all images to your favorites list?"),
                       platform::mb::YesNo | platform::mb::Question) != platform::mb::Yes)
        return;
    basUI::BusyCursorOn();
    // By position, the count read afresh: the pacer lets events run between
    // images.
    for (qsizetype position = 1; position <= mainImages.Count(); ++position) {
        const QString path = mainImages.Item(position);
        try {
            if (favorites.Contains(path))
                dialogs.msgBox(QStringLiteral("You are attempting to add a duplicate record to the favorites "
                                              "list.  Lumarine will remove this."),
                               platform::mb::OkOnly | platform::mb::Information);
            else
                favorites.Add(path);
        } catch (const platform::AppError& error) {
            basUI::ReportError(dialogs, error);
        }
        if (pacer.due())
            pacer.yield();
    }
    basUI::BusyCursorOff();
}

void ClearFavorites(ImageCollection& favorites, platform::Dialogs& dialogs)
{
    if (dialogs.msgBox(QStringLiteral("Clear favorite image list?"),
                       platform::mb::YesNo | platform::mb::Question) != platform::mb::Yes)
        return;
    favorites.Clear();
}

} // namespace catalogue
