#include "ScratchFolder.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             (L"quillmark_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++)))
                .wstring();
    RemoveAll();
    std::filesystem::create_directory(path_);
}

ScratchFolder::~ScratchFolder() {
    RemoveAll();
}

void ScratchFolder::RemoveAll() const {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::ReadBytes(const std::wstring& name) const {
    std::ifstream file(std::filesystem::path(File(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
