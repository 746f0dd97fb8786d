// Displaying one picture: loading it at the size it is shown at, fitting it
// to the screen, placing it, and the failures of each step.
#include "display/frmdisplay.h"

#include "catalogue/appstate.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/dialogs.h"
#include "platform/twips.h"

#include <QLabel>
#include <QTimer>

namespace {

QRect pixelRect(const QRectF& twipsRect)
{
    const QRectF r = twips::toPixels(twipsRect);
    return {qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height())};
}

} // namespace

void frmDisplay::DisplayImage(int position)
{
    displayTarget(position);
}

void frmDisplay::DisplayImage(const QString& path)
{
    displayTarget(path);
}

platform::ShownSizeFor frmDisplay::screenSizeFor() const
{
    return display::ShownSizeOnScreen(screenTwips(), pixelRatio());
}

void frmDisplay::displayTarget(const Target& target)
{
    if (mode_ == display::DisplayMode::PreviewThumbs) {
        showPage();
        return;
    }
    basUI::BusyCursorOn();
    QString path;
    try {
        imgMain->hide();
        if (const int* position = std::get_if<int>(&target)) {
            if (!show_.list())
                platform::throwError(platform::err::MissingObject);
            path = show_.list()->Item(*position);
        } else {
            path = std::get<QString>(target);
        }
        imgMain->setToolTip(path);
        const platform::LoadedPicture loaded = show_.load(path, screenSizeFor());
        pictureTwips_ = display::OwnSizeTwips(loaded.ownSize, pixelRatio());
        // Decoded in device pixels; the box stretches it over its logical
        // size, so it stays sharp on a high-density screen.
        imgMain->setPixmap(QPixmap::fromImage(loaded.image));
    } catch (const platform::AppError& error) {
        basUI::BusyCursorOff();
        handleDisplayFailure(error);
        // A picture that could not be decoded, and a failure the table does
        // not name, go on to show what the image box holds.
        const int number = error.number();
        const bool named = number == platform::err::DiskNotReady || number == platform::err::PathNotFound ||
                           number == platform::err::FileNotFound || number == platform::err::InvalidCall;
        if (named || !loaded_)
            return;
    }
    fitAndShowMain();
    pictureShown(path);
    setLabel(lblStatus, IsInFavorites(path) ? QStringLiteral("Faves") : QString(), NotAFavorite);
    basUI::BusyCursorOff();
    // Only a standard show knows its next picture ahead of time.
    if (mode_ == display::DisplayMode::Standard && loaded_)
        show_.decodeAhead(services_.state.RandomShow, screenSizeFor());
}

void frmDisplay::fitAndShowMain()
{
    const QSizeF screen = screenTwips();
    const QSizeF shown = display::FitToScreen(pictureTwips_, screen);
    imgMainTwips_ = QRectF(display::CentreOnScreen(shown, screen), shown);
    imgMain->setGeometry(pixelRect(imgMainTwips_));
    imgMain->show();
}

void frmDisplay::handleDisplayFailure(const platform::AppError& error)
{
    using namespace platform;
    Dialogs& dialogs = services_.dialogs;
    switch (error.number()) {
    case err::DiskNotReady:
        dialogs.msgBox(
            QStringLiteral("There is a problem accessing the specified disk.  Exiting back to main menu."),
            mb::OkOnly | mb::Exclamation);
        Unload();
        break;
    case err::PathNotFound:
        dialogs.msgBox(QStringLiteral("Can't find that file/path.  Exiting to main menu."),
                       mb::OkOnly | mb::Exclamation);
        Unload();
        break;
    case err::FileNotFound:
    case err::InvalidPicture:
        break;
    case err::InvalidCall:
        if (isVisible()) {
            dialogs.msgBox(QStringLiteral("No images to display!"), mb::OkOnly | mb::Information);
            hideForEmptyList();
        }
        break;
    default:
        dialogs.msgBox(QStringLiteral("Error: %1: %2").arg(error.number()).arg(error.description()),
                       mb::OkOnly);
        break;
    }
}

void frmDisplay::hideForEmptyList()
{
    // The window stays loaded, but the user is back at the main window: the
    // timer has nothing left to show and the favourites box must be current.
    hide();
    tim1->stop();
    if (services_.onUnload)
        services_.onUnload();
}
