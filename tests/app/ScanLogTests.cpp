#include <windows.h>

#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ProgramFile.h"
#include "ScanLog.h"
#include "Text.h"
#include "UniqueHandle.h"

class ScanLogTest : public ScanFixture {
protected:
    std::string LogBytes() const { return folder.ReadBytes(FrmMain::kLogFileName); }
};

TEST_F(ScanLogTest, LinesGoToTheFileAsAnsiTextAndToTheBox) {
    const std::wstring accented = L"caf\u00e9 \u00fc";
    form->AddToLogs(L"first");
    form->AddToLogs(accented);
    form->AddToLogs(L"third");
    EXPECT_EQ("first\r\n" + ToAnsi(accented) + "\r\nthird\r\n", LogBytes());
    EXPECT_EQ(L"first\r\n" + accented + L"\r\nthird", WindowText(Text1())) << "no line end after the last line";

    // The caret stands at the end, so the box shows its last line.
    DWORD start = 0, end = 0;
    SendMessageW(Text1(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(static_cast<DWORD>(GetWindowTextLengthW(Text1())), start);
    EXPECT_EQ(start, end);
}

TEST_F(ScanLogTest, TheFileKeepsWhatItHeldAndIsAppendedAcrossRuns) {
    {
        UniqueFile file(
            CreateFileW(folder.File(FrmMain::kLogFileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        WriteFile(file.get(), "earlier run\r\n", 13, &written, nullptr);
    }
    form->AddToLogs(L"Scanning...");
    form.reset();
    form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path());
    form->AddToLogs(L"again");
    EXPECT_EQ("earlier run\r\nScanning...\r\nagain\r\n", LogBytes());
    EXPECT_EQ(L"again", WindowText(Text1())) << "the first line of an empty box has no line end before it";
}

TEST_F(ScanLogTest, EmptyLines) {
    form->AddToLogs(L"");
    EXPECT_EQ(L"", WindowText(Text1())) << "an empty line to an empty box leaves it empty";
    form->AddToLogs(L"a");
    form->AddToLogs(L"");
    form->AddToLogs(L"b");
    EXPECT_EQ(L"a\r\n\r\nb", WindowText(Text1()));
    EXPECT_EQ("\r\na\r\n\r\nb\r\n", LogBytes()) << "the file receives every empty line as a line end";
}

TEST_F(ScanLogTest, ZeroCharactersShowAsBlanksAndCutNothing) {
    form->AddToLogs(std::wstring(L"a\0b\0", 4));
    form->AddToLogs(L"after");
    EXPECT_EQ(L"a b \r\nafter", WindowText(Text1()));
    EXPECT_EQ(std::string("a\0b\0\r\nafter\r\n", 13), LogBytes()) << "the file keeps the bytes as they were";
}

TEST_F(ScanLogTest, AnUnwritableFileLosesNoLineFromTheBox) {
    form->AddToLogs(L"written");
    {
        // Another process holding the file without sharing it.
        UniqueFile lock(CreateFileW(folder.File(FrmMain::kLogFileName).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    0, nullptr));
        ASSERT_TRUE(lock);
        form->AddToLogs(L"while locked");
    }
    form->AddToLogs(L"accepted again");
    EXPECT_EQ(L"written\r\nwhile locked\r\naccepted again", WindowText(Text1()));
    EXPECT_EQ("written\r\naccepted again\r\n", LogBytes());
}

TEST(ScanLogPath, AFolderMissingOrEndingInASeparator) {
    ScratchFolder folder;
    EXPECT_EQ(L"C:\\quillmark_log.txt", JoinPath(L"C:\\", L"quillmark_log.txt"));
    EXPECT_EQ(L"C:\\Tools\\quillmark_log.txt", JoinPath(L"C:\\Tools", L"quillmark_log.txt"));

    const auto form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path() + L"\\");
    ASSERT_NE(nullptr, form);
    EXPECT_EQ(folder.File(L"quillmark_log.txt"), form->LogPath());
    form->AddToLogs(L"line");
    EXPECT_EQ("line\r\n", folder.ReadBytes(L"quillmark_log.txt"));

    const auto nowhere = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path() + L"\\missing\\folder");
    nowhere->AddToLogs(L"still shown");
    EXPECT_EQ(L"still shown", WindowText(nowhere->Control(IDC_TEXT1)));
}
