#include "BuiltProgram.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::wstring TestFolder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path(self);
    return path.substr(0, path.rfind(L'\\'));
}

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
    return TestFolder() + L"\\..\\..\\" + file;
}

BuiltProgramRun RunBuiltProgram(const std::wstring& file, const std::wstring& arguments) {
    static int runs = 0;
    const std::wstring name =
        TestFolder() + L"\\run" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++runs);
    BuiltProgramRun run;
    run.status = _wsystem(
        (L"\"\"" + BuiltProgramPath(file) + L"\" " + arguments + L" >\"" + name + L".out\" 2>\"" + name + L".err\"\"")
            .c_str());
    run.out = ReadAndDelete(name + L".out");
    run.err = ReadAndDelete(name + L".err");
    return run;
}
