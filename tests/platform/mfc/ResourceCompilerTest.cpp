// The resource compiler on inline scripts: strings and their escapes, languages, the
// preprocessor, version information, data resources, and the errors of malformed scripts.
#include <gtest/gtest.h>

#include <map>

#include "Generator.h"
#include "Parser.h"

namespace {

struct Collected : rc::Diagnostics {
    std::vector<std::string> warnings;
    void warning(const rc::Location& where, const std::string& message) override {
        warnings.push_back(where.file + ":" + std::to_string(where.line) + ": " + message);
    }
};

// Compiles script (as /src/test.rc) with extra in-memory files.
rc::Model compileText(const std::string& script, Collected* diagnostics = nullptr,
                      std::map<std::string, std::string> files = {}) {
    rc::Options options;
    options.memoryFiles = std::move(files);
    options.memoryFiles["/src/test.rc"] = script;
    Collected local;
    return rc::compile("/src/test.rc", options, diagnostics ? *diagnostics : local);
}

std::map<uint32_t, std::wstring> strings(const rc::Model& model) {
    std::map<uint32_t, std::wstring> out;
    for (const auto& s : model.strings)
        out[s.id] = s.text;
    return out;
}

TEST(MfcResourceCompilerTest, StringTableTextsAndEscapes) {
    const rc::Model model = compileText(
        "STRINGTABLE\n"
        "BEGIN\n"
        "  1 \"\\nSpecify insertion point:\"\n"
        "  2, \"tab\\there\"\n"
        "  3 \"say \"\"hi\"\" and \\\"bye\\\"\"\n"
        "  4 \"back\\\\slash \\101\\x42 \\a\"\n"
        "  5 L\"wide \\x0105\" \" and \" \"joined\"\n"
        "  6 \"100% sure\"\n"
        "  7 \"\"\n"
        "END\n");
    const auto s = strings(model);
    EXPECT_EQ(s.at(1), L"\nSpecify insertion point:");
    EXPECT_EQ(s.at(2), L"tab\there");
    EXPECT_EQ(s.at(3), L"say \"hi\" and \"bye\"");
    EXPECT_EQ(s.at(4), L"back\\slash AB \a");
    EXPECT_EQ(s.at(5), L"wide \x0105 and joined");
    EXPECT_EQ(s.at(6), L"100% sure");
    EXPECT_EQ(s.at(7), L"");
}

TEST(MfcResourceCompilerTest, IdentifiersComeFromIncludedHeaders) {
    const rc::Model model = compileText(
        "#include \"resource.h\"\n"
        "#include \"afxres.h\"\n"
        "#include <windows.h>\n"
        "STRINGTABLE BEGIN IDS_A \"a\" IDS_B \"b\" (IDS_A + 10) \"c\" END\n",
        nullptr,
        {{"/src/resource.h", "// ids\n#define IDS_A 62000\n#define IDS_B IDS_A+1 /* next */\nint notForTheScript;\n"}});
    const auto s = strings(model);
    EXPECT_EQ(s.at(62000), L"a");
    EXPECT_EQ(s.at(62001), L"b");
    EXPECT_EQ(s.at(62010), L"c");
}

TEST(MfcResourceCompilerTest, LanguageStatementsSetTheLanguageOfWhatFollows) {
    const rc::Model model = compileText(
        "STRINGTABLE BEGIN 1 \"default\" END\n"
        "LANGUAGE LANG_POLISH, SUBLANG_DEFAULT\n"
        "STRINGTABLE BEGIN 2 \"polish\" END\n"
        "LANGUAGE 0x15, 0x01\n"
        "STRINGTABLE LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_UK BEGIN 3 \"british\" END\n"
        "STRINGTABLE BEGIN 1 \"same id, other language\" END\n");
    ASSERT_EQ(model.strings.size(), 4u);
    EXPECT_EQ(model.strings[0].language, 0x0409);
    EXPECT_EQ(model.strings[1].language, 1045);
    EXPECT_EQ(model.strings[2].language, 0x0809);
    EXPECT_EQ(model.strings[3].language, 1045);
}

TEST(MfcResourceCompilerTest, ConditionalsAndMacros) {
    const rc::Model model = compileText(
        "#define TWO 2\n"
        "#define SUM(a, b) ((a) + (b))\n"
        "#if defined(TWO) && TWO * 2 == 4\n"
        "STRINGTABLE BEGIN SUM(TWO, 1) \"three\" END\n"
        "#elif 1\n"
        "STRINGTABLE BEGIN 50 \"not this\" END\n"
        "#endif\n"
        "#ifdef APSTUDIO_INVOKED\n"
        "1 TEXTINCLUDE BEGIN \"resource.h\\0\" END\n"
        "#else\n"
        "#ifndef _DEBUG\n"
        "STRINGTABLE BEGIN 4 \"release\" \\\n"
        "  \" continued\" END\n"
        "#endif\n"
        "#endif\n"
        "#undef TWO\n"
        "#ifdef TWO\n"
        "#error TWO should be gone\n"
        "#endif\n"
        "LANGUAGE MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT) & 0x3ff, SUBLANG_DEFAULT\n"
        "STRINGTABLE BEGIN 5 \"made\" END\n");
    const auto s = strings(model);
    EXPECT_EQ(s.at(3), L"three");
    EXPECT_EQ(s.count(50), 0u);
    EXPECT_EQ(s.at(4), L"release continued");
    EXPECT_EQ(model.strings.back().language, 1045);
}

TEST(MfcResourceCompilerTest, VersionInformation) {
    const rc::Model model = compileText(
        "VS_VERSION_INFO VERSIONINFO\n"
        " FILEVERSION 2023,0,1,0\n"
        " PRODUCTVERSION 2023,0,1\n"
        " FILEFLAGSMASK 0x3fL\n"
        " FILEOS VOS_NT_WINDOWS32\n"
        " FILETYPE VFT_DLL\n"
        "BEGIN\n"
        "  BLOCK \"StringFileInfo\"\n"
        "  BEGIN\n"
        "    BLOCK \"041504b0\"\n"
        "    BEGIN\n"
        "      VALUE \"FileDescription\", \"Tavrix, Language pack EN\"\n"
        "      VALUE \"FileVersion\", \"2023.0.1.0\\0\"\n"
        "    END\n"
        "  END\n"
        "  BLOCK \"VarFileInfo\" BEGIN VALUE \"Translation\", 0x415, 1200, 0x10002L END\n"
        "END\n");
    ASSERT_EQ(model.versions.size(), 1u);
    const rc::VersionResource& v = model.versions[0];
    EXPECT_TRUE(v.name.isId);
    EXPECT_EQ(v.name.id, 1u);
    EXPECT_EQ(v.fileVersion[0], 2023);
    EXPECT_EQ(v.fileVersion[2], 1);
    EXPECT_EQ(v.productVersion[3], 0);
    EXPECT_EQ(v.fileOS, 0x40004u);
    EXPECT_EQ(v.fileType, 2u);
    ASSERT_EQ(v.children.size(), 2u);
    const rc::VersionNode& table = v.children[0].children.at(0);
    EXPECT_EQ(table.key, L"041504b0");
    EXPECT_EQ(table.children.at(0).text, L"Tavrix, Language pack EN");
    EXPECT_EQ(table.children.at(1).text, L"2023.0.1.0");  // the explicit terminator is dropped
    EXPECT_EQ(v.children[1].children.at(0).words, (std::vector<uint16_t>{0x415, 1200, 0x0002, 0x0001}));
}

TEST(MfcResourceCompilerTest, DataResourcesFromListsAndFiles) {
    std::string bmp = "BM";
    bmp.append(12, '\0');
    bmp += std::string("\x28\0\0\0", 4);
    bmp.append(36 + 4, 'p');  // the rest of the header and one pixel
    const std::string ico("\0\0\1\0\1\0rest", 10);
    const rc::Model model = compileText(
        "10 RCDATA BEGIN 1, 0x0203, 0x04050607L, \"ab\", L\"c\" END\n"
        "IDB_LOGO BITMAP \"res\\\\logo.bmp\"\n"
        "IDI_APP ICON DISCARDABLE \"res/app.ico\"\n"
        "7 PNG \"res\\\\logo.bmp\"\n",
        nullptr, {{"/src/res/logo.bmp", bmp}, {"/src/res/app.ico", ico}});
    ASSERT_EQ(model.data.size(), 4u);
    EXPECT_EQ(model.data[0].type.id, 10u);
    EXPECT_EQ(model.data[0].bytes, (std::vector<unsigned char>{1, 0, 3, 2, 7, 6, 5, 4, 'a', 'b', 'c', 0}));
    EXPECT_FALSE(model.data[1].name.isId);
    EXPECT_EQ(model.data[1].name.text, L"IDB_LOGO");
    EXPECT_EQ(model.data[1].bytes.size(), bmp.size() - 14);  // without the file header
    EXPECT_EQ(model.data[2].type.id, 14u);
    EXPECT_EQ(model.data[2].bytes.size(), ico.size());
    EXPECT_FALSE(model.data[3].type.isId);
    EXPECT_EQ(model.data[3].type.text, L"PNG");
    EXPECT_EQ(model.data[3].bytes.size(), bmp.size());
}

TEST(MfcResourceCompilerTest, UnknownResourcesAreSkippedWithAWarning) {
    Collected diagnostics;
    const rc::Model model = compileText(
        "IDD_X DIALOGEX 0, 0, 100, 50\n"
        "STYLE DS_SETFONT | WS_POPUP\n"
        "CAPTION \"BEGIN is a word here\"\n"
        "FONT 8, \"MS Shell Dlg\"\n"
        "BEGIN\n"
        "  PUSHBUTTON \"OK\", IDOK, 1, 1, 50, 14\n"
        "END\n"
        "IDR_MENU MENU BEGIN POPUP \"File\" BEGIN MENUITEM \"Exit\", 1 END END\n"
        "STRINGTABLE BEGIN 1 \"after \\q\" END\n",
        &diagnostics);
    ASSERT_EQ(diagnostics.warnings.size(), 2u);
    EXPECT_EQ(diagnostics.warnings[0], "/src/test.rc:8: MENU resources are not compiled; skipped");
    EXPECT_EQ(diagnostics.warnings[1].rfind("/src/test.rc:9: unknown escape", 0), 0u);
    ASSERT_EQ(model.dialogs.size(), 1u);
    EXPECT_EQ(model.dialogs[0].caption, L"BEGIN is a word here");
    EXPECT_EQ(strings(model).at(1), L"after \\q");
}

TEST(MfcResourceCompilerTest, DialogTemplatesWithDefaultStyles) {
    const rc::Model model = compileText(
        "#define IDC_LIST 20001\n"
        "20001 DIALOGEX 0, 0, 787, 407\n"
        "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\n"
        "CAPTION \"Tavrix\"\n"
        "FONT 8, \"MS Shell Dlg\", 400, 0, 0x1\n"
        "BEGIN\n"
        "    DEFPUSHBUTTON   \"Insert\", IDOK, 730, 391, 50, 14\n"
        "    PUSHBUTTON      \"Close\", IDCANCEL, 661, 391, 50, 14, NOT WS_TABSTOP\n"
        "    CONTROL         \"\", IDC_LIST, \"SysListView32\", LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 117, 2, 91, 74\n"
        "    CONTROL         \"\", 20003, STATIC, SS_CENTERIMAGE | SS_SUNKEN, 637, 2, 143, 124, WS_EX_CLIENTEDGE\n"
        "    EDITTEXT        20005, 718, 284, 62, 14, ES_AUTOHSCROLL\n"
        "    LTEXT           \"Global scale\", IDC_STATIC, 637, 287, 74, 8\n"
        "    GROUPBOX        \"Find\", 20010, 2, 2, 113, 64\n"
        "    COMBOBOX        20017, 2, 74, 109, 30, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP\n"
        "    ICON            IDI_SIGN, -1, 4, 4\n"
        "END\n"
        "2 DIALOG 1, 2, 30, 40\n"
        "CAPTION \"Old\"\n"
        "BEGIN\n"
        "END\n");
    ASSERT_EQ(model.dialogs.size(), 2u);
    const rc::DialogResource& d = model.dialogs[0];
    EXPECT_EQ(d.name.id, 20001u);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.style, 0x40u | 0x80u | 0x80000000u | 0x00C00000u | 0x00080000u);
    EXPECT_EQ(d.cx, 787);
    EXPECT_EQ(d.cy, 407);
    EXPECT_EQ(d.caption, L"Tavrix");
    EXPECT_EQ(d.typeface, L"MS Shell Dlg");
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.weight, 400);
    ASSERT_EQ(d.controls.size(), 9u);
    const uint32_t childVisible = 0x40000000u | 0x10000000u;
    EXPECT_EQ(d.controls[0].windowClass, L"BUTTON");
    EXPECT_EQ(d.controls[0].id, 1);
    EXPECT_EQ(d.controls[0].style, childVisible | 0x00010000u | 0x1u);
    EXPECT_EQ(d.controls[1].style, childVisible);  // NOT removed the default tab stop
    EXPECT_EQ(d.controls[2].windowClass, L"SysListView32");
    EXPECT_EQ(d.controls[2].id, 20001);
    EXPECT_EQ(d.controls[2].style, childVisible | 0x0004u | 0x0008u | 0x00800000u | 0x00010000u);
    EXPECT_EQ(d.controls[2].x, 117);
    EXPECT_EQ(d.controls[2].cy, 74);
    EXPECT_EQ(d.controls[3].windowClass, L"STATIC");
    EXPECT_EQ(d.controls[3].exStyle, 0x00000200u);
    EXPECT_EQ(d.controls[4].windowClass, L"EDIT");
    EXPECT_EQ(d.controls[4].style, childVisible | 0x00800000u | 0x00010000u | 0x0080u);
    EXPECT_EQ(d.controls[5].id, -1);
    EXPECT_EQ(d.controls[5].text.text, L"Global scale");
    EXPECT_EQ(d.controls[6].style & 0xF, 0x7u);
    EXPECT_EQ(d.controls[7].windowClass, L"COMBOBOX");
    EXPECT_EQ(d.controls[8].text.text, L"IDI_SIGN");
    EXPECT_EQ(d.controls[8].cx, 0);
    const rc::DialogResource& old = model.dialogs[1];
    EXPECT_FALSE(old.extended);
    EXPECT_EQ(old.style, 0x80000000u | 0x00800000u | 0x00080000u | 0x00C00000u);  // defaults and the caption
}

