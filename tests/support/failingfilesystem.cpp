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
    const std::lock_guard lock(mutex_);
    planned_.append({call, number, path, true});
}

void FailingFileSystem::failAlways(FsCall call, int number, const QString& path)
{
    const std::lock_guard lock(mutex_);
    planned_.append({call, number, path, false});
}

platform::FileSystem& FailingFileSystem::after(FsCall call, const QString& path)
{
    const std::lock_guard lock(mutex_);
    for (qsizetype i = 0; i < planned_.size(); ++i) {
        const Planned planned = planned_.at(i);
        if (planned.call != call || (!planned.path.isEmpty() && comparable(planned.path) != comparable(path)))
            continue;
        if (planned.once)
            planned_.removeAt(i);
        platform::throwError(planned.number);
    }
    return inner_;
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
