// The machine's file system through POSIX calls, so that every failure keeps
// its errno for the one table that turns it into a classic number.
#include "platform/apperror.h"
#include "platform/filesystem.h"
#include "platform/naturalorder.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// What an entry is, following a link to what it points at; 0 for anything
// the listing leaves out (devices, sockets, broken links).
mode_t kindOf(int folderFd, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_REG:
        return S_IFREG;
    case DT_DIR:
        return S_IFDIR;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat info {};
        if (::fstatat(folderFd, entry->d_name, &info, 0) != 0)
            return 0;
        return S_ISREG(info.st_mode) || S_ISDIR(info.st_mode) ? (info.st_mode & S_IFMT) : 0;
    }
    default:
        return 0;
    }
}

bool wanted(mode_t kind, const QByteArray& name, ListFilter filter)
{
    if (kind == S_IFDIR)
        return filter.folders;
    switch (filter.files) {
    case FileMatch::None:
        return false;
    case FileMatch::Jpeg:
        return matchesJpeg(name);
    case FileMatch::All:
        break;
    }
    return true;
}

// The entry's name as text. A name that is not valid text in the system
// encoding cannot be given back to the file system: its decoded form would
// name another file, or none, so such an entry is left out as hidden ones
// are. ASCII, most names, is its own encoding and needs no round trip.
std::optional<QString> decodedName(const QByteArray& name)
{
    if (std::all_of(name.cbegin(), name.cend(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(name);
    QString decoded = QFile::decodeName(name);
    if (QFile::encodeName(decoded) != name)
        return std::nullopt;
    return decoded;
}

struct stat statOf(const QString& path)
{
    struct stat info {};
    if (::stat(encoded(path).constData(), &info) != 0)
        throwErrnoFor(errno, path);
    return info;
}

} // namespace

QList<DirEntry> LocalFileSystem::list(const QString& folder, ListFilter filter)
{
    DIR* dir = ::opendir(encoded(folder).constData());
    if (!dir) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        throwErrno(errno, MissingPart::Folder);
    }
    QList<DirEntry> entries;
    const int fd = ::dirfd(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const QByteArray name = QByteArray::fromRawData(entry->d_name, qsizetype(::strlen(entry->d_name)));
        const mode_t kind = kindOf(fd, entry);
        if (kind != 0 && wanted(kind, name, filter)) {
            if (const std::optional<QString> decoded = decodedName(name))
                entries.append({*decoded, kind == S_IFDIR});
        }
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0)
        throwErrno(readError, MissingPart::Folder);
    naturalSort(entries, [](const DirEntry& entry) -> const QString& { return entry.name; });
    return entries;
}

int LocalFileSystem::attributes(const QString& path)
{
    const struct stat info = statOf(path);
    int bits = S_ISDIR(info.st_mode) ? attr::Directory : attr::Normal;
    if (QFileInfo(path).fileName().startsWith(QLatin1Char('.')))
        bits |= attr::Hidden;
    if (::access(encoded(path).constData(), W_OK) != 0 && errno != ENOENT)
        bits |= attr::ReadOnly;
    return bits;
}

bool LocalFileSystem::exists(const QString& path)
{
    struct stat info {};
    return ::lstat(encoded(path).constData(), &info) == 0;
}

void LocalFileSystem::createFolder(const QString& path)
{
    if (::mkdir(encoded(path).constData(), 0777) != 0)
        throwErrnoFor(errno, path);
}

FileId LocalFileSystem::identity(const QString& path)
{
    const struct stat info = statOf(path);
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

bool LocalFileSystem::isPseudoFolder(const QString& path)
{
    // The mount table knows the type by name; this runs only where a scan
    // crosses onto another device.
    return isKernelFileSystem(QStorageInfo(path).fileSystemType());
}

QList<Volume> LocalFileSystem::volumes()
{
    return systemVolumes();
}

QByteArray LocalFileSystem::readFile(const QString& path, qint64 maxBytes)
{
    return readRegularFile(path, maxBytes);
}

QByteArray LocalFileSystem::readFileHead(const QString& path, qint64 maxBytes)
{
    const int fd = openRegularFile(path, O_RDONLY);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throwErrno(EIO);
    }
    return file.read(maxBytes);
}

void LocalFileSystem::writeFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throwErrnoFor(errno != 0 ? errno : EACCES, path);
    if (file.write(content) != content.size()) {
        const int writeError = errno != 0 ? errno : EIO;
        file.cancelWriting();
        throwErrno(writeError);
    }
    errno = 0;
    if (!file.commit())
        throwErrno(errno != 0 ? errno : EIO);
}

