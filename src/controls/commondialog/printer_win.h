#pragma once
// The application's printer object on the Windows spooler.
#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg {

// The user's default printer until another is made current. Which printer is current, and
// the settings given to it, are this program's own: the user's default printer is never
// changed.
PrinterHost& ApplicationPrinter() noexcept;

} // namespace corvane::cdlg