TEST(MfcResourceCompilerTest, MalformedScriptsReportFileAndLine) {
    struct Case {
        const char* script;
        const char* message;
    } cases[] = {
        {"STRINGTABLE BEGIN\n1 \"open\nEND\n", "/src/test.rc:2: error: unterminated string"},
        {"STRINGTABLE BEGIN\n1 \"a\"\n", "/src/test.rc:2: error: STRINGTABLE without END"},
        {"STRINGTABLE BEGIN\n1 \"a\"\n1 \"b\"\nEND\n", "/src/test.rc:3: error: string id 1 is already defined at /src/test.rc:2"},
        {"STRINGTABLE BEGIN\nIDS_NOWHERE \"a\"\nEND\n", "/src/test.rc:2: error: undefined identifier 'IDS_NOWHERE' in expression"},
        {"STRINGTABLE BEGIN\n70000 \"a\"\nEND\n", "/src/test.rc:2: error: string id 70000 is out of range (0..65535)"},
        {"STRINGTABLE BEGIN\n5\nEND\n", "/src/test.rc:3: error: expected the text of string 5 but found 'END'"},
        {"\n#include \"missing.h\"\n", "/src/test.rc:2: error: cannot find file 'missing.h'"},
        {"#if 1\nLANGUAGE 9, 1\n", "/src/test.rc:1: error: #if without #endif"},
        {"#endif\n", "/src/test.rc:1: error: #endif without #if"},
        {"LANGUAGE 9 1\n", "/src/test.rc:1: error: expected ','"},
        {"1 VERSIONINFO\nFILEVERSON 1\nBEGIN END\n", "/src/test.rc:2: error: unknown VERSIONINFO statement 'FILEVERSON'"},
        {"1 ICON \"bad.ico\"\n", "/src/test.rc:1: error: 'bad.ico' is not an icon or cursor file"},
        {"STRINGTABLE BEGIN 1 / 0 \"x\" END\n", "/src/test.rc:1: error: division by zero"},
        {"#error stop here\n", "/src/test.rc:1: error: #error stop here"},
        {"#include \"test.rc\"\n", "error: #include nested too deeply"},
        {"12ab RCDATA BEGIN END\n", "/src/test.rc:1: error: malformed number '12ab'"},
        {", oops\n", "/src/test.rc:1: error: expected a resource name or statement but found ','"},
        {"1 DIALOGEX 0, 0, 10\nBEGIN END\n", "/src/test.rc:2: error: expected ','"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  BUTTONX \"a\", 1, 0, 0, 1, 1\nEND\n", "/src/test.rc:3: error: unknown dialog control 'BUTTONX'"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n", "error: dialog without END"},
        {"1 DIALOG 0, 0, 99999, 10\nBEGIN END\n", "/src/test.rc:1: error: dialog coordinate 99999 is out of range"},
    };
    for (const Case& c : cases) {
        try {
            compileText(c.script, nullptr, {{"/src/bad.ico", "not an icon"}});
            ADD_FAILURE() << "no error for: " << c.script;
        } catch (const rc::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(MfcResourceCompilerTest, SourcesInUtf16AndCodePages) {
    // UTF-16LE with a byte-order mark.
    const std::string text = "STRINGTABLE BEGIN 1 \"\xC4\x85\" END\n";
    std::string utf16 = "\xFF\xFE";
    for (unsigned char c : std::string("STRINGTABLE BEGIN 1 \"")) {
        utf16 += static_cast<char>(c);
        utf16 += '\0';
    }
    utf16 += "\x05\x01";  // U+0105
    for (unsigned char c : std::string("\" END\n")) {
        utf16 += static_cast<char>(c);
        utf16 += '\0';
    }
    EXPECT_EQ(strings(compileText(utf16)).at(1), L"\x0105");
    EXPECT_EQ(strings(compileText(text)).at(1), L"\x0105");
    EXPECT_EQ(strings(compileText("#pragma code_page(1250)\nSTRINGTABLE BEGIN 1 \"\xB9\xA3\" END\n")).at(1), L"\x0105\x0141");
    EXPECT_EQ(strings(compileText("STRINGTABLE BEGIN 1 \"\xE9\" END\n")).at(1), L"\x00E9");
}

TEST(MfcResourceCompilerTest, GeneratedLiteralsStayExact) {
    EXPECT_EQ(rc::wideLiteral(L"a\"b\\c\n"), "L\"a\\\"b\\\\c\\n\"");
    // A hex escape is closed before a following hex digit.
    EXPECT_EQ(rc::wideLiteral(L"\x0105" L"b1"), "L\"\\x105\" L\"b1\"");
    EXPECT_EQ(rc::wideLiteral(L"\x0105z"), "L\"\\x105z\"");
    EXPECT_EQ(rc::wideLiteral(std::wstring(L"a\0b", 3)), "L\"a\\x0\" L\"b\"");
}

}  // namespace
