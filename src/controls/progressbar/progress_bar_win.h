#pragma once
// Xp_ProgressBar as a Win32 child control class. The window owns its C++ object (made on
// WM_NCCREATE, deleted on WM_NCDESTROY); hosts reach it through FromHwnd.
//
// The bar is painted by its property writes, not by WM_PAINT: a resize paints the frame, each
// accepted Value write runs one painting step into the retained surface, and WM_PAINT and
// WM_PRINTCLIENT only copy that surface out.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/window_base_win.h"
#include "controls/progressbar/bar_art_win.h"
#include "controls/progressbar/paint_steps.h"
#include "controls/progressbar/paint_surface_win.h"
#include "controls/progressbar/progress_bar_model.h"

namespace corvane::progressbar {

class ProgressBarEvents {
public:
    virtual ~ProgressBarEvents() = default;
    // Button 1 left, 2 right, 4 middle; Shift 1 shift, 2 ctrl, 4 alt; X and Y in pixels.
    virtual void MouseDown(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void MouseUp(std::int16_t /*Button*/, std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {}
};

class XpProgressBar final : public WindowClass<XpProgressBar> {
public:
    static constexpr const char* kClassName = "Xp_ProgressBar";

    // Registers the class once per process.
    static bool Register(HINSTANCE instance);
    // A child control of `parent`; its properties come from `bag` (all defaults without one).
    static HWND Create(HWND parent, int id, const RECT& rect, const PropertyBag* bag = nullptr);

    XpProgressBar(const XpProgressBar&) = delete;
    XpProgressBar& operator=(const XpProgressBar&) = delete;

    HWND Hwnd() const noexcept { return hwnd_; }
    const ProgressBarModel& Model() const noexcept { return model_; }

    std::int32_t Min() const noexcept { return model_.Min(); }
    std::int32_t Max() const noexcept { return model_.Max(); }
    std::int32_t Value() const noexcept { return model_.Value(); }
    std::int32_t Style() const noexcept { return model_.Style(); }
    std::int32_t ProgressLook() const noexcept { return model_.ProgressLook(); }
    // Refused writes show the "Error" box and return normally.
    void SetMin(std::int32_t New_Mini);
    void SetMax(std::int32_t New_Maxi);
    void SetValue(std::int32_t New_Value);
    void SetStyle(std::int32_t New_Style);
    // Stores the look and applies it; what is on screen changes with the next painting.
    void SetProgressLook(std::int32_t New_ProgressLook);
    // Prepares the painting for the next Value write, which then repaints the whole bar.
    void Reset();
    // Paints the whole bar again from its properties: what a Reset and a write of the
    // current value would paint.
    void Repaint();

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const { model_.WriteProperties(bag); }

    void SetEvents(ProgressBarEvents* events) noexcept { events_ = events; }
    // What the painting has put on the bar so far, and how far it got.
    const BarSurface& Surface() const noexcept { return surface_; }
    const PaintingState& Painting() const noexcept { return painter_.State(); }

private:
    friend class WindowClass<XpProgressBar>;
    // The window owns its object: made on WM_NCCREATE, deleted on WM_NCDESTROY.
    static XpProgressBar* Attach(HWND hwnd, const CREATESTRUCTA&) { return new XpProgressBar(hwnd); }
    static void Detach(XpProgressBar* self, HWND) noexcept { delete self; }
    explicit XpProgressBar(HWND hwnd);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Refuse(const WriteResult& result) const;
    BarValues Values() const noexcept { return {model_.Min(), model_.Max(), model_.Value()}; }
    void Resized(int width, int height);
    void ApplyLook();
    void RaiseMouse(bool down, std::int16_t button, WPARAM wParam, LPARAM lParam);

    HWND hwnd_;
    ProgressBarModel model_;
    BarSurface surface_;
    BarPainter painter_;
    ProgressBarEvents* events_ = nullptr;
};

} // namespace corvane::progressbar
