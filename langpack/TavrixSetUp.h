// The one export of a Tavrix language pack, shared by the pack and the plug-in's loader.
#pragma once

#include <afxwin.h>

#if defined(_MSC_VER)
#define TAVRIX_LANGPACK_EXPORT __declspec(dllexport)
#else
#define TAVRIX_LANGPACK_EXPORT __attribute__((visibility("default")))
#endif

/// Assigns the pack's text of string identifier id to *text (empty when the pack's table
/// does not hold it). Runs in the pack's own module state.
extern "C" TAVRIX_LANGPACK_EXPORT void __cdecl TavrixSetUp(UINT id, CString* text);

/// The type of TavrixSetUp as the plug-in binds it.
typedef void(__cdecl* TavrixSetUpFunc)(UINT id, CString* text);
