#pragma once
// frmAbout as designed: every control's place in twips (1440 to the inch, whatever the
// screen), the texts it shows, and their conversion to pixels at a window's DPI.
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::about {

// The product's web page: the About window names it and the main window's command opens it.
inline constexpr std::string_view kProductWebPage = "https://corvane.github.io/";

inline constexpr std::string_view kCaption = "About Corvane";
inline constexpr std::string_view kProductName = "Corvane";
inline constexpr std::string_view kMoreDetailsLead = "For more details, visit : ";
inline constexpr std::string_view kOkCaption = "OK";

struct TwipsRect {
    int left, top, width, height;
};

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidthTwips = 5535;
inline constexpr int kClientHeightTwips = 2655;
inline constexpr TwipsRect kPicture1{0, 0, 5535, 1215};
inline constexpr TwipsRect kLabel1{120, 1320, 2175, 255};
inline constexpr TwipsRect kLblVersion{2520, 1320, 2535, 255};
inline constexpr TwipsRect kLabel3{120, 1680, 5055, 255};
inline constexpr TwipsRect kCmdOk{3720, 2160, 1620, 345};
// Line1 runs from (0, 2040) to (5520, 2040), grey.
inline constexpr int kLine1Y = 2040;
inline constexpr int kLine1Right = 5520;
inline constexpr std::uint32_t kLine1Rgb = 0x808080;
// Labels: Tahoma 8.25 pt bold; the button: Verdana 8.25 pt.
inline constexpr std::string_view kLabelFace = "Tahoma";
inline constexpr std::string_view kButtonFace = "Verdana";
inline constexpr int kFontHundredthsOfPoint = 825;

struct PixelRect {
    int left, top, right, bottom;
    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

// Rounded to the nearest pixel; both edges are converted, so neighbours stay neighbours.
int TwipsToPixels(int twips, int dpi) noexcept;
PixelRect ToPixels(const TwipsRect& rect, int dpi) noexcept;
// A font height for LOGFONT: negative, the character height in pixels.
int FontHeight(int hundredthsOfPoint, int dpi) noexcept;

// "Version " + major.minor.revision in plain decimal.
std::string VersionText(unsigned major, unsigned minor, unsigned revision);
// Label3's text.
std::string MoreDetailsText();

} // namespace corvane::about
