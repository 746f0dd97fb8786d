#pragma once

#include "platform/apperror.h"

namespace platform {
class Dialogs;
}

// The shared user-interface helpers that every subsystem uses.
namespace basUI {

// The hourglass for every window of the program. Not counted: one
// BusyCursorOff clears it however many BusyCursorOn calls came before.
void BusyCursorOn();
void BusyCursorOff();
bool IsBusyCursorOn();

// "An error has occurred!" with the error's number and description.
QString ReportErrorText(const platform::AppError& error);
void ReportError(platform::Dialogs& dialogs, const platform::AppError& error);

} // namespace basUI
