// The shell (shell32, shlwapi, hhctrl): running documents, the folder picker, the logical
// name order and HTML Help. Nothing opens a window: calls are recorded in the session
// transcript (platform::record) and answers come from the session input
// (platform::nextInput). Texts in recorded lines are quoted; a quote inside is written \",
// CR, LF and TAB as \r \n \t, other control characters as \xHH; backslashes stay as they are.
#pragma once

#include "win/Com.h"
#include "win/Types.h"

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_NOASSOC 31

/// Records `[ShellExecute] verb="open" file="explorer.exe" parameters="Tavrix.pdf"
/// directory="C:\P" show=0` (a null text is recorded as ""). Returns 42 (> 32: success). A
/// file given with a folder part ("C:\x\a.pdf", relative to lpDirectory when relative) must
/// exist, else SE_ERR_FNF is returned (recorded all the same); bare program or document
/// names are taken as found.
HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                        LPCWSTR lpDirectory, INT nShowCmd);

typedef struct _SHITEMID {
    USHORT cb;
    BYTE abID[1];
} SHITEMID;
typedef struct _ITEMIDLIST {
    SHITEMID mkid;
} ITEMIDLIST;
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE_ARRAY;

typedef int(CALLBACK* BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfoW {
    HWND hwndOwner;
    PCIDLIST_ABSOLUTE pidlRoot;
    LPWSTR pszDisplayName;
    LPCWSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
} BROWSEINFOW, *PBROWSEINFOW, *LPBROWSEINFOW;
typedef BROWSEINFOW BROWSEINFO;
typedef LPBROWSEINFOW LPBROWSEINFO;

#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_DONTGOBELOWDOMAIN 0x00000002
#define BIF_STATUSTEXT 0x00000004
#define BIF_EDITBOX 0x00000010
#define BIF_VALIDATE 0x00000020
#define BIF_NEWDIALOGSTYLE 0x00000040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
#define BIF_NONEWFOLDERBUTTON 0x00000200

/// The folder picker. Records `[BrowseForFolder] title="..."`, then takes one line of session
/// input: "ESC" (any case), an empty line or the end of input cancel (nullptr). Otherwise the
/// line is a folder path; when it names an existing folder the item is returned (free it with
/// the allocator of SHGetMalloc, CoTaskMemFree or ILFree) and pszDisplayName (when given,
/// MAX_PATH characters) receives the folder's name; a line that names no folder is recorded
/// as `[BrowseForFolder] no folder "..."` and counts as cancel.
PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW lpbi);
/// The item's full path (drive letter as typed, each component with its real letter case, no
/// trailing backslash except after a drive root) into MAX_PATH characters; FALSE (and an
/// empty text) for a null item or a path that does not fit.
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR pszPath);
/// The shell's task allocator (one process-wide object; Release does not free it).
HRESULT SHGetMalloc(IMalloc** ppMalloc);
void ILFree(PIDLIST_ABSOLUTE pidl);

#define CSIDL_PERSONAL 0x0005
#define CSIDL_APPDATA 0x001a
#define CSIDL_LOCAL_APPDATA 0x001c
#define CSIDL_WINDOWS 0x0024
#define CSIDL_PROFILE 0x0028
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0
/// CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_PROFILE, CSIDL_PERSONAL (the profile) and
/// CSIDL_WINDOWS, as ExpandEnvironmentStringsW gives them, into MAX_PATH characters;
/// E_INVALIDARG for other folders.
HRESULT SHGetFolderPathW(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags, LPWSTR pszPath);

/// Explorer's order: runs of digits compare as numbers, letters without regard to case and
/// accents first (accents and then a number's leading zeros break ties), punctuation before
/// digits before letters. <0, 0 or >0.
int StrCmpLogicalW(PCWSTR psz1, PCWSTR psz2);
/// Case-insensitive comparison as _wcsicmp.
int StrCmpIW(PCWSTR psz1, PCWSTR psz2);

#define HH_DISPLAY_TOPIC 0x0000
#define HH_HELP_FINDER 0x0000
#define HH_DISPLAY_TOC 0x0001
#define HH_DISPLAY_INDEX 0x0002
#define HH_DISPLAY_SEARCH 0x0003
#define HH_HELP_CONTEXT 0x000F
#define HH_CLOSE_ALL 0x0012
/// HTML Help (also reachable as ordinal 15 of the built-in module "hhctrl.ocx"). Records
/// `[HtmlHelp] file="C:\P\Help.chm" command=0 data="topic.htm"` (data as a text for
/// HH_DISPLAY_TOPIC, else as a number: data=15). Returns nullptr (no window is made);
/// HH_CLOSE_ALL is not recorded.
HWND HtmlHelpW(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData);
