#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "Error.h"
#include "OverriddenRootsFixture.h"
#include "ProgramFile.h"

namespace {

// One stored value: its type and its bytes, a text with its terminator.
struct Stored {
    DWORD type;
    std::string bytes;
    bool operator==(const Stored&) const = default;
};

void PrintTo(const Stored& stored, std::ostream* out) {
    *out << stored.type << ":" << testing::PrintToString(stored.bytes);
}

Stored Text(const std::string& text, DWORD type = REG_SZ) {
    return {type, text + '\0'};
}

// The unnamed value of each key, by key path below a root.
using Layout = std::map<std::wstring, Stored>;

const std::string kProgram = "\"C:\\App\\app.exe\"";

// What the worked example (C:\App\app.exe, AppFile, App File, apf) writes
// with no optional verb and no icon.
Layout BaseLayout() {
    return {
        {L".apf", Text("AppFile")},
        {L"AppFile", Text("App File")},
        {L"AppFile\\shell\\open", Text("&Open")},
        {L"AppFile\\shell\\open\\command", Text(kProgram + " \"%1\"")},
    };
}

}  // namespace

class cRegistryAssociation : public OverriddenRootsFixture {
protected:
    // Both copies must hold exactly `expected`: the classes root itself and
    // SOFTWARE\Classes below the machine root, with nothing else written there.
    void ExpectLayoutUnderBothRoots(const Layout& expected) const {
        EXPECT_EQ(expected, LayoutBelow(kClassesRoot, L"")) << "below HKEY_CLASSES_ROOT";
        EXPECT_EQ(expected, LayoutBelow(kLocalMachine, L"SOFTWARE\\Classes\\")) << "below HKEY_LOCAL_MACHINE";
    }

    // The values below `prefix` of a root, by key path after the prefix;
    // anything outside the prefix shows up marked as such.
    Layout LayoutBelow(const std::wstring& root, const std::wstring& prefix) const {
        Layout layout;
        for (const auto& [where, raw] : scratch.ValuesBelow(root)) {
            // where is the key path, a backslash and the value name.
            const std::size_t split = where.rfind(L'\\');
            const std::wstring path = where.substr(0, split);
            const std::wstring name = where.substr(split + 1);
            const bool inside = path.compare(0, prefix.size(), prefix) == 0;
            std::wstring key = inside ? path.substr(prefix.size()) : L"<outside> " + path;
            if (!name.empty()) key += L" value " + name;
            layout[key] = {raw.type, std::string(raw.bytes.begin(), raw.bytes.end())};
        }
        return layout;
    }

    void CreateClass(const std::wstring& className) const { scratch.CreateKey(kClassesRoot + L"\\" + className); }
};

TEST_F(cRegistryAssociation, WritesTheWorkedExampleUnderBothRoots) {
    reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"&Open", false, L"&Print", false,
                             L"&New", false, L"", 0);
    Layout expected = BaseLayout();
    expected[L"AppFile\\DefaultIcon"] = Text(kProgram + ",0");
    ExpectLayoutUnderBothRoots(expected);
    EXPECT_EQ((Properties{kMachine, L"AppFile\\DefaultIcon", L"", REG_SZ, RegistryValue(), L""}), PropertiesOf(reg));
}