namespace {

// The copy grows under a hidden name in the target's own folder, so that the
// final rename cannot cross devices and nobody sees half a picture. The
// target's name is cut so that the temporary one stays within the 255 bytes
// a name may hold.
QByteArray temporaryNameBeside(const QString& target)
{
    constexpr qsizetype NameMax = 255;
    const QByteArray suffix = ".lumarine-XXXXXX";
    const QByteArray name = encoded(fileNameOf(target)).left(NameMax - 1 - suffix.size());
    return encoded(withSeparator(parentFolderOf(target))) + '.' + name + suffix;
}

// RENAME_NOREPLACE where the file system has it; elsewhere a hard link,
// which fails on an existing name just the same.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.constData(), to.constData()) == 0)
        return ::unlink(from.constData()) == 0 ? 0 : errno;
    if (errno == EEXIST)
        return errno;
    // No hard links either (FAT media): the last resort checks first.
    struct stat info {};
    if (::lstat(to.constData(), &info) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size_t(size));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = EIO;
            return false;
        }
        data += put;
        size -= put;
    }
    return true;
}

// Copies the open source into the open target; errno on failure, 0 when
// every byte the source holds has arrived.
int copyContent(int source, int target, off_t expected)
{
    char buffer[1 << 16];
    off_t total = 0;
    for (;;) {
        const ssize_t got = ::read(source, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            break;
        if (!writeAll(target, buffer, got))
            return errno;
        total += got;
    }
    if (::fsync(target) != 0)
        return errno;
    // A source that shrank or grew meanwhile is not a whole copy.
    return total == expected ? 0 : EIO;
}

} // namespace

void LocalFileSystem::appendFile(const QString& path, const QByteArray& content)
{
    const int fd = openRegularFile(path, O_WRONLY | O_APPEND | O_CREAT);
    const bool written = writeAll(fd, content.constData(), content.size());
    const int writeError = errno;
    if (::close(fd) != 0 && written)
        throwErrno(errno);
    if (!written)
        throwErrno(writeError);
}

void LocalFileSystem::copyFile(const QString& from, const QString& to, CopyMode mode)
{
    const int source = openRegularFile(from, O_RDONLY);
    struct stat info {};
    if (::fstat(source, &info) != 0) {
        const int statError = errno;
        ::close(source);
        throwErrno(statError);
    }
    QByteArray temporary = temporaryNameBeside(to);
    const int target = ::mkstemp(temporary.data());
    if (target < 0) {
        const int createError = errno;
        ::close(source);
        throwErrnoFor(createError, to);
    }
    ::fchmod(target, info.st_mode & 0777);
    int failure = copyContent(source, target, info.st_size);
    ::close(source);
    if (::close(target) != 0 && failure == 0)
        failure = errno;
    if (failure == 0) {
        if (mode == CopyMode::Replace)
            failure = ::rename(temporary.constData(), encoded(to).constData()) == 0 ? 0 : errno;
        else
            failure = renameNoReplace(temporary, encoded(to));
    }
    if (failure != 0) {
        ::unlink(temporary.constData());
        throwErrno(failure);
    }
}

void LocalFileSystem::rename(const QString& from, const QString& to)
{
    const int failure = renameNoReplace(encoded(from), encoded(to));
    if (failure != 0)
        throwErrnoFor(failure, failure == ENOENT ? from : to);
}

void LocalFileSystem::removeFile(const QString& path)
{
    if (::unlink(encoded(path).constData()) != 0)
        throwErrnoFor(errno, path);
}

} // namespace platform
