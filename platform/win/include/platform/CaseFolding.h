// Letter case without regard to the process's locale (a process that never calls setlocale
// is in the "C" locale, where towlower and towupper know ASCII letters only).
#pragma once

namespace platform {

/// The lower-case form of a character, for all of Unicode's simple case mappings.
wchar_t foldCase(wchar_t ch);
/// The upper-case form of a character.
wchar_t upperCase(wchar_t ch);

}  // namespace platform
