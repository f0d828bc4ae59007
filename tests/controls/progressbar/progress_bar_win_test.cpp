#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles_win.h"
#include "base/message_box_win.h"
#include "controls/progressbar/progress_bar_win.h"
#include "support/dialog_driver_win.h"

namespace corvane::progressbar {
namespace {

// A visible top-level window hosting one bar, as a form hosts it.
class Host {
public:
    explicit Host(const PropertyBag* bag = nullptr) {
        window_.reset(::CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 10, 10, 240, 60, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), nullptr));
        RECT rc{10, 10, 210, 30};
        hwnd = XpProgressBar::Create(window_.get(), 7, rc, bag);
        ::ShowWindow(hwnd, SW_SHOW);
    }
    XpProgressBar& Bar() const { return *XpProgressBar::FromHwnd(hwnd); }

    // The colour on screen at x (client coordinates of the bar), mid-height.
    COLORREF PixelAt(int x) const {
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        WindowDc dc(hwnd);
        return ::GetPixel(dc.get(), x, 10);
    }

    HWND hwnd = nullptr;

private:
    UniqueWindow window_;
};

class Events : public ProgressBarEvents {
public:
    void MouseDown(std::int16_t b, std::int16_t s, float x, float y) override { Add("down", b, s, x, y); }
    void MouseUp(std::int16_t b, std::int16_t s, float x, float y) override { Add("up", b, s, x, y); }
    void Add(const char* what, int b, int s, float x, float y) {
        seen.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                       std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
    }
    std::vector<std::string> seen;
};

TEST(XpProgressBarControl, RefusalsShowTheRealErrorBoxAndKeepTheValue) {
    Host host;
    std::vector<corvane::test::DialogTexts> boxes;
    corvane::test::DialogDriver driver([&](HWND dlg) {
        boxes.push_back(corvane::test::ReadDialogTexts(dlg));
        corvane::test::PressButton(dlg, IDOK);
    });
    host.Bar().SetValue(40);
    host.Bar().SetValue(101);
    host.Bar().SetMin(-5);
    EXPECT_EQ(host.Bar().Value(), 40);
    EXPECT_EQ(host.Bar().Min(), 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_EQ(boxes[0].text, "Value can NOT be higher than Maximum !");
    EXPECT_EQ(boxes[1].text, "Minimum can NOT be smaller then 0 !");
    EXPECT_FALSE(driver.WatchdogFired());

    MessageBoxInterceptor boxesSeen;
    host.Bar().SetMax(-1);
    host.Bar().SetValue(-1);
    ASSERT_EQ(boxesSeen.Calls().size(), 2u);
    EXPECT_EQ(boxesSeen.Calls()[0].text, "Maximum can NOT be smaller than minimum !");
    EXPECT_EQ(boxesSeen.Calls()[1].Icon(), static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxesSeen.Calls()[1].Buttons(), static_cast<UINT>(MB_OK));
}

TEST(XpProgressBarControl, ShowsItsValueInTheLooksColour) {
    Host host;
    host.Bar().Reset();
    host.Bar().SetValue(50);
    char text[16] = {};
    ::GetWindowTextA(host.hwnd, text, sizeof text);
    EXPECT_STREQ(text, "50");
    EXPECT_EQ(host.PixelAt(20), RGB(0x2C, 0xD0, 0x2C)); // filled, default bright green
    EXPECT_EQ(host.PixelAt(180), RGB(0xFF, 0xFF, 0xFF)); // empty part

    host.Bar().SetProgressLook(7);
    host.Bar().Reset();
    host.Bar().SetValue(100);
    EXPECT_EQ(host.PixelAt(180), RGB(0xF0, 0x48, 0x1A));
    host.Bar().SetProgressLook(12); // no such look: the pieces stay red
    EXPECT_EQ(host.PixelAt(20), RGB(0xF0, 0x48, 0x1A));
}

TEST(XpProgressBarControl, MouseButtonsRaiseDownAndUpWithPosition) {
    Host host;
    Events events;
    host.Bar().SetEvents(&events);
    ::SendMessageA(host.hwnd, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(12, 5));
    ::SendMessageA(host.hwnd, WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(12, 5));
    ::SendMessageA(host.hwnd, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(3, 4));
    EXPECT_EQ(events.seen, (std::vector<std::string>{"down 2 1 12,5", "up 2 1 12,5", "up 1 2 3,4"}));
}

TEST(XpProgressBarControl, StoredPropertiesAreTakenWithoutChecks) {
    MemoryPropertyBag bag;
    bag.Put("Max", 10);
    bag.Put("Value", 30);
    bag.Put("ProgressLook", 2);
    Host host(&bag);
    EXPECT_EQ(host.Bar().Max(), 10);
    EXPECT_EQ(host.Bar().Value(), 30);
    EXPECT_EQ(host.Bar().Model().PiecesLook(), 2);
    MemoryPropertyBag saved;
    host.Bar().WriteProperties(saved);
    EXPECT_EQ(saved.Stored(), bag.Stored());
    // Destroying the host takes the control and its object with it.
    ::DestroyWindow(::GetParent(host.hwnd));
    EXPECT_FALSE(::IsWindow(host.hwnd));
}

} // namespace
} // namespace corvane::progressbar
