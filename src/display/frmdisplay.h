#pragma once

#include "catalogue/showassembly.h"
#include "display/classicrandom.h"
#include "display/geometry.h"
#include "display/picturejobs.h"
#include "platform/apperror.h"

#include <QPixmap>
#include <QPointer>
#include <QRectF>
#include <QVector>
#include <QWidget>

#include <functional>
#include <optional>
#include <tuple>
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
class ThumbBox;
}

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
};

// The borderless black window that runs the shows. It is in one of these modes:
// - standard show: one picture at a time, no controls, the timer advances it;
// - preview: the same with the button column, path label and scroll bar, and
//   no timer; it has a full view and a thumbnail view (pages of pictures);
// - single image: a second window, opened modally from a thumbnail, showing
//   one picture until it is closed.
// Loading and unloading are states of the one window of the run, not its
// construction: values a show does not set, such as the delay, carry over.
class frmDisplay final : public QWidget, public catalogue::ShowWindow {
    Q_OBJECT

public:
    explicit frmDisplay(DisplayServices services, QWidget* parent = nullptr);
    ~frmDisplay() override;

    // How the show commands set the window up.
    void Load() override;
    void setSingle(bool single) override { mbolSingle = single; }
    void setDelay(int seconds) override { mintDelay = seconds; }
    void SetCurrent(catalogue::ImageCollection& colCurr) override;
    void SetStandard() override;
    void SetPreview() override;
    void Start() override;
    // Hides the window, clears its thumbnails and rebuilds the favourites box.
    void Unload();
    bool isLoaded() const { return loaded_; }

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

    // Written by the callers.
    catalogue::ImageCollection* mcolCurrent = nullptr;
    bool mbolSingle = false;
    qint32 mintDelay = 0;
    // The show's state. Positions are 32-bit: a list is not limited to 32767.
    qint32 mintDelayCurrent = 0;
    qint32 mintIndex = 0;
    bool mbolPreview = false;
    bool mbolPaused = false;
    bool mbolStarted = false;
    bool mbolAbort = false;
    bool mbolThumbs = false;
    qint32 mlngThumbArea = 0;
    qint32 mlngThumbWidth = 0;
    qint32 mlngThumbHeight = 0;
    qint32 mintPageSize = 0;
    QVector<QPointF> mvarThumbPos;
    qint32 mintSelected = 0;

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
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Target = std::variant<int, QString>;

    void buildControls();
    void resetControls();
    void showOnScreen();
    QScreen* targetScreen() const;
    qreal pixelRatio() const;
    std::optional<QString> pathAt(qint32 position) const;
    std::optional<QString> currentImage() const;
    void setScrollValue(qint32 value);
    void yieldToEvents();

    // DisplayImage's steps and its failure table.
    void displayTarget(const Target& target);
    void loadMainPicture(const QString& path);
    void fitAndShowMain();
    void handleDisplayFailure(const platform::AppError& error);
    void hideForEmptyList();
    void prefetchNext();
    double takeRandom();

    // The thumbnail view.
    void TNLayout();
    void showPage();
    display::ThumbBox* thumbAt(int slot);
    void startPageJobs();
    void cancelPageJobs();
    void preparePage();
    void cancelPreparedJobs();
    const platform::PictureLoader& thumbnailLoader() const;
    platform::LoadedPicture pagePicture(int slot, const QString& path);
    platform::LoadedPicture pagePictureOrMark(int slot, const QString& path);
    platform::ShownSizeFor thumbSizeFor() const;
    platform::ShownSizeFor screenSizeFor() const;

    DisplayServices services_;
    display::PictureJobs jobs_;
    display::ClassicRandom random_;
    std::optional<double> pendingRandom_;
    display::PictureJob prefetch_;
    QVector<display::PictureJob> pageJobs_;
    // The page after the one shown, decoded once that one has filled, and
    // the cell (width, height, pixel ratio) it was decoded for.
    QVector<display::PictureJob> preparedJobs_;
    std::tuple<qint32, qint32, qreal> preparedCell_{};
    int pageGeneration_ = 0;
    bool loaded_ = false;
    std::optional<QSizeF> screenOverride_;
    qreal ratioOverride_ = 0;
    QSizeF pictureTwips_{4095, 2415};
    QPixmap picture_;
    QRectF imgMainTwips_;
};
