#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "InventoryCases.h"
#include "LogWriter.h"
#include "RunProgram.h"
#include "TestHive.h"

namespace inventory::test {
namespace {

constexpr char kWindowsOnly[] = R"([Select]
Current=dword:1
[ControlSet001\Services\Tcpip]
Group=sz:PNP_TDI
ImagePath=expand:\SystemRoot\System32\drivers\tcpip.sys)";

constexpr char kThirdParty[] = R"([Select]
Current=dword:1
[ControlSet001\Services\Acme]
Group=sz:NDIS
Type=dword:1
Start=dword:3
ImagePath=sz:C:\Acme\acme.sys
[ControlSet001\Services\Tcpip]
Group=sz:PNP_TDI)";

// A folder of inputs: hives that the tests make, under their names and
// renamed, a user hive, a transaction log, and files that are not hives.
class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeScratchFolder();
        std::filesystem::create_directories(folder_ + "/cases/a");
        std::filesystem::create_directories(folder_ + "/cases/b/deeper");
        std::filesystem::create_directories(folder_ + "/nothing");
        std::filesystem::create_directories(folder_ + "/users");
        const TestHive clean(kWindowsOnly), found(kThirdParty), user("[Software\\Acme]\n[Environment]\n");
        std::filesystem::copy_file(clean.Path(), folder_ + "/cases/a/SYSTEM");
        std::filesystem::copy_file(found.Path(), folder_ + "/cases/b/deeper/system");
        std::filesystem::copy_file(found.Path(), folder_ + "/cases/b/HOST1_SYSTEM.hve");
        std::filesystem::copy_file(user.Path(), folder_ + "/cases/b/NTUSER.DAT");
        std::filesystem::copy_file(user.Path(), folder_ + "/users/NTUSER.DAT");
        std::vector<std::uint8_t> log = found.Bytes();
        log[28] = 6;
        WriteFile(folder_ + "/cases/b/HOST1_SYSTEM.hve.LOG1", log);
        mkfifo((folder_ + "/cases/b/pipe").c_str(), 0600);
        std::filesystem::create_symlink("loop", folder_ + "/cases/b/loop");
        const std::vector<std::uint8_t> hive = found.Bytes();
        WriteFile(folder_ + "/truncated", std::vector<std::uint8_t>(hive.begin(), hive.begin() + 5000));
        WriteFile(folder_ + "/empty", {});
        WriteFile(folder_ + "/text", {'h', 'e', 'l', 'l', 'o', '\n'});
    }
    void TearDown() override { RemoveTree(folder_); }

    ProgramRun Inventory(const std::string& arguments) const { return RunInventory(folder_, arguments); }

    std::string folder_;
};

TEST_F(CommandLine, ExitsLikeDiffAndSaysWhatWentWrongInOneLine) {
    struct Row {
        const char* arguments;
        int status;
        const char* out;  // a part of standard output ("" for none expected)
        const char* err;  // standard error whole
    } rows[] = {
        {"cases/a/SYSTEM", 0, "cases/a/SYSTEM: nothing third-party or unknown\n", ""},
        {"cases", 1, "", "quillmark-inventory: passed over 1 other hive(s) and 2 other file(s)\n"},
        {"users", 2, "",
         "quillmark-inventory: users: no SYSTEM hive in this folder\n"
         "quillmark-inventory: passed over 1 other hive(s) and 0 other file(s)\n"},
        {"cases/b/NTUSER.DAT", 2, "",
         "quillmark-inventory: cases/b/NTUSER.DAT: a user hive (NTUSER.DAT), not a SYSTEM hive\n"},
        {"cases/b/HOST1_SYSTEM.hve.LOG1", 2, "",
         "quillmark-inventory: cases/b/HOST1_SYSTEM.hve.LOG1: a transaction log, not a hive: read the hive file "
         "beside it\n"},
        {"cases/b/pipe", 2, "", "quillmark-inventory: cases/b/pipe: not a regular file\n"},
        {"empty", 2, "empty: cannot be read: empty file\n", "quillmark-inventory: empty: empty file\n"},
        {"text", 2, "", "quillmark-inventory: text: not a registry hive (no regf signature)\n"},
        {"truncated --format tsv", 2, "hive\ttruncated\nerror\thive\t", ""},
        {"missing", 2, "", "quillmark-inventory: missing: No such file or directory\n"},
        {"nothing", 2, "", "quillmark-inventory: nothing: no registry hive in this folder\n"},
        {"missing cases/a/SYSTEM", 2, "cases/a/SYSTEM: nothing third-party or unknown\n", ""},
        {"", 2, "", "quillmark-inventory: name at least one SYSTEM hive file or folder (see --help)\n"},
        {"--format xml cases", 2, "", "quillmark-inventory: --format is text, tsv or jsonl, not 'xml' (see --help)\n"},
        {"--jobs 0 cases", 2, "", "quillmark-inventory: --jobs wants a whole number above 0, not '0' (see --help)\n"},
        {"--format", 2, "", "quillmark-inventory: --format needs a value (see --help)\n"},
        {"--format=tsv cases/a/SYSTEM", 0, "hive\tcases/a/SYSTEM\ncontrolset\tControlSet001\n", ""},
        {"--al cases", 2, "", "quillmark-inventory: unknown option '--al' (see --help)\n"},
        {"--help", 0, "Usage: quillmark-inventory [options] HIVE|FOLDER...\n", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const ProgramRun run = Inventory(row.arguments);
        EXPECT_EQ(row.status, run.status);
        EXPECT_NE(std::string::npos, run.out.find(row.out)) << run.out;
        if (*row.err || row.status == 0) {
            EXPECT_EQ(row.err, run.err);
        }
        if (row.status == 2 && !*row.err) {
            EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << run.err;
        }
    }
}

// SYSTEM hives by their content, whatever their names; none twice.
TEST_F(CommandLine, ReportsTheHivesOfAFolderInPathOrder) {
    const ProgramRun run = Inventory("--format tsv cases/a/SYSTEM cases");
    EXPECT_EQ("hive\tcases/a/SYSTEM\nhive\tcases/b/HOST1_SYSTEM.hve\nhive\tcases/b/deeper/system\n", [&] {
        std::string hives;
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("hive\t", 0) == 0) hives += line + "\n";
        return hives;
    }());
}

