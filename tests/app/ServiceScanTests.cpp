#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "AppFixture.h"
#include "ReportOracle.h"
#include "ServiceScan.h"

using ServiceScanTest = ScanFixture;

// Seeded random services trees (1 to 60, 1 to QUILLMARK_SOAK_TREES for a soak
// run, or the one seed QUILLMARK_SEED names to replay a failure: see
// DEVELOPERS.md) against the oracle, the check box unticked, ticked and greyed
// by turns: ticking "Show Microsoft Services" shows the hidden services, a
// greyed box shows none. The hidden services are the exclusion list's: any
// key path that begins with an entry, so that an empty entry hides all and an
// empty list none. The bar takes a step per key.
TEST_F(ServiceScanTest, ReportsWhatTheOracleExpectsOfRandomTrees) {
    const char *one = std::getenv("QUILLMARK_SEED"), *soak = std::getenv("QUILLMARK_SOAK_TREES");
    const int first = one ? std::atoi(one) : 1, last = one ? first : soak ? std::atoi(soak) : 60;
    const HWND list = form->Control(IDC_LIST1), check = form->Control(IDC_CHECK1);
    SetWindowLongW(check, GWL_STYLE, (GetWindowLongW(check, GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTO3STATE);
    std::vector<GeneratedService> stored;
    const auto scan = [&](int tick, bool none, bool all) {
        Tick(tick);
        DeleteFileW(folder.File(FrmMain::kLogFileName).c_str());
        PressStart();
        const std::string date = DateLine();
        EXPECT_EQ(0u, date.rfind("Date: ", 0)) << date;
        const ExpectedReport expected =
            ReportOf(none ? std::vector<GeneratedService>() : stored, scratch, kServices, all, date);
        EXPECT_EQ(expected.box, WindowText(Box()));
        EXPECT_EQ(expected.log, LogBytes());
        EXPECT_EQ(expected.keys, form->PB1().Max());
        EXPECT_EQ(expected.keys, form->PB1().Value());
    };
    for (int seed = first; seed <= last && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        scratch.DeleteTree(kServices);
        scratch.CreateKey(kServices);
        stored = ServicesGenerator::Write(ServicesGenerator(seed).Generate(), scratch, kServices);
        scan(seed % 3, seed % 3 == BST_INDETERMINATE, seed % 3 == BST_CHECKED);
    }
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    scan(BST_UNCHECKED, true, false);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    scan(BST_UNCHECKED, false, true);
    scratch.DeleteTree(L"System");
    form->PB1().SetValue(33);
    scan(BST_UNCHECKED, true, false);
}

// A user's format may give a date longer than any fixed buffer: 26 era fields
// ("gg,") nearly fill the 80 characters a format may hold and give some 130.
TEST(ServiceScanDateLine, CarriesADateOfAnyLength) {
    wchar_t saved[80] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    std::wstring format;
    for (int i = 0; i < 26; ++i) format += L"gg,";
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format.c_str()));
    const std::wstring line = ServiceScan::DateLine();
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    const std::wstring date = line.substr(6, line.find(L" Time: ") - 6), era = date.substr(0, date.find(L',') + 1);
    ASSERT_GT(era.size(), 1u) << testing::PrintToString(line);
    std::wstring expected = L"Date: ";
    for (int i = 0; i < 26; ++i) expected += era;
    EXPECT_EQ(expected + L" Time: ", line.substr(0, expected.size() + 7));
}
