#pragma once
// The banner is stored as runs of 3-byte pixels rather than as a bitmap: most of its rows are one
// plain gradient colour, so it packs to a tenth of its size and needs no library to unpack.
//
// The stream holds the pixels row by row from the top, rows running on without padding. Each
// part starts with a count byte c: below 128, c + 1 pixels follow as they are; from 128 on, one
// pixel follows that repeats c - 126 times (2 to 129). make_banner.py writes it.
#include <cstddef>
#include <cstdint>
#include <span>

namespace corvane::about {

// Writes width x height pixels into rows of `stride` bytes (the padding bytes are left alone).
// False, with `out` partly written, when the stream ends early or holds more than the picture.
bool UnpackPixelRuns(std::span<const std::uint8_t> packed, int width, int height, std::size_t stride,
                     std::span<std::uint8_t> out);

} // namespace corvane::about
