#include "support/tree.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace testsupport {

bool makeTree(const QString& root, const QStringList& paths, const QByteArray& content)
{
    const QDir base(root);
    for (const QString& path : paths) {
        const bool folder = path.endsWith(QLatin1Char('/'));
        if (!base.mkpath(folder ? path : QFileInfo(path).path()) ||
            (!folder && !writeBytes(base.filePath(path), content)))
            return false;
    }
    return true;
}

bool writeBytes(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool makeSpecialFile(const QString& kind, const QString& path, const QByteArray& content)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("file"))
        return writeBytes(path, content);
    if (kind == QLatin1String("random bytes")) {
        QByteArray bytes(1 << 16, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        return writeBytes(path, bytes);
    }
    if (kind == QLatin1String("1 GB"))
        return writeBytes(path, content) && QFile::resize(path, qint64(1) << 30);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == QLatin1String("folder"))
        return ::mkdir(name.constData(), 0700) == 0;
    if (kind == QLatin1String("device"))
        return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 5)) == 0;
    if (kind == QLatin1String("dangling link"))
        return ::symlink("nowhere.jpg", name.constData()) == 0;
    return false;
}

ContentsRemover::~ContentsRemover()
{
    // find works below its start by descriptor.
    QProcess::execute(QStringLiteral("find"),
                      {root, QStringLiteral("-mindepth"), QStringLiteral("1"), QStringLiteral("-delete")});
}

} // namespace testsupport
