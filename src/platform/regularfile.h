#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <limits>

namespace platform {

inline constexpr qint64 NoSizeLimit = std::numeric_limits<qint64>::max();

// Opens a path without ever waiting, even on a FIFO or a device; throws the
// failure's classic number (53/76 when it is missing). Returns the descriptor.
int openNonBlocking(const QString& path, int flags);

// Opens a path for reading only when it names a regular file, whatever links
// led there. The type is read from the open descriptor, so a file replaced
// by a FIFO between a check and the open cannot hold the program: the open
// itself never waits. Throws 53/76 when it is missing, 75 for a folder, a
// FIFO, a device or a socket. Returns the descriptor.
int openRegularFile(const QString& path, int flags);

// Opens file for reading on path when it names a regular file, as above;
// false for anything else, without waiting and without saying why.
bool openRegularFile(QFile& file, const QString& path);

// The whole content of a regular file. A file larger than maxBytes is
// refused with 7 before anything is read, and reading stops there should
// the file grow meanwhile, so memory stays bounded whatever the file holds.
QByteArray readRegularFile(const QString& path, qint64 maxBytes = NoSizeLimit);

} // namespace platform
