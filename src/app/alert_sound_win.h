#pragma once
// Playing an alert's WAV file, and the existence test it relies on.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// True when a directory lookup of the path finds a file (normal, read-only, hidden or
// system; a folder does not count). A wildcard pattern is true when any file matches it.
// A lookup that fails for another reason than "not found" (a malformed path, a drive that
// is not ready) shows the "Error ! (Source : FileExists)" box and gives false.
bool FileExists(std::string_view path);

// Plays the file asynchronously, replacing any sound still playing, when it exists; plays
// nothing at all (not even the system's default sound) otherwise.
void PlayAlertSound(const std::string& path);

// While alive, PlayAlertSound records what it would hand to sndPlaySoundA instead of
// playing it, so tests can hear without a sound device.
class AlertSoundInterceptor {
public:
    struct Played {
        std::string path;
        UINT flags;
    };

    AlertSoundInterceptor();
    AlertSoundInterceptor(const AlertSoundInterceptor&) = delete;
    AlertSoundInterceptor& operator=(const AlertSoundInterceptor&) = delete;
    ~AlertSoundInterceptor();

    const std::vector<Played>& Calls() const noexcept { return calls_; }
    void Record(Played played) { calls_.push_back(std::move(played)); }

private:
    std::vector<Played> calls_;
    AlertSoundInterceptor* previous_;
};

} // namespace corvane
