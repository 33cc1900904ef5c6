#include <windows.h>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ServiceScan.h"
#include "Text.h"

namespace {

const std::wstring kSep(56, L'\'');
const std::wstring kKeyPrefix = L"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\";
const std::wstring kDateLine = L"<date line>";

struct Reported {
    std::wstring name, description, displayName, imagePath;
};

std::vector<std::wstring> ServiceLines(const Reported& s) {
    return {kSep,
            kKeyPrefix + s.name,
            L"--Description: " + s.description,
            L"--DisplayName: " + s.displayName,
            L"--ImagePath: " + s.imagePath,
            kSep};
}

std::vector<std::wstring> Report(const std::vector<Reported>& services) {
    std::vector<std::wstring> lines{L"Scanning...", kDateLine, kSep};
    for (const Reported& s : services) {
        const auto more = ServiceLines(s);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    lines.insert(lines.end(), {L"Done, Scan Complete.", kSep});
    return lines;
}

// Date lines differ from run to run: each one that has the right shape
// becomes a placeholder.
std::vector<std::wstring> WithoutDates(std::vector<std::wstring> lines) {
    for (auto& line : lines)
        if (line.rfind(L"Date: ", 0) == 0 && line.find(L" Time: ") != std::wstring::npos && line.size() > 14)
            line = kDateLine;
    return lines;
}

std::vector<std::wstring> Wide(const std::vector<std::string>& lines) {
    std::vector<std::wstring> wide;
    for (const auto& line : lines) wide.push_back(FromAnsi(line));
    return wide;
}

std::wstring SystemRoot() {
    wchar_t root[MAX_PATH] = {};
    GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
    return root;
}

// While it lives, the user's short date format is `format`.
class ShortDateFormat {
public:
    explicit ShortDateFormat(const std::wstring& format) {
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_, static_cast<int>(std::size(old_)));
        EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format.c_str())) << GetLastError();
    }
    ~ShortDateFormat() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_); }
    ShortDateFormat(const ShortDateFormat&) = delete;
    ShortDateFormat& operator=(const ShortDateFormat&) = delete;

private:
    wchar_t old_[80] = {};
};

}  // namespace

// A format of the user's may give a text longer than any fixed buffer: 26
// era fields ("gg,") nearly fill the 80 characters a format may hold and
// give some 130. The date line carries them all.
TEST(ServiceScanDateLine, CarriesADateOfAnyLength) {
    std::wstring format;
    for (int i = 0; i < 26; ++i) format += L"gg,";
    const ShortDateFormat shortDate(format);
    const std::wstring line = ServiceScan::DateLine();
    const std::size_t end = line.find(L" Time: ");
    ASSERT_EQ(0u, line.find(L"Date: "));
    ASSERT_NE(std::wstring::npos, end) << testing::PrintToString(line);
    const std::wstring date = line.substr(6, end - 6);
    const std::wstring era = date.substr(0, date.find(L',') + 1);
    std::wstring expected;
    for (int i = 0; i < 26; ++i) expected += era;
    EXPECT_EQ(expected, date);
}

class ServiceScanTest : public ScanFixture {
protected:
    void AddTypicalServices() {
        AddService(L"AFD", "TDI", "Ancillary Function Driver", "AFD", "\\SystemRoot\\afd.sys");
        AddService(L"AFDx", "TDI", "Named like a hidden one", "AFDx", "afdx.sys");
        AddService(L"Dhcp", "TDI", "DHCP Client", "DHCP Client", "%SystemRoot%\\svchost.exe");
        AddService(L"Filter1", "TDI", "First filter", "Filter One", "%SystemRoot%\\drivers\\f1.sys");
        AddService(L"NetBT", "PNP_TDI", "NetBIOS over TCP/IP", "NetBT", "netbt.sys");
        AddService(L"Shield", "Streams Drivers");
        AddService(L"Tcpip", "PNP_TDI", "TCP/IP", "TCP/IP", "tcpip.sys");
        AddService(L"Zeta", nullptr, "No group at all", "Zeta", "zeta.sys");
    }

    const Reported afd{L"AFD", L"Ancillary Function Driver", L"AFD", L"\\SystemRoot\\afd.sys"};
    const Reported afdx{L"AFDx", L"Named like a hidden one", L"AFDx", L"afdx.sys"};
    const Reported dhcp{L"Dhcp", L"DHCP Client", L"DHCP Client", SystemRoot() + L"\\svchost.exe"};
    const Reported filter1{L"Filter1", L"First filter", L"Filter One", SystemRoot() + L"\\drivers\\f1.sys"};
    const Reported shield{L"Shield", L"", L"", L""};
};

TEST_F(ServiceScanTest, UntickedHidesTheListedServicesAndTheirNamesakes) {
    AddTypicalServices();
    Tick(BST_UNCHECKED);
    PressStart();
    EXPECT_EQ(Report({filter1, shield}), WithoutDates(BoxLines()));
    EXPECT_EQ(Report({filter1, shield}), WithoutDates(Wide(LogLines())));
    EXPECT_EQ(8, form->PB1().Max());
    EXPECT_EQ(8, form->PB1().Value());
}

TEST_F(ServiceScanTest, TickedShowsEveryNetworkService) {
    AddTypicalServices();
    Tick(BST_CHECKED);
    PressStart();
    EXPECT_EQ(Report({afd, afdx, dhcp, filter1, shield}), WithoutDates(BoxLines()));
}

