// Runs every JPEG below the folders it is given through the program's picture
// loading, as a show on a 1920 x 1080 screen would ask for it, and sorts the
// results: shown, shown in part (the decoder warned of damage), or refused
// with a numbered failure. Prints the slowest picture and the peak memory.
// With --orientation DIR it also checks that DIR's orientation_N.jpg files
// (N = 1..8) all show the same upright picture as orientation_1.jpg.
#include "platform/apperror.h"
#include "platform/picture.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <sys/resource.h>

namespace {

QStringList damageWarnings;

void collectWarnings(QtMsgType, const QMessageLogContext&, const QString& message)
{
    damageWarnings << message;
}

QSize shownOnScreen(QSize own)
{
    return own.scaled(own.boundedTo(QSize(1728, 972)), Qt::KeepAspectRatio);
}

// A JPEG that stops before its end-of-image marker was decoded in part (the
// decoder fills the rest); Qt does not always pass its warning on.
bool cutShort(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 2)
        return true;
    file.seek(std::max<qint64>(0, file.size() - 64));
    return !file.readAll().contains("\xff\xd9");
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Mean absolute difference of two pictures scaled to 32 x 32, per channel.
double difference(const QImage& a, const QImage& b)
{
    const QImage x = a.scaled(32, 32).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(32, 32).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < 32; ++row)
        for (int column = 0; column < 32; ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (32 * 32 * 3);
}

int checkOrientation(const QString& folder, QTextStream& out)
{
    const platform::FilePictureLoader loader;
    const QImage upright = loader.load(folder + "/orientation_1.jpg", {}).image;
    int wrong = 0;
    for (int n = 2; n <= 8; ++n) {
        const QImage turned =
            loader.load(QStringLiteral("%1/orientation_%2.jpg").arg(folder).arg(n), {}).image;
        const double d = turned.size() == upright.size() ? difference(turned, upright) : 255;
        out << "orientation " << n << ": " << turned.width() << " x " << turned.height() << ", difference "
            << d << (d < 12 ? " upright" : " WRONG") << "\n";
        wrong += d < 12 ? 0 : 1;
    }
    return wrong;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    QStringList folders = QGuiApplication::arguments().mid(1);
    QString orientationFolder;
    if (const qsizetype at = folders.indexOf("--orientation"); at >= 0 && at + 1 < folders.size()) {
        orientationFolder = folders.at(at + 1);
        folders.remove(at, 2);
    }
    QTextStream out(stdout);
    const platform::FilePictureLoader loader;
    int shown = 0, partly = 0, refused = 0;
    qint64 slowest = 0;
    QString slowestName;
    qInstallMessageHandler(collectWarnings);
    for (const QString& folder : folders) {
        QDirIterator files(folder, {"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            damageWarnings.clear();
            QElapsedTimer timer;
            timer.start();
            QString verdict;
            try {
                const platform::LoadedPicture picture = loader.load(path, shownOnScreen);
                const bool whole = damageWarnings.isEmpty() && !cutShort(path);
                verdict = whole ? "shown" : "shown in part";
                (whole ? shown : partly)++;
            } catch (const platform::AppError& error) {
                verdict = QStringLiteral("refused %1").arg(error.number());
                ++refused;
            }
            const qint64 took = timer.elapsed();
            if (took >= slowest) {
                slowest = took;
                slowestName = path;
            }
            out << verdict << "\t" << took << " ms\t" << QFileInfo(path).fileName() << "\n";
        }
    }
    qInstallMessageHandler(nullptr);
    out << "files " << shown + partly + refused << ", shown " << shown << ", shown in part " << partly
        << ", refused " << refused << "\n";
    out << "slowest " << slowest << " ms (" << QFileInfo(slowestName).fileName() << "), peak memory "
        << peakMegabytes() << " MB\n";
    const int wrongOrientations = orientationFolder.isEmpty() ? 0 : checkOrientation(orientationFolder, out);
    return wrongOrientations == 0 ? 0 : 1;
}
