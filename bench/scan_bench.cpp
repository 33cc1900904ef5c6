// Scan benchmark: builds synthetic services registries under a scratch key,
// points HKEY_LOCAL_MACHINE at them and runs the real window's real scan,
// shown on the display. For each size it prints the scan's wall time, a bare
// loop doing only the scan's registry reads on the same keys, the platform's
// "reg.exe query /s" on the same key, and the cost of an output line at the
// start and at the end of the report.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FrmMain.h"
#include "MessagePump.h"
#include "ServiceScan.h"
#include "Text.h"
#include "UniqueHandle.h"
#include "cRegistry.h"

namespace {

constexpr wchar_t kBenchRoot[] = L"Software\\QuillmarkBench";

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

void SetText(HKEY key, const char* name, const std::string& text, DWORD type = REG_SZ) {
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

// services keys, `reported` of them in group TDI, spread evenly.
void BuildServices(HKEY services, int count, int reported) {
    const char* otherGroups[] = {"NDIS", "PNP_TDI", "Network", nullptr, "Base", "Extended Base"};
    const int step = count / reported;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Svc%05d", i);
        UniqueHKey key;
        RegCreateKeyExA(services, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
        const bool network = i % step == step / 2 && i / step < reported;
        const char* group = network ? "TDI" : otherGroups[i % 6];
        if (group) SetText(key.get(), "Group", group);
        SetText(key.get(), "Description", std::string("Synthetic service number ") + name + " for the benchmark");
        SetText(key.get(), "DisplayName", std::string("Benchmark ") + name);
        SetText(key.get(), "ImagePath", std::string(R"(%SystemRoot%\system32\drivers\)") + name + ".sys",
                REG_EXPAND_SZ);
    }
}

// Only the registry work of a scan: enumerate, read Group, and the three
// values of each network service.
double BareLoop() {
    const double start = Now();
    cRegistry enumerator;
    enumerator.SetClassKey(cRegistry::kHKeyLocalMachine);
    enumerator.SetSectionKey(ServiceScan::kServicesKey);
    NameList names;
    std::int32_t count = 0;
    enumerator.EnumerateSections(names, count);
    cRegistry reader;
    auto read = [&](const std::wstring& name, const wchar_t* value) {
        reader.SetClassKey(cRegistry::kHKeyLocalMachine);
        reader.SetSectionKey(std::wstring(ServiceScan::kServicesKey) + L"\\" + name);
        reader.SetValueKey(value);
        reader.SetValueType(REG_SZ);
        return reader.Value().ToText();
    };
    for (const std::wstring& name : names) {
        const std::wstring group = LowerCase(read(name, L"Group"));
        if (group != L"tdi" && group != L"streams drivers") continue;
        for (const wchar_t* value : {L"Description", L"DisplayName", L"ImagePath"}) read(name, value);
    }
    return Now() - start;
}

double RegQuery(const std::wstring& keyPath) {
    std::wstring command = L"reg.exe query \"HKCU\\" + keyPath + L"\" /s";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueFile nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.get();
    startup.hStdError = nul.get();
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    const double elapsed = Now() - start;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

// Wine answers 0 for private bytes; the working set is what it counts.
std::size_t MemoryInUse() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

// When each line reaches the output box, and the memory then in use.
struct LineClock {
    std::vector<double> times;
    std::vector<std::size_t> memory;

    static LRESULT CALLBACK Watch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (msg == WM_SETTEXT || msg == EM_REPLACESEL) {
            auto* self = reinterpret_cast<LineClock*>(data);
            self->times.push_back(Now());
            self->memory.push_back(MemoryInUse());
        }
        return result;
    }
};

double MeanInterval(const std::vector<double>& times, std::size_t first, std::size_t last) {
    return (times[last] - times[first]) / static_cast<double>(last - first);
}

std::wstring BoxText(HWND box) {
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), length + 1)));
    return text;
}

std::string FileBytes(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
    return bytes;
}

void RunSize(int count, int reported) {
    const std::wstring root = std::wstring(kBenchRoot) + L"\\" + std::to_wstring(count);
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
    UniqueHKey rootKey, services;
    RegCreateKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, rootKey.put(), nullptr);
    RegCreateKeyExW(rootKey.get(), ServiceScan::kServicesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, services.put(),
                    nullptr);
    BuildServices(services.get(), count, reported);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, rootKey.get());

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"quillmark_bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    const auto form = FrmMain::Create(GetModuleHandleW(nullptr), folder);
    DeleteFileW(form->LogPath().c_str());
    DoEvents();

    const double bare = BareLoop();
    const double regExe = RegQuery(root + L"\\" + ServiceScan::kServicesKey);

    LineClock clock;
    HWND box = form->Control(IDC_TEXT1);
    SetWindowSubclass(box, &LineClock::Watch, 1, reinterpret_cast<DWORD_PTR>(&clock));
    const double start = Now();
    form->Command1_Click();
    const double scan = Now() - start;
    RemoveWindowSubclass(box, &LineClock::Watch, 1);

    const std::size_t lines = clock.times.size();
    const std::size_t window = std::min<std::size_t>(100, lines / 2);
    const double firstLines = MeanInterval(clock.times, 0, window);
    const double lastLines = MeanInterval(clock.times, lines - 1 - window, lines - 1);
    const bool boxEqualsLog = ToAnsi(BoxText(box)) + "\r\n" == FileBytes(form->LogPath());

    std::printf(
        "%6d services, %4d reported: scan %8.3f s | bare registry loop %7.3f s (scan/bare %5.1f) | "
        "reg.exe query /s %7.3f s\n",
        count, reported, scan, bare, scan / bare, regExe);
    std::printf(
        "       %zu lines; per line: first %zu %7.3f ms, last %zu %7.3f ms (last/first %4.2f); "
        "memory at first/last line %.1f / %.1f MB (box text %.1f MB); box text == log bytes: %s\n",
        lines, window, firstLines * 1e3, window, lastLines * 1e3, lastLines / firstLines,
        static_cast<double>(clock.memory.front()) / 1048576.0, static_cast<double>(clock.memory.back()) / 1048576.0,
        static_cast<double>(GetWindowTextLengthW(box)) * sizeof(wchar_t) / 1048576.0, boxEqualsLog ? "yes" : "NO");
    std::fflush(stdout);

    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    services.reset();
    rootKey.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

}  // namespace

// With arguments, only the sizes named (700, 5000, 20000).
int main(int argc, char** argv) {
    OleInitialize(nullptr);
    const std::pair<int, int> sizes[] = {{700, 11}, {5000, 250}, {20000, 1000}};
    for (const auto& [count, reported] : sizes) {
        bool wanted = argc == 1;
        for (int i = 1; i < argc; ++i) wanted |= std::atoi(argv[i]) == count;
        if (wanted) RunSize(count, reported);
    }
    OleUninitialize();
    return 0;
}