TEST_F(cRegistryAssociation, QuotesAndTrimsTheProgramPath) {
    struct Row {
        std::wstring path;
        std::string quoted;
        DWORD type;
    };
    const Row rows[] = {
        {L"C:\\App\\app.exe", "\"C:\\App\\app.exe\"", REG_SZ},
        {L"\"C:\\App\\app.exe\"", "\"C:\\App\\app.exe\"", REG_SZ},
        {L"   C:\\App\\app.exe  ", "\"C:\\App\\app.exe\"", REG_SZ},
        {L"  \"C:\\Program Files\\App\\app.exe\" ", "\"C:\\Program Files\\App\\app.exe\"", REG_SZ},
        {L"\"C:\\App\\app.exe", "\"C:\\App\\app.exe\"", REG_SZ},
        {L"C:\\App\\app.exe\"", "\"C:\\App\\app.exe\"", REG_SZ},
        {L"", "\"", REG_SZ},
        {L"   ", "\"", REG_SZ},
        // A pair of percent signs makes every value that holds the path expandable.
        {L"%ProgramFiles%\\App\\app.exe", "\"%ProgramFiles%\\App\\app.exe\"", REG_EXPAND_SZ},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.path));
        EmptyRoots();
        reg.CreateEXEAssociation(row.path, L"AppFile", L"App File", L"apf", L"", false, L"", false, L"", false, L"", 3);
        Layout expected = BaseLayout();
        expected[L"AppFile\\shell\\open\\command"] = Text(row.quoted + " \"%1\"", row.type);
        expected[L"AppFile\\DefaultIcon"] = Text(row.quoted + ",3", row.type);
        ExpectLayoutUnderBothRoots(expected);
    }
}

TEST_F(cRegistryAssociation, WritesTheOptionalVerbsWithTheirMenuTexts) {
    const auto allVerbs = [](const std::string& open, const std::string& print, const std::string& install,
                             const std::string& create) {
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
    struct Row {
        const char* what;
        std::wstring open, print, install, create;
        Layout expected;
    };
    const Row rows[] = {
        {"texts given empty", L"", L"", L"", L"", allVerbs("&Open", "&Print", "&Install apf", "&New")},
        {"texts of the caller's own", L"O", L"P", L"I", L"N", allVerbs("O", "P", "I", "N")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EmptyRoots();
        reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", row.open, true, row.print, true,
                                 row.create, true, row.install);
        ExpectLayoutUnderBothRoots(row.expected);
    }

    SCOPED_TRACE("install text left out");
    EmptyRoots();
    reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"&Open", true, L"&Print", true,
                             L"&New", true);
    ExpectLayoutUnderBothRoots(allVerbs("&Open", "&Print", "&Install apf", "&New"));
    EXPECT_EQ(L"AppFile\\shell\\new\\command", reg.SectionKey()) << "the last verb written";
}

TEST_F(cRegistryAssociation, WritesTheIconOnlyForAnIndexOfZeroOrMore) {
    const std::pair<std::int32_t, const char*> rows[] = {{-1, nullptr}, {-7, nullptr}, {0, ",0"}, {12, ",12"}};
    for (const auto& [index, suffix] : rows) {
        SCOPED_TRACE(index);
        EmptyRoots();
        reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"&Open", false, L"&Print",
                                 false, L"&New", false, L"", index);
        Layout expected = BaseLayout();
        if (suffix) expected[L"AppFile\\DefaultIcon"] = Text(kProgram + suffix);
        ExpectLayoutUnderBothRoots(expected);
    }
}

