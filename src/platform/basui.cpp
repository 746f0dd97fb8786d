#include "platform/basui.h"

#include "platform/dialogs.h"

#include <QCursor>
#include <QGuiApplication>

namespace basUI {

void BusyCursorOn()
{
    if (!QGuiApplication::overrideCursor())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void BusyCursorOff()
{
    // Qt's override cursors form a stack; the hourglass is one switch.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool IsBusyCursorOn()
{
    return QGuiApplication::overrideCursor() != nullptr;
}

QString ReportErrorText(const platform::AppError& error)
{
    return QStringLiteral("An error has occurred!\r\n\r\nError: %1\r\nDescription: %2")
        .arg(error.number())
        .arg(error.description());
}

void ReportError(platform::Dialogs& dialogs, const platform::AppError& error)
{
    dialogs.msgBox(ReportErrorText(error), platform::mb::Question);
}

} // namespace basUI
