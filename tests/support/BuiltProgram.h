#pragma once

#include <string>

// A program of the build beside the test programs (build/<arch>/<file>, two
// folders above tests/<subsystem>/), run through the command interpreter
// with its standard output and error in files of their own: under Wine a
// file a child wrote may still be held just after it ends.
struct BuiltProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};
BuiltProgramRun RunBuiltProgram(const std::wstring& file, const std::wstring& arguments);

// The program's full path.
std::wstring BuiltProgramPath(const std::wstring& file);
