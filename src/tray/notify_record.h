#pragma once
// The notify-icon record as the shell reads it, byte for byte, and the rules for filling it.
// The record is plain bytes here so that every layout (ANSI or wide, with or without balloon
// fields, 32-bit or 64-bit handles) can be built and checked without a shell.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::tray {

// Shell_NotifyIcon requests.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNimSetVersion = 4;

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNifInfo = 16;

inline constexpr std::uint32_t kCallbackMessage = 512; // WM_MOUSEMOVE
inline constexpr std::uint32_t kNotifyIconVersion = 3;

struct WindowsVersion {
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    bool nt = false;
};

// Splits a GetVersion result: major in bits 0-7, minor in bits 8-15, NT when bit 31 is clear.
WindowsVersion DecodeWindowsVersion(std::uint32_t getVersionResult) noexcept;

struct TrayInterface {
    bool unicode = false;     // Shell_NotifyIconW with the wide record
    bool balloonTips = false; // the larger record, balloons and the version request
};

TrayInterface ChooseInterface(WindowsVersion v) noexcept;

// Where each field sits in one flavour of the record.
struct NotifyLayout {
    std::uint32_t pointerSize; // 4 or 8: width of the window and icon handles
    std::uint32_t charSize;    // 1 ANSI, 2 UTF-16
    std::uint32_t hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip, dwState, dwStateMask, szInfo, uTimeout,
        szInfoTitle, dwInfoFlags;
    std::uint32_t tipBytes, infoBytes, infoTitleBytes;
    std::uint32_t earliestSize; // the shell's first record: up to a 64-character tooltip
    std::uint32_t fullSize;     // up to and including dwInfoFlags
};

NotifyLayout LayoutFor(bool unicode, std::uint32_t pointerSize) noexcept;

// The value for cbSize: 88 / 152 / 488 / 936 with 32-bit handles.
std::uint32_t NotifyDataSize(TrayInterface ti, std::uint32_t pointerSize) noexcept;

// 2n bytes for n wide characters, n for ANSI.
std::uint32_t TextByteCount(bool unicode, std::uint32_t characters) noexcept;

// Copies UTF-16 text into a byte field of `count` bytes: at most count/2 - 1 characters, then
// zeros to the end of the field. An empty text clears the field.
void CopyTextToBytes(std::u16string_view text, std::span<std::uint8_t> field);

// Converts between the program's ANSI texts and the wide record's UTF-16.
class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    virtual std::u16string Widen(std::string_view ansi) const = 0;
    virtual std::string Narrow(std::u16string_view wide) const = 0;
};

// ISO 8859-1 both ways: enough where no code page is at hand.
class Latin1Codec final : public AnsiCodec {
public:
    std::u16string Widen(std::string_view ansi) const override;
    std::string Narrow(std::u16string_view wide) const override;
};

// Receives each request with the record exactly as it is to be passed to the shell; true
// when the shell took it.
class NotifyShell {
public:
    virtual ~NotifyShell() = default;
    virtual bool Notify(bool unicode, std::uint32_t message, std::span<const std::uint8_t> record) = 0;
};

// The tray window's icon state: one record, filled and sent as the shell expects.
class TrayIconRecord {
public:
    TrayIconRecord(WindowsVersion version, std::uint32_t pointerSize, NotifyShell& shell, const AnsiCodec& codec);

    // Puts the icon into the notification area (NIM_ADD, then NIM_SETVERSION where balloons
    // exist). False when the shell refused the icon (at sign-in it may not be ready yet); the
    // record is filled all the same, and Restore tries again.
    bool Load(std::uint64_t hwnd, std::uint64_t ownIcon, std::string_view tooltip);
    // The shell has restarted and forgotten the icon, or refused it: add it again as it stands.
    // False when the shell refused it once more.
    bool Restore();
    void Unload();

    void SetToolTip(std::string_view tip);
    std::string ToolTip() const;
    void SetIconHandle(std::uint64_t icon);
    std::uint64_t IconHandle() const;
    void ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon, double timeOutMs);

    bool Unicode() const noexcept { return interface_.unicode; }
    bool BalloonTips() const noexcept { return interface_.balloonTips; }
    bool Loaded() const noexcept { return loaded_; }
    const NotifyLayout& Layout() const noexcept { return layout_; }
    std::span<const std::uint8_t> Bytes() const noexcept { return bytes_; }

private:
    std::uint32_t TipFieldBytes() const noexcept;
    void Put32(std::uint32_t offset, std::uint32_t v);
    void PutHandle(std::uint32_t offset, std::uint64_t v);
    std::uint32_t Get32(std::uint32_t offset) const;
    std::uint64_t GetHandle(std::uint32_t offset) const;
    void PutPadded(std::uint32_t offset, std::uint32_t width, std::string_view text);
    void PutWide(std::uint32_t offset, std::uint32_t bytes, std::string_view ansi);
    bool Send(std::uint32_t message, std::uint32_t flags);

    TrayInterface interface_;
    NotifyLayout layout_;
    NotifyShell& shell_;
    const AnsiCodec& codec_;
    std::vector<std::uint8_t> bytes_;
    bool loaded_ = false;
};

// The nine events of the tray window, and the two the keyboard raises on the icon.
enum class TrayEventKind {
    MouseDown,
    MouseUp,
    MouseMove,
    DoubleClick,
    MenuClick,
    BalloonShow,
    BalloonHide,
    BalloonTimeOut,
    BalloonClicked,
    KeySelect,   // Enter or Space on the focused icon
    ContextMenu  // Shift+F10 or the menu key on the focused icon
};

inline constexpr std::int32_t kLeftButton = 1;
inline constexpr std::int32_t kRightButton = 2;

struct TrayEvent {
    TrayEventKind kind;
    std::int32_t button = 0; // for the mouse events
    friend bool operator==(const TrayEvent&, const TrayEvent&) = default;
};

// The event a notification code raises, if any. The left button reports a click once, on
// release, as a press; the right button reports both.
std::optional<TrayEvent> DecodeNotification(std::int32_t code) noexcept;

// The shell repeats mouse actions in the keyboard's words: a left click is followed by
// NIN_SELECT and a right click by WM_CONTEXTMENU, and Enter sends NIN_KEYSELECT twice. Those
// echoes must not run the keyboard's commands a second time; this tells them apart by time.
class KeyboardEchoFilter {
public:
    explicit KeyboardEchoFilter(std::uint32_t echoMs) noexcept : echoMs_(echoMs) {}
    // Whether the notification `code`, arriving at `timeMs` (a wrapping millisecond clock),
    // is to be decoded and raised. Every code passes except the echoes.
    bool Pass(std::int32_t code, std::uint32_t timeMs) noexcept;

private:
    bool Within(const std::optional<std::uint32_t>& since, std::uint32_t timeMs) const noexcept {
        return since && timeMs - *since < echoMs_;
    }
    std::uint32_t echoMs_;
    std::optional<std::uint32_t> leftButton_;
    std::optional<std::uint32_t> rightButton_;
    std::optional<std::uint32_t> selected_;
};

} // namespace corvane::tray
