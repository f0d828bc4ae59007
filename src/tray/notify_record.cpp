#include "tray/notify_record.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane::tray {

WindowsVersion DecodeWindowsVersion(std::uint32_t v) noexcept {
    return WindowsVersion{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                          (v & 0x80000000u) == 0};
}

TrayInterface ChooseInterface(WindowsVersion v) noexcept {
    TrayInterface ti;
    if (v.nt) {
        ti.unicode = true;
        ti.balloonTips = v.major >= 5;
    } else {
        ti.balloonTips = v.major == 4 && v.minor == 90; // Windows Me
    }
    return ti;
}

NotifyLayout LayoutFor(bool unicode, std::uint32_t pointerSize) noexcept {
    NotifyLayout l{};
    const std::uint32_t ps = pointerSize == 8 ? 8 : 4;
    const std::uint32_t cs = unicode ? 2 : 1;
    l.pointerSize = ps;
    l.charSize = cs;
    l.hWnd = ps; // cbSize, then padding up to the handle's alignment
    l.uID = 2 * ps;
    l.uFlags = l.uID + 4;
    l.uCallbackMessage = l.uFlags + 4;
    l.hIcon = (l.uCallbackMessage + 4 + ps - 1) / ps * ps;
    l.szTip = l.hIcon + ps;
    l.tipBytes = 128 * cs;
    l.dwState = l.szTip + l.tipBytes;
    l.dwStateMask = l.dwState + 4;
    l.szInfo = l.dwStateMask + 4;
    l.infoBytes = 256 * cs;
    l.uTimeout = l.szInfo + l.infoBytes;
    l.szInfoTitle = l.uTimeout + 4;
    l.infoTitleBytes = 64 * cs;
    l.dwInfoFlags = l.szInfoTitle + l.infoTitleBytes;
    l.earliestSize = l.szTip + 64 * cs;
    l.fullSize = (l.dwInfoFlags + 4 + ps - 1) / ps * ps;
    return l;
}

std::uint32_t NotifyDataSize(TrayInterface ti, std::uint32_t pointerSize) noexcept {
    const NotifyLayout l = LayoutFor(ti.unicode, pointerSize);
    return ti.balloonTips ? l.fullSize : l.earliestSize;
}

std::uint32_t TextByteCount(bool unicode, std::uint32_t characters) noexcept {
    return unicode ? 2 * characters : characters;
}

void CopyTextToBytes(std::u16string_view text, std::span<std::uint8_t> field) {
    if (field.size() < 2) {
        std::fill(field.begin(), field.end(), std::uint8_t{0});
        return;
    }
    const std::size_t copied = std::min(text.size() * 2, field.size() - 2);
    for (std::size_t i = 0; i < copied; ++i) {
        const char16_t c = text[i / 2];
        field[i] = static_cast<std::uint8_t>(i % 2 == 0 ? (c & 0xFF) : (c >> 8));
    }
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(copied), field.end(), std::uint8_t{0});
}

TrayIconRecord::TrayIconRecord(WindowsVersion version, std::uint32_t pointerSize, NotifyShell& shell,
                               const AnsiCodec& codec)
    : interface_(ChooseInterface(version)),
      layout_(LayoutFor(interface_.unicode, pointerSize)),
      shell_(shell),
      codec_(codec),
      bytes_(layout_.fullSize, 0) {}

