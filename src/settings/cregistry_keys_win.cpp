// cRegistry's key management and listing, kept apart so a program that does not use them does not carry them.
#include "settings/cregistry_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "base/component_error.h"
#include "base/handles_win.h"
#include "settings/cregistry_keys_win.h"

namespace corvane {

using namespace registry;
using namespace registry::keys;

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

} // namespace corvane
