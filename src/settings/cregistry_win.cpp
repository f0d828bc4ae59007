#include "settings/cregistry_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "base/component_error.h"
#include "base/handles_win.h"
#include "base/program_path_win.h"

namespace corvane {

namespace {

using namespace registry;

// Large enough for any key or value name the registry allows, in any ANSI code page.
constexpr DWORD kLargestNameBuffer = 65536;
// Expanding is repeated this often when the environment changes between the two calls.
constexpr int kExpandAttempts = 4;

HKEY AsHkey(std::int32_t key) noexcept {
    // Predefined keys are sign-extended on 64-bit Windows, like the platform's own constants.
    return reinterpret_cast<HKEY>(static_cast<INT_PTR>(key));
}

[[noreturn]] void Raise(std::int32_t number, std::string description) {
    throw ComponentError(number, ErrorSource(ProgramPath()), std::move(description));
}

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

LSTATUS CreateOrOpen(HKEY root, const std::string& section, UniqueHkey& key) {
    char noClass[] = "";
    SECURITY_ATTRIBUTES security{}; // all zero: default security, handle not inherited
    const LSTATUS rc = ::RegCreateKeyExA(root, section.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE,
                                         kAccessAllSpecific, &security, key.put(), nullptr);
    if (rc != ERROR_SUCCESS) {
        key.release();
    }
    return rc;
}

LSTATUS Open(HKEY root, const std::string& section, REGSAM access, UniqueHkey& key) {
    const LSTATUS rc = ::RegOpenKeyExA(root, section.c_str(), 0, access, key.put());
    if (rc != ERROR_SUCCESS) {
        key.release();
    }
    return rc;
}

} // namespace

void cRegistry::Machine(std::string_view sMachine) {
    machine_ = NormaliseMachine(sMachine);
}

bool cRegistry::KeyExists() const {
    UniqueHkey key;
    return Open(AsHkey(classKey_), sectionKey_, kAccessQueryValue, key) == ERROR_SUCCESS;
}

bool cRegistry::CreateKey() {
    UniqueHkey key;
    if (CreateOrOpen(AsHkey(classKey_), sectionKey_, key) != ERROR_SUCCESS) {
        Raise(kErrorFailed, CreateKeyFailure(sectionKey_));
    }
    return true;
}

bool cRegistry::DeleteKey() {
    if (::RegDeleteKeyA(AsHkey(classKey_), sectionKey_.c_str()) != ERROR_SUCCESS) {
        Raise(kErrorFailed, DeleteKeyFailure(classKey_, sectionKey_));
    }
    return true;
}

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

bool cRegistry::EnumerateValues(registry::TextArray& sKeyNames, std::int32_t& iKeyCount) {
    sKeyNames = TextArray{};
    iKeyCount = 0;
    UniqueHkey key;
    if (Open(AsHkey(classKey_), sectionKey_, kAccessQueryValue, key) != ERROR_SUCCESS) {
        return true;
    }
    DWORD longestName = 0;
    if (::RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return true;
    }
    std::vector<char> name(longestName + 1);
    for (DWORD index = 0;;) {
        DWORD size = static_cast<DWORD>(name.size());
        const LSTATUS rc = ::RegEnumValueA(key.get(), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
        // A name longer than announced (a value added meanwhile, or a multi-byte code page)
        // is read again with room for it instead of ending the list early.
        if (rc == ERROR_MORE_DATA && name.size() < kLargestNameBuffer) {
            name.resize(name.size() * 2);
            continue;
        }
        if (rc != ERROR_SUCCESS) {
            break;
        }
        ++iKeyCount;
        sKeyNames.items.emplace_back(name.data(), size);
        ++index;
    }
    return true;
}

bool cRegistry::EnumerateSections(registry::TextArray& sSect, std::int32_t& iSectCount) {
    try {
        sSect = TextArray{};
        iSectCount = 0;
        UniqueHkey key;
        if (Open(AsHkey(classKey_), sectionKey_, kAccessEnumerateSubKeys, key) != ERROR_SUCCESS) {
            return true;
        }
        // Key names have up to 255 characters, so 255 bytes would leave no room for the NUL.
        std::vector<char> name(256);
        for (DWORD index = 0;;) {
            std::fill(name.begin(), name.end(), '\0');
            const LSTATUS rc = ::RegEnumKeyA(key.get(), index, name.data(), static_cast<DWORD>(name.size()));
            if (rc == ERROR_MORE_DATA && name.size() < kLargestNameBuffer) {
                name.resize(name.size() * 2);
                continue;
            }
            if (rc != ERROR_SUCCESS) {
                break;
            }
            ++iSectCount;
            sSect.items.emplace_back(name.data(), ::strnlen(name.data(), name.size()));
            ++index;
        }
        return true;
    } catch (const ComponentError&) {
        throw;
    } catch (const std::exception& e) {
        Raise(kErrorEnumerationFailed, e.what());
    }
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription, const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex) {
    AssociationRequest request;
    request.exePath = sExePath;
    request.className = sClassName;
    request.classDescription = sClassDescription;
    request.association = sAssociation;
    request.openMenuText = sOpenMenuText;
    request.supportPrint = bSupportPrint;
    request.printMenuText = sPrintMenuText;
    request.supportNew = bSupportNew;
    request.newMenuText = sNewMenuText;
    request.supportInstall = bSupportInstall;
    request.installMenuText = sInstallMenuText;
    request.defaultIconIndex = lDefaultIconIndex;

    valueType_ = kTypeSz;
    for (const AssociationEntry& entry : AssociationEntries(request)) {
        sectionKey_ = entry.section;
        valueKey_.clear();
        SetClassValue(entry.value);
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<GeneralValue>& vItems) {
    if (!IsWholeTriples(vItems.size())) {
        Raise(kErrorItemCount, std::string(kItemCountDescription));
    }
    sectionKey_ = sClassName;
    if (!KeyExists()) {
        Raise(kErrorClassMissing, std::string(kClassMissingDescription));
    }
    for (std::size_t i = 0; i + 2 < vItems.size(); i += 3) {
        valueType_ = kTypeSz;
        const std::string verb = sClassName + "\\shell\\" + vItems[i].ToText();
        // A verb that cannot be written is skipped; the others still go in.
        sectionKey_ = verb;
        valueKey_.clear();
        try {
            SetClassValue(vItems[i + 1].ToText());
        } catch (const ComponentError&) {
        }
        sectionKey_ = verb + "\\command";
        valueKey_.clear();
        try {
            SetClassValue(vItems[i + 2].ToText());
        } catch (const ComponentError&) {
        }
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

void cRegistry::SetClassValue(const std::string& sValue) {
    const GeneralValue value(sValue);
    classKey_ = kClassesRoot;
    Value(value);
    const std::string section = sectionKey_;
    classKey_ = kLocalMachine;
    sectionKey_ = "SOFTWARE\\Classes\\" + section;
    Value(value);
    sectionKey_ = section;
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
