#include "tray/charge_icon_win.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/component_error.h"
#include "base/dpi_win.h"
#include "settings/cregistry_win.h"
#include "settings/registry_rules.h"

namespace corvane::tray {

namespace {

// A square 32-bit top-down DIB selected into its own memory DC: the canvas for both the
// measuring and the drawing. Black everywhere at the start, so the text's coverage can be
// read back from what white text leaves.
class Canvas {
public:
    explicit Canvas(int side) : side_(side) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = side;
        bi.bmiHeader.biHeight = -side;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_.reset(::CreateCompatibleDC(nullptr));
        bitmap_.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        if (dc_ && bitmap_) {
            select_.emplace(dc_.get(), bitmap_.get());
        }
    }
    bool Ok() const { return bits_ != nullptr && select_.has_value(); }
    HDC Dc() const { return dc_.get(); }
    std::uint32_t* Bits() const { return bits_; }
    int Side() const { return side_; }
    HBITMAP TakeBitmap() {
        select_.reset();
        return bitmap_.release();
    }
    void Clear() {
        ::GdiFlush();
        std::fill(bits_, bits_ + static_cast<std::size_t>(side_) * side_, 0u);
    }
    void Text(const std::string& text, int fontHeight, int x, int y) {
        // Greyscale smoothing, not ClearType: its coverage is one value per pixel, which is
        // exactly what the alpha channel needs.
        UniqueGdiObject font(::CreateFontA(-fontHeight, fontHeight * 2 / 5, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                           VARIABLE_PITCH | FF_SWISS, "Segoe UI"));
        if (!font) {
            return;
        }
        SelectGuard useFont(dc_.get(), font.get());
        ::SetBkMode(dc_.get(), TRANSPARENT);
        ::SetTextColor(dc_.get(), RGB(255, 255, 255));
        ::SetTextAlign(dc_.get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
        ::TextOutA(dc_.get(), x, y, text.c_str(), static_cast<int>(text.size()));
        ::GdiFlush();
    }
    static std::uint8_t Coverage(std::uint32_t pixel) {
        return static_cast<std::uint8_t>(std::max({pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF}));
    }

private:
    int side_;
    UniqueMemDc dc_;
    UniqueBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    std::optional<SelectGuard> select_;
};

std::uint32_t Argb(const Rgb& c, std::uint8_t alpha) {
    return (static_cast<std::uint32_t>(alpha) << 24) | (static_cast<std::uint32_t>(c.r) << 16) |
           (static_cast<std::uint32_t>(c.g) << 8) | c.b;
}

void Fill(std::uint32_t* bits, int side, const Rect& box, const Rgb& colour) {
    for (int y = std::max(0, box.top); y < std::min(side, box.bottom); ++y) {
        for (int x = std::max(0, box.left); x < std::min(side, box.right); ++x) {
            bits[static_cast<std::size_t>(y) * side + x] = Argb(colour, 255);
        }
    }
}

void DrawDigits(Canvas& canvas, const ChargeFace& face) {
    // Measured on a canvas with room around the origin, since ink may start left of it.
    Canvas scratch(face.size * 4);
    if (!scratch.Ok()) {
        return;
    }
    const int origin = face.size;
    const auto measure = [&](int height) {
        scratch.Clear();
        scratch.Text(face.digits, height, origin, origin);
        int left = scratch.Side(), top = scratch.Side(), right = -1, bottom = -1;
        for (int y = 0; y < scratch.Side(); ++y) {
            for (int x = 0; x < scratch.Side(); ++x) {
                // Faint fringe pixels do not count: they would shrink the digits for nothing.
                if (Canvas::Coverage(scratch.Bits()[static_cast<std::size_t>(y) * scratch.Side() + x]) >= 64) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < 0) {
            return Rect{};
        }
        return Rect{left - origin, top - origin, right - origin + 1, bottom - origin + 1};
    };
    const TextPlacement at = FitText(ContentArea(face), face.size * 2, measure);
    if (at.fontHeight == 0) {
        return;
    }
    canvas.Text(face.digits, at.fontHeight, at.x, at.y);
    std::uint32_t* bits = canvas.Bits();
    for (std::size_t i = 0; i < static_cast<std::size_t>(face.size) * face.size; ++i) {
        const std::uint8_t coverage = Canvas::Coverage(bits[i]);
        bits[i] = coverage ? Argb(face.ink, coverage) : 0u;
    }
}

void DrawBattery(Canvas& canvas, const ChargeFace& face) {
    const BatteryPicture b = BatteryIn(ContentArea(face));
    std::uint32_t* bits = canvas.Bits();
    const int s = face.size;
    Fill(bits, s, {b.body.left, b.body.top, b.body.right, b.body.top + b.line}, face.ink);
    Fill(bits, s, {b.body.left, b.body.bottom - b.line, b.body.right, b.body.bottom}, face.ink);
    Fill(bits, s, {b.body.left, b.body.top, b.body.left + b.line, b.body.bottom}, face.ink);
    Fill(bits, s, {b.body.right - b.line, b.body.top, b.body.right, b.body.bottom}, face.ink);
    Fill(bits, s, b.terminal, face.ink);
    Fill(bits, s, b.fill, face.ink);
}

} // namespace

bool TaskbarIsLight() {
    cRegistry reg;
    try {
        const GeneralValue v = reg.ValueEx(registry::kCurrentUser, kPersonalizeKey, kTaskbarThemeValue,
                                           registry::kTypeDword, GeneralValue(std::int32_t{0}));
        std::int32_t light = 0;
        return v.TryInt32(light) && light != 0;
    } catch (const ComponentError&) {
        return false; // unreadable: as if missing
    }
}

bool IsThemeChange(LPARAM lParam) {
    const auto* area = reinterpret_cast<const char*>(lParam);
    return area != nullptr && std::strcmp(area, "ImmersiveColorSet") == 0;
}

int TrayIconSize(int dpi) { return SystemMetricForDpi(SM_CXSMICON, dpi); }

UniqueIcon DrawChargeIcon(const ChargeFace& face) {
    Canvas canvas(face.size);
    if (!canvas.Ok()) {
        return {};
    }
    canvas.Clear();
    if (face.fullBattery) {
        DrawBattery(canvas, face);
    } else {
        DrawDigits(canvas, face);
    }
    if (face.ac) {
        Fill(canvas.Bits(), face.size, AcMark(face), face.mark);
    }
    // The mask only matters where alpha is not used (old drawing paths): clear where opaque.
    const int stride = ((face.size + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * face.size, 0xFF);
    for (int y = 0; y < face.size; ++y) {
        for (int x = 0; x < face.size; ++x) {
            if ((canvas.Bits()[static_cast<std::size_t>(y) * face.size + x] >> 24) >= 128) {
                mask[static_cast<std::size_t>(y) * stride + x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
            }
        }
    }
    UniqueBitmap maskBitmap(::CreateBitmap(face.size, face.size, 1, 1, mask.data()));
    UniqueBitmap colour(canvas.TakeBitmap());
    if (!maskBitmap || !colour) {
        return {};
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = maskBitmap.get();
    info.hbmColor = colour.get();
    // The icon keeps copies of both bitmaps; ours go when this returns.
    return UniqueIcon(::CreateIconIndirect(&info));
}

ChargeIcon::ChargeIcon(ShowIcon show, HICON programIcon)
    : show_(std::move(show)), programIcon_(programIcon), light_(TaskbarIsLight()) {}

HICON ChargeIcon::Update(int percent, bool ac, int criticalLevel, int dpi) {
    reading_ = {percent, ac};
    Choose(true, criticalLevel, dpi);
    return icon_.get();
}

void ChargeIcon::OnReading(int percent, bool ac) {
    reading_ = {percent, ac};
    Redraw();
}

void ChargeIcon::Choose(bool shown, int criticalLevel, int dpi) {
    shown_ = shown;
    criticalLevel_ = criticalLevel;
    dpi_ = dpi;
    Redraw();
}

void ChargeIcon::ThemeChanged() {
    light_ = TaskbarIsLight();
    Redraw();
}

void ChargeIcon::Off() { Choose(false, criticalLevel_, dpi_); }

void ChargeIcon::Redraw() {
    if (!shown_ || !reading_) {
        Show(std::nullopt);
        return;
    }
    Show(ChooseFace(reading_->first, reading_->second, criticalLevel_, light_, TrayIconSize(dpi_)));
}

HICON ChargeIcon::Show(const std::optional<ChargeFace>& face) {
    if (!face) {
        if (icon_) {
            show_(programIcon_);
            icon_.reset();
        }
        face_.reset();
        return nullptr;
    }
    if (icon_ && face_ == face) {
        return icon_.get();
    }
    UniqueIcon next = DrawChargeIcon(*face);
    if (!next) {
        return icon_.get(); // keep what is shown; the next tick tries again
    }
    show_(next.get());
    icon_ = std::move(next);
    face_ = face;
    return icon_.get();
}

} // namespace corvane::tray
