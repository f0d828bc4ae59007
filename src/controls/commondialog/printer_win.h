#pragma once
// The application's printer object on the Windows spooler.
#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg {

// Starts as the user's default printer. Making another printer current, and the settings
// given to it, are this program's own choice: the user's default printer is never changed.
PrinterHost& ApplicationPrinter() noexcept;

} // namespace corvane::cdlg
