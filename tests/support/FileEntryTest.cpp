// Tests of file and folder entries, path normalisation, listings and line reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Session.h"
#include "support/FileEntry.h"
#include "tests/support/TempDrive.h"

namespace {

using tavrix::test::kUtf16Bom;
using tavrix::test::TempDrive;
using tavrix::test::utf16le;

std::vector<std::wstring> contents(const CStringArray& list) {
    std::vector<std::wstring> result;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        result.emplace_back(list.GetAt(i).GetString(), list.GetAt(i).GetLength());
    return result;
}

TEST(FileEntryTest, NormalizePathCases) {
    struct Case {
        const wchar_t* path;
        const wchar_t* normalised;
    };
    const Case cases[] = {
        {L"C:\\lib\\", L"C:\\lib"},
        {L"C:\\lib\\\\\\", L"C:\\lib"},
        {L"C:\\lib\\signs\\..", L"C:\\lib"},
        {L"C:\\lib\\signs\\a\\..\\..", L"C:\\lib"},
        {L"C:\\lib\\..\\signs", L"C:\\lib\\..\\signs"},  // a ".." inside stays
        {L"C:\\lib\\..\\signs\\", L"C:\\lib\\..\\signs"},
        {L"exit..", L"exit.."},                          // no component before the dots
        {L"..", L".."},
        {L"C:\\lib", L"C:\\lib"},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normalizePath(c.path), c.normalised) << c.path;
}

TEST(FileEntryTest, NamePartsDependOnTheNameNotTheDisk) {
    TempDrive drive;
    drive.write("lib/signs", "a file named like a folder");
    drive.folder("lib/signs.old");
    struct Case {
        const wchar_t* path;
        const wchar_t* extension;
        const wchar_t* name;
        bool folder;
    };
    const Case cases[] = {
        {L"C:\\lib\\a.b.dwg", L"dwg", L"a.b", false},
        {L"C:\\lib\\signs", L"", L"signs", true},
        {L"C:\\lib\\signs.old", L"old", L"signs", false},
        {L"C:\\lib\\signs\\", L"", L"", true},
    };
    for (const Case& c : cases) {
        const FileEntry entry(c.path);
        EXPECT_EQ(entry.extension(), c.extension) << c.path;
        EXPECT_EQ(entry.nameWithoutExtension(), c.name) << c.path;
        EXPECT_EQ(entry.isFolder(), c.folder) << c.path;
        EXPECT_EQ(entry.isFile(), !c.folder) << c.path;
    }
}

TEST(FileEntryTest, ConstructionFromPartsNormalises) {
    EXPECT_EQ(FileEntry(L"exit", L"C:\\lib", L".dwg").path(), L"C:\\lib\\exit.dwg");
    EXPECT_EQ(FileEntry(L"exit", L"C:\\lib\\", L".dwg").path(), L"C:\\lib\\exit.dwg");
    EXPECT_EQ(FileEntry(L"..", L"C:\\lib\\signs", L"").path(), L"C:\\lib");
    EXPECT_EQ(FileEntry(L"C:\\lib\\").path(), L"C:\\lib");
    EXPECT_EQ(FileEntry().path(), L"");
    const FileEntry original(L"C:\\lib\\a.b.dwg");
    const FileEntry copy(original);
    EXPECT_EQ(copy.path(), original.path());
    EXPECT_EQ(copy.nameWithoutExtension(), L"a.b");
}

TEST(FileEntryTest, FindsFilesWithoutRegardToLetterCase) {
    TempDrive drive;
    drive.write("Lib/EXIT.dwg", "x");
    EXPECT_TRUE(FileEntry(L"c:\\lib\\exit.dwg").exists());
    EXPECT_TRUE(FileEntry(L"C:\\LIB").exists());
    EXPECT_TRUE(FileEntry(L"c:\\lib\\*.DWG").exists());
    EXPECT_FALSE(FileEntry(L"c:\\lib\\exit2.dwg").exists());
    EXPECT_FALSE(FileEntry(L"c:\\nowhere\\exit.dwg").exists());

    UI_StringArray found;
    findFiles(L"c:\\lib", L"*.dwg", found, false);
    EXPECT_EQ(contents(found), (std::vector<std::wstring>{L"c:\\lib\\EXIT.dwg"}));
    EXPECT_EQ(FileEntry(L"c:\\lib\\exit.dwg").containingFolder(), L"c:\\lib\\");
    EXPECT_EQ(FileEntry(L"c:\\lib").containingFolder(), L"c:\\lib");
}

TEST(FileEntryTest, FindFilesListsAFolderBeforeItsSubfoldersDepthFirst) {
    TempDrive drive;
    drive.write("lib/a.dwg", "");
    drive.write("lib/note.txt", "");
    drive.write("lib/one/b.dwg", "");
    drive.write("lib/one/deep/c.dwg", "");
    drive.write("lib/two/d.dwg", "");
    drive.folder("lib/empty");

    UI_StringArray names;
    names.Add(L"kept");
    FileEntry(L"C:\\lib").subfolders(names);
    std::vector<std::wstring> folders = contents(names);
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(folders[0], L"kept");
    std::vector<std::wstring> sortedFolders(folders.begin() + 1, folders.end());
    std::sort(sortedFolders.begin(), sortedFolders.end());
    EXPECT_EQ(sortedFolders, (std::vector<std::wstring>{L"empty", L"one", L"two"}));

    // Expected order: the root's own match, then each subfolder's tree in listing order.
    std::vector<std::wstring> expected{L"kept", L"C:\\lib\\a.dwg"};
    for (size_t i = 1; i < folders.size(); ++i) {
        if (folders[i] == L"one") {
            expected.push_back(L"C:\\lib\\one\\b.dwg");
            expected.push_back(L"C:\\lib\\one\\deep\\c.dwg");
        } else if (folders[i] == L"two") {
            expected.push_back(L"C:\\lib\\two\\d.dwg");
        }
    }
    UI_StringArray found;
    found.Add(L"kept");
    findFiles(L"C:\\lib", L"*.dwg", found, true);
    EXPECT_EQ(contents(found), expected);

    UI_StringArray flat;
    findFiles(L"C:\\lib", L"*.dwg", flat, false);
    EXPECT_EQ(contents(flat), (std::vector<std::wstring>{L"C:\\lib\\a.dwg"}));
    UI_StringArray none;
    findFiles(L"C:\\missing", L"*.dwg", none, true);
    EXPECT_EQ(none.GetSize(), 0);
}

TEST(FileEntryTest, FileTitlesSkipFolders) {
    TempDrive drive;
    drive.write("lib/a.b.dwg", "");
    drive.write("lib/Exit.DWG", "");
    drive.write("lib/readme.txt", "");
    drive.folder("lib/folder.dwg");
    UI_StringArray titles;
    titles.Add(L"kept");
    FileEntry(L"C:\\lib").fileTitles(L".dwg", titles);
    std::vector<std::wstring> found = contents(titles);
    std::sort(found.begin() + 1, found.end());
    EXPECT_EQ(found, (std::vector<std::wstring>{L"kept", L"Exit", L"a.b"}));
}

TEST(FileEntryTest, ReadLinesOfUtf16Files) {
    TempDrive drive;
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {"three.ini", kUtf16Bom + utf16le(L"a\r\n\r\nb\r\n"), {L"a", L"", L"b"}},
        {"no_end.ini", kUtf16Bom + utf16le(L"C:\\lib\\exit.dwg\r\nlast"), {L"C:\\lib\\exit.dwg", L"last"}},
        {"no_bom.ini", utf16le(L"Wyj\u015bcie\r\n"), {L"Wyj\u015bcie"}},
        {"utf8.ini", "\xEF\xBB\xBF" "\xC5\xBC\xC3\xB3\xC5\x82w\r\nexit\r\n", {L"\u017c\u00f3\u0142w", L"exit"}},
        {"bom_only.ini", kUtf16Bom, {}},
        {"empty.ini", "", {}},
        // Lone surrogates read as U+FFFD; a pair is one character.
        {"surrogates.ini", kUtf16Bom + std::string("\x00\xD8" "a\x00\r\x00\n\x00" "\x00\xDC" "\x3D\xD8\x00\xDE", 14),
         {L"\uFFFDa", L"\uFFFD\U0001F600"}},
    };
    for (const Case& c : cases) {
        drive.write(c.name, c.bytes);
        UI_StringArray lines;
        EXPECT_TRUE(FileEntry(L"C:\\" + CString(c.name)).readLines(lines)) << c.name;
        EXPECT_EQ(contents(lines), c.lines) << c.name;
    }
}

