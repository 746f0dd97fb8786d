// The thumbnail view: the grid, drawing a page one picture at a time, and
// the mouse on the thumbnails.
#include "display/frmdisplay.h"

#include "catalogue/appstate.h"
#include "display/thumbbox.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

void frmDisplay::TNLayout()
{
    pager_.layOut(screenTwips(), services_.state.ThumbSize, pixelRatio());
    mode_ = display::DisplayMode::PreviewThumbs;
    imgMain->hide();
}

void frmDisplay::showPage()
{
    // Every page, however it was asked for, meets DisplayImage's failure
    // handling: a picture that fails ends the page there.
    try {
        TNDisplay();
    } catch (const platform::AppError& error) {
        basUI::BusyCursorOff();
        pager_.stopDecoding();
        handleDisplayFailure(error);
    }
}

void frmDisplay::TNDisplay()
{
    basUI::BusyCursorOn();
    TNClear();
    TNLayout();
    clearNote();
    nameThumbnailPage(show_.mintIndex);
    hscMain->setSingleStep(pager_.mintPageSize());
    // A newer page, or the window closing, during a yield supersedes this
    // one even when the stop request has been lowered again by then.
    const int page = pager_.begin(show_.list(), show_.mintIndex);
    const QPointer<frmDisplay> self(this);
    for (int i = 0; i < pager_.mintPageSize() && !pager_.mbolAbort; ++i) {
        const std::optional<QString> path = show_.pathAt(show_.mintIndex);
        if (i > show_.count() - 1 || !path)
            break;
        drawThumbnail(i, *path, pager_.take(show_.mintIndex, *path));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!self || pager_.superseded(page) || !loaded_)
            return;
        ++show_.mintIndex;
    }
    pager_.finish(show_.list(), show_.mintIndex);
    basUI::BusyCursorOff();
}

void frmDisplay::drawThumbnail(int slot, const QString& path, const platform::LoadedPicture& picture)
{
    display::ThumbBox* box = thumbAt(slot);
    const display::ThumbGrid& grid = pager_.grid();
    box->setFrameShape(QFrame::NoFrame);
    box->move(qRound(twips::toPixels(grid.positions[slot].x())),
              qRound(twips::toPixels(grid.positions[slot].y())));
    box->setPixmap(QPixmap::fromImage(picture.image));
    box->setToolTip(path);
    box->setAccessibleName(QFileInfo(path).fileName());
    const QSizeF shown =
        display::FitThumbnail(twips::fromPixels(QSizeF(picture.ownSize)), grid.cellWidth, grid.cellHeight);
    const QSizeF pixels = twips::toPixels(shown);
    box->resize(qMax(1, qRound(pixels.width())), qMax(1, qRound(pixels.height())));
    box->show();
}

void frmDisplay::TNClear()
{
    pager_.clear();
    // Elements are deleted later: a handler of one of them may be running
    // beneath this call.
    for (qsizetype i = 1; i < imgTN.size(); ++i) {
        imgTN[i]->hide();
        imgTN[i]->deleteLater();
    }
    imgTN.resize(1);
    imgTN[0]->hide();
    if (mode_ == display::DisplayMode::PreviewThumbs)
        mode_ = display::DisplayMode::PreviewFull;
    hscMain->setSingleStep(1);
}

display::ThumbBox* frmDisplay::thumbAt(int slot)
{
    while (imgTN.size() <= slot)
        imgTN.append(new display::ThumbBox(int(imgTN.size()), this));
    display::ThumbBox* box = imgTN[slot];
    if (!box->property("connected").toBool()) {
        box->setProperty("connected", true);
        connect(box, &display::ThumbBox::clicked, this, &frmDisplay::imgTN_Click);
        connect(box, &display::ThumbBox::doubleClicked, this, &frmDisplay::imgTN_DblClick);
        connect(box, &display::ThumbBox::mouseDown, this, &frmDisplay::imgTN_MouseDown);
    }
    return box;
}

void frmDisplay::imgTN_Click(int index)
{
    if (index < 0 || index >= pager_.entries().size())
        return;
    for (display::ThumbBox* box : imgTN)
        box->setFrameShape(QFrame::NoFrame);
    imgTN[index]->setFrameShape(QFrame::Box);
    pager_.select(index);
}

void frmDisplay::imgTN_DblClick(int index)
{
    if (index >= 0 && index < pager_.entries().size())
        openSingleImage(pager_.pathOf(index));
}

void frmDisplay::imgTN_MouseDown(int index, Qt::MouseButton button, QPoint globalPosition)
{
    if (button != Qt::RightButton || !services_.onThumbnailMenu || index < 0 ||
        index >= pager_.entries().size())
        return;
    QString& context = services_.state.ContextImage;
    context = pager_.pathOf(index);
    const QString shown = context;
    // The menu's command has run when this returns; what it did to the
    // image shows in the context image.
    services_.onThumbnailMenu(index, globalPosition);
    if (context != shown && index < pager_.entries().size()) {
        if (context == QLatin1String("DELETE")) {
            pager_.markDeleted(index);
            imgTN[index]->setToolTip(QStringLiteral("Image Deleted"));
            imgTN[index]->setAccessibleName(QStringLiteral("Image Deleted"));
            show_.mintIndex = std::max(1, show_.mintIndex - pager_.mintPageSize());
            context.clear();
            TNDisplay();
        } else {
            pager_.rename(index, context);
            imgTN[index]->setToolTip(context);
            imgTN[index]->setAccessibleName(QFileInfo(context).fileName());
        }
    }
    context.clear();
}

void frmDisplay::openSingleImage(const QString& path)
{
    // A window of its own for the one picture; the preview waits beneath it.
    frmDisplay single(services_);
    single.setObjectName(QStringLiteral("frmDisplaySingle"));
    single.screenOverride_ = screenOverride_;
    single.ratioOverride_ = ratioOverride_;
    single.Load();
    single.setSingle(true);
    single.imgMain->show();
    single.DisplayImage(path);
    if (!single.isLoaded())
        return;
    single.setWindowModality(Qt::ApplicationModal);
    single.showOnScreen();
    QEventLoop loop;
    connect(&single, &frmDisplay::unloaded, &loop, &QEventLoop::quit);
    loop.exec();
    single.Unload();
}
