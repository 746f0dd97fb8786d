#include "samplegen.h"

#include "exif.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cmath>

QList<SamplePicture> sampleCollection()
{
    QList<SamplePicture> pictures = {
        {"Landscapes/Mountains/Peaks/peak_01.jpg", {6000, 4000}},
        {"Landscapes/Mountains/Peaks/peak_02.jpg", {1600, 1200}},
        {"Landscapes/Mountains/Peaks/peak_10.jpg", {1024, 768}},
        {"Landscapes/Mountains/Valleys/valley_01.jpg", {2000, 1333}},
        {"Landscapes/Mountains/Valleys/valley_02.JPG", {800, 600}},
        {"Landscapes/Mountains/ridge.jpg", {1920, 1080}},
        {"Landscapes/Coast/Beaches/beach_01.jpg", {1280, 960}},
        {"Landscapes/Coast/Beaches/beach_02.jpeg", {640, 480}},
        {"Landscapes/Coast/Cliffs/cliff_01.jpg", {1500, 1000}},
        {"Landscapes/Coast/harbour.jpg", {2400, 1600}},
        {"Landscapes/lake.jpg", {1200, 800}},
        {"Landscapes/meadow.jpg", {320, 240}},
        {"Portraits/Family/2023/anna.jpg", {1200, 1600}},
        {"Portraits/Family/2023/ben.jpg", {900, 1200}},
        {"Portraits/Family/2023/rotated_6.jpg", {1200, 1600}, 6},
        {"Portraits/Family/2024/clara.jpg", {1080, 1920}},
        {"Portraits/Family/2024/david.jpg", {768, 1024}},
        {"Portraits/Family/2024/rotated_8.jpg", {1600, 1200}, 8},
        {"Portraits/Friends/Party/eve.jpg", {4000, 6000}},
        {"Portraits/Friends/Party/frank.jpg", {600, 800}},
        {"Portraits/Friends/gina.jpg", {1000, 1500}},
        {"Portraits/self.jpg", {480, 640}},
        {"ab/cd/ef/deep_01.jpg", {800, 800}},
        {"ab/cd/ef/deep_02.jpg", {1000, 750}},
        {"ab/cd/square.jpg", {1200, 1200}},
        {"ab/two_letters.jpg", {1024, 576}},
        {"City/Night/Streets/street_01.jpg", {1600, 900}},
        {"City/Night/Streets/street_02.jpg", {1366, 768}},
        {"City/Night/Streets/street_03.jpg", {900, 1600}},
        {"City/Night/neon.jpg", {1440, 1080}},
        {"City/Day/Parks/park_01.jpg", {1280, 720}},
        {"City/Day/Parks/park_02.jpg", {720, 1280}},
        {"City/Day/Parks/park_03.jpg", {1000, 1000}},
        {"City/Day/market.jpg", {3000, 2000}},
        {"City/Day/tower.jpg", {1000, 3000}},
        {"City/skyline.jpg", {2560, 1080}},
        {"Animals/Birds/Gulls/gull_01.jpg", {1200, 900}},
        {"Animals/Birds/Gulls/gull_02.jpg", {900, 1200}},
        {"Animals/Birds/owl.jpg", {1024, 1024}},
        {"Animals/Cats/tabby.jpg", {1500, 1125}},
        {"Animals/dog.jpg", {1280, 853}},
        {"IMG_2.jpg", {800, 533}},
        {"IMG_10.jpg", {533, 800}},
        {"Welcome.jpg", {1600, 1067}},
    };
    return pictures;
}

