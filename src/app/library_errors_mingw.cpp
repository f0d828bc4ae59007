// The standard library reports a broken precondition (a string past its largest size, a
// position past its end, a null pointer made into a string) through these functions. libstdc++'s
// own ones throw std::length_error and its kin, which keep their text in the old
// reference-counted string: that string class, its exception classes and what they pull after
// them (std::random_device among them) come to some 45 KB of the 32-bit exe and 30 KB of the
// 64-bit one. These take their place at link time, as the quiet terminate handler does beside
// them. Nothing in the program catches those classes by name: the handlers that may see one
// catch std::exception, and still do, with the same text (a formatted one keeps its format).
// Running out of memory still throws std::bad_alloc. Should the link one day report one of
// these defined twice, a new use has pulled libstdc++'s own set in for a function missing here:
// add that function (the size ceilings of the packaging test would show the cost otherwise).
#include <exception>
#include <new>

#include <bits/functexcept.h>

namespace {
class LibraryError final : public std::exception {
public:
    explicit LibraryError(const char* text) noexcept : text_(text) {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_;
};
} // namespace

namespace std {
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_logic_error(const char* text) { throw LibraryError(text); }
void __throw_invalid_argument(const char* text) { throw LibraryError(text); }
void __throw_length_error(const char* text) { throw LibraryError(text); }
void __throw_out_of_range(const char* text) { throw LibraryError(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
} // namespace std
