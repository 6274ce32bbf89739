// Helpers shared by the Windows stand-in's sources (not part of its interface).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace platform::detail {

/// Lower-case folding of one character, independent of the process's locale.
wchar_t foldCase(wchar_t ch);
wchar_t upperCase(wchar_t ch);
/// Case-insensitive ordering (-1, 0, 1) and equality of two texts.
int compareFolded(std::wstring_view a, std::wstring_view b);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);

/// Sets the thread's last error from an errno value and returns the Win32 code.
DWORD setLastErrorFromErrno(int error);

/// A text quoted for a recorded transcript line (see win/Shell.h).
std::wstring quoted(const wchar_t* text);

/// Copies text and its terminator into a buffer of size characters. Returns the length
/// without the terminator when it fits, else the size needed with the terminator (nothing
/// written): the convention of GetCurrentDirectoryW and friends.
DWORD copyOut(std::wstring_view text, LPWSTR buffer, DWORD size);

/// Kernel objects behind HANDLE values (file handles, searches).
class KernelObject {
public:
    virtual ~KernelObject() = default;
    /// Releases the object's resources; false (with the last error set) on failure.
    virtual bool close() { return true; }
};

HANDLE registerHandle(std::unique_ptr<KernelObject> object);
/// The object behind a live handle, nullptr otherwise.
KernelObject* lookupHandle(HANDLE handle);
template <typename T>
T* lookupHandleAs(HANDLE handle) {
    return dynamic_cast<T*>(lookupHandle(handle));
}
/// Removes a live handle and hands its object back (nullptr when not live).
std::unique_ptr<KernelObject> releaseHandle(HANDLE handle);


}  // namespace platform::detail

#include <optional>

namespace platform::detail {
/// An environment variable's value (names without regard to case), with the Windows
/// fallbacks of Environment.cpp; nullopt when unset.
std::optional<std::wstring> environmentValue(std::wstring_view name);
}  // namespace platform::detail
