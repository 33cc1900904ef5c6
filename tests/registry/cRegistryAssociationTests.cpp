#include <gtest/gtest.h>

#include <map>

#include "ProgramFile.h"
#include "Raises.h"
#include "RegistryFixture.h"
#include "Text.h"

namespace {

// The unnamed value of each key below a root as "type:text", by key path;
// a named value shows its name after the path.
using Layout = std::map<std::wstring, std::string>;

std::string Text(const std::string& text, DWORD type = REG_SZ) {
    return std::to_string(type) + ":" + text;
}

const std::string kProgram = "\"C:\\App\\app.exe\"";

// What CreateEXEAssociation(C:\App\app.exe, AppFile, App File, apf) writes
// with no optional verb and no icon.
Layout BaseLayout() {
    return {{L".apf", Text("AppFile")},
            {L"AppFile", Text("App File")},
            {L"AppFile\\shell\\open", Text("&Open")},
            {L"AppFile\\shell\\open\\command", Text(kProgram + " \"%1\"")}};
}

}  // namespace

class cRegistryAssociation : public RegistryTest {
protected:
    // Both copies hold exactly `expected`: the classes root itself and
    // SOFTWARE\Classes below the machine root, with nothing else written.
    void ExpectBothRoots(const Layout& expected) {
        EXPECT_EQ(expected, LayoutBelow(L"ClassesRoot", L"")) << "below HKEY_CLASSES_ROOT";
        EXPECT_EQ(expected, LayoutBelow(L"LocalMachine", L"SOFTWARE\\Classes\\")) << "below HKEY_LOCAL_MACHINE";
        EmptyRoots();
    }

    Layout LayoutBelow(const std::wstring& root, const std::wstring& prefix) const {
        Layout layout;
        for (const auto& [where, raw] : scratch.ValuesBelow(root)) {
            const std::size_t split = where.rfind(L'\\');
            std::wstring key = where.substr(0, split);
            key = key.compare(0, prefix.size(), prefix) == 0 ? key.substr(prefix.size()) : L"<outside> " + key;
            if (split + 1 < where.size()) key += L" value " + where.substr(split + 1);
            std::string text(raw.bytes.begin(), raw.bytes.end());
            if (!text.empty() && text.back() == '\0')
                text.pop_back();
            else
                text += "<no terminator>";
            layout[key] = Text(text, raw.type);
        }
        return layout;
    }
};

TEST_F(cRegistryAssociation, WritesClassVerbsAndIconUnderBothRoots) {
    const auto verbs = [](std::string open, std::string print, std::string install, std::string create) {
        Layout layout = BaseLayout();
        layout[L"AppFile\\shell\\open"] = Text(open);
        layout[L"AppFile\\shell\\print"] = Text(print);
        layout[L"AppFile\\shell\\print\\command"] = Text(kProgram + " /p \"%1\"");
        layout[L"AppFile\\shell\\add"] = Text(install);
        layout[L"AppFile\\shell\\add\\command"] = Text(kProgram + " /a \"%1\"");
        layout[L"AppFile\\shell\\new"] = Text(create);
        layout[L"AppFile\\shell\\new\\command"] = Text(kProgram + " /n \"%1\"");
        return layout;
    };
    const auto icon = [](std::int32_t index) {
        Layout layout = BaseLayout();
        layout[L"AppFile\\DefaultIcon"] = Text(kProgram + "," + std::to_string(index));
        return layout;
    };
    reg.SetValueKey(L"name");
    reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf");
    ExpectBothRoots(BaseLayout());
    EXPECT_EQ((Properties{kMachine, L"AppFile\\shell\\open\\command", L"", REG_SZ, RegistryValue(), L""}),
              PropertiesOf(reg));
    reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"", true, L"", true, L"", true);
    ExpectBothRoots(verbs("&Open", "&Print", "&Install apf", "&New"));
    reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"O", true, L"P", true, L"N", true,
                             L"I");
    ExpectBothRoots(verbs("O", "P", "I", "N"));
    for (const std::int32_t index : {-1, -7, 0, 12}) {
        SCOPED_TRACE(index);
        reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"&Open", false, L"&Print",
                                 false, L"&New", false, L"", index);
        ExpectBothRoots(index < 0 ? BaseLayout() : icon(index));
    }
}

