#include "base/message_box_win.h"

#include "base/component_error.h"

namespace corvane {

namespace {
// One UI thread: the innermost interceptor answers.
MessageBoxInterceptor* g_interceptor = nullptr;
} // namespace

int FirstButtonId(UINT style) noexcept {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return IDOK;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    case MB_CANCELTRYCONTINUE:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT style) {
    MessageBoxCall call{owner, std::string(text), std::string(title), style};
    if (g_interceptor) {
        return g_interceptor->Handle(call);
    }
    return ::MessageBoxA(owner, call.text.c_str(), call.title.c_str(), style);
}

MessageBoxInterceptor::MessageBoxInterceptor(Answer answer)
    : answer_(std::move(answer)), previous_(g_interceptor) {
    g_interceptor = this;
}

MessageBoxInterceptor::~MessageBoxInterceptor() { g_interceptor = previous_; }

int MessageBoxInterceptor::Handle(const MessageBoxCall& call) {
    calls_.push_back(call);
    return answer_ ? answer_(call) : FirstButtonId(call.style);
}

void ShowRoutineError(HWND owner, std::string_view routine, std::int32_t number, std::string_view description) {
    const MessageBoxText box = RoutineErrorBox(routine, number, description);
    ShowMessageBox(owner, box.text, box.title, MB_OK | MB_ICONINFORMATION);
}

} // namespace corvane
