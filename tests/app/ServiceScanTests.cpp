#include <windows.h>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ServiceScan.h"
#include "Text.h"

namespace {

const std::wstring kSep(56, L'\'');
const std::wstring kKey = L"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\";

struct Reported {
    std::wstring name, description, displayName, imagePath;
};

// The report's lines, its date line as "<date>".
std::vector<std::wstring> Report(const std::vector<Reported>& services) {
    std::vector<std::wstring> lines{L"Scanning...", L"<date>", kSep};
    for (const Reported& s : services)
        lines.insert(lines.end(), {kSep, kKey + s.name, L"--Description: " + s.description,
                                   L"--DisplayName: " + s.displayName, L"--ImagePath: " + s.imagePath, kSep});
    lines.insert(lines.end(), {L"Done, Scan Complete.", kSep});
    return lines;
}

// The lines with each date line, which differs from run to run, as "<date>".
std::vector<std::wstring> WithoutDates(std::vector<std::wstring> lines) {
    for (auto& line : lines)
        if (line.rfind(L"Date: ", 0) == 0 && line.find(L" Time: ") != std::wstring::npos) line = L"<date>";
    return lines;
}

}  // namespace

using ServiceScanTest = ScanFixture;

// The hidden services are the exclusion list's: any key path that begins
// with an entry; ticking "Show Microsoft Services" shows them, a greyed box
// shows nothing.
TEST_F(ServiceScanTest, ReportsTheNetworkServicesTheCheckBoxAndTheListLetThrough) {
    AddService(L"AFD", "TDI", "Ancillary Function Driver", "AFD", "afd.sys");
    AddService(L"AFDx", "tdi", "Named like a hidden one", "AFDx", "afdx.sys");
    AddService(L"Dhcp", "TDI", "DHCP Client", "DHCP Client", "%SystemRoot%");
    AddService(L"Filter1", "TDI", "First filter", "Filter One", "f1.sys");
    AddService(L"NetBT", "PNP_TDI", "NetBIOS over TCP/IP", "NetBT", "netbt.sys");
    AddService(L"Shield", "Streams Drivers");
    AddService(L"Zeta", nullptr, "No group at all", "Zeta", "zeta.sys");
    wchar_t root[MAX_PATH] = {};
    GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
    const Reported afd{L"AFD", L"Ancillary Function Driver", L"AFD", L"afd.sys"},
        afdx{L"AFDx", L"Named like a hidden one", L"AFDx", L"afdx.sys"},
        dhcp{L"Dhcp", L"DHCP Client", L"DHCP Client", root},
        filter1{L"Filter1", L"First filter", L"Filter One", L"f1.sys"}, shield{L"Shield", L"", L"", L""};
    const HWND list = form->Control(IDC_LIST1);
    const HWND check = form->Control(IDC_CHECK1);
    SetWindowLongW(check, GWL_STYLE, (GetWindowLongW(check, GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTO3STATE);
    struct Row {
        const char* what;
        int tick;
        std::function<void()> list;
        std::vector<Reported> shown;
    };
    const Row rows[] = {
        {"unticked", BST_UNCHECKED, [] {}, {filter1, shield}},
        {"ticked", BST_CHECKED, [] {}, {afd, afdx, dhcp, filter1, shield}},
        {"greyed", BST_INDETERMINATE, [] {}, {}},
        {"an empty entry matches every key path",
         BST_UNCHECKED,
         [&] { SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"")); },
         {}},
        {"an empty list excludes nothing",
         BST_UNCHECKED,
         [&] { SendMessageW(list, LB_RESETCONTENT, 0, 0); },
         {afd, afdx, dhcp, filter1, shield}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DeleteFileW(folder.File(FrmMain::kLogFileName).c_str());
        Tick(row.tick);
        row.list();
        PressStart();
        EXPECT_EQ(Report(row.shown), WithoutDates(BoxLines()));
        EXPECT_EQ(Report(row.shown), WithoutDates(LogLines()));
        EXPECT_EQ(7, form->PB1().Max());
        EXPECT_EQ(7, form->PB1().Value());
    }
    scratch.DeleteTree(L"System");
    form->PB1().SetValue(33);
    PressStart();
    EXPECT_EQ(Report({}), WithoutDates(BoxLines())) << "no services key";
    EXPECT_EQ(0, form->PB1().Max() + form->PB1().Value());
}
