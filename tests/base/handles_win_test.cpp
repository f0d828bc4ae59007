#include <gtest/gtest.h>

#include "base/handles_win.h"

namespace corvane {
namespace {

bool IsLiveGdi(HGDIOBJ h) { return ::GetObjectType(h) != 0; }

TEST(HandleOwners, ReleaseExactlyOnceAndMove) {
    UniqueGdiObject brush(::CreateSolidBrush(RGB(1, 2, 3)));
    HGDIOBJ raw = brush.get();
    ASSERT_TRUE(IsLiveGdi(raw));
    UniqueGdiObject moved(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(moved.get(), raw);
    moved.reset();
    EXPECT_FALSE(IsLiveGdi(raw));

    UniqueMenu menu(::CreatePopupMenu());
    HMENU m = menu.get();
    EXPECT_TRUE(::IsMenu(m));
    { UniqueMenu sink = std::move(menu); }
    EXPECT_FALSE(::IsMenu(m));
}

TEST(HandleOwners, SelectGuardRestoresBeforeTheObjectDies) {
    UniqueMemDc dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
    UniqueBitmap bmp(::CreateCompatibleBitmap(dc.get(), 4, 4));
    {
        SelectGuard sel(dc.get(), bmp.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    HBITMAP raw = bmp.get();
    bmp.reset();
    EXPECT_FALSE(IsLiveGdi(raw));  // deletable because it was deselected
}

TEST(HandleOwners, RegistryKeyAndGlobalMemory) {
    UniqueHkey key;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
    HKEY raw = key.get();
    key.reset();
    DWORD n = 0;
    EXPECT_NE(::RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr),
              ERROR_SUCCESS);

    UniqueGlobal mem(::GlobalAlloc(GMEM_MOVEABLE, 16));
    {
        GlobalLockGuard lock(mem.get());
        ASSERT_NE(lock.get(), nullptr);
        static_cast<char*>(lock.get())[0] = 'x';
    }
    EXPECT_EQ(::GlobalFlags(mem.get()) & GMEM_LOCKCOUNT, 0u);
}

} // namespace
} // namespace corvane
