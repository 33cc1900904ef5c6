#include <gtest/gtest.h>

#include <map>

#include "ProgramFile.h"
#include "Raises.h"
#include "RegistryFixture.h"
#include "Text.h"

namespace {

// The text values below a root as "key path\name: text" lines.
std::string Layout(const ScratchKey& scratch, const std::wstring& root) {
    std::string layout;
    for (const auto& [where, raw] : scratch.ValuesBelow(root)) {
        EXPECT_TRUE(raw.type == REG_SZ || raw.type == REG_EXPAND_SZ);
        EXPECT_TRUE(!raw.bytes.empty() && raw.bytes.back() == 0) << "a text with its terminator";
        layout += ToAnsi(where) + ": " + std::string(raw.bytes.begin(), raw.bytes.end() - !raw.bytes.empty()) + "\n";
    }
    return layout;
}

}  // namespace

// Extension, class, verbs and icon go under HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes,
// nothing else; the program path trimmed and quoted, an empty menu text the default.
TEST_F(RegistryTest, AssociationsAreWrittenUnderBothRoots) {
    const std::string base = ".apf\\: AppFile\nAppFile\\: App File\n";
    const auto open = [](const std::string& program) {
        return "AppFile\\shell\\open\\: &Open\nAppFile\\shell\\open\\command\\: " + program + " \"%1\"\n";
    };
    const std::string quoted = "\"C:\\App\\app.exe\"";
    const auto associate = [&](const std::wstring& path, bool verbs, std::int32_t icon) {
        reg.CreateEXEAssociation(path, L"AppFile", L"App File", L"apf", L"", verbs, L"", verbs, L"N", verbs, L"", icon);
    };
    const struct {
        std::function<void()> create;
        std::string layout;
    } rows[] = {
        {[&] { associate(L"C:\\App\\app.exe", false, -7); }, base + open(quoted)},
        {[&] { associate(L"  \"C:\\App\\app.exe\" ", false, 0); },
         base + "AppFile\\DefaultIcon\\: " + quoted + ",0\n" + open(quoted)},
        {[&] { associate(L"\"C:\\App\\app.exe", true, -1); },
         base + "AppFile\\shell\\add\\: &Install apf\nAppFile\\shell\\add\\command\\: " + quoted + " /a \"%1\"\n" +
             "AppFile\\shell\\new\\: N\nAppFile\\shell\\new\\command\\: " + quoted + " /n \"%1\"\n" + open(quoted) +
             "AppFile\\shell\\print\\: &Print\nAppFile\\shell\\print\\command\\: " + quoted + " /p \"%1\"\n"},
        {[&] { associate(L"   ", false, -1); }, base + open("\"")},
        // Verbs go to a class of the classes root; one that cannot be written (this one would set
        // the shell key's own value, its default verb) does not keep the others out.
        {[&] {
             reg.SetValueKey(L"name");
             reg.CreateAdditionalEXEAssociations(L"AppFile",
                                                 {L"", L"&Nameless", L"x.exe", std::int32_t{5}, 1.5, L"%a%"});
         },
         "AppFile\\shell\\5\\: 1.5\nAppFile\\shell\\5\\command\\: %a%\n"},
    };
    scratch.CreateKey(L"CR\\AppFile");
    for (const auto& row : rows) {
        row.create();
        EXPECT_EQ(row.layout, Layout(scratch, L"CR")) << "below HKEY_CLASSES_ROOT";
        EXPECT_EQ(row.layout, Layout(scratch, L"LM\\SOFTWARE\\Classes")) << "below HKEY_LOCAL_MACHINE";
        EXPECT_EQ(cRegistry::kHKeyLocalMachine, reg.ClassKey());
        EXPECT_EQ(L"", reg.ValueKey());
        EmptyRoots();
        scratch.CreateKey(L"CR\\AppFile");
    }
    // A class only below the object's own root is no class.
    scratch.CreateKey(L"LM\\Elsewhere");
    const Properties before = PropertiesOf(reg);
    const auto addVerb = [&] { reg.CreateAdditionalEXEAssociations(L"Elsewhere", {L"a", L"b", L"c"}); };
    EXPECT_TRUE(Raises(addVerb, cRegistry::kErrClassMissing,
                       L"Error - attempt to create additional associations before class defined.",
                       ProgramName() + L".cRegistry"));
    EXPECT_EQ(before, PropertiesOf(reg));
    EXPECT_EQ("", Layout(scratch, L"CR") + Layout(scratch, L"LM\\SOFTWARE"));
}
