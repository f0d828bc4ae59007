#include "controls/progressbar/bar_art_win.h"

#include "controls/progressbar/res/progressbar_res.h"

namespace corvane::progressbar {
namespace {

UniqueBitmap LoadPicture(HINSTANCE module, int id) {
    // A DIB section keeps the pictures' colours exact whatever the screen's depth.
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

} // namespace

namespace {

// Frame, eraser and the pieces of `looks`; null when any picture is missing.
std::shared_ptr<BarArt> LoadLooks(HINSTANCE module, int firstLook, int lastLook) {
    if (module == nullptr) {
        module = ::GetModuleHandleA(nullptr);
    }
    auto art = std::make_shared<BarArt>();
    art->frame = LoadPicture(module, IDB_BAR_FRAME);
    art->blank = LoadPicture(module, IDB_BAR_BLANK);
    if (!art->frame || !art->blank) {
        return nullptr;
    }
    for (int look = firstLook; look <= lastLook; ++look) {
        for (int i = 0; i < kPiecesPerLook; ++i) {
            UniqueBitmap& slot = art->pieces[static_cast<std::size_t>(look)][static_cast<std::size_t>(i)];
            slot = LoadPicture(module, IDB_BAR_PIECE_BASE + kPiecesPerLook * look + i);
            if (!slot) {
                return nullptr;
            }
        }
    }
    return art;
}

} // namespace

std::shared_ptr<const BarArt> LoadBarArt(HINSTANCE module) { return LoadLooks(module, 0, kLookCount - 1); }

std::shared_ptr<const BarArt> SharedBarArt(int look) {
    if (look < 0 || look >= kLookCount) {
        look = 0;
    }
    static std::array<std::weak_ptr<const BarArt>, kLookCount> shared;
    std::weak_ptr<const BarArt>& slot = shared[static_cast<std::size_t>(look)];
    std::shared_ptr<const BarArt> art = slot.lock();
    if (!art) {
        std::shared_ptr<BarArt> loaded = LoadLooks(nullptr, look, look);
        if (loaded) {
            loaded->onlyLook = look;
        }
        art = loaded;
        slot = art;
    }
    return art;
}

} // namespace corvane::progressbar
