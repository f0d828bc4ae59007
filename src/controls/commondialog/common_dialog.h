#pragma once
// CDlg: the Windows common dialogs behind one object of properties and methods. A caller
// sets properties, calls a dialog method and reads the results back from the properties.
// The control reaches its host, the dialog functions, global memory and the printers only
// through the small interfaces below, so its rules run (and are tested) without Windows.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/general_value.h"
#include "controls/commondialog/dialog_records.h"
#include "controls/commondialog/open_file_name.h"
#include "controls/commondialog/property_bag.h"

namespace corvane::cdlg {

inline constexpr std::int32_t kCancelError = 32755;
// FNERR_BUFFERTOOSMALL: the chosen path did not fit in MaxFileSize.
inline constexpr std::uint32_t kFileBufferTooSmall = 0x3003;
inline constexpr char kFileBufferTooSmallDescription[] =
    "The path of the chosen file is longer than MaxFileSize allows; nothing was chosen.";
inline constexpr char kCancelErrorSource[] = "TarnCommonDialog user control";
inline constexpr char kCancelErrorDescription[] = "Cancel was selected.";

// Run-time errors the control raises without a source or description of its own; they carry
// the program's name and the runtime's standard texts.
inline constexpr char kRuntimeErrorSource[] = "Corvane";
inline constexpr std::int32_t kInvalidArgument = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kInvalidPropertyValue = 380;
inline constexpr std::int32_t kSetNotPermitted = 387;

inline constexpr std::int32_t kControlSizeTwips = 420;

// The About box.
inline constexpr char kAboutTitle[] = "TarnCommonDialog user control - the Corvane project, 2026";
inline constexpr char kAboutText[] =
    "TarnCommonDialog user control\r\n"
    "Runs on 32-bit and 64-bit Windows; every text passes through the ANSI code page.\r\n"
    "Written by the Corvane project for the Corvane battery monitor.\r\n"
    "\r\n"
    "Thank you for using it.\r\n"
    "Comments and suggestions are welcome on the Corvane project page.";

// The longest path the folder dialog writes, its NUL included.
inline constexpr std::size_t kMaxPath = 260;

// Movable, zero-initialised global memory blocks, as the dialogs take their records.
class GlobalMemory {
public:
    virtual ~GlobalMemory() = default;
    virtual std::uintptr_t Alloc(std::size_t bytes) = 0;  // 0 when it fails
    virtual void* Lock(std::uintptr_t block) = 0;         // null when it fails
    virtual void Unlock(std::uintptr_t block) = 0;
    virtual std::size_t Size(std::uintptr_t block) = 0;
    virtual void Free(std::uintptr_t block) = 0;
};

struct PrinterNames {
    std::string deviceName;
    std::string driverName;
    std::string port;
};

enum class PrinterSetting { Copies, Duplex, Orientation, PaperSize, PrintQuality, ColorMode, PaperBin };

// The application's printer object: its current printer and the installed ones.
class PrinterHost {
public:
    virtual ~PrinterHost() = default;
    // Nothing when there is no current printer or it cannot be read.
    virtual std::optional<PrinterNames> CurrentPrinter() = 0;
    // Device names; nothing when they cannot be listed.
    virtual std::optional<std::vector<std::string>> InstalledPrinters() = 0;
    virtual bool MakeCurrent(const std::string& deviceName) = 0;
    // False when the current printer refuses the value.
    virtual bool Apply(PrinterSetting setting, std::int32_t value) = 0;
};

// What the control needs from the window it sits on.
class CDlgHost {
public:
    virtual ~CDlgHost() = default;
    // False while the form is open in a designer, true at run time.
    virtual bool UserMode() const = 0;
    // The form the control sits on.
    virtual std::int32_t ParentWindow() const = 0;
    // The application's module instance handle.
    virtual std::uintptr_t InstanceHandle() const = 0;
    // A property was set; key is its persistence key.
    virtual void PropertyChanged(std::string_view key) = 0;
    // Gives the control this size (in twips).
    virtual void SetExtentTwips(std::int32_t width, std::int32_t height) = 0;
    // The application's printer object.
    virtual PrinterHost& Printer() = 0;
};

enum class FileDialogKind { Open, Save };

// The dialog functions the control calls. Every dialog's results go back into its record
// and the buffers it points to.
class CommonDialogApi {
public:
    virtual ~CommonDialogApi() = default;
    // GetOpenFileNameA or GetSaveFileNameA; true when a file was chosen.
    virtual bool GetFileName(FileDialogKind kind, OpenFileNameRecord& record) = 0;
    // CommDlgExtendedError after a dialog returned false: 0 when the user cancelled.
    virtual std::uint32_t LastDialogError() { return 0; }
    // ChooseColorA; true when a colour was chosen.
    virtual bool ChooseColorDlg(ChooseColorRecord& record) = 0;
    // ChooseFontA; true when a font was chosen.
    virtual bool ChooseFontDlg(ChooseFontRecord& record) = 0;
    // Pixels per logical inch, vertically, of the screen (its device context is released again).
    virtual std::int32_t ScreenPixelsPerInchY() = 0;
    // WinHelpA; its result is of no interest.
    virtual void CallWinHelp(std::int32_t owner, const char* helpFile, std::uint32_t command, std::uintptr_t data) = 0;
    // The item list of a special folder by its number, or 0 when the number names none.
    virtual std::uintptr_t SpecialFolderItemList(std::int32_t owner, std::int32_t folder) = 0;
    // SHBrowseForFolder: the chosen folder's item list, or 0 when nothing was chosen.
    virtual std::uintptr_t BrowseForFolder(BrowseInfoRecord& record) = 0;
    // SHGetPathFromIDList into a buffer of kMaxPath characters: the text before its first NUL.
    virtual std::string PathFromItemList(std::uintptr_t itemList) = 0;
    // CoTaskMemFree.
    virtual void FreeItemList(std::uintptr_t itemList) = 0;
    // PrintDlgA; true when the user confirmed the dialog.
    virtual bool PrintDialog(PrintDlgRecord& record) = 0;
    // A modal box with the information icon and an OK button.
    virtual void ShowInformation(std::int32_t owner, const std::string& text, const std::string& title) = 0;
    // Where the dialogs' global blocks come from.
    virtual GlobalMemory& Memory() = 0;
};

// What the print dialog reports about the chosen printer; read-only to callers.
struct PrinterDetails {
    std::int16_t collate = 0;
    std::int16_t color = 0;
    std::int32_t displayFlags = 0;
    std::int16_t driverVersion = 0;
    std::int16_t duplex = 0;
    std::int32_t fields = 0;
    std::int16_t paperLength = 0;
    std::int16_t paperSize = 0;
    std::int16_t paperWidth = 0;
    std::int16_t printQuality = 0;
    std::int16_t scale = 0;
    std::int16_t specVersion = 0;
    std::int16_t ttOption = 0;
    std::int16_t yResolution = 0;
    std::string extra;
    std::int16_t defaultFlag = 0;
    std::int16_t deviceOffset = 0;
    std::int16_t driverOffset = 0;
    std::int16_t outputOffset = 0;
};

class CDlg {
public:
    // Every property starts at its default and CustomColors holds 64 zero bytes. Both host
    // and api must outlive the control.
    CDlg(CDlgHost& host, CommonDialogApi& api);
    CDlg(const CDlg&) = delete;
    CDlg& operator=(const CDlg&) = delete;

