// cRegistry's file-type registration, kept apart so a program that does not register file types does not carry it.
#include "settings/cregistry_win.h"

#include <string>
#include <vector>

#include "base/component_error.h"
#include "settings/cregistry_keys_win.h"

namespace corvane {

using namespace registry;
using namespace registry::keys;

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

} // namespace corvane
