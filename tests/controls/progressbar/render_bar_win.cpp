// Paints the bar in every look at a few values and sweep steps into one picture for a person
// to look at: one row per look, one column per case. Writes a 24-bit BMP.
//   render_bar.exe <output.bmp>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "controls/progressbar/bar_art_win.h"
#include "controls/progressbar/paint_steps.h"
#include "controls/progressbar/paint_surface_win.h"

namespace {

using namespace corvane;
using namespace corvane::progressbar;

constexpr int kBarW = 100;
constexpr int kBarH = 14;
constexpr int kGap = 8;
constexpr int kLabelW = 74;
constexpr int kHeaderH = 20;

struct Case {
    const char* label;
    std::int32_t style;
    int value;   // block style: the value of one refresh
    int writes;  // sweep style: how many value writes after the frame
};

const Case kCases[] = {
    {"0", 0, 0, 0},          {"5", 0, 5, 0},          {"50", 0, 50, 0},        {"99", 0, 99, 0},
    {"100", 0, 100, 0},      {"sweep 1", 1, 0, 1},    {"sweep 5", 1, 0, 5},    {"sweep 12", 1, 0, 12},
    {"sweep 20", 1, 0, 20},  {"sweep 21", 1, 0, 21},
};

void PaintCase(BarSurface& surface, const Case& c) {
    BarPainter painter;
    BarValues values;
    painter.PaintFrame(surface, values);
    if (c.style == 0) {
        painter.Reset(surface, values);
        values.value = c.value;
        painter.PaintValue(surface, values, c.style);
        return;
    }
    for (int i = 0; i < c.writes; ++i) {
        values.value = i % 100;
        painter.PaintValue(surface, values, c.style);
    }
}

bool WriteBmp(const std::string& path, HDC dc, HBITMAP bitmap, int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int rowBytes = (w * 3 + 3) & ~3;
    std::vector<unsigned char> bits(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(h));
    if (::GetDIBits(dc, bitmap, 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS) == 0) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
    std::fwrite(bits.data(), 1, bits.size(), out);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_bar <output.bmp>\n");
        return 2;
    }
    auto art = LoadBarArt();
    if (!art) {
        std::fprintf(stderr, "the bar's pictures are missing from the resources\n");
        return 1;
    }
    const int columns = static_cast<int>(sizeof(kCases) / sizeof(kCases[0]));
    const int width = kLabelW + columns * (kBarW + kGap);
    const int height = kHeaderH + kLookCount * (kBarH + kGap);

    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap canvas(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas) {
        return 1;
    }
    {
        SelectGuard select(dc.get(), canvas.get());
        const RECT all{0, 0, width, height};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        UniqueGdiObject font(::CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
        SelectGuard selectFont(dc.get(), font.get());
        ::SetBkMode(dc.get(), TRANSPARENT);
        for (int c = 0; c < columns; ++c) {
            const int x = kLabelW + c * (kBarW + kGap);
            ::TextOutA(dc.get(), x, 3, kCases[c].label, static_cast<int>(std::string(kCases[c].label).size()));
        }
        BarSurface surface(art);
        surface.Resize(kBarW, kBarH);
        for (int look = 0; look < kLookCount; ++look) {
            const int y = kHeaderH + look * (kBarH + kGap);
            const std::string name(kLookNames[static_cast<std::size_t>(look)]);
            ::TextOutA(dc.get(), 4, y, name.c_str(), static_cast<int>(name.size()));
            surface.ApplyLook(look);
            for (int c = 0; c < columns; ++c) {
                PaintCase(surface, kCases[c]);
                surface.CopyTo(dc.get(), kLabelW + c * (kBarW + kGap), y);
            }
        }
    }
    if (!WriteBmp(argv[1], dc.get(), canvas.get(), width, height)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
