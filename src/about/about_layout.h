#pragma once
// frmAbout as designed: every control's place in twips (1440 to the inch, whatever the
// screen), the texts it shows, and their conversion to pixels at a window's DPI.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/geometry.h"

namespace corvane::about {

// The product's web page: the About window names it and the main window's command opens it.
inline constexpr std::string_view kProductWebPage = "https://corvane.github.io/";

inline constexpr std::string_view kCaption = "About Corvane";
inline constexpr std::string_view kProductName = "Corvane";
inline constexpr std::string_view kMoreDetailsLead = "For more details, visit : ";
inline constexpr std::string_view kOkCaption = "OK";

// Places in twips, as designed: corner and size.

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidthTwips = 5535;
inline constexpr int kClientHeightTwips = 2655;
inline constexpr Rect kPicture1 = RectOfSize(0, 0, 5535, 1215);
inline constexpr Rect kLabel1 = RectOfSize(120, 1320, 2175, 255);
inline constexpr Rect kLblVersion = RectOfSize(2520, 1320, 2535, 255);
inline constexpr Rect kLabel3 = RectOfSize(120, 1680, 5055, 255);
inline constexpr Rect kCmdOk = RectOfSize(3720, 2160, 1620, 345);
// Line1 runs from (0, 2040) to (5520, 2040), grey.
inline constexpr int kLine1Y = 2040;
inline constexpr int kLine1Right = 5520;
inline constexpr std::uint32_t kLine1Rgb = 0x808080;
// Labels: Tahoma 8.25 pt bold; the button: Verdana 8.25 pt.
inline constexpr std::string_view kLabelFace = "Tahoma";
inline constexpr std::string_view kButtonFace = "Verdana";
inline constexpr int kFontHundredthsOfPoint = 825;

// Rounded to the nearest pixel; both edges are converted, so neighbours stay neighbours.
int TwipsToPixels(int twips, int dpi) noexcept;
Rect ToPixels(const Rect& twips, int dpi) noexcept;
// A font height for LOGFONT: negative, the character height in pixels.
int FontHeight(int hundredthsOfPoint, int dpi) noexcept;

// "Version " + major.minor.revision in plain decimal.
std::string VersionText(unsigned major, unsigned minor, unsigned revision);
// Label3's text.
std::string MoreDetailsText();

} // namespace corvane::about
