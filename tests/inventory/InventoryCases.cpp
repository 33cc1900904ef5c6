#include "InventoryCases.h"

#include "FuzzSeeds.h"

namespace inventory::test {

namespace {

constexpr char kPolicy[] = "[ControlSet001\\Services\\SharedAccess\\Parameters\\FirewallPolicy";

std::string Rule(const std::string& id, const std::string& text) {
    KeepAsFuzzSeed("firewall_rule", std::vector<std::uint8_t>(text.begin(), text.end()));
    return id + "=sz:" + text + "\n";
}

// The Windows Firewall's profiles and rules: marks, the silencing rule and its
// near misses, and what does not parse.
std::vector<InventoryCase> FirewallCases() {
    const std::string rules = std::string(kPolicy) + "\\FirewallRules]\n";
    const std::string keys =
        std::string(kPolicy) + "\\DomainProfile]\nEnableFirewall=dword:1\nDefaultInboundAction=dword:1\n" +
        "DefaultOutboundAction=dword:0\nDisableNotifications=dword:0\n" + kPolicy +
        "\\StandardProfile]\nEnableFirewall=raw:4:01\n" + kPolicy + "\\PublicProfile]\nEnableFirewall=dword:0\n" +
        rules +
        // Marks: a program outside Windows, Windows' own by resource name and path, and neither.
        Rule("Acme-In",
             "v2.30|Action=Allow|Active=TRUE|Dir=In|Protocol=6|Profile=Private|Profile=Public|LPort=80|"
             "LPort=443|RPort=1024-65535|RA4=10.0.0.0/8|RA6=fe80::/64|RA4=LocalSubnet|"
             "App=\"C:\\Program Files\\Acme\\acme.exe\"|Svc=acmesvc|Name=Acme|Desc=" +
                 std::string(20000, 'd') + "|") +
        Rule("Chat", "v2.30|Action=Allow|Active=TRUE|Dir=In|App=%LocalAppData%\\Chat\\chat.exe|Name=@chat.exe,-1|") +
        Rule("Store", "v2.30|Action=Allow|Dir=Out|App=%ProgramFiles%\\WindowsApps\\x.exe|Name=Store app|") +
        Rule("CoreNet-DHCP-In",
             "v2.30|Action=Allow|Active=TRUE|Dir=In|Protocol=17|LPort=68|RPort=67|"
             "App=%SystemRoot%\\system32\\svchost.exe|Svc=dhcp|Name=@FirewallAPI.dll,-25301|") +
        Rule("CoreNet-IGMP", "v2.30|Action=Allow|Dir=In|Protocol=2|App=System|Name=@FirewallAPI.dll,-25377|") +
        Rule("CoreNet-Teredo", "v2.30|Action=Allow|Dir=In|Name=@FirewallAPI.dll,-25326|") +
        Rule("Plain-Named", "v2.30|Action=Allow|Dir=In|App=%SystemRoot%\\x.exe|Name=Not a resource|") +
        // The silencing rule and its near misses.
        Rule("{B0000000-0000-0000-0000-000000000001}",
             "v2.30|Action=Block|Active=TRUE|Dir=Out|"
             "App=C:\\Program Files\\EDR\\agent.exe|Name=@FirewallAPI.dll,-1|") +
        Rule("{B0000000-0000-0000-0000-000000000002}",
             "v2.30|Action=Block|Active=TRUE|Dir=In|App=C:\\EDR\\agent.exe|") +
        Rule("{B0000000-0000-0000-0000-000000000003}", "v2.30|Action=Block|Active=FALSE|Dir=Out|App=C:\\EDR\\a.exe|") +
        Rule("{B0000000-0000-0000-0000-000000000004}", "v2.30|Action=Block|Active=TRUE|Dir=Out|RA4=192.0.2.1|") +
        Rule("{b0000000-0000-0000-0000-000000000000}", "v2.30|action=block|active=true|dir=out|app=C:\\x.exe|") +
        // What does not parse whole is still listed as far as it goes.
        Rule("Broken", "no version\x01|Action|=|Dir=In=Out||Name=ctl\x01name") + Rule("Empty", "") +
        "NotText=hex:01,02\n";
    return {
        {"firewall-profiles: the three profiles in order, numbers as stored", keys, "firewall-profiles",
         "[firewall-profiles] n=3\n"
         "fwprof\tdomain\t1\t1\t0\t0\n"
         "fwprof\tprivate\t-\t-\t-\t-\n"
         "fwprof\tpublic\t0\t-\t-\t-\n",
         false},
        {"firewall-rules: marks, repeated and missing keys, what does not parse, a value that is not text", "",
         "firewall-rules",
         "[firewall-rules] n=14\n"
         "fwrule\t3p\tAcme-In\tAllow\tTRUE\tIn\t6\tPrivate,Public\t\"C:\\Program Files\\Acme\\acme.exe\"\tacmesvc\t"
         "80,443\t1024-65535\t10.0.0.0/8,LocalSubnet,fe80::/64\tAcme\n"
         "fwrule\t?\tBroken\t-\t-\tIn=Out\t-\tall\t-\t-\t-\t-\t-\tctl\\x01name\n"
         "fwrule\t3p\tChat\tAllow\tTRUE\tIn\t-\tall\t%LocalAppData%\\Chat\\chat.exe\t-\t-\t-\t-\t@chat.exe,-1\n"
         "fwrule\tos\tCoreNet-DHCP-In\tAllow\tTRUE\tIn\t17\tall\t%SystemRoot%\\system32\\svchost.exe\tdhcp\t68\t67\t-\t"
         "@FirewallAPI.dll,-25301\n"
         "fwrule\tos\tCoreNet-IGMP\tAllow\t-\tIn\t2\tall\tSystem\t-\t-\t-\t-\t@FirewallAPI.dll,-25377\n"
         "fwrule\tos\tCoreNet-Teredo\tAllow\t-\tIn\t-\tall\t-\t-\t-\t-\t-\t@FirewallAPI.dll,-25326\n"
         "fwrule\t?\tEmpty\t-\t-\t-\t-\tall\t-\t-\t-\t-\t-\t-\n"
         "fwrule\t?\tPlain-Named\tAllow\t-\tIn\t-\tall\t%SystemRoot%\\x.exe\t-\t-\t-\t-\tNot a resource\n"
         "fwrule\t?\tStore\tAllow\t-\tOut\t-\tall\t%ProgramFiles%\\WindowsApps\\x.exe\t-\t-\t-\t-\tStore app\n"
         "fwrule\t3p\t{b0000000-0000-0000-0000-000000000000}\tblock\ttrue\tout\t-\tall\tC:\\x.exe\t-\t-\t-\t-\t-\n"
         "fwrule\t3p\t{B0000000-0000-0000-0000-000000000001}\tBlock\tTRUE\tOut\t-\tall\t"
         "C:\\Program Files\\EDR\\agent.exe\t-\t-\t-\t-\t@FirewallAPI.dll,-1\n"
         "fwrule\t3p\t{B0000000-0000-0000-0000-000000000002}\tBlock\tTRUE\tIn\t-\tall\tC:\\EDR\\agent.exe\t-\t-\t"
         "-\t-\t-\n"
         "fwrule\t3p\t{B0000000-0000-0000-0000-000000000003}\tBlock\tFALSE\tOut\t-\tall\tC:\\EDR\\a.exe\t-\t-\t-\t-\t"
         "-\n"
         "fwrule\t?\t{B0000000-0000-0000-0000-000000000004}\tBlock\tTRUE\tOut\t-\tall\t-\t-\t-\t-\t192.0.2.1\t-\n"
         "error\tServices\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules\\NotText\tnot a text value\n",
         false},
        {"firewall-suspicious: profiles off, then active outbound blocks on a program, any case", "",
         "firewall-suspicious",
         "[firewall-suspicious] n=3\n"
         "fwsusp\tprofile-off\tpublic\t-\t-\n"
         "fwsusp\trule-blocks\t{b0000000-0000-0000-0000-000000000000}\tC:\\x.exe\t-\n"
         "fwsusp\trule-blocks\t{B0000000-0000-0000-0000-000000000001}\tC:\\Program Files\\EDR\\agent.exe\t"
         "@FirewallAPI.dll,-1\n"
         "error\tServices\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules\\NotText\tnot a text value\n",
         false},
        {"Windows XP: two profiles and no rules",
         std::string(kPolicy) + "\\DomainProfile]\n" + kPolicy + "\\StandardProfile]\nEnableFirewall=dword:1\n",
         "firewall-rules",
         "[firewall-rules] n=0\nabsent\tServices\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules\n", false},
        {"no firewall policy", "[ControlSet001\\Services]", "firewall-profiles",
         "[firewall-profiles] n=0\nabsent\tServices\\SharedAccess\\Parameters\\FirewallPolicy\n", false},
    };
}

}  // namespace

std::string BlockLines(const std::string& report, const std::string& block) {
    std::string lines;
    bool inside = block.empty();
    for (std::size_t begin = 0; begin < report.size();) {
        const std::size_t end = report.find('\n', begin);
        const std::string line = report.substr(begin, end - begin);
        begin = end == std::string::npos ? report.size() : end + 1;
        if (line[0] == '[') inside = line.rfind("[" + block + "]", 0) == 0;
        if (inside && line.rfind("hive\t", 0) != 0) lines += line + "\n";
    }
    return lines;
}

const std::vector<InventoryCase>& InventoryCases() {
    static const std::vector<InventoryCase> cases = [] {
        std::vector<InventoryCase> all = {
            {"services: an image path outside Windows wins over every list",
             R"([ControlSet001\Services\Acme]
            Group=sz:NDIS
            Type=dword:1
            Start=dword:3
            ImagePath=sz: "C:\Program Files\Acme\acme.sys"
            DisplayName=sz:Acme Filter
            [ControlSet001\Services\tcpip]
            Group=sz:pnp_tdi
            Type=dword:1
            Start=dword:0
            ImagePath=expand:\SystemRoot\System32\drivers\tcpip.sys
            DisplayName=sz:@%SystemRoot%\system32\tcpipcfg.dll,-50003
            Owners=multi:oem3.inf
            [ControlSet001\Services\Shadow]
            Group=sz:TDI
            ImagePath=sz:\??\C:\Windows\system32\drivers\shadow.sys
            [ControlSet001\Services\Spy]
            Group=sz:Streams Drivers
            ImagePath=expand:%ProgramFiles%\Spy\spy.sys
            [ControlSet001\Services\AFD]
            Group=sz:TDI
            ImagePath=sz:\??\D:\evil\afd.sys
            [ControlSet001\Services\NotNetwork]
            Group=sz:Base
            ImagePath=sz:C:\x\y.sys)",
             "services",
             "[services] n=5\n"
             "svc\t3p\tNDIS\tAcme\t1\t3\t \"C:\\Program Files\\Acme\\acme.sys\"\tAcme Filter\n"
             "svc\t3p\tTDI\tAFD\t-\t-\t\\??\\D:\\evil\\afd.sys\t(absent)\n"
             "svc\t?\tTDI\tShadow\t-\t-\t\\??\\C:\\Windows\\system32\\drivers\\shadow.sys\t(absent)\n"
             "svc\t3p\tStreams Drivers\tSpy\t-\t-\t%ProgramFiles%\\Spy\\spy.sys\t(absent)\n"
             "svc\tos\tpnp_tdi\ttcpip\t1\t0\t\\SystemRoot\\System32\\drivers\\tcpip.sys\t"
             "@%SystemRoot%\\system32\\tcpipcfg.dll,-50003\n",
             false},

            {"services: owners, components, adapters and display names as INF evidence",
             R"([ControlSet001\Services\OemOwned]
            Group=sz:NDIS
            Owners=multi:oem12.inf|!netfoo.inf
            [ControlSet001\Services\BangOnly]
            Group=sz:NDIS
            Owners=multi:!net.inf
            [ControlSet001\Services\MixedOwners]
            Group=sz:NDIS
            Owners=multi:oem1.inf|netvwifibus.inf
            [ControlSet001\Services\ByFilter]
            Group=sz:NDIS
            [ControlSet001\Services\ByCoService]
            Group=sz:PNP_TDI
            [ControlSet001\Services\ByAdapter]
            Group=sz:NDIS
            [ControlSet001\Services\ByWindowsInf]
            Group=sz:NDIS
            [ControlSet001\Services\ByDisplayName]
            Group=sz:NetworkProvider
            DisplayName=sz:@oem7.inf,%svc%;Acme Redirector
            [ControlSet001\Services\Nobody]
            Group=sz:NDIS
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{11111111-2222-3333-4444-555555555555}]
            InfPath=sz:oem4.inf
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{11111111-2222-3333-4444-555555555555}\Ndi]
            Service=sz:ByFilter
            CoServices=multi:ByFilter|ByCoService
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{22222222-2222-3333-4444-555555555555}]
            InfPath=sz:netwin.inf
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{22222222-2222-3333-4444-555555555555}\Ndi]
            Service=sz:ByWindowsInf
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001]
            InfPath=sz:oem9.inf
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001\Ndi]
            Service=sz:ByAdapter)",
             "services",
             "[services] n=9\n"
             "svc\t?\tNDIS\tBangOnly\t-\t-\t(absent)\t(absent)\n"
             "svc\t3p\tNDIS\tByAdapter\t-\t-\t(absent)\t(absent)\n"
             "svc\t3p\tPNP_TDI\tByCoService\t-\t-\t(absent)\t(absent)\n"
             "svc\t3p\tNetworkProvider\tByDisplayName\t-\t-\t(absent)\t@oem7.inf,%svc%;Acme Redirector\n"
             "svc\t3p\tNDIS\tByFilter\t-\t-\t(absent)\t(absent)\n"
             "svc\tos\tNDIS\tByWindowsInf\t-\t-\t(absent)\t(absent)\n"
             "svc\tos\tNDIS\tMixedOwners\t-\t-\t(absent)\t(absent)\n"
             "svc\t?\tNDIS\tNobody\t-\t-\t(absent)\t(absent)\n"
             "svc\t3p\tNDIS\tOemOwned\t-\t-\t(absent)\t(absent)\n",
             false},

            {"services: group spellings, value types and sizes, escapes",
             R"([ControlSet001\Services\G1]
            Group=sz:tdi
            Type=raw:4:0100
            Start=sz:2
            ImagePath=raw:1:61,00,09,00,62,00
            DisplayName=multi:First|Second
            [ControlSet001\Services\G2]
            Group=sz:TDI 
            [ControlSet001\Services\G3]
            Group=sz:PNP_TDIX
            [ControlSet001\Services\G4]
            Group=raw:4:01,00,00,00
            [ControlSet001\Services\G5]
            Group=multi:NDIS|Other
            Type=raw:4:10,00,00,00,01,00,00,00
            Start=dword:4
            ImagePath=raw:2:78,00,00,00,73,00
            [ControlSet001\Services\G6]
            Group=sz:networkprovider
            ImagePath=raw:1:41,00,42,00,43
            DisplayName=raw:1:e9,00,ac,20,3d,d8,00,de,3d,d8,78,00,00,de
            [ControlSet001\Services\G7]
            Type=dword:1)",
             "services",
             "[services] n=3\n"
             "svc\t?\ttdi\tG1\t-\t-\ta\\x09b\tFirst\n"
             "svc\t?\tNDIS\tG5\t16\t4\tx\t(absent)\n"
             "svc\t?\tnetworkprovider\tG6\t-\t-\tAB\t\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBDx\xEF\xBF\xBD\n",
             false},

            {"ndis-filters: kinds, Windows 10's NetworkSetup2 fallbacks, bindings and marks",
             R"([ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000001}]
            Characteristics=dword:0x40000
            ComponentId=sz:acme_lwf
            InfPath=sz:oem3.inf
            Description=sz:Acme LWF
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000001}\Ndi]
            Service=sz:AcmeLwf
            FilterClass=sz:firewall_upper
            FilterType=dword:2
            FilterRunType=dword:1
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000002}]
            Characteristics=dword:0x400
            ComponentId=sz:ms_pssched
            InfPath=sz:netpsa.inf
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000002}\Ndi]
            CoServices=multi:Psched|Other
            FilterType=dword:1
            FilterRunType=dword:2
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000003}]
            Characteristics=dword:0x40400
            ComponentId=sz:vms_pp
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000004}\Ndi\Interfaces]
            FilterMediaTypes=sz:ethernet
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000005}]
            ComponentId=sz:x_win10
            InfPath=sz:oem8.inf
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000005}\Ndi]
            FilterType=dword:2
            [ControlSet001\Control\NetworkSetup2\Filters\{aaaaaaaa-0000-0000-0000-000000000005}\Kernel]
            FilterClass=sz:compression
            Monitoring=dword:1
            Optional=dword:1
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000006}]
            Characteristics=dword:0x80
            ComponentId=sz:not_a_filter
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000007}]
            [ControlSet001\Control\NetworkSetup2\Filters\{AAAAAAAA-0000-0000-0000-000000000007}\Kernel]
            Monitoring=dword:0
            Optional=dword:0
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000008}]
            [ControlSet001\Control\NetworkSetup2\Filters\{aaaaaaaa-0000-0000-0000-000000000008}\Kernel]
            FilterClass=sz:scheduler
            [ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000009}]
            [ControlSet001\Control\NetworkSetup2\Filters\{aaaaaaaa-0000-0000-0000-000000000009}]
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0000]
            NetCfgInstanceId=sz:{ADAPTER0}
            DriverDesc=sz:Intel Gigabit
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0000\Linkage]
            FilterList=multi:{ADAPTER0}-{AAAAAAAA-0000-0000-0000-000000000001}-0000|{ADAPTER0}-{aaaaaaaa-0000-0000-0000-000000000002}-0000
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001\Linkage]
            FilterList=multi:{ADAPTER1}-{AAAAAAAA-0000-0000-0000-000000000001}-0000|{ADAPTER1}-{AAAAAAAA-0000-0000-0000-000000000001}-0001|{ADAPTER1}-{bbbbbbbb-0000-0000-0000-000000000009}-0000
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0002]
            DriverDesc=sz:No bindings
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\Properties\Linkage]
            FilterList=multi:{X}-{AAAAAAAA-0000-0000-0000-000000000001}-0000)",
             "ndis-filters",
             "[ndis-filters] n=8\n"
             "lwf\t3p\t{AAAAAAAA-0000-0000-0000-000000000001}\tlwf\tacme_lwf\tAcmeLwf\tfirewall_upper\tmodifying\t"
             "mandatory\t2\toem3.inf\tAcme LWF\n"
             "lwf\tos\t{AAAAAAAA-0000-0000-0000-000000000002}\tim\tms_pssched\tPsched\t(absent)\tmonitoring\t"
             "optional\t1\tnetpsa.inf\t(absent)\n"
             "lwf\tos\t{AAAAAAAA-0000-0000-0000-000000000003}\tlwf\tvms_pp\t(absent)\t(absent)\t-\t-\t0\t"
             "(absent)\t(absent)\n"
             "lwf\t?\t{AAAAAAAA-0000-0000-0000-000000000004}\tlwf\t(absent)\t(absent)\t(absent)\t-\t-\t0\t"
             "(absent)\t(absent)\n"
             "lwf\t3p\t{AAAAAAAA-0000-0000-0000-000000000005}\tlwf\tx_win10\t(absent)\tcompression\t"
             "modifying\toptional\t0\toem8.inf\t(absent)\n"
             "lwf\t?\t{AAAAAAAA-0000-0000-0000-000000000007}\tlwf\t(absent)\t(absent)\t(absent)\t"
             "modifying\tmandatory\t0\t(absent)\t(absent)\n"
             // Windows writes Monitoring and Optional only when they are 1.
             "lwf\t?\t{AAAAAAAA-0000-0000-0000-000000000008}\tlwf\t(absent)\t(absent)\tscheduler\t"
             "modifying\tmandatory\t0\t(absent)\t(absent)\n"
             "lwf\t?\t{AAAAAAAA-0000-0000-0000-000000000009}\tlwf\t(absent)\t(absent)\t(absent)\t-\t-\t0\t"
             "(absent)\t(absent)\n",
             false},

            {"adapter-filters: the bindings of each adapter by component id",
             "",  // the keys of the case before
             "adapter-filters",
             "[adapter-filters] n=2\n"
             "bind\t0000\t{ADAPTER0}\tIntel Gigabit\tacme_lwf,ms_pssched\n"
             "bind\t0001\t(absent)\t(absent)\tacme_lwf,acme_lwf,{BBBBBBBB-0000-0000-0000-000000000009}\n",
             false},

            {"ndis-filters: no adapter keeps a FilterList (Windows XP)",
             R"([ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000001}]
            Characteristics=dword:0x400
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0000\Linkage]
            UpperBind=multi:Tcpip)",
             "ndis-filters",
             "[ndis-filters] n=1\n"
             "lwf\t?\t{AAAAAAAA-0000-0000-0000-000000000001}\tim\t(absent)\t(absent)\t(absent)\t-\t-\t-\t"
             "(absent)\t(absent)\n",
             false},

            {"ndis-protocols: services, adapters bound by UpperBind, marks",
             R"([ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{cccccccc-0000-0000-0000-000000000001}]
            ComponentId=sz:ms_tcpip
            InfPath=sz:nettcpip.inf
            Description=sz:Internet Protocol
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{cccccccc-0000-0000-0000-000000000001}\Ndi]
            Service=sz:Tcpip
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{cccccccc-0000-0000-0000-000000000002}]
            ComponentId=sz:acme_proto
            InfPath=sz:oem2.inf
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{cccccccc-0000-0000-0000-000000000002}\Ndi]
            CoServices=multi:AcmeProto
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\{cccccccc-0000-0000-0000-000000000003}]
            [ControlSet001\Control\Network\{4D36E975-E325-11CE-BFC1-08002BE10318}\Descriptions]
            ms_tcpip=sz:not a component
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0000\Linkage]
            UpperBind=multi:Tcpip|AcmeProto
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0001\Linkage]
            UpperBind=multi:tcpip)",
             "ndis-protocols",
             "[ndis-protocols] n=3\n"
             "proto\tos\t{CCCCCCCC-0000-0000-0000-000000000001}\tms_tcpip\tTcpip\t2\tnettcpip.inf\tInternet Protocol\n"
             "proto\t3p\t{CCCCCCCC-0000-0000-0000-000000000002}\tacme_proto\tAcmeProto\t1\toem2.inf\t(absent)\n"
             "proto\t?\t{CCCCCCCC-0000-0000-0000-000000000003}\t(absent)\t(absent)\t-\t(absent)\t(absent)\n",
             false},

            {"network-providers: stored order, provider paths and the list",
             R"([ControlSet001\Control\NetworkProvider\Order]
            ProviderOrder=sz:RDPNP,AcmeNP,,LanmanWorkstation,Mystery
            [ControlSet001\Services\AcmeNP\NetworkProvider]
            ProviderPath=sz:C:\Program Files\Acme\np.dll
            [ControlSet001\Services\LanmanWorkstation\NetworkProvider]
            ProviderPath=expand:%SystemRoot%\System32\ntlanman.dll
            [ControlSet001\Services\RDPNP\NetworkProvider]
            ProviderPath=sz:C:\Evil\rdpnp.dll)",
             "network-providers",
             "[network-providers] n=4\n"
             "netprov\t3p\t1\tRDPNP\tC:\\Evil\\rdpnp.dll\n"
             "netprov\t3p\t2\tAcmeNP\tC:\\Program Files\\Acme\\np.dll\n"
             "netprov\tos\t3\tLanmanWorkstation\t%SystemRoot%\\System32\\ntlanman.dll\n"
             "netprov\t?\t4\tMystery\t(absent)\n",
             false},

            {"winsock-namespaces: both catalogs, Windows' own DLLs in the system folder",
             R"([ControlSet001\Services\WinSock2\Parameters\NameSpace_Catalog5\Catalog_Entries\000000000002]
            LibraryPath=expand:%SystemRoot%\System32\mswsock.dll
            DisplayString=sz:Tcpip
            ProviderId=hex:40,9d,05,22,9e,7e,cf,11,ae,5a,00,aa,00,a7,11,2b
            SupportedNameSpace=dword:12
            Enabled=dword:1
            [ControlSet001\Services\WinSock2\Parameters\NameSpace_Catalog5\Catalog_Entries\000000000001]
            LibraryPath=sz:C:\Windows\System32\mswsock.dll
            ProviderId=hex:01,02,03
            [ControlSet001\Services\WinSock2\Parameters\NameSpace_Catalog5\Catalog_Entries64\000000000003]
            LibraryPath=expand:%WINDIR%\SYSTEM32\NLAAPI.DLL
            SupportedNameSpace=raw:4:0f,00
            [ControlSet001\Services\WinSock2\Parameters\NameSpace_Catalog5\Catalog_Entries64\000000000001]
            LibraryPath=expand:%windir%\system32\evilnsp.dll
            ProviderId=raw:1:40,9d,05,22,9e,7e,cf,11,ae,5a,00,aa,00,a7,11,2b)",
             "winsock-namespaces",
             "[winsock-namespaces] n=4\n"
             "nsp\t3p\t32\t000000000001\t(absent)\t-\t-\tC:\\Windows\\System32\\mswsock.dll\t(absent)\n"
             "nsp\tos\t32\t000000000002\t{22059D40-7E9E-11CF-AE5A-00AA00A7112B}\t12\t1\t"
             "%SystemRoot%\\System32\\mswsock.dll\tTcpip\n"
             "nsp\t3p\t64\t000000000001\t(absent)\t-\t-\t%windir%\\system32\\evilnsp.dll\t(absent)\n"
             "nsp\tos\t64\t000000000003\t(absent)\t-\t-\t%WINDIR%\\SYSTEM32\\NLAAPI.DLL\t(absent)\n",
             false},

            {"every block of a control set without the keys it reads", "[ControlSet001\\Control]", "",
             "controlset\tControlSet001\n", false},

            {"the absent lines of a control set without the keys it reads", "", "network-providers",
             "[network-providers] n=0\nabsent\tControl\\NetworkProvider\\Order\n", false},

            {"a Winsock catalog is absent without its 32-bit entries only", "", "winsock-protocols",
             "[winsock-protocols] n=0\nabsent\tServices\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries\n",
             false},

            {"Select\\Current names the control set",
             R"([Select]
            Current=dword:2
            [ControlSet001\Services\One]
            Group=sz:NDIS
            [ControlSet002\Services\Two]
            Group=sz:NDIS)",
             "", "controlset\tControlSet002\n", true},

            {"the control set Select\\Current names is read", "", "services",
             "[services] n=1\nsvc\t?\tNDIS\tTwo\t-\t-\t(absent)\t(absent)\n", true},

            {"without Select\\Current ControlSet001 is read, with a note",
             R"([Select]
            Default=dword:2
            [ControlSet001\Services])",
             "", "controlset\tControlSet001\nnote\tSelect\\Current names no control set: ControlSet001 is read\n",
             true},

            {"a control set Select\\Current names that does not exist",
             R"([Select]
            Current=dword:3
            [ControlSet001\Services\One]
            Group=sz:NDIS)",
             "", "controlset\tControlSet003\nnote\tControlSet003 does not exist\n", true},
        };
        for (InventoryCase& binary : BinaryValueCases()) all.push_back(std::move(binary));
        for (InventoryCase& firewall : FirewallCases()) all.push_back(std::move(firewall));
        return all;
    }();
    return cases;
}

}  // namespace inventory::test
