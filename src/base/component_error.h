#pragma once
// Errors raised by Corvane's components: a number, the component that raised it and a
// description, as a caller shows them to the user.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane {

class ComponentError : public std::runtime_error {
public:
    ComponentError(std::int32_t number, std::string source, std::string description);

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }

private:
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
