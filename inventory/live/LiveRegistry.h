#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "RegistryKey.h"

namespace inventory {

// The SYSTEM key of this machine's registry (HKEY_LOCAL_MACHINE\SYSTEM).
std::unique_ptr<RegistryKey> OpenLocalSystem();
// The SYSTEM key of another machine's registry, through its Remote Registry service.
std::unique_ptr<RegistryKey> OpenRemoteSystem(const std::string& machine);
// The root of a hive file, loaded as an application hive (private to this
// process, unloaded when the last key closes).
std::unique_ptr<RegistryKey> LoadHiveFile(const std::string& path);

// This machine's name, for the report.
std::string LocalMachineName();

// The one call Wine does not implement (RegLoadAppKeyW answers that it is
// not); tests put their own in its place.
using LoadAppKeyFunction = LSTATUS(WINAPI*)(LPCWSTR file, PHKEY key, REGSAM access, DWORD options, DWORD reserved);
extern LoadAppKeyFunction gLoadAppKey;

// The system's words for an error code, without the closing full stop.
std::string SystemMessage(LSTATUS status);

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace inventory
