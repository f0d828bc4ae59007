#include "app/sounds.h"

#include "controls/commondialog/common_dialog.h"

namespace corvane {

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

namespace sounds {

bool HasWavExtension(std::string_view fileName) {
    if (fileName.size() < 3) {
        return false;
    }
    const std::string_view last = fileName.substr(fileName.size() - 3);
    constexpr std::string_view wav = "wav";
    for (std::size_t i = 0; i < 3; ++i) {
        char c = last[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != wav[i]) {
            return false;
        }
    }
    return true;
}

void ChooseSoundFile(cdlg::CDlg& dialog, SoundChoiceUi& ui, int slot) {
    // A Retry runs the whole choice again, exactly as a new click would.
    for (;;) {
        dialog.SetDialogTitle(kDialogTitle);
        dialog.SetFileName("");
        dialog.SetFlags(kDialogFlags);
        dialog.SetFilter(kFilter);
        dialog.SetMaxFileSize(kPathBytes);
        dialog.ShowOpen();

        const std::string chosen = dialog.FileName();
        if (IsBlank(chosen)) {
            return;
        }
        if (HasWavExtension(chosen)) {
            ui.ShowSoundFile(slot, chosen);
            return;
        }
        if (!ui.RetryWrongFileType()) {
            return;
        }
    }
}

} // namespace sounds
} // namespace corvane
