#include "about/pixel_runs.h"

namespace corvane::about {

bool UnpackPixelRuns(std::span<const std::uint8_t> packed, int width, int height, std::size_t stride,
                     std::span<std::uint8_t> out) {
    if (width <= 0 || height <= 0 || stride < static_cast<std::size_t>(width) * 3 ||
        out.size() < stride * static_cast<std::size_t>(height)) {
        return false;
    }
    const std::size_t total = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::size_t pixel = 0;
    std::size_t at = 0;
    auto put = [&](const std::uint8_t* bgr) {
        std::uint8_t* to = &out[(pixel / width) * stride + (pixel % width) * 3];
        to[0] = bgr[0];
        to[1] = bgr[1];
        to[2] = bgr[2];
        ++pixel;
    };
    while (at < packed.size()) {
        const unsigned c = packed[at++];
        const bool repeat = c >= 128;
        const std::size_t count = repeat ? c - 126 : c + 1;
        const std::size_t bytes = repeat ? 3 : count * 3;
        if (packed.size() - at < bytes || total - pixel < count) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            put(&packed[at + (repeat ? 0 : i * 3)]);
        }
        at += bytes;
    }
    return pixel == total;
}

} // namespace corvane::about
