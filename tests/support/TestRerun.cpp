#include "TestRerun.h"

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"
#include "Text.h"
#include "UniqueHandle.h"

namespace {

constexpr wchar_t kRerunVariable[] = L"QUILLMARK_TEST_RERUN";
constexpr char kUtf8Manifest[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly manifestVersion=\"1.0\" xmlns=\"urn:schemas-microsoft-com:asm.v1\">\r\n"
    "  <application>\r\n"
    "    <windowsSettings>\r\n"
    "      <activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>\r\n"
    "    </windowsSettings>\r\n"
    "  </application>\r\n"
    "</assembly>\r\n";
constexpr DWORD kRerunTimeoutMs = 60000;

std::wstring ThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

DWORD RerunCurrentTestUnderUtf8() {
    const ScratchFolder folder;
    // An application manifest beside the program is named after it.
    const std::wstring copy = folder.File(L"utf8.exe");
    if (!CopyFileW(ThisProgram().c_str(), copy.c_str(), TRUE) || !WriteFileBytes(copy + L".manifest", kUtf8Manifest)) {
        ADD_FAILURE() << "could not set up the UTF-8 copy of the program: " << GetLastError();
        return ERROR_FILE_NOT_FOUND;
    }
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring command = L"\"" + copy + L"\" --gtest_color=no --gtest_brief=1 --gtest_filter=" +
                           FromAnsi(test->test_suite_name()) + L"." + FromAnsi(test->name());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    SetEnvironmentVariableW(kRerunVariable, L"1");
    const BOOL started =
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableW(kRerunVariable, nullptr);
    if (!started) {
        ADD_FAILURE() << "could not start the rerun: " << GetLastError();
        return ERROR_FILE_NOT_FOUND;
    }
    const UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    DWORD code = WAIT_TIMEOUT;
    if (WaitForSingleObject(process.get(), kRerunTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.get(), &code);
    else
        TerminateProcess(process.get(), code);
    return code;
}

bool InRerun() {
    return GetEnvironmentVariableW(kRerunVariable, nullptr, 0) > 0;
}
