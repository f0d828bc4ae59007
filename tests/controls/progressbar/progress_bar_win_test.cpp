#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/handles_win.h"
#include "base/message_box_win.h"
#include "controls/progressbar/bar_pixels_win.h"
#include "controls/progressbar/progress_bar_win.h"
#include "support/dialog_driver_win.h"
#include "support/object_count_win.h"

namespace corvane::progressbar {
namespace {

using pixels::ColourDistance;
using pixels::kWhite;
using pixels::PictureColour;

constexpr int kMasterLook = 0;
constexpr int kBlueMetLook = 2;
constexpr int kRedLook = 7;

// A visible top-level window hosting one bar of 100 x 14 pixels, as a form hosts it.
class Host {
public:
    explicit Host(const PropertyBag* bag = nullptr) {
        window_.reset(::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "host", WS_POPUP | WS_VISIBLE,
                                        10, 10, 240, 60, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
        RECT rc{10, 10, 110, 24};
        hwnd = XpProgressBar::Create(window_.get(), 7, rc, bag);
        ::ShowWindow(hwnd, SW_SHOW);
    }
    XpProgressBar& Bar() const { return *XpProgressBar::FromHwnd(hwnd); }
    void Refresh(int value) const {
        Bar().Reset();
        Bar().SetValue(value);
    }

    HWND hwnd = nullptr;

private:
    UniqueWindow window_;
};

// What the control gives when asked to print its client area into a bitmap of its size.
class PrintedBar {
public:
    explicit PrintedBar(HWND bar) : dc_(::CreateCompatibleDC(nullptr)) {
        RECT rc{};
        ::GetClientRect(bar, &rc);
        width_ = rc.right;
        height_ = rc.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap_) {
            return;
        }
        SelectGuard select(dc_.get(), bitmap_.get());
        // Anything the control leaves unprinted shows as this colour, which no picture has.
        const RECT all{0, 0, width_, height_};
        ::SetDCBrushColor(dc_.get(), kUnprinted);
        ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        ::SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
        ::GdiFlush();
        const auto* px = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(px, px + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    }

    static constexpr COLORREF kUnprinted = RGB(1, 2, 3);
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    COLORREF At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) {
            return CLR_INVALID;
        }
        const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                        static_cast<std::size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    UniqueMemDc dc_;
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

class BarPixels : public ::testing::Test {
protected:
    void SetUp() override {
        art_ = LoadBarArt();
        ASSERT_TRUE(art_);
    }

    COLORREF Frame(int x, int y) const { return PictureColour(art_->frame.get(), x, y); }
    COLORREF Piece(int look, int piece, int x = 3, int y = 5) const {
        return PictureColour(art_->pieces[static_cast<std::size_t>(look)][static_cast<std::size_t>(piece)].get(), x,
                             y);
    }
    static bool Near(COLORREF seen, COLORREF expected) { return ColourDistance(seen, expected) <= 24; }
    // Whether a colour is one of the middle row of the look's last piece (a squeezed piece
    // keeps some of its columns).
    bool InPieceRow(COLORREF seen, int look) const {
        for (int x = 0; x < 8; ++x) {
            if (seen == Piece(look, 2, x, 5)) {
                return true;
            }
        }
        return false;
    }

    // A block covers [x, x + 8) on the middle row, with white on both sides, in the look's last piece.
    void ExpectBlockAt(const PrintedBar& bar, int x, int look) const {
        SCOPED_TRACE(testing::Message() << "block at " << x << ", look " << look);
        EXPECT_EQ(bar.At(x - 1, 7), kWhite);
        EXPECT_NE(bar.At(x, 7), kWhite);
        EXPECT_NE(bar.At(x + 7, 7), kWhite);
        EXPECT_EQ(bar.At(x + 8, 7), kWhite);
        EXPECT_TRUE(Near(bar.At(x + 3, 7), Piece(look, 2)));
        EXPECT_TRUE(Near(bar.At(x + 3, 3), Piece(look, 2, 3, 0)));  // its lighter top edge
    }
    void ExpectFrameCorners(const PrintedBar& bar) const {
        const int r = bar.Width() - 1;
        const int b = bar.Height() - 1;
        EXPECT_EQ(bar.At(0, 0), Frame(0, 0));
        EXPECT_EQ(bar.At(2, 2), Frame(2, 2));
        EXPECT_EQ(bar.At(r, 0), Frame(58, 0));
        EXPECT_EQ(bar.At(r - 2, b - 2), Frame(56, 10));
        EXPECT_EQ(bar.At(r, b), Frame(58, 12));
        EXPECT_EQ(bar.At(0, b), Frame(0, 12));
    }

