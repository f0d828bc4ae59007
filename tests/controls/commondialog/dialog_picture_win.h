#pragma once
// Pictures of the real dialogs for a person to look at.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace corvane::cdlg::test {

// With CORVANE_SHOT_DIR set, the dialog as it looks on screen goes to <dir>/<name>.bmp.
inline void SavePicture(HWND window, const char* name) {
    const char* dir = std::getenv("CORVANE_SHOT_DIR");
    if (!dir) {
        return;
    }
    // Paint what the last messages changed before taking the picture.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r;
    ::GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC screen = ::GetWindowDC(window);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> bits(static_cast<std::size_t>((w * 3 + 3) & ~3) * static_cast<std::size_t>(h));
    ::GetDIBits(mem, bmp, 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS);
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    if (FILE* out = std::fopen((std::string(dir) + "\\" + name + ".bmp").c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(bits.data(), 1, bits.size(), out);
        std::fclose(out);
    }
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(window, screen);
}

} // namespace corvane::cdlg::test
