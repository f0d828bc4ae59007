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

std::shared_ptr<const BarArt> LoadBarArt(HINSTANCE module) {
    if (module == nullptr) {
        module = ::GetModuleHandleA(nullptr);
    }
    auto art = std::make_shared<BarArt>();
    art->frame = LoadPicture(module, IDB_BAR_FRAME);
    art->blank = LoadPicture(module, IDB_BAR_BLANK);
    if (!art->frame || !art->blank) {
        return nullptr;
    }
    for (int look = 0; look < kLookCount; ++look) {
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

std::shared_ptr<const BarArt> SharedBarArt() {
    static std::weak_ptr<const BarArt> shared;
    std::shared_ptr<const BarArt> art = shared.lock();
    if (!art) {
        art = LoadBarArt();
        shared = art;
    }
    return art;
}

} // namespace corvane::progressbar
