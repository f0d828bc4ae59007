#include "settings/registry_rules.h"

namespace corvane::registry {

std::string ExecutableStem(std::string_view exePath) {
    const auto slash = exePath.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? exePath : exePath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

std::string ErrorSource(std::string_view exePath) {
    return ExecutableStem(exePath) + ".cRegistry";
}

std::string CreateKeyFailure(std::string_view section) {
    return "Failed to create registry Key: '" + std::string(section);
}

std::string DeleteKeyFailure(std::int32_t classKey, std::string_view section) {
    return "Failed to delete registry Key: '" + std::to_string(classKey) + "',Section: '" + std::string(section);
}

std::string OpenForDeleteFailure(std::int32_t classKey, std::string_view section) {
    return "Failed to open key '" + std::to_string(classKey) + "',Section: '" + std::string(section) +
           "' for delete access";
}

std::string DeleteValueFailure(std::int32_t classKey, std::string_view section, std::string_view valueKey) {
    return DeleteKeyFailure(classKey, section) + "',Key: '" + std::string(valueKey);
}

std::string SetValueFailure(std::int32_t classKey, std::string_view section, std::string_view valueKey,
                            std::string_view valueText) {
    return "Failed to set registry value Key: '" + std::to_string(classKey) + "',Section: '" + std::string(section) +
           "',Key: '" + std::string(valueKey) + "' to value: '" + std::string(valueText) + "'";
}

std::string NormaliseMachine(std::string_view machine) {
    if (machine.size() < 3) {
        return {};
    }
    if (machine.substr(0, 2) == "\\\\") {
        return std::string(machine);
    }
    return "\\\\" + std::string(machine);
}

std::int32_t SwapEndian(std::int32_t value) noexcept {
    const auto u = static_cast<std::uint32_t>(value);
    const std::uint32_t swapped =
        (u >> 24) | ((u >> 8) & 0x0000FF00u) | ((u << 8) & 0x00FF0000u) | (u << 24);
    return static_cast<std::int32_t>(swapped);
}

std::int32_t TextStorageType(std::string_view text) noexcept {
    const auto first = text.find('%');
    if (first == std::string_view::npos) {
        return kTypeSz;
    }
    return text.find('%', first + 2) == std::string_view::npos ? kTypeSz : kTypeExpandSz;
}

StorePlan PlanStore(std::int32_t valueType, const GeneralValue& value) {
    StorePlan plan;
    switch (valueType) {
    case kTypeSz:
    case kTypeExpandSz: {
        const std::string text = value.ToText();
        plan.outcome = StorePlan::Outcome::Store;
        plan.type = TextStorageType(text);
        plan.bytes.assign(text.begin(), text.end());
        plan.bytes.push_back(0);
        return plan;
    }
    case kTypeBinary:
        if (const ByteArray* bytes = value.Bytes()) {
            plan.outcome = StorePlan::Outcome::Store;
            plan.type = kTypeBinary;
            plan.bytes = bytes->bytes;
        } else {
            plan.outcome = StorePlan::Outcome::NotByteArray;
        }
        return plan;
    case kTypeDword:
    case kTypeDwordBigEndian: {
        std::int32_t number = 0;
        if (!value.TryInt32(number)) {
            plan.outcome = StorePlan::Outcome::Nothing;
            return plan;
        }
        // Stored as an ordinary DWORD even when big-endian was asked for.
        const auto u = static_cast<std::uint32_t>(number);
        plan.outcome = StorePlan::Outcome::Store;
        plan.type = kTypeDword;
        plan.bytes = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                      static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
        return plan;
    }
    default:
        plan.outcome = StorePlan::Outcome::InvalidType;
        return plan;
    }
}

std::int32_t ReadStoredValue(const QueryValue& query, std::uint32_t& type, std::vector<std::uint8_t>& bytes) {
    // A value that keeps changing size while it is read is given up after this many attempts.
    constexpr int kAttempts = 16;
    std::uint32_t size = 0;
    std::int32_t rc = query(type, nullptr, size);
    if (rc != 0 && rc != kErrorMoreData) {
        return rc;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        bytes.assign(size, 0);
        std::uint32_t got = size;
        rc = query(type, bytes.empty() ? nullptr : bytes.data(), got);
        if (rc == kErrorMoreData || (rc == 0 && got > bytes.size())) {
            size = got > size ? got : size * 2 + 16;
            continue;
        }
        if (rc != 0) {
            bytes.clear();
            return rc;
        }
        bytes.resize(got);
        return 0;
    }
    bytes.clear();
    return kErrorMoreData;
}

std::string TextFromStoredBytes(const std::vector<std::uint8_t>& bytes) {
    std::size_t length = bytes.size();
    if (length > 0 && bytes[length - 1] == 0) {
        --length;
    }
    return std::string(reinterpret_cast<const char*>(bytes.data()), length);
}

GeneralValue DecodeStored(std::int32_t type, const std::vector<std::uint8_t>& bytes) {
    switch (type) {
    case kTypeSz:
    case kTypeExpandSz:
    case kTypeMultiSz:
        return GeneralValue(TextFromStoredBytes(bytes));
    case kTypeDword:
    case kTypeDwordBigEndian: {
        std::uint32_t u = 0;
        for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
            u |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
        }
        return GeneralValue(static_cast<std::int32_t>(u));
    }
    default:
        return GeneralValue(ByteArray{0, bytes});
    }
}

const GeneralValue& ValueExWriteChoice(std::int32_t valueType, const GeneralValue& newValue,
                                       const GeneralValue& defaultValue) {
    if (valueType == kTypeSz && newValue.ToText().empty()) {
        return defaultValue;
    }
    return newValue;
}

} // namespace corvane::registry
