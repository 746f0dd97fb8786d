#include "support/failingfilesystem.h"

#include "platform/apperror.h"

namespace testsupport {

void FailingFileSystem::plan(const Planned& planned)
{
    const std::lock_guard lock(mutex_);
    planned_.append(planned);
}

platform::FileSystem& FailingFileSystem::after(FsCall call, const QString& path)
{
    const std::lock_guard lock(mutex_);
    for (qsizetype i = 0; i < planned_.size(); ++i) {
        const Planned planned = planned_.at(i);
        // "/a/b/" and "/a/b" name the same folder.
        const auto comparable = [](const QString& p) {
            return p.size() > 1 && p.endsWith('/') ? p.chopped(1) : p;
        };
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
