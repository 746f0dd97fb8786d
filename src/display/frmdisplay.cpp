// The display window: set-up, starting, the timer, stepping and the keys.
#include "display/frmdisplay.h"

#include "catalogue/appstate.h"
#include "display/noteview.h"
#include "display/thumbbox.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
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
      jobs_(services_.pictures), show_(jobs_),
      pager_(jobs_, services_.thumbnails ? *services_.thumbnails : services_.pictures)
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
    if (!services_.clock)
        services_.clock = [] { return QDeadlineTimer::current().deadline(); };
    noteView_ = new display::NoteView(note_, services_.clock, this);
    tim1 = new QTimer(this);
    tim1->setObjectName(QStringLiteral("tim1"));
    tim1->setInterval(1000);
    connect(tim1, &QTimer::timeout, this, &frmDisplay::tim1_Timer);
}

frmDisplay::~frmDisplay() = default;

void frmDisplay::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    pager_.mbolAbort = false;
}

void frmDisplay::Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    tim1->stop();
    hide();
    TNClear();
    pager_.clearAll();
    resetControls();
    clearNote();
    show_.cancelAhead();
    if (services_.onUnload)
        services_.onUnload();
    emit unloaded();
}

void frmDisplay::decodeFirstAhead(const QString& path)
{
    if (!loaded_)
        show_.decodeFirst(path, screenSizeFor());
}

void frmDisplay::setSingle(bool single)
{
    if (single)
        mode_ = display::DisplayMode::Single;
    else
        leaveSingle();
}

void frmDisplay::leaveSingle()
{
    if (mode_ == display::DisplayMode::Single)
        mode_ = display::DisplayMode::Standard;
}

void frmDisplay::SetStandard()
{
    tim1->start();
    mode_ = display::DisplayMode::Standard;
    TNClear();
}

void frmDisplay::SetPreview()
{
    lblPath->show();
    hscMain->show();
    framControls->show();
    tim1->stop();
    mode_ = display::DisplayMode::PreviewFull;
}

void frmDisplay::StartAt(int position)
{
    Load();
    show_.start();
    show_.mintIndex = qBound(1, position, qMax(1, show_.count()));
    {
        // Setting the range is not a move of the user's: it displays nothing.
        const QSignalBlocker quiet(hscMain);
        hscMain->setRange(1, qMax(1, show_.count()));
        hscMain->setValue(show_.mintIndex);
    }
    const bool thumbnails = services_.state.ThumbPreview && mode_ == display::DisplayMode::PreviewFull;
    if (thumbnails) {
        // The page's decodes start before the window comes up: mapping it
        // takes time the decoders can use.
        TNLayout();
        pager_.prepare(show_.list(), show_.mintIndex);
    }
    // The last show's picture must not flash up when the window appears.
    imgMain->hide();
    showOnScreen();
    if (!thumbnails) {
        cmdControl[6]->setText(QStringLiteral("Thumbs"));
        DisplayImage(show_.mintIndex);
    } else {
        cmdControl[6]->setText(QStringLiteral("Full"));
        showPage();
    }
    show_.mbolStarted = true;
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
    return display::ScreenTwips(targetScreen());
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
    if (mode_ != display::DisplayMode::Standard && cmdControl[0]->isVisible())
        cmdControl[0]->setFocus(Qt::TabFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void frmDisplay::tim1_Timer()
{
    if (mode_ == display::DisplayMode::Single || !show_.tick(services_.state.RandomShow))
        return;
    // By position, so that a list emptied during the show meets
    // DisplayImage's own handling rather than failing here.
    DisplayImage(show_.mintIndex);
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
    show_.next(mode_ == display::DisplayMode::PreviewThumbs);
    setScrollValue(show_.mintIndex);
}

void frmDisplay::MovePrevious()
{
    show_.previous(mode_ == display::DisplayMode::PreviewThumbs, pager_.mintPageSize());
    setScrollValue(show_.mintIndex);
}
