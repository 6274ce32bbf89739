// The wide runtime's parsing and bounded functions, logical order, the environment.
#include "TempDrive.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

namespace {

TEST(WinRuntimeTest, WtoiFollowsTheMicrosoftRules) {
    struct Case {
        const wchar_t* text;
        int value;
    } cases[] = {
        {L" 12abc", 12}, {L"-", 0}, {L"", 0}, {L"\t\n-7", -7}, {L"+5", 5}, {L"12,5", 12},
        {L"abc", 0}, {L"2147483647", INT_MAX}, {L"2147483648", INT_MAX}, {L"-2147483648", INT_MIN},
        {L"-99999999999999999999", INT_MIN}, {L"- 1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(_wtoi(c.text), c.value) << c.text;
    errno = 0;
    EXPECT_EQ(_wtol(L"3000000000"), 2147483647L);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(_wtoi64(L"3000000000"), 3000000000LL);
    EXPECT_DOUBLE_EQ(_wtof(L" 2.5e1x"), 25.0);
    EXPECT_DOUBLE_EQ(_wtof(L"1,5"), 1.0);
}

TEST(WinRuntimeTest, BoundedCopiesAndFormats) {
    wchar_t small[4];
    EXPECT_EQ(wcscpy_s(small, L"abc"), 0);
    EXPECT_STREQ(small, L"abc");
    EXPECT_EQ(wcscpy_s(small, L"abcd"), ERANGE);
    EXPECT_STREQ(small, L"");
    EXPECT_EQ(wcsncpy_s(small, L"abcdef", _TRUNCATE), STRUNCATE);
    EXPECT_STREQ(small, L"abc");
    EXPECT_EQ(wcscpy_s(small, L"ab"), 0);
    EXPECT_EQ(wcscat_s(small, L"cd"), ERANGE);
    EXPECT_STREQ(small, L"");

    wchar_t buffer[32];
    EXPECT_EQ(swprintf_s(buffer, L"%s=%d", L"x", 5), 3);  // %s takes a wide string
    EXPECT_STREQ(buffer, L"x=5");
    EXPECT_EQ(swprintf_s(small, L"%d", 12345), -1);
    EXPECT_EQ(_snwprintf_s(small, _TRUNCATE, L"%d", 12345), -1);
    EXPECT_STREQ(small, L"123");
    EXPECT_EQ(_itow_s(-255, buffer, 10), 0);
    EXPECT_STREQ(buffer, L"-255");
    EXPECT_EQ(_itow_s(255, buffer, 16), 0);
    EXPECT_STREQ(buffer, L"ff");
    EXPECT_EQ(_itow_s(1000, small, 10), ERANGE);

    EXPECT_EQ(_wcsicmp(L"\u0141\u00F3d\u017A", L"\u0142\u00D3D\u0179"), 0);
    EXPECT_LT(_wcsicmp(L"abc", L"ABD"), 0);
    EXPECT_EQ(_wcsnicmp(L"Tavrix.zrx", L"TAVRIXLP.dll", 6), 0);

    wchar_t drive[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
    EXPECT_EQ(_wsplitpath_s(L"C:\\lib\\a.b.dwg", drive, _MAX_DRIVE, dir, _MAX_DIR, name, _MAX_FNAME, ext, _MAX_EXT), 0);
    EXPECT_STREQ(drive, L"C:");
    EXPECT_STREQ(dir, L"\\lib\\");
    EXPECT_STREQ(name, L"a.b");
    EXPECT_STREQ(ext, L".dwg");
}

TEST(WinRuntimeTest, LogicalOrderSortsLikeExplorer) {
    std::vector<std::wstring> names = {L"sign10", L"Sign2", L"sign1", L"b", L"_x", L"a10b", L"a9b",
                                       L"\u0105", L"a", L"z", L"sign02", L"12", L"9"};
    std::sort(names.begin(), names.end(),
              [](const std::wstring& x, const std::wstring& y) { return StrCmpLogicalW(x.c_str(), y.c_str()) < 0; });
    const std::vector<std::wstring> expected = {L"_x", L"9", L"12", L"a", L"\u0105", L"a9b", L"a10b",
                                                L"b", L"sign1", L"sign02", L"Sign2", L"sign10", L"z"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(StrCmpLogicalW(L"SIGN", L"sign"), 0);
}

TEST(WinRuntimeTest, ExpandsEnvironmentStrings) {
    setenv("TAVRIX_TEST_VAR", "value", 1);
    setenv("APPDATA", "C:\\Users\\u\\AppData\\Roaming", 1);
    wchar_t buffer[MAX_PATH];
    struct Case {
        const wchar_t* source;
        const wchar_t* result;
    } cases[] = {
        {L"%APPDATA%\\VORANT", L"C:\\Users\\u\\AppData\\Roaming\\VORANT"},
        {L"a%tavrix_test_var%b", L"avalueb"},
        {L"%NO_SUCH_VARIABLE_X%\\x", L"%NO_SUCH_VARIABLE_X%\\x"},
        {L"100%", L"100%"},
        {L"%%TAVRIX_TEST_VAR%", L"%value"},
    };
    for (const auto& c : cases) {
        const DWORD n = ExpandEnvironmentStringsW(c.source, buffer, MAX_PATH);
        EXPECT_STREQ(buffer, c.result);
        EXPECT_EQ(n, std::wcslen(c.result) + 1) << c.source;
    }
    wchar_t tiny[4] = L"old";
    EXPECT_EQ(ExpandEnvironmentStringsW(L"%TAVRIX_TEST_VAR%", tiny, 4), 6u);
    EXPECT_STREQ(tiny, L"old");

    // Without APPDATA: the XDG configuration folder in Windows form.
    unsetenv("APPDATA");
    setenv("XDG_CONFIG_HOME", "/home/u/.config", 1);
    ExpandEnvironmentStringsW(L"%APPDATA%", buffer, MAX_PATH);
    EXPECT_STREQ(buffer, L"Z:\\home\\u\\.config");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("TAVRIX_TEST_VAR");
    EXPECT_EQ(GetEnvironmentVariableW(L"TAVRIX_TEST_VAR", buffer, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST(WinRuntimeTest, SystemMessages) {
    LPWSTR text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"The system cannot find the file specified.\r\n");
    EXPECT_EQ(n, std::wcslen(text));
    EXPECT_EQ(LocalFree(text), nullptr);
    text = nullptr;
    EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 99999, 0,
                             reinterpret_cast<LPWSTR>(&text), 0, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

// Shell calls write to the transcript and read the session input.
class WinShellTest : public TempDrive {
protected:
    void SetUp() override {
        TempDrive::SetUp();
        platform::setTranscriptSink([this](std::wstring_view text) { transcript_ += text; });
        platform::setInputSource([this](std::wstring& line) {
            if (input_.empty())
                return false;
            line = input_.front();
            input_.erase(input_.begin());
            return true;
        });
    }
    void TearDown() override {
        platform::setTranscriptSink({});
        platform::setInputSource({});
        TempDrive::TearDown();
    }
    std::wstring transcript_;
    std::vector<std::wstring> input_;
};

TEST_F(WinShellTest, RecordsShellExecuteAndMessageBoxes) {
    makeFile("P/Tavrix.pdf");
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", L"explorer.exe", L"Tavrix.pdf", L"C:\\P", SW_HIDE));
    EXPECT_GT(result, 32);
    EXPECT_EQ(transcript_,
              L"[ShellExecute] verb=\"open\" file=\"explorer.exe\" parameters=\"Tavrix.pdf\" directory=\"C:\\P\" show=0\n");
    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", L"C:\\P\\none.pdf", nullptr, nullptr, 1)),
              SE_ERR_FNF);

    transcript_.clear();
    input_ = {L"no"};
    EXPECT_EQ(MessageBoxW(nullptr, L"Line \"1\"\nline 2", L"B\u0142\u0105d", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(input_.size(), 1u);  // an OK box reads nothing
    EXPECT_EQ(MessageBoxW(nullptr, L"Sure?", L"Q", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, L"Sure?", L"Q", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);  // input ran out
    EXPECT_EQ(transcript_,
              L"[MessageBox] caption=\"B\u0142\u0105d\" text=\"Line \\\"1\\\"\\nline 2\" type=0x00000010 answer=IDOK\n"
              L"[MessageBox] caption=\"Q\" text=\"Sure?\" type=0x00000004 answer=IDNO\n"
              L"[MessageBox] caption=\"Q\" text=\"Sure?\" type=0x00000103 answer=IDNO\n");
}

TEST_F(WinShellTest, FolderPickerTakesItsAnswerFromTheInput) {
    std::filesystem::create_directories(root_ + "/Users/Signs");
    input_ = {L"c:\\users\\signs\\", L"C:\\missing", L"ESC"};
    wchar_t name[MAX_PATH];
    BROWSEINFOW info{};
    info.pszDisplayName = name;
    info.lpszTitle = L"";
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    ASSERT_NE(item, nullptr);
    wchar_t path[MAX_PATH];
    EXPECT_TRUE(SHGetPathFromIDListW(item, path));
    EXPECT_STREQ(path, L"c:\\Users\\Signs");
    EXPECT_STREQ(name, L"Signs");
    IMalloc* allocator = nullptr;
    ASSERT_EQ(SHGetMalloc(&allocator), S_OK);
    allocator->Free(item);
    allocator->Release();

    EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);  // not a folder
    EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);  // Escape
    EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);  // end of input
    EXPECT_EQ(transcript_, L"[BrowseForFolder] title=\"\"\n[BrowseForFolder] title=\"\"\n"
                           L"[BrowseForFolder] no folder \"C:\\missing\"\n[BrowseForFolder] title=\"\"\n"
                           L"[BrowseForFolder] title=\"\"\n");
}

}  // namespace
