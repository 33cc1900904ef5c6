#pragma once

#include <windows.h>

#include <string>

class ScanLog;
class cProgressBar;
class cRegistry;

// One run of the service scan, started by the Start button: lists the
// services below HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services,
// keeps those in a network transport group ("tdi", "streams drivers"), leaves
// out those of the exclusion list unless "Show Microsoft Services" is ticked,
// and reports each through the scan log. It yields to the message loop after
// nearly every step, so a second run may start and finish inside one of its
// yields.
class ServiceScan {
public:
    static constexpr wchar_t kServicesKey[] = L"System\\CurrentControlSet\\Services";
    static constexpr wchar_t kSeparator[] = L"''''''''''''''''''''''''''''''''''''''''''''''''''''''''";

    // What a run touches of the window: the scan log (the output box and
    // the log file), the progress bar, the list box that holds the
    // exclusion list and the "Show Microsoft Services" check box.
    ServiceScan(ScanLog& log, cProgressBar& progress, HWND exclusionList, HWND showMicrosoftServices) noexcept
        : log_(log),
          progress_(progress),
          exclusionList_(exclusionList),
          showMicrosoftServices_(showMicrosoftServices) {}

    void Run();

    // "Date: <short date> Time: <time of day>" as the user's locale formats them.
    static std::wstring DateLine();

private:
    std::wstring ReadText(cRegistry& reader, const std::wstring& serviceName, const wchar_t* valueName);
    bool IsExcluded(const cRegistry& reader);
    bool IsShown(bool excluded);
    void Write(const std::wstring& line);

    ScanLog& log_;
    cProgressBar& progress_;
    HWND exclusionList_;
    HWND showMicrosoftServices_;
};
