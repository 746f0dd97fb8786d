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

void frmDisplay::Form_KeyPress(int keyAscii)
{
    switch (keyAscii) {
    case 27:
    case 32:
        mbolPaused = false;
        mbolSingle = false;
        Unload();
        break;
    case 65:
    case 97:
        // The single-image window has no list, and in the thumbnail view the
        // position may lie past the end: then there is nothing to add.
        if (const auto path = pathAt(mintIndex))
            AddToFavorites(*path);
        break;
    case 78:
    case 110:
        if (mcolCurrent) {
            MoveNext();
            mintDelayCurrent = 0;
        }
        break;
    case 80:
    case 112:
        if (mcolCurrent) {
            MovePrevious();
            mintDelayCurrent = 0;
        }
        break;
    case 87:
    case 119:
        if (!mbolPaused) {
            mbolPaused = true;
            mintDelayCurrent = mintDelay - 1;
        } else {
            mbolPaused = false;
        }
        break;
    default:
        break;
    }
}

void frmDisplay::keyPressEvent(QKeyEvent* event)
{
    // Only keys typed to the window itself act; a key meant for a focused
    // button of the preview reaches here only because the button ignored it.
    QWidget* focused = focusWidget();
    if (focused && focused != this && focused->isVisible()) {
        event->ignore();
        return;
    }
    int code = event->text().isEmpty() ? 0 : event->text().at(0).unicode();
    if (code == 0 && event->key() == Qt::Key_Escape)
        code = 27;
    event->accept();
    Form_KeyPress(code);
}

void frmDisplay::Form_DblClick()
{
    mbolPaused = false;
    mbolSingle = false;
    Unload();
}

void frmDisplay::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Outside the controls and the picture only.
    QWidget* under = childAt(event->position().toPoint());
    event->accept();
    if (!under)
        Form_DblClick();
}

void frmDisplay::closeEvent(QCloseEvent* event)
{
    // Closed by the window manager: the same as any other way out.
    event->accept();
    Unload();
}

void frmDisplay::yieldToEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
