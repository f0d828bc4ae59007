#pragma once
// Errors raised by Corvane's components: a number, the component that raised it and a
// description, as a caller shows them to the user.
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace corvane {

// On std::exception, not std::runtime_error: runtime_error keeps its text in the old
// reference-counted string, and with it the static C++ runtime brings that whole string
// class into the exe (some 30 KB of the 32-bit one).
class ComponentError : public std::exception {
public:
    ComponentError(std::int32_t number, std::string source, std::string description);

    const char* what() const noexcept override { return what_.c_str(); }

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }

private:
    std::string what_;
    std::int32_t number_;
    std::string source_;
    std::string description_;
};

struct MessageBoxText {
    std::string title;
    std::string text;
};

// The box a routine shows when it traps a run-time error and carries on with a neutral result.
MessageBoxText RoutineErrorBox(std::string_view routine, std::int32_t number, std::string_view description);

} // namespace corvane