TEST_F(CommandLine, WritesOneJsonObjectPerEntry) {
    const ProgramRun run = Inventory("--format jsonl cases/b/deeper/system");
    EXPECT_EQ(1, run.status);
    EXPECT_NE(
        std::string::npos,
        run.out.find("{\"hive\":\"cases/b/deeper/system\",\"block\":\"services\",\"mark\":\"3p\",\"group\":\"NDIS\","
                     "\"name\":\"Acme\",\"type\":1,\"start\":3,\"imagePath\":\"C:\\\\Acme\\\\acme.sys\","
                     "\"displayName\":null,\"typeText\":\"kernel driver\",\"startText\":\"manual\",\"inf\":null,"
                     "\"vendor\":null,\"lastWrite\":null}\n"))
        << run.out;
    EXPECT_EQ(0u, run.out.find("{\"hive\":\"cases/b/deeper/system\",\"controlSet\":\"ControlSet001\","
                               "\"thirdParty\":1,\"unknown\":0,\"suspicious\":0,\"errors\":0}\n"))
        << run.out;
    EXPECT_NE(std::string::npos,
              Inventory("--format jsonl empty").out.find("{\"hive\":\"empty\",\"error\":\"empty file\"}\n"));
}

TEST_F(CommandLine, ShowsLayeredWinsockProvidersAlwaysAndWritesErrorRecords) {
    const TestHive catalog("[Select]\nCurrent=dword:1\n" + WinsockCatalogKeys());
    const std::string text = RunInventory(folder_, "'" + catalog.Path() + "'").out;
    EXPECT_NE(std::string::npos, text.find("Acme LSP")) << text;
    EXPECT_NE(std::string::npos, text.find("Acme over Tcpip")) << text;
    EXPECT_EQ(std::string::npos, text.find("MSAFD Tcpip")) << text;
    EXPECT_NE(
        std::string::npos,
        RunInventory(folder_, "--format jsonl '" + catalog.Path() + "'")
            .out.find("\"block\":\"winsock-protocols\",\"error\":\"no PackedCatalogItem (REG_BINARY)\","
                      "\"where\":\"Services\\\\WinSock2\\\\Parameters\\\\Protocol_Catalog9\\\\Catalog_Entries64\\\\"
                      "000000000002\"}\n"));
}

TEST_F(CommandLine, TextShowsWindowsOwnEntriesOnlyWhenAskedTo) {
    const ProgramRun found = Inventory("cases/b/deeper/system");
    EXPECT_NE(std::string::npos, found.out.find("cases/b/deeper/system: 1 third-party\n")) << found.out;
    EXPECT_NE(std::string::npos, found.out.find("Acme")) << found.out;
    EXPECT_EQ(std::string::npos, found.out.find("Tcpip")) << found.out;
    EXPECT_NE(std::string::npos, Inventory("--all cases/b/deeper/system").out.find("Tcpip"));
}

