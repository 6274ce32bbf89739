// Generic-text mappings for a Unicode build: TCHAR is wchar_t, _T("x") is L"x".
#pragma once

#include <windows.h>

#ifndef _T
#define _T(s) L##s
#endif
#ifndef _TEXT
#define _TEXT(s) L##s
#endif
#ifndef _tcslen
#define _tcslen wcslen
#define _tcscpy_s wcscpy_s
#define _tcscat_s wcscat_s
#define _tcscmp wcscmp
#define _tcsicmp _wcsicmp
#define _tcsnicmp _wcsnicmp
#define _tcschr wcschr
#define _tcsrchr wcsrchr
#define _tcsstr wcsstr
#define _stprintf_s swprintf_s
#define _ttoi _wtoi
#define _ttol _wtol
#define _tstof _wtof
#define _tfopen_s _wfopen_s
#define _tfopen _wfopen
#endif