    // Host lifecycle.
    void InitProperties();                          // first placement on a form
    void ReadProperties(const PropertyBag& bag);    // load: raw fields, no setter rules
    void WriteProperties(PropertyBag& bag) const;   // save
    void Resize();                                  // snaps back to 420 x 420 twips

    // Dialog methods. A dialog that returns with nothing chosen raises the cancel error when
    // CancelError is set and returns quietly otherwise.
    void ShowOpen();
    void ShowSave();
    void ShowColor();
    void ShowFont();
    void ShowPrinter();
    // Calls WinHelp; a missing file or a refused command is WinHelp's to report.
    void ShowHelp();
    // The chosen folder's path, also left in FolderPath; empty when nothing was chosen.
    std::string ShowBrowseForFolder();
    // Works at design time as at run time.
    void About();

    // Shared steps of every dialog method.
    void ResolveOwner();
    void RaiseCancelError() const;
    void RequireRunMode() const;

    // The colour dialog's 16 custom colours, 4 bytes each (red, green, blue, 0).
    std::array<std::uint8_t, 64> CustomColors() const noexcept;

    // Properties. Every setter but SetOwnerHwnd notifies the host under the persistence key.
    std::int32_t OwnerHwnd() const noexcept { return p_.ownerHwnd; }
    void SetOwnerHwnd(std::int32_t New_OwnerHwnd) noexcept { p_.ownerHwnd = New_OwnerHwnd; }
    std::int32_t Color() const noexcept { return p_.color; }
    void SetColor(std::int32_t New_Color);
    bool CancelError() const noexcept { return p_.cancelError; }
    void SetCancelError(bool New_CancelError);
    std::int32_t Flags() const noexcept { return p_.flags; }
    void SetFlags(std::int32_t New_Flags);
    const std::string& DefaultExt() const noexcept { return p_.defaultExt; }
    void SetDefaultExt(std::string New_DefaultExt);
    const std::string& FileName() const noexcept { return p_.fileName; }
    void SetFileName(std::string New_FileName);
    // Reads back in its stored form: every "|" given became a NUL.
    const std::string& Filter() const noexcept { return p_.filter; }
    void SetFilter(std::string New_Filter);
    const std::string& InitDir() const noexcept { return p_.initDir; }
    void SetInitDir(std::string New_InitDir);
    const std::string& DialogTitle() const noexcept { return p_.dialogTitle; }
    void SetDialogTitle(std::string New_DialogTitle);
    const std::string& FileTitle() const noexcept { return p_.fileTitle; }
    void SetFileTitle(std::string New_FileTitle);
    std::int16_t Copies() const noexcept { return p_.copies; }
    void SetCopies(std::int16_t New_Copies);
    std::int16_t FilterIndex() const noexcept { return p_.filterIndex; }
    void SetFilterIndex(std::int16_t New_FilterIndex);
    std::int16_t MaxFileSize() const noexcept { return p_.maxFileSize; }
    void SetMaxFileSize(std::int16_t New_MaxFileSize);
    std::int16_t FileOffset() const noexcept { return p_.fileOffset; }
    void SetFileOffset(std::int16_t New_FileOffset);
    std::int16_t ExtensionOffset() const noexcept { return p_.extensionOffset; }
    void SetExtensionOffset(std::int16_t New_ExtensionOffset);
    bool FontBold() const noexcept { return p_.fontBold; }
    void SetFontBold(bool New_FontBold);
    const std::string& FontName() const noexcept { return p_.fontName; }
    void SetFontName(std::string New_FontName);
    float FontSize() const noexcept { return p_.fontSize; }
    void SetFontSize(float New_FontSize);
    bool FontStrikeThru() const noexcept { return p_.fontStrikeThru; }
    void SetFontStrikeThru(bool New_FontStrikeThru);
    bool FontUnderLine() const noexcept { return p_.fontUnderLine; }
    void SetFontUnderLine(bool New_FontUnderLine);
    std::int32_t FontCharSet() const noexcept { return p_.fontCharSet; }
    void SetFontCharSet(std::int32_t New_FontCharSet);
    bool FontItalic() const noexcept { return p_.fontItalic; }
    void SetFontItalic(bool New_FontItalic);
    std::int32_t hDC() const noexcept { return p_.hDC; }
    void SethDC(std::int32_t New_hDC);
    bool PrinterDefault() const noexcept { return p_.printerDefault; }
    void SetPrinterDefault(bool New_PrinterDefault);
    std::int16_t Min() const noexcept { return p_.min; }
    void SetMin(std::int16_t New_Min);
    std::int16_t Max() const noexcept { return p_.max; }
    void SetMax(std::int16_t New_Max);
    std::int16_t FromPage() const noexcept { return p_.fromPage; }
    void SetFromPage(std::int16_t New_FromPage);
    std::int16_t ToPage() const noexcept { return p_.toPage; }
    void SetToPage(std::int16_t New_ToPage);
    std::int32_t Orientation() const noexcept { return p_.orientation; }
    void SetOrientation(std::int32_t New_Orientation);
    // Runs the dialog of its number: 1 open, 2 save, 3 colour, 4 font, 5 print, 6 help (0 runs
    // nothing).
    std::int16_t Action() const noexcept { return p_.action; }
    void SetAction(std::int16_t New_Action);
    std::int16_t HelpCommand() const noexcept { return p_.helpCommand; }
    void SetHelpCommand(std::int16_t New_HelpCommand);
    std::int32_t HelpContext() const noexcept { return p_.helpContext; }
    void SetHelpContext(std::int32_t New_HelpContext);
    const std::string& HelpFile() const noexcept { return p_.helpFile; }
    void SetHelpFile(std::string New_HelpFile);
    // Takes any value that has a text form and keeps that text.
    const std::string& HelpKey() const noexcept { return p_.helpKey; }
    void SetHelpKey(const GeneralValue& New_HelpKey);
    const std::string& PrinterName() const noexcept { return p_.printerName; }
    void SetPrinterName(std::string New_PrinterName);
    std::int32_t PrinterDefaultSource() const noexcept { return p_.printerDefaultSource; }
    void SetPrinterDefaultSource(std::int32_t New_PrinterDefaultSource);
    const std::string& FolderPath() const noexcept { return p_.folderPath; }
    void SetFolderPath(std::string New_FolderPath);
    std::int32_t BrowseSpecialFolder() const noexcept { return p_.browseSpecialFolder; }
    void SetBrowseSpecialFolder(std::int32_t New_BrowseSpecialFolder);

