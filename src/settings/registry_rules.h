#pragma once
// The rules of the registry class that need no registry: error numbers and texts, how a
// general value is stored and read back, the machine name, and the keys a file-type
// association consists of.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/general_value.h"

namespace corvane::registry {

// The predefined root keys as the class keeps them: signed 32-bit numbers.
inline constexpr std::int32_t kClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kLocalMachine = static_cast<std::int32_t>(0x80000002u);

// Registry type codes.
inline constexpr std::int32_t kTypeNone = 0;
inline constexpr std::int32_t kTypeSz = 1;
inline constexpr std::int32_t kTypeExpandSz = 2;
inline constexpr std::int32_t kTypeBinary = 3;
inline constexpr std::int32_t kTypeDword = 4;
inline constexpr std::int32_t kTypeDwordBigEndian = 5;
inline constexpr std::int32_t kTypeMultiSz = 7;

// Access rights: read a value, list sub-keys, and the six specific key rights without the
// standard ones (enough to create keys and write or delete values).
inline constexpr std::uint32_t kAccessQueryValue = 0x1;
inline constexpr std::uint32_t kAccessEnumerateSubKeys = 0x8;
inline constexpr std::uint32_t kAccessAllSpecific = 0x3F;

// Platform codes the class produces or looks at.
inline constexpr std::int32_t kErrorInvalidData = 13;
inline constexpr std::int32_t kErrorMoreData = 234;

inline constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000u);
inline constexpr std::int32_t kErrorFailed = 26001;
inline constexpr std::int32_t kErrorStoreFailed = kObjectErrorBase + 27049;       // 800469A9
inline constexpr std::int32_t kErrorEnumerationFailed = kObjectErrorBase + 27050; // 800469AA
inline constexpr std::int32_t kErrorItemCount = kObjectErrorBase + 27052;         // 800469AC
inline constexpr std::int32_t kErrorClassMissing = kObjectErrorBase + 27053;      // 800469AD

inline constexpr std::string_view kItemCountDescription =
    "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command";
inline constexpr std::string_view kClassMissingDescription =
    "Error - attempt to create additional associations before class defined.";
// The text an error raised by the program without a description of its own carries.
inline constexpr std::string_view kApplicationDefinedDescription = "Application-defined or object-defined error";

// The executable's file name without folder and extension: "C:\x\Corvane.exe" -> "Corvane".
std::string ExecutableStem(std::string_view exePath);
// The source of every error the class raises: "Corvane.cRegistry" for Corvane.exe.
std::string ErrorSource(std::string_view exePath);

std::string CreateKeyFailure(std::string_view section);
std::string DeleteKeyFailure(std::int32_t classKey, std::string_view section);
std::string OpenForDeleteFailure(std::int32_t classKey, std::string_view section);
std::string DeleteValueFailure(std::int32_t classKey, std::string_view section, std::string_view valueKey);
std::string SetValueFailure(std::int32_t classKey, std::string_view section, std::string_view valueKey,
                            std::string_view valueText);

// Fewer than 3 characters means the local registry (empty); otherwise the name gets a
// leading "\\" unless it has one.
std::string NormaliseMachine(std::string_view machine);

std::int32_t SwapEndian(std::int32_t value) noexcept;

// REG_EXPAND_SZ when a "%" is followed, at least two positions later, by another "%";
// REG_SZ otherwise.
std::int32_t TextStorageType(std::string_view text) noexcept;

// What a write of a value with a given ValueType hands to the registry.
struct StorePlan {
    enum class Outcome {
        Store,        // store `bytes` with `type`
        Nothing,      // store nothing, report nothing
        NotByteArray, // REG_BINARY asked for something that is not a byte array
        InvalidType,  // the ValueType cannot be written: the store fails with ERROR_INVALID_DATA
    };
    Outcome outcome = Outcome::Nothing;
    std::int32_t type = kTypeNone;
    std::vector<std::uint8_t> bytes;
};
StorePlan PlanStore(std::int32_t valueType, const GeneralValue& value);

// One query of a value: sets `type`, copies up to `size` bytes into `data` when it is not
// null, and sets `size` to the byte count the value holds (or returned). Gives the
// platform's outcome code.
using QueryValue = std::function<std::int32_t(std::uint32_t& type, std::uint8_t* data, std::uint32_t& size)>;

// Reads a value's type and bytes: the size is asked first, then the data. When the value
// grew in between, the read is repeated with the new size instead of overrunning the buffer;
// the bytes kept are those the read returned. Gives 0 on success, else the failing outcome.
std::int32_t ReadStoredValue(const QueryValue& query, std::uint32_t& type, std::vector<std::uint8_t>& bytes);

// The text of a stored string: its bytes without the terminating NUL. Bytes that do not
// end in a NUL are all kept, so nothing of the text is lost.
std::string TextFromStoredBytes(const std::vector<std::uint8_t>& bytes);

// The value a read returns for stored data of a type, before environment references in a
// REG_EXPAND_SZ are expanded and before a REG_DWORD_BIG_ENDIAN is turned round: text for
// 1, 2 and 7; for 4 and 5 the integer whose bytes, least significant first, are the first
// four stored (missing ones taken as zero, extra ones ignored); a byte array indexed from 0
// otherwise.
GeneralValue DecodeStored(std::int32_t type, const std::vector<std::uint8_t>& bytes);

// ValueEx writes the fallback instead of an empty text when the type is REG_SZ.
const GeneralValue& ValueExWriteChoice(std::int32_t valueType, const GeneralValue& newValue,
                                       const GeneralValue& defaultValue);

// An array of texts with its bounds, as the enumerations fill it: indexed 1 to count.
struct TextArray {
    std::int32_t lowerBound = 1;
    std::vector<std::string> items;

    std::int32_t UpperBound() const noexcept { return lowerBound + static_cast<std::int32_t>(items.size()) - 1; }
    const std::string& At(std::int32_t index) const { return items.at(static_cast<std::size_t>(index - lowerBound)); }
};

// The executable path for a shell command: trimmed of spaces and enclosed in double quotes,
// without doubling quotes that are already there.
std::string QuoteExePath(std::string_view exePath);

struct AssociationRequest {
    std::string exePath;
    std::string className;
    std::string classDescription;
    std::string association; // the extension, without its dot
    std::string openMenuText;
    bool supportPrint = false;
    std::string printMenuText;
    bool supportNew = false;
    std::string newMenuText;
    bool supportInstall = false;
    std::string installMenuText;
    std::int32_t defaultIconIndex = -1;
};

// One key below the classes root and the text of its unnamed default value.
struct AssociationEntry {
    std::string section;
    std::string value;
    friend bool operator==(const AssociationEntry&, const AssociationEntry&) = default;
};

// The keys an association writes, in the order they are written.
std::vector<AssociationEntry> AssociationEntries(const AssociationRequest& request);

// Additional verbs come as name, menu text and command triples.
bool IsWholeTriples(std::size_t itemCount) noexcept;

} // namespace corvane::registry
