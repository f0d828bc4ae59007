#pragma once
// cRegistry: reads and writes registry values, creates, tests and deletes keys, lists a
// key's values and sub-keys, and registers a file type for an executable.
//
// Set where to work through ClassKey, SectionKey, ValueKey, ValueType and Default, then call
// an operation. Every operation opens and closes its own keys; the instance holds no handle
// between calls. Failures are raised as ComponentError with the source "<exe name>.cRegistry".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/general_value.h"
#include "settings/registry_rules.h"

namespace corvane {

class cRegistry {
public:
    // A remote computer for reads and writes of Value; empty means the local registry.
    const std::string& Machine() const noexcept { return machine_; }
    void Machine(std::string_view sMachine);

    // True when SectionKey can be opened for reading under ClassKey (never remote).
    bool KeyExists() const;

    // Creates SectionKey (or opens it when it exists). Returns true or raises 26001.
    bool CreateKey();

    // Deletes SectionKey, which must have no sub-keys. Returns true or raises 26001.
    bool DeleteKey();

    // Deletes ValueKey from SectionKey. Returns true or raises 26001, also for a missing value.
    bool DeleteValue();

    // Reading gives Default when the value cannot be read, and sets ValueType to the stored
    // type when it can. Writing stores the value according to ValueType.
    GeneralValue Value();
    void Value(const GeneralValue& vValue);

    // Fill the array (bounds 1 to count) with the names of SectionKey's values or sub-keys;
    // a key that cannot be opened gives a count of 0. Both return true.
    bool EnumerateValues(registry::TextArray& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(registry::TextArray& sSect, std::int32_t& iSectCount);

    // Registers the extension sAssociation for the class sClassName, opened by sExePath,
    // under HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes. An empty menu text
    // takes its default; an icon index of -1 registers no icon.
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText = {}, bool bSupportPrint = false,
                              const std::string& sPrintMenuText = {}, bool bSupportNew = false,
                              const std::string& sNewMenuText = {}, bool bSupportInstall = false,
                              const std::string& sInstallMenuText = {}, std::int32_t lDefaultIconIndex = -1);

    // Adds verbs to a registered class: vItems holds name, menu text, command triples.
    // Writes that fail are skipped.
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<GeneralValue>& vItems);

    std::int32_t ValueType() const noexcept { return valueType_; }
    void ValueType(std::int32_t eValueType) noexcept { valueType_ = eValueType; }

    std::int32_t ClassKey() const noexcept { return classKey_; }
    void ClassKey(std::int32_t eKey) noexcept { classKey_ = eKey; }

    const std::string& SectionKey() const noexcept { return sectionKey_; }
    void SectionKey(std::string sSectionKey) { sectionKey_ = std::move(sSectionKey); }

    const std::string& ValueKey() const noexcept { return valueKey_; }
    void ValueKey(std::string sValueKey) { valueKey_ = std::move(sValueKey); }

    // Sets the five properties (they stay set), then reads or writes Value. A REG_SZ write
    // of an empty text writes Default instead.
    GeneralValue ValueEx(std::int32_t eKey, std::string sSectionKey, std::string sValueKey, std::int32_t eValueType,
                         GeneralValue vDefault);
    void ValueEx(std::int32_t eKey, std::string sSectionKey, std::string sValueKey, std::int32_t eValueType,
                 GeneralValue vDefault, const GeneralValue& NewValue);

    const GeneralValue& Default() const noexcept { return default_; }
    void Default(GeneralValue vDefault) { default_ = std::move(vDefault); }

    // While set, a REG_SZ write stores the text as it stands even when it looks like it names
    // environment variables: for values read by a program that would otherwise expand them.
    void PlainText(bool bPlain) noexcept { plainText_ = bPlain; }

private:
    // Writes Value under HKEY_CLASSES_ROOT, then under HKEY_LOCAL_MACHINE\SOFTWARE\Classes;
    // ClassKey is left at HKEY_LOCAL_MACHINE.
    void SetClassValue(const std::string& sValue);
    static std::int32_t SwapEndian(std::int32_t lValue) noexcept;
    static std::string ExpandEnvStr(const std::string& sValue);

    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    std::int32_t valueType_ = 0;
    GeneralValue default_;
    std::string machine_;
    bool plainText_ = false;
};

} // namespace corvane
