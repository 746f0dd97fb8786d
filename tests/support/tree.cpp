#include "support/tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

bool makeTree(const QString& root, const QStringList& paths, const QByteArray& content)
{
    const QDir base(root);
    for (const QString& path : paths) {
        if (path.endsWith(QLatin1Char('/'))) {
            if (!base.mkpath(path))
                return false;
        } else if (!base.mkpath(QFileInfo(path).path()) || !writeBytes(base.filePath(path), content)) {
            return false;
        }
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

} // namespace testsupport
