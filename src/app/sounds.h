#pragma once
// The three alert sound slots: choosing a WAV file for a slot and the small text rules
// the choice uses.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

namespace cdlg {
class CDlg;
}

// True when the text is empty once leading and trailing spaces are removed.
bool IsBlank(std::string_view text);

namespace sounds {

// Slot 0: charging starts or stops; 1: battery full; 2: low charge.
inline constexpr int kSlotCount = 3;

// Each slot's default file, appended to the program's folder.
inline constexpr std::array<std::string_view, kSlotCount> kDefaultFiles = {
    "\\chg_start.wav", "\\chg_full.wav", "\\chg_critical.wav"};

inline constexpr char kDialogTitle[] = "Select WAV file for Sound Alert ...";
// The file must exist (4096); the dialog leaves the process's current folder alone (8).
inline constexpr std::int32_t kDialogFlags = 4096 | 8;
inline constexpr char kFilter[] = "Sound Files      (*.wav)|*.wav";
// A path of 260 characters takes up to four bytes each under the UTF-8 code page.
inline constexpr std::int16_t kPathBytes = 4 * 260;
inline constexpr char kWrongTypeText[] = "Please select a .WAV file as a Sound Alert file.";
inline constexpr char kWrongTypeTitle[] = "Wrong File-type.";
inline constexpr char kNotLocalText[] =
    "Alert sounds must be on this computer. Please copy the sound file to a drive of this computer and select it "
    "there.";
inline constexpr char kNotLocalTitle[] = "Sound File on Another Computer.";
inline constexpr char kOptionToolTip[] = "Right-click on this Option to hear the selected Sound File (if any) ...";

// The width the shown path is shortened to, in pixels at 96 dpi.
inline constexpr int kCompactWidth = 255;

// Only the last three characters count, in any case; no dot is required before them.
bool HasWavExtension(std::string_view fileName);

// True for a full path on one of this computer's drives ("C:\...", also "\\?\C:\..." and
// "\\.\C:\..."). False for another computer ("\\host\share", "//host/share",
// "\\host@SSL\...", "\\?\UNC\..."), a URL, any other device path, and a relative path.
bool OnThisComputer(std::string_view path);

// The file a stored sound path plays: the path itself when it is on this computer, a relative
// one taken against the program's folder (never the current folder, which any dialog may
// change). Nothing for a path that is not on this computer: it is never looked up, since the
// lookup alone would connect to the host the settings file names and hand it the user's
// credentials, and an unreachable host would hold the window.
std::optional<std::string> LocalSoundFile(std::string_view stored, std::string_view programFolder);

// What the choice needs from the window around it.
class SoundChoiceUi {
public:
    virtual ~SoundChoiceUi() = default;
    // The "Wrong File-type." box; true when the user chose Retry.
    virtual bool RetryWrongFileType() = 0;
    virtual void ShowSoundFile(int slot, const std::string& path) = 0;
    // The box saying that alert sounds must be on this computer.
    virtual void SayNotOnThisComputer() = 0;
};

// A click on a slot's browse button: the open dialog until the user picks a WAV file (which
// fills the slot), cancels the dialog, cancels the wrong-type box, or picks a file on another
// computer (all leave the slot as it was). Errors of the dialog control reach the caller.
void ChooseSoundFile(cdlg::CDlg& dialog, SoundChoiceUi& ui, int slot);

} // namespace sounds
} // namespace corvane
