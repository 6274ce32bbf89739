// Module states and resources across modules: the program's own string table, an
// extension module on the resource chain, a regular library with its own state and
// application object, AFX_MANAGE_STATE switching, LoadStringW and version information.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "modules/TestIds.h"
#include "platform/ModuleHooks.h"
#include "platform/Paths.h"
#include "platform/ResourceTable.h"

namespace {

// A test module loaded with LoadLibraryW (its DllMain, then the class library's attach
// step) and freed with FreeLibrary.
class Module {
public:
    explicit Module(const char* fileName) {
        const std::wstring path = platform::toWindowsPath(std::string(MFC_TEST_MODULE_DIR) + "/" + fileName);
        module_ = LoadLibraryW(path.c_str());
    }
    ~Module() { unload(); }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    bool loaded() const { return module_ != nullptr; }
    HMODULE handle() const { return handle_ ? handle_ : module_; }
    template <class F>
    F get(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    void unload() {
        if (!module_)
            return;
        handle_ = module_;
        FreeLibrary(module_);
        module_ = nullptr;
    }

private:
    HMODULE module_ = nullptr;
    HMODULE handle_ = nullptr;  // kept after unloading, to ask what is left of the module
};

CString load(UINT id) {
    CString text(L"unchanged");
    text.LoadString(id);
    return text;
}

TEST(MfcModuleStateTest, ProgramStringsLoadThroughTheProgramState) {
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    EXPECT_EQ(AfxGetStaticModuleState(), AfxGetAppModuleState());
    EXPECT_EQ(AfxGetResourceHandle(), platform::executableModule());
    EXPECT_EQ(load(IDS_SHARED), L"program text");
    EXPECT_EQ(load(IDS_PROGRAM_ONLY), L"only in the program");
    CString missing(L"unchanged");
    EXPECT_FALSE(missing.LoadString(IDS_MISSING));
    EXPECT_EQ(missing, L"unchanged");
    EXPECT_EQ(CString(MAKEINTRESOURCEW(IDS_PROGRAM_ONLY)), L"only in the program");
    CString formatted;
    formatted.Format(static_cast<UINT>(IDS_FORMAT), L"list", 3);
    EXPECT_EQ(formatted, L"list has 3 items");
}

TEST(MfcModuleStateTest, ExtensionModuleJoinsTheResourceChainWhileLoaded) {
    {
        Module extension("ExtensionModule.dll");
        ASSERT_TRUE(extension.loaded());
        EXPECT_EQ(extension.get<HMODULE (*)()>("ExtensionHandle")(), extension.handle());
        // The program's own table comes first; the chain supplies what it lacks.
        EXPECT_EQ(load(IDS_SHARED), L"program text");
        EXPECT_EQ(load(IDS_EXTENSION_ONLY), L"only in the extension");
        EXPECT_EQ(AfxFindStringResourceHandle(IDS_EXTENSION_ONLY), extension.handle());

        // With the extension's own state current, its table comes first.
        AFX_MODULE_STATE* state = extension.get<AFX_MODULE_STATE* (*)()>("ExtensionState")();
        ASSERT_NE(state, AfxGetAppModuleState());
        {
            AFX_MANAGE_STATE(state);
            EXPECT_EQ(AfxGetModuleState(), state);
            EXPECT_EQ(AfxGetResourceHandle(), extension.handle());
            EXPECT_EQ(load(IDS_SHARED), L"extension text");
            EXPECT_EQ(load(IDS_PROGRAM_ONLY), L"unchanged");  // its own chain is empty
        }
        EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    }
    // Unloaded: the chain no longer holds it.
    EXPECT_EQ(load(IDS_EXTENSION_ONLY), L"unchanged");
    EXPECT_EQ(AfxGetAppModuleState()->m_libraryList, nullptr);
}

int exitCalls = 0;
void countExit() { ++exitCalls; }

TEST(MfcModuleStateTest, RegularLibraryLoadsFromItsOwnState) {
    exitCalls = 0;
    Module extension("ExtensionModule.dll");
    Module regular("RegularModule.dll");
    ASSERT_TRUE(extension.loaded() && regular.loaded());
    EXPECT_EQ(regular.get<int (*)()>("RegularInitCount")(), 1);  // InitInstance ran at attach

    auto setUp = regular.get<void (*)(UINT, CString*)>("RegularSetUp");
    CString text(L"caller's");
    setUp(IDS_SHARED, &text);
    EXPECT_EQ(text, L"regular text");
    setUp(IDS_REGULAR_ONLY, &text);
    EXPECT_EQ(text, L"only in the regular library");
    // Missing in the library: empty, even though the program and the chain hold it.
    setUp(IDS_EXTENSION_ONLY, &text);
    EXPECT_EQ(text, L"");
    setUp(IDS_PROGRAM_ONLY, &text);
    EXPECT_EQ(text, L"");
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());  // switched back after each call

    CWinApp* app = regular.get<CWinApp* (*)()>("RegularApp")();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->m_hInstance, regular.handle());
    EXPECT_STREQ(app->m_pszAppName, L"RegularModule");
    EXPECT_EQ(AfxGetApp(), nullptr);  // the program has no application object
    AFX_MODULE_STATE* state = regular.get<AFX_MODULE_STATE* (*)()>("RegularState")();
    EXPECT_EQ(state->m_pCurrentWinApp, app);
    EXPECT_EQ(platform::findModuleState(regular.handle()), state);