// The verdicts come first, in words; a third-party WFP provider's callouts
// and filters are counts on its line unless --all; a firewall rule's fields
// are JSON members by their own keys.
TEST_F(CommandLine, PutsVerdictsFirstAndFoldsAProvidersObjects) {
    const std::string policy = "[ControlSet001\\Services\\SharedAccess\\Parameters\\FirewallPolicy";
    const TestHive silenced("[Select]\nCurrent=dword:1\n" + WfpObjectKeys() + policy +
                            "\\PublicProfile]\nEnableFirewall=dword:0\n" + policy +
                            "\\FirewallRules]\nOut=sz:v2.30|Action=Block|Active=TRUE|Dir=Out|App=C:\\EDR\\agent.exe|"
                            "LPort=80|LPort=443|mark=os|Name=Quiet|\n");
    const ProgramRun run = RunInventory(folder_, "'" + silenced.Path() + "'");
    EXPECT_EQ(1, run.status);
    const std::string agent = "\\device\\harddiskvolume2\\program files\\edr\\agent.exe";
    EXPECT_EQ(silenced.Path() +
                  ": 4 third-party, 7 unknown; 4 suspicious\n"
                  "  control set ControlSet001\n"
                  "  WFP filter blocks " +
                  agent + " from connecting (provider: none)\n  WFP filter blocks " + agent +
                  " from connecting (provider: Microsoft Corporation)\n"
                  "  Windows Firewall is off for the public profile\n"
                  "  Firewall rule blocks C:\\EDR\\agent.exe from connecting (rule: Quiet)\n",
              run.out.substr(0, run.out.find("\n\n") + 1));
    const char* acmeFilter = "{F0000000-0000-0000-0000-000000000005}";
    EXPECT_EQ(std::string::npos, run.out.find(acmeFilter)) << run.out;
    EXPECT_NE(std::string::npos, RunInventory(folder_, "--all '" + silenced.Path() + "'").out.find(acmeFilter));
    const std::string json = RunInventory(folder_, "--format jsonl '" + silenced.Path() + "'").out;
    const std::string jsonAgent = "\\\\device\\\\harddiskvolume2\\\\program files\\\\edr\\\\agent.exe";
    EXPECT_NE(std::string::npos,
              json.find("\"conditions\":[{\"field\":\"ALE_APP_ID\",\"match\":\"=\",\"value\":\"" + jsonAgent + "\"}]"));
    EXPECT_NE(std::string::npos, json.find("\"block\":\"firewall-rules\",\"mark\":\"3p\",\"id\":\"Out\",\"version\":"
                                           "\"v2.30\",\"Action\":\"Block\",\"Active\":\"TRUE\",\"Dir\":\"Out\","
                                           "\"App\":\"C:\\\\EDR\\\\agent.exe\",\"LPort\":[\"80\",\"443\"],"
                                           "\"rule.mark\":\"os\",\"Name\":\"Quiet\"}\n"))
        << json;
}

// A dirty hive whose log (named in lower case) holds a service the hive file
// lacks: read with the log replayed in memory unless --no-logs, written
// recovered only by --recover to a new file; the evidence stays as it was.
TEST_F(CommandLine, ReplaysTheLogsOfADirtyHiveWithoutWritingBesideIt) {
    constexpr std::uint32_t kSequence = 2107;
    const std::string base = std::string(kWindowsOnly) + "\n";
    Bytes hive = TestHive(base).Bytes();
    const Bytes changed = TestHive(base + "[ControlSet001\\Services\\Hidden]\nGroup=sz:NDIS\n").Bytes();
    SetHeaderField(hive, 8, kSequence);
    SetHeaderField(hive, 4, kSequence + 1);
    std::filesystem::create_directories(folder_ + "/evidence");
    WriteFile(folder_ + "/evidence/SYSTEM", hive);
    const Bytes log = WriteNewFormatLog(hive, {{kSequence, &hive, &changed}}).bytes;
    WriteFile(folder_ + "/evidence/system.log1", log);
    WriteFile(folder_ + "/taken", {});

    const std::string replayed = "note\treplayed system.log1: 1 entry, sequence 2107\n";
    const std::string hidden = "svc\t?\tNDIS\tHidden\t";
    const struct {
        const char* arguments;
        int status;
        std::string out;  // a part of standard output
        bool hiddenShown;
        std::string err;
    } rows[] = {
        {"--format tsv evidence/SYSTEM", 1, replayed, true, ""},
        {"--format tsv evidence", 1, replayed, true, ""},
        {"--format tsv --no-logs evidence/SYSTEM", 0,
         "note\tthe hive is dirty: changes still in its transaction logs are not read (--no-logs)\n", false, ""},
        {"--recover recovered evidence/SYSTEM", 0, "recovered: replayed system.log1: 1 entry, sequence 2107\n", false,
         ""},
        {"--format tsv recovered", 1, "controlset\tControlSet001\n[services]", true, ""},
        {"--recover taken evidence/SYSTEM", 2, "", false,
         "quillmark-inventory: evidence/SYSTEM: cannot write taken: it exists already\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        const ProgramRun run = Inventory(row.arguments);
        EXPECT_EQ(row.status, run.status) << run.err;
        EXPECT_NE(std::string::npos, run.out.find(row.out)) << run.out;
        EXPECT_EQ(row.hiddenShown, run.out.find(hidden) != std::string::npos) << run.out;
        EXPECT_EQ(row.err, run.err);
    }
    EXPECT_EQ(std::string(hive.begin(), hive.end()), ReadAll(folder_ + "/evidence/SYSTEM"));
    EXPECT_EQ(std::string(log.begin(), log.end()), ReadAll(folder_ + "/evidence/system.log1"));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(folder_ + "/evidence"), {}));
}

}  // namespace
}  // namespace inventory::test
