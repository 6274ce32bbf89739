// Tests of paths with forward slashes.
#include <gtest/gtest.h>

#include "support/UI_Path.h"

namespace {

TEST(UI_PathTest, DoubledBackslashBecomesOneSeparator) {
    const UI_Path path(L"C:\\\\lib\\signs\\\\a.dwg");
    EXPECT_EQ(path.path, L"C:/lib/signs/a.dwg");
    EXPECT_EQ(path.windowsPath(), L"C:\\lib\\signs\\a.dwg");
}

TEST(UI_PathTest, NameFolderAndTitle) {
    struct Case {
        const wchar_t* path;
        const wchar_t* fileName;
        const wchar_t* folder;
        const wchar_t* title;
    };
    const Case cases[] = {
        {L"C:\\lib\\a.dwg", L"a.dwg", L"C:/lib/", L"a"},
        {L"C:\\lib\\a.b.dwg", L"a.b.dwg", L"C:/lib/", L"a.b"},
        {L"C:/lib/signs/", L"signs", nullptr, L""},  // a trailing "/" is ignored
        {L"Exit", L"Exit", L"", L""},
        {L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        const UI_Path path(c.path);
        EXPECT_EQ(path.fileName(), c.fileName) << c.path;
        if (c.folder) {
            EXPECT_EQ(path.folder(), c.folder) << c.path;
        }
        EXPECT_EQ(path.title(), c.title) << c.path;
    }
}

TEST(UI_PathTest, EqualsIgnoresCaseAndSeparatorKind) {
    EXPECT_TRUE(UI_Path(L"C:\\Lib\\EXIT.dwg").equals(UI_Path(L"c:/lib/exit.DWG")));
    EXPECT_FALSE(UI_Path(L"C:\\lib\\exit.dwg").equals(UI_Path(L"C:\\lib\\exit2.dwg")));
}

}  // namespace
