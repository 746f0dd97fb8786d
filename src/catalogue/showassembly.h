#pragma once

#include "catalogue/context.h"

#include <QString>
#include <QStringList>

namespace basLumarine {
struct AppState;
}
namespace platform {
class Dialogs;
class FileSystem;
} // namespace platform

namespace catalogue {

class ImageCollection;

// The display window as the show commands drive it. It works on the list it
// is given, not on a copy.
class ShowWindow {
public:
    virtual ~ShowWindow() = default;
    // Loads the window without showing it.
    virtual void Load() = 0;
    virtual void setSingle(bool single) = 0;
    virtual void setDelay(int seconds) = 0;
    virtual void SetCurrent(ImageCollection& colCurr) = 0;
    virtual void SetStandard() = 0;
    virtual void SetPreview() = 0;
    virtual void Start() = 0;
    // Start, with the show at that 1-based position of its list.
    virtual void StartAt(int position) = 0;
};

// What the show commands read and press on the main window, besides its labels.
class ShowView : public StatusLabels {
public:
    virtual bool randomTicked() const = 0;
    virtual QString delayText() const = 0;
    virtual QString baseText() const = 0;
    // Lines in the favourites list box, which can lag behind the collection.
    virtual int favoritesLines() const = 0;
    // Searches the folder tree into the main list and shows the count; false
    // when the user stopped the search.
    virtual bool SearchFolder(const QString& base) = 0;
    // Presses the Count button: the whole Count command with its messages.
    virtual void pressCount() = 0;
    // The one display window of the run, created on first use.
    virtual ShowWindow& displayWindow() = 0;
};

// The whole seconds of a delay text: the number it starts with (0 when it
// starts with none), halves going to the even neighbour, held to -32768..32767.
int DelayFromText(const QString& text);

void cmdShowAll_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs);
void cmdPreview_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs);
void cmdFavorites_Click(basLumarine::AppState& state, ShowView& view, platform::Dialogs& dialogs);

// Pictures handed to the program when it starts, shown at once as Show All
// shows the main list. One picture brings the other JPEGs of its folder as
// the main list, in the folder's order, and the show starts at it, so
// stepping goes through the folder; several are the list in the order given.
// A picture that is not there is reported with its name, and nothing is shown.
void ShowPictures(const QStringList& pictures, basLumarine::AppState& state, ShowView& view,
                  platform::Dialogs& dialogs, platform::FileSystem& fileSystem);

} // namespace catalogue
