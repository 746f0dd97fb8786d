#include "fixtures.h"

namespace testsupport {

CatalogueFixture::CatalogueFixture(qint64 step)
    : pacer([this, step] { return now += step; }, [this] { ++yields; })
{
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
