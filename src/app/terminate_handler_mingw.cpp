// libstdc++'s default terminate handler prints the uncaught exception's type, and to spell it
// out it links in the whole C++ name demangler: some 45 KB of a program that has no console to
// print to. This quiet one takes its place at link time (the archive member that holds the
// verbose one is then never pulled in); an uncaught exception still ends the program at once.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx
