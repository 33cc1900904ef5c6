#pragma once

#include <string>

// A folder of the test's own below the temporary folder, removed with its
// files at the end (and at the start: a killed run may have left it).
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const noexcept { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // The bytes of a file in the folder ("" when it cannot be read).
    std::string ReadBytes(const std::wstring& name) const;

private:
    void RemoveAll() const;

    std::wstring path_;
};
