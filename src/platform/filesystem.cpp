#include "platform/filesystem.h"

#include "platform/apperror.h"

namespace platform {

QList<DirEntry> FileSystem::list(const QString& folder, ListFilter filter)
{
    failures_.check(FsCall::List, folder);
    return doList(folder, filter);
}

int FileSystem::attributes(const QString& path)
{
    failures_.check(FsCall::Attributes, path);
    return doAttributes(path);
}

bool FileSystem::exists(const QString& path)
{
    failures_.check(FsCall::Exists, path);
    return doExists(path);
}

void FileSystem::createFolder(const QString& path)
{
    failures_.check(FsCall::CreateFolder, path);
    doCreateFolder(path);
}

FileId FileSystem::identity(const QString& path)
{
    failures_.check(FsCall::Identity, path);
    return doIdentity(path);
}

bool FileSystem::isPseudoFolder(const QString& path)
{
    failures_.check(FsCall::IsPseudoFolder, path);
    return doIsPseudoFolder(path);
}

QList<Volume> FileSystem::volumes()
{
    failures_.check(FsCall::Volumes, {});
    return doVolumes();
}

QByteArray FileSystem::readFile(const QString& path, qint64 maxBytes)
{
    failures_.check(FsCall::ReadFile, path);
    return doReadFile(path, maxBytes);
}

QByteArray FileSystem::readFileHead(const QString& path, qint64 maxBytes)
{
    failures_.check(FsCall::ReadFile, path);
    return doReadFileHead(path, maxBytes);
}

void FileSystem::writeFile(const QString& path, const QByteArray& content)
{
    failures_.check(FsCall::WriteFile, path);
    doWriteFile(path, content);
}

void FileSystem::appendFile(const QString& path, const QByteArray& content)
{
    failures_.check(FsCall::AppendFile, path);
    doAppendFile(path, content);
}

void FileSystem::copyFile(const QString& from, const QString& to, CopyMode mode)
{
    failures_.check(FsCall::CopyFile, from);
    failures_.check(FsCall::CopyFile, to);
    doCopyFile(from, to, mode);
}

void FileSystem::rename(const QString& from, const QString& to)
{
    failures_.check(FsCall::Rename, from);
    doRename(from, to);
}

void FileSystem::removeFile(const QString& path)
{
    failures_.check(FsCall::RemoveFile, path);
    doRemoveFile(path);
}

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

bool isKernelFileSystem(const QByteArray& type)
{
    // Unlike the drive list, tmpfs and overlay count as stored files here:
    // /tmp and a container's root live on them.
    static const QByteArrayList kernel = {
        "proc",   "sysfs",       "devtmpfs", "devpts",     "cgroup",  "cgroup2",   "securityfs",
        "pstore", "debugfs",     "tracefs",  "configfs",   "fusectl", "mqueue",    "hugetlbfs",
        "bpf",    "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",    "selinuxfs", "autofs"};
    return kernel.contains(type);
}

} // namespace platform
