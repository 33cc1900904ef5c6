#include "BuiltProgram.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ProgramFile.h"

namespace {

std::string ReadAndDelete(const std::wstring& path) {
    std::string bytes;
    {
        std::ifstream file(std::filesystem::path(path), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), {});
    }
    DeleteFileW(path.c_str());
    return bytes;
}

}  // namespace

std::wstring BuiltProgramPath(const std::wstring& file) {
    return ProgramFolder() + L"\\..\\..\\" + file;
}

BuiltProgramRun RunBuiltProgram(const std::wstring& file, const std::wstring& arguments) {
    static int runs = 0;
    const std::wstring name =
        ProgramFolder() + L"\\run" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++runs);
    BuiltProgramRun run;
    run.status = _wsystem(
        (L"\"\"" + BuiltProgramPath(file) + L"\" " + arguments + L" >\"" + name + L".out\" 2>\"" + name + L".err\"\"")
            .c_str());
    run.out = ReadAndDelete(name + L".out");
    run.err = ReadAndDelete(name + L".err");
    return run;
}
