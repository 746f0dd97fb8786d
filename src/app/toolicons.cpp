#include "app/toolicons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace app {

namespace {

// Each drawing is on a 32 x 32 grid.
using Drawing = std::function<void(QPainter&)>;

const QColor ink(0x33, 0x33, 0x33);
const QColor paper(0xfa, 0xfa, 0xfa);
const QColor folder(0xe8, 0xb8, 0x4a);

void page(QPainter& p, QPointF at)
{
    QPainterPath sheet;
    sheet.moveTo(at + QPointF(0, 0));
    sheet.lineTo(at + QPointF(12, 0));
    sheet.lineTo(at + QPointF(18, 6));
    sheet.lineTo(at + QPointF(18, 24));
    sheet.lineTo(at + QPointF(0, 24));
    sheet.closeSubpath();
    p.setPen(QPen(ink, 1.5));
    p.setBrush(paper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({at + QPointF(12, 0), at + QPointF(12, 6), at + QPointF(18, 6)}));
}

void newPage(QPainter& p)
{
    page(p, {6, 4});
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x57), 3));
    p.drawLine(QPointF(22, 20), QPointF(22, 30));
    p.drawLine(QPointF(17, 25), QPointF(27, 25));
}

void closedFolder(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(folder);
    p.drawPolygon(QPolygonF({{2, 8}, {12, 8}, {15, 11}, {30, 11}, {30, 27}, {2, 27}}));
}

void openFolder(QPainter& p)
{
    closedFolder(p);
    p.setBrush(folder.lighter(120));
    p.drawPolygon(QPolygonF({{6, 15}, {31, 15}, {27, 27}, {2, 27}}));
}

void browse(QPainter& p)
{
    closedFolder(p);
    p.setPen(QPen(ink, 3));
    p.drawLine(QPointF(23, 23), QPointF(30, 30));
    p.setPen(QPen(ink, 2));
    p.setBrush(QColor(0xdd, 0xee, 0xff));
    p.drawEllipse(QPointF(19, 19), 6, 6);
}

void save(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(0x3d, 0x6f, 0xb0));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(paper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0x22, 0x22, 0x22));
    p.drawRect(QRectF(9, 18, 14, 10));
}

void copy(QPainter& p)
{
    page(p, {3, 2});
    page(p, {11, 7});
}

void thumbnails(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    const QColor colours[] = {{0x3d, 0x7e, 0xc9}, {0x2e, 0x8b, 0x57}, {0xe8, 0xb8, 0x4a}, {0xc9, 0x4f, 0x3d}};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(3 + (i % 2) * 14, 3 + (i / 2) * 14, 12, 12));
    }
}

void play(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(0x2e, 0x8b, 0x57));
    p.drawPolygon(QPolygonF({{8, 4}, {28, 16}, {8, 28}}));
}

void star(QPainter& p)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? 6 : 14;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(16 + radius * std::cos(angle), 17 + radius * std::sin(angle));
    }
    p.setPen(QPen(QColor(0x9a, 0x6b, 0x00), 1.5));
    p.setBrush(QColor(0xf2, 0xc2, 0x30));
    p.drawPolygon(points);
}

void help(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3d, 0x7e, 0xc9));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QFont font;
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
}

const QHash<QString, Drawing>& drawings()
{
    static const QHash<QString, Drawing> all{
        {QStringLiteral("document-new"), newPage},      {QStringLiteral("document-open"), openFolder},
        {QStringLiteral("document-save"), save},        {QStringLiteral("edit-copy"), copy},
        {QStringLiteral("folder-open"), browse},        {QStringLiteral("view-preview"), thumbnails},
        {QStringLiteral("media-playback-start"), play}, {QStringLiteral("emblem-favorite"), star},
        {QStringLiteral("help-contents"), help},
    };
    return all;
}

} // namespace

QImage OwnToolIcon(const QString& themeName, int size)
{
    const auto drawing = drawings().constFind(themeName);
    if (drawing == drawings().cend())
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / 32.0, size / 32.0);
    (*drawing)(painter);
    return image;
}

QIcon ToolIcon(const QString& themeName)
{
    QIcon own;
    for (int size : {16, 24, 32, 48, 64})
        own.addPixmap(QPixmap::fromImage(OwnToolIcon(themeName, size)));
    return QIcon::fromTheme(themeName, own);
}

} // namespace app
