#include "support/failingfilesystem.h"

#include "platform/apperror.h"

namespace testsupport {

namespace {

// "/a/b/" and "/a/b" name the same folder.
QString comparable(const QString& path)
{
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

} // namespace

void FailingFileSystem::failOnce(FsCall call, int number, const QString& path)
{
    planned_.append({call, number, path, true});
}

void FailingFileSystem::failAlways(FsCall call, int number, const QString& path)
{
    planned_.append({call, number, path, false});
}

void FailingFileSystem::check(FsCall call, const QString& path)
{
    for (qsizetype i = 0; i < planned_.size(); ++i) {
        const Planned planned = planned_.at(i);
        if (planned.call != call || (!planned.path.isEmpty() && comparable(planned.path) != comparable(path)))
            continue;
        if (planned.once)
            planned_.removeAt(i);
        platform::throwError(planned.number);
    }
}

QList<platform::DirEntry> FailingFileSystem::list(const QString& folder, platform::ListFilter filter)
{
    check(FsCall::List, folder);
    return inner_.list(folder, filter);
}

int FailingFileSystem::attributes(const QString& path)
{
    check(FsCall::Attributes, path);
    return inner_.attributes(path);
}

bool FailingFileSystem::exists(const QString& path)
{
    check(FsCall::Exists, path);
    return inner_.exists(path);
}

void FailingFileSystem::createFolder(const QString& path)
{
    check(FsCall::CreateFolder, path);
    inner_.createFolder(path);
}

platform::FileId FailingFileSystem::identity(const QString& path)
{
    check(FsCall::Identity, path);
    return inner_.identity(path);
}

bool FailingFileSystem::isPseudoFolder(const QString& path)
{
    check(FsCall::IsPseudoFolder, path);
    return inner_.isPseudoFolder(path);
}

QList<platform::Volume> FailingFileSystem::volumes()
{
    check(FsCall::Volumes, {});
    return inner_.volumes();
}

QByteArray FailingFileSystem::readFile(const QString& path, qint64 maxBytes)
{
    check(FsCall::ReadFile, path);
    return inner_.readFile(path, maxBytes);
}

QByteArray FailingFileSystem::readFileHead(const QString& path, qint64 maxBytes)
{
    check(FsCall::ReadFile, path);
    return inner_.readFileHead(path, maxBytes);
}

void FailingFileSystem::writeFile(const QString& path, const QByteArray& content)
{
    check(FsCall::WriteFile, path);
    inner_.writeFile(path, content);
}

void FailingFileSystem::appendFile(const QString& path, const QByteArray& content)
{
    check(FsCall::AppendFile, path);
    inner_.appendFile(path, content);
}

void FailingFileSystem::copyFile(const QString& from, const QString& to, platform::CopyMode mode)
{
    check(FsCall::CopyFile, from);
    check(FsCall::CopyFile, to);
    inner_.copyFile(from, to, mode);
}

void FailingFileSystem::rename(const QString& from, const QString& to)
{
    check(FsCall::Rename, from);
    inner_.rename(from, to);
}

void FailingFileSystem::removeFile(const QString& path)
{
    check(FsCall::RemoveFile, path);
    inner_.removeFile(path);
}

int errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const platform::AppError& error) {
        return error.number();
    }
    return 0;
}

} // namespace testsupport
