// The declarations of the Windows stand-in functions, one header per topic; windows.h
// includes this file after its base types.
#pragma once

#include "win/Types.h"
#include "win/Errors.h"
#include "win/Files.h"
#include "win/WideRuntime.h"
#include "win/Registry.h"
#include "win/Environment.h"
#include "win/Modules.h"
#include "win/Com.h"
#include "win/Shell.h"
#include "win/MessageBox.h"
#if __has_include("win/Resources.h")
#include "win/Resources.h"
#endif
#if __has_include("win/Gdi.h")
#include "win/Gdi.h"
#endif
