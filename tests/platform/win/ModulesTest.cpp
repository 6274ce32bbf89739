// The module loader on a small test module.
#include <platform/ModuleHooks.h>
#include <platform/Modules.h>
#include <platform/Paths.h>
#include <platform/Session.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class WinModulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // C:\modules\WinTest.dll is the test module.
        platform::mapDrive(L'C', std::filesystem::path(WIN_TEST_MODULE_DIR).parent_path().string());
        platform::setTranscriptSink([this](std::wstring_view text) { transcript_ += text; });
    }
    void TearDown() override {
        platform::setTranscriptSink({});
        platform::mapDrive(L'C', "");
        unsetenv("WINTEST_FAIL_ATTACH");
    }
    std::wstring transcript_;
};

TEST_F(WinModulesTest, LoadsFindsAndFreesAModule) {
    HMODULE module = LoadLibraryW(L"c:\\MODULES\\wintest.dll");
    ASSERT_NE(module, nullptr) << platform::lastModuleError();
    EXPECT_EQ(transcript_, L"[DllMain] attach\n");
    EXPECT_EQ(LoadLibraryW(L"C:/modules/WinTest.dll"), module);  // counted, not attached again
    EXPECT_EQ(GetModuleHandleW(L"WINTEST.DLL"), module);
    EXPECT_EQ(GetModuleHandleW(L"wintest"), module);  // ".dll" is implied

    auto value = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "winTestValue")));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value(), 42);
    EXPECT_EQ(platform::moduleForAddress(reinterpret_cast<const void*>(value)), module);
    // Symbols of the module's dependencies are not its exports.
    EXPECT_EQ(GetProcAddress(module, "GetProcAddress"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

    wchar_t path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 22u);
    EXPECT_STREQ(path, L"C:\\modules\\WinTest.dll");
    wchar_t small[8];
    EXPECT_EQ(GetModuleFileNameW(module, small, 8), 8u);
    EXPECT_STREQ(small, L"C:\\modu");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(transcript_, L"[DllMain] attach\n");
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(transcript_, L"[DllMain] attach\n[DllMain] detach\n");
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(L"WinTest.dll"), nullptr);
}

TEST_F(WinModulesTest, FailuresAndSystemModules) {
    setenv("WINTEST_FAIL_ATTACH", "1", 1);
    EXPECT_EQ(LoadLibraryW(L"C:\\modules\\WinTest.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(transcript_, L"[DllMain] attach\n");

    EXPECT_EQ(LoadLibraryW(L"C:\\modules\\missing.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    const std::string text = std::string(WIN_TEST_MODULE_DIR) + "/text.dll";
    std::ofstream(text) << "not a module";
    EXPECT_EQ(LoadLibraryW(L"C:\\modules\\text.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    std::filesystem::remove(text);

    HMODULE help = LoadLibraryW(L"hhctrl.ocx");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(help, MAKEINTRESOURCEA(15))), reinterpret_cast<void*>(&HtmlHelpW));
    EXPECT_EQ(platform::builtinModuleName(LoadLibraryW(L"SHELL32.dll")), L"shell32.dll");
    EXPECT_TRUE(FreeLibrary(help));

    EXPECT_EQ(GetModuleHandleW(nullptr), platform::executableModule());
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    EXPECT_TRUE(std::wstring(path).ends_with(L"\\test_platform_win")) << path;
}

}  // namespace
