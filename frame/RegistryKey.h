// RegistryKey: reads string values from the registry; readRegistryString, its one-shot form.
#pragma once

#include <afxwin.h>

/// One registry key opened for a read or two, created on the stack. At most one key is
/// open at a time; the destructor closes it. With reportErrors set, failures are shown in
/// message boxes; otherwise they only show in the results (false, empty text).
class RegistryKey {
public:
    RegistryKey(HKEY root, REGSAM access, bool reportErrors);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    /// Opens subKey under the root. False when a key is already open (refused) or the
    /// system refuses to open it.
    bool open(const CString& subKey);
    /// The string in valueName of the open key (the value's type is not checked); empty
    /// when no key is open, the value is missing or it does not fit in 1024 bytes.
    CString readString(const CString& valueName);
    /// Closes the open key, if any; on failure the key stays open.
    void close();
    /// Shows the system's text for a registry error code when reporting is on.
    void reportError(LONG errorCode);

private:
    HKEY key = nullptr;
    HKEY root;
    REGSAM access;
    bool reportErrors;
};

/// The string value valueName of root\subKey, read with KEY_READ and without error
/// messages; empty text when the key or the value is missing or too long.
CString readRegistryString(const CString& subKey, const CString& valueName, HKEY root);
