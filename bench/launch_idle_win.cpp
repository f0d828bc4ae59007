// Starts a program and prints how long it took until its message loop first waited for input
// (WaitForInputIdle): the start-up time a person notices. The program is left running.
//   launch_idle.exe <program.exe> [result-file]   (milliseconds on stdout, or into the file)
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_idle <program.exe> [result-file]\n");
        return 2;
    }
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", argv[1]);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "could not start %s (error %lu)\n", argv[1], ::GetLastError());
        return 1;
    }
    const DWORD waited = ::WaitForInputIdle(pi.hProcess, 60000);
    ::QueryPerformanceCounter(&b);
    const double ms = static_cast<double>(b.QuadPart - a.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
    FILE* out = argc > 2 ? std::fopen(argv[2], "w") : stdout;
    if (out != nullptr) {
        std::fprintf(out, "%.1f%s\n", ms, waited == 0 ? "" : " (never idle)");
        if (out != stdout) {
            std::fclose(out);
        }
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return 0;
}
