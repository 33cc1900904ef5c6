#include "cRegistry.h"

#include "Error.h"

namespace {

constexpr wchar_t kMachineClasses[] = L"SOFTWARE\\Classes\\";

// Trimmed of spaces and put in double quotes, unless it has them already.
std::wstring QuotedProgramPath(const std::wstring& path) {
    const std::size_t first = path.find_first_not_of(L' ');
    std::wstring quoted =
        first == std::wstring::npos ? std::wstring() : path.substr(first, path.find_last_not_of(L' ') - first + 1);
    if (quoted.empty() || quoted.front() != L'"') quoted.insert(0, 1, L'"');
    if (quoted.back() != L'"') quoted += L'"';
    return quoted;
}

std::wstring TextOr(const std::wstring& text, const std::wstring& fallback) {
    return text.empty() ? fallback : text;
}

}  // namespace

void cRegistry::CreateEXEAssociation(const std::wstring& sExePath, const std::wstring& sClassName,
                                     const std::wstring& sClassDescription, const std::wstring& sAssociation,
                                     const std::wstring& sOpenMenuText, bool bSupportPrint,
                                     const std::wstring& sPrintMenuText, bool bSupportNew,
                                     const std::wstring& sNewMenuText, bool bSupportInstall,
                                     const std::wstring& sInstallMenuText, std::int32_t lDefaultIconIndex) {
    const cRegistry before = *this;
    const std::wstring program = QuotedProgramPath(sExePath);
    auto write = [this](const std::wstring& path, const std::wstring& text) {
        sectionKey_ = path;
        valueKey_.clear();
        SetClassesValue(text);
    };
    auto writeVerb = [&](const wchar_t* verb, const std::wstring& menuText, const wchar_t* option) {
        const std::wstring verbKey = sClassName + L"\\shell\\" + verb;
        write(verbKey, menuText);
        write(verbKey + L"\\command", program + option + L"\"%1\"");
    };
    try {
        valueType_ = REG_SZ;
        write(L"." + sAssociation, sClassName);
        write(sClassName, sClassDescription);
        writeVerb(L"open", TextOr(sOpenMenuText, L"&Open"), L" ");
        if (bSupportPrint) writeVerb(L"print", TextOr(sPrintMenuText, L"&Print"), L" /p ");
        if (bSupportInstall) writeVerb(L"add", TextOr(sInstallMenuText, L"&Install " + sAssociation), L" /a ");
        if (bSupportNew) writeVerb(L"new", TextOr(sNewMenuText, L"&New"), L" /n ");
        if (lDefaultIconIndex >= 0)
            write(sClassName + L"\\DefaultIcon", program + L"," + std::to_wstring(lDefaultIconIndex));
    } catch (...) {
        // The keys written so far stay; the object is left as the caller had it.
        *this = before;
        throw;
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::wstring& sClassName,
                                                const std::vector<RegistryValue>& vItems) {
    if (vItems.size() % 3 != 0)
        throw Error(kErrInvalidItems, ErrorSource(),
                    L"Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    // The class is looked for where CreateEXEAssociation writes it first. The
    // object's own root would not do: after that call it is
    // HKEY_LOCAL_MACHINE, where the class lies only below SOFTWARE\Classes.
    cRegistry classes;
    classes.SetClassKey(kHKeyClassesRoot);
    classes.SetSectionKey(sClassName);
    if (sClassName.empty() || !classes.KeyExists())
        throw Error(kErrClassMissing, ErrorSource(),
                    L"Error - attempt to create additional associations before class defined.");
    sectionKey_ = sClassName;
    for (std::size_t i = 0; i < vItems.size(); i += 3) {
        const std::wstring verbKey = sClassName + L"\\shell\\" + vItems[i].ToText();
        const std::pair<std::wstring, std::wstring> steps[] = {{verbKey, vItems[i + 1].ToText()},
                                                               {verbKey + L"\\command", vItems[i + 2].ToText()}};
        for (const auto& [path, text] : steps) {
            valueType_ = REG_SZ;
            sectionKey_ = path;
            valueKey_.clear();
            // One verb that cannot be written does not keep the others out.
            try {
                SetClassesValue(text);
            } catch (const Error&) {
            }
        }
    }
}

void cRegistry::SetClassesValue(const std::wstring& text) {
    const std::wstring path = sectionKey_;
    classKey_ = kHKeyClassesRoot;
    // Both copies go below the classes root; an empty path would write the
    // value of the root itself.
    if (path.empty()) throw Error(kErrKeyOperation, ErrorSource(), SetValueMessage(text));
    SetValue(text);
    classKey_ = kHKeyLocalMachine;
    sectionKey_ = kMachineClasses + path;
    try {
        SetValue(text);
    } catch (...) {
        sectionKey_ = path;
        throw;
    }
    sectionKey_ = path;
}
