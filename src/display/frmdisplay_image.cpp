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
    const QSizeF screen = screenTwips();
    const qreal ratio = pixelRatio();
    return [screen, ratio](QSize own) {
        return display::DevicePixels(display::FitToScreen(display::OwnSizeTwips(own, ratio), screen), ratio);
    };
}

void frmDisplay::displayTarget(const Target& target)
{
    if (mbolThumbs && mbolPreview && !mbolSingle) {
        showPage();
        return;
    }
    basUI::BusyCursorOn();
    QString path;
    try {
        imgMain->hide();
        if (const int* position = std::get_if<int>(&target)) {
            if (!mcolCurrent)
                platform::throwError(platform::err::MissingObject);
            path = mcolCurrent->Item(*position);
        } else {
            path = std::get<QString>(target);
        }
        imgMain->setToolTip(path);
        loadMainPicture(path);
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
    lblStatus->setText(IsInFavorites(path) ? QStringLiteral("Faves") : QString());
    basUI::BusyCursorOff();
    prefetchNext();
}

void frmDisplay::loadMainPicture(const QString& path)
{
    platform::LoadedPicture loaded;
    const platform::ShownSizeFor sizeFor = screenSizeFor();
    if (prefetch_.isValid() && prefetch_.path == path) {
        // The decode started while the previous picture was on screen. The
        // file is looked at again: it may have gone, or been replaced, since.
        const platform::FileStamp now = platform::checkPictureFile(path);
        const display::DecodedPicture decoded = prefetch_.future.result();
        prefetch_ = {};
        loaded =
            decoded.error == 0 && decoded.stamp == now ? decoded.picture : jobs_.loader().load(path, sizeFor);
    } else {
        loaded = jobs_.loader().load(path, sizeFor);
    }
    pictureTwips_ = display::OwnSizeTwips(loaded.ownSize, pixelRatio());
    // Decoded in device pixels; the box stretches it over its logical size,
    // so it stays sharp on a high-density screen.
    picture_ = QPixmap::fromImage(std::move(loaded.image));
    imgMain->setPixmap(picture_);
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

void frmDisplay::prefetchNext()
{
    // Only a standard show knows its next picture ahead of time.
    if (mbolPreview || mbolSingle || !loaded_ || !mcolCurrent || mcolCurrent->isEmpty())
        return;
    const int count = int(mcolCurrent->Count());
    int next = mintIndex + 1;
    if (services_.state.RandomShow) {
        if (!pendingRandom_)
            pendingRandom_ = random_.next();
        next = display::ClassicRandom::positionFor(*pendingRandom_, count);
    } else if (next > count) {
        next = 1;
    }
    const QString path = mcolCurrent->Item(next);
    if (prefetch_.isValid() && prefetch_.path == path)
        return;
    prefetch_.cancel();
    prefetch_ = jobs_.start(path, screenSizeFor());
}
