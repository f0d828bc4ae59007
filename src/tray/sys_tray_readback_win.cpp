// Reading the tray's tooltip and menu captions back, kept apart so a program that does not read them does not carry it.
#include "tray/sys_tray_win.h"

#include <string>

namespace corvane::tray {

std::string SysTrayWindow::ToolTip() const { return record_->ToolTip(); }

std::string SysTrayWindow::MenuCaption(std::int32_t lIndex) const { return menu_.Model().Caption(lIndex); }

} // namespace corvane::tray
