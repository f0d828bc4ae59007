#include "controls/commondialog/printer_win.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "base/system_calls_win.h"

namespace corvane::cdlg {

namespace {

class OpenedPrinter {
public:
    explicit OpenedPrinter(std::string& name) noexcept {
        if (!sys::OpenPrinterA(name.data(), &h_, nullptr)) {
            h_ = nullptr;
        }
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;
    ~OpenedPrinter() {
        if (h_) {
            sys::ClosePrinter(h_);
        }
    }
    HANDLE get() const noexcept { return h_; }

private:
    HANDLE h_ = nullptr;
};

std::string Text(const char* s) { return s ? s : ""; }

// Local and connected printers with their driver and port.
std::optional<std::vector<PrinterNames>> EnumInstalled() {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    sys::EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (!sys::EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        return std::nullopt;
    }
    std::vector<PrinterNames> printers;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        printers.push_back({Text(info[i].pPrinterName), Text(info[i].pDriverName), Text(info[i].pPortName)});
    }
    return printers;
}

std::string DefaultPrinterName() {
    DWORD size = 0;
    sys::GetDefaultPrinterA(nullptr, &size);
    if (size == 0) {
        return {};
    }
    std::string name(size, '\0');
    if (!sys::GetDefaultPrinterA(name.data(), &size)) {
        return {};
    }
    return TextUpToNul(name.data(), name.size());
}

// The DEVMODE field a setting lives in, with its dmFields bit.
short* SettingField(DEVMODEA& dm, PrinterSetting setting, DWORD& bit) {
    switch (setting) {
    case PrinterSetting::Copies: bit = DM_COPIES; return &dm.dmCopies;
    case PrinterSetting::Duplex: bit = DM_DUPLEX; return &dm.dmDuplex;
    case PrinterSetting::Orientation: bit = DM_ORIENTATION; return &dm.dmOrientation;
    case PrinterSetting::PaperSize: bit = DM_PAPERSIZE; return &dm.dmPaperSize;
    case PrinterSetting::PrintQuality: bit = DM_PRINTQUALITY; return &dm.dmPrintQuality;
    case PrinterSetting::ColorMode: bit = DM_COLOR; return &dm.dmColor;
    case PrinterSetting::PaperBin: bit = DM_DEFAULTSOURCE; return &dm.dmDefaultSource;
    }
    return nullptr;
}

class SpoolerPrinter final : public PrinterHost {
public:
    std::optional<PrinterNames> CurrentPrinter() override {
        const std::string name = CurrentName();
        if (name.empty()) {
            return std::nullopt;
        }
        if (const auto installed = EnumInstalled()) {
            for (const PrinterNames& p : *installed) {
                if (p.deviceName == name) {
                    return p;
                }
            }
        }
        return std::nullopt;
    }

    std::optional<std::vector<std::string>> InstalledPrinters() override {
        const auto installed = EnumInstalled();
        if (!installed) {
            return std::nullopt;
        }
        std::vector<std::string> names;
        for (const PrinterNames& p : *installed) {
            names.push_back(p.deviceName);
        }
        return names;
    }

    bool MakeCurrent(const std::string& deviceName) override {
        current_ = deviceName;
        settings_.clear();
        return true;
    }

    // The driver is handed the changed settings; a value it does not keep is refused, and
    // the settings stay as they were.
    bool Apply(PrinterSetting setting, std::int32_t value) override {
        std::string name = CurrentName();
        if (name.empty()) {
            return false;
        }
        const OpenedPrinter printer(name);
        if (!printer.get()) {
            return false;
        }
        if (settings_.empty()) {
            const LONG size = sys::DocumentPropertiesA(nullptr, printer.get(), name.data(), nullptr, nullptr, 0);
            if (size < static_cast<LONG>(sizeof(DEVMODEA))) {
                return false;
            }
            std::vector<BYTE> settings(static_cast<std::size_t>(size));
            if (sys::DocumentPropertiesA(nullptr, printer.get(), name.data(),
                                         reinterpret_cast<DEVMODEA*>(settings.data()), nullptr, DM_OUT_BUFFER) != IDOK) {
                return false;
            }
            settings_ = std::move(settings);
        }
        std::vector<BYTE> wanted = settings_;
        auto& in = *reinterpret_cast<DEVMODEA*>(wanted.data());
        DWORD bit = 0;
        short* field = SettingField(in, setting, bit);
        if (!field) {
            return false;
        }
        *field = static_cast<short>(value);
        in.dmFields |= bit;
        std::vector<BYTE> result(wanted.size());
        auto& out = *reinterpret_cast<DEVMODEA*>(result.data());
        if (sys::DocumentPropertiesA(nullptr, printer.get(), name.data(), &out, &in, DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK) {
            return false;
        }
        if (*SettingField(out, setting, bit) != static_cast<short>(value)) {
            return false;
        }
        settings_ = std::move(result);
        return true;
    }

private:
    std::string CurrentName() const { return current_.empty() ? DefaultPrinterName() : current_; }

    std::string current_;          // empty: the user's default printer
    std::vector<BYTE> settings_;   // the current printer's DEVMODE with its driver's part
};

} // namespace

PrinterHost& ApplicationPrinter() noexcept {
    static SpoolerPrinter printer;
    return printer;
}

} // namespace corvane::cdlg
