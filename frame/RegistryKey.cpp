// RegistryKey: opening, reading and closing registry keys, with optional error messages.
#include "frame/RegistryKey.h"

namespace {
// Registry sizes count two bytes per UTF-16 unit. The read buffer offers 1024 bytes: up to
// 511 characters and the terminator.
constexpr DWORD kBytesPerUnit = 2;
constexpr DWORD kValueBufferBytes = 1024;
}  // namespace

RegistryKey::RegistryKey(HKEY root, REGSAM access, bool reportErrors)
    : root(root), access(access), reportErrors(reportErrors)
{
}

RegistryKey::~RegistryKey()
{
    close();
}

bool RegistryKey::open(const CString& subKey)
{
    if (key) {
        if (reportErrors)
            MessageBoxW(nullptr, L"Przed otwarciem nowego klucza, zamknij klucz otwarty wczesniej",
                        L"Błąd otwarcia klucza", MB_OK);
        return false;
    }
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExW(root, subKey, 0, access, &opened);
    if (result != ERROR_SUCCESS) {
        reportError(result);
        return false;
    }
    key = opened;
    return true;
}

CString RegistryKey::readString(const CString& valueName)
{
    if (!key)
        return CString();
    wchar_t buffer[kValueBufferBytes / kBytesPerUnit] = {};
    DWORD size = kValueBufferBytes;
    LONG result = RegQueryValueExW(key, valueName, nullptr, nullptr,
                                   reinterpret_cast<LPBYTE>(buffer), &size);
    if (result != ERROR_SUCCESS) {
        reportError(result);
        return CString();
    }
    // A value stored without its terminator may fill the whole buffer: take no more than
    // the bytes the system wrote, and stop at the first terminator within them.
    int length = 0;
    const int written = static_cast<int>(size / kBytesPerUnit);
    while (length < written && buffer[length] != L'\0')
        ++length;
    return CString(buffer, length);
}

void RegistryKey::close()
{
    if (!key)
        return;
    LONG result = RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        reportError(result);
        return;
    }
    key = nullptr;
}

void RegistryKey::reportError(LONG errorCode)
{
    if (!reportErrors)
        return;
    LPWSTR message = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(errorCode), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<LPWSTR>(&message), 0, nullptr);
    MessageBoxW(nullptr, message ? message : L"", L"Błąd podczas operacji na rejestrach",
                MB_OK | MB_ICONERROR);
    if (message)
        LocalFree(message);
}

CString readRegistryString(const CString& subKey, const CString& valueName, HKEY root)
{
    RegistryKey registryKey(root, KEY_READ, false);
    if (!registryKey.open(subKey))
        return CString();
    CString value = registryKey.readString(valueName);
    registryKey.close();
    return value;
}
