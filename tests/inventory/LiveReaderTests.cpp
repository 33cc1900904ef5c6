#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Inventory.h"
#include "InventoryCases.h"
#include "LiveRegistry.h"
#include "RegText.h"
#include "Render.h"
#include "ScratchKey.h"
#include "UniqueHandle.h"

namespace inventory::test {
namespace {

using tools::ParseRegText;
using tools::TextKey;
using tools::TextValue;

constexpr char kOfflineControlSet[] = "ControlSet001";
constexpr char kLiveControlSet[] = "CurrentControlSet";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// The case's keys below scratch\SYSTEM, written with the wide calls (the
// 8-bit ones would convert the texts' bytes); on a live machine the control
// set in use is CurrentControlSet.
void WriteKeys(const ScratchKey& scratch, const std::string& keys, bool live) {
    for (const TextKey& key : ParseRegText(keys)) {
        const std::string path = live ? Replace(key.path, kOfflineControlSet, kLiveControlSet) : key.path;
        UniqueHKey written;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(scratch.get(), Widen("SYSTEM\\" + path).c_str(), 0, nullptr, 0,
                                                 KEY_WRITE, nullptr, written.put(), nullptr))
            << path;
        for (const TextValue& value : key.values)
            ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(written.get(), Widen(value.name).c_str(), 0, value.type,
                                                    value.data.data(), static_cast<DWORD>(value.data.size())))
                << path << "\\" << value.name;
    }
}

TEST(LiveBlocks, GiveTheLinesOfTheHiveReader) {
    std::string keys;
    for (const InventoryCase& row : InventoryCases()) {
        if (!row.keys.empty()) keys = row.keys;
        if (row.offlineOnly) continue;
        SCOPED_TRACE(row.name);
        ScratchKey scratch;
        WriteKeys(scratch, keys, true);
        const RootOverride machine(HKEY_LOCAL_MACHINE, scratch.get());
        ASSERT_TRUE(machine.Effective());
        const std::string report = RenderTsv(TakeInventory(*OpenLocalSystem(), "live", kLiveControlSet));
        EXPECT_EQ(Replace(row.expected, kOfflineControlSet, kLiveControlSet), BlockLines(report, row.block));
    }
}

HKEY gLoadedHive = nullptr;

LSTATUS WINAPI OpenScratchAsHive(LPCWSTR, PHKEY key, REGSAM access, DWORD, DWORD) {
    return RegOpenKeyExW(gLoadedHive, L"SYSTEM", 0, access, key);
}

// Wine answers RegLoadAppKeyW with success and a handle that is no key; in
// its place the seam opens a scratch copy of a hive, which is then read the
// way a hive file is: by the control set Select\Current names.
TEST(HiveFileThroughTheRegistry, ChoosesTheControlSetLikeTheHiveReader) {
    ScratchKey scratch;
    WriteKeys(scratch, "[Select]\nCurrent=dword:2\n[ControlSet002\\Services\\Two]\nGroup=sz:NDIS\n", false);
    gLoadedHive = scratch.get();
    const LoadAppKeyFunction real = std::exchange(gLoadAppKey, OpenScratchAsHive);
    const std::string report = RenderTsv(TakeInventory(*LoadHiveFile("C:\\evidence\\SYSTEM"), "SYSTEM"));
    gLoadAppKey = real;
    EXPECT_EQ("controlset\tControlSet002\n", BlockLines(report, ""));
    EXPECT_EQ("[services] n=1\nsvc\t?\tNDIS\tTwo\t-\t-\t(absent)\t(absent)\n", BlockLines(report, "services"));
}

TEST(HiveFileThroughTheRegistry, AHiveThatDoesNotLoadIsAReadError) {
    EXPECT_THROW(LoadHiveFile("C:\\no such folder\\SYSTEM"), ReadError);
}

TEST(RemoteMachine, OneThatCannotBeReachedIsAReadError) {
    EXPECT_THROW(OpenRemoteSystem("no-such-machine.invalid"), ReadError);
}

}  // namespace
}  // namespace inventory::test
