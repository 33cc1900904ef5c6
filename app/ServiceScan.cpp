#include "ServiceScan.h"

#include <windows.h>

#include <exception>

#include "MessagePump.h"
#include "ScanLog.h"
#include "Text.h"
#include "cProgressBar.h"
#include "cRegistry.h"

namespace {

// Every failure inside a run is ignored and the run goes on with its next step.
template <typename Step>
void Try(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

// The date or the time as the user's format gives it, however long; empty
// when the platform cannot format it.
std::wstring Formatted(int(WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int), DWORD flags,
                       const SYSTEMTIME& when) {
    const int needed = format(LOCALE_USER_DEFAULT, flags, &when, nullptr, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    const int written = format(LOCALE_USER_DEFAULT, flags, &when, nullptr, text.data(), needed);
    text.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
    return text;
}

int ListCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

std::wstring ListItem(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    item.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return item;
}

}  // namespace

std::wstring ServiceScan::DateLine() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return L"Date: " + Formatted(GetDateFormatW, DATE_SHORTDATE, now) + L" Time: " + Formatted(GetTimeFormatW, 0, now);
}

void ServiceScan::Run() {
    Try([&] { log_.ClearBox(); });
    DoEvents();
    Write(L"Scanning...");
    Write(DateLine());
    Write(kSeparator);

    cRegistry enumerator;
    NameList names;
    std::int32_t count = 0;
    enumerator.SetClassKey(cRegistry::kHKeyLocalMachine);
    enumerator.SetSectionKey(kServicesKey);
    Try([&] { enumerator.EnumerateSections(names, count); });

    Try([&] { progress_.SetValue(0); });
    Try([&] { progress_.SetMax(count); });
    DoEvents();

    cRegistry reader;
    for (std::int32_t i = 1; i <= count; ++i) {
        std::wstring name;
        Try([&] { name = names.Item(i); });
        const std::wstring group = LowerCase(ReadText(reader, name, L"Group"));
        if (group == L"streams drivers" || group == L"tdi") {
            const bool excluded = IsExcluded(reader);
            if (IsShown(excluded)) {
                Write(kSeparator);
                Write(L"HKEY_LOCAL_MACHINE\\" + reader.SectionKey());
                Write(L"--Description: " + ReadText(reader, name, L"Description"));
                Write(L"--DisplayName: " + ReadText(reader, name, L"DisplayName"));
                Write(L"--ImagePath: " + ReadText(reader, name, L"ImagePath"));
                Write(kSeparator);
            }
        }
        Try([&] { progress_.SetValue(i); });
        DoEvents();
    }

    Try([&] { progress_.SetValue(progress_.Max()); });
    DoEvents();
    Write(L"Done, Scan Complete.");
    Write(kSeparator);
}

std::wstring ServiceScan::ReadText(cRegistry& reader, const std::wstring& serviceName, const wchar_t* valueName) {
    std::wstring text;
    Try([&] {
        reader.SetClassKey(cRegistry::kHKeyLocalMachine);
        reader.SetSectionKey(std::wstring(kServicesKey) + L"\\" + serviceName);
        reader.SetValueKey(valueName);
        reader.SetValueType(REG_SZ);
        text = reader.Value().ToText();
    });
    return text;
}

// Whether the service's key path begins (ignoring case) with an item of the
// window's exclusion list.
bool ServiceScan::IsExcluded(const cRegistry& reader) {
    bool excluded = false;
    const int items = ListCount(exclusionList_);
    for (int j = 0; j < items; ++j) {
        std::wstring entry;
        DoEvents();
        Try([&] { entry = LowerCase(ListItem(exclusionList_, j)); });
        DoEvents();
        std::wstring keyText;
        DoEvents();
        Try([&] { keyText = LowerCase(reader.SectionKey()); });
        DoEvents();
        if (keyText.substr(0, entry.size()) == entry) {
            excluded = true;
            DoEvents();
            break;
        }
    }
    return excluded;
}

// Reads the check box once for each side of the test, as the state may be
// 0 (unticked), 1 (ticked) or 2 (greyed).
bool ServiceScan::IsShown(bool excluded) {
    const LRESULT first = SendMessageW(showMicrosoftServices_, BM_GETCHECK, 0, 0);
    const LRESULT second = SendMessageW(showMicrosoftServices_, BM_GETCHECK, 0, 0);
    return first == BST_CHECKED || (second == BST_UNCHECKED && !excluded);
}

void ServiceScan::Write(const std::wstring& line) {
    Try([&] { log_.AddToLogs(line); });
    DoEvents();
}
