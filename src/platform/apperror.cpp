#include "platform/apperror.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace platform {

AppError::AppError(int number) : AppError(number, standardDescription(number)) {}

AppError::AppError(int number, QString description)
    : number_(number), description_(std::move(description)),
      what_(QStringLiteral("%1: %2").arg(number_).arg(description_).toUtf8())
{
}

QString standardDescription(int number)
{
    switch (number) {
    case err::InvalidCall:
        return QStringLiteral("Invalid procedure call or argument");
    case err::OutOfMemory:
        return QStringLiteral("Out of memory");
    case err::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case err::BadFileName:
        return QStringLiteral("Bad file name or number");
    case err::FileNotFound:
        return QStringLiteral("File not found");
    case err::FileExists:
        return QStringLiteral("File already exists");
    case err::DiskFull:
        return QStringLiteral("Disk full");
    case err::PermissionDenied:
        return QStringLiteral("Permission denied");
    case err::DiskNotReady:
        return QStringLiteral("Disk not ready");
    case err::PathFileAccess:
        return QStringLiteral("Path/File access error");
    case err::PathNotFound:
        return QStringLiteral("Path not found");
    case err::MissingObject:
        return QStringLiteral("Object variable not set");
    case err::PropertyReadOnly:
        return QStringLiteral("'Text' property is read-only");
    case err::InvalidFileFormat:
        return QStringLiteral("Invalid file format");
    case err::DuplicateKey:
        return QStringLiteral("This key is already associated with an element of this collection");
    case err::InvalidPicture:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

int errorNumberForErrno(int errnoValue, MissingPart missing)
{
    switch (errnoValue) {
    case ENOENT:
        return missing == MissingPart::Folder ? err::PathNotFound : err::FileNotFound;
    case ENOTDIR:
        return err::PathNotFound;
    case EEXIST:
    case ENOTEMPTY:
        return err::FileExists;
    case ENOSPC:
    case EDQUOT:
        return err::DiskFull;
    case EACCES:
    case EPERM:
        return err::PermissionDenied;
    case EROFS:
    case EBUSY:
    case EISDIR:
    case EXDEV:
        return err::PathFileAccess;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        return err::DiskNotReady;
    case ENAMETOOLONG:
    case EINVAL:
        return err::BadFileName;
    default:
        return err::PathFileAccess;
    }
}

void throwError(int number)
{
    throw AppError(number);
}

void throwErrno(int errnoValue, MissingPart missing)
{
    throw AppError(errorNumberForErrno(errnoValue, missing));
}

void throwErrnoFor(int errnoValue, const QString& path)
{
    if (errnoValue != ENOENT)
        throwErrno(errnoValue);
    struct stat info {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const bool folderThere = ::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode);
    throwErrno(errnoValue, folderThere ? MissingPart::File : MissingPart::Folder);
}

} // namespace platform
