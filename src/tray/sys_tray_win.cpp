#include "tray/sys_tray_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "base/text_win.h"

namespace corvane::tray {

class SysTrayWindow::Shell final : public NotifyShell {
public:
    bool Notify(bool unicode, std::uint32_t message, std::span<const std::uint8_t> record) override {
        // Copied into the platform's own record so the shell gets an aligned, complete one.
        if (unicode) {
            NOTIFYICONDATAW data{};
            std::memcpy(&data, record.data(), std::min(record.size(), sizeof data));
            return Send(message, &data, ::Shell_NotifyIconW);
        }
        NOTIFYICONDATAA data{};
        std::memcpy(&data, record.data(), std::min(record.size(), sizeof data));
        return Send(message, &data, ::Shell_NotifyIconA);
    }

private:
    template <typename Data>
    static bool Send(std::uint32_t message, Data* data, BOOL(WINAPI* notify)(DWORD, Data*)) {
        if (notify(message, data)) {
            return true;
        }
        // A busy shell can time out and still have added the icon: if it lets the icon be
        // modified, the icon is there.
        return message == NIM_ADD && notify(NIM_MODIFY, data);
    }
};

class SysTrayWindow::Codec final : public AnsiCodec {
public:
    std::u16string Widen(std::string_view ansi) const override {
        const std::wstring w = AnsiToWide(ansi);
        return std::u16string(w.begin(), w.end());
    }
    std::string Narrow(std::u16string_view wide) const override {
        return WideToAnsi(std::wstring(wide.begin(), wide.end()));
    }
};

void RaiseTrayEvent(SysTrayEvents& events, const TrayEvent& event) {
    switch (event.kind) {
    case TrayEventKind::MouseDown:
        events.SysTrayMouseDown(event.button);
        break;
    case TrayEventKind::MouseUp:
        events.SysTrayMouseUp(event.button);
        break;
    case TrayEventKind::MouseMove:
        events.SysTrayMouseMove();
        break;
    case TrayEventKind::DoubleClick:
        events.SysTrayDoubleClick(event.button);
        break;
    case TrayEventKind::MenuClick:
        break; // raised by the menu with its index and key
    case TrayEventKind::BalloonShow:
        events.BalloonShow();
        break;
    case TrayEventKind::BalloonHide:
        events.BalloonHide();
        break;
    case TrayEventKind::BalloonTimeOut:
        events.BalloonTimeOut();
        break;
    case TrayEventKind::BalloonClicked:
        events.BalloonClicked();
        break;
    case TrayEventKind::KeySelect:
        events.SysTrayKeySelect();
        break;
    case TrayEventKind::ContextMenu:
        events.SysTrayContextMenu();
        break;
    }
}

SysTrayWindow::SysTrayWindow(SysTrayEvents* events, std::optional<std::uint32_t> getVersion, NotifyShell* shell)
    : events_(events),
      shell_(std::make_unique<Shell>()),
      codec_(std::make_unique<Codec>()),
      keyboard_(::GetDoubleClickTime()) {
    const std::uint32_t v = getVersion ? *getVersion : static_cast<std::uint32_t>(::GetVersion());
    record_ = std::make_unique<TrayIconRecord>(DecodeWindowsVersion(v), static_cast<std::uint32_t>(sizeof(void*)),
                                               shell ? *shell : *shell_, *codec_);
}

SysTrayWindow::~SysTrayWindow() { Unload(); }

bool SysTrayWindow::Load(std::string_view fileDescription) {
    if (hwnd_) {
        return true;
    }
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!RegisterWindowClass(instance)) {
        return false;
    }
    // A hidden top-level window, not a message-only one: only those hear "TaskbarCreated".
    HWND hwnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, this);
    if (!hwnd) {
        return false;
    }
    hwnd_.reset(hwnd);
    menu_.SetOwner(hwnd);
    ownIcon_ = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    ::SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ownIcon_));
    ::SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ownIcon_));
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
    if (!record_->Load(reinterpret_cast<std::uintptr_t>(hwnd), reinterpret_cast<std::uintptr_t>(ownIcon_),
                       fileDescription)) {
        RetryAddLater();
    }
    return true;
}

void SysTrayWindow::RetryAddLater() {
    // At sign-in the program may start before the shell can take icons; without this the icon
    // would be missing all day with nothing to say so.
    ::SetTimer(hwnd_.get(), kAddRetryTimer, kAddRetryMs, nullptr);
}

void SysTrayWindow::Unload() {
    if (!hwnd_) {
        return;
    }
    record_->Unload();
    Unlink(hwnd_.get());
    menu_.SetOwner(nullptr);
    hwnd_.reset();
}

void SysTrayWindow::SetToolTip(std::string_view sTip) { record_->SetToolTip(sTip); }

void SysTrayWindow::SetIconHandle(HICON hIcon) {
    record_->SetIconHandle(reinterpret_cast<std::uintptr_t>(hIcon));
}

HICON SysTrayWindow::IconHandle() const {
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(record_->IconHandle()));
}

void SysTrayWindow::ShowBalloonTip(std::string_view sMessage, std::string_view sTitle, std::int32_t eIcon,
                                   double lTimeOutMs) {
    record_->ShowBalloonTip(sMessage, sTitle, eIcon, lTimeOutMs);
}

std::int32_t SysTrayWindow::AddMenuItem(std::string_view sCaption, std::string_view sKey, bool bDefault) {
    return menu_.Model().AddMenuItem(sCaption, sKey, bDefault);
}

std::int32_t SysTrayWindow::RemoveMenuItem(std::int32_t iIndex) { return menu_.Model().RemoveMenuItem(iIndex); }

void SysTrayWindow::EnableMenuItem(std::int32_t lIndex, bool bState) { menu_.Model().EnableMenuItem(lIndex, bState); }

void SysTrayWindow::SetDefaultMenuIndex(std::int32_t lIndex) { menu_.Model().SetDefaultMenuIndex(lIndex); }

void SysTrayWindow::SetMenuCaption(std::int32_t lIndex, std::string_view sCaption) {
    menu_.Model().SetCaption(lIndex, sCaption);
}

void SysTrayWindow::ShowMenu() {
    // A second right-click that arrives through the open menu's own loop must not nest a menu.
    if (!hwnd_ || menuOpen_) {
        return;
    }
    menuOpen_ = true;
    const std::optional<MenuChoice> choice = menu_.ShowMenu();
    menuOpen_ = false;
    if (choice && events_) {
        // Last: the host may unload this window from its handler.
        events_->MenuClick(choice->index, choice->key);
    }
}

LRESULT SysTrayWindow::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEMOVE) {
        // The shell's callback: the notification code rides in the x coordinate.
        const std::int32_t code = static_cast<short>(LOWORD(lParam));
        if (!keyboard_.Pass(code, static_cast<std::uint32_t>(::GetMessageTime()))) {
            return 0;
        }
        const auto event = DecodeNotification(code);
        if (event && events_) {
            RaiseTrayEvent(*events_, *event);
        }
        return 0;
    }
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        if (!record_->Restore()) {
            RetryAddLater();
        }
        return 0;
    }
    if (msg == WM_CLOSE) {
        // Only Unload ends this window; another program's WM_CLOSE would take the icon and
        // every menu command with it.
        return 0;
    }
    if (msg == WM_TIMER && wParam == kAddRetryTimer) {
        if (record_->Restore()) {
            ::KillTimer(hwnd, kAddRetryTimer);
        }
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace corvane::tray
