#include "fixtures.h"

namespace testsupport {

CatalogueFixture::CatalogueFixture(qint64 step)
    : pacer([this, step] { return now += step; }, [this] { ++yields; })
{
}

} // namespace testsupport
