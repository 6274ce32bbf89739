// Resource identifiers of the class library (used by resource scripts and code).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
#define AFX_IDD_FILEOPEN 28676
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#define ID_CONTEXT_HELP 0xE145
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#endif
