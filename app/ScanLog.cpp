#include "ScanLog.h"

#include <algorithm>

#include "MessagePump.h"
#include "Text.h"
#include "UniqueHandle.h"

ScanLog::ScanLog(HWND outputBox, std::wstring logPath) : outputBox_(outputBox), logPath_(std::move(logPath)) {
    // The box holds every line of a report, however long: the platform's
    // largest limit, not the 32K characters an edit control starts with.
    SendMessageW(outputBox_, EM_SETLIMITTEXT, 0, 0);
}

void ScanLog::AddToLogs(const std::wstring& sMsg) {
    // The yields run other code (a second scan, say), which may change the
    // caller's text: the line is taken before the first of them.
    const std::wstring line = sMsg;  // NOLINT(performance-unnecessary-copy-initialization)
    DoEvents();
    AppendToFile(line);
    DoEvents();
    AppendToBox(line);
    DoEvents();
}

void ScanLog::ClearBox() const {
    SetWindowTextW(outputBox_, L"");
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

// Appends at the end of the box instead of replacing its whole text, so a
// line costs the same however long the report already is. The box then
// reads as if its text had been replaced by text + CR LF + line.
void ScanLog::AppendToBox(const std::wstring& line) const {
    const auto length = static_cast<WPARAM>(GetWindowTextLengthW(outputBox_));
    if (length == 0) {
        SetWindowTextW(outputBox_, BoxText(line).c_str());
    } else {
        const std::wstring tail = L"\r\n" + BoxText(line);
        SendMessageW(outputBox_, EM_SETSEL, length, static_cast<LPARAM>(length));
        SendMessageW(outputBox_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(tail.c_str()));
    }
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(outputBox_));
    SendMessageW(outputBox_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(outputBox_, EM_SCROLLCARET, 0, 0);
}