    regular.get<void (*)(void (*)())>("RegularObserveExit")(&countExit);
    regular.unload();
    EXPECT_EQ(exitCalls, 1);  // ExitInstance ran before the library went away
    EXPECT_EQ(platform::findModuleState(regular.handle()), nullptr);
}

TEST(MfcModuleStateTest, RefusedInitInstanceFailsTheLoad) {
    setenv("MFC_TEST_REFUSE_INIT", "1", 1);
    Module regular("RegularModule.dll");
    unsetenv("MFC_TEST_REFUSE_INIT");
    EXPECT_FALSE(regular.loaded());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
}

TEST(MfcModuleStateTest, LoadStringWCopiesOrPointsAtTheText) {
    Module regular("RegularModule.dll");
    ASSERT_TRUE(regular.loaded());
    wchar_t buffer[8];
    EXPECT_EQ(LoadStringW(regular.handle(), IDS_SHARED, buffer, 8), 7);
    EXPECT_STREQ(buffer, L"regular");  // cut to the buffer, terminated
    EXPECT_EQ(LoadStringW(regular.handle(), IDS_SHARED, buffer, 1), 0);
    EXPECT_STREQ(buffer, L"");
    const wchar_t* pointer = nullptr;
    EXPECT_EQ(LoadStringW(regular.handle(), IDS_SHARED, reinterpret_cast<LPWSTR>(&pointer), 0), 12);
    EXPECT_EQ(std::wstring(pointer, 12), L"regular text");
    EXPECT_EQ(LoadStringW(regular.handle(), IDS_MISSING, buffer, 8), 0);
    EXPECT_EQ(LoadStringW(regular.handle(), IDS_PROGRAM_ONLY, buffer, 8), 0);
    EXPECT_EQ(LoadStringW(nullptr, IDS_PROGRAM_ONLY, buffer, 8), 7);  // null: the program
    CString direct;
    EXPECT_TRUE(direct.LoadString(regular.handle(), IDS_REGULAR_ONLY));
    EXPECT_EQ(direct, L"only in the regular library");
}

TEST(MfcModuleStateTest, ResourcesByTypeAndName) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_DATA), RT_RCDATA);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(nullptr, found), 10u);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    EXPECT_EQ(bytes[2], 3);
    EXPECT_EQ(bytes[9], 'b');
    EXPECT_EQ(FindResourceW(nullptr, L"#5", RT_RCDATA), found);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_DATA), RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceExW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(IDR_DATA), 0x0415), nullptr);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_DATA), RT_RCDATA), platform::executableModule());
}

TEST(MfcModuleStateTest, DialogTemplatesAreRegisteredWithTheirModule) {
    const platform::res::DialogResource* dialog = platform::res::findDialog(platform::executableModule(), {IDD_SAMPLE, nullptr});
    ASSERT_NE(dialog, nullptr);
    EXPECT_STREQ(dialog->caption, L"Sample");
    ASSERT_EQ(dialog->controlCount, 2u);
    EXPECT_STREQ(dialog->controls[1].windowClass, L"SysTreeView32");
    EXPECT_EQ(dialog->controls[1].id, 1001);
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_SAMPLE), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(LockResource(LoadResource(nullptr, found)), dialog);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_SAMPLE), RT_DIALOG), platform::executableModule());
}

TEST(MfcModuleStateTest, VersionInformationOfLoadedModules) {
    Module regular("RegularModule.dll");
    ASSERT_TRUE(regular.loaded());
    DWORD handle = 1;
    // Found by file name; the folder and letter case do not matter.
    const DWORD size = GetFileVersionInfoSizeW(L"C:\\Somewhere\\regularmodule.DLL", &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(handle, 0u);
    std::vector<unsigned char> block(size);
    EXPECT_FALSE(GetFileVersionInfoW(L"RegularModule.dll", 0, size - 1, block.data()));
    ASSERT_TRUE(GetFileVersionInfoW(L"RegularModule.dll", 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<LPVOID*>(&fixed), &length));
    EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed->dwFileVersionMS, (2023u << 16) | 0u);
    EXPECT_EQ(fixed->dwFileVersionLS, (1u << 16) | 0u);
    EXPECT_EQ(fixed->dwFileType, VFT_DLL);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&translation), &length));
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x415);
    EXPECT_EQ(translation[1], 1200);

    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041504B0\\FileDescription", reinterpret_cast<LPVOID*>(&text), &length));
    EXPECT_STREQ(text, L"Regular test library");
    EXPECT_EQ(length, 21u);
    EXPECT_FALSE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041504b0\\Nothing", reinterpret_cast<LPVOID*>(&text), &length));
    EXPECT_EQ(length, 0u);

    EXPECT_EQ(GetFileVersionInfoSizeW(L"NotLoaded.dll", &handle), 0u);
    EXPECT_GT(GetFileVersionInfoSizeW(L"test_platform_mfc", &handle), 0u);  // the program itself
}

TEST(MfcModuleStateTest, PreferredLanguageChoosesAmongVersions) {
    // The regular library's strings are Polish only: any preferred language finds them.
    Module regular("RegularModule.dll");
    ASSERT_TRUE(regular.loaded());
    const LANGID before = GetThreadUILanguage();
    SetThreadUILanguage(MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT));
    wchar_t buffer[32];
    EXPECT_EQ(LoadStringW(regular.handle(), IDS_SHARED, buffer, 32), 12);
    SetThreadUILanguage(before);
}

}  // namespace
