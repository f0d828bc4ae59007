#pragma once
// The ANSI OPENFILENAME record of the file dialogs, in the form the control fills it, and
// its 76-byte 32-bit layout (the record of Windows' 4.0 common dialogs, lStructSize 76).
#include <array>
#include <cstdint>

namespace corvane::cdlg {

inline constexpr std::uint32_t kOpenFileNameSize = 76;

struct OpenFileNameRecord {
    std::uint32_t structSize = kOpenFileNameSize;
    std::int32_t owner = 0;
    std::uintptr_t instance = 0;
    const char* filter = nullptr;
    char* customFilter = nullptr;
    std::uint32_t maxCustFilter = 0;
    std::uint32_t filterIndex = 0;
    char* file = nullptr;
    std::uint32_t maxFile = 0;
    char* fileTitle = nullptr;
    std::uint32_t maxFileTitle = 0;
    const char* initialDir = nullptr;
    const char* title = nullptr;
    std::uint32_t flags = 0;
    std::uint16_t fileOffset = 0;
    std::uint16_t fileExtension = 0;
    const char* defExt = nullptr;
    std::intptr_t custData = 0;
    std::uintptr_t hook = 0;
    const char* templateName = nullptr;
};

using OpenFileNameBytes = std::array<std::uint8_t, kOpenFileNameSize>;

// Little-endian, every pointer and handle in 4 bytes: exact in a 32-bit process, where these
// bytes are what the dialog function is handed.
OpenFileNameBytes PackOpenFileName32(const OpenFileNameRecord& record);

// Takes back the fields the dialog writes: nFilterIndex, nFileOffset and nFileExtension.
void ReadBackOpenFileName32(const OpenFileNameBytes& bytes, OpenFileNameRecord& record);

} // namespace corvane::cdlg
