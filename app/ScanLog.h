#pragma once

#include <windows.h>

#include <string>

// The scan's output path: every line goes to the log file (appended as 8-bit
// text, each line ended by CR LF) and then to the output box, whose caret is
// kept at the end. The file is opened and closed for each line; a file that
// cannot be written loses the line from the file only, never from the box.
class ScanLog {
public:
    ScanLog(HWND outputBox, std::wstring logPath);

    void AddToLogs(const std::wstring& sMsg);
    // Empties the output box; the log file keeps what it holds.
    void ClearBox() const;

    const std::wstring& LogPath() const noexcept { return logPath_; }

    // How a line shows in the output box: the box cannot hold zero
    // characters (they would cut its text short), so each shows as a blank.
    static std::wstring BoxText(const std::wstring& line);

private:
    void AppendToFile(const std::wstring& line) const;
    void AppendToBox(const std::wstring& line) const;

    HWND outputBox_;
    std::wstring logPath_;
};
