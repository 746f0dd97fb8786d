#include "catalogue/showassembly.h"

#include "catalogue/appstate.h"
#include "catalogue/numbertext.h"
#include "platform/basui.h"
#include "platform/dialogs.h"

#include <cmath>

namespace catalogue {

int DelayFromText(const QString& text)
{
    const QString number = LeadingNumber(text);
    if (number.isEmpty())
        return 0;
    const double value = number.toDouble();
    if (!std::isfinite(value))
        return value > 0 ? 32767 : -32768;
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    const double whole = std::nearbyint(value);
    if (whole > 32767.0)
        return 32767;
    if (whole < -32768.0)
        return -32768;
    return static_cast<int>(whole);
}

void cmdShowAll_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs)
{
    if (state.MainImages.isEmpty()) {
        basUI::BusyCursorOn();
        view.SearchFolder(view.baseText());
        basUI::BusyCursorOff();
    }
    if (state.MainImages.isEmpty()) {
        dialogs.msgBox(QStringLiteral("Lumarine cannot find any JPEGs at the base path you specified.  Pick "
                                      "another base path and try again."),
                       platform::mb::OkOnly | platform::mb::Information);
        return;
    }
    ShowWindow& window = view.displayWindow();
    window.Load();
    window.setSingle(false);
    window.SetCurrent(state.MainImages);
    // An unticked box leaves the order as it was; its own handler keeps the two equal.
    if (view.randomTicked())
        state.RandomShow = true;
    window.setDelay(DelayFromText(view.delayText()));
    window.SetStandard();
    window.Start();
}

void cmdPreview_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs)
{
    if (state.MainImages.isEmpty())
        view.pressCount();
    if (state.MainImages.isEmpty()) {
        dialogs.msgBox(QStringLiteral("No images to show!"),
                       platform::mb::OkOnly | platform::mb::Exclamation);
        return;
    }
    view.setCountText(QString::number(state.MainImages.Count()));
    ShowWindow& window = view.displayWindow();
    window.Load();
    window.SetCurrent(state.MainImages);
    window.SetPreview();
    window.Start();
}

void cmdFavorites_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs)
{
    // The list box is asked, not the collection.
    if (view.favoritesLines() == 0) {
        dialogs.msgBox(QStringLiteral("No favorites!"), platform::mb::OkOnly | platform::mb::Information);
        return;
    }
    ShowWindow& window = view.displayWindow();
    window.Load();
    window.setSingle(false);
    window.SetStandard();
    window.SetCurrent(state.Favorites);
    window.Start();
}

} // namespace catalogue
