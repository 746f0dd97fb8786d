#pragma once

#include <QString>

namespace app {

// A number as the delay box accepts it: optional surrounding blanks, an
// optional sign, digits with at most one "." (whatever the locale) and an
// optional exponent. The empty text is not a number.
bool IsNumeric(const QString& text);

} // namespace app
