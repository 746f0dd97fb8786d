// The display window's controls: the button column, the path label and the
// scroll bar of a preview, the keys and the mouse, and the favourites they change.
#include "display/frmdisplay.h"

#include "catalogue/appstate.h"
#include "display/thumbbox.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

QRect pixelRect(double left, double top, double width, double height)
{
    const QRectF r = twips::toPixels(QRectF(left, top, width, height));
    return {qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height())};
}

QPalette whiteOnBlack(QPalette palette)
{
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    return palette;
}

// The application's own colours, set on every role, so that they hold against
// the black window's.
QPalette visibleOnBlack(const QPalette& inherited)
{
    QPalette palette = inherited;
    const QPalette standard = QApplication::palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = QPalette::ColorRole(role);
        if (r != QPalette::NoRole)
            palette.setBrush(r, standard.brush(r));
    }
    return palette;
}

struct ButtonDesign {
    const char* caption;
    int top;
};

// By index; the tab order is Add, Remove, Next, Previous, Menu, Delete, Thumbs.
const ButtonDesign buttonDesigns[] = {{"&Add", 240},  {"Remove", 1680}, {"&Next", 720},  {"&Previous", 1200},
                                      {"Menu", 3120}, {"Delete", 2160}, {"Thumbs", 2160}};

} // namespace

const QString frmDisplay::NotAFavorite = QStringLiteral("Not a favorite");
const QString frmDisplay::PathWhileDragged = QStringLiteral("Path of the picture at the bar");

void frmDisplay::setLabel(QLabel* label, const QString& text, const QString& nameWhenEmpty)
{
    label->setText(text);
    label->setAccessibleName(text.isEmpty() ? nameWhenEmpty : text);
}

void frmDisplay::buildControls()
{
    imgMain = new QLabel(this);
    imgMain->setObjectName(QStringLiteral("imgMain"));
    imgMain->setScaledContents(true);
    imgMain->setGeometry(pixelRect(3000, 1800, 4095, 2415));
    imgMain->setAccessibleName(QStringLiteral("Picture"));

    framControls = new QFrame(this);
    framControls->setObjectName(QStringLiteral("framControls"));
    framControls->setAccessibleName(QStringLiteral("Preview controls"));
    framControls->setPalette(whiteOnBlack(framControls->palette()));
    framControls->setAutoFillBackground(true);
    framControls->setGeometry(pixelRect(120, 240, 1095, 3615));
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(buttonDesigns[i].caption), framControls);
        button->setObjectName(QStringLiteral("cmdControl_%1").arg(i));
        button->setGeometry(pixelRect(120, buttonDesigns[i].top, 855, 375));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdControl_Click(i); });
        cmdControl.append(button);
    }
    // Delete has never had a command here.
    cmdControl[5]->hide();

    lblStatus = new QLabel(framControls);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setAlignment(Qt::AlignCenter);
    lblStatus->setPalette(whiteOnBlack(lblStatus->palette()));
    lblStatus->setGeometry(pixelRect(120, 3600, 855, 255));
    setLabel(lblStatus, {}, NotAFavorite);
    lblStatus->hide();

    lblPath = new QLabel(this);
    lblPath->setObjectName(QStringLiteral("lblPath"));
    lblPath->setPalette(whiteOnBlack(lblPath->palette()));
    lblPath->setGeometry(pixelRect(1440, 240, 8535, 255));
    setLabel(lblPath, {}, PathWhileDragged);

    hscMain = new QScrollBar(Qt::Horizontal, this);
    hscMain->setObjectName(QStringLiteral("hscMain"));
    hscMain->setAccessibleName(QStringLiteral("Position in the show"));
    // The window's white on black would hide the bar's arrows.
    hscMain->setPalette(visibleOnBlack(hscMain->palette()));
    hscMain->setGeometry(pixelRect(1440, 600, 7575, 255));
    hscMain->setFocusPolicy(Qt::StrongFocus);
    // The value changes once, when a drag ends; during the drag only the
    // path label follows the thumb.
    hscMain->setTracking(false);
    hscMain->setPageStep(1);
    connect(hscMain, &QScrollBar::valueChanged, this, &frmDisplay::hscMain_Change);
    connect(hscMain, &QScrollBar::sliderMoved, this, &frmDisplay::hscMain_Scroll);

    setTabOrder(cmdControl[0], cmdControl[1]);
    setTabOrder(cmdControl[1], cmdControl[2]);
    setTabOrder(cmdControl[2], cmdControl[3]);
    setTabOrder(cmdControl[3], cmdControl[4]);
    setTabOrder(cmdControl[4], cmdControl[5]);
    setTabOrder(cmdControl[5], hscMain);
    setTabOrder(hscMain, cmdControl[6]);
    // The keys that move through the show act over whichever control holds the focus.
    for (QPushButton* button : std::as_const(cmdControl))
        button->installEventFilter(this);
    hscMain->installEventFilter(this);

    imgTN.append(new display::ThumbBox(0, this));
    imgTN[0]->setGeometry(pixelRect(2280, 5160, 1695, 1455));
    resetControls();
}

