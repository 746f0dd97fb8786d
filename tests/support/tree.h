#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

// Makes files and folders below root: a path ending in "/" is a folder, any
// other a file holding content. Folders on the way are made too. Returns
// false when anything could not be made.
bool makeTree(const QString& root, const QStringList& paths, const QByteArray& content = "x");
bool writeBytes(const QString& path, const QByteArray& content);
QByteArray readBytes(const QString& path);

} // namespace testsupport
