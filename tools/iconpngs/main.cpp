// Writes the program's icon as PNG files in the hicolor theme's layout:
// lumarine_iconpngs FOLDER NAME SIZE... makes FOLDER/<size>x<size>/apps/NAME.png.
// Run at build time, so that the installed icons are the window's own.
#include "app/appicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: lumarine_iconpngs FOLDER NAME SIZE...\n");
        return 2;
    }
    for (const QString& sizeText : arguments.mid(3)) {
        const int size = sizeText.toInt();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, arguments[2]);
        if (size <= 0 || !QDir().mkpath(folder) || !app::AppIconImage(size).save(file)) {
            std::fprintf(stderr, "lumarine_iconpngs: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
