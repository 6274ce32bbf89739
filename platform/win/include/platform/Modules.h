// The host side of the module loader (LoadLibraryW and friends, win/Modules.h).
#pragma once

#include <windows.h>

#include <string>

namespace platform {

/// The file name of a built-in system module ("shell32.dll", "hhctrl.ocx", ...) for its
/// handle; empty for every other handle. The class library uses it to answer resource
/// requests to system modules (e.g. icon 1 of shell32).
std::wstring builtinModuleName(HMODULE module);
/// The loader's message for the last LoadLibraryW that failed on this thread.
std::string lastModuleError();
/// Detaches and unloads every module that LoadLibraryW still holds, newest first, ignoring
/// reference counts (for the host's shutdown; Windows does the same at process exit).
void freeAllModules();

}  // namespace platform