    std::int16_t PrinterExtraCollate() const noexcept { return printer_.collate; }
    std::int16_t PrinterExtraColor() const noexcept { return printer_.color; }
    std::int32_t PrinterExtraDisplayFlags() const noexcept { return printer_.displayFlags; }
    std::int16_t PrinterExtraDriverVersion() const noexcept { return printer_.driverVersion; }
    std::int16_t PrinterExtraDuplex() const noexcept { return printer_.duplex; }
    std::int32_t PrinterExtraFields() const noexcept { return printer_.fields; }
    std::int16_t PrinterExtraPaperLength() const noexcept { return printer_.paperLength; }
    std::int16_t PrinterExtraPaperSize() const noexcept { return printer_.paperSize; }
    std::int16_t PrinterExtraPaperWidth() const noexcept { return printer_.paperWidth; }
    std::int16_t PrinterExtraPrintQuality() const noexcept { return printer_.printQuality; }
    std::int16_t PrinterExtraScale() const noexcept { return printer_.scale; }
    std::int16_t PrinterExtraSpecVersion() const noexcept { return printer_.specVersion; }
    std::int16_t PrinterExtraTTOption() const noexcept { return printer_.ttOption; }
    std::int16_t PrinterExtraYResolution() const noexcept { return printer_.yResolution; }
    const std::string& PrinterExtraExtra() const noexcept { return printer_.extra; }
    std::int16_t PrinterExtraDefault() const noexcept { return printer_.defaultFlag; }
    std::int16_t PrinterExtraDeviceOffset() const noexcept { return printer_.deviceOffset; }
    std::int16_t PrinterExtraDriverOffset() const noexcept { return printer_.driverOffset; }
    std::int16_t PrinterExtraOutputOffset() const noexcept { return printer_.outputOffset; }

