#include "controls/commondialog/open_file_name.h"

namespace corvane::cdlg {

namespace {

void Put32(OpenFileNameBytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

void Put16(OpenFileNameBytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t Get32(const OpenFileNameBytes& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    }
    return v;
}

std::uint16_t Get16(const OpenFileNameBytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// In a 32-bit process the truncation loses nothing.
std::uint32_t Low32(const void* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}

} // namespace

OpenFileNameBytes PackOpenFileName32(const OpenFileNameRecord& r) {
    OpenFileNameBytes b{};
    Put32(b, 0, r.structSize);
    Put32(b, 4, static_cast<std::uint32_t>(r.owner));
    Put32(b, 8, static_cast<std::uint32_t>(r.instance));
    Put32(b, 12, Low32(r.filter));
    Put32(b, 16, Low32(r.customFilter));
    Put32(b, 20, r.maxCustFilter);
    Put32(b, 24, r.filterIndex);
    Put32(b, 28, Low32(r.file));
    Put32(b, 32, r.maxFile);
    Put32(b, 36, Low32(r.fileTitle));
    Put32(b, 40, r.maxFileTitle);
    Put32(b, 44, Low32(r.initialDir));
    Put32(b, 48, Low32(r.title));
    Put32(b, 52, r.flags);
    Put16(b, 56, r.fileOffset);
    Put16(b, 58, r.fileExtension);
    Put32(b, 60, Low32(r.defExt));
    Put32(b, 64, static_cast<std::uint32_t>(r.custData));
    Put32(b, 68, static_cast<std::uint32_t>(r.hook));
    Put32(b, 72, Low32(r.templateName));
    return b;
}

void ReadBackOpenFileName32(const OpenFileNameBytes& b, OpenFileNameRecord& r) {
    r.filterIndex = Get32(b, 24);
    r.fileOffset = Get16(b, 56);
    r.fileExtension = Get16(b, 58);
}

} // namespace corvane::cdlg
