// The display window: set-up, starting, the timer, stepping and the keys.
#include "display/frmdisplay.h"

#include "catalogue/appstate.h"
#include "display/thumbbox.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

frmDisplay::frmDisplay(DisplayServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), services_(std::move(services)),
      jobs_(services_.pictures)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);
    buildControls();
    tim1 = new QTimer(this);
    tim1->setObjectName(QStringLiteral("tim1"));
    tim1->setInterval(1000);
    connect(tim1, &QTimer::timeout, this, &frmDisplay::tim1_Timer);
}

frmDisplay::~frmDisplay()
{
    prefetch_.cancel();
    cancelPageJobs();
    cancelPreparedJobs();
}

void frmDisplay::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    mbolAbort = false;
}

void frmDisplay::Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    tim1->stop();
    hide();
    TNClear();
    cancelPreparedJobs();
    resetControls();
    prefetch_.cancel();
    prefetch_ = {};
    if (services_.onUnload)
        services_.onUnload();
    emit unloaded();
}

void frmDisplay::SetCurrent(catalogue::ImageCollection& colCurr)
{
    mcolCurrent = &colCurr;
}

void frmDisplay::SetStandard()
{
    tim1->start();
    mbolPreview = false;
    TNClear();
}

void frmDisplay::SetPreview()
{
    lblPath->show();
    hscMain->show();
    framControls->show();
    tim1->stop();
    mbolPreview = true;
}

void frmDisplay::Start()
{
    Load();
    mintIndex = 1;
    // Every show gives its first picture the whole delay, whatever the last
    // show or its W key left counted.
    mintDelayCurrent = 0;
    {
        // Setting the range is not a move of the user's: it displays nothing.
        const QSignalBlocker quiet(hscMain);
        const int count = mcolCurrent ? int(mcolCurrent->Count()) : 0;
        hscMain->setRange(1, qMax(1, count));
        hscMain->setValue(1);
    }
    // The last show's picture must not flash up when the window appears.
    imgMain->hide();
    showOnScreen();
    if (!services_.state.ThumbPreview || !mbolPreview) {
        cmdControl[6]->setText(QStringLiteral("Thumbs"));
        DisplayImage(mintIndex);
    } else {
        cmdControl[6]->setText(QStringLiteral("Full"));
        TNLayout();
        showPage();
    }
    mbolStarted = true;
}

QScreen* frmDisplay::targetScreen() const
{
    QScreen* screen = services_.screen ? services_.screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

qreal frmDisplay::pixelRatio() const
{
    if (ratioOverride_ > 0)
        return ratioOverride_;
    QScreen* screen = targetScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

QSizeF frmDisplay::screenTwips() const
{
    if (screenOverride_)
        return *screenOverride_;
    QScreen* screen = targetScreen();
    return twips::fromPixels(QSizeF(screen ? screen->geometry().size() : QSize(800, 600)));
}

void frmDisplay::showOnScreen()
{
    QScreen* screen = targetScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    const QSizeF pixels = twips::toPixels(screenTwips());
    if (screen && windowHandle())
        windowHandle()->setScreen(screen);
    setGeometry(QRect(origin, QSize(qRound(pixels.width()), qRound(pixels.height()))));
    if (screenOverride_) {
        show();
    } else {
        showFullScreen();
        raise();
        activateWindow();
    }
    if (mbolPreview && cmdControl[0]->isVisible())
        cmdControl[0]->setFocus(Qt::TabFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

std::optional<QString> frmDisplay::pathAt(qint32 position) const
{
    if (!mcolCurrent || position < 1 || position > mcolCurrent->Count())
        return std::nullopt;
    return mcolCurrent->Item(position);
}

void frmDisplay::tim1_Timer()
{
    if (mbolPaused || mbolSingle)
        return;
    ++mintDelayCurrent;
    if (mintDelayCurrent < mintDelay)
        return;
    mintDelayCurrent = 0;
    const int count = mcolCurrent ? int(mcolCurrent->Count()) : 0;
    if (services_.state.RandomShow) {
        mintIndex = display::ClassicRandom::positionFor(takeRandom(), count);
    } else {
        ++mintIndex;
        if (mintIndex > count)
            mintIndex = 1;
    }
    // By position, so that a list emptied during the show meets
    // DisplayImage's own handling rather than failing here.
    DisplayImage(mintIndex);
}

double frmDisplay::takeRandom()
{
    // A value drawn ahead for the decode of the next picture is the one the
    // next tick uses, so the sequence of positions is that of the generator.
    if (pendingRandom_) {
        const double value = *pendingRandom_;
        pendingRandom_.reset();
        return value;
    }
    return random_.next();
}

void frmDisplay::setScrollValue(qint32 value)
{
    // A list that grew during the show must not leave the position beyond
    // the bar's end, where the bar would hold it back.
    if (value > hscMain->maximum())
        hscMain->setMaximum(value);
    hscMain->setValue(value);
}

void frmDisplay::MoveNext()
{
    const int count = mcolCurrent ? int(mcolCurrent->Count()) : 0;
    if (!mbolThumbs)
        ++mintIndex;
    if (mintIndex > count)
        mintIndex = 1;
    setScrollValue(mintIndex);
}

void frmDisplay::MovePrevious()
{
    const int count = mcolCurrent ? int(mcolCurrent->Count()) : 0;
    if (mbolThumbs) {
        mintIndex -= 2 * mintPageSize;
        if (mintIndex < 1)
            mintIndex = count - mintPageSize;
        // A list shorter than a page has no page before the first.
        if (mintIndex < 1)
            mintIndex = 1;
    } else {
        --mintIndex;
        if (mintIndex < 1)
            mintIndex = qMax(1, count);
    }
    setScrollValue(mintIndex);
}

void frmDisplay::yieldToEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
