// The contract between the module loader (LoadLibraryW, FreeLibrary) and the class library:
// what a module handle is, and the attach and detach steps the loader runs for every module.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

/// The handle of the loaded module (the executable or a shared object) whose image holds
/// address: the module's load base address, as a Windows module handle is. Resource tables
/// and module states are keyed by it. nullptr when no loaded module holds the address.
HMODULE moduleForAddress(const void* address);

/// The handle of the main program (what GetModuleHandleW(nullptr) returns).
HMODULE executableModule();

/// The Linux path of a loaded module's file (the executable's real path for the program);
/// empty when module is not a loaded module.
std::string moduleFilePath(HMODULE module);

/// Run by LoadLibraryW after a module's first load, after its exported DllMain (if any)
/// returned TRUE for DLL_PROCESS_ATTACH: starts the module's application object
/// (CWinApp::InitInstance) if it has one. FALSE means the load fails; the loader then runs
/// runModuleDetach, DllMain(DLL_PROCESS_DETACH) and unloads the module.
BOOL runModuleAttach(HMODULE module);

/// Run by FreeLibrary before the module's DllMain(DLL_PROCESS_DETACH) and its unloading:
/// ends the application object (CWinApp::ExitInstance) and removes the module from every
/// resource chain so that nothing refers to it after it is gone.
void runModuleDetach(HMODULE module);

}  // namespace platform
