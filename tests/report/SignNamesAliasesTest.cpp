// Tests of the sign alias table: reading "Alias.csv", the report's lookup and the find's match.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "frame/EntryPoint.h"
#include "frame/TavrixApp.h"
#include "platform/Registry.h"
#include "platform/Session.h"
#include "report/SignNamesAliases.h"
#include "tests/support/TempDrive.h"

namespace {

using tavrix::test::TempDrive;

class SignNamesAliasesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SignNamesAliases::unload();
        platform::setTranscriptSink([this](std::wstring_view text) { transcript += text; });
    }
    void TearDown() override {
        SignNamesAliases::unload();
        platform::setTranscriptSink({});
    }
    /// Writes the alias file (8-bit text) and loads it.
    void load(const std::string& bytes) {
        drive.write("Signs/Alias.csv", bytes);
        SignNamesAliases::load(L"C:\\Signs\\Alias.csv");
    }

    TempDrive drive;
    std::wstring transcript;
};

TEST_F(SignNamesAliasesTest, FieldsOfEachLine) {
    load("SIGN1;Exit to the left;x\r\n"
         "SIGN2;;x\r\n"
         ";Exit\r\n"
         "\r\n"
         "lonely\r\n"
         "SIGN3 ; Exit\r\n"
         "SIGN4;first;one\r\n"
         "SIGN4;second\r\n"
         "SIGN5;a;b;c;d\n"
         "Name;Description\r\n");
    ASSERT_TRUE(SignNamesAliases::isLoaded());
    SignNamesAliases aliases;
    struct Case {
        const wchar_t* name;
        const wchar_t* description;
        const wchar_t* extra;
    };
    const Case cases[] = {
        {L"SIGN1", L"Exit to the left", L"x"},
        {L"SIGN2", L"x", L""},             // the empty field vanishes
        {L"Exit", L"", L""},               // ";Exit" has one field only
        {L"lonely", L"", L""},
        {L"SIGN3 ", L" Exit", L""},         // spaces belong to the fields
        {L"SIGN3", L"", L""},
        {L"SIGN4", L"second", L"one"},     // the later line wins; its missing third field
        {L"SIGN5", L"a", L"b"},            // replaces nothing
        {L"Name", L"Description", L""},    // no header line
    };
    for (const Case& c : cases) {
        EXPECT_EQ(aliases.description(c.name), c.description) << c.name;
        EXPECT_EQ(aliases.extraText(c.name), c.extra) << c.name;
    }
}

TEST_F(SignNamesAliasesTest, ReportLookupIsCaseSensitiveWhileFindIgnoresCase) {
    load("SIGN1;Exit to the left;x\r\nSIGN2;;Arrow\r\n");
    SignNamesAliases report;
    EXPECT_EQ(report.description(L"sign1"), L"");
    EXPECT_EQ(report.description(L"SIGN1"), L"Exit to the left");

    EXPECT_TRUE(SignNamesAliases(L"exit").matchesFind(L"C:\\Signs\\sign1.dwg"));
    EXPECT_TRUE(SignNamesAliases(L"LEFT").matchesFind(L"C:/Signs/Sub/Sign1.dwg"));
    EXPECT_TRUE(SignNamesAliases(L"arrow").matchesFind(L"sign2.dwg"));
    EXPECT_FALSE(SignNamesAliases(L"right").matchesFind(L"C:\\Signs\\sign1.dwg"));
    EXPECT_FALSE(SignNamesAliases(L"exit").matchesFind(L"C:\\Signs\\sign2.dwg"));
    EXPECT_FALSE(SignNamesAliases(L"exit").matchesFind(L"C:\\Signs\\sign10.dwg"));
}

TEST_F(SignNamesAliasesTest, DescriptionsInWindows1250MatchInAnyCase) {
    load("E001;Wyj\x9C" "cie ewakuacyjne\r\n");
    SignNamesAliases report;
    EXPECT_EQ(report.description(L"E001"), L"Wyj\u015bcie ewakuacyjne");
    EXPECT_TRUE(SignNamesAliases(L"WYJ\u015aCIE").matchesFind(L"C:\\Signs\\e001.dwg"));
}

TEST_F(SignNamesAliasesTest, MissingFileLoadsNothingAndSaysNothing) {
    SignNamesAliases::load(L"C:\\Signs\\Alias.csv");
    EXPECT_FALSE(SignNamesAliases::isLoaded());
    SignNamesAliases report;
    EXPECT_EQ(report.description(L"SIGN1"), L"");
    EXPECT_FALSE(SignNamesAliases(L"").matchesFind(L"C:\\Signs\\x.dwg"));
    EXPECT_TRUE(transcript.empty());
    // Asking records the name, so the table counts as loaded from now on.
    EXPECT_TRUE(SignNamesAliases::isLoaded());
}

TEST_F(SignNamesAliasesTest, PluginUnloadEmptiesBothTables) {
    load("SIGN1;Exit;x\r\n");
    tavrixUnloadApp();
    EXPECT_FALSE(SignNamesAliases::isLoaded());
    SignNamesAliases aliases;
    EXPECT_EQ(aliases.description(L"SIGN1"), L"");
    EXPECT_EQ(aliases.extraText(L"SIGN1"), L"");
}

TEST_F(SignNamesAliasesTest, LoadReadsTheSignsFolderOfTheInstallation) {
    drive.write("P/Templates/Signs/Alias.csv", "SIGN1;From the installation\r\n");
    platform::useMemoryRegistry();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VORANT\\Tavrix\\2023", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t value[] = L"C:\\P";
    ASSERT_EQ(RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>((wcslen(value) + 1) * 2)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    TavrixApp::initialised = false;  // read the installation folder afresh

    SignNamesAliases::load();
    EXPECT_EQ(TavrixApp::signsDir, L"C:\\P\\Templates\\Signs");
    SignNamesAliases report;
    EXPECT_EQ(report.description(L"SIGN1"), L"From the installation");
    TavrixApp::initialised = false;
    platform::useMemoryRegistry();
}

}  // namespace