TEST(FileEntryTest, ReadLinesOfAMissingFileFailsAndKeepsTheList) {
    TempDrive drive;
    UI_StringArray lines;
    lines.Add(L"kept");
    EXPECT_FALSE(FileEntry(L"C:\\missing.ini").readLines(lines));
    EXPECT_FALSE(FileEntry(L"C:\\missing.csv").readAnsiLines(lines));
    EXPECT_EQ(contents(lines), (std::vector<std::wstring>{L"kept"}));
}

TEST(FileEntryTest, ReadAnsiLinesDecodesWindows1250) {
    TempDrive drive;
    // "Wyjście;Ąę" in Windows-1250, CR LF and LF line ends, an empty line.
    drive.write("Alias.csv", "Wyj\x9C" "cie;\xA5\xEA\r\n\r\nlast\n");
    UI_StringArray lines;
    EXPECT_TRUE(FileEntry(L"c:\\alias.CSV").readAnsiLines(lines));
    EXPECT_EQ(contents(lines), (std::vector<std::wstring>{L"Wyj\u015bcie;\u0104\u0119", L"", L"last"}));
}

TEST(FileEntryTest, HostileFilesDoNotBreakReading) {
    TempDrive drive;
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) >> 3));
    drive.write("garbage.ini", garbage);
    std::string longLine = kUtf16Bom + utf16le(std::wstring(5 * 1024 * 1024, L'x'));  // 10 MB
    drive.write("long.ini", longLine);
    drive.write("long.csv", std::string(10 * 1024 * 1024, 'y'));

    UI_StringArray lines;
    EXPECT_TRUE(FileEntry(L"C:\\garbage.ini").readLines(lines));
    EXPECT_TRUE(FileEntry(L"C:\\garbage.ini").readAnsiLines(lines));
    UI_StringArray one;
    EXPECT_TRUE(FileEntry(L"C:\\long.ini").readLines(one));
    ASSERT_EQ(one.GetSize(), 1);
    EXPECT_EQ(one.GetAt(0).GetLength(), 5 * 1024 * 1024);
    UI_StringArray ansi;
    EXPECT_TRUE(FileEntry(L"C:\\long.csv").readAnsiLines(ansi));
    ASSERT_EQ(ansi.GetSize(), 1);
    EXPECT_EQ(ansi.GetAt(0).GetLength(), 10 * 1024 * 1024);
}

TEST(FileEntryTest, BrowseForFolderTakesTheUsersAnswer) {
    TempDrive drive;
    drive.folder("Signs/User");
    std::vector<std::wstring> answers{L"c:\\signs\\user", L"ESC"};
    size_t next = 0;
    platform::setInputSource([&](std::wstring& line) {
        if (next >= answers.size())
            return false;
        line = answers[next++];
        return true;
    });
    std::wstring transcript;
    platform::setTranscriptSink([&](std::wstring_view text) { transcript += text; });

    FileEntry entry(L"C:\\before");
    EXPECT_TRUE(entry.browseForFolder());
    EXPECT_EQ(entry.path(), L"c:\\Signs\\User");
    EXPECT_EQ(entry.nameWithoutExtension(), L"User");
    EXPECT_FALSE(entry.browseForFolder());
    EXPECT_EQ(entry.path(), L"c:\\Signs\\User");
    EXPECT_NE(transcript.find(L"[BrowseForFolder]"), std::wstring::npos);

    platform::setInputSource({});
    platform::setTranscriptSink({});
}

}  // namespace
