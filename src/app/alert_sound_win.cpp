#include "app/alert_sound_win.h"

#include <mmsystem.h>

#include <optional>

#include "app/file_exists_win.h"
#include "app/sounds.h"
#include "base/system_calls_win.h"

namespace corvane {

namespace {

AlertSoundInterceptor* g_soundInterceptor = nullptr;

} // namespace

void PlayAlertSound(const std::string& stored, std::string_view programFolder) {
    const std::optional<std::string> local = sounds::LocalSoundFile(stored, programFolder);
    if (!local) {
        return;
    }
    const std::string& path = *local;
    if (!app::FileExists(path)) {
        return;
    }
    const UINT flags = SND_ASYNC | SND_NODEFAULT;
    if (g_soundInterceptor) {
        g_soundInterceptor->Record({path, flags});
        return;
    }
    sys::sndPlaySoundA(path.c_str(), flags);
}

AlertSoundInterceptor::AlertSoundInterceptor() : previous_(g_soundInterceptor) { g_soundInterceptor = this; }

AlertSoundInterceptor::~AlertSoundInterceptor() { g_soundInterceptor = previous_; }

} // namespace corvane