namespace {

int unitMargin(const QSize& size)
{
    return std::max(4, std::min(size.width(), size.height()) / 40);
}

// A pattern that differs from picture to picture: a hue gradient with
// stripes, rings or a checkerboard, chosen by the picture's number.
void paintPattern(QPainter& painter, const QSize& size, int number)
{
    const QRect area(QPoint(0, 0), size);
    const int hue = (number * 47) % 360;
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0, QColor::fromHsv(hue, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv((hue + 60) % 360, 200, 90));
    painter.fillRect(area, gradient);

    const int unit = std::max(8, std::min(size.width(), size.height()) / 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromHsv((hue + 180) % 360, 120, 250, 90));
    switch (number % 3) {
    case 0:
        for (int x = -size.height(); x < size.width(); x += 2 * unit)
            painter.drawPolygon(QPolygon({QPoint(x, 0), QPoint(x + unit, 0),
                                          QPoint(x + unit + size.height(), size.height()),
                                          QPoint(x + size.height(), size.height())}));
        break;
    case 1:
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor::fromHsv((hue + 180) % 360, 120, 250, 110), unit / 2));
        for (int r = unit; r < std::max(size.width(), size.height()); r += unit * 2)
            painter.drawEllipse(area.center(), r, r);
        break;
    default:
        for (int y = 0; y < size.height(); y += unit)
            for (int x = (y / unit % 2) * unit; x < size.width(); x += 2 * unit)
                painter.drawRect(x, y, unit, unit);
        break;
    }
}

void paintLabel(QPainter& painter, const QSize& size, const QString& name, int number)
{
    const QRect area(QPoint(0, 0), size);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(12, size.width() / std::max<int>(8, name.size() + 2)));
    painter.setFont(font);
    const QRect band(0, size.height() / 2 - font.pixelSize(), size.width(), font.pixelSize() * 2);
    painter.fillRect(band, QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, name);

    QFont small = font;
    small.setPixelSize(std::max(10, font.pixelSize() / 3));
    painter.setFont(small);
    painter.drawText(area.adjusted(unitMargin(size), unitMargin(size), -unitMargin(size), -unitMargin(size)),
                     Qt::AlignTop | Qt::AlignLeft,
                     QStringLiteral("#%1  %2 x %3").arg(number).arg(size.width()).arg(size.height()));
    // An arrow that points up when the picture is shown the right way up.
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    const int a = std::max(10, std::min(size.width(), size.height()) / 10);
    const QPoint tip(size.width() / 2, a / 2);
    painter.drawPolygon(QPolygon({tip, tip + QPoint(a / 2, a), tip + QPoint(-a / 2, a)}));
}

QImage pictureFor(const SamplePicture& picture, int number)
{
    QImage image(picture.size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPattern(painter, picture.size, number);
    paintLabel(painter, picture.size, QFileInfo(picture.relativePath).fileName(), number);
    painter.end();
    // Stored turned the other way, so that a viewer applying the EXIF
    // orientation shows it upright.
    if (picture.orientation == 6)
        return image.transformed(QTransform().rotate(-90));
    if (picture.orientation == 8)
        return image.transformed(QTransform().rotate(90));
    return image;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray encodeJpeg(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(88);
    writer.write(image);
    return buffer.data();
}

} // namespace

QStringList writeSampleCollection(const QString& folder)
{
    const QDir root(folder);
    QStringList listed;
    int number = 0;
    for (const SamplePicture& picture : sampleCollection()) {
        ++number;
        QByteArray jpeg = encodeJpeg(pictureFor(picture, number));
        if (picture.orientation != 1)
            jpeg = withExifOrientation(jpeg, picture.orientation);
        const QString path = root.filePath(picture.relativePath);
        if (!writeFile(path, jpeg))
            return {};
        if (number % 4 == 1)
            listed << QDir::cleanPath(path);
    }
    // Hidden entries that a scan must skip.
    const QByteArray hiddenJpeg = encodeJpeg(pictureFor({".hidden/secret.jpg", {320, 240}}, 0));
    writeFile(root.filePath(".hidden/secret.jpg"), hiddenJpeg);
    writeFile(root.filePath(".hidden/Deeper/secret_02.jpg"), hiddenJpeg);
    writeFile(root.filePath("Landscapes/.thumbnail.jpg"), hiddenJpeg);
    writeFile(root.filePath("Landscapes/notes.txt"), "Not a picture.\n");

    QByteArray list;
    for (const QString& path : listed)
        list += path.toUtf8() + "\r\n";
    if (!writeFile(root.filePath("sample.lum"), list))
        return {};
    return listed;
}
