#pragma once
// A host and a dialog library of our own for the control's rules: the host answers as a
// form would, the dialog function keeps what it was handed and answers as scripted.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/commondialog/common_dialog.h"

namespace corvane::cdlg::test {

// Global blocks as byte vectors; a block freed while locked, or twice, is a test failure.
struct FakeMemory final : GlobalMemory {
    struct Block {
        std::vector<std::uint8_t> bytes;
        int locks = 0;
    };
    std::map<std::uintptr_t, Block> blocks;
    std::uintptr_t next = 0x00150000;
    bool failAlloc = false;
    bool failLock = false;
    std::vector<std::string> faults;

    std::uintptr_t Alloc(std::size_t size) override {
        if (failAlloc) {
            return 0;
        }
        next += 0x100;
        blocks[next].bytes.assign(size, 0);
        return next;
    }
    void* Lock(std::uintptr_t h) override {
        auto it = blocks.find(h);
        if (failLock || it == blocks.end()) {
            return nullptr;
        }
        ++it->second.locks;
        return it->second.bytes.data();
    }
    void Unlock(std::uintptr_t h) override {
        auto it = blocks.find(h);
        if (it == blocks.end() || it->second.locks == 0) {
            faults.push_back("unlock of a block not locked");
        } else {
            --it->second.locks;
        }
    }
    std::size_t Size(std::uintptr_t h) override {
        auto it = blocks.find(h);
        return it == blocks.end() ? 0 : it->second.bytes.size();
    }
    void Free(std::uintptr_t h) override {
        auto it = blocks.find(h);
        if (it == blocks.end()) {
            faults.push_back("free of an unknown block");
        } else {
            if (it->second.locks != 0) {
                faults.push_back("free of a locked block");
            }
            blocks.erase(it);
        }
    }
    std::uintptr_t Holding(const std::vector<std::uint8_t>& bytes) {
        const std::uintptr_t h = Alloc(bytes.size());
        blocks[h].bytes = bytes;
        return h;
    }
    std::vector<std::uint8_t> Bytes(std::uintptr_t h) const {
        auto it = blocks.find(h);
        return it == blocks.end() ? std::vector<std::uint8_t>{} : it->second.bytes;
    }
};

// The application's printers; the current one is the first until another is made current.
struct FakePrinter final : PrinterHost {
    std::vector<PrinterNames> installed = {{"Office Laser", "HPPCL5E!", "LPT1:"}, {"Draft", "EPSON9", "COM2:"}};
    std::optional<std::size_t> current = 0;
    bool listFails = false;
    std::vector<PrinterSetting> refused;
    std::vector<std::string> madeCurrent;
    std::vector<std::pair<PrinterSetting, std::int32_t>> applied;

    std::optional<PrinterNames> CurrentPrinter() override {
        return current ? std::optional<PrinterNames>(installed.at(*current)) : std::nullopt;
    }
    std::optional<std::vector<std::string>> InstalledPrinters() override {
        if (listFails) {
            return std::nullopt;
        }
        std::vector<std::string> names;
        for (const PrinterNames& p : installed) {
            names.push_back(p.deviceName);
        }
        return names;
    }
    bool MakeCurrent(const std::string& deviceName) override {
        madeCurrent.push_back(deviceName);
        for (std::size_t i = 0; i < installed.size(); ++i) {
            if (installed[i].deviceName == deviceName) {
                current = i;
            }
        }
        return true;
    }
    bool Apply(PrinterSetting setting, std::int32_t value) override {
        applied.emplace_back(setting, value);
        return std::find(refused.begin(), refused.end(), setting) == refused.end();
    }
};

struct FakeHost final : CDlgHost {
    bool userMode = true;
    std::int32_t parent = 0x00010A2C;
    std::uintptr_t instance = 0x00400000;
    std::vector<std::string> changes;
    std::vector<std::pair<std::int32_t, std::int32_t>> extents;

    bool UserMode() const override { return userMode; }
    std::int32_t ParentWindow() const override { return parent; }
    std::uintptr_t InstanceHandle() const override { return instance; }
    void PropertyChanged(std::string_view key) override { changes.emplace_back(key); }
    void SetExtentTwips(std::int32_t w, std::int32_t h) override { extents.emplace_back(w, h); }
    FakePrinter printer;
    PrinterHost& Printer() override { return printer; }
};

struct FakeDialogs final : CommonDialogApi {
    struct Call {
        FileDialogKind kind;
        OpenFileNameRecord record;   // as handed over
        OpenFileNameBytes bytes;     // its 32-bit form
        std::string fileBuffer;      // the file buffer's maxFile characters
        std::string titleBuffer;
        std::string filter;          // up to and including the first double NUL
    };
    // Acts as the dialog: writes into the record's buffers; returns whether a file was chosen.
    std::function<bool(OpenFileNameRecord&)> answer = [](OpenFileNameRecord&) { return false; };
    std::vector<Call> calls;
    std::uint32_t error = 0; // what CommDlgExtendedError says after a dialog that chose nothing
    std::uint32_t LastDialogError() override { return error; }