    std::shared_ptr<const BarArt> art_;
};

TEST_F(BarPixels, NewBarIsAnEmptyFrame) {
    Host host;
    const PrintedBar bar(host.hwnd);
    ASSERT_EQ(bar.Width(), 100);
    ASSERT_EQ(bar.Height(), 14);
    ExpectFrameCorners(bar);
    EXPECT_NE(Frame(0, 0), kWhite);
    EXPECT_EQ(bar.At(3, 3), kWhite);
    EXPECT_EQ(bar.At(50, 7), kWhite);
    EXPECT_EQ(bar.At(96, 9), kWhite);
    // The window never erases its own background: that would flash over the picture.
    WindowDc dc(host.hwnd);
    EXPECT_EQ(::SendMessageA(host.hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0), 1);
}

TEST(BarArt, ABarKeepsOnlyThePiecesOfTheLookItShows) {
    Host host;
    host.Bar().SetProgressLook(kRedLook);
    std::shared_ptr<const BarArt> shown = SharedBarArt(kRedLook);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->frame && shown->blank && shown->pieces[kRedLook][2]);
    EXPECT_FALSE(shown->pieces[kMasterLook][2]);
    const std::weak_ptr<const BarArt> red = shown;
    shown.reset();
    EXPECT_FALSE(red.expired()); // the bar holds it
    host.Bar().SetProgressLook(kMasterLook);
    EXPECT_TRUE(red.expired());  // and lets it go with the look
}

TEST_F(BarPixels, BlocksInTwoLooks) {
    Host host;
    for (int look : {kMasterLook, kRedLook}) {
        host.Bar().SetProgressLook(look);
        host.Refresh(50);
        const PrintedBar half(host.hwnd);
        for (int x = 4; x <= 44; x += 10) {
            ExpectBlockAt(half, x, look);
        }
        EXPECT_EQ(half.At(57, 7), kWhite);  // nothing at x = 54
        EXPECT_EQ(half.At(95, 7), kWhite);
        ExpectFrameCorners(half);

        host.Refresh(100);
        const PrintedBar full(host.hwnd);
        for (int x = 4; x <= 84; x += 10) {
            ExpectBlockAt(full, x, look);
        }
        // The end block: the whole piece squeezed into x = 94..96, up to the right border.
        EXPECT_EQ(full.At(93, 7), kWhite);
        for (int x = 94; x <= 96; ++x) {
            EXPECT_TRUE(InPieceRow(full.At(x, 7), look)) << x;
            EXPECT_GT(ColourDistance(full.At(x, 7), Frame(56, 6)), 40) << x;
        }
        EXPECT_EQ(full.At(97, 7), Frame(56, 6));
        ExpectFrameCorners(full);

        host.Refresh(4);  // below the first block: the whole bar is cleared
        const PrintedBar low(host.hwnd);
        EXPECT_EQ(low.At(7, 7), kWhite);
        EXPECT_EQ(low.At(95, 7), kWhite);
    }
}

TEST_F(BarPixels, LookChangeShowsAtTheNextRefresh) {
    Host host;
    host.Refresh(30);
    EXPECT_TRUE(Near(PrintedBar(host.hwnd).At(7, 7), Piece(kMasterLook, 2)));
    host.Bar().SetProgressLook(kRedLook);
    EXPECT_TRUE(Near(PrintedBar(host.hwnd).At(7, 7), Piece(kMasterLook, 2)));  // not repainted by itself
    host.Refresh(30);
    const PrintedBar red(host.hwnd);
    EXPECT_TRUE(Near(red.At(7, 7), Piece(kRedLook, 2)));
    EXPECT_TRUE(Near(red.At(27, 7), Piece(kRedLook, 2)));
    host.Bar().SetProgressLook(12);  // no such look: stored, pieces kept
    EXPECT_EQ(host.Bar().ProgressLook(), 12);
    EXPECT_EQ(host.Bar().Surface().Look(), kRedLook);
    host.Refresh(30);
    EXPECT_TRUE(Near(PrintedBar(host.hwnd).At(7, 7), Piece(kRedLook, 2)));
}

TEST_F(BarPixels, SweepStyleMovesItsGroupAndClearsAtTheMaximum) {
    Host host;
    host.Bar().SetStyle(1);
    host.Bar().SetProgressLook(kBlueMetLook);
    host.Bar().SetValue(10);  // group at 4
    host.Bar().SetValue(20);  // at 9
    host.Bar().SetValue(30);  // at 14
    EXPECT_EQ(host.Bar().Painting().sweepX, 19);
    const PrintedBar sweep(host.hwnd);
    EXPECT_EQ(sweep.At(6, 7), kWhite);  // the trail is erased
    EXPECT_EQ(sweep.At(11, 7), kWhite);
    // Half-width pieces, leading piece first: 14..17, 19..22, 24..27.
    EXPECT_TRUE(Near(sweep.At(15, 7), Piece(kBlueMetLook, 0)));
    EXPECT_TRUE(Near(sweep.At(20, 7), Piece(kBlueMetLook, 1)));
    EXPECT_TRUE(Near(sweep.At(25, 7), Piece(kBlueMetLook, 2)));
    EXPECT_EQ(sweep.At(18, 7), kWhite);
    EXPECT_NE(sweep.At(27, 7), kWhite);
    EXPECT_EQ(sweep.At(28, 7), kWhite);
    ExpectFrameCorners(sweep);

    host.Bar().SetValue(100);
    const PrintedBar cleared(host.hwnd);
    EXPECT_EQ(cleared.At(25, 7), kWhite);
    EXPECT_EQ(host.Bar().Painting().sweepX, 4);
}

TEST_F(BarPixels, ScreenShowsWhatThePrintedBarShows) {
    Host host;
    host.Bar().SetProgressLook(kRedLook);
    host.Refresh(70);
    ::RedrawWindow(host.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const PrintedBar printed(host.hwnd);
    WindowDc screen(host.hwnd);
    int differing = 0;
    for (int y = 0; y < printed.Height(); ++y) {
        for (int x = 0; x < printed.Width(); ++x) {
            differing += ::GetPixel(screen.get(), x, y) != printed.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(Near(::GetPixel(screen.get(), 67, 7), Piece(kRedLook, 2)));
    EXPECT_EQ(::GetPixel(screen.get(), 77, 7), kWhite);
}

TEST_F(BarPixels, ResizeRepaintsAnEmptyFrameOfTheNewSize) {
    Host host;
    host.Refresh(60);
    ::SetWindowPos(host.hwnd, nullptr, 0, 0, 150, 20, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const PrintedBar resized(host.hwnd);
    ASSERT_EQ(resized.Width(), 150);
    ExpectFrameCorners(resized);
    EXPECT_EQ(resized.At(7, 10), kWhite);
    EXPECT_EQ(host.Bar().Painting().cursorX, 4);
    host.Refresh(100);
    const PrintedBar full(host.hwnd);
    for (int x = 144; x <= 146; ++x) {
        EXPECT_NE(full.At(x, 10), kWhite) << x;
    }
    EXPECT_EQ(full.At(147, 10), Frame(56, 6));
    EXPECT_NE(full.At(7, 16), kWhite);  // blocks fill the inner height, rows 3 to 16
    EXPECT_EQ(full.At(7, 17), Frame(3, 10));
}

TEST_F(BarPixels, EmptyRangeShowsTheFrameOnly) {
    Host host;
    host.Refresh(60);
    host.Bar().SetMax(20);
    host.Bar().SetMin(20);
    host.Refresh(20);
    const PrintedBar bar(host.hwnd);
    EXPECT_EQ(bar.At(7, 7), kWhite);
    EXPECT_EQ(bar.At(50, 7), kWhite);
    ExpectFrameCorners(bar);
}

TEST(XpProgressBarObjects, NoGdiGrowthOverTenThousandRefreshes) {
    Host host;
    UniqueMemDc target(::CreateCompatibleDC(nullptr));
    UniqueBitmap targetBitmap(::CreateCompatibleBitmap(host.Bar().Surface().Dc(), 200, 40));
    SelectGuard select(target.get(), targetBitmap.get());
    auto refresh = [&](int i) {
        host.Refresh((i * 37) % 101);
        ::UpdateWindow(host.hwnd);  // the WM_PAINT copy too
        if (i % 100 == 0) {
            ::SendMessageA(host.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.get()), PRF_CLIENT);
        }
    };
    for (int i = 0; i < 50; ++i) {
        refresh(i);  // lets whatever the system makes lazily appear before counting
    }
    const int before = corvane::test::CountGdiObjects();
    for (int i = 0; i < 10000; ++i) {
        refresh(i);
        if (i % 1000 == 0) {
            host.Bar().SetProgressLook(i / 1000 % kLookCount);
            ::SetWindowPos(host.hwnd, nullptr, 0, 0, 100 + i / 1000, 14, SWP_NOMOVE | SWP_NOZORDER);
        }
    }
    const int after = corvane::test::CountGdiObjects();
    EXPECT_EQ(after, before);
    std::printf("Xp_ProgressBar: GDI objects before %d, after 10000 refreshes %d\n", before, after);

    // Bars come and go. (The system keeps a few objects after the first second window it has
    // drawn; they do not grow.)
    Host().Refresh(1);
    const int beforeMaking = corvane::test::CountGdiObjects();
    for (int i = 0; i < 20; ++i) {
        Host other;
        other.Refresh(i * 5);
    }
    const int afterMaking = corvane::test::CountGdiObjects();
    EXPECT_EQ(afterMaking, beforeMaking);
    std::printf("20 more bars made and destroyed: GDI objects %d -> %d\n", beforeMaking, afterMaking);
}

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
    EXPECT_EQ(host.Bar().Surface().Look(), 2);
    MemoryPropertyBag saved;
    host.Bar().WriteProperties(saved);
    EXPECT_EQ(saved.Stored(), bag.Stored());
    // Destroying the host takes the control and its object with it.
    ::DestroyWindow(::GetParent(host.hwnd));
    EXPECT_FALSE(::IsWindow(host.hwnd));
}

} // namespace
} // namespace corvane::progressbar
