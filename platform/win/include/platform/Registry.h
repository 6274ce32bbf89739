// The host side of the registry stand-in: where the hive lives.
//
// Hive file format (UTF-8 text; lines end with LF, CR LF accepted):
//   ; comment            lines starting with ";" or "#" and blank lines are ignored
//   [HKEY_LOCAL_MACHINE\SOFTWARE\VORANT\Tavrix\2023]
//   Path=C:\Program Files\Tavrix
//   @=text of the key's default value
//   Count=dword:0000002a
// A "[ROOT\path]" line starts a key (ROOT is HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
// HKEY_CLASSES_ROOT or HKEY_USERS, or HKLM / HKCU / HKCR / HKU); the key and its parents
// exist once named. "name=value" lines below it are values. The name runs to the first "="
// ("@" is the default value; a name holding "=", a quote or a line break, or starting with
// "[", ";", "#", a space or being "@" itself, is written in double quotes with \" and \\).
// The value is:
//   text                 REG_SZ, the rest of the line as it stands (backslashes literal);
//   sz:text              REG_SZ with "\\", "\r", "\n", "\0" escapes, for strings that hold
//                        CR, LF or NUL or begin with one of the prefixes of this list;
//   szn:text             REG_SZ stored without its terminator, escaped the same way;
//   expand:text          REG_EXPAND_SZ, escaped the same way;
//   multi:a\0b\0         REG_MULTI_SZ, escaped the same way;
//   dword:0000002a       REG_DWORD, exactly 8 hex digits;
//   hex:01,ff  hex(N):.. raw bytes of REG_BINARY / of type N.
// Lines that fit none of these forms are skipped. Every value reads back exactly as set.
//
// The file is read when the hive is first used (or by setRegistryFile) and rewritten
// whole (to a temporary file that then replaces it) after every change.
#pragma once

#include <string>

namespace platform {

/// Backs the hive by the file at unixPath: the hive is replaced by the file's content (empty
/// when the file does not exist yet; it is created on the first change). false when the
/// file exists but cannot be read. Without this call, the hive is backed by the file that the
/// environment variable TAVRIX_REGISTRY names (a Unix path) when it is set, else it lives in
/// memory only.
bool setRegistryFile(const std::string& unixPath);
/// Drops any file backing and empties the hive (tests).
void useMemoryRegistry();
/// The backing file, empty for a memory hive.
std::string registryFile();

}  // namespace platform
