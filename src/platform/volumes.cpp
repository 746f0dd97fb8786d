#include "platform/volumes.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace platform {

bool isKernelFileSystem(const QByteArray& type)
{
    static const QByteArrayList kernel = {
        "proc",   "sysfs",       "devtmpfs", "devpts",     "cgroup",  "cgroup2",   "securityfs",
        "pstore", "debugfs",     "tracefs",  "configfs",   "fusectl", "mqueue",    "hugetlbfs",
        "bpf",    "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",    "selinuxfs", "autofs"};
    return kernel.contains(type);
}

bool isPseudoFileSystem(const QByteArray& type)
{
    // Stored files, but no drive a user would pick.
    static const QByteArrayList notDrives = {"tmpfs", "overlay",         "squashfs",
                                             "ramfs", "fuse.gvfsd-fuse", "fuse.portal"};
    return isKernelFileSystem(type) || notDrives.contains(type);
}

DriveType driveTypeFor(const QByteArray& type, const QString& mountPoint)
{
    static const QByteArrayList network = {"nfs",       "nfs4",       "cifs",       "smbfs", "smb3",
                                           "sshfs",     "fuse.sshfs", "9p",         "afs",   "ceph",
                                           "glusterfs", "davfs",      "fuse.rclone"};
    if (network.contains(type))
        return DriveType::Network;
    if (type == "iso9660" || type == "udf")
        return DriveType::CdRom;
    if (mountPoint.startsWith(QLatin1String("/media/")) ||
        mountPoint.startsWith(QLatin1String("/run/media/")) || mountPoint.startsWith(QLatin1String("/mnt/")))
        return DriveType::Removable;
    if (type.isEmpty())
        return DriveType::Unknown;
    return DriveType::Fixed;
}

QList<Volume> systemVolumes()
{
    QList<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || isPseudoFileSystem(storage.fileSystemType()))
            continue;
        const QString root = storage.rootPath();
        // Containers bind single files (/etc/hosts); only folders can be browsed.
        if (!QFileInfo(root).isDir())
            continue;
        if (std::any_of(volumes.cbegin(), volumes.cend(), [&](const Volume& v) { return v.root == root; }))
            continue;
        volumes.append({root, driveTypeFor(storage.fileSystemType(), root)});
    }
    std::stable_sort(volumes.begin(), volumes.end(), [](const Volume& a, const Volume& b) {
        return (a.root == QLatin1String("/")) > (b.root == QLatin1String("/"));
    });
    if (volumes.isEmpty() || volumes.first().root != QLatin1String("/"))
        volumes.prepend({QStringLiteral("/"), DriveType::Fixed});
    return volumes;
}

QString volumeLabel(const Volume& volume)
{
    return volume.root;
}

} // namespace platform