TEST_F(ServiceScanTest, OnlyTheTwoGroupsInAnyCaseMakeANetworkService) {
    struct Row {
        const char* name;
        DWORD type;
        std::string group;
        bool network;
    };
    using namespace std::string_literals;
    const Row rows[] = {
        {"G01", REG_SZ, "tdi\0"s, true},
        {"G02", REG_SZ, "TDI\0"s, true},
        {"G03", REG_SZ, "tDi\0"s, true},
        {"G04", REG_SZ, "streams drivers\0"s, true},
        {"G05", REG_SZ, "STREAMS DRIVERS\0"s, true},
        {"G06", REG_EXPAND_SZ, "Streams Drivers\0"s, true},
        {"G07", REG_SZ, "PNP_TDI\0"s, false},
        {"G08", REG_SZ, "tdi \0"s, false},
        {"G09", REG_SZ, " tdi\0"s, false},
        {"G10", REG_SZ, "\0"s, false},
        {"G11", REG_SZ, "streams  drivers\0"s, false},
        {"G12", REG_MULTI_SZ, "tdi\0\0"s, false},
        {"G13", REG_BINARY, "tdi"s, false},
        {"G14", REG_DWORD, "\x01\x00\x00\x00"s, false},
        {"G15", REG_SZ, "tdix\0"s, false},
    };
    std::vector<Reported> expected;
    for (const Row& row : rows) {
        const std::wstring key = std::wstring(kServices) + L"\\" + FromAnsi(row.name);
        scratch.SetRaw(key, "Group", row.type, row.group.data(), static_cast<DWORD>(row.group.size()));
        if (row.network) expected.push_back({FromAnsi(row.name), L"", L"", L""});
    }
    PressStart();
    EXPECT_EQ(Report(expected), WithoutDates(BoxLines()));
}

TEST_F(ServiceScanTest, AnEmptyOrMissingServicesKeyGivesFiveLines) {
    for (bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "missing" : "empty");
        if (missing) scratch.DeleteTree(L"System");
        form->PB1().SetValue(33);
        PressStart();
        EXPECT_EQ(Report({}), WithoutDates(BoxLines()));
        EXPECT_EQ(0, form->PB1().Max());
        EXPECT_EQ(0, form->PB1().Value());
    }
}

TEST_F(ServiceScanTest, TheExclusionListIsWhatTheListHolds) {
    AddTypicalServices();
    HWND list = form->Control(IDC_LIST1);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    PressStart();
    EXPECT_EQ(Report({}), WithoutDates(BoxLines())) << "an empty entry matches every key path";

    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    PressStart();
    EXPECT_EQ(Report({afd, afdx, dhcp, filter1, shield}), WithoutDates(BoxLines())) << "an empty list excludes nothing";
}

TEST_F(ServiceScanTest, AGreyedCheckBoxShowsNothing) {
    AddTypicalServices();
    HWND check = form->Control(IDC_CHECK1);
    SetWindowLongW(check, GWL_STYLE, (GetWindowLongW(check, GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTO3STATE);
    Tick(BST_INDETERMINATE);
    ASSERT_EQ(BST_INDETERMINATE, SendMessageW(check, BM_GETCHECK, 0, 0));
    PressStart();
    EXPECT_EQ(Report({}), WithoutDates(BoxLines()));
}

TEST_F(ServiceScanTest, TheCheckBoxIsReadAtEachNetworkService) {
    AddTypicalServices();
    AddService(L"WZCSVC", "TDI", "Wireless", "WZC", "wzc.dll");
    Tick(BST_UNCHECKED);
    OnBoxLine tick(Text1(), kKeyPrefix + L"Filter1", [&] { Tick(BST_CHECKED); });
    PressStart();
    const Reported wzc{L"WZCSVC", L"Wireless", L"WZC", L"wzc.dll"};
    EXPECT_EQ(Report({filter1, shield, wzc}), WithoutDates(BoxLines()));
}

TEST_F(ServiceScanTest, AServiceThatVanishesMidScanGivesEmptyTexts) {
    AddTypicalServices();
    OnBoxLine remove(Text1(), kKeyPrefix + L"Filter1",
                     [&] { scratch.DeleteTree(std::wstring(kServices) + L"\\Filter1"); });
    PressStart();
    ASSERT_TRUE(remove.Fired());
    EXPECT_EQ(Report({{L"Filter1", L"", L"", L""}, shield}), WithoutDates(BoxLines()));
}

TEST_F(ServiceScanTest, APressDuringARunStartsANestedRun) {
    AddTypicalServices();
    // The second press arrives while the first run is writing Filter1's key
    // line; it runs whole inside that line's yields.
    OnBoxLine press(Text1(), kKeyPrefix + L"Filter1", [&] {
        PostMessageW(form->hWnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form->Control(IDC_COMMAND1)));
    });
    PressStart();
    ASSERT_TRUE(press.Fired());

    const auto inner = Report({filter1, shield});
    const auto filterLines = ServiceLines(filter1);
    std::vector<std::wstring> box = inner;  // the inner run cleared the box
    box.insert(box.end(), filterLines.begin() + 2, filterLines.end());
    const auto shieldLines = ServiceLines(shield);
    box.insert(box.end(), shieldLines.begin(), shieldLines.end());
    box.insert(box.end(), {L"Done, Scan Complete.", kSep});
    EXPECT_EQ(box, WithoutDates(BoxLines()));

    std::vector<std::wstring> log{L"Scanning...", kDateLine, kSep, kSep, kKeyPrefix + L"Filter1"};
    log.insert(log.end(), inner.begin(), inner.end());
    log.insert(log.end(), box.begin() + static_cast<std::ptrdiff_t>(inner.size()), box.end());
    EXPECT_EQ(log, WithoutDates(Wide(LogLines())));
    EXPECT_EQ(8, form->PB1().Value());
}
