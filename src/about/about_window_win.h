#pragma once
// frmAbout: the modal window with the banner, the product's name, its version and web page.
// It has no owner; while it is open the window named to ShowModal takes no input, and the
// rest of the program (timer ticks, tray notifications) keeps running through its loop.
#include <windows.h>

#include <string>

#include "base/handles_win.h"
#include "base/window_base_win.h"

namespace corvane::about {

// Control ids; cmdOK is IDOK so that Enter and Escape reach it the dialog way.
inline constexpr int kIdPicture1 = 100;
inline constexpr int kIdLabel1 = 101;
inline constexpr int kIdLblVersion = 102;
inline constexpr int kIdLabel3 = 103;
inline constexpr int kIdCmdOk = IDOK;

class AboutWindow final : public WindowClass<AboutWindow> {
public:
    static constexpr const char* kClassName = "CorvaneAbout";

    struct Options {
        int dpi = 0;              // laid out at this DPI; 0: the DPI of the monitor it opens on
        std::string versionOf;    // the file whose version it shows; empty: this program
    };

    explicit AboutWindow(HINSTANCE instance);
    AboutWindow(HINSTANCE instance, Options options);
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;
    ~AboutWindow();

    // Shows the window and returns once it is closed (OK, Enter, Escape, the close box, or
    // Close). `blocked` takes no input meanwhile. A WM_QUIT that arrives ends it and is
    // passed on to the caller's loop.
    void ShowModal(HWND blocked);
    // Brings the open window to the front (asked for a second time while open).
    void BringForward() const;
    // Ends ShowModal from a handler that runs while it is open.
    void Close();

    HWND Hwnd() const noexcept { return hwnd_.get(); }
    HWND Control(int id) const noexcept { return ::GetDlgItem(hwnd_.get(), id); }
    int Dpi() const noexcept { return dpi_; }

private:
    friend class WindowClass<AboutWindow>;
    static void Detach(AboutWindow* self, HWND) noexcept { self->hwnd_.release(); }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Create();
    void Layout(int dpi);
    void PaintLine(HDC dc) const;

    HINSTANCE instance_;
    Options options_;
    UniqueWindow hwnd_;
    UniqueGdiObject labelFont_;
    UniqueGdiObject buttonFont_;
    int dpi_ = 96;
    bool done_ = false;
};

// "Version " + major.minor.revision of a file's version resource (the program's own when
// `path` is empty); the version this program was built as when the file has none.
std::string VersionLabelOf(const std::string& path);

} // namespace corvane::about
