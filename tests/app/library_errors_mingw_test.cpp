// The exe's own precondition errors (library_errors_mingw.cpp), linked as the exe links them:
// without gtest, whose streams would bring libstdc++'s own set back in (the link would then
// fail on functions defined twice). Each broken precondition must still reach a handler for
// std::exception, with the library's text; the program prints one line per case that fails.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {
int failures = 0;

template <typename F>
void ExpectCaught(const char* name, const char* text, F broken) {
    try {
        broken();
        std::printf("FAIL %s: nothing thrown\n", name);
        ++failures;
    } catch (const std::exception& e) {
        if (std::strstr(e.what(), text) == nullptr) {
            std::printf("FAIL %s: what() is \"%s\"\n", name, e.what());
            ++failures;
        }
    }
}
} // namespace

int main(int argc, char**) {
    // argc keeps the compiler from seeing the outcome at build time.
    const std::string abc("abc");
    const char* none = argc > 99 ? "x" : nullptr;
    ExpectCaught("substr past the end", "__pos", [&] { (void)abc.substr(4 + argc); });
    ExpectCaught("at past the end", "_M_range_check", [&] { (void)std::vector<int>(3).at(3 + argc); });
    ExpectCaught("string from null", "null", [&] { std::string s(none); });
    ExpectCaught("string past its largest size", "_M_create", [&] {
        std::string s;
        s.reserve(s.max_size() + argc);
    });
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
