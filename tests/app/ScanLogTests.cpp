#include <windows.h>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ProgramFile.h"
#include "Text.h"
#include "UniqueHandle.h"

using ScanLogTest = ScanFixture;

// Each line goes to the file as 8-bit text ended by CR LF and to the box,
// joined by CR LF, zero characters shown as blanks, the caret at the end; a
// file that cannot be written loses the line from the file only.
TEST_F(ScanLogTest, LinesGoToTheFileAsAnsiTextAndToTheBox) {
    ASSERT_TRUE(UniqueFile(
        CreateFileW(folder.File(FrmMain::kLogFileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    const std::wstring accented = L"caf\u00e9 \u00fc";
    form->AddToLogs(L"");
    EXPECT_EQ(L"", WindowText(Box())) << "an empty line to an empty box leaves it empty";
    form->AddToLogs(accented);
    form->AddToLogs(L"");
    form->AddToLogs(std::wstring(L"a\0b\0", 4));
    {
        // Another process holding the file without sharing it.
        const UniqueFile lock(CreateFileW(folder.File(FrmMain::kLogFileName).c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        form->AddToLogs(L"while locked");
    }
    form->AddToLogs(L"last");
    EXPECT_EQ(accented + L"\r\n\r\na b \r\nwhile locked\r\nlast", WindowText(Box()));
    EXPECT_EQ("\r\n" + ToAnsi(accented) + "\r\n\r\n" + std::string("a\0b\0", 4) + "\r\nlast\r\n", LogBytes());
    DWORD start = 0, end = 0;
    SendMessageW(Box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(static_cast<DWORD>(GetWindowTextLengthW(Box())), start);
    EXPECT_EQ(start, end);
}

// The file keeps what it held and grows across runs of the program, in the
// folder it is given, with or without a separator at its end; a folder that
// is not there loses the file, never the box.
TEST_F(ScanLogTest, TheFileIsAppendedAcrossRunsInTheFolderGiven) {
    form->AddToLogs(L"first run");
    form.reset();
    form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path() + L"\\");
    EXPECT_EQ(folder.File(FrmMain::kLogFileName), form->LogPath());
    form->AddToLogs(L"again");
    EXPECT_EQ("first run\r\nagain\r\n", LogBytes());
    EXPECT_EQ(L"again", WindowText(Box())) << "a new window's box starts empty";
    // The start-up's folder: the one that holds the program.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(JoinPath(ProgramFolder(), ProgramName() + L".exe").c_str()));
    EXPECT_EQ(L"app_tests", ProgramName());

    form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path() + L"\\missing\\folder");
    form->AddToLogs(L"still shown");
    EXPECT_EQ(L"still shown", WindowText(Box()));
}
