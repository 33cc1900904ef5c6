#include <gtest/gtest.h>

#include "Inventory.h"
#include "InventoryCases.h"
#include "MemoryRegistry.h"
#include "Render.h"

namespace inventory::test {
namespace {

constexpr char kClients[] = "ControlSet001\\Control\\Network\\{4D36E973-E325-11CE-BFC1-08002BE10318}";
constexpr char kAdapters[] = "ControlSet001\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kFilterClass[] = "ControlSet001\\Control\\Network\\{4D36E974-E325-11CE-BFC1-08002BE10318}";

// A client that names a service through an oemNN.inf, a filter bound to one
// adapter, and a WFP provider whose service holds its program.
std::string MachineKeys() {
    return std::string("[Select]\nCurrent=dword:1\n") +
           "[ControlSet001\\Services\\AcmeRdr]\nGroup=sz:NetworkProvider\n"
           "[ControlSet001\\Services\\AcmeSvc]\nImagePath=sz:C:\\Acme\\svc.exe\n"
           "[" +
           kClients +
           "\\{11111111-0000-0000-0000-000000000001}]\nInfPath=sz:oem5.inf\n"
           "[" +
           kClients +
           "\\{11111111-0000-0000-0000-000000000001}\\Ndi]\nService=sz:AcmeRdr\n"
           "[" +
           kFilterClass +
           "\\{22222222-0000-0000-0000-000000000002}]\nCharacteristics=dword:0x40000\n"
           "ComponentId=sz:acme_lwf\nInfPath=sz:oem6.inf\n"
           "[" +
           kAdapters +
           "\\0001]\nDriverDesc=sz:NIC\n"
           "[" +
           kAdapters +
           "\\0001\\Linkage]\n"
           "FilterList=multi:{AD000000-0000-0000-0000-000000000001}-{22222222-0000-0000-0000-000000000002}-0000\n" +
           WfpObjectKeys();
}

// A store that fails under one key: every block whose answer the key
// changes carries its error line, the rest read as before, and the status
// says the answer is incomplete.
TEST(ReadErrors, ReachEveryBlockTheyChangeAndTheExitStatus) {
    const std::string clientError =
        std::string("error\t") + (kClients + 14) + "\\{11111111-0000-0000-0000-000000000001}\tdamaged on purpose\n";
    const std::string adapterError = std::string("error\t") + (kAdapters + 14) + "\\0001\tdamaged on purpose\n";
    const struct {
        const char* name;
        std::string failing;
        const char* block;
        std::string expected;
    } rows[] = {
        {"a client key: the service it marks drops to ? and says why",
         std::string(kClients) + "\\{11111111-0000-0000-0000-000000000001}", "services",
         "[services] n=1\nsvc\t?\tNetworkProvider\tAcmeRdr\t-\t-\t(absent)\t(absent)\n" + clientError},
        {"an adapter key: the bound counts and the bindings both say so", std::string(kAdapters) + "\\0001",
         "ndis-filters",
         "[ndis-filters] n=1\nlwf\t3p\t{22222222-0000-0000-0000-000000000002}\tlwf\tacme_lwf\t(absent)\t(absent)\t-\t-"
         "\t-\toem6.inf\t(absent)\n" +
             adapterError},
        {"", std::string(kAdapters) + "\\0001", "adapter-filters", "[adapter-filters] n=0\n" + adapterError},
        {"the service behind a WFP provider: its lines stand, its program is left out",
         "ControlSet001\\Services\\AcmeSvc", "wfp-providers",
         BlockLines(RenderTsv(TakeInventory(*MemoryRegistry(MachineKeys(), {}).Root(), "m")), "wfp-providers")},
        {"", "Select", "", "controlset\tControlSet001\nerror\tSelect\tdamaged on purpose\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name + std::string(" / ") + row.block);
        const MemoryRegistry registry(MachineKeys(), {row.failing});
        const Report report = TakeInventory(*registry.Root(), "m");
        EXPECT_EQ(row.expected, BlockLines(RenderTsv(report), row.block));
        EXPECT_EQ(kTrouble, StatusOf(report));
    }
}

}  // namespace
}  // namespace inventory::test
