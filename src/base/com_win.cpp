#include "base/com_win.h"

#include <windows.h>
#include <objbase.h>

#include "base/system_calls_win.h"

namespace corvane {

void JoinComApartment() {
    static bool joined = false;
    if (joined) {
        return;
    }
    // Whatever the answer (even "already joined in another mode"), asking again would not
    // change it. The apartment is left when the process ends.
    sys::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    joined = true;
}

} // namespace corvane
