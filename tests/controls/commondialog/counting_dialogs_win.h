#pragma once
// The real dialog functions with a count of the global blocks the control holds: every
// block allocated, minus every block freed, with the print dialog's swaps of its blocks
// followed. Handles that went by are kept so a test can also ask Windows whether any is
// still allocated.
#include <windows.h>

#include <set>
#include <vector>

#include "controls/commondialog/common_dialog_win.h"

namespace corvane::cdlg::test {

class CountingMemory final : public GlobalMemory {
public:
    std::uintptr_t Alloc(std::size_t bytes) override { return Track(inner_.Alloc(bytes)); }
    void* Lock(std::uintptr_t b) override { return inner_.Lock(b); }
    void Unlock(std::uintptr_t b) override { inner_.Unlock(b); }
    std::size_t Size(std::uintptr_t b) override { return inner_.Size(b); }
    void Free(std::uintptr_t b) override {
        live_.erase(b);
        inner_.Free(b);
    }

    std::uintptr_t Track(std::uintptr_t b) {
        if (b) {
            live_.insert(b);
            seen_.push_back(b);
        }
        return b;
    }
    void Forget(std::uintptr_t b) { live_.erase(b); }

    int Live() const { return static_cast<int>(live_.size()); }
    // Blocks Windows still knows of among all that went by.
    int StillAllocated() const {
        int n = 0;
        for (std::uintptr_t b : seen_) {
            n += ::GlobalFlags(reinterpret_cast<HGLOBAL>(b)) != GMEM_INVALID_HANDLE ? 1 : 0;
        }
        return n;
    }
    int Seen() const { return static_cast<int>(seen_.size()); }

private:
    GlobalMemory& inner_ = SystemGlobalMemory();
    std::set<std::uintptr_t> live_;
    std::vector<std::uintptr_t> seen_;
};

class CountingDialogs final : public CommonDialogApi {
public:
    CountingMemory memory;
    int printDialogResult = -1;

    bool GetFileName(FileDialogKind k, OpenFileNameRecord& r) override { return inner_.GetFileName(k, r); }
    bool ChooseColorDlg(ChooseColorRecord& r) override { return inner_.ChooseColorDlg(r); }
    bool ChooseFontDlg(ChooseFontRecord& r) override { return inner_.ChooseFontDlg(r); }
    std::int32_t ScreenPixelsPerInchY() override { return inner_.ScreenPixelsPerInchY(); }
    void CallWinHelp(std::int32_t o, const char* f, std::uint32_t c, std::uintptr_t d) override {
        inner_.CallWinHelp(o, f, c, d);
    }
    std::uintptr_t SpecialFolderItemList(std::int32_t o, std::int32_t f) override {
        return inner_.SpecialFolderItemList(o, f);
    }
    std::uintptr_t BrowseForFolder(BrowseInfoRecord& r) override { return inner_.BrowseForFolder(r); }
    std::string PathFromItemList(std::uintptr_t l) override { return inner_.PathFromItemList(l); }
    void FreeItemList(std::uintptr_t l) override { inner_.FreeItemList(l); }
    bool PrintDialog(PrintDlgRecord& r) override {
        const std::uintptr_t given[] = {r.devMode, r.devNames};
        const bool confirmed = inner_.PrintDialog(r);
        printDialogResult = confirmed ? 1 : 0;
        // A block the dialog swapped was freed by it; the new one is the control's to free.
        const std::uintptr_t back[] = {r.devMode, r.devNames};
        for (int i = 0; i < 2; ++i) {
            if (back[i] != given[i]) {
                memory.Forget(given[i]);
                memory.Track(back[i]);
            }
        }
        return confirmed;
    }
    void ShowInformation(std::int32_t o, const std::string& t, const std::string& c) override {
        inner_.ShowInformation(o, t, c);
    }
    GlobalMemory& Memory() override { return memory; }

private:
    CommonDialogApi& inner_ = SystemCommonDialogs();
};

} // namespace corvane::cdlg::test