TEST_F(cRegistryAssociation, QuotesAndTrimsTheProgramPath) {
    const std::pair<std::wstring, std::string> rows[] = {
        {L"\"C:\\App\\app.exe\"", kProgram},
        {L"   C:\\App\\app.exe  ", kProgram},
        {L"  \"C:\\Program Files\\app.exe\" ", "\"C:\\Program Files\\app.exe\""},
        {L"\"C:\\App\\app.exe", kProgram},
        {L"C:\\App\\app.exe\"", kProgram},
        {L"", "\""},
        {L"   ", "\""},
        {L"%ProgramFiles%\\app.exe", "\"%ProgramFiles%\\app.exe\""},
    };
    for (const auto& [path, quoted] : rows) {
        SCOPED_TRACE(testing::PrintToString(path));
        reg.CreateEXEAssociation(path, L"AppFile", L"App File", L"apf", L"", false, L"", false, L"", false, L"", 3);
        // A pair of percent signs makes every value that holds the path expandable.
        const DWORD type = quoted.find('%') == std::string::npos ? REG_SZ : REG_EXPAND_SZ;
        Layout expected = BaseLayout();
        expected[L"AppFile\\shell\\open\\command"] = Text(quoted + " \"%1\"", type);
        expected[L"AppFile\\DefaultIcon"] = Text(quoted + ",3", type);
        ExpectBothRoots(expected);
    }
}

TEST_F(cRegistryAssociation, StopsAtTheFirstFailureKeepingWhatCameBefore) {
    // A verb key made volatile cannot take its (non-volatile) command key.
    const wchar_t* const verbs[] = {L"print", L"add", L"new"};
    const char* const options[] = {" /p ", " /a ", " /n "};
    const std::wstring machineShell = L"LocalMachine\\SOFTWARE\\Classes\\AppFile\\shell\\";
    for (int blocked = 0; blocked < 3; ++blocked) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(verbs[blocked])));
        scratch.CreateKey(L"ClassesRoot\\AppFile\\shell");
        scratch.CreateVolatileKey(L"ClassesRoot\\AppFile\\shell\\" + std::wstring(verbs[blocked]));
        cRegistry object;
        object.SetClassKey(kClasses);
        object.SetSectionKey(L"Before");
        object.SetValueKey(L"name");
        object.SetValueType(REG_DWORD);
        object.SetDefault(std::int32_t{7});
        const Properties before = PropertiesOf(object);
        EXPECT_TRUE(Raises(
            [&] {
                object.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"", true, L"", true,
                                            L"", true, L"", 0);
            },
            26001,
            L"Failed to set registry value Key: '-2147483648',Section: 'AppFile\\shell\\" +
                std::wstring(verbs[blocked]) + L"\\command',Key: '' to value: '" +
                FromAnsi(kProgram + options[blocked]) + L"\"%1\"'",
            ProgramName() + L".cRegistry"));
        EXPECT_EQ(before, PropertiesOf(object)) << "the object is left as the caller had it";
        for (int verb = 0; verb < 3; ++verb)
            EXPECT_EQ(verb < blocked, scratch.KeyExists(machineShell + verbs[verb] + L"\\command")) << verb;
        EXPECT_TRUE(scratch.KeyExists(machineShell + verbs[blocked])) << "its menu text came before its command";
        EXPECT_FALSE(scratch.KeyExists(L"ClassesRoot\\AppFile\\DefaultIcon"));
        ExpectBothRoots(LayoutBelow(L"ClassesRoot", L""));  // what came before stands under both roots
    }
    EXPECT_TRUE(Raises([&] { reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"", L"App File", L"apf"); }, 26001,
                       L"Failed to set registry value Key: '-2147483648',Section: '',Key: '' to value: 'App File'"))
        << "an empty class name would write the value of the classes root itself";
    ExpectBothRoots({{L".apf", Text("")}});
}

