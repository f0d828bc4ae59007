#include "controls/commondialog/dialog_records.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/utf8.h"

namespace corvane::cdlg {

namespace {

// In a 32-bit process the truncation loses nothing.
std::uint32_t Low32(const void* p) noexcept { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }
std::uint32_t Low32(std::uintptr_t v) noexcept { return static_cast<std::uint32_t>(v); }
std::uint32_t Low32(std::intptr_t v) noexcept { return static_cast<std::uint32_t>(v); }

} // namespace

void PutLe16(std::uint8_t* at, std::uint16_t v) noexcept {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLe32(std::uint8_t* at, std::uint32_t v) noexcept {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint16_t GetLe16(const std::uint8_t* at) noexcept { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }

std::uint32_t GetLe32(const std::uint8_t* at) noexcept {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    }
    return v;
}

ChooseColorBytes PackChooseColor32(const ChooseColorRecord& r) {
    ChooseColorBytes b{};
    PutLe32(&b[0], r.structSize);
    PutLe32(&b[4], static_cast<std::uint32_t>(r.owner));
    PutLe32(&b[8], Low32(r.instance));
    PutLe32(&b[12], r.rgbResult);
    PutLe32(&b[16], Low32(r.custColors));
    PutLe32(&b[20], r.flags);
    PutLe32(&b[24], Low32(r.custData));
    PutLe32(&b[28], Low32(r.hook));
    PutLe32(&b[32], Low32(r.templateName));
    return b;
}

void ReadBackChooseColor32(const ChooseColorBytes& b, ChooseColorRecord& r) { r.rgbResult = GetLe32(&b[12]); }

LogFontBytes StartingLogFont(std::string_view faceName) {
    LogFontBytes b{};
    PutLe32(&b[16], 400);  // lfWeight
    b[23] = 1;             // lfCharSet: DEFAULT_CHARSET
    b[27] = 16;            // lfPitchAndFamily
    const std::string_view whole = Utf8Prefix(faceName, kFaceNameChars - 1);
    std::memcpy(&b[28], whole.data(), whole.size());
    return b;
}

ChosenFont ReadLogFont(const LogFontBytes& b) {
    ChosenFont f;
    f.height = static_cast<std::int32_t>(GetLe32(&b[0]));
    f.weight = static_cast<std::int32_t>(GetLe32(&b[16]));
    f.italic = b[20];
    f.underline = b[21];
    f.strikeOut = b[22];
    f.charSet = b[23];
    f.faceName = TextUpToNul(reinterpret_cast<const char*>(&b[28]), kFaceNameChars);
    return f;
}

float FontPointSize(std::int32_t height, std::int32_t pixelsPerInch) {
    // A screen that reports no resolution is taken at the platform's standard 96.
    const double ppi = pixelsPerInch > 0 ? pixelsPerInch : 96;
    // nearbyint rounds in the current mode, which is to nearest with ties to even.
    return static_cast<float>(std::nearbyint(-static_cast<double>(height) / ppi * 72.0));
}

ChooseFontBytes PackChooseFont32(const ChooseFontRecord& r) {
    ChooseFontBytes b{};
    PutLe32(&b[0], r.structSize);
    PutLe32(&b[4], static_cast<std::uint32_t>(r.owner));
    PutLe32(&b[8], Low32(r.hDC));
    PutLe32(&b[12], Low32(r.logFont));
    PutLe32(&b[16], static_cast<std::uint32_t>(r.pointSize));
    PutLe32(&b[20], r.flags);
    PutLe32(&b[24], r.rgbColors);
    PutLe32(&b[28], Low32(r.custData));
    PutLe32(&b[32], Low32(r.hook));
    PutLe32(&b[36], Low32(r.templateName));
    PutLe32(&b[40], Low32(r.instance));
    PutLe32(&b[44], Low32(r.style));
    PutLe16(&b[48], r.fontType);
    PutLe32(&b[52], static_cast<std::uint32_t>(r.sizeMin));
    PutLe32(&b[56], static_cast<std::uint32_t>(r.sizeMax));
    return b;
}

void ReadBackChooseFont32(const ChooseFontBytes& b, ChooseFontRecord& r) {
    r.hDC = GetLe32(&b[8]);
    r.pointSize = static_cast<std::int32_t>(GetLe32(&b[16]));
    r.rgbColors = GetLe32(&b[24]);
    r.fontType = GetLe16(&b[48]);
}

BrowseInfoBytes PackBrowseInfo32(const BrowseInfoRecord& r) {
    BrowseInfoBytes b{};
    PutLe32(&b[0], static_cast<std::uint32_t>(r.owner));
    PutLe32(&b[4], Low32(r.root));
    PutLe32(&b[8], Low32(r.displayName));
    PutLe32(&b[12], Low32(r.title));
    PutLe32(&b[16], r.flags);
    PutLe32(&b[20], Low32(r.callback));
    PutLe32(&b[24], Low32(r.lParam));
    PutLe32(&b[28], static_cast<std::uint32_t>(r.image));
    return b;
}

PrintDlgBytes PackPrintDlg32(const PrintDlgRecord& r) {
    PrintDlgBytes b{};
    PutLe32(&b[0], r.structSize);
    PutLe32(&b[4], static_cast<std::uint32_t>(r.owner));
    PutLe32(&b[8], Low32(r.devMode));
    PutLe32(&b[12], Low32(r.devNames));
    PutLe32(&b[16], Low32(r.hDC));
    PutLe32(&b[20], r.flags);
    PutLe16(&b[24], r.fromPage);
    PutLe16(&b[26], r.toPage);
    PutLe16(&b[28], r.minPage);
    PutLe16(&b[30], r.maxPage);
    PutLe16(&b[32], r.copies);
    PutLe32(&b[34], Low32(r.instance));
    PutLe32(&b[38], Low32(r.custData));
    PutLe32(&b[42], Low32(r.printHook));
    PutLe32(&b[46], Low32(r.setupHook));
    PutLe32(&b[50], Low32(r.printTemplateName));
    PutLe32(&b[54], Low32(r.setupTemplateName));
    PutLe32(&b[58], Low32(r.printTemplate));
    PutLe32(&b[62], Low32(r.setupTemplate));
    return b;
}

void ReadBackPrintDlg32(const PrintDlgBytes& b, PrintDlgRecord& r) {
    r.devMode = GetLe32(&b[8]);
    r.devNames = GetLe32(&b[12]);
    r.hDC = GetLe32(&b[16]);
    r.flags = GetLe32(&b[20]);
    r.fromPage = GetLe16(&b[24]);
    r.toPage = GetLe16(&b[26]);
    r.copies = GetLe16(&b[32]);
}

std::optional<std::vector<std::uint8_t>> BuildDevNames(std::string_view driver, std::string_view device,
                                                       std::string_view port) {
    const std::size_t deviceOffset = 8 + driver.size() + 1;
    const std::size_t outputOffset = deviceOffset + device.size() + 1;
    if (outputOffset > UINT16_MAX) {
        return std::nullopt;
    }
    std::string text;
    text.append(driver).append(1, '\0').append(device).append(1, '\0').append(port).append(1, '\0');
    if (text.size() < kDevNamesTextChars) {
        text.resize(kDevNamesTextChars, ' ');
    }
    std::vector<std::uint8_t> record(8 + text.size());
    PutLe16(&record[0], 8);
    PutLe16(&record[2], static_cast<std::uint16_t>(deviceOffset));
    PutLe16(&record[4], static_cast<std::uint16_t>(outputOffset));
    PutLe16(&record[6], 0);
    std::memcpy(&record[8], text.data(), text.size());
    return record;
}

DevNamesOffsets ReadDevNamesOffsets(const std::uint8_t* record) noexcept {
    return {GetLe16(record), GetLe16(record + 2), GetLe16(record + 4), GetLe16(record + 6)};
}

DevModeBytes StartingDevMode() {
    DevModeBytes b{};
    PutLe16(&b[devmode::kSize], static_cast<std::uint16_t>(kDevModeSize));
    return b;
}

std::int16_t DevModeShort(const DevModeBytes& record, std::size_t offset) noexcept {
    return static_cast<std::int16_t>(GetLe16(&record[offset]));
}

std::string TextUpToNul(const char* text, std::size_t size) {
    const char* end = std::find(text, text + size, '\0');
    return std::string(text, end);
}

} // namespace corvane::cdlg
