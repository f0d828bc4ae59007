// Entry point of win_tests: the process is set up as Corvane.exe sets itself up.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/system_calls_win.h"
#include "base/system_library_win.h"

int main(int argc, char** argv) {
    corvane::LimitLibrarySearch();
    corvane::sys::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    corvane::sys::InitCommonControlsEx(&icc);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
