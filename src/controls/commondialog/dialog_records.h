#pragma once
// The ANSI records of the colour, font, folder and print dialogs as the control fills them,
// with their 32-bit layouts: in a 32-bit process these bytes are what Windows is handed.
// DEVNAMES, DEVMODE and LOGFONT hold no pointers, so they are the same bytes on every width.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cdlg {

// Little-endian fields in a byte record.
void PutLe16(std::uint8_t* at, std::uint16_t v) noexcept;
void PutLe32(std::uint8_t* at, std::uint32_t v) noexcept;
std::uint16_t GetLe16(const std::uint8_t* at) noexcept;
std::uint32_t GetLe32(const std::uint8_t* at) noexcept;

// CHOOSECOLOR.
inline constexpr std::uint32_t kChooseColorSize = 36;

struct ChooseColorRecord {
    std::uint32_t structSize = kChooseColorSize;
    std::int32_t owner = 0;
    std::uintptr_t instance = 0;
    std::uint32_t rgbResult = 0;
    std::uint32_t* custColors = nullptr;  // 16 entries
    std::uint32_t flags = 0;
    std::intptr_t custData = 0;
    std::uintptr_t hook = 0;
    const char* templateName = nullptr;
};

using ChooseColorBytes = std::array<std::uint8_t, kChooseColorSize>;
ChooseColorBytes PackChooseColor32(const ChooseColorRecord& record);
// Takes back rgbResult, the one field the dialog writes.
void ReadBackChooseColor32(const ChooseColorBytes& bytes, ChooseColorRecord& record);

// LOGFONT.
inline constexpr std::size_t kLogFontSize = 60;
inline constexpr std::size_t kFaceNameChars = 32;
using LogFontBytes = std::array<std::uint8_t, kLogFontSize>;

struct ChosenFont {
    std::int32_t height = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::string faceName;
};

// The record the font dialog starts from: regular weight, default character set, the face
// name cut to whole characters within 31 bytes.
LogFontBytes StartingLogFont(std::string_view faceName);
ChosenFont ReadLogFont(const LogFontBytes& bytes);

// The point size of a font height in pixels at the given resolution, rounded to a whole
// number with halves going to the even neighbour (-13 at 96 dpi: 9.75 -> 10; -6: 4.5 -> 4).
float FontPointSize(std::int32_t height, std::int32_t pixelsPerInch);

// CHOOSEFONT.
inline constexpr std::uint32_t kChooseFontSize = 60;
inline constexpr std::uint16_t kRegularFontType = 1024;

struct ChooseFontRecord {
    std::uint32_t structSize = kChooseFontSize;
    std::int32_t owner = 0;
    std::uintptr_t hDC = 0;
    void* logFont = nullptr;
    std::int32_t pointSize = 0;
    std::uint32_t flags = 0;
    std::uint32_t rgbColors = 0;
    std::intptr_t custData = 0;
    std::uintptr_t hook = 0;
    const char* templateName = nullptr;
    std::uintptr_t instance = 0;
    char* style = nullptr;
    std::uint16_t fontType = kRegularFontType;
    std::int32_t sizeMin = 0;
    std::int32_t sizeMax = 0;
};

using ChooseFontBytes = std::array<std::uint8_t, kChooseFontSize>;
ChooseFontBytes PackChooseFont32(const ChooseFontRecord& record);
// Takes back what the dialog writes: hDC, iPointSize, rgbColors and nFontType.
void ReadBackChooseFont32(const ChooseFontBytes& bytes, ChooseFontRecord& record);

// BROWSEINFO.
inline constexpr std::size_t kBrowseInfoSize = 32;

struct BrowseInfoRecord {
    std::int32_t owner = 0;
    std::uintptr_t root = 0;  // item list; 0 is the desktop
    char* displayName = nullptr;
    const char* title = nullptr;
    std::uint32_t flags = 0;
    std::uintptr_t callback = 0;
    std::intptr_t lParam = 0;
    std::int32_t image = 0;
};

