#include "app/sounds.h"

#include "controls/commondialog/common_dialog.h"

namespace corvane {

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

namespace sounds {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDriveRooted(std::string_view p) { return p.size() >= 3 && IsLetter(p[0]) && p[1] == ':' && IsSeparator(p[2]); }

// A scheme of two or more characters before a colon ("file:", "http:"): one letter is a drive.
bool IsUrl(std::string_view p) {
    const std::size_t colon = p.find(':');
    if (colon == std::string_view::npos || colon < 2 || !IsLetter(p[0])) {
        return false;
    }
    for (const char c : p.substr(0, colon)) {
        if (!IsLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

enum class Kind { OnThisComputer, Relative, RootedOnTheCurrentDrive, Refused };

Kind KindOf(std::string_view p) {
    if (IsDriveRooted(p)) {
        return Kind::OnThisComputer;
    }
    if ((p.size() >= 2 && IsLetter(p[0]) && p[1] == ':') || IsUrl(p)) {
        // "C:x" hangs on the current folder of drive C, which the program does not own.
        return Kind::Refused;
    }
    // "\\?\", "\\.\" and the object-manager prefix (a backslash, two question marks, a
    // backslash) that the system passes on unchanged name devices:
    // only a drive's own files are taken, long paths included. Every other path that starts
    // with two separators names another computer.
    const bool device = p.size() >= 4 && IsSeparator(p[0]) && IsSeparator(p[1]) && (p[2] == '?' || p[2] == '.') &&
                        IsSeparator(p[3]);
    const bool objectManager = p.size() >= 4 && p[0] == '\\' && p[1] == '?' && p[2] == '?' && p[3] == '\\';
    if (device || objectManager) {
        return IsDriveRooted(p.substr(4)) ? Kind::OnThisComputer : Kind::Refused;
    }
    if (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1])) {
        return Kind::Refused;
    }
    return !p.empty() && IsSeparator(p[0]) ? Kind::RootedOnTheCurrentDrive : Kind::Relative;
}

} // namespace

bool OnThisComputer(std::string_view path) { return KindOf(path) == Kind::OnThisComputer; }

std::optional<std::string> LocalSoundFile(std::string_view stored, std::string_view programFolder) {
    std::string path;
    switch (KindOf(stored)) {
    case Kind::OnThisComputer: return std::string(stored);
    case Kind::Refused: return std::nullopt;
    case Kind::RootedOnTheCurrentDrive:
        path = std::string(programFolder.substr(0, 2)).append(stored);
        break;
    case Kind::Relative:
        if (stored.empty()) {
            return std::nullopt;
        }
        path = std::string(programFolder);
        if (!path.empty() && !IsSeparator(path.back())) {
            path.push_back('\\');
        }
        path.append(stored);
        break;
    }
    // A program run from another computer has no folder of this computer to take them against.
    return OnThisComputer(path) ? std::optional<std::string>(path) : std::nullopt;
}

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
        if (!OnThisComputer(chosen)) {
            ui.SayNotOnThisComputer();
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
