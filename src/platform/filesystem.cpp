#include "platform/filesystem.h"

#include "platform/apperror.h"

namespace platform {

QString fileNameOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString parentFolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString joinPath(const QString& folder, const QString& name)
{
    return withSeparator(folder) + name;
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void checkPlainName(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QChar(0)) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        throwError(err::BadFileName);
}

namespace {

bool endsWithNoCase(const QByteArray& name, QByteArrayView suffix)
{
    if (name.size() < suffix.size())
        return false;
    const char* tail = name.constData() + (name.size() - suffix.size());
    for (qsizetype i = 0; i < suffix.size(); ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != suffix[i])
            return false;
    }
    return true;
}

} // namespace

bool matchesJpeg(const QByteArray& fileName)
{
    // The classic pattern also caught ".jpeg" names through their short names.
    return endsWithNoCase(fileName, ".jpg") || endsWithNoCase(fileName, ".jpeg");
}

} // namespace platform
