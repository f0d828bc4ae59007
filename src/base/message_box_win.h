#pragma once
// Every modal message box of the program goes through ShowMessageBox, so that a test can
// answer it without a person present and read what it would have shown.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct MessageBoxCall {
    HWND owner = nullptr;
    std::string text;
    std::string title;
    UINT style = 0;

    UINT Icon() const noexcept { return style & MB_ICONMASK; }
    UINT Buttons() const noexcept { return style & MB_TYPEMASK; }
};

// Shows a modal box (MessageBoxA) and returns the button chosen (IDOK, IDRETRY, ...).
int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT style);

// The box of a routine that trapped an error: "Error ! (Source : routine)", the number and
// the description, the information icon.
void ShowRoutineError(HWND owner, std::string_view routine, std::int32_t number, std::string_view description);

// While alive, boxes are not shown: each is recorded and answered by the given function
// (or with the box's first button's id when none is given). Interceptors nest.
class MessageBoxInterceptor {
public:
    using Answer = std::function<int(const MessageBoxCall&)>;

    explicit MessageBoxInterceptor(Answer answer = {});
    MessageBoxInterceptor(const MessageBoxInterceptor&) = delete;
    MessageBoxInterceptor& operator=(const MessageBoxInterceptor&) = delete;
    ~MessageBoxInterceptor();

    const std::vector<MessageBoxCall>& Calls() const noexcept { return calls_; }

    // Used by ShowMessageBox.
    int Handle(const MessageBoxCall& call);

private:
    Answer answer_;
    std::vector<MessageBoxCall> calls_;
    MessageBoxInterceptor* previous_;
};

// The id of the first button of a MB_* button set: what Enter would choose.
int FirstButtonId(UINT style) noexcept;

} // namespace corvane
