#include "FuzzSeeds.h"
#include "InventoryCases.h"

namespace inventory::test {
namespace {

constexpr char kPolicy[] = "[ControlSet001\\Services\\SharedAccess\\Parameters\\FirewallPolicy";

std::string Rule(const std::string& id, const std::string& text) {
    KeepAsFuzzSeed("firewall_rule", std::vector<std::uint8_t>(text.begin(), text.end()));
    return id + "=sz:" + text + "\n";
}

}  // namespace

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

}  // namespace inventory::test
