#pragma once

#include <string>

class FrmMain;
class cRegistry;

// One run of the service scan, started by the Start button: lists the
// services below HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services,
// keeps those in a network transport group ("tdi", "streams drivers"), leaves
// out those of the window's exclusion list unless "Show Microsoft Services"
// is ticked, and reports each through the window's AddToLogs. It yields to
// the message loop after nearly every step, so a second run may start and
// finish inside one of its yields.
class ServiceScan {
public:
    static constexpr wchar_t kServicesKey[] = L"System\\CurrentControlSet\\Services";
    static constexpr wchar_t kSeparator[] = L"''''''''''''''''''''''''''''''''''''''''''''''''''''''''";

    explicit ServiceScan(FrmMain& form) : form_(form) {}

    void Run();

    // "Date: <short date> Time: <time of day>" as the user's locale formats them.
    static std::wstring DateLine();

private:
    std::wstring ReadText(cRegistry& reader, const std::wstring& serviceName, const wchar_t* valueName);
    bool IsExcluded(const cRegistry& reader);
    bool IsShown(bool excluded);
    void Write(const std::wstring& line);

    FrmMain& form_;
};
