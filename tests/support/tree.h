#pragma once

#include <QStringList>

namespace testsupport {

// Makes files and folders below root: a path ending in "/" is a folder, any
// other a file holding content. Folders on the way are made too. Returns
// false when anything could not be made.
bool makeTree(const QString& root, const QStringList& paths, const QByteArray& content = "x");
bool writeBytes(const QString& path, const QByteArray& content);
QByteArray readBytes(const QString& path);

// Makes the kind of file a hostile-input test names at path: "file" (holding
// content), "random bytes" (64 KiB), "1 GB" (content, then sparse to 1 GB),
// "fifo", "folder", "device" (a character device node) or "dangling link".
// False when this machine cannot, for instance a device where nodes are not
// allowed.
bool makeSpecialFile(const QString& kind, const QString& path, const QByteArray& content = "x");

// Removes everything below root when it goes, so that a failing test cleans
// up too: also names that are no text and paths longer than the system
// takes, which QDir cannot.
struct ContentsRemover {
    QString root;
    ~ContentsRemover();
};

} // namespace testsupport
