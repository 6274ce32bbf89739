// What the Windows SDK and class-library headers give resource scripts: the constants
// scripts use (languages, version flags, window and control styles, resource types), and
// the names of the headers that are therefore never read.
#pragma once

#include <string>
#include <vector>

namespace rc {

/// "#define" lines without the directive: "NAME value" or "NAME(a, b) body".
const std::vector<std::wstring>& builtinDefinitions();

/// True for system headers (windows.h, winres.h, afxres.h, commctrl.h ...) and the class
/// library's own resource scripts (afxres.rc ...), given as a file name without folder.
bool isBuiltinHeader(const std::wstring& fileName);

}  // namespace rc
