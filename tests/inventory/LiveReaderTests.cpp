#include <windows.h>

#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "BuiltProgram.h"
#include "Inventory.h"
#include "InventoryCases.h"
#include "LiveRegistry.h"
#include "Render.h"
#include "ScratchKey.h"
#include "SystemKeyWriter.h"
#include "UniqueHandle.h"

namespace inventory::test {
namespace {

constexpr char kOfflineControlSet[] = "ControlSet001";
constexpr char kLiveControlSet[] = "CurrentControlSet";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

void WriteKeys(const ScratchKey& scratch, const std::string& keys, bool live) {
    ASSERT_NO_THROW(tools::WriteSystemKeys(scratch.get(), tools::ParseRegText(keys), live));
}

HKEY gLoadedHive = nullptr;

LSTATUS WINAPI OpenScratchAsHive(LPCWSTR, PHKEY key, REGSAM access, DWORD, DWORD) {
    return RegOpenKeyExW(gLoadedHive, L"SYSTEM", 0, access, key);
}

// The live registry gives each case's lines; a hive file read through the
// registry gives those of the cases that choose the control set, as it does
// that the way the hive reader does. Wine answers RegLoadAppKeyW with success
// and a handle that is no key: in its place the seam opens a scratch copy.
TEST(LiveBlocks, GiveTheLinesOfTheHiveReader) {
    const LoadAppKeyFunction real = std::exchange(gLoadAppKey, OpenScratchAsHive);
    std::string keys;
    for (const InventoryCase& row : InventoryCases()) {
        if (!row.keys.empty()) keys = row.keys;
        SCOPED_TRACE(row.name);
        ScratchKey scratch;
        WriteKeys(scratch, keys, !row.offlineOnly);
        gLoadedHive = scratch.get();
        if (row.offlineOnly) {
            const std::string report = RenderTsv(TakeInventory(*LoadHiveFile("C:\\evidence\\SYSTEM"), "SYSTEM"));
            EXPECT_EQ(row.expected, BlockLines(report, row.block));
            continue;
        }
        const RootOverride machine(HKEY_LOCAL_MACHINE, scratch.get());
        EXPECT_TRUE(machine.Effective());
        const std::string report = RenderTsv(TakeInventory(*OpenLocalSystem(), "live", kLiveControlSet));
        EXPECT_EQ(Replace(row.expected, kOfflineControlSet, kLiveControlSet), BlockLines(report, row.block));
    }
    gLoadAppKey = real;
}

// Key names may hold a NUL, which only the native calls can write; the wide
// calls take a name up to its first NUL, so such a key would open another.
TEST(LiveBlocks, SayAKeyNameWithANulCannotBeOpened) {
    ScratchKey scratch;
    WriteKeys(scratch, "[ControlSet001\\Services\\Twin]\nGroup=sz:NDIS\n", true);
    UniqueHKey services;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(scratch.get(), L"SYSTEM\\CurrentControlSet\\Services", 0, KEY_WRITE, services.put()));
    using NtCreateKeyFunction =
        LONG(WINAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*, ULONG, UNICODE_STRING*, ULONG, ULONG*);
    const auto ntCreateKey = reinterpret_cast<NtCreateKeyFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtCreateKey")));
    ASSERT_NE(nullptr, ntCreateKey);
    wchar_t name[] = L"Twin\0Evil";
    UNICODE_STRING counted{sizeof name - sizeof(wchar_t), sizeof name, name};
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = services.get();
    attributes.ObjectName = &counted;
    HANDLE created = nullptr;
    ASSERT_EQ(0, ntCreateKey(&created, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr));
    std::string report;
    {
        const RootOverride machine(HKEY_LOCAL_MACHINE, scratch.get());
        report = RenderTsv(TakeInventory(*OpenLocalSystem(), "live", kLiveControlSet));
    }
    // The wide calls cannot name it to delete it either.
    using NtDeleteKeyFunction = LONG(WINAPI*)(HANDLE);
    const auto ntDeleteKey = reinterpret_cast<NtDeleteKeyFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    EXPECT_EQ(0, ntDeleteKey(created));
    CloseHandle(created);
    EXPECT_EQ(
        "[services] n=1\nsvc\t?\tNDIS\tTwin\t-\t-\t(absent)\t(absent)\n"
        "error\tServices\\Twin\\x00Evil\tcannot open a key whose name holds a NUL\n",
        BlockLines(report, "services"));
}

// The built program beside the tests (build/<arch>/quillmark-inventory.exe).
BuiltProgramRun RunInventory(const std::wstring& arguments) {
    return RunBuiltProgram(L"quillmark-inventory.exe", arguments);
}

TEST(WindowsProgram, ReadsTheLiveMachineAndSaysWhatWentWrongInOneLine) {
    const BuiltProgramRun live = RunInventory(L"--format tsv");
    EXPECT_LE(live.status, 1) << live.err;
    EXPECT_EQ(0u, live.out.find("hive\t" + LocalMachineName() + "\ncontrolset\tCurrentControlSet\n")) << live.out;
    struct Row {
        const wchar_t* arguments;
        const char* err;  // how standard error begins
    } rows[] = {
        {L"--hive \"C:\\no such folder\\SYSTEM\"", "quillmark-inventory: C:\\no such folder\\SYSTEM: cannot "},
        {L"--machine no-such-machine.invalid", "quillmark-inventory: no-such-machine.invalid: cannot connect"},
        {L"C:\\SYSTEM", "quillmark-inventory: unexpected argument 'C:\\SYSTEM': name a hive file with --hive"},
        {L"--jobs 2", "quillmark-inventory: unknown option '--jobs'"},
    };
    for (const Row& row : rows) {
        const BuiltProgramRun run = RunInventory(row.arguments);
        SCOPED_TRACE(run.err);
        EXPECT_EQ(2, run.status);
        EXPECT_EQ(0u, run.err.find(row.err));
        EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n'));
    }
}

}  // namespace
}  // namespace inventory::test