TEST_F(cRegistryAssociation, AddsVerbsToAClassOfTheClassesRootSkippingOnesThatCannotBeWritten) {
    scratch.CreateKey(L"ClassesRoot\\AppFile\\shell");
    scratch.CreateVolatileKey(L"ClassesRoot\\AppFile\\shell\\locked");
    reg.SetValueKey(L"name");
    reg.CreateAdditionalEXEAssociations(
        L"AppFile", {L"", L"&Nameless", L"nameless.exe", L"edit", L"&Edit", L"notepad.exe \"%1\"", L"locked",
                     L"&Locked", L"locked.exe", L"view", L"&View", L"viewer.exe %1 %2", std::int32_t{5}, 1.5, L"x"});
    // The nameless verb would have written the value of the shell key
    // itself, which names the default verb.
    ExpectBothRoots({{L"AppFile\\shell\\edit", Text("&Edit")},
                     {L"AppFile\\shell\\edit\\command", Text("notepad.exe \"%1\"")},
                     {L"AppFile\\shell\\locked", Text("&Locked")},
                     {L"AppFile\\shell\\view", Text("&View")},
                     {L"AppFile\\shell\\view\\command", Text("viewer.exe %1 %2", REG_EXPAND_SZ)},
                     {L"AppFile\\shell\\5", Text("1.5")},
                     {L"AppFile\\shell\\5\\command", Text("x")}});
    EXPECT_EQ((Properties{kMachine, L"AppFile\\shell\\5\\command", L"", REG_SZ, RegistryValue(), L""}),
              PropertiesOf(reg));
}

TEST_F(cRegistryAssociation, AdditionalVerbsRaiseTheirErrorsAndWriteNothing) {
    scratch.CreateKey(L"ClassesRoot\\AppFile");
    scratch.CreateKey(L"LocalMachine\\Elsewhere");
    const std::wstring invalidItems =
        L"Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command";
    const std::wstring classMissing = L"Error - attempt to create additional associations before class defined.";
    const std::vector<RegistryValue> triple = {L"edit", L"&Edit", L"edit.exe"};
    struct Row {
        std::wstring className;
        std::vector<RegistryValue> items;
        std::int32_t number;
        std::wstring description;
    };
    const Row rows[] = {
        {L"AppFile", {L"edit"}, cRegistry::kErrInvalidItems, invalidItems},
        {L"AppFile", {L"edit", L"&Edit"}, cRegistry::kErrInvalidItems, invalidItems},
        {L"AppFile", {L"edit", L"&Edit", L"edit.exe", L"view"}, cRegistry::kErrInvalidItems, invalidItems},
        {L"Missing", {L"a", L"b", L"c", L"d"}, cRegistry::kErrInvalidItems, invalidItems},
        {L"Missing", triple, cRegistry::kErrClassMissing, classMissing},
        // The object's own root does not count, only the classes root.
        {L"Elsewhere", triple, cRegistry::kErrClassMissing, classMissing},
        {L"", triple, cRegistry::kErrClassMissing, classMissing},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(row.className) << " " << row.items.size());
        cRegistry object;
        object.SetClassKey(kMachine);
        object.SetSectionKey(L"Before");
        const Properties before = PropertiesOf(object);
        EXPECT_TRUE(Raises([&] { object.CreateAdditionalEXEAssociations(row.className, row.items); }, row.number,
                           row.description, ProgramName() + L".cRegistry"));
        EXPECT_EQ(before, PropertiesOf(object));
        EXPECT_EQ(Layout{}, LayoutBelow(L"ClassesRoot", L""));
        EXPECT_EQ(Layout{}, LayoutBelow(L"LocalMachine", L""));
    }
}
