// Path mapping, wildcard rules and folder searches.
#include "TempDrive.h"

#include <afx.h>
#include <afxfile.h>
#include <windows.h>

#include <vector>

namespace {

TEST(WinWildcardTest, MatchesLikeWindows) {
    struct Case {
        const wchar_t* pattern;
        const wchar_t* name;
        bool matches;
    } cases[] = {
        {L"*", L"a.dwg", true},          {L"*.*", L"noext", true},       {L"*.*", L".", true},
        {L"*.dwg", L"EXIT.DWG", true},   {L"*.dwg", L"exit.dwgx", false}, {L"*.dwg", L"exit.dw", false},
        {L"?.dwg", L"a.dwg", true},      {L"?.dwg", L"ab.dwg", false},    {L"a?c", L"AbC", true},
        {L"a*b*c", L"axxbyyc", true},    {L"a*b*c", L"axxbyy", false},    {L"*ab", L"abab", true},
        {L"a.*", L"a", true},            {L"a.*", L"a.txt", true},        {L"*.", L"noext", true},
        {L"*.", L"a.txt", false},        {L"exit.dwg", L"Exit.Dwg", true}, {L"\u0141\u00F3d\u017A", L"\u0142\u00D3D\u0179", true},
        {L"", L"a", false},              {L"*", L"", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
}

using WinPathsTest = TempDrive;

TEST_F(WinPathsTest, ResolvesComponentsWithoutRegardToCase) {
    makeFile("Lib/EXIT.dwg", "x");
    EXPECT_EQ(platform::toUnixPath(L"c:\\lib\\exit.dwg"), root_ + "/Lib/EXIT.dwg");
    EXPECT_EQ(platform::toUnixPath(L"C:/LIB/Exit.DWG"), root_ + "/Lib/EXIT.dwg");
    // Missing parts are kept as written, after the resolved ones.
    EXPECT_EQ(platform::toUnixPath(L"C:\\lib\\New\\a.dwg"), root_ + "/Lib/New/a.dwg");
    EXPECT_EQ(platform::toUnixPath(L"C:\\lib\\sub\\..\\.\\exit.dwg"), root_ + "/Lib/EXIT.dwg");
    EXPECT_EQ(platform::toUnixPath(L"Q:\\x"), "");
    EXPECT_EQ(platform::toUnixPath(L"\\\\server\\share\\x"), "");
    EXPECT_EQ(platform::toWindowsPath(root_ + "/Lib/EXIT.dwg"), L"C:\\Lib\\EXIT.dwg");
    EXPECT_EQ(platform::toWindowsPath("/usr/lib"), L"Z:\\usr\\lib");
    EXPECT_EQ(platform::realCaseWindowsPath(L"c:\\lib\\exit.dwg\\"), L"c:\\Lib\\EXIT.dwg\\");

    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(L"c:\\lib\\exit.dwg", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, L"EXIT.dwg");
    EXPECT_EQ(data.nFileSizeLow, 1u);
    FindClose(h);
    EXPECT_NE(GetFileAttributesW(L"C:\\LIB\\exit.DWG"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(PathFileExistsW(L"c:\\lib"));
}

TEST_F(WinPathsTest, FullPathsAreLexical) {
    wchar_t buffer[MAX_PATH];
    LPWSTR part = nullptr;
    EXPECT_EQ(GetFullPathNameW(L"C:/a//b/../c.txt", MAX_PATH, buffer, &part), 10u);
    EXPECT_STREQ(buffer, L"C:\\a\\c.txt");
    EXPECT_STREQ(part, L"c.txt");
    EXPECT_EQ(GetFullPathNameW(L"C:\\a\\..\\..", MAX_PATH, buffer, nullptr), 3u);
    EXPECT_STREQ(buffer, L"C:\\");
    // Too small: the size needed, with the terminator.
    EXPECT_EQ(GetFullPathNameW(L"C:\\abc", 3, buffer, nullptr), 7u);
}

TEST_F(WinPathsTest, SearchReportsDotsAndMissingFolders) {
    makeFile("Signs/b.dwg");
    makeFile("Signs/A.DWG");
    makeFile("Signs/note.txt");
    std::filesystem::create_directory(root_ + "/Signs/Sub");

    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW(L"C:\\signs\\*", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do
        names.push_back(data.cFileName);
    while (FindNextFileW(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    FindClose(h);
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], L".");
    EXPECT_EQ(names[1], L"..");

    h = FindFirstFileW(L"C:\\signs\\*.dwg", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    int count = 1;
    while (FindNextFileW(h, &data))
        ++count;
    FindClose(h);
    EXPECT_EQ(count, 2);

    // A drive root has no dots.
    h = FindFirstFileW(L"C:\\*", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, L"Signs");
    EXPECT_FALSE(FindNextFileW(h, &data));
    FindClose(h);

    EXPECT_EQ(FindFirstFileW(L"C:\\signs\\*.png", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(L"C:\\nothere\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(WinPathsTest, FileFindGivesPathAsSearchedWithRealName) {
    makeFile("Lib/Signs/EXIT.dwg");
    std::filesystem::create_directory(root_ + "/Lib/Signs/Folder");
    CFileFind find;
    ASSERT_TRUE(find.FindFile(L"c:/lib/signs/*.dwg"));
    EXPECT_FALSE(find.FindNextFile());  // the only entry, still current afterwards
    EXPECT_STREQ(find.GetFilePath(), L"c:\\lib\\signs\\EXIT.dwg");
    EXPECT_STREQ(find.GetFileName(), L"EXIT.dwg");
    EXPECT_STREQ(find.GetFileTitle(), L"EXIT");
    EXPECT_STREQ(find.GetRoot(), L"c:\\lib\\signs");
    EXPECT_FALSE(find.IsDirectory());

    ASSERT_TRUE(find.FindFile(L"C:\\Lib\\Signs\\*.*"));
    int dots = 0, folders = 0, files = 0;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            ++dots;
        else if (find.IsDirectory())
            ++folders;
        else
            ++files;
    }
    EXPECT_EQ(dots, 2);
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(find.FindFile(L"C:\\Lib\\none.dwg"));
}

TEST_F(WinPathsTest, FileKeepsPathAttribute) {
    CFile file;
    file.SetFilePath(L"C:\\lib\\a.b.dwg");
    EXPECT_STREQ(file.GetFileName(), L"a.b.dwg");
    EXPECT_STREQ(file.GetFileTitle(), L"a.b");
    file.SetFilePath(L"C:/lib/x");
    EXPECT_STREQ(file.GetFileName(), L"x");

    makeFile("Data/Bytes.bin", "0123456789");
    CFile open;
    ASSERT_TRUE(open.Open(L"c:\\data\\bytes.bin", CFile::modeRead));
    EXPECT_STREQ(open.GetFilePath(), L"c:\\Data\\Bytes.bin");
    EXPECT_EQ(open.GetLength(), 10u);
    char buffer[4] = {};
    EXPECT_EQ(open.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    open.Close();

    CFileException error;
    EXPECT_FALSE(open.Open(L"C:\\Data\\missing.bin", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}

TEST_F(WinPathsTest, FileOperationsReportWindowsErrors) {
    makeFile("a.txt", "A");
    makeFile("b.txt", "B");
    EXPECT_FALSE(MoveFileExW(L"C:\\a.txt", L"C:\\B.TXT", 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExW(L"C:\\a.txt", L"C:\\B.TXT", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(readBytes("b.txt"), "A");
    EXPECT_TRUE(MoveFileExW(L"C:\\b.txt", L"C:\\B.txt", 0));  // a change of case only
    EXPECT_EQ(readBytes("B.txt"), "A");

    EXPECT_TRUE(CopyFileW(L"C:\\B.txt", L"C:\\c.txt", TRUE));
    EXPECT_FALSE(CopyFileW(L"C:\\B.txt", L"C:\\c.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_FALSE(CopyFileW(L"C:\\nope.txt", L"C:\\d.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    EXPECT_TRUE(CreateDirectoryW(L"C:\\Dir", nullptr));
    EXPECT_FALSE(CreateDirectoryW(L"C:\\dir", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(L"C:\\no\\dir", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    makeFile("Dir/inside.txt");
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\dir"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFileW(L"C:\\dir"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFileW(L"C:\\dir\\INSIDE.txt"));
    EXPECT_TRUE(RemoveDirectoryW(L"C:\\dir"));
    EXPECT_EQ(GetFileAttributesW(L"C:\\x\\y"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    wchar_t temp[MAX_PATH];
    const UINT number = GetTempFileNameW(L"C:\\", L"tavrix", 0, temp);
    EXPECT_NE(number, 0u);
    EXPECT_EQ(std::wstring(temp).substr(0, 6), L"C:\\tav");
    EXPECT_TRUE(PathFileExistsW(temp));
    EXPECT_EQ(GetTempFileNameW(L"C:\\missing", L"t", 0, temp), 0u);
}

}  // namespace
