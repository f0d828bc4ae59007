#pragma once
// frmSysTray: the hidden window that owns the notification-area icon. It adds the icon when
// loaded, keeps tooltip, picture and balloons current, turns the shell's callbacks into events
// for its host, puts the icon back when the shell restarts and removes it when unloaded. It
// also carries the icon's popup menu, whose chosen item comes back as MenuClick.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/handles_win.h"
#include "base/window_base_win.h"
#include "tray/notify_record.h"
#include "tray/tray_menu_win.h"

namespace corvane::tray {

// The host's side of the tray window; every event has an empty default.
class SysTrayEvents {
public:
    virtual ~SysTrayEvents() = default;
    virtual void SysTrayMouseDown(std::int32_t /*eButton*/) {}
    virtual void SysTrayMouseUp(std::int32_t /*eButton*/) {}
    virtual void SysTrayMouseMove() {}
    virtual void SysTrayDoubleClick(std::int32_t /*eButton*/) {}
    virtual void MenuClick(std::int32_t /*lIndex*/, const std::string& /*sKey*/) {}
    virtual void BalloonShow() {}
    virtual void BalloonHide() {}
    virtual void BalloonTimeOut() {}
    virtual void BalloonClicked() {}
    virtual void SysTrayKeySelect() {}
    virtual void SysTrayContextMenu() {}
};

// Raises the event a decoded notification stands for.
void RaiseTrayEvent(SysTrayEvents& events, const TrayEvent& event);

class SysTrayWindow final : public WindowClass<SysTrayWindow> {
public:
    static constexpr const char* kClassName = "CorvaneSysTray";
    static constexpr const char* kCaption = "Sys Tray Interface";

    // Until the shell takes the icon, it is offered again this often.
    static constexpr UINT_PTR kAddRetryTimer = 1;
    static constexpr UINT kAddRetryMs = 3000;

    // getVersion stands in for GetVersion's answer (tests pretend to be older shells); shell,
    // when given, stands in for the notification area (tests refuse icons with it).
    explicit SysTrayWindow(SysTrayEvents* events = nullptr, std::optional<std::uint32_t> getVersion = {},
                           NotifyShell* shell = nullptr);
    SysTrayWindow(const SysTrayWindow&) = delete;
    SysTrayWindow& operator=(const SysTrayWindow&) = delete;
    ~SysTrayWindow();

    // Creates the window and adds the icon; false when the window could not be made.
    bool Load(std::string_view fileDescription);
    // Removes the icon and the window; safe to call twice.
    void Unload();

    HWND Hwnd() const noexcept { return hwnd_.get(); }
    bool Loaded() const noexcept { return static_cast<bool>(hwnd_); }
    void SetEvents(SysTrayEvents* events) noexcept { events_ = events; }

    void SetToolTip(std::string_view sTip);
    std::string ToolTip() const;
    void SetIconHandle(HICON hIcon);
    HICON IconHandle() const;
    void ShowBalloonTip(std::string_view sMessage, std::string_view sTitle, std::int32_t eIcon, double lTimeOutMs);

    // The popup menu. Items exist from construction, so a host may fill it before Load.
    std::int32_t AddMenuItem(std::string_view sCaption, std::string_view sKey, bool bDefault);
    std::int32_t RemoveMenuItem(std::int32_t iIndex);
    void EnableMenuItem(std::int32_t lIndex, bool bState);
    std::int32_t DefaultMenuIndex() const noexcept { return menu_.Model().DefaultMenuIndex(); }
    void SetDefaultMenuIndex(std::int32_t lIndex);
    // The caption of item lIndex; empty for an index outside the items, where writing does nothing.
    std::string MenuCaption(std::int32_t lIndex) const;
    void SetMenuCaption(std::int32_t lIndex, std::string_view sCaption);
    const MenuModel& Menu() const noexcept { return menu_.Model(); }
    // Shows the menu at the mouse and returns when it has closed; a chosen item has raised
    // MenuClick by then. Does nothing while unloaded or while the menu is already open.
    void ShowMenu();

    const TrayIconRecord& Record() const noexcept { return *record_; }
    // The icon the window carries by itself; its handle is the icon's id with the shell.
    HICON OwnIcon() const noexcept { return ownIcon_; }

private:
    class Shell;
    class Codec;
    friend class WindowClass<SysTrayWindow>;
    // A window destroyed from outside leaves nothing for Unload to destroy again.
    static void Detach(SysTrayWindow* self, HWND) noexcept { self->hwnd_.release(); }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void RetryAddLater();

    SysTrayEvents* events_;
    std::unique_ptr<Shell> shell_;
    std::unique_ptr<Codec> codec_;
    std::unique_ptr<TrayIconRecord> record_;
    TrayMenu menu_;
    bool menuOpen_ = false;
    UniqueWindow hwnd_;
    HICON ownIcon_ = nullptr; // a shared system icon: never destroyed
    UINT taskbarCreated_ = 0;
    KeyboardEchoFilter keyboard_;
};

} // namespace corvane::tray
