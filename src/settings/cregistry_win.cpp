#include "settings/cregistry_win.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "base/component_error.h"
#include "base/handles_win.h"
#include "base/program_path_win.h"
#include "settings/cregistry_keys_win.h"

namespace corvane {

namespace {

using namespace registry;
using namespace registry::keys;

// Expanding is repeated this often when the environment changes between the two calls.
constexpr int kExpandAttempts = 4;

// The root a read or write of Value works under: ClassKey itself, or the same key on the
// remote machine, whose connection closes with `remote`.
bool FindRoot(const std::string& machine, std::int32_t classKey, UniqueHkey& remote, HKEY& root) {
    if (machine.empty()) {
        root = AsHkey(classKey);
        return true;
    }
    if (::RegConnectRegistryA(machine.c_str(), AsHkey(classKey), remote.put()) != ERROR_SUCCESS) {
        remote.release();
        return false;
    }
    root = remote.get();
    return true;
}

} // namespace

bool cRegistry::DeleteValue() {
    UniqueHkey key;
    if (Open(AsHkey(classKey_), sectionKey_, kAccessAllSpecific, key) != ERROR_SUCCESS) {
        Raise(kErrorFailed, OpenForDeleteFailure(classKey_, sectionKey_));
    }
    if (::RegDeleteValueA(key.get(), valueKey_.c_str()) != ERROR_SUCCESS) {
        Raise(kErrorFailed, DeleteValueFailure(classKey_, sectionKey_, valueKey_));
    }
    return true;
}

GeneralValue cRegistry::Value() {
    UniqueHkey remote;
    HKEY root = nullptr;
    if (!FindRoot(machine_, classKey_, remote, root)) {
        return default_;
    }
    UniqueHkey key;
    if (Open(root, sectionKey_, kAccessQueryValue, key) != ERROR_SUCCESS) {
        return default_;
    }
    const auto query = [&](std::uint32_t& type, std::uint8_t* data, std::uint32_t& size) -> std::int32_t {
        DWORD t = 0;
        DWORD n = size;
        const LSTATUS rc = ::RegQueryValueExA(key.get(), valueKey_.c_str(), nullptr, &t, data, &n);
        type = t;
        size = n;
        return rc;
    };
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    if (ReadStoredValue(query, type, bytes) != ERROR_SUCCESS) {
        return default_;
    }
    valueType_ = static_cast<std::int32_t>(type);
    GeneralValue result = DecodeStored(valueType_, bytes);
    std::int32_t number = 0;
    if (valueType_ == kTypeExpandSz) {
        result = GeneralValue(ExpandEnvStr(*result.Text()));
    } else if (valueType_ == kTypeDwordBigEndian && result.TryInt32(number)) {
        result = GeneralValue(SwapEndian(number));
    }
    return result;
}

void cRegistry::Value(const GeneralValue& vValue) {
    UniqueHkey remote;
    HKEY root = nullptr;
    if (!FindRoot(machine_, classKey_, remote, root)) {
        return;
    }
    UniqueHkey key;
    if (CreateOrOpen(root, sectionKey_, key) != ERROR_SUCCESS) {
        Raise(kErrorFailed, SetValueFailure(classKey_, sectionKey_, valueKey_, vValue.ToText()));
    }
    StorePlan plan = PlanStore(valueType_, vValue);
    if (plainText_ && valueType_ == kTypeSz) {
        plan.type = kTypeSz;
    }
    LSTATUS outcome = ERROR_SUCCESS;
    switch (plan.outcome) {
    case StorePlan::Outcome::Store:
        outcome = ::RegSetValueExA(key.get(), valueKey_.c_str(), 0, static_cast<DWORD>(plan.type),
                                   plan.bytes.empty() ? nullptr : plan.bytes.data(),
                                   static_cast<DWORD>(plan.bytes.size()));
        break;
    case StorePlan::Outcome::Nothing:
        break;
    case StorePlan::Outcome::NotByteArray:
        // Raised without a source or description of the class's own.
        throw ComponentError(kErrorFailed, ExecutableStem(ProgramPath()), std::string(kApplicationDefinedDescription));
    case StorePlan::Outcome::InvalidType:
        outcome = kErrorInvalidData;
        break;
    }
    if (outcome != ERROR_SUCCESS) {
        Raise(kErrorStoreFailed, SetValueFailure(classKey_, sectionKey_, valueKey_, vValue.ToText()));
    }
}

GeneralValue cRegistry::ValueEx(std::int32_t eKey, std::string sSectionKey, std::string sValueKey,
                                std::int32_t eValueType, GeneralValue vDefault) {
    classKey_ = eKey;
    sectionKey_ = std::move(sSectionKey);
    valueKey_ = std::move(sValueKey);
    valueType_ = eValueType;
    default_ = std::move(vDefault);
    return Value();
}

void cRegistry::ValueEx(std::int32_t eKey, std::string sSectionKey, std::string sValueKey, std::int32_t eValueType,
                        GeneralValue vDefault, const GeneralValue& NewValue) {
    classKey_ = eKey;
    sectionKey_ = std::move(sSectionKey);
    valueKey_ = std::move(sValueKey);
    valueType_ = eValueType;
    default_ = std::move(vDefault);
    // Copied: writing may not alias the property it was chosen from.
    const GeneralValue chosen = ValueExWriteChoice(valueType_, NewValue, default_);
    Value(chosen);
}

std::int32_t cRegistry::SwapEndian(std::int32_t lValue) noexcept {
    return registry::SwapEndian(lValue);
}

std::string cRegistry::ExpandEnvStr(const std::string& sValue) {
    DWORD needed = ::ExpandEnvironmentStringsA(sValue.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < kExpandAttempts && needed > 0; ++attempt) {
        std::vector<char> buffer(needed, '\0');
        const DWORD got = ::ExpandEnvironmentStringsA(sValue.c_str(), buffer.data(), needed);
        if (got == 0) {
            break;
        }
        if (got <= needed) {
            // The size asked for can be larger than the text; stop at its NUL.
            return std::string(buffer.data(), ::strnlen(buffer.data(), buffer.size()));
        }
        needed = got;
    }
    // Nothing could be expanded: the text as stored is better than nothing.
    return sValue;
}

} // namespace corvane
