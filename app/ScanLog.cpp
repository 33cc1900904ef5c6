#include "ScanLog.h"

#include <algorithm>

#include "MessagePump.h"
#include "Text.h"
#include "UniqueHandle.h"

namespace {

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

}  // namespace

ScanLog::ScanLog(HWND outputBox, std::wstring logPath) : outputBox_(outputBox), logPath_(std::move(logPath)) {}

void ScanLog::AddToLogs(const std::wstring& sMsg) {
    const std::wstring line = sMsg;
    DoEvents();
    AppendToFile(line);
    DoEvents();
    AppendToBox(line);
    DoEvents();
}

std::wstring ScanLog::BoxText(const std::wstring& line) {
    std::wstring text = line;
    std::replace(text.begin(), text.end(), L'\0', L' ');
    return text;
}

void ScanLog::AppendToFile(const std::wstring& line) const {
    UniqueFile file(CreateFileW(logPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string bytes = ToAnsi(line) + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void ScanLog::AppendToBox(const std::wstring& line) const {
    const std::wstring current = WindowText(outputBox_);
    const std::wstring text = current.empty() ? BoxText(line) : current + L"\r\n" + BoxText(line);
    SetWindowTextW(outputBox_, text.c_str());
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(outputBox_));
    SendMessageW(outputBox_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(outputBox_, EM_SCROLLCARET, 0, 0);
}
