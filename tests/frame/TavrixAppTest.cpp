// Installation data: the product's identity and the folders read from the registry.
#include "frame/TavrixApp.h"

#include "FrameTestSupport.h"

using frametest::FrameTest;
using frametest::inFreshProcess;

namespace {

struct FolderCase {
    const char* label;
    const wchar_t* installValue;  // null: the key holds no "Path" value
    bool keyExists;
    const wchar_t* templates;
    const wchar_t* signs;
};

const FolderCase kFolderCases[] = {
    {"plain", L"C:\\P", true, L"C:\\P\\Templates", L"C:\\P\\Templates\\Signs"},
    // No separator is added or removed.
    {"trailingBackslash", L"C:\\P\\", true, L"C:\\P\\\\Templates", L"C:\\P\\\\Templates\\Signs"},
    {"valueMissing", nullptr, true, L"\\Templates", L"\\Templates\\Signs"},
    {"keyMissing", nullptr, false, L"\\Templates", L"\\Templates\\Signs"},
};

class TavrixAppTest : public FrameTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(TavrixAppTest, FoldersFollowTheInstallationValue)
{
    const FolderCase& c = GetParam();
    if (c.keyExists)
        writeInstallKey(c.installValue);
    else
        writeHive("[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORANT\\Other]\nPath=C:\\X\n");
    inFreshProcess([&] {
        TavrixApp app;
        EXPECT_TRUE(app.initialised);
        EXPECT_EQ(app.productName, L"Tavrix");
        EXPECT_EQ(app.version, L"2023");
        EXPECT_EQ(app.productSubkey, L"\\VORANT\\Tavrix\\2023");
        EXPECT_EQ(app.installDir, c.installValue ? c.installValue : L"");
        EXPECT_EQ(app.templatesDir, c.templates);
        EXPECT_EQ(app.signsDir, c.signs);
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, TavrixAppTest, testing::ValuesIn(kFolderCases),
                         [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.label); });

class TavrixAppOnceTest : public FrameTest {};

TEST_F(TavrixAppOnceTest, FoldersAreReadOncePerProcess)
{
    writeInstallKey(L"C:\\First");
    inFreshProcess([&] {
        TavrixApp first;
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VORANT\\Tavrix\\2023", 0, KEY_SET_VALUE, &key),
                  ERROR_SUCCESS);
        const wchar_t second[] = L"C:\\Second";
        ASSERT_EQ(RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(second),
                                 (wcslen(second) + 1) * 2),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        TavrixApp again;
        EXPECT_EQ(again.installDir, L"C:\\First");
        EXPECT_EQ(again.signsDir, L"C:\\First\\Templates\\Signs");
    });
}

}  // namespace
