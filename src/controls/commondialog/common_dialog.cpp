#include "controls/commondialog/common_dialog.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "base/component_error.h"

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

[[noreturn]] void RaiseRuntimeError(std::int32_t number, const char* description) {
    throw ComponentError(number, kRuntimeErrorSource, description);
}

// The text before the first NUL, or the whole buffer when the dialog filled all of it (its
// terminating NUL then lies just past the buffer).
std::string UpToNul(const std::vector<char>& buffer, std::size_t size) {
    std::size_t n = 0;
    while (n < size && buffer[n] != '\0') {
        ++n;
    }
    return std::string(buffer.data(), n);
}

std::string TrimSpaces(std::string s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

} // namespace

CDlg::CDlg(CDlgHost& host, CommonDialogApi& api) : host_(host), api_(api) {}

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

void CDlg::Resize() { host_.SetExtentTwips(kControlSizeTwips, kControlSizeTwips); }

void CDlg::ResolveOwner() {
    if (p_.ownerHwnd == 0) {
        p_.ownerHwnd = host_.ParentWindow();
    }
}

void CDlg::RaiseCancelError() const {
    if (p_.cancelError) {
        throw ComponentError(kCancelError, kCancelErrorSource, kCancelErrorDescription);
    }
}

void CDlg::RequireRunMode() const {
    if (!host_.UserMode()) {
        RaiseRuntimeError(kSetNotPermitted, "Set not permitted");
    }
}

void CDlg::ShowOpen() { ShowFileDialog(FileDialogKind::Open); }

void CDlg::ShowSave() { ShowFileDialog(FileDialogKind::Save); }

void CDlg::ShowFileDialog(FileDialogKind kind) {
    ResolveOwner();

    if (p_.maxFileSize < 0) {
        RaiseRuntimeError(kInvalidArgument, "Invalid procedure call or argument");
    }
    const auto size = static_cast<std::size_t>(p_.maxFileSize);
    // MaxFileSize spaces, and one place more for the NUL the dialog writes after a name
    // that fills them all.
    std::vector<char> file(size + 1, ' ');
    std::vector<char> title(size + 1, ' ');
    file[size] = '\0';
    title[size] = '\0';
    // The length given to Windows is a 16-bit quantity, as the property is.
    const std::int32_t length = static_cast<std::int32_t>(p_.maxFileSize) + 1;
    if (length > INT16_MAX) {
        RaiseRuntimeError(kOverflow, "Overflow");
    }
    std::string filter = p_.filter;
    filter.append(2, '\0');

    OpenFileNameRecord record;
    record.owner = p_.ownerHwnd;
    record.instance = host_.InstanceHandle();
    record.filter = filter.c_str();
    record.file = file.data();
    record.maxFile = static_cast<std::uint32_t>(length);
    record.fileTitle = title.data();
    record.maxFileTitle = static_cast<std::uint32_t>(length);
    record.initialDir = p_.initDir.c_str();
    record.title = p_.dialogTitle.c_str();
    record.flags = static_cast<std::uint32_t>(p_.flags);
    record.defExt = p_.defaultExt.c_str();

    if (!api_.GetFileName(kind, record)) {
        // A path too long for the buffer is a choice that was lost, not a cancel: the caller
        // must be able to tell the user, whatever CancelError says.
        if (api_.LastDialogError() == kFileBufferTooSmall) {
            throw ComponentError(static_cast<std::int32_t>(kFileBufferTooSmall), kRuntimeErrorSource,
                                 kFileBufferTooSmallDescription);
        }
        RaiseCancelError();
        return;
    }
    // Results go straight into the stored values: no notification, no design-time guard.
    p_.fileName = TrimSpaces(UpToNul(file, size));
    p_.fileOffset = static_cast<std::int16_t>(record.fileOffset);
    p_.extensionOffset = static_cast<std::int16_t>(record.fileExtension);
    p_.fileTitle = UpToNul(title, size);
    p_.filterIndex = static_cast<std::int16_t>(record.filterIndex);
}

template <typename T, typename V>
void CDlg::Store(T& field, V&& value, std::string_view key) {
    field = std::forward<V>(value);
    host_.PropertyChanged(key);
}

template <typename T, typename V>
void CDlg::StoreGuarded(T& field, V&& value, std::string_view key) {
    RequireRunMode();
    Store(field, std::forward<V>(value), key);
}

void CDlg::SetColor(std::int32_t New_Color) { Store(p_.color, New_Color, "Color"); }
void CDlg::SetCancelError(bool New_CancelError) { Store(p_.cancelError, New_CancelError, "CancelError"); }
void CDlg::SetFlags(std::int32_t New_Flags) { Store(p_.flags, New_Flags, "Flags"); }
void CDlg::SetDefaultExt(std::string New_DefaultExt) { Store(p_.defaultExt, std::move(New_DefaultExt), "DefaultExt"); }
void CDlg::SetFileName(std::string New_FileName) { Store(p_.fileName, std::move(New_FileName), "FileName"); }

void CDlg::SetFilter(std::string New_Filter) {
    for (char& c : New_Filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    Store(p_.filter, std::move(New_Filter), "Filter");
}

void CDlg::SetInitDir(std::string New_InitDir) { Store(p_.initDir, std::move(New_InitDir), "InitDir"); }
void CDlg::SetDialogTitle(std::string New_DialogTitle) {
    Store(p_.dialogTitle, std::move(New_DialogTitle), "DialogTitle");
}
void CDlg::SetFileTitle(std::string New_FileTitle) {
    StoreGuarded(p_.fileTitle, std::move(New_FileTitle), "FileTitle");
}
void CDlg::SetCopies(std::int16_t New_Copies) { Store(p_.copies, New_Copies, "Copies"); }
void CDlg::SetFilterIndex(std::int16_t New_FilterIndex) { Store(p_.filterIndex, New_FilterIndex, "FilterIndex"); }
void CDlg::SetMaxFileSize(std::int16_t New_MaxFileSize) { Store(p_.maxFileSize, New_MaxFileSize, "MaxFileSize"); }
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
        RaiseRuntimeError(kInvalidPropertyValue, "Invalid property value");
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
