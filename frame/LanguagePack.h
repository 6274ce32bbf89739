// The language pack loader: every text the plug-in shows is read through loadLangString.
#pragma once

#include <afxwin.h>

/// Loads "TavrixLP.dll" from the folder of the loaded module "Tavrix.zrx" and binds its
/// export "TavrixSetUp". Leaves the pack unbound, silently, when either is missing.
void loadLanguagePack();

/// The text of a string identifier: empty when the pack does not hold it; "failed to load
/// resource" when no pack could be loaded (loading is retried on every call until it works).
CString loadLangString(UINT id);

/// Frees the pack loaded by loadLanguagePack; later texts load it again.
void freeLanguagePack();