    bool GetFileName(FileDialogKind kind, OpenFileNameRecord& record) override {
        Call call{kind, record, PackOpenFileName32(record), {}, {}, {}};
        call.fileBuffer.assign(record.file, record.maxFile);
        call.titleBuffer.assign(record.fileTitle, record.maxFileTitle);
        for (const char* p = record.filter;; ++p) {
            call.filter += *p;
            if (p[0] == '\0' && p > record.filter && p[-1] == '\0') {
                break;
            }
        }
        calls.push_back(call);
        return answer(record);
    }

    // The other dialogs: each call is kept as handed over (its 32-bit bytes too) and
    // answered by a function that acts as the dialog.
    struct ColorCall {
        ChooseColorBytes bytes;
        std::array<std::uint32_t, 16> customColors;
    };
    std::vector<ColorCall> colorCalls;
    std::function<bool(ChooseColorRecord&)> colorAnswer = [](ChooseColorRecord&) { return false; };
    bool ChooseColorDlg(ChooseColorRecord& r) override {
        ColorCall call{PackChooseColor32(r), {}};
        std::copy(r.custColors, r.custColors + 16, call.customColors.begin());
        colorCalls.push_back(call);
        return colorAnswer(r);
    }

    struct FontCall {
        ChooseFontBytes bytes;
        LogFontBytes logFont;
    };
    std::vector<FontCall> fontCalls;
    std::function<bool(ChooseFontRecord&, LogFontBytes&)> fontAnswer = [](ChooseFontRecord&, LogFontBytes&) {
        return false;
    };
    bool ChooseFontDlg(ChooseFontRecord& r) override {
        FontCall call{PackChooseFont32(r), {}};
        std::memcpy(call.logFont.data(), r.logFont, kLogFontSize);
        fontCalls.push_back(call);
        LogFontBytes chosen = call.logFont;
        const bool ok = fontAnswer(r, chosen);
        std::memcpy(r.logFont, chosen.data(), kLogFontSize);
        return ok;
    }
    std::int32_t pixelsPerInch = 96;
    std::int32_t ScreenPixelsPerInchY() override { return pixelsPerInch; }

    struct HelpCall {
        std::int32_t owner;
        std::string file;
        std::uint32_t command;
        std::uintptr_t data;
    };
    std::vector<HelpCall> helpCalls;
    void CallWinHelp(std::int32_t owner, const char* file, std::uint32_t command, std::uintptr_t data) override {
        helpCalls.push_back({owner, file, command, data});
    }

    // Special folders 5 and 38 have item lists; every other number names none.
    std::vector<std::int32_t> foldersAsked;
    std::uintptr_t SpecialFolderItemList(std::int32_t, std::int32_t folder) override {
        foldersAsked.push_back(folder);
        return folder == 5 || folder == 38 ? 0x00C00000u + static_cast<std::uintptr_t>(folder) : 0;
    }
    struct BrowseCall {
        BrowseInfoBytes bytes;
        std::string title;
    };
    std::vector<BrowseCall> browseCalls;
    std::string chosenFolder;  // empty: the dialog is cancelled
    std::uintptr_t BrowseForFolder(BrowseInfoRecord& r) override {
        browseCalls.push_back({PackBrowseInfo32(r), r.title});
        return chosenFolder.empty() ? 0 : 0x00D00000u;
    }
    std::string PathFromItemList(std::uintptr_t list) override {
        return list == 0x00D00000u ? chosenFolder.substr(0, kMaxPath - 1) : "";
    }
    std::vector<std::uintptr_t> freedLists;
    void FreeItemList(std::uintptr_t list) override { freedLists.push_back(list); }

    FakeMemory memory;
    GlobalMemory& Memory() override { return memory; }
    struct PrintCall {
        PrintDlgBytes bytes;
        std::vector<std::uint8_t> devMode;   // the blocks' contents as handed over
        std::vector<std::uint8_t> devNames;
    };
    std::vector<PrintCall> printCalls;
    std::function<bool(PrintDlgRecord&)> printAnswer = [](PrintDlgRecord&) { return false; };
    bool PrintDialog(PrintDlgRecord& r) override {
        printCalls.push_back({PackPrintDlg32(r), memory.Bytes(r.devMode), memory.Bytes(r.devNames)});
        return printAnswer(r);
    }

    struct InfoCall {
        std::int32_t owner;
        std::string text;
        std::string title;
    };
    std::vector<InfoCall> infoCalls;
    void ShowInformation(std::int32_t owner, const std::string& text, const std::string& title) override {
        infoCalls.push_back({owner, text, title});
    }
};

// Writes text and its NUL into a dialog buffer, as the dialog does.
inline void WriteResult(char* buffer, const std::string& text) {
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = '\0';
}

} // namespace corvane::cdlg::test