TEST_F(cRegistryAssociation, StopsAtTheFirstFailureKeepingWhatCameBefore) {
    // A verb key made volatile cannot take its (non-volatile) command key,
    // so the write of that command fails below HKEY_CLASSES_ROOT.
    struct Row {
        const wchar_t* blocked;
        const char* option;
        std::vector<const wchar_t*> before;
        std::vector<const wchar_t*> after;
    };
    const Row rows[] = {
        {L"print", " /p ", {}, {L"add", L"new"}},
        {L"add", " /a ", {L"print"}, {L"new"}},
        {L"new", " /n ", {L"print", L"add"}, {}},
    };
    const std::wstring machineShell = kLocalMachine + L"\\SOFTWARE\\Classes\\AppFile\\shell\\";
    for (const Row& row : rows) {
        const std::wstring blocked = row.blocked;
        SCOPED_TRACE(testing::PrintToString(blocked));
        EmptyRoots();
        scratch.CreateKey(kClassesRoot + L"\\AppFile\\shell");
        scratch.CreateVolatileKey(kClassesRoot + L"\\AppFile\\shell\\" + blocked);
        cRegistry object;
        object.SetClassKey(kClasses);
        object.SetSectionKey(L"Before");
        object.SetValueKey(L"name");
        object.SetValueType(REG_DWORD);
        object.SetDefault(std::int32_t{7});
        const Properties before = PropertiesOf(object);
        try {
            object.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf", L"", true, L"", true, L"",
                                        true, L"", 0);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(26001, error.Number());
            EXPECT_EQ(ProgramName() + L".cRegistry", error.Source());
            EXPECT_EQ(L"Failed to set registry value Key: '-2147483648',Section: 'AppFile\\shell\\" + blocked +
                          L"\\command',Key: '' to value: '" + FromAnsi(kProgram + row.option) + L"\"%1\"'",
                      error.Description());
        }
        EXPECT_EQ(before, PropertiesOf(object)) << "the object is left as the caller had it";
        for (const wchar_t* verb : row.before) {
            EXPECT_TRUE(scratch.KeyExists(machineShell + verb + L"\\command")) << "written before: " << verb;
        }
        EXPECT_TRUE(scratch.KeyExists(machineShell + blocked)) << "its menu text came before its command";
        EXPECT_FALSE(scratch.KeyExists(machineShell + blocked + L"\\command"));
        for (const wchar_t* verb : row.after) {
            EXPECT_FALSE(scratch.KeyExists(machineShell + verb)) << "comes after: " << verb;
            EXPECT_FALSE(scratch.KeyExists(kClassesRoot + L"\\AppFile\\shell\\" + verb)) << "comes after: " << verb;
        }
        EXPECT_FALSE(scratch.KeyExists(kClassesRoot + L"\\AppFile\\DefaultIcon"));
    }
}

TEST_F(cRegistryAssociation, RefusesAnEmptyClassNameBeforeItWritesTheClassesRoot) {
    try {
        reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"", L"App File", L"apf");
        ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
        EXPECT_EQ(26001, error.Number());
        EXPECT_EQ(L"Failed to set registry value Key: '-2147483648',Section: '',Key: '' to value: 'App File'",
                  error.Description());
    }
    ExpectLayoutUnderBothRoots({{L".apf", Text("")}});
}

TEST_F(cRegistryAssociation, AddsVerbsRightAfterTheClassIsCreated) {
    reg.CreateEXEAssociation(L"C:\\App\\app.exe", L"AppFile", L"App File", L"apf");
    ASSERT_EQ(kMachine, reg.ClassKey()) << "the root the class check must not rely on";
    reg.CreateAdditionalEXEAssociations(L"AppFile", {L"edit", L"&Edit", L"notepad.exe \"%1\""});
    Layout expected = BaseLayout();
    expected[L"AppFile\\shell\\edit"] = Text("&Edit");
    expected[L"AppFile\\shell\\edit\\command"] = Text("notepad.exe \"%1\"");
    ExpectLayoutUnderBothRoots(expected);
}

TEST_F(cRegistryAssociation, WritesEachTripleUnderBothRoots) {
    CreateClass(L"AppFile");
    reg.SetClassKey(kHKeyCurrentUser);
    reg.CreateAdditionalEXEAssociations(L"AppFile", {L"edit", L"&Edit", L"notepad.exe \"%1\"", L"view", L"&View",
                                                     L"viewer.exe %1 %2", std::int32_t{5}, 1.5, L"x"});
    Layout expected = {
        {L"AppFile\\shell\\edit", Text("&Edit")},
        {L"AppFile\\shell\\edit\\command", Text("notepad.exe \"%1\"")},
        {L"AppFile\\shell\\view", Text("&View")},
        {L"AppFile\\shell\\view\\command", Text("viewer.exe %1 %2", REG_EXPAND_SZ)},
        {L"AppFile\\shell\\5", Text("1.5")},
        {L"AppFile\\shell\\5\\command", Text("x")},
    };
    ExpectLayoutUnderBothRoots(expected);
    EXPECT_EQ((Properties{kMachine, L"AppFile\\shell\\5\\command", L"", REG_SZ, RegistryValue(), L""}),
              PropertiesOf(reg));

    EmptyRoots();
    CreateClass(L"AppFile");
    EXPECT_NO_THROW(reg.CreateAdditionalEXEAssociations(L"AppFile", {}));
    ExpectLayoutUnderBothRoots({});
    EXPECT_EQ(L"AppFile", reg.SectionKey());
}

