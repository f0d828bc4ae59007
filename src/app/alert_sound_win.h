#pragma once
// Playing an alert's WAV file (only when it exists: see app/file_exists_win.h).
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Plays the stored path's file (see sounds::LocalSoundFile: on this computer only, a relative
// path taken against the program's folder) asynchronously, replacing any sound still playing,
// when it exists; plays nothing at all (not even the system's default sound) otherwise.
void PlayAlertSound(const std::string& stored, std::string_view programFolder);

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
