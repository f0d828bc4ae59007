// The colour, font, help and folder dialogs and the About box.
#include <cstring>

#include "base/component_error.h"
#include "controls/commondialog/common_dialog.h"
#include "controls/commondialog/global_block.h"

namespace corvane::cdlg {

namespace {

// An item list the control took from the shell, released on every way out.
class ItemList {
public:
    ItemList(CommonDialogApi& api, std::uintptr_t list) noexcept : api_(api), list_(list) {}
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    ~ItemList() {
        if (list_) {
            api_.FreeItemList(list_);
        }
    }
    std::uintptr_t get() const noexcept { return list_; }

private:
    CommonDialogApi& api_;
    std::uintptr_t list_;
};

} // namespace

std::array<std::uint8_t, 64> CDlg::CustomColors() const noexcept {
    std::array<std::uint8_t, 64> bytes{};
    for (std::size_t i = 0; i < customColors_.size(); ++i) {
        PutLe32(&bytes[4 * i], customColors_[i]);
    }
    return bytes;
}

void CDlg::ShowColor() {
    ResolveOwner();
    // The dialog edits a copy, so custom colours changed in a cancelled dialog are dropped.
    std::array<std::uint32_t, 16> colors = customColors_;
    ChooseColorRecord record;
    record.owner = p_.ownerHwnd;
    record.instance = host_.InstanceHandle();
    record.custColors = colors.data();
    record.flags = static_cast<std::uint32_t>(p_.flags);
    if (!api_.ChooseColorDlg(record)) {
        RaiseCancelError();
        return;
    }
    p_.color = static_cast<std::int32_t>(record.rgbResult);
    customColors_ = colors;
}

void CDlg::ShowFont() {
    const LogFontBytes start = StartingLogFont(p_.fontName);
    // Declared in this order so the block is unlocked before it is freed.
    GlobalMemory& memory = api_.Memory();
    OwnedBlock block(memory, memory.Alloc(kLogFontSize));
    BlockLock locked(memory, block.get());
    if (!locked.get()) {
        throw ComponentError(kOutOfMemory, kRuntimeErrorSource, "Out of memory");
    }
    std::memcpy(locked.get(), start.data(), start.size());

    ResolveOwner();
    ChooseFontRecord record;
    record.owner = p_.ownerHwnd;
    record.logFont = locked.get();
    record.flags = static_cast<std::uint32_t>(p_.flags);
    record.sizeMin = p_.min;
    record.sizeMax = p_.max;
    if (!api_.ChooseFontDlg(record)) {
        RaiseCancelError();
        return;
    }
    LogFontBytes chosenBytes;
    std::memcpy(chosenBytes.data(), locked.get(), chosenBytes.size());
    const ChosenFont chosen = ReadLogFont(chosenBytes);
    p_.fontName = chosen.faceName;
    p_.color = static_cast<std::int32_t>(record.rgbColors);
    p_.fontCharSet = chosen.charSet;
    p_.fontItalic = chosen.italic != 0;
    p_.fontBold = chosen.weight > 400;
    p_.fontStrikeThru = chosen.strikeOut != 0;
    p_.fontUnderLine = chosen.underline != 0;
    p_.fontSize = FontPointSize(chosen.height, api_.ScreenPixelsPerInchY());
    p_.hDC = static_cast<std::int32_t>(record.hDC);
}

void CDlg::ShowHelp() {
    ResolveOwner();
    const char* file = p_.helpFile.c_str();
    if (p_.helpCommand == 1) {
        api_.CallWinHelp(p_.ownerHwnd, file, 1, static_cast<std::uint32_t>(p_.helpContext));
        return;
    }
    // The command widens without its sign: HELP_TCARD is 0x8000, which the 16-bit property
    // holds as a negative number.
    api_.CallWinHelp(p_.ownerHwnd, file, static_cast<std::uint16_t>(p_.helpCommand),
                 reinterpret_cast<std::uintptr_t>(p_.helpKey.c_str()));
}

std::string CDlg::ShowBrowseForFolder() {
    ResolveOwner();
    std::string path;
    {
        // A special-folder number becomes its item list; a number that names no folder
        // leaves the desktop as the root rather than being passed on as a list.
        const ItemList root(api_, p_.browseSpecialFolder != 0
                                      ? api_.SpecialFolderItemList(p_.ownerHwnd, p_.browseSpecialFolder)
                                      : 0);
        BrowseInfoRecord record;
        record.owner = p_.ownerHwnd;
        record.root = root.get();
        record.title = p_.dialogTitle.c_str();
        record.flags = static_cast<std::uint32_t>(p_.flags);
        const ItemList chosen(api_, api_.BrowseForFolder(record));
        if (!chosen.get()) {
            // With the cancel error raised, FolderPath keeps its value; without, it empties.
            RaiseCancelError();
        } else if (p_.maxFileSize < 0) {
            throw ComponentError(kInvalidArgument, kRuntimeErrorSource, "Invalid procedure call or argument");
        } else {
            // The shell writes up to its path limit whatever MaxFileSize says; the path is
            // cut to MaxFileSize afterwards.
            path = api_.PathFromItemList(chosen.get());
            if (path.size() > static_cast<std::size_t>(p_.maxFileSize)) {
                path.resize(static_cast<std::size_t>(p_.maxFileSize));
            }
        }
    }
    p_.folderPath = path;
    return path;
}

void CDlg::About() {
    api_.ShowInformation(p_.ownerHwnd != 0 ? p_.ownerHwnd : host_.ParentWindow(), kAboutText, kAboutTitle);
}

} // namespace corvane::cdlg
