// The thumbnail view: the grid, drawing a page one picture at a time, and
// the mouse on the thumbnails.
#include "display/frmdisplay.h"

#include "catalogue/appstate.h"
#include "display/thumbbox.h"
#include "platform/apperror.h"
#include "platform/basui.h"
#include "platform/twips.h"

#include <QEventLoop>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <utility>

void frmDisplay::TNLayout()
{
    const display::ThumbGrid grid = display::TNLayout(screenTwips(), services_.state.ThumbSize);
    mlngThumbArea = grid.area;
    mlngThumbWidth = grid.cellWidth;
    mlngThumbHeight = grid.cellHeight;
    mvarThumbPos = grid.positions;
    mbolThumbs = true;
    mintPageSize = grid.pageSize();
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
        cancelPageJobs();
        handleDisplayFailure(error);
    }
}

void frmDisplay::TNDisplay()
{
    basUI::BusyCursorOn();
    TNClear();
    TNLayout();
    hscMain->setSingleStep(mintPageSize);
    mintSelected = 0;
    // A newer page, or the window closing, during a yield supersedes this
    // one even when the stop request has been lowered again by then.
    const int generation = ++pageGeneration_;
    const QPointer<frmDisplay> self(this);
    startPageJobs();
    int filled = 0;
    for (int i = 0; i < mintPageSize && !mbolAbort; ++i) {
        const qint32 count = mcolCurrent ? qint32(mcolCurrent->Count()) : 0;
        if (i > count - 1 || mintIndex > count)
            break;
        display::ThumbBox* box = thumbAt(i);
        box->setFrameShape(QFrame::NoFrame);
        box->hide();
        box->move(qRound(twips::toPixels(mvarThumbPos[i].x())), qRound(twips::toPixels(mvarThumbPos[i].y())));
        const QString path = mcolCurrent->Item(mintIndex);
        const platform::LoadedPicture picture = pagePictureOrMark(i, path);
        box->setPixmap(QPixmap::fromImage(picture.image));
        box->tag = QString::number(mintIndex);
        box->setToolTip(path);
        const QSizeF shown = display::FitThumbnail(twips::fromPixels(QSizeF(picture.ownSize)), mlngThumbWidth,
                                                   mlngThumbHeight);
        const QSizeF pixels = twips::toPixels(shown);
        box->resize(qMax(1, qRound(pixels.width())), qMax(1, qRound(pixels.height())));
        box->show();
        yieldToEvents();
        if (!self || generation != pageGeneration_ || !loaded_)
            return;
        ++mintIndex;
        filled = i + 1;
    }
    cancelPageJobs();
    if (filled == mintPageSize && !mbolAbort)
        preparePage();
    basUI::BusyCursorOff();
}

void frmDisplay::TNClear()
{
    ++pageGeneration_;
    cancelPageJobs();
    // Elements are deleted later: a handler of one of them may be running
    // beneath this call.
    for (qsizetype i = 1; i < imgTN.size(); ++i) {
        imgTN[i]->hide();
        imgTN[i]->deleteLater();
    }
    imgTN.resize(1);
    imgTN[0]->hide();
    mbolThumbs = false;
    hscMain->setSingleStep(1);
}

display::ThumbBox* frmDisplay::thumbAt(int slot)
{
    while (imgTN.size() <= slot) {
        auto* box = new display::ThumbBox(int(imgTN.size()), this);
        imgTN.append(box);
    }
    display::ThumbBox* box = imgTN[slot];
    if (!box->property("connected").toBool()) {
        box->setProperty("connected", true);
        connect(box, &display::ThumbBox::clicked, this, &frmDisplay::imgTN_Click);
        connect(box, &display::ThumbBox::doubleClicked, this, &frmDisplay::imgTN_DblClick);
        connect(box, &display::ThumbBox::mouseDown, this, &frmDisplay::imgTN_MouseDown);
    }
    return box;
}

platform::ShownSizeFor frmDisplay::thumbSizeFor() const
{
    const qint32 width = mlngThumbWidth;
    const qint32 height = mlngThumbHeight;
    const qreal ratio = pixelRatio();
    return [width, height, ratio](QSize own) {
        return display::DevicePixels(display::FitThumbnail(twips::fromPixels(QSizeF(own)), width, height),
                                     ratio);
    };
}

const platform::PictureLoader& frmDisplay::thumbnailLoader() const
{
    return services_.thumbnails ? *services_.thumbnails : services_.pictures;
}

