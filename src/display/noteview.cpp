#include "display/noteview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace display {

namespace {

// The text's height, and the box's padding and distance from the foot of the
// window, as parts of the window's height: the note keeps its proportions on
// any screen.
constexpr qreal textPart = 1.0 / 36;
constexpr qreal paddingPart = 0.6;
constexpr qreal footPart = 1.0 / 14;
constexpr int fadeFrameMs = 40;

} // namespace

NoteView::NoteView(const ShowNote& note, std::function<qint64()> clock, QWidget* parent)
    : QWidget(parent), note_(note), clock_(std::move(clock))
{
    setObjectName(QStringLiteral("note"));
    // The window's double-click beside the picture goes through the note.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    fadeTimer_.setInterval(fadeFrameMs);
    connect(&fadeTimer_, &QTimer::timeout, this, &NoteView::refresh);
    hide();
}

QFont NoteView::noteFont(qreal scale) const
{
    QFont font = this->font();
    const int parentHeight = parentWidget() ? parentWidget()->height() : 600;
    font.setPixelSize(qMax(1, qRound(qMax(14.0, parentHeight * textPart) * scale)));
    return font;
}

void NoteView::refresh()
{
    const qint64 now = clock_();
    const QString text = note_.textAt(now);
    if (!note_.fadingAt(now))
        fadeTimer_.stop();
    else if (!fadeTimer_.isActive())
        fadeTimer_.start();
    setAccessibleName(text.isEmpty() ? QStringLiteral("Note") : text);
    if (text.isEmpty() || !parentWidget()) {
        hide();
        return;
    }
    const QFontMetrics metrics(noteFont(1));
    const int padding = qRound(metrics.height() * paddingPart);
    const QSize size(metrics.horizontalAdvance(text) + 2 * padding, metrics.height() + padding);
    const QSize room = parentWidget()->size();
    setGeometry((room.width() - size.width()) / 2,
                room.height() - size.height() - qRound(room.height() * footPart), size.width(),
                size.height());
    show();
    raise();
    update();
}

void NoteView::paintEvent(QPaintEvent*)
{
    const qint64 now = clock_();
    const QString text = note_.textAt(now);
    if (text.isEmpty())
        return;
    // Drawn in device pixels, at whole pixels, so that the box's edges and the
    // text stay sharp whatever the screen's scale.
    const qreal ratio = devicePixelRatioF();
    QPainter painter(this);
    painter.scale(1 / ratio, 1 / ratio);
    painter.setOpacity(note_.opacityAt(now));
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect box(0, 0, qRound(width() * ratio), qRound(height() * ratio));
    const QFont font = noteFont(ratio);
    const qreal radius = QFontMetrics(font).height() / 3.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawRoundedRect(box, radius, radius);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace display