using BrowseInfoBytes = std::array<std::uint8_t, kBrowseInfoSize>;
BrowseInfoBytes PackBrowseInfo32(const BrowseInfoRecord& record);

// PRINTDLG: 66 bytes, packed without padding.
inline constexpr std::uint32_t kPrintDlgSize = 66;

struct PrintDlgRecord {
    std::uint32_t structSize = kPrintDlgSize;
    std::int32_t owner = 0;
    std::uintptr_t devMode = 0;   // global blocks
    std::uintptr_t devNames = 0;
    std::uintptr_t hDC = 0;
    std::uint32_t flags = 0;
    std::uint16_t fromPage = 0;
    std::uint16_t toPage = 0;
    std::uint16_t minPage = 0;
    std::uint16_t maxPage = 0;
    std::uint16_t copies = 0;
    std::uintptr_t instance = 0;
    std::intptr_t custData = 0;
    std::uintptr_t printHook = 0;
    std::uintptr_t setupHook = 0;
    const char* printTemplateName = nullptr;
    const char* setupTemplateName = nullptr;
    std::uintptr_t printTemplate = 0;
    std::uintptr_t setupTemplate = 0;
};

using PrintDlgBytes = std::array<std::uint8_t, kPrintDlgSize>;
PrintDlgBytes PackPrintDlg32(const PrintDlgRecord& record);
// Takes back what the dialog writes: the two blocks, hDC, Flags, the page range and copies.
void ReadBackPrintDlg32(const PrintDlgBytes& bytes, PrintDlgRecord& record);

// DEVNAMES: four 16-bit offsets, then the driver, device and port names, each ending in a
// NUL, padded with spaces to a text area of 100 characters.
inline constexpr std::size_t kDevNamesTextChars = 100;
inline constexpr std::size_t kDevNamesSize = 8 + kDevNamesTextChars;

struct DevNamesOffsets {
    std::uint16_t driver = 0;
    std::uint16_t device = 0;
    std::uint16_t output = 0;
    std::uint16_t isDefault = 0;
};

// Nothing when an offset would not fit in 16 bits. Names too long for the text area get a
// longer record, so that every offset points at its name inside the block.
std::optional<std::vector<std::uint8_t>> BuildDevNames(std::string_view driver, std::string_view device,
                                                       std::string_view port);
DevNamesOffsets ReadDevNamesOffsets(const std::uint8_t* record) noexcept;

// DEVMODE in its standard ANSI form.
inline constexpr std::size_t kDevModeSize = 156;
namespace devmode {
inline constexpr std::size_t kDeviceName = 0;
inline constexpr std::size_t kSpecVersion = 32;
inline constexpr std::size_t kDriverVersion = 34;
inline constexpr std::size_t kSize = 36;
inline constexpr std::size_t kDriverExtra = 38;
inline constexpr std::size_t kFields = 40;
inline constexpr std::size_t kOrientation = 44;
inline constexpr std::size_t kPaperSize = 46;
inline constexpr std::size_t kPaperLength = 48;
inline constexpr std::size_t kPaperWidth = 50;
inline constexpr std::size_t kScale = 52;
inline constexpr std::size_t kCopies = 54;
inline constexpr std::size_t kDefaultSource = 56;
inline constexpr std::size_t kPrintQuality = 58;
inline constexpr std::size_t kColor = 60;
inline constexpr std::size_t kDuplex = 62;
inline constexpr std::size_t kYResolution = 64;
inline constexpr std::size_t kTTOption = 66;
inline constexpr std::size_t kCollate = 68;
inline constexpr std::size_t kDisplayFlags = 116;
} // namespace devmode

using DevModeBytes = std::array<std::uint8_t, kDevModeSize>;
// Zero but for dmSize, which holds the record's size.
DevModeBytes StartingDevMode();
std::int16_t DevModeShort(const DevModeBytes& record, std::size_t offset) noexcept;

// The text up to the first NUL, or all of it when it holds none.
std::string TextUpToNul(const char* text, std::size_t size);

} // namespace corvane::cdlg
