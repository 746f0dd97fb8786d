#pragma once

// What the benchmark programs share: a message box that counts instead of
// asking, a photograph-like test picture, timing and the djpeg baseline.
#include "platform/dialogs.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace benchsupport {

class CountingDialogs final : public platform::Dialogs {
public:
    int msgBox(const QString& text, int, const QString&) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        ++messages;
        return platform::mb::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(platform::FileDialogState&) override { return {}; }
    QString saveFile(platform::FileDialogState&) override { return {}; }
    int messages = 0;
};

// Something like a photograph for the encoder: smooth areas, edges and grain.
inline QImage photoLike(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(0.6, QColor(200, 210, 230));
    sky.setColorAt(1, QColor(60, 110, 50));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(7);
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(
            QColor::fromHsv(random.bounded(360), 120 + random.bounded(120), 80 + random.bounded(170)));
        painter.setPen(Qt::NoPen);
        const int w = 50 + random.bounded(600);
        painter.drawEllipse(random.bounded(size.width()), random.bounded(size.height()), w, w * 2 / 3);
    }
    painter.end();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int grain = int(random.bounded(24)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + grain, 255), qBound(0, qGreen(p) + grain, 255),
                           qBound(0, qBlue(p) + grain, 255));
        }
    }
    return image;
}

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The lowest and highest of the rounds: on a shared machine the medians
// alone hide how noisy they were.
inline QByteArray spread(const QList<double>& values)
{
    const auto [low, high] = std::minmax_element(values.cbegin(), values.cend());
    return QByteArray::number(*low, 'f', 1) + '-' + QByteArray::number(*high, 'f', 1);
}

inline double timeMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

inline void djpeg(const QString& djpegPath, const QString& scale, const QString& file)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(djpegPath, {QStringLiteral("-scale"), scale, file});
    process.waitForFinished(-1);
}

} // namespace benchsupport