    // The stored values, defaults as a new instance has them.
    struct Properties {
        std::int32_t ownerHwnd = 0;
        std::int32_t color = 0;
        bool cancelError = false;
        std::int32_t flags = 0;
        std::string defaultExt;
        std::string fileName;
        std::string filter;
        std::string initDir;
        std::string dialogTitle;
        std::string fileTitle;
        std::int16_t copies = 1;
        std::int16_t filterIndex = 0;
        std::int16_t maxFileSize = 260;
        std::int16_t fileOffset = 0;
        std::int16_t extensionOffset = 0;
        bool fontBold = false;
        std::string fontName;
        float fontSize = 8.0f;
        bool fontStrikeThru = false;
        bool fontUnderLine = false;
        std::int32_t fontCharSet = 0;
        bool fontItalic = false;
        std::int32_t hDC = 0;
        bool printerDefault = false;
        std::int16_t min = 0;
        std::int16_t max = 0;
        std::int16_t fromPage = 0;
        std::int16_t toPage = 0;
        std::int32_t orientation = 1;
        std::int16_t action = 0;
        std::int16_t helpCommand = 0;
        std::int32_t helpContext = 0;
        std::string helpFile;
        std::string helpKey;
        std::string printerName;
        std::int32_t printerDefaultSource = 0;
        std::string folderPath;
        std::int32_t browseSpecialFolder = 0;
    };

private:
    template <typename T, typename V>
    void Store(T& field, V&& value, std::string_view key);
    template <typename T, typename V>
    void StoreGuarded(T& field, V&& value, std::string_view key);
    void ShowFileDialog(FileDialogKind kind);

    CDlgHost& host_;
    CommonDialogApi& api_;
    Properties p_;
    PrinterDetails printer_;
    std::array<std::uint32_t, 16> customColors_{};
};

// Defined here for every file that sets properties.
template <typename T, typename V>
inline void CDlg::Store(T& field, V&& value, std::string_view key) {
    field = std::forward<V>(value);
    host_.PropertyChanged(key);
}

template <typename T, typename V>
inline void CDlg::StoreGuarded(T& field, V&& value, std::string_view key) {
    RequireRunMode();
    Store(field, std::forward<V>(value), key);
}

} // namespace corvane::cdlg
