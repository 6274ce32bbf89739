// The registry reader: value sizes, missing keys and values, error messages.
#include "frame/RegistryKey.h"

#include <gtest/gtest.h>

#include <string>

#include "FrameTestSupport.h"
#include "platform/Registry.h"
#include "platform/Session.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\VORANT\\Test";

class RegistryKeyTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::useMemoryRegistry();
        platform::setTranscriptSink([this](std::wstring_view text) { shown += text; });
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override { platform::setTranscriptSink({}); }

    void setValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void setString(const wchar_t* name, const std::wstring& text)
    {
        // Registry sizes count two bytes per UTF-16 unit, the terminator included.
        setValue(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }

    std::wstring shown;
};

TEST_F(RegistryKeyTest, ReadsValuesThatFitIn1024Bytes)
{
    const std::wstring fits(511, L'a');  // 511 characters and the terminator: 1024 bytes
    const std::wstring tooLong(512, L'b');
    setString(L"Fits", fits);
    setString(L"TooLong", tooLong);
    setString(L"Path", L"C:\\Program Files\\Tavrix");

    EXPECT_EQ(readRegistryString(kKey, L"Path", HKEY_LOCAL_MACHINE), L"C:\\Program Files\\Tavrix");
    EXPECT_EQ(readRegistryString(kKey, L"Fits", HKEY_LOCAL_MACHINE), fits.c_str());
    EXPECT_EQ(readRegistryString(kKey, L"TooLong", HKEY_LOCAL_MACHINE), L"");
    EXPECT_EQ(readRegistryString(kKey, L"Missing", HKEY_LOCAL_MACHINE), L"");
    EXPECT_EQ(readRegistryString(L"SOFTWARE\\VORANT\\Nothing", L"Path", HKEY_LOCAL_MACHINE), L"");
    EXPECT_EQ(shown, L"") << "failures of the one-shot reader show no message";
}

TEST_F(RegistryKeyTest, ValueWithoutTerminatorStopsAtTheBytesStored)
{
    const std::wstring full(512, L'c');  // exactly 1024 bytes, stored without a terminator
    setValue(L"Raw", REG_SZ, full.c_str(), 1024);
    EXPECT_EQ(readRegistryString(kKey, L"Raw", HKEY_LOCAL_MACHINE), full.c_str());
}

TEST_F(RegistryKeyTest, SecondOpenIsRefusedWithMessageWhenReporting)
{
    RegistryKey key(HKEY_LOCAL_MACHINE, KEY_READ, true);
    ASSERT_TRUE(key.open(kKey));
    EXPECT_FALSE(key.open(kKey));
    EXPECT_NE(shown.find(L"[MessageBox] caption=\"Błąd otwarcia klucza\" "
                         L"text=\"Przed otwarciem nowego klucza, zamknij klucz otwarty wczesniej\" type=0x00000000"),
              std::wstring::npos)
        << platform::toUtf8(shown);
    key.close();
    EXPECT_TRUE(key.open(kKey)) << "a closed key can be opened again";
}

TEST_F(RegistryKeyTest, FailuresShowTheSystemTextOnlyWhenReporting)
{
    RegistryKey quiet(HKEY_LOCAL_MACHINE, KEY_READ, false);
    EXPECT_FALSE(quiet.open(L"SOFTWARE\\VORANT\\Nothing"));
    EXPECT_FALSE(quiet.open(L"SOFTWARE\\VORANT\\Nothing"));
    EXPECT_EQ(quiet.readString(L"Path"), L"") << "no key open";
    EXPECT_EQ(shown, L"");

    RegistryKey loud(HKEY_LOCAL_MACHINE, KEY_READ, true);
    EXPECT_FALSE(loud.open(L"SOFTWARE\\VORANT\\Nothing"));
    EXPECT_NE(shown.find(L"[MessageBox] caption=\"Błąd podczas operacji na rejestrach\""), std::wstring::npos)
        << platform::toUtf8(shown);
    EXPECT_NE(shown.find(L"type=0x00000010"), std::wstring::npos) << "error icon";

    shown.clear();
    ASSERT_TRUE(loud.open(kKey));
    EXPECT_EQ(loud.readString(L"Missing"), L"");
    EXPECT_NE(shown.find(L"[MessageBox] caption=\"Błąd podczas operacji na rejestrach\""), std::wstring::npos);
}

}  // namespace
