#include "catalogue/showassembly.h"

#include "catalogue/appstate.h"
#include "catalogue/numbertext.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"

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

namespace {

// The standard show of the main list, as Show All sets it up.
void startStandardShow(basLumarine::AppState& state, ShowView& view, int position)
{
    ShowWindow& window = view.displayWindow();
    window.Load();
    window.setSingle(false);
    window.SetCurrent(state.MainImages);
    // An unticked box leaves the order as it was; its own handler keeps the two equal.
    if (view.randomTicked())
        state.RandomShow = true;
    window.setDelay(DelayFromText(view.delayText()));
    window.SetStandard();
    if (position == 1)
        window.Start();
    else
        window.StartAt(position);
}

// The JPEGs beside the picture, the picture among them; the picture alone
// when its folder cannot be listed or does not list it (a hidden file).
QStringList picturesOfFolder(const QString& picture, platform::FileSystem& fileSystem)
{
    const QString folder = platform::parentFolderOf(picture);
    QStringList paths;
    try {
        for (const platform::DirEntry& entry : fileSystem.list(folder, {false, platform::FileMatch::Jpeg}))
            paths << platform::joinPath(folder, entry.name);
    } catch (const platform::AppError&) {
        paths.clear();
    }
    return paths.contains(picture) ? paths : QStringList{picture};
}

} // namespace

void cmdShowAll_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs)
{
    if (state.MainImages.isEmpty()) {
        basUI::BusyCursorOn();
        const bool searched = view.SearchFolder(view.baseText());
        basUI::BusyCursorOff();
        // A stopped search starts no show: the user asked for nothing more.
        if (!searched)
            return;
    }
    if (state.MainImages.isEmpty()) {
        dialogs.msgBox(QStringLiteral("Lumarine cannot find any JPEGs at the base path you specified.  Pick "
                                      "another base path and try again."),
                       platform::mb::OkOnly | platform::mb::Information);
        return;
    }
    startStandardShow(state, view, 1);
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

void ShowPictures(const QStringList& pictures, basLumarine::AppState& state, ShowView& view,
                  platform::Dialogs& dialogs, platform::FileSystem& fileSystem)
{
    for (const QString& picture : pictures) {
        if (!fileSystem.exists(picture)) {
            basUI::ReportError(dialogs, platform::AppError(platform::err::FileNotFound));
            dialogs.msgBox(picture, platform::mb::OkOnly);
            return;
        }
    }
    const QStringList list = pictures.size() == 1 ? picturesOfFolder(pictures.first(), fileSystem) : pictures;
    state.MainImages.Clear();
    for (const QString& path : list)
        state.MainImages.AddIfAbsent(path);
    view.setCountText(QString::number(state.MainImages.Count()));
    startStandardShow(state, view, static_cast<int>(list.indexOf(pictures.first())) + 1);
}

} // namespace catalogue
