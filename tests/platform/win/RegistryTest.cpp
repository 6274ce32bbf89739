// The registry: buffer sizes, missing keys and values, the hive file.
#include <platform/Registry.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class WinRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { platform::useMemoryRegistry(); }
    void TearDown() override { platform::useMemoryRegistry(); }

    void setString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * 2)),
                  ERROR_SUCCESS);
        RegCloseKey(h);
    }
};

TEST_F(WinRegistryTest, QueryHonoursTheCallersBufferSize) {
    setString(L"SOFTWARE\\VORANT\\Tavrix\\2023", L"Path", L"C:\\P");
    setString(L"SOFTWARE\\VORANT\\Tavrix\\2023", L"Long", std::wstring(512, L'x'));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"software\\vorant\\TAVRIX\\2023", 0, KEY_READ, &key), ERROR_SUCCESS);

    wchar_t buffer[512];
    DWORD type = 0, size = 1024;
    EXPECT_EQ(RegQueryValueExW(key, L"path", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"C:\\P");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 10u);  // four UTF-16 units and the terminator

    // 512 characters need 1026 bytes: one more than the buffer offers.
    size = 1024;
    buffer[0] = L'?';
    EXPECT_EQ(RegQueryValueExW(key, L"Long", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 1026u);
    EXPECT_EQ(buffer[0], L'?');
    size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"Long", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 1026u);

    // Stored without a terminator, 512 characters are exactly 1024 bytes, as on Windows.
    HKEY writable = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VORANT\\Tavrix\\2023", 0, KEY_ALL_ACCESS, &writable),
              ERROR_SUCCESS);
    const std::wstring full(512, L'c');
    ASSERT_EQ(RegSetValueExW(writable, L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.c_str()), 1024),
              ERROR_SUCCESS);
    RegCloseKey(writable);
    std::wstring raw(513, L'?');
    size = 1024;
    EXPECT_EQ(RegQueryValueExW(key, L"Raw", nullptr, nullptr, reinterpret_cast<LPBYTE>(raw.data()), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 1024u);
    EXPECT_EQ(raw.substr(0, 513), full + L'?');

    EXPECT_EQ(RegQueryValueExW(key, L"Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    const std::wstring text = L"x";
    EXPECT_EQ(RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), 4),
              ERROR_ACCESS_DENIED);  // opened for reading
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VORANT\\Other", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\VORANT\\Tavrix\\2023", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(WinRegistryTest, DeletingKeysAndValues) {
    setString(L"A\\B", L"v", L"1");
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"A"), ERROR_ACCESS_DENIED);  // still has a sub-key
    HKEY b = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"A\\B", 0, KEY_ALL_ACCESS, &b), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(b, L"V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(b, L"v"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"a\\b"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(b, L"v", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    RegCloseKey(b);
    EXPECT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"A"), ERROR_SUCCESS);
}

TEST_F(WinRegistryTest, HiveFileRoundTrip) {
    char pattern[] = "/tmp/tavrix-reg-XXXXXX";
    const int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    close(fd);
    const std::string path = pattern;
    {
        std::ofstream out(path);
        out << "; written by hand\n[HKLM\\SOFTWARE\\VORANT\\Tavrix\\2023]\nPath=C:\\Program Files\\Tavrix\n"
               "Count=dword:0000002a\n\nnot a value line\n[HKEY_CURRENT_USER\\Empty]\n";
    }
    ASSERT_TRUE(platform::setRegistryFile(path));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VORANT\\Tavrix\\2023", 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    wchar_t buffer[64];
    DWORD size = sizeof buffer / 2;
    ASSERT_EQ(RegQueryValueExW(key, L"Path", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, L"C:\\Program Files\\Tavrix");
    DWORD count = 0, type = 0;
    size = 4;
    ASSERT_EQ(RegQueryValueExW(key, L"Count", nullptr, &type, reinterpret_cast<LPBYTE>(&count), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count, 42u);

    // Awkward strings survive a save and a fresh load.
    const std::wstring awkward = L"two\nlines \u0141\u00F3d\u017A dword:00000001";
    ASSERT_EQ(RegSetValueExW(key, L"a=b", 0, REG_SZ, reinterpret_cast<const BYTE*>(awkward.c_str()),
                             static_cast<DWORD>((awkward.size() + 1) * 2)),
              ERROR_SUCCESS);
    const std::wstring prefixed = L"dword:00000001";
    ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(prefixed.c_str()),
                             static_cast<DWORD>((prefixed.size() + 1) * 2)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_TRUE(platform::setRegistryFile(path));
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VORANT\\Tavrix\\2023", 0, KEY_READ, &key), ERROR_SUCCESS);
    size = sizeof buffer / 2;
    ASSERT_EQ(RegQueryValueExW(key, L"A=B", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(buffer), awkward);
    size = sizeof buffer / 2;
    ASSERT_EQ(RegQueryValueExW(key, L"", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(buffer), prefixed);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"empty", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    std::remove(path.c_str());
}

}  // namespace
