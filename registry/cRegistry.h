#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "NameList.h"
#include "RegistryValue.h"

// The program's gateway to the registry. A caller sets an address (root,
// key path, value name, type, fallback, remote machine) and then reads,
// writes, enumerates or deletes what it addresses. No registry handle is kept
// between calls. All registry calls use the 8-bit ("A") forms.
//
// Reads never fail: a missing key or value returns Default(). Writes raise
// Error with the numbers below.
class cRegistry {
public:
    static constexpr std::int32_t kHKeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
    static constexpr std::int32_t kHKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

    static constexpr std::int32_t kErrKeyOperation = 26001;
    static constexpr std::int32_t kErrSetValue = static_cast<std::int32_t>(0x800469A9u);
    static constexpr std::int32_t kErrEnumerate = static_cast<std::int32_t>(0x800469AAu);
    static constexpr std::int32_t kErrInvalidItems = static_cast<std::int32_t>(0x800469ACu);
    static constexpr std::int32_t kErrClassMissing = static_cast<std::int32_t>(0x800469ADu);

    // Remote computer ("\\name"), or empty for the local registry.
    const std::wstring& Machine() const noexcept { return machine_; }
    void SetMachine(const std::wstring& sMachine);

    bool KeyExists() const;

    // Writing refuses, with the operation's own error, a key path with an
    // empty part and a name or text holding a character that the system's
    // code page lacks, rather than hand the system an altered one.
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    RegistryValue Value();
    void SetValue(const RegistryValue& vValue);

    bool EnumerateValues(NameList& sKeyNames, std::int32_t& iKeyCount) const;
    bool EnumerateSections(NameList& sSect, std::int32_t& iSectCount) const;

    // Registers extension, class, verbs and icon under HKEY_CLASSES_ROOT and
    // HKEY_LOCAL_MACHINE\SOFTWARE\Classes. On an error the keys written
    // before it stay and the object is left as the caller had it.
    void CreateEXEAssociation(const std::wstring& sExePath, const std::wstring& sClassName,
                              const std::wstring& sClassDescription, const std::wstring& sAssociation,
                              const std::wstring& sOpenMenuText = L"&Open", bool bSupportPrint = false,
                              const std::wstring& sPrintMenuText = L"&Print", bool bSupportNew = false,
                              const std::wstring& sNewMenuText = L"&New", bool bSupportInstall = false,
                              const std::wstring& sInstallMenuText = L"", std::int32_t lDefaultIconIndex = -1);

    // Adds verbs (name, menu text, command line per triple) to a class
    // registered before; the class is looked for under HKEY_CLASSES_ROOT.
    void CreateAdditionalEXEAssociations(const std::wstring& sClassName, const std::vector<RegistryValue>& vItems);

    std::int32_t ValueType() const noexcept { return valueType_; }
    void SetValueType(std::int32_t eValueType) noexcept { valueType_ = eValueType; }

    std::int32_t ClassKey() const noexcept { return classKey_; }
    void SetClassKey(std::int32_t eKey) noexcept { classKey_ = eKey; }

    const std::wstring& SectionKey() const noexcept { return sectionKey_; }
    void SetSectionKey(const std::wstring& sSectionKey) { sectionKey_ = sSectionKey; }

    const std::wstring& ValueKey() const noexcept { return valueKey_; }

    RegistryValue ValueEx(std::int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                          std::int32_t eValueType, const RegistryValue& vDefault);
    void SetValueEx(std::int32_t eClassKey, const std::wstring& sSectionKey, const std::wstring& sValueKey,
                    std::int32_t eValueType, const RegistryValue& vDefault, const RegistryValue& vNewValue);

    void SetValueKey(const std::wstring& sValueKey) { valueKey_ = sValueKey; }

    const RegistryValue& Default() const noexcept { return default_; }
    void SetDefault(const RegistryValue& vDefault) { default_ = vDefault; }

private:
    void SetClassesValue(const std::wstring& text);

    // The description of a failed Value set of vValue at the current address.
    std::wstring SetValueMessage(const RegistryValue& vValue) const;

    static std::uint32_t SwapEndian(std::uint32_t value) noexcept;
    static std::wstring ExpandEnvStr(const std::wstring& text);

    // The source text of every error this class raises:
    // the program's file name without extension + ".cRegistry".
    static std::wstring ErrorSource();

    // The predefined root handle that a ClassKey number names.
    static HKEY RootKey(std::int32_t eKey) noexcept;

    std::int32_t classKey_ = 0;
    std::wstring sectionKey_;
    std::wstring valueKey_;
    std::int32_t valueType_ = 0;
    RegistryValue default_;
    std::wstring machine_;
};
