#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "InventoryCases.h"
#include "LogWriter.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

constexpr char kWindowsOnly[] = R"([Select]
Current=dword:1
[ControlSet001\Services\Tcpip]
Group=sz:PNP_TDI
ImagePath=expand:\SystemRoot\System32\drivers\tcpip.sys
)";

constexpr char kThirdParty[] = R"([Select]
Current=dword:1
[ControlSet001\Services\Acme]
Group=sz:NDIS
Type=dword:1
Start=dword:3
ImagePath=sz:C:\Acme\acme.sys
[ControlSet001\Services\Tcpip]
Group=sz:PNP_TDI)";

constexpr std::uint32_t kSequence = 2107;

// Each command's status, output and errors; a dirty hive is read with its log
// replayed in memory unless --no-logs, and written recovered only by --recover
// to a new file: the evidence stays as it was.
TEST(CommandLine, ExitsLikeDiffAndWritesWhatEachCommandAsksFor) {
    // A folder of inputs: hives that the tests make, under their names and
    // renamed, a user hive, a transaction log, files that are not hives, a
    // Winsock catalog, a silenced agent, and a dirty hive whose log (named in
    // lower case) holds a service the hive file lacks.
    const std::string folder = MakeScratchFolder();
    for (const char* below : {"/cases/a", "/cases/b/deeper", "/nothing", "/users", "/evidence"})
        std::filesystem::create_directories(folder + below);
    const TestHive clean(kWindowsOnly), found(kThirdParty), user("[Software\\Acme]\n[Environment]\n");
    std::filesystem::copy_file(clean.Path(), folder + "/cases/a/SYSTEM");
    std::filesystem::copy_file(found.Path(), folder + "/cases/b/deeper/system");
    std::filesystem::copy_file(found.Path(), folder + "/cases/b/HOST1_SYSTEM.hve");
    std::filesystem::copy_file(user.Path(), folder + "/cases/b/NTUSER.DAT");
    std::filesystem::copy_file(user.Path(), folder + "/users/NTUSER.DAT");
    Bytes bytes = found.Bytes();
    WriteFile(folder + "/truncated", Bytes(bytes.begin(), bytes.begin() + 5000));
    bytes[28] = 6;
    WriteFile(folder + "/cases/b/HOST1_SYSTEM.hve.LOG1", bytes);
    mkfifo((folder + "/cases/b/pipe").c_str(), 0600);
    std::filesystem::create_symlink("loop", folder + "/cases/b/loop");
    WriteFile(folder + "/empty", {});
    WriteFile(folder + "/text", {'h', 'e', 'l', 'l', 'o', '\n'});
    WriteFile(folder + "/taken", {});
    WriteFile(folder + "/catalog", TestHive("[Select]\nCurrent=dword:1\n" + WinsockCatalogKeys()).Bytes());
    const std::string policy = "[ControlSet001\\Services\\SharedAccess\\Parameters\\FirewallPolicy";
    WriteFile(folder + "/silenced",
              TestHive("[Select]\nCurrent=dword:1\n" + WfpObjectKeys() + policy +
                       "\\PublicProfile]\nEnableFirewall=dword:0\n" + policy +
                       "\\FirewallRules]\nOut=sz:v2.30|Action=Block|Active=TRUE|Dir=Out|App=C:\\EDR\\agent.exe|"
                       "LPort=80|LPort=443|mark=os|Name=Quiet|\n")
                  .Bytes());
    Bytes hive = clean.Bytes();
    const Bytes changed =
        TestHive(kWindowsOnly + std::string("[ControlSet001\\Services\\Hidden]\nGroup=sz:NDIS\n")).Bytes();
    SetHeaderField(hive, 8, kSequence);
    SetHeaderField(hive, 4, kSequence + 1);
    WriteFile(folder + "/evidence/SYSTEM", hive);
    const Bytes log = WriteNewFormatLog(hive, {{kSequence, &hive, &changed}}).bytes;
    WriteFile(folder + "/evidence/system.log1", log);

    const std::string agent = "\\device\\harddiskvolume2\\program files\\edr\\agent.exe";
    const std::string jsonAgent = "\\\\device\\\\harddiskvolume2\\\\program files\\\\edr\\\\agent.exe";
    const std::string acmeFilter = "{F0000000-0000-0000-0000-000000000005}";
    const std::string hidden = "svc\t?\tNDIS\tHidden\t";
    const struct {
        std::string arguments;
        int status;
        std::string err;                    // standard error whole; for status 2 and none given, one line
        std::vector<std::string> out = {};  // parts of standard output, in this order
        std::vector<std::string> notOut = {};
    } rows[] = {
        // SYSTEM hives by their content, whatever their names, in path order; none twice.
        {"cases/a/SYSTEM cases",
         1,
         "quillmark-inventory: passed over 1 other hive(s) and 2 other file(s)\n",
         {"cases/a/SYSTEM: nothing third-party or unknown\n",
          "FirewallRules\n\ncases/b/HOST1_SYSTEM.hve: 1 third-party\n",
          "FirewallRules\n\ncases/b/deeper/system: 1 third-party\n"},
         {"\ncases/a/SYSTEM"}},
        {"users", 2,
         "quillmark-inventory: users: no SYSTEM hive in this folder\n"
         "quillmark-inventory: passed over 1 other hive(s) and 0 other file(s)\n"},
        {"cases/b/NTUSER.DAT", 2,
         "quillmark-inventory: cases/b/NTUSER.DAT: a user hive (NTUSER.DAT), not a SYSTEM hive\n"},
        {"cases/b/HOST1_SYSTEM.hve.LOG1", 2,
         "quillmark-inventory: cases/b/HOST1_SYSTEM.hve.LOG1: a transaction log, not a hive: read the hive file "
         "beside it\n"},
        {"cases/b/pipe", 2, "quillmark-inventory: cases/b/pipe: not a regular file\n"},
        {"empty", 2, "quillmark-inventory: empty: empty file\n", {"empty: cannot be read: empty file\n"}},
        {"--format jsonl empty",
         2,
         "quillmark-inventory: empty: empty file\n",
         {"{\"hive\":\"empty\",\"error\":\"empty file\"}\n"}},
        {"text", 2, "quillmark-inventory: text: not a registry hive (no regf signature)\n"},
        {"truncated --format tsv", 2, "", {"hive\ttruncated\nerror\thive\t"}},
        {"nothing", 2, "quillmark-inventory: nothing: no registry hive in this folder\n"},
        {"missing", 2, "quillmark-inventory: missing: No such file or directory\n"},
        {"missing cases/a/SYSTEM", 2, "", {"cases/a/SYSTEM: nothing third-party or unknown\n"}},
        {"", 2, "quillmark-inventory: name at least one SYSTEM hive file or folder (see --help)\n"},
        {"--format xml cases", 2, "quillmark-inventory: --format is text, tsv or jsonl, not 'xml' (see --help)\n"},
        {"--jobs 0 cases", 2, "quillmark-inventory: --jobs wants a whole number above 0, not '0' (see --help)\n"},
        {"--format", 2, "quillmark-inventory: --format needs a value (see --help)\n"},
        {"--format=tsv cases/a/SYSTEM", 0, "", {"hive\tcases/a/SYSTEM\ncontrolset\tControlSet001\n"}},
        {"--al cases", 2, "quillmark-inventory: unknown option '--al' (see --help)\n"},
        {"--help", 0, "", {"Usage: quillmark-inventory [options] HIVE|FOLDER...\n"}},
        // The text view shows Windows' own entries only when asked to, layered Winsock providers always.
        {"cases/b/deeper/system", 1, "", {"cases/b/deeper/system: 1 third-party\n", "Acme"}, {"Tcpip"}},
        {"--all cases/b/deeper/system", 1, "", {"Tcpip"}},
        {"catalog",
         2,
         "quillmark-inventory: catalog: damaged: 2 part(s) could not be read\n",
         {"Acme LSP", "Acme over Tcpip"},
         {"MSAFD Tcpip"}},
        // One JSON object per entry or error, after one per hive; a firewall rule's fields by their own keys.
        {"--format jsonl cases/b/deeper/system",
         1,
         "",
         {"{\"hive\":\"cases/b/deeper/system\",\"controlSet\":\"ControlSet001\",\"thirdParty\":1,\"unknown\":0,"
          "\"suspicious\":0,\"errors\":0}\n",
          "{\"hive\":\"cases/b/deeper/system\",\"block\":\"services\",\"mark\":\"3p\",\"group\":\"NDIS\","
          "\"name\":\"Acme\",\"type\":1,\"start\":3,\"imagePath\":\"C:\\\\Acme\\\\acme.sys\",\"displayName\":null,"
          "\"typeText\":\"kernel driver\",\"startText\":\"manual\",\"inf\":null,\"vendor\":null,"
          "\"lastWrite\":null}\n"}},
        {"--format jsonl catalog",
         2,
         "quillmark-inventory: catalog: damaged: 2 part(s) could not be read\n",
         {"\"block\":\"winsock-protocols\",\"error\":\"no PackedCatalogItem (REG_BINARY)\",\"where\":\"Services\\\\"
          "WinSock2\\\\Parameters\\\\Protocol_Catalog9\\\\Catalog_Entries64\\\\000000000002\"}\n"}},
        {"--format jsonl silenced",
         1,
         "",
         {"\"conditions\":[{\"field\":\"ALE_APP_ID\",\"match\":\"=\",\"value\":\"" + jsonAgent + "\"}]",
          "\"block\":\"firewall-rules\",\"mark\":\"3p\",\"id\":\"Out\",\"version\":\"v2.30\",\"Action\":\"Block\","
          "\"Active\":\"TRUE\",\"Dir\":\"Out\",\"App\":\"C:\\\\EDR\\\\agent.exe\",\"LPort\":[\"80\",\"443\"],"
          "\"rule.mark\":\"os\",\"Name\":\"Quiet\"}\n"}},
        // The verdicts come first, in words; a third-party WFP provider's callouts and filters are counts on its
        // line unless --all.
        {"silenced",
         1,
         "",
         {"silenced: 4 third-party, 7 unknown; 4 suspicious\n  control set ControlSet001\n  WFP filter blocks " +
          agent + " from connecting (provider: none)\n  WFP filter blocks " + agent +
          " from connecting (provider: Microsoft Corporation)\n  Windows Firewall is off for the public profile\n"
          "  Firewall rule blocks C:\\EDR\\agent.exe from connecting (rule: Quiet)\n\n"},
         {acmeFilter}},
        {"--all silenced", 1, "", {acmeFilter}},
        {"--format jsonl evidence/SYSTEM",
         1,
         "",
         {"\"logs\":{\"replayed\":true,\"files\":[\"system.log1\"],\"entries\":1,\"firstSequence\":2107,"
          "\"lastSequence\":2107,\"leftOut\":[]}}\n",
          "\"name\":\"Hidden\""}},
        {"--format tsv evidence", 1, "", {"note\treplayed system.log1: 1 entry, sequence 2107\n", hidden}},
        {"--format tsv --no-logs evidence/SYSTEM",
         0,
         "",
         {"note\tthe hive is dirty: changes still in its transaction logs are not read (--no-logs)\n"},
         {hidden}},
        {"--recover recovered evidence/SYSTEM",
         0,
         "",
         {"recovered: replayed system.log1: 1 entry, sequence 2107\n"},
         {hidden}},
        {"--format tsv recovered", 1, "", {"controlset\tControlSet001\n[services]", hidden}},
        {"--recover taken evidence/SYSTEM", 2,
         "quillmark-inventory: evidence/SYSTEM: cannot write taken: it exists already\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        const ProgramRun run = RunInventory(folder, row.arguments);
        EXPECT_EQ(row.status, run.status);
        std::size_t at = 0;
        for (const std::string& part : row.out) {
            at = run.out.find(part, at);
            EXPECT_NE(std::string::npos, at) << part << " in\n" << run.out;
        }
        for (const std::string& part : row.notOut) EXPECT_EQ(std::string::npos, run.out.find(part)) << run.out;
        if (row.status == 2 && row.err.empty())
            EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << run.err;
        else
            EXPECT_EQ(row.err, run.err);
    }
    EXPECT_EQ(std::string(hive.begin(), hive.end()), ReadAll(folder + "/evidence/SYSTEM"));
    EXPECT_EQ(std::string(log.begin(), log.end()), ReadAll(folder + "/evidence/system.log1"));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(folder + "/evidence"), {}));
    RemoveTree(folder);
}

}  // namespace
}  // namespace inventory::test
