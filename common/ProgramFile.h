#pragma once

#include <string>

// The folder that holds the running program, as the platform reports it
// (no trailing separator, except for a drive's root such as "C:\").
std::wstring ProgramFolder();

// The running program's file name without its extension ("quillmark").
std::wstring ProgramName();

// folder + "\" + file name, with exactly one separator between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& fileName);
