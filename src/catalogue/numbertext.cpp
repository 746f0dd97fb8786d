#include "catalogue/numbertext.h"

#include <QRegularExpression>

namespace catalogue {

namespace {

QRegularExpressionMatch matchNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)\s*)"));
    return number.match(text);
}

} // namespace

QString LeadingNumber(const QString& text)
{
    return matchNumber(text).captured(1);
}

bool IsNumeric(const QString& text)
{
    const QRegularExpressionMatch match = matchNumber(text);
    return match.hasMatch() && match.capturedEnd(0) == text.size();
}

} // namespace catalogue
