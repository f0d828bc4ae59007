// Making a bar from code and setting its range, style and stored properties, kept apart so a
// program that does not use them does not carry them.
#include "controls/progressbar/progress_bar_win.h"

namespace corvane::progressbar {

HWND XpProgressBar::Create(HWND parent, int id, const RECT& rect, const PropertyBag* bag) {
    auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    if (!Register(instance)) {
        return nullptr;
    }
    HWND hwnd = ::CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (hwnd && bag) {
        FromHwnd(hwnd)->ReadProperties(*bag);
    }
    return hwnd;
}

void XpProgressBar::SetMin(std::int32_t New_Mini) { Refuse(model_.SetMin(New_Mini)); }

void XpProgressBar::SetMax(std::int32_t New_Maxi) { Refuse(model_.SetMax(New_Maxi)); }

void XpProgressBar::SetStyle(std::int32_t New_Style) { model_.SetStyle(New_Style); }

void XpProgressBar::ReadProperties(const PropertyBag& bag) {
    model_.ReadProperties(bag);
    ApplyLook();
}

} // namespace corvane::progressbar
