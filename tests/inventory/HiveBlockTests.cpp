#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HiveFile.h"
#include "Inventory.h"
#include "InventoryCases.h"
#include "RegistryText.h"
#include "Render.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

TEST(HiveBlocks, GiveTheLinesOfTheFormat) {
    std::string report;
    for (const InventoryCase& row : InventoryCases()) {
        SCOPED_TRACE(row.name);
        if (!row.keys.empty()) {
            const bool select = row.keys.find("[Select]") != std::string::npos;
            const TestHive hive(select ? row.keys : "[Select]\nCurrent=dword:1\n" + row.keys);
            report = RenderTsv(TakeInventory(*HiveFile(hive.Path()).Root(), hive.Path()));
        }
        EXPECT_EQ(row.expected, BlockLines(report, row.block));
    }
}

// A key of a hive that fails on purpose: the key at `failing` (a path below
// the root, any case) opens, but every list and value read of it throws
// ReadError, as a damaged store's would.
class FailingKey final : public RegistryKey {
public:
    FailingKey(std::unique_ptr<RegistryKey> key, std::string path, std::string failing)
        : key_(std::move(key)), path_(std::move(path)), failing_(std::move(failing)) {}

    std::unique_ptr<RegistryKey> OpenSubkey(std::string_view name) const override {
        std::unique_ptr<RegistryKey> child = Checked().OpenSubkey(name);
        if (!child) return nullptr;
        return std::make_unique<FailingKey>(std::move(child), path_ + std::string(name) + "\\", failing_);
    }
    std::vector<std::string> SubkeyNames() const override { return Checked().SubkeyNames(); }
    std::vector<std::string> ValueNames() const override { return Checked().ValueNames(); }
    std::optional<RawValue> ReadValue(std::string_view name) const override { return Checked().ReadValue(name); }
    std::optional<std::uint64_t> LastWriteTime() const override { return key_->LastWriteTime(); }

private:
    const RegistryKey& Checked() const {
        if (EqualsNoCase(path_, failing_ + "\\")) throw ReadError("damaged on purpose");
        return *key_;
    }

    std::unique_ptr<RegistryKey> key_;
    std::string path_;  // below the root, each name followed by a backslash
    std::string failing_;
};

// A client that names a service through an oemNN.inf, a filter bound to one
// adapter, and a WFP provider whose service holds its program.
const TestHive& Machine() {
    static const TestHive hive(R"([Select]
Current=dword:1
[ControlSet001\Services\AcmeRdr]
Group=sz:NetworkProvider
[ControlSet001\Services\AcmeSvc]
ImagePath=sz:C:\Acme\svc.exe
[ControlSet001\Control\Network\{4D36E973-E325-11CE-BFC1-08002BE10318}\{11111111-0000-0000-0000-000000000001}]
InfPath=sz:oem5.inf
[ControlSet001\Control\Network\{4D36E973-E325-11CE-BFC1-08002BE10318}\{11111111-0000-0000-0000-000000000001}\Ndi]
Service=sz:AcmeRdr
[ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{22222222-0000-0000-0000-000000000002}]
Characteristics=dword:0x40000
ComponentId=sz:acme_lwf
InfPath=sz:oem6.inf
[ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001]
DriverDesc=sz:NIC
[ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001\Linkage]
FilterList=multi:{AD000000-0000-0000-0000-000000000001}-{22222222-0000-0000-0000-000000000002}-0000
)" + WfpObjectKeys());
    return hive;
}

Report ReadFailingUnder(const std::string& failing) {
    const HiveFile file(Machine().Path());
    return TakeInventory(FailingKey(file.Root(), "", failing), "m");
}

// A store that fails under one key: every block whose answer the key
// changes carries its error line, the rest read as before, and the status
// says the answer is incomplete.
TEST(ReadErrors, ReachEveryBlockTheyChangeAndTheExitStatus) {
    const std::string client =
        "ControlSet001\\Control\\Network\\{4D36E973-E325-11CE-BFC1-08002BE10318}\\"
        "{11111111-0000-0000-0000-000000000001}";
    const std::string adapter = "ControlSet001\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001";
    const struct {
        const char* name;
        std::string failing;
        const char* block;
        std::string expected;
    } rows[] = {
        {"a client key: the service it marks drops to ? and says why", client, "services", Lines(R"([services] n=1
svc|?|NetworkProvider|AcmeRdr|-|-|(absent)|(absent)
error|Control\Network\{4D36E973-E325-11CE-BFC1-08002BE10318}\{11111111-0000-0000-0000-000000000001}|damaged on purpose)")},
        {"an adapter key: the bound counts and the bindings both say so", adapter, "ndis-filters",
         Lines(R"([ndis-filters] n=1
lwf|3p|{22222222-0000-0000-0000-000000000002}|lwf|acme_lwf|(absent)|(absent)|-|-|-|oem6.inf|(absent)
error|Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001|damaged on purpose)")},
        {"", adapter, "adapter-filters", Lines(R"([adapter-filters] n=0
error|Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001|damaged on purpose)")},
        {"the service behind a WFP provider: its lines stand, its program is left out",
         "ControlSet001\\Services\\AcmeSvc", "wfp-providers",
         BlockLines(RenderTsv(ReadFailingUnder("nothing")), "wfp-providers")},
        {"", "Select", "", Lines("controlset|ControlSet001\nerror|Select|damaged on purpose")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name + std::string(" / ") + row.block);
        const Report report = ReadFailingUnder(row.failing);
        EXPECT_EQ(row.expected, BlockLines(RenderTsv(report), row.block));
        EXPECT_EQ(kTrouble, StatusOf(report));
    }
}

}  // namespace
}  // namespace inventory::test
