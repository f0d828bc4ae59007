// CDlg's persistence and the setters the file dialogs do not need, kept apart so a program that does not use them does not carry them.
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg {

namespace {

using P = CDlg::Properties;
using Field = std::variant<bool P::*, std::int16_t P::*, std::int32_t P::*, float P::*, std::string P::*>;

struct Persisted {
    std::string_view key;
    Field field;
};

// Every persisted property by its key, in the order of the control's interface. OwnerHwnd
// is a run-time value and is not stored.
constexpr Persisted kPersisted[] = {
    {"Color", &P::color},
    {"CancelError", &P::cancelError},
    {"Flags", &P::flags},
    {"DefaultExt", &P::defaultExt},
    {"FileName", &P::fileName},
    {"Filter", &P::filter},
    {"InitDir", &P::initDir},
    {"DialogTitle", &P::dialogTitle},
    {"FileTitle", &P::fileTitle},
    {"Copies", &P::copies},
    {"FilterIndex", &P::filterIndex},
    {"MaxFileSize", &P::maxFileSize},
    {"FileOffset", &P::fileOffset},
    {"ExtensionOffset", &P::extensionOffset},
    {"FontBold", &P::fontBold},
    {"FontName", &P::fontName},
    {"FontSize", &P::fontSize},
    {"FontStrikeThru", &P::fontStrikeThru},
    {"FontUnderLine", &P::fontUnderLine},
    {"FontCharSet", &P::fontCharSet},
    {"FontItalic", &P::fontItalic},
    {"hDC", &P::hDC},
    {"PrinterDefault", &P::printerDefault},
    {"Min", &P::min},
    {"Max", &P::max},
    {"FromPage", &P::fromPage},
    {"ToPage", &P::toPage},
    {"Orientation", &P::orientation},
    {"Action", &P::action},
    {"HelpCommand", &P::helpCommand},
    {"HelpContext", &P::helpContext},
    {"HelpFile", &P::helpFile},
    {"HelpKey", &P::helpKey},
    {"PrinterName", &P::printerName},
    {"PrinterDefaultSource", &P::printerDefaultSource},
    {"FolderPath", &P::folderPath},
    {"BrowseSpecialFolder", &P::browseSpecialFolder},
};

} // namespace

void CDlg::InitProperties() { p_ = Properties{}; }

void CDlg::ReadProperties(const PropertyBag& bag) {
    const Properties defaults;
    for (const Persisted& entry : kPersisted) {
        std::visit(
            [&](auto member) {
                using T = std::decay_t<decltype(defaults.*member)>;
                const PropertyValue value = bag.ReadProperty(entry.key, PropertyValue(defaults.*member));
                const T* stored = std::get_if<T>(&value);
                p_.*member = stored ? *stored : defaults.*member;
            },
            entry.field);
    }
}

void CDlg::WriteProperties(PropertyBag& bag) const {
    const Properties defaults;
    for (const Persisted& entry : kPersisted) {
        std::visit(
            [&](auto member) {
                bag.WriteProperty(entry.key, PropertyValue(p_.*member), PropertyValue(defaults.*member));
            },
            entry.field);
    }
}

void CDlg::SetColor(std::int32_t New_Color) { Store(p_.color, New_Color, "Color"); }
void CDlg::SetCancelError(bool New_CancelError) { Store(p_.cancelError, New_CancelError, "CancelError"); }
void CDlg::SetDefaultExt(std::string New_DefaultExt) { Store(p_.defaultExt, std::move(New_DefaultExt), "DefaultExt"); }
void CDlg::SetInitDir(std::string New_InitDir) { Store(p_.initDir, std::move(New_InitDir), "InitDir"); }
void CDlg::SetFileTitle(std::string New_FileTitle) {
    StoreGuarded(p_.fileTitle, std::move(New_FileTitle), "FileTitle");
}
void CDlg::SetCopies(std::int16_t New_Copies) { Store(p_.copies, New_Copies, "Copies"); }
void CDlg::SetFilterIndex(std::int16_t New_FilterIndex) { Store(p_.filterIndex, New_FilterIndex, "FilterIndex"); }
void CDlg::SetFileOffset(std::int16_t New_FileOffset) { StoreGuarded(p_.fileOffset, New_FileOffset, "FileOffset"); }
void CDlg::SetExtensionOffset(std::int16_t New_ExtensionOffset) {
    StoreGuarded(p_.extensionOffset, New_ExtensionOffset, "ExtensionOffset");
}
void CDlg::SetFontBold(bool New_FontBold) { Store(p_.fontBold, New_FontBold, "FontBold"); }
void CDlg::SetFontName(std::string New_FontName) { Store(p_.fontName, std::move(New_FontName), "FontName"); }
void CDlg::SetFontSize(float New_FontSize) { Store(p_.fontSize, New_FontSize, "FontSize"); }
void CDlg::SetFontStrikeThru(bool New_FontStrikeThru) {
    Store(p_.fontStrikeThru, New_FontStrikeThru, "FontStrikeThru");
}
void CDlg::SetFontUnderLine(bool New_FontUnderLine) { Store(p_.fontUnderLine, New_FontUnderLine, "FontUnderLine"); }
void CDlg::SetFontCharSet(std::int32_t New_FontCharSet) { Store(p_.fontCharSet, New_FontCharSet, "FontCharSet"); }
void CDlg::SetFontItalic(bool New_FontItalic) { Store(p_.fontItalic, New_FontItalic, "FontItalic"); }
void CDlg::SethDC(std::int32_t New_hDC) { StoreGuarded(p_.hDC, New_hDC, "hDC"); }
void CDlg::SetPrinterDefault(bool New_PrinterDefault) { Store(p_.printerDefault, New_PrinterDefault, "PrinterDefault"); }
void CDlg::SetMin(std::int16_t New_Min) { Store(p_.min, New_Min, "Min"); }
void CDlg::SetMax(std::int16_t New_Max) { Store(p_.max, New_Max, "Max"); }
void CDlg::SetFromPage(std::int16_t New_FromPage) { Store(p_.fromPage, New_FromPage, "FromPage"); }
void CDlg::SetToPage(std::int16_t New_ToPage) { Store(p_.toPage, New_ToPage, "ToPage"); }
void CDlg::SetOrientation(std::int32_t New_Orientation) { Store(p_.orientation, New_Orientation, "Orientation"); }
void CDlg::SetAction(std::int16_t New_Action) {
    RequireRunMode();
    if (New_Action < 0 || New_Action > 6) {
        throw ComponentError(kInvalidPropertyValue, kRuntimeErrorSource, "Invalid property value");
    }
    p_.action = New_Action;
    // A dialog's error (the cancel error) leaves here at once, without the notification.
    switch (New_Action) {
    case 1:
        ShowOpen();
        break;
    case 2:
        ShowSave();
        break;
    case 3:
        ShowColor();
        break;
    case 4:
        ShowFont();
        break;
    case 5:
        ShowPrinter();
        break;
    case 6:
        ShowHelp();
        break;
    default:
        break;
    }
    host_.PropertyChanged("Action");
}
void CDlg::SetHelpCommand(std::int16_t New_HelpCommand) { Store(p_.helpCommand, New_HelpCommand, "HelpCommand"); }
void CDlg::SetHelpContext(std::int32_t New_HelpContext) { Store(p_.helpContext, New_HelpContext, "HelpContext"); }
void CDlg::SetHelpFile(std::string New_HelpFile) { Store(p_.helpFile, std::move(New_HelpFile), "HelpFile"); }
void CDlg::SetHelpKey(const GeneralValue& New_HelpKey) { Store(p_.helpKey, New_HelpKey.ToText(), "HelpKey"); }
void CDlg::SetPrinterName(std::string New_PrinterName) {
    StoreGuarded(p_.printerName, std::move(New_PrinterName), "PrinterName");
}
void CDlg::SetPrinterDefaultSource(std::int32_t New_PrinterDefaultSource) {
    StoreGuarded(p_.printerDefaultSource, New_PrinterDefaultSource, "PrinterDefaultSource");
}
void CDlg::SetFolderPath(std::string New_FolderPath) { Store(p_.folderPath, std::move(New_FolderPath), "FolderPath"); }
void CDlg::SetBrowseSpecialFolder(std::int32_t New_BrowseSpecialFolder) {
    Store(p_.browseSpecialFolder, New_BrowseSpecialFolder, "BrowseSpecialFolder");
}

} // namespace corvane::cdlg
