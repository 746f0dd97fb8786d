// The keys and the wheel that act by what they are rather than by the
// character they type: stepping through a show, and moving the selection
// over a page of thumbnails.
#include "display/frmdisplay.h"

#include "display/thumbbox.h"

#include <QHash>
#include <QKeyEvent>
#include <QWheelEvent>

#include <cstdlib>

bool frmDisplay::eventFilter(QObject* watched, QEvent* event)
{
    // A preview's buttons and scroll bar hold the focus; these keys act over them.
    if (event->type() == QEvent::KeyPress && actOnKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool frmDisplay::actOnKey(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Escape) {
        Form_DblClick();
        return true;
    }
    if (mode_ == display::DisplayMode::PreviewThumbs)
        return thumbnailKey(event);
    if (mode_ == display::DisplayMode::Single || !show_.list())
        return false;
    return stepByHand(event.key());
}

bool frmDisplay::stepByHand(int key)
{
    // As N and P: a step by hand starts a full delay.
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        MoveNext();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        MovePrevious();
        break;
    case Qt::Key_Home:
        show_.first();
        setScrollValue(show_.mintIndex);
        break;
    case Qt::Key_End:
        show_.last();
        setScrollValue(show_.mintIndex);
        break;
    default:
        return false;
    }
    show_.mintDelayCurrent = 0;
    return true;
}

void frmDisplay::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (mode_ != display::DisplayMode::Standard && mode_ != display::DisplayMode::PreviewFull)
        return;
    wheelTurned_ += event->angleDelta().y();
    if (std::abs(wheelTurned_) < QWheelEvent::DefaultDeltasPerStep || !show_.list())
        return;
    const bool down = wheelTurned_ < 0;
    wheelTurned_ = 0;
    stepByHand(down ? Qt::Key_Down : Qt::Key_Up);
}

int frmDisplay::selectedSlot() const
{
    const QVector<display::PageEntry>& entries = pager_.entries();
    for (int slot = 0; pager_.mintSelected != 0 && slot < entries.size(); ++slot) {
        if (entries[slot].position == pager_.mintSelected)
            return slot;
    }
    return -1;
}

bool frmDisplay::thumbnailKey(const QKeyEvent& event)
{
    const int key = event.key();
    const int slot = selectedSlot();
    const bool menu = key == Qt::Key_Menu || (key == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
    if (menu && slot >= 0)
        imgTN_MouseDown(slot, Qt::RightButton, imgTN[slot]->mapToGlobal(imgTN[slot]->rect().center()));
    else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && slot >= 0)
        imgTN_DblClick(slot);
    if (menu || key == Qt::Key_Return || key == Qt::Key_Enter)
        return true;

    const int columns = pager_.grid().columns;
    const QHash<int, int> moves{
        {Qt::Key_Left, -1}, {Qt::Key_Right, 1}, {Qt::Key_Up, -columns}, {Qt::Key_Down, columns}};
    const int count = int(pager_.entries().size());
    if (!moves.contains(key) || count == 0)
        return moves.contains(key);
    const int target = slot < 0 ? 0 : slot + moves.value(key);
    if (target >= 0 && target < count)
        imgTN_Click(target);
    else if (key == Qt::Key_Down && target / columns <= (count - 1) / columns)
        imgTN_Click(count - 1); // the row below is short
    else
        selectAcrossPages(target, key);
    return true;
}

void frmDisplay::selectAcrossPages(int target, int key)
{
    // Pages as the Next and Previous buttons do, then selects where the
    // move went on: the same column for Up and Down, the page's first or
    // last thumbnail for Right and Left.
    const int columns = pager_.grid().columns;
    const int column = (target % columns + columns) % columns;
    const bool forward = target > 0;
    const QPointer<frmDisplay> self(this);
    if (forward)
        MoveNext();
    else
        MovePrevious();
    if (!self || !loaded_ || mode_ != display::DisplayMode::PreviewThumbs)
        return;
    const int count = int(pager_.entries().size());
    if (count == 0)
        return;
    int slot = count - 1;
    if (forward)
        slot = key == Qt::Key_Down ? column : 0;
    else if (key == Qt::Key_Up)
        slot = (count - 1) / columns * columns + column;
    imgTN_Click(qMin(slot, count - 1));
}
