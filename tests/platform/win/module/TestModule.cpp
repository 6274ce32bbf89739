// A tiny module for the loader tests: one export, and a DllMain that reports attach and
// detach in the transcript and refuses to attach when WINTEST_FAIL_ATTACH is set.
#include <platform/Session.h>
#include <windows.h>

#include <cstdlib>

extern "C" int winTestValue() { return 42; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        platform::record(L"DllMain", L"attach");
        return std::getenv("WINTEST_FAIL_ATTACH") ? FALSE : TRUE;
    }
    if (reason == DLL_PROCESS_DETACH)
        platform::record(L"DllMain", L"detach");
    return TRUE;
}