void TrayIconRecord::Put32(std::uint32_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

void TrayIconRecord::PutHandle(std::uint32_t offset, std::uint64_t v) {
    for (std::uint32_t i = 0; i < layout_.pointerSize; ++i) {
        bytes_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint32_t TrayIconRecord::Get32(std::uint32_t offset) const {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(bytes_[offset + i]) << (8 * i);
    }
    return v;
}

std::uint64_t TrayIconRecord::GetHandle(std::uint32_t offset) const {
    std::uint64_t v = 0;
    for (std::uint32_t i = 0; i < layout_.pointerSize; ++i) {
        v |= static_cast<std::uint64_t>(bytes_[offset + i]) << (8 * i);
    }
    return v;
}

// The ANSI record's text fields are fixed-width: cut or padded with blanks, no terminator added.
void TrayIconRecord::PutPadded(std::uint32_t offset, std::uint32_t width, std::string_view text) {
    for (std::uint32_t i = 0; i < width; ++i) {
        bytes_[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
    }
}

void TrayIconRecord::PutWide(std::uint32_t offset, std::uint32_t count, std::string_view ansi) {
    CopyTextToBytes(codec_.Widen(ansi), std::span<std::uint8_t>(bytes_).subspan(offset, count));
}

std::uint32_t TrayIconRecord::TipFieldBytes() const noexcept {
    return TextByteCount(interface_.unicode, interface_.balloonTips ? 128 : 64);
}

bool TrayIconRecord::Send(std::uint32_t message, std::uint32_t flags) {
    Put32(layout_.uFlags, flags);
    return shell_.Notify(interface_.unicode, message, bytes_);
}

bool TrayIconRecord::Load(std::uint64_t hwnd, std::uint64_t ownIcon, std::string_view tooltip) {
    PutHandle(layout_.hWnd, hwnd);
    Put32(layout_.uID, static_cast<std::uint32_t>(ownIcon));
    Put32(layout_.uCallbackMessage, kCallbackMessage);
    PutHandle(layout_.hIcon, ownIcon);
    if (interface_.unicode) {
        PutWide(layout_.szTip, TipFieldBytes(), tooltip);
    } else {
        PutPadded(layout_.szTip, 128, std::string(tooltip) + '\0');
    }
    if (interface_.balloonTips) {
        Put32(layout_.uTimeout, kNotifyIconVersion);
    }
    Put32(0, NotifyDataSize(interface_, layout_.pointerSize));
    loaded_ = true;
    const bool added = Send(kNimAdd, kNifMessage | kNifIcon | kNifTip);
    if (added && interface_.balloonTips) {
        shell_.Notify(interface_.unicode, kNimSetVersion, bytes_);
    }
    return added;
}

bool TrayIconRecord::Restore() {
    if (!loaded_) {
        return false;
    }
    if (!Send(kNimAdd, kNifMessage | kNifIcon | kNifTip)) {
        return false;
    }
    if (interface_.balloonTips) {
        // The field doubles as the balloon time-out; the version request needs the version.
        Put32(layout_.uTimeout, kNotifyIconVersion);
        shell_.Notify(interface_.unicode, kNimSetVersion, bytes_);
    }
    return true;
}

void TrayIconRecord::Unload() {
    if (!loaded_) {
        return;
    }
    shell_.Notify(interface_.unicode, kNimDelete, bytes_);
    loaded_ = false;
}

void TrayIconRecord::SetToolTip(std::string_view tip) {
    if (interface_.unicode) {
        PutWide(layout_.szTip, TipFieldBytes(), tip);
    } else {
        std::string field(tip);
        field += '\0';
        field.resize(128, ' ');
        if (std::equal(field.begin(), field.end(), bytes_.begin() + layout_.szTip)) {
            return;
        }
        PutPadded(layout_.szTip, 128, field);
    }
    Send(kNimModify, kNifTip);
}

void TrayIconRecord::SetIconHandle(std::uint64_t icon) {
    if (icon == GetHandle(layout_.hIcon)) {
        return;
    }
    PutHandle(layout_.hIcon, icon);
    Send(kNimModify, kNifIcon);
}

std::uint64_t TrayIconRecord::IconHandle() const { return GetHandle(layout_.hIcon); }

void TrayIconRecord::ShowBalloonTip(std::string_view message, std::string_view title, std::int32_t icon,
                                    double timeOutMs) {
    if (!interface_.balloonTips) {
        return;
    }
    if (interface_.unicode) {
        PutWide(layout_.szInfo, layout_.infoBytes, message);
        PutWide(layout_.szInfoTitle, layout_.infoTitleBytes, title);
    } else {
        PutPadded(layout_.szInfo, 256, message);
        PutPadded(layout_.szInfoTitle, 64, title);
    }
    // Rounded to the nearest whole number (halves to even); out-of-range values saturate.
    double rounded = std::nearbyint(timeOutMs);
    rounded = std::clamp(rounded, double{std::numeric_limits<std::int32_t>::min()},
                         double{std::numeric_limits<std::int32_t>::max()});
    if (std::isnan(rounded)) {
        rounded = 0;
    }
    Put32(layout_.uTimeout, static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded)));
    Put32(layout_.dwInfoFlags, static_cast<std::uint32_t>(icon));
    Send(kNimModify, kNifInfo);
}

std::optional<TrayEvent> DecodeNotification(std::int32_t code) noexcept {
    switch (code) {
    case 0x200:
        return TrayEvent{TrayEventKind::MouseMove};
    case 0x202:
        return TrayEvent{TrayEventKind::MouseDown, kLeftButton};
    case 0x203:
        return TrayEvent{TrayEventKind::DoubleClick, kLeftButton};
    case 0x204:
        return TrayEvent{TrayEventKind::MouseDown, kRightButton};
    case 0x205:
        return TrayEvent{TrayEventKind::MouseUp, kRightButton};
    case 0x206:
        return TrayEvent{TrayEventKind::DoubleClick, kRightButton};
    case 0x402:
        return TrayEvent{TrayEventKind::BalloonShow};
    case 0x403:
        return TrayEvent{TrayEventKind::BalloonHide};
    case 0x404:
        return TrayEvent{TrayEventKind::BalloonTimeOut};
    case 0x405:
        return TrayEvent{TrayEventKind::BalloonClicked};
    case 0x400: // NIN_SELECT
    case 0x401: // NIN_KEYSELECT
        return TrayEvent{TrayEventKind::KeySelect};
    case 0x7B: // WM_CONTEXTMENU
        return TrayEvent{TrayEventKind::ContextMenu};
    default:
        return std::nullopt;
    }
}

bool KeyboardEchoFilter::Pass(std::int32_t code, std::uint32_t timeMs) noexcept {
    switch (code) {
    case 0x201: // left button down, up, double-click
    case 0x202:
    case 0x203:
        leftButton_ = timeMs;
        return true;
    case 0x204: // right button
    case 0x205:
    case 0x206:
        rightButton_ = timeMs;
        return true;
    case 0x400:
    case 0x401:
        if ((code == 0x400 && Within(leftButton_, timeMs)) || Within(selected_, timeMs)) {
            return false;
        }
        selected_ = timeMs;
        return true;
    case 0x7B:
        return !Within(rightButton_, timeMs);
    default:
        return true;
    }
}

} // namespace corvane::tray
