#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "AppFixture.h"
#include "ReportOracle.h"
#include "ServicesGenerator.h"
#include "Text.h"
#include "UniqueHandle.h"

namespace {

std::vector<std::wstring> RawSubkeys(const ScratchKey& scratch, const std::wstring& path) {
    std::vector<std::wstring> names;
    UniqueHKey key;
    if (RegOpenKeyExW(scratch.get(), path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = 512;
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

// The seeds to run: 1 to 200, 1 to QUILLMARK_SOAK_TREES for a soak run, or
// the one seed QUILLMARK_SEED names to replay a failure (see DEVELOPERS.md).
std::pair<int, int> Seeds() {
    if (const char* one = std::getenv("QUILLMARK_SEED")) return {std::atoi(one), std::atoi(one)};
    const char* soak = std::getenv("QUILLMARK_SOAK_TREES");
    return {1, soak ? std::atoi(soak) : 200};
}

// The date line of a run as the box shows it (the second line).
std::string DateLineOf(const std::wstring& box) {
    const std::size_t start = box.find(L"\r\n");
    const std::size_t end = box.find(L"\r\n", start + 2);
    return start == std::wstring::npos ? std::string() : ToAnsi(box.substr(start + 2, end - start - 2));
}

}  // namespace

class HostileRegistryTest : public ScanFixture {
protected:
    std::string LogBytes() const { return folder.ReadBytes(FrmMain::kLogFileName); }
};

TEST_F(HostileRegistryTest, RandomTreesReportWhatTheOracleExpects) {
    const auto [first, last] = Seeds();
    for (int seed = first; seed <= last; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        scratch.DeleteTree(kServices);
        scratch.CreateKey(kServices);
        ServicesGenerator generator(static_cast<std::uint32_t>(seed));
        const auto stored = ServicesGenerator::Write(generator.Generate(), scratch, kServices);
        const bool ticked = seed % 2 == 0;
        Tick(ticked ? BST_CHECKED : BST_UNCHECKED);
        DeleteFileW(folder.File(FrmMain::kLogFileName).c_str());

        PressStart();

        const std::wstring box = WindowText(Text1());
        const std::string date = DateLineOf(box);
        ASSERT_EQ(0u, date.rfind("Date: ", 0)) << date;
        const auto expected = ReportOracle(stored, RawSubkeys(scratch, kServices)).Lines(ticked, date);
        ASSERT_EQ(BoxTextOf(expected), box);
        ASSERT_EQ(LogBytesOf(expected), LogBytes());
    }
}

TEST_F(HostileRegistryTest, TheRegistryChangingUnderTheScanLosesNoLine) {
    std::set<std::wstring> network;
    for (int i = 0; i < 40; ++i) {
        const std::wstring name = L"Svc" + std::to_wstring(i);
        AddService(name, i % 3 ? "TDI" : "NDIS", "d", "n", "i");
        if (i % 3) network.insert(name);
    }
    Tick(BST_CHECKED);
    std::mt19937 random(7);
    int added = 0;
    // At every line that reaches the box, delete, add or rename a service.
    struct Mutator {
        std::function<void()> step;
        static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
            const LRESULT result = DefSubclassProc(h, m, w, l);
            if (m == WM_SETTEXT || m == EM_REPLACESEL) reinterpret_cast<Mutator*>(data)->step();
            return result;
        }
    } mutator{[&] {
        const std::wstring victim = L"Svc" + std::to_wstring(random() % 40);
        const std::wstring fresh = L"New" + std::to_wstring(added++);
        switch (random() % 3) {
            case 0:
                scratch.DeleteTree(std::wstring(kServices) + L"\\" + victim);
                break;
            case 1:
                AddService(fresh, "tdi", "added", "added", "added");
                network.insert(fresh);
                break;
            default:  // a rename: the old key goes, a new one comes
                scratch.DeleteTree(std::wstring(kServices) + L"\\" + victim);
                AddService(fresh + L"Renamed", "TDI", "renamed", "renamed", "renamed");
                network.insert(fresh + L"Renamed");
                break;
        }
    }};
    SetWindowSubclass(Text1(), &Mutator::Proc, 2, reinterpret_cast<DWORD_PTR>(&mutator));
    PressStart();
    RemoveWindowSubclass(Text1(), &Mutator::Proc, 2);

    const auto box = BoxLines();
    std::vector<std::wstring> log;
    for (const auto& line : LogLines()) log.push_back(FromAnsi(line));
    EXPECT_EQ(box, log) << "every line written reached both the box and the file";
    ASSERT_GE(box.size(), 5u);
    EXPECT_EQ(L"Scanning...", box.front());
    EXPECT_EQ(L"Done, Scan Complete.", box[box.size() - 2]);
    ASSERT_EQ(0u, (box.size() - 5) % 6) << "whole service blocks only";
    const std::wstring prefix = L"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\";
    for (std::size_t i = 3; i + 2 < box.size(); i += 6) {
        ASSERT_EQ(0u, box[i + 1].rfind(prefix, 0)) << box[i + 1];
        EXPECT_TRUE(network.count(box[i + 1].substr(prefix.size()))) << "reported a service that never was one";
        EXPECT_EQ(0u, box[i + 2].rfind(L"--Description: ", 0));
        EXPECT_EQ(0u, box[i + 4].rfind(L"--ImagePath: ", 0));
    }
    EXPECT_GT(added, 0);
}

TEST_F(HostileRegistryTest, ALogRefusedMidwayHoldsExactlyTheLinesWrittenWhileItWasOpen) {
    AddService(L"Filter1", "TDI", "one", "One", "f1.sys");
    AddService(L"Filter2", "TDI", "two", "Two", "f2.sys");
    UniqueFile lock;
    const std::wstring path = folder.File(FrmMain::kLogFileName);
    OnBoxLine refuse(Text1(), L"Services\\Filter1", [&] {
        lock.reset(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    });
    OnBoxLine accept(Text1(), L"--ImagePath: f1.sys", [&] { lock.reset(); });
    PressStart();
    ASSERT_TRUE(refuse.Fired());
    ASSERT_TRUE(accept.Fired());

    const auto box = BoxLines();
    ASSERT_EQ(17u, box.size()) << "the box kept every line";
    std::vector<std::wstring> expectedLog(box.begin(), box.begin() + 5);  // up to Filter1's key line
    expectedLog.insert(expectedLog.end(), box.begin() + 8, box.end());    // from the line after f1.sys
    std::vector<std::wstring> log;
    for (const auto& line : LogLines()) log.push_back(FromAnsi(line));
    EXPECT_EQ(expectedLog, log);
}
