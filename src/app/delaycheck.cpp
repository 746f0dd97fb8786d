#include "app/delaycheck.h"

#include <QRegularExpression>

namespace app {

bool IsNumeric(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return number.match(text).hasMatch();
}

} // namespace app
