// Draws the charge icon as the tray would show it, on a light and on a dark taskbar at 96
// and 144 dpi, into PPM files for a person to look at (scripts/render-charge-icon.sh
// enlarges them): charge_icon_shots <folder> writes tray-<dpi>-<light|dark>.ppm there.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "tray/charge_icon_win.h"

namespace {

struct Reading {
    int percent;
    bool ac;
};

bool Write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& bgr) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    for (const std::uint32_t px : bgr) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(px >> 16), static_cast<unsigned char>(px >> 8),
                                      static_cast<unsigned char>(px)};
        std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: charge_icon_shots <folder>\n");
        return 2;
    }
    const Reading readings[] = {{57, false}, {23, false}, {57, true}, {88, true}, {8, false}, {5, true}, {100, true}, {100, false}};
    const int count = static_cast<int>(sizeof readings / sizeof readings[0]);
    for (const int dpi : {96, 144}) {
        for (const bool light : {true, false}) {
            const int side = corvane::tray::TrayIconSize(dpi);
            const int gap = side / 2;
            const int width = count * (side + gap) + gap;
            const int height = side + 2 * gap;
            // The taskbar as a 32-bit surface; the icons go onto it through the system's own
            // icon drawing, alpha blending included.
            BITMAPINFO bi{};
            bi.bmiHeader.biSize = sizeof bi.bmiHeader;
            bi.bmiHeader.biWidth = width;
            bi.bmiHeader.biHeight = -height;
            bi.bmiHeader.biPlanes = 1;
            bi.bmiHeader.biBitCount = 32;
            bi.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            corvane::UniqueMemDc dc(::CreateCompatibleDC(nullptr));
            corvane::UniqueBitmap surface(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
            if (!dc || !surface) {
                return 1;
            }
            auto* px = static_cast<std::uint32_t*>(bits);
            std::fill(px, px + static_cast<std::size_t>(width) * height, light ? 0xF3F3F3u : 0x202020u);
            {
                corvane::SelectGuard use(dc.get(), surface.get());
                for (int i = 0; i < count; ++i) {
                    const auto face = corvane::tray::ChooseFace(readings[i].percent, readings[i].ac, 10, light, side);
                    corvane::UniqueIcon icon = corvane::tray::DrawChargeIcon(*face);
                    ::DrawIconEx(dc.get(), gap + i * (side + gap), gap, icon.get(), side, side, 0, nullptr, DI_NORMAL);
                }
                ::GdiFlush();
            }
            const std::string path = std::string(argv[1]) + "\\tray-" + std::to_string(dpi) + "-" +
                                     (light ? "light" : "dark") + ".ppm";
            if (!Write(path, width, height, std::vector<std::uint32_t>(px, px + static_cast<std::size_t>(width) * height))) {
                return 1;
            }
        }
    }
    return 0;
}
