// The print dialog and the printer details it fills.
#include <algorithm>
#include <cstring>

#include "controls/commondialog/common_dialog.h"
#include "controls/commondialog/global_block.h"

namespace corvane::cdlg {

namespace {

std::string AsciiUpper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return s;
}

// Writes a record into a newly allocated block; 0 when there is no block. A block that
// cannot be locked is handed over as it is: zero-filled.
std::uintptr_t BlockHolding(GlobalMemory& memory, const std::uint8_t* bytes, std::size_t size) {
    OwnedBlock block(memory, memory.Alloc(size));
    if (block.get()) {
        const BlockLock locked(memory, block.get());
        if (locked.get()) {
            std::memcpy(locked.get(), bytes, size);
        }
    }
    return block.release();
}

// Copies as much of the block as it holds, up to the record's size, then frees the block.
// Returns the block's text from the given offset (up to its first NUL) as a by-product.
void TakeBack(GlobalMemory& memory, std::uintptr_t handle, std::uint8_t* record, std::size_t recordSize,
              std::size_t nameOffsetField, std::string* fullName) {
    OwnedBlock block(memory, handle);
    const BlockLock locked(memory, block.get());
    if (!locked.get()) {
        return;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(locked.get());
    const std::size_t size = memory.Size(block.get());
    std::memcpy(record, bytes, std::min(size, recordSize));
    if (fullName && size >= nameOffsetField + 2) {
        const std::size_t at = GetLe16(bytes + nameOffsetField);
        if (at < size) {
            *fullName = TextUpToNul(reinterpret_cast<const char*>(bytes + at), size - at);
        }
    }
}

} // namespace

void CDlg::ShowPrinter() {
    ResolveOwner();
    GlobalMemory& memory = api_.Memory();
    PrinterHost& printer = host_.Printer();
    PrintDlgRecord record;
    record.owner = p_.ownerHwnd;
    record.flags = static_cast<std::uint32_t>(p_.flags);
    record.fromPage = static_cast<std::uint16_t>(p_.fromPage);
    record.toPage = static_cast<std::uint16_t>(p_.toPage);
    record.minPage = static_cast<std::uint16_t>(p_.min);
    record.maxPage = static_cast<std::uint16_t>(p_.max);

    // Every step that fails is skipped: the dialog opens with whatever could be built.
    DevModeBytes devMode = StartingDevMode();
    std::array<std::uint8_t, kDevNamesSize> devNames{};
    record.devMode = BlockHolding(memory, devMode.data(), devMode.size());
    if (const std::optional<PrinterNames> current = printer.CurrentPrinter()) {
        if (const auto names = BuildDevNames(current->driverName, current->deviceName, current->port)) {
            std::memcpy(devNames.data(), names->data(), std::min(names->size(), devNames.size()));
            record.devNames = BlockHolding(memory, names->data(), names->size());
        }
    }

    // The dialog may free the blocks it was given and hand back others: the record's
    // handles are the ones to free now, on either outcome.
    const bool confirmed = api_.PrintDialog(record);
    if (!confirmed) {
        for (const std::uintptr_t block : {record.devMode, record.devNames}) {
            if (block) {
                memory.Free(block);
            }
        }
        RaiseCancelError();
        return;
    }
    std::string fullDeviceName;
    TakeBack(memory, record.devNames, devNames.data(), devNames.size(), 2, &fullDeviceName);
    TakeBack(memory, record.devMode, devMode.data(), devMode.size(), 0, nullptr);

    std::string name = TextUpToNul(reinterpret_cast<const char*>(&devMode[devmode::kDeviceName]), 32);
    // dmDeviceName holds 31 characters; a longer name is whole only in DEVNAMES.
    if (name.size() == 31 && fullDeviceName.size() > name.size() && fullDeviceName.compare(0, 31, name) == 0) {
        name = fullDeviceName;
    }
    if (p_.printerDefault) {
        const std::string key = AsciiUpper(name);
        const std::optional<PrinterNames> current = printer.CurrentPrinter();
        if (!current || key != current->deviceName) {
            if (const auto installed = printer.InstalledPrinters()) {
                // Walked to the end: the last match stays current.
                for (const std::string& deviceName : *installed) {
                    if (AsciiUpper(deviceName) == key) {
                        printer.MakeCurrent(deviceName);
                    }
                }
            }
        }
    }

    const auto dm = [&](std::size_t offset) { return DevModeShort(devMode, offset); };
    p_.flags = static_cast<std::int32_t>(record.flags);
    p_.copies = static_cast<std::int16_t>(record.copies);
    p_.fromPage = static_cast<std::int16_t>(record.fromPage);
    p_.toPage = static_cast<std::int16_t>(record.toPage);
    p_.orientation = dm(devmode::kOrientation);
    p_.hDC = static_cast<std::int32_t>(record.hDC);
    p_.printerName = name;
    p_.printerDefaultSource = dm(devmode::kDefaultSource);

    const DevNamesOffsets offsets = ReadDevNamesOffsets(devNames.data());
    printer_.collate = dm(devmode::kCollate);
    printer_.color = dm(devmode::kColor);
    printer_.displayFlags = static_cast<std::int32_t>(GetLe32(&devMode[devmode::kDisplayFlags]));
    printer_.driverVersion = dm(devmode::kDriverVersion);
    printer_.duplex = dm(devmode::kDuplex);
    printer_.fields = static_cast<std::int32_t>(GetLe32(&devMode[devmode::kFields]));
    printer_.paperLength = dm(devmode::kPaperLength);
    printer_.paperSize = dm(devmode::kPaperSize);
    printer_.paperWidth = dm(devmode::kPaperWidth);
    printer_.printQuality = dm(devmode::kPrintQuality);
    printer_.scale = dm(devmode::kScale);
    printer_.specVersion = dm(devmode::kSpecVersion);
    printer_.ttOption = dm(devmode::kTTOption);
    printer_.yResolution = dm(devmode::kYResolution);
    printer_.extra.assign(reinterpret_cast<const char*>(&devNames[8]), kDevNamesTextChars);
    printer_.defaultFlag = static_cast<std::int16_t>(offsets.isDefault);
    printer_.deviceOffset = static_cast<std::int16_t>(offsets.device);
    printer_.driverOffset = static_cast<std::int16_t>(offsets.driver);
    printer_.outputOffset = static_cast<std::int16_t>(offsets.output);

    if (p_.printerDefault) {
        // A setting the printer refuses is skipped.
        const std::pair<PrinterSetting, std::int32_t> settings[] = {
            {PrinterSetting::Copies, record.copies},
            {PrinterSetting::Duplex, dm(devmode::kDuplex)},
            {PrinterSetting::Orientation, dm(devmode::kOrientation)},
            {PrinterSetting::PaperSize, dm(devmode::kPaperSize)},
            {PrinterSetting::PrintQuality, dm(devmode::kPrintQuality)},
            {PrinterSetting::ColorMode, dm(devmode::kColor)},
            {PrinterSetting::PaperBin, dm(devmode::kDefaultSource)},
        };
        for (const auto& [setting, value] : settings) {
            printer.Apply(setting, value);
        }
    }
}

} // namespace corvane::cdlg
