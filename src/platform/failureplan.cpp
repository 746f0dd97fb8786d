#include "platform/failureplan.h"

#include "platform/apperror.h"

namespace platform {

namespace {

// "/a/b/" and "/a/b" name the same folder.
QString comparable(const QString& path)
{
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

} // namespace

void FailurePlan::failOnce(FsCall call, int number, const QString& path)
{
    planned_.append({call, number, path, true});
}

void FailurePlan::failAlways(FsCall call, int number, const QString& path)
{
    planned_.append({call, number, path, false});
}

void FailurePlan::check(FsCall call, const QString& path)
{
    if (planned_.isEmpty())
        return;
    for (qsizetype i = 0; i < planned_.size(); ++i) {
        const Planned planned = planned_.at(i);
        if (planned.call != call || (!planned.path.isEmpty() && comparable(planned.path) != comparable(path)))
            continue;
        if (planned.once)
            planned_.removeAt(i);
        ++struck_;
        throwError(planned.number);
    }
}

} // namespace platform