TEST_F(cRegistryAssociation, SkipsATripleThatCannotBeWritten) {
    CreateClass(L"AppFile");
    scratch.CreateKey(kClassesRoot + L"\\AppFile\\shell");
    scratch.CreateVolatileKey(kClassesRoot + L"\\AppFile\\shell\\locked");
    EXPECT_NO_THROW(reg.CreateAdditionalEXEAssociations(
        L"AppFile",
        {L"", L"&Nameless", L"nameless.exe", L"locked", L"&Locked", L"locked.exe", L"edit", L"&Edit", L"edit.exe"}));
    // The nameless verb would have written its text as the value of the shell
    // key itself, which names the default verb.
    ExpectLayoutUnderBothRoots({
        {L"AppFile\\shell\\locked", Text("&Locked")},
        {L"AppFile\\shell\\edit", Text("&Edit")},
        {L"AppFile\\shell\\edit\\command", Text("edit.exe")},
    });
}

TEST_F(cRegistryAssociation, AdditionalVerbsRaiseTheirErrorsAndWriteNothing) {
    CreateClass(L"AppFile");
    scratch.CreateKey(kLocalMachine + L"\\Elsewhere");
    const std::wstring invalidItems =
        L"Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command";
    const std::wstring classMissing = L"Error - attempt to create additional associations before class defined.";
    const std::vector<RegistryValue> triple = {L"edit", L"&Edit", L"edit.exe"};
    struct Row {
        const char* what;
        std::wstring className;
        std::vector<RegistryValue> items;
        std::int32_t number;
        std::wstring description;
    };
    const Row rows[] = {
        {"one item", L"AppFile", {L"edit"}, cRegistry::kErrInvalidItems, invalidItems},
        {"two items", L"AppFile", {L"edit", L"&Edit"}, cRegistry::kErrInvalidItems, invalidItems},
        {"four items",
         L"AppFile",
         {L"edit", L"&Edit", L"edit.exe", L"view"},
         cRegistry::kErrInvalidItems,
         invalidItems},
        {"four items and no class", L"Missing", {L"a", L"b", L"c", L"d"}, cRegistry::kErrInvalidItems, invalidItems},
        {"missing class", L"Missing", triple, cRegistry::kErrClassMissing, classMissing},
        // The object's own root does not count, only the classes root.
        {"class below the object's root only", L"Elsewhere", triple, cRegistry::kErrClassMissing, classMissing},
        {"empty class name", L"", triple, cRegistry::kErrClassMissing, classMissing},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        cRegistry object;
        object.SetClassKey(kMachine);
        object.SetSectionKey(L"Before");
        const Properties before = PropertiesOf(object);
        try {
            object.CreateAdditionalEXEAssociations(row.className, row.items);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_EQ(row.number, error.Number());
            EXPECT_EQ(ProgramName() + L".cRegistry", error.Source());
            EXPECT_EQ(row.description, error.Description());
        }
        EXPECT_EQ(before, PropertiesOf(object));
        EXPECT_EQ(Layout{}, LayoutBelow(kClassesRoot, L""));
        EXPECT_EQ(Layout{}, LayoutBelow(kLocalMachine, L""));
    }
}
