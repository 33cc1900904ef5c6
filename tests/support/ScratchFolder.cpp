#include "ScratchFolder.h"

#include <windows.h>

#include <atomic>

#include "UniqueHandle.h"

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = temp + (L"quillmark_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++));
    RemoveAll();
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveAll();
}

void ScratchFolder::RemoveAll() const {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(File(L"*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        DeleteFileW(File(found.cFileName).c_str());
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    RemoveDirectoryW(path_.c_str());
}

std::string ScratchFolder::ReadBytes(const std::wstring& name) const {
    const UniqueFile file(CreateFileW(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}
