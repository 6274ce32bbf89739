// The user's application-data folder.
#include "support/AppData.h"

#include <windows.h>

CString appDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    const DWORD needed = ExpandEnvironmentStringsW(L"%APPDATA%", folder, MAX_PATH);
    if (needed == 0 || needed > MAX_PATH)
        return CString();
    return CString(folder);
}