void frmDisplay::startPageJobs()
{
    cancelPageJobs();
    // Thumbnails prepared for this cell are taken over; the rest of them
    // are for a page that will not be shown now.
    QVector<display::PictureJob> prepared = std::exchange(preparedJobs_, {});
    if (preparedCell_ != std::tuple(mlngThumbWidth, mlngThumbHeight, pixelRatio())) {
        for (const display::PictureJob& job : prepared)
            job.cancel();
        prepared.clear();
    }
    if (mcolCurrent) {
        const platform::ShownSizeFor sizeFor = thumbSizeFor();
        for (qint32 k = 0; k < mintPageSize; ++k) {
            const qint32 position = mintIndex + k;
            if (position < 1 || position > mcolCurrent->Count())
                break;
            const QString path = mcolCurrent->Item(position);
            const auto found = std::find_if(prepared.begin(), prepared.end(),
                                            [&](const display::PictureJob& job) { return job.path == path; });
            if (found != prepared.end()) {
                pageJobs_.append(std::move(*found));
                prepared.erase(found);
            } else {
                pageJobs_.append(jobs_.start(thumbnailLoader(), path, sizeFor));
            }
        }
    }
    for (const display::PictureJob& job : prepared)
        job.cancel();
}

void frmDisplay::cancelPageJobs()
{
    for (const display::PictureJob& job : pageJobs_)
        job.cancel();
    pageJobs_.clear();
}

void frmDisplay::preparePage()
{
    // Next then shows the page from memory. Only one page waits like this
    // beside the one being filled, which bounds what it holds.
    cancelPreparedJobs();
    if (!mcolCurrent)
        return;
    const platform::ShownSizeFor sizeFor = thumbSizeFor();
    preparedCell_ = std::tuple(mlngThumbWidth, mlngThumbHeight, pixelRatio());
    for (qint32 k = 0; k < mintPageSize; ++k) {
        const qint32 position = mintIndex + k;
        if (position < 1 || position > mcolCurrent->Count())
            break;
        preparedJobs_.append(jobs_.start(thumbnailLoader(), mcolCurrent->Item(position), sizeFor));
    }
}

void frmDisplay::cancelPreparedJobs()
{
    for (const display::PictureJob& job : preparedJobs_)
        job.cancel();
    preparedJobs_.clear();
}

platform::LoadedPicture frmDisplay::pagePictureOrMark(int slot, const QString& path)
{
    // A picture that is not there or cannot be decoded keeps its slot: the
    // page, and every page after it, still fills. Other failures end it.
    try {
        return pagePicture(slot, path);
    } catch (const platform::AppError& error) {
        if (error.number() != platform::err::InvalidPicture && error.number() != platform::err::FileNotFound)
            throw;
    }
    const QSizeF cell(mlngThumbWidth, mlngThumbHeight);
    const QSizeF logical = twips::toPixels(cell);
    return {QSize(qMax(1, qRound(logical.width())), qMax(1, qRound(logical.height()))),
            display::UnreadableThumbnail(display::DevicePixels(cell, pixelRatio()))};
}

platform::LoadedPicture frmDisplay::pagePicture(int slot, const QString& path)
{
    // The list may have changed during a yield; a job for another path is
    // of no use then.
    if (slot < pageJobs_.size() && pageJobs_[slot].path == path) {
        const display::DecodedPicture decoded = pageJobs_[slot].future.result();
        if (decoded.error != -1)
            return decoded.take();
    }
    return display::LoadNow(thumbnailLoader(), path, thumbSizeFor()).take();
}

void frmDisplay::imgTN_Click(int index)
{
    if (index < 0 || index >= imgTN.size())
        return;
    for (display::ThumbBox* box : imgTN)
        box->setFrameShape(QFrame::NoFrame);
    imgTN[index]->setFrameShape(QFrame::Box);
    mintSelected = imgTN[index]->tag.toInt();
}

void frmDisplay::imgTN_DblClick(int index)
{
    if (index < 0 || index >= imgTN.size())
        return;
    openSingleImage(imgTN[index]->toolTip());
}

void frmDisplay::imgTN_MouseDown(int index, Qt::MouseButton button, QPoint globalPosition)
{
    if (button != Qt::RightButton || !services_.onThumbnailMenu || index < 0 || index >= imgTN.size())
        return;
    QString& context = services_.state.ContextImage;
    context = imgTN[index]->toolTip();
    const QString shown = context;
    // The menu's command has run when this returns; what it did to the
    // image shows in the context image.
    services_.onThumbnailMenu(index, globalPosition);
    if (context != shown && index < imgTN.size()) {
        if (context == QLatin1String("DELETE")) {
            imgTN[index]->setToolTip(QStringLiteral("Image Deleted"));
            mintIndex = std::max(1, mintIndex - mintPageSize);
            context.clear();
            TNDisplay();
        } else {
            imgTN[index]->setToolTip(context);
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
    single.mbolSingle = true;
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
