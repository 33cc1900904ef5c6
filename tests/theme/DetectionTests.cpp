// Theme detection and start-up: InitThemeSupport, IsComCtl6Loaded, pvIsThemed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <string>
#include <vector>

#include "Error.h"
#include "ErrorRecorder.h"
#include "ScopedThemePlatform.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;

namespace {

// Every test starts from a process whose start-up has not run yet.
class InitThemeSupportTest : public testing::Test {
protected:
    void SetUp() override {
        ResetInitThemeSupport();
        platform_.RecordStartupCalls();
    }
    void TearDown() override { ResetInitThemeSupport(); }

    ScopedThemePlatform platform_;
};

const std::vector<std::string> kStartupCalls{"LoadLibraryA shell32.dll", "InitCommonControlsEx size 8 classes 512"};

TEST_F(InitThemeSupportTest, Version5LoadsAndInitialisesNothingButSetsTheFlag) {
    platform_.SetComCtlVersion(5, 81);
    InitThemeSupport();
    EXPECT_TRUE(ScopedThemePlatform::CallLog().empty()) << "first call: " << ScopedThemePlatform::CallLog().front();
    EXPECT_TRUE(InitThemeSupportDone());
    EXPECT_EQ(1, ScopedThemePlatform::VersionQueries());

    // Even with version 6 now, a second call returns at once.
    platform_.SetComCtlVersion(6);
    InitThemeSupport();
    EXPECT_EQ(1, ScopedThemePlatform::VersionQueries()) << "the second call asked for the version again";
    EXPECT_TRUE(ScopedThemePlatform::CallLog().empty());
}

class InitThemeSupportVersionTest : public InitThemeSupportTest, public testing::WithParamInterface<DWORD> {};

TEST_P(InitThemeSupportVersionTest, LoadsShell32BeforeTheOneInitialisation) {
    platform_.SetComCtlVersion(GetParam());
    InitThemeSupport();
    InitThemeSupport();
    InitThemeSupport();
    EXPECT_EQ(kStartupCalls, ScopedThemePlatform::CallLog());
    EXPECT_EQ(1, ScopedThemePlatform::VersionQueries());
    EXPECT_TRUE(InitThemeSupportDone());
    EXPECT_NE(nullptr, GetModuleHandleA("shell32.dll")) << "the real load did not happen";
}

INSTANTIATE_TEST_SUITE_P(MajorVersions, InitThemeSupportVersionTest, testing::Values(6u, 7u));

TEST(IsComCtl6LoadedTest, AnswersMajorVersionSixOrLaterFromAFreshRecord) {
    ScopedThemePlatform platform;
    ErrorRecorder errors;
    struct Row {
        DWORD major, minor;
        bool expected;
    };
    for (const Row& row : {Row{5, 81, false}, Row{4, 72, false}, Row{6, 0, true}, Row{6, 10, true}, Row{7, 0, true}}) {
        SCOPED_TRACE(std::to_string(row.major) + "." + std::to_string(row.minor));
        platform.SetComCtlVersion(row.major, row.minor);
        EXPECT_EQ(row.expected, IsComCtl6Loaded());
        const DLLVERSIONINFO handed = ScopedThemePlatform::LastVersionRecord();
        EXPECT_EQ(20u, handed.cbSize);
        EXPECT_EQ(0u, handed.dwMajorVersion | handed.dwMinorVersion | handed.dwBuildNumber | handed.dwPlatformID)
            << "the record was not cleared before the query";
    }
    // Not cached: each call asks afresh.
    EXPECT_EQ(5, ScopedThemePlatform::VersionQueries());
    EXPECT_TRUE(errors.Names().empty());
}

TEST(IsComCtl6LoadedTest, AFailingQueryGoesToTheHookAndAnswersFalse) {
    ScopedThemePlatform platform;
    ErrorRecorder errors;
    platform.FailVersionQuery();
    EXPECT_FALSE(IsComCtl6Loaded());
    ASSERT_EQ(std::vector<std::string>{"IsComCtl6Loaded"}, errors.Names());
    EXPECT_NE(std::wstring::npos, errors.Descriptions().front().find(L"DllGetVersion"));
}

TEST(IsComCtl6LoadedTest, WithoutTheSeamTheTestProgramSeesVersion5) {
    // The test program carries no manifest: on Windows as under Wine (whose
    // version 6 also answers 5.81) the real answer is version 5.
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "DllGetVersion")));
    ASSERT_NE(nullptr, getVersion);
    getVersion(&version);
    EXPECT_EQ(5u, version.dwMajorVersion);
    EXPECT_FALSE(IsComCtl6Loaded());
}

TEST(PvIsThemedTest, AnswersTrueOnlyWhenAllThreeTestsPass) {
    ScopedThemePlatform platform;
    ErrorRecorder errors;
    struct Row {
        const char* name;
        BOOL appThemed, themeActive;
        DWORD properties;
        bool expected;
    };
    const Row rows[] = {
        {"themed, controls allowed", TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS, true},
        {"controls only", TRUE, TRUE, STAP_ALLOW_CONTROLS, true},
        {"app not themed", FALSE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS, false},
        {"classic theme", TRUE, FALSE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS, false},
        {"controls excluded", TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_WEBCONTENT, false},
        {"no properties", TRUE, TRUE, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        platform.SetThemeState(row.appThemed, row.themeActive, row.properties);
        EXPECT_EQ(row.expected, pvIsThemed());
    }
    EXPECT_TRUE(errors.Names().empty()) << "pvIsThemed reported " << errors.Names().front();
}

BOOL WINAPI ThrowingIsThemeActive() {
    throw Error(48, L"theme_tests", L"Error in loading DLL uxtheme");
}

TEST(PvIsThemedTest, AFailingCallAnswersFalseWithoutTheHook) {
    ScopedThemePlatform platform;
    ErrorRecorder errors;
    platform.SetThemeState(TRUE, TRUE, STAP_ALLOW_CONTROLS);
    platform->IsThemeActive = &ThrowingIsThemeActive;
    EXPECT_FALSE(pvIsThemed());
    EXPECT_TRUE(errors.Names().empty());
}

}  // namespace
