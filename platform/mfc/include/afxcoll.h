// The class library's non-template collections: string, number and pointer arrays.
#pragma once

#include <afx.h>
#include <afxarray.h>
#include <afxlist.h>

/// A growable array of CString. The plug-in derives its string lists from it.
class CStringArray : public platform::ArrayBase<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray() = default;
};

class CByteArray : public platform::ArrayBase<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};

class CWordArray : public platform::ArrayBase<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};

class CDWordArray : public platform::ArrayBase<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};

class CUIntArray : public platform::ArrayBase<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public platform::ArrayBase<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

class CObArray : public platform::ArrayBase<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};

/// A list of CString.
class CStringList : public CList<CString, const CString&> {
public:
    CStringList() = default;
};
