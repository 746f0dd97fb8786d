#include "platform/regularfile.h"

#include "platform/apperror.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

[[noreturn]] void failClosing(int fd, int number)
{
    ::close(fd);
    throwError(number);
}

} // namespace

int openNonBlocking(const QString& path, int flags)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer, and for writing wait for a reader. It changes nothing for a
    // regular file.
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        throwErrnoFor(errno, path);
    return fd;
}

int openRegularFile(const QString& path, int flags)
{
    const int fd = openNonBlocking(path, flags);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int statError = errno;
        ::close(fd);
        throwErrno(statError);
    }
    if (!S_ISREG(info.st_mode))
        failClosing(fd, err::PathFileAccess);
    return fd;
}

bool openRegularFile(QFile& file, const QString& path)
{
    int fd = -1;
    try {
        fd = openRegularFile(path, O_RDONLY);
    } catch (const AppError&) {
        return false;
    }
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

QByteArray readRegularFile(const QString& path, qint64 maxBytes)
{
    const int fd = openRegularFile(path, O_RDONLY);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_size > maxBytes)
        failClosing(fd, err::OutOfMemory);
    QByteArray content;
    content.reserve(qsizetype(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int readError = errno;
            ::close(fd);
            throwErrno(readError);
        }
        if (got == 0)
            break;
        if (got > maxBytes - content.size())
            failClosing(fd, err::OutOfMemory);
        content.append(buffer, got);
    }
    ::close(fd);
    return content;
}

} // namespace platform
