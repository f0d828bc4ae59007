#pragma once
// Windows' libraries beyond its protected "known DLLs" are looked for in the program's folder
// first. Corvane is unpacked where downloads land, so a file dropped beside it under such a name
// would run inside it. It therefore imports at start only known DLLs and loads every other
// library here, from the system folder alone, looking its functions up by name.
#include <windows.h>

#include <string>

namespace corvane {

// Limits every later library search of the process to the system folder and, where Windows
// offers it, refuses images from remote or low-integrity places and prefers system images.
// Call it first, before anything loads a library; a system that refuses either does not mind.
void LimitLibrarySearch() noexcept;

// The libraries loaded at their first use. The known DLLs among them (comdlg32, ole32,
// oleaut32) come here too, so that they cost nothing until then.
enum class SystemLibrary {
    Comctl32, Comdlg32, Ole32, Oleacc, Oleaut32, Powrprof, Setupapi, Uxtheme, Version, Winmm, Winspool, Count
};

// The function `name` of the library, which is loaded from the system folder at the first call
// and kept for the life of the process. Null when the library or the function cannot be had:
// the user is told so once, in a box naming both, and the feature that needs it does nothing.
// powrprof only adds to what the power status says, every two seconds: its absence says nothing.
FARPROC FindSystemFunction(SystemLibrary library, const char* name);

template <typename Function>
Function FindSystemFunction(SystemLibrary library, const char* name) {
    // Through the one function type that converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(FindSystemFunction(library, name)));
}

// While alive, the library is looked for under another file name, so tests can see what a
// library that is missing or lacks a function does.
class SystemLibraryRename {
public:
    SystemLibraryRename(SystemLibrary library, std::string fileName);
    SystemLibraryRename(const SystemLibraryRename&) = delete;
    SystemLibraryRename& operator=(const SystemLibraryRename&) = delete;
    ~SystemLibraryRename();

private:
    SystemLibrary library_;
    std::string previous_;
};

} // namespace corvane
