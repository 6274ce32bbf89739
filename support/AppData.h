// The user's application-data folder.
#pragma once

#include <afxstr.h>

/// The expansion of "%APPDATA%" (the per-user roaming application-data folder, without a
/// trailing backslash); empty text when the expansion does not fit 260 characters.
CString appDataFolder();
