#include "base/system_library_win.h"

#include <array>
#include <cstddef>
#include <set>
#include <utility>

#include "base/component_error.h"
#include "base/message_box_win.h"

namespace corvane {

namespace {

constexpr std::size_t kLibraries = static_cast<std::size_t>(SystemLibrary::Count);

constexpr std::array<const char*, kLibraries> kFileNames = {
    "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleacc.dll", "oleaut32.dll", "powrprof.dll",
    "setupapi.dll", "uxtheme.dll",  "version.dll", "winmm.dll", "winspool.drv",
};

// One UI thread uses these. A library, once loaded, stays for the life of the process: window
// classes, subclass procedures and COM objects of it may be in use until the very end.
struct Loaded {
    HMODULE module = nullptr;
    bool tried = false;
};
std::array<Loaded, kLibraries> g_loaded;
std::array<std::string, kLibraries> g_renamed;
// What the user has been told of already: a failing feature used again stays quiet.
std::set<std::string> g_reported;

std::size_t Index(SystemLibrary library) noexcept { return static_cast<std::size_t>(library); }

std::string FileName(SystemLibrary library) {
    const std::string& renamed = g_renamed[Index(library)];
    return renamed.empty() ? kFileNames[Index(library)] : renamed;
}

void ReportOnce(SystemLibrary library, const std::string& key, const char* function, DWORD error,
                const std::string& description) {
    if (library == SystemLibrary::Powrprof || !g_reported.insert(key).second) {
        return;
    }
    const MessageBoxText box = RoutineErrorBox(function, static_cast<std::int32_t>(error), description);
    ShowMessageBox(nullptr, box.text, box.title, MB_OK | MB_ICONERROR);
}

} // namespace

void LimitLibrarySearch() noexcept {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 8 and later; looked up so that the program still starts where it is missing.
    using SetPolicy = BOOL(WINAPI*)(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T);
    const auto setPolicy = reinterpret_cast<SetPolicy>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetProcessMitigationPolicy")));
    if (setPolicy) {
        PROCESS_MITIGATION_IMAGE_LOAD_POLICY policy{};
        policy.NoRemoteImages = 1;
        policy.NoLowMandatoryLabelImages = 1;
        policy.PreferSystem32Images = 1;
        setPolicy(ProcessImageLoadPolicy, &policy, sizeof policy);
    }
}

FARPROC FindSystemFunction(SystemLibrary library, const char* name) {
    Loaded& loaded = g_loaded[Index(library)];
    const std::string file = FileName(library);
    if (!loaded.tried) {
        loaded.tried = true;
        // Also with the search left as it is, this names the system folder alone; by base name,
        // so that the common controls still come as the manifest's version 6.
        loaded.module = ::LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!loaded.module) {
            const DWORD error = ::GetLastError();
            ReportOnce(library, file, name, error,
                       file + " could not be loaded from the Windows system folder, so " + name +
                           " is not available.");
            return nullptr;
        }
    }
    if (!loaded.module) {
        return nullptr;
    }
    FARPROC function = ::GetProcAddress(loaded.module, name);
    if (!function) {
        const DWORD error = ::GetLastError();
        ReportOnce(library, file + "!" + name, name, error, std::string(name) + " was not found in " + file + ".");
    }
    return function;
}

SystemLibraryRename::SystemLibraryRename(SystemLibrary library, std::string fileName)
    : library_(library), previous_(std::exchange(g_renamed[Index(library)], std::move(fileName))) {
    g_loaded[Index(library_)] = Loaded{};
}

SystemLibraryRename::~SystemLibraryRename() {
    g_renamed[Index(library_)] = std::move(previous_);
    g_loaded[Index(library_)] = Loaded{};
}

} // namespace corvane
