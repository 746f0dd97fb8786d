// The notes a show gives at its foot when a key changed something, and the
// names a screen reader gives the window and its picture.
#include "display/frmdisplay.h"

#include "display/noteview.h"

#include <QFileInfo>
#include <QLabel>

void frmDisplay::flashNote(const QString& text)
{
    note_.flash(text, services_.clock());
    noteView_->refresh();
}

void frmDisplay::toggleInfoNote()
{
    QString text;
    if (mode_ == display::DisplayMode::Single) {
        text = QFileInfo(imgMain->toolTip()).fileName();
    } else if (const auto path = show_.pathAt(show_.mintIndex)) {
        text = QStringLiteral("%1   %2 / %3")
                   .arg(QFileInfo(*path).fileName())
                   .arg(show_.mintIndex)
                   .arg(show_.count());
    }
    if (text.isEmpty() || mode_ == display::DisplayMode::PreviewThumbs)
        return;
    note_.toggleInfo(text);
    noteView_->refresh();
}

void frmDisplay::pictureShown(const QString& path)
{
    note_.pictureChanged();
    noteView_->refresh();
    const QString name = QFileInfo(path).fileName();
    imgMain->setAccessibleName(name);
    const char* what = "Slide show: %1";
    if (mode_ == display::DisplayMode::PreviewFull)
        what = "Preview: %1";
    else if (mode_ == display::DisplayMode::Single)
        what = "Picture: %1";
    setAccessibleName(QString::fromLatin1(what).arg(name));
}

void frmDisplay::clearNote()
{
    note_ = {};
    noteView_->refresh();
}

void frmDisplay::nameThumbnailPage(int first)
{
    const int size = qMax(1, pager_.mintPageSize());
    // A page may begin anywhere in the list: what lies before it counts as
    // pages of its own, the last of them perhaps short.
    const int before = (first - 1 + size - 1) / size;
    const int from = qMax(1, show_.count() - first + 1);
    setAccessibleName(
        QStringLiteral("Thumbnails, page %1 of %2").arg(before + 1).arg(before + (from + size - 1) / size));
}
