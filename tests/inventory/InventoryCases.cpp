#include "InventoryCases.h"

#include <algorithm>

#include "FuzzSeeds.h"

namespace inventory::test {

std::string Lines(std::string text) {
    std::replace(text.begin(), text.end(), '|', '\t');
    return text + "\n";
}

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
        Rule("Store", "v2.30|Action=Allow|Active=TRUE|Dir=Out|App=%ProgramFiles%\\WindowsApps\\x.exe|Name=Store app|") +
        Rule("CoreNet-DHCP-In",
             "v2.30|Action=Allow|Active=TRUE|Dir=In|Protocol=17|LPort=68|RPort=67|"
             "App=%SystemRoot%\\system32\\svchost.exe|Svc=dhcp|Name=@FirewallAPI.dll,-25301|") +
        Rule("CoreNet-IGMP", "v2.30|Action=Allow|Dir=In|Protocol=2|App=System|Name=@FirewallAPI.dll,-25377|") +
        Rule("CoreNet-Teredo", "v2.30|Action=Allow|Dir=In|Name=@FirewallAPI.dll,-25326|") +
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
         Lines(R"([firewall-profiles] n=3
fwprof|domain|1|1|0|0
fwprof|private|-|-|-|-
fwprof|public|0|-|-|-)")},
        {"firewall-rules: marks, repeated and missing keys, what does not parse, a value that is not text", "",
         "firewall-rules", Lines(R"([firewall-rules] n=13
fwrule|3p|Acme-In|Allow|TRUE|In|6|Private,Public|"C:\Program Files\Acme\acme.exe"|acmesvc|80,443|1024-65535|10.0.0.0/8,LocalSubnet,fe80::/64|Acme
fwrule|?|Broken|-|-|In=Out|-|all|-|-|-|-|-|ctl\x01name
fwrule|3p|Chat|Allow|TRUE|In|-|all|%LocalAppData%\Chat\chat.exe|-|-|-|-|@chat.exe,-1
fwrule|os|CoreNet-DHCP-In|Allow|TRUE|In|17|all|%SystemRoot%\system32\svchost.exe|dhcp|68|67|-|@FirewallAPI.dll,-25301
fwrule|os|CoreNet-IGMP|Allow|-|In|2|all|System|-|-|-|-|@FirewallAPI.dll,-25377
fwrule|os|CoreNet-Teredo|Allow|-|In|-|all|-|-|-|-|-|@FirewallAPI.dll,-25326
fwrule|?|Empty|-|-|-|-|all|-|-|-|-|-|-
fwrule|?|Store|Allow|TRUE|Out|-|all|%ProgramFiles%\WindowsApps\x.exe|-|-|-|-|Store app
fwrule|3p|{b0000000-0000-0000-0000-000000000000}|block|true|out|-|all|C:\x.exe|-|-|-|-|-
fwrule|3p|{B0000000-0000-0000-0000-000000000001}|Block|TRUE|Out|-|all|C:\Program Files\EDR\agent.exe|-|-|-|-|@FirewallAPI.dll,-1
fwrule|3p|{B0000000-0000-0000-0000-000000000002}|Block|TRUE|In|-|all|C:\EDR\agent.exe|-|-|-|-|-
fwrule|3p|{B0000000-0000-0000-0000-000000000003}|Block|FALSE|Out|-|all|C:\EDR\a.exe|-|-|-|-|-
fwrule|?|{B0000000-0000-0000-0000-000000000004}|Block|TRUE|Out|-|all|-|-|-|-|192.0.2.1|-
error|Services\SharedAccess\Parameters\FirewallPolicy\FirewallRules\NotText|not a text value)")},
        {"firewall-suspicious: profiles off, then active outbound blocks on a program, any case", "",
         "firewall-suspicious", Lines(R"([firewall-suspicious] n=3
fwsusp|profile-off|public|-|-
fwsusp|rule-blocks|{b0000000-0000-0000-0000-000000000000}|C:\x.exe|-
fwsusp|rule-blocks|{B0000000-0000-0000-0000-000000000001}|C:\Program Files\EDR\agent.exe|@FirewallAPI.dll,-1
error|Services\SharedAccess\Parameters\FirewallPolicy\FirewallRules\NotText|not a text value)")},
        {"Windows XP: two profiles and no rules",
         std::string(kPolicy) + "\\DomainProfile]\n" + kPolicy + "\\StandardProfile]\nEnableFirewall=dword:1\n",
         "firewall-rules", Lines(R"([firewall-rules] n=0
absent|Services\SharedAccess\Parameters\FirewallPolicy\FirewallRules)")},
        {"no firewall policy", "[ControlSet001\\Services]", "firewall-profiles", Lines(R"([firewall-profiles] n=0
absent|Services\SharedAccess\Parameters\FirewallPolicy)")},
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
             "services", Lines(R"([services] n=5
svc|3p|NDIS|Acme|1|3| "C:\Program Files\Acme\acme.sys"|Acme Filter
svc|3p|TDI|AFD|-|-|\??\D:\evil\afd.sys|(absent)
svc|?|TDI|Shadow|-|-|\??\C:\Windows\system32\drivers\shadow.sys|(absent)
svc|3p|Streams Drivers|Spy|-|-|%ProgramFiles%\Spy\spy.sys|(absent)
svc|os|pnp_tdi|tcpip|1|0|\SystemRoot\System32\drivers\tcpip.sys|@%SystemRoot%\system32\tcpipcfg.dll,-50003)")},

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
             "services", Lines(R"([services] n=9
svc|?|NDIS|BangOnly|-|-|(absent)|(absent)
svc|3p|NDIS|ByAdapter|-|-|(absent)|(absent)
svc|3p|PNP_TDI|ByCoService|-|-|(absent)|(absent)
svc|3p|NetworkProvider|ByDisplayName|-|-|(absent)|@oem7.inf,%svc%;Acme Redirector
svc|3p|NDIS|ByFilter|-|-|(absent)|(absent)
svc|os|NDIS|ByWindowsInf|-|-|(absent)|(absent)
svc|os|NDIS|MixedOwners|-|-|(absent)|(absent)
svc|?|NDIS|Nobody|-|-|(absent)|(absent)
svc|3p|NDIS|OemOwned|-|-|(absent)|(absent))")},

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
             "svc\t?\tnetworkprovider\tG6\t-\t-\tAB\t\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBDx\xEF\xBF\xBD\n"},

            // Windows writes Monitoring and Optional only when they are 1.
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
             "ndis-filters", Lines(R"([ndis-filters] n=8
lwf|3p|{AAAAAAAA-0000-0000-0000-000000000001}|lwf|acme_lwf|AcmeLwf|firewall_upper|modifying|mandatory|2|oem3.inf|Acme LWF
lwf|os|{AAAAAAAA-0000-0000-0000-000000000002}|im|ms_pssched|Psched|(absent)|monitoring|optional|1|netpsa.inf|(absent)
lwf|os|{AAAAAAAA-0000-0000-0000-000000000003}|lwf|vms_pp|(absent)|(absent)|-|-|0|(absent)|(absent)
lwf|?|{AAAAAAAA-0000-0000-0000-000000000004}|lwf|(absent)|(absent)|(absent)|-|-|0|(absent)|(absent)
lwf|3p|{AAAAAAAA-0000-0000-0000-000000000005}|lwf|x_win10|(absent)|compression|modifying|optional|0|oem8.inf|(absent)
lwf|?|{AAAAAAAA-0000-0000-0000-000000000007}|lwf|(absent)|(absent)|(absent)|modifying|mandatory|0|(absent)|(absent)
lwf|?|{AAAAAAAA-0000-0000-0000-000000000008}|lwf|(absent)|(absent)|scheduler|modifying|mandatory|0|(absent)|(absent)
lwf|?|{AAAAAAAA-0000-0000-0000-000000000009}|lwf|(absent)|(absent)|(absent)|-|-|0|(absent)|(absent))")},

            {"adapter-filters: the bindings of each adapter by component id",
             "",  // the keys of the case before
             "adapter-filters", Lines(R"([adapter-filters] n=2
bind|0000|{ADAPTER0}|Intel Gigabit|acme_lwf,ms_pssched
bind|0001|(absent)|(absent)|acme_lwf,acme_lwf,{BBBBBBBB-0000-0000-0000-000000000009})")},

            {"ndis-filters: no adapter keeps a FilterList (Windows XP)",
             R"([ControlSet001\Control\Network\{4D36E974-E325-11CE-BFC1-08002BE10318}\{aaaaaaaa-0000-0000-0000-000000000001}]
            Characteristics=dword:0x400
            [ControlSet001\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\0000\Linkage]
            UpperBind=multi:Tcpip)",
             "ndis-filters", Lines(R"([ndis-filters] n=1
lwf|?|{AAAAAAAA-0000-0000-0000-000000000001}|im|(absent)|(absent)|(absent)|-|-|-|(absent)|(absent))")},

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
             "ndis-protocols", Lines(R"([ndis-protocols] n=3
proto|os|{CCCCCCCC-0000-0000-0000-000000000001}|ms_tcpip|Tcpip|2|nettcpip.inf|Internet Protocol
proto|3p|{CCCCCCCC-0000-0000-0000-000000000002}|acme_proto|AcmeProto|1|oem2.inf|(absent)
proto|?|{CCCCCCCC-0000-0000-0000-000000000003}|(absent)|(absent)|-|(absent)|(absent))")},

            {"network-providers: stored order, provider paths and the list",
             R"([ControlSet001\Control\NetworkProvider\Order]
            ProviderOrder=sz:RDPNP,AcmeNP,,LanmanWorkstation,Mystery
            [ControlSet001\Services\AcmeNP\NetworkProvider]
            ProviderPath=sz:C:\Program Files\Acme\np.dll
            [ControlSet001\Services\LanmanWorkstation\NetworkProvider]
            ProviderPath=expand:%SystemRoot%\System32\ntlanman.dll
            [ControlSet001\Services\RDPNP\NetworkProvider]
            ProviderPath=sz:C:\Evil\rdpnp.dll)",
             "network-providers", Lines(R"([network-providers] n=4
netprov|3p|1|RDPNP|C:\Evil\rdpnp.dll
netprov|3p|2|AcmeNP|C:\Program Files\Acme\np.dll
netprov|os|3|LanmanWorkstation|%SystemRoot%\System32\ntlanman.dll
netprov|?|4|Mystery|(absent))")},

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
             "winsock-namespaces", Lines(R"([winsock-namespaces] n=4
nsp|3p|32|000000000001|(absent)|-|-|C:\Windows\System32\mswsock.dll|(absent)
nsp|os|32|000000000002|{22059D40-7E9E-11CF-AE5A-00AA00A7112B}|12|1|%SystemRoot%\System32\mswsock.dll|Tcpip
nsp|3p|64|000000000001|(absent)|-|-|%windir%\system32\evilnsp.dll|(absent)
nsp|os|64|000000000003|(absent)|-|-|%WINDIR%\SYSTEM32\NLAAPI.DLL|(absent))")},

            {"every block of a control set without the keys it reads", "[ControlSet001\\Control]", "",
             Lines(R"(controlset|ControlSet001)")},

            {"the absent lines of a control set without the keys it reads", "", "network-providers",
             Lines(R"([network-providers] n=0
absent|Control\NetworkProvider\Order)")},

            {"a Winsock catalog is absent without its 32-bit entries only", "", "winsock-protocols",
             Lines(R"([winsock-protocols] n=0
absent|Services\WinSock2\Parameters\Protocol_Catalog9\Catalog_Entries)")},

            {"Select\\Current names the control set",
             R"([Select]
            Current=dword:2
            [ControlSet001\Services\One]
            Group=sz:NDIS
            [ControlSet002\Services\Two]
            Group=sz:NDIS)",
             "", Lines(R"(controlset|ControlSet002)"), true},

            {"the control set Select\\Current names is read", "", "services", Lines(R"([services] n=1
svc|?|NDIS|Two|-|-|(absent)|(absent))"),
             true},

            {"without Select\\Current ControlSet001 is read, with a note",
             R"([Select]
            Default=dword:2
            [ControlSet001\Services])",
             "", Lines(R"(controlset|ControlSet001
note|Select\Current names no control set: ControlSet001 is read)"),
             true},

            {"a control set Select\\Current names that does not exist",
             R"([Select]
            Current=dword:3
            [ControlSet001\Services\One]
            Group=sz:NDIS)",
             "", Lines(R"(controlset|ControlSet003
note|ControlSet003 does not exist)"),
             true},
        };
        for (InventoryCase& binary : BinaryValueCases()) all.push_back(std::move(binary));
        for (InventoryCase& firewall : FirewallCases()) all.push_back(std::move(firewall));
        return all;
    }();
    return cases;
}

}  // namespace inventory::test
