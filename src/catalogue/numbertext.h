#pragma once

#include <QString>

namespace catalogue {

// The number at the start of text as the classic Val reads it: blanks, an
// optional sign, digits with at most one "." (whatever the locale) and an
// optional exponent; whatever follows is ignored. Empty when there is none.
QString LeadingNumber(const QString& text);

// Whether the text is such a number and nothing else but blanks, as the
// delay box accepts it. The empty text is not a number.
bool IsNumeric(const QString& text);

} // namespace catalogue