void frmDisplay::resetControls()
{
    // The design's state, in which every show begins.
    framControls->hide();
    lblPath->hide();
    hscMain->hide();
    imgMain->show();
    cmdControl[6]->setText(QStringLiteral("Thumbs"));
}

std::optional<QString> frmDisplay::currentImage() const
{
    if (services_.state.ThumbPreview)
        return pager_.mintSelected != 0 ? show_.pathAt(pager_.mintSelected) : std::nullopt;
    return show_.pathAt(show_.mintIndex);
}

void frmDisplay::cmdControl_Click(int index)
{
    switch (index) {
    case 0:
        if (const auto path = currentImage())
            AddToFavorites(*path);
        break;
    case 1:
        if (const auto path = currentImage(); path && IsInFavorites(*path))
            services_.state.Favorites.Remove(*path);
        break;
    case 2:
        MoveNext();
        break;
    case 3:
        MovePrevious();
        break;
    case 4:
        show_.mbolStarted = false;
        pager_.mbolAbort = true;
        hide();
        TNClear();
        Unload();
        break;
    case 6:
        if (services_.state.ThumbPreview)
            showFullView();
        else
            showThumbnailView();
        break;
    default:
        break;
    }
}

void frmDisplay::showFullView()
{
    // The full view resumes at the picture after the page.
    pager_.mbolAbort = true;
    cmdControl[6]->setText(QStringLiteral("Thumbs"));
    services_.state.ThumbPreview = false;
    imgMain->show();
    TNClear();
    DisplayImage(show_.mintIndex);
}

void frmDisplay::showThumbnailView()
{
    // A stop request left over from an earlier switch no longer applies.
    pager_.mbolAbort = false;
    cmdControl[6]->setText(QStringLiteral("Full"));
    services_.state.ThumbPreview = true;
    imgMain->hide();
    TNLayout();
    showPage();
}

void frmDisplay::AddToFavorites(const QString& strAdd)
{
    if (IsInFavorites(strAdd))
        return;
    services_.state.Favorites.Add(strAdd);
    setLabel(lblStatus, QStringLiteral("Added!"), NotAFavorite);
}

bool frmDisplay::IsInFavorites(const QString& strImg) const
{
    const catalogue::ImageCollection& favorites = services_.state.Favorites;
    return favorites.Contains(strImg) && !favorites.Item(strImg).isEmpty();
}

void frmDisplay::hscMain_Change()
{
    if (!show_.mbolStarted)
        return;
    // Let a page still loading see the stop request and end.
    pager_.mbolAbort = true;
    const QPointer<frmDisplay> self(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!self || !loaded_)
        return;
    show_.mintIndex = hscMain->value();
    pager_.mbolAbort = false;
    DisplayImage(show_.mintIndex);
}

void frmDisplay::hscMain_Scroll(int position)
{
    setLabel(lblPath, show_.pathAt(position).value_or(QString()), PathWhileDragged);
}

void frmDisplay::Form_KeyPress(int keyAscii)
{
    switch (keyAscii) {
    case 27:
    case 32:
        Form_DblClick();
        break;
    case 65:
    case 97:
        // The single-image window has no list, and in the thumbnail view the
        // position may lie past the end: then there is nothing to add.
        if (const auto path = show_.pathAt(show_.mintIndex)) {
            const bool already = IsInFavorites(*path);
            AddToFavorites(*path);
            flashNote(already ? QStringLiteral("Already a favorite") : QStringLiteral("Added to favorites"));
        }
        break;
    case 73:
    case 105:
        toggleInfoNote();
        break;
    case 78:
    case 110:
        if (show_.list()) {
            MoveNext();
            show_.mintDelayCurrent = 0;
        }
        break;
    case 80:
    case 112:
        if (show_.list()) {
            MovePrevious();
            show_.mintDelayCurrent = 0;
        }
        break;
    case 87:
    case 119:
        show_.togglePause();
        // Only a timed show plays.
        if (mode_ == display::DisplayMode::Standard)
            flashNote(show_.mbolPaused ? QStringLiteral("Paused") : QStringLiteral("Playing"));
        break;
    default:
        break;
    }
}

void frmDisplay::keyPressEvent(QKeyEvent* event)
{
    if (actOnKey(*event)) {
        event->accept();
        return;
    }
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
    show_.mbolPaused = false;
    leaveSingle();
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
