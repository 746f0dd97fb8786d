#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace platform {

// The classic drive kinds; their numbers are the ones the folder browser's
// image choice is written in.
enum class DriveType { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4 };

// Mount points stand where drive letters stood: "/" first, then the others.
struct Volume {
    QString root;
    DriveType type = DriveType::Unknown;
};

// Only volumes that hold real file systems; pseudo file systems (proc, sysfs,
// tmpfs and the like) are left out.
QList<Volume> systemVolumes();

bool isPseudoFileSystem(const QByteArray& fileSystemType);
// The pseudo file systems that are kernel interfaces. Unlike the drive list,
// tmpfs and overlay count as stored files here: /tmp and a container's root
// live on them.
bool isKernelFileSystem(const QByteArray& fileSystemType);
DriveType driveTypeFor(const QByteArray& fileSystemType, const QString& mountPoint);

// The text a volume shows in the drive lists: "/" for the root, otherwise the
// mount point itself.
QString volumeLabel(const Volume& volume);

} // namespace platform
