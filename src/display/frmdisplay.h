#pragma once

#include "catalogue/showassembly.h"
#include "display/geometry.h"
#include "display/picturejobs.h"
#include "display/shownote.h"
#include "display/showsequence.h"
#include "display/thumbpager.h"
#include "platform/apperror.h"

#include <QPointer>
#include <QRectF>
#include <QVector>
#include <QWidget>

#include <functional>
#include <optional>
#include <variant>

class QFrame;
class QLabel;
class QPushButton;
class QScreen;
class QScrollBar;
class QTimer;

namespace basLumarine {
struct AppState;
}
namespace catalogue {
class ImageCollection;
}
namespace platform {
class Dialogs;
}

namespace display {
class NoteView;
class ThumbBox;
} // namespace display

// What the display window needs from the rest of the program.
struct DisplayServices {
    basLumarine::AppState& state;
    platform::Dialogs& dialogs;
    const platform::PictureLoader& pictures;
    // The main window's ListFavorites: run whenever the window closes.
    std::function<void()> onUnload;
    // The image menu over a thumbnail (right button down).
    std::function<void(int index, QPoint globalPosition)> onThumbnailMenu;
    // The screen that shows the main window; the primary screen when unset.
    std::function<QScreen*()> screen;
    // Thumbnails, when they come from elsewhere than the pictures (the
    // desktop's thumbnail cache).
    const platform::PictureLoader* thumbnails = nullptr;
    // Milliseconds of a steady clock, which times the notes; a real one when unset.
    std::function<qint64()> clock = {};
};

namespace display {

// What the display window is doing; one of these at a time.
enum class DisplayMode {
    Standard,      // a timed show: one picture at a time, no controls, the timer advances it
    PreviewFull,   // a preview stepped by hand: one picture, the button column, path label and scroll bar
    PreviewThumbs, // a preview's pages of thumbnails, with the same controls
    Single,        // a second window, opened modally from a thumbnail, showing one picture until closed
};

} // namespace display

// The borderless black window that runs the shows: it draws what its show
// sequence and thumbnail pager decide and passes the user's acts to them.
// Loading and unloading are states of the one window of the run, not its
// construction: values a show does not set, such as the delay, carry over.
class frmDisplay final : public QWidget, public catalogue::ShowWindow {
    Q_OBJECT

public:
    explicit frmDisplay(DisplayServices services, QWidget* parent = nullptr);
    ~frmDisplay() override;

    // How the show commands set the window up.
    void Load() override;
    void setSingle(bool single) override;
    void setDelay(int seconds) override { show_.mintDelay = seconds; }
    void SetCurrent(catalogue::ImageCollection& colCurr) override { show_.setList(colCurr); }
    void SetStandard() override;
    void SetPreview() override;
    void Start() override { StartAt(1); }
    void StartAt(int position) override;
    // Hides the window, clears its thumbnails and rebuilds the favourites box.
    void Unload();
    bool isLoaded() const { return loaded_; }
    // While no show runs: decodes the picture the next show will most likely
    // begin with, so that it is on screen as soon as the window is.
    void decodeFirstAhead(const QString& path);

    void MoveNext();
    void MovePrevious();
    void DisplayImage(int position);
    void DisplayImage(const QString& path);
    void AddToFavorites(const QString& strAdd);
    bool IsInFavorites(const QString& strImg) const;
    void TNDisplay();
    void TNClear();

    // Handlers, public so that the program's own presses and the tests reach
    // them the way the user does.
    void tim1_Timer();
    void cmdControl_Click(int index);
    void hscMain_Change();
    void hscMain_Scroll(int position);
    void Form_KeyPress(int keyAscii);
    void Form_DblClick();
    void imgTN_Click(int index);
    void imgTN_DblClick(int index);
    void imgTN_MouseDown(int index, Qt::MouseButton button, QPoint globalPosition);
    // A second window showing one picture, modal over this one, until closed.
    void openSingleImage(const QString& path);

    // The screen in twips and its device pixel ratio. Tests give them;
    // otherwise they are those of the screen that shows the main window.
    void setScreenTwips(QSizeF size, qreal devicePixelRatio = 0)
    {
        screenOverride_ = size;
        ratioOverride_ = devicePixelRatio;
    }
    QSizeF screenTwips() const;
    // Where the picture stands, in twips, as last fitted and placed.
    QRectF imgMainTwips() const { return imgMainTwips_; }

    display::DisplayMode mode() const { return mode_; }
    const display::ShowSequence& sequence() const { return show_; }
    const display::ThumbPager& pager() const { return pager_; }
    // The list shown, which the image menu acts on while the window is visible.
    catalogue::ImageCollection* mcolCurrent() const { return show_.list(); }
    qint32 mintIndex() const { return show_.mintIndex; }
    qint32 mintDelay() const { return show_.mintDelay; }
    bool mbolSingle() const { return mode_ == display::DisplayMode::Single; }

    QLabel* imgMain = nullptr;
    QTimer* tim1 = nullptr;
    QFrame* framControls = nullptr;
    QVector<QPushButton*> cmdControl;
    QLabel* lblStatus = nullptr;
    QLabel* lblPath = nullptr;
    QScrollBar* hscMain = nullptr;
    QVector<display::ThumbBox*> imgTN;

signals:
    void unloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Target = std::variant<int, QString>;

    void buildControls();
    void resetControls();
    void showOnScreen();
    QScreen* targetScreen() const;
    qreal pixelRatio() const;
    std::optional<QString> currentImage() const;
    void setScrollValue(qint32 value);
    void showFullView();
    void showThumbnailView();
    void leaveSingle();
    // The keys that act by what they are rather than the character they type.
    bool actOnKey(const QKeyEvent& event);
    bool stepByHand(int key);
    bool thumbnailKey(const QKeyEvent& event);
    int selectedSlot() const;
    void selectAcrossPages(int slot, int key);

    // DisplayImage's steps and its failure table.
    void displayTarget(const Target& target);
    void fitAndShowMain();
    void handleDisplayFailure(const platform::AppError& error);
    void hideForEmptyList();

    // The note at the foot of the show, and what a screen reader hears the window is.
    void flashNote(const QString& text);
    void toggleInfoNote();
    // A label's text, with the name a screen reader gives it while it has none.
    static void setLabel(QLabel* label, const QString& text, const QString& nameWhenEmpty);
    static const QString NotAFavorite;
    static const QString PathWhileDragged;
    void pictureShown(const QString& path);
    void clearNote();
    void nameThumbnailPage(int first);
    platform::ShownSizeFor screenSizeFor() const;

    // The thumbnail view.
    void TNLayout();
    void showPage();
    void drawThumbnail(int slot, const QString& path, const platform::LoadedPicture& picture);
    display::ThumbBox* thumbAt(int slot);

    DisplayServices services_;
    display::PictureJobs jobs_;
    display::ShowSequence show_;
    display::ThumbPager pager_;
    display::DisplayMode mode_ = display::DisplayMode::Standard;
    bool loaded_ = false;
    std::optional<QSizeF> screenOverride_;
    qreal ratioOverride_ = 0;
    // The wheel's turn not yet stepped: a touchpad turns it in small parts.
    int wheelTurned_ = 0;
    // The picture's own size in twips; a picture that cannot be decoded
    // leaves the last one's, which is placed again.
    QSizeF pictureTwips_{4095, 2415};
    QRectF imgMainTwips_;
    display::ShowNote note_;
    display::NoteView* noteView_ = nullptr;
};
