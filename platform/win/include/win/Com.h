// The few COM types the shell functions need: GUID, IUnknown and the task allocator.
#pragma once

#include "win/Types.h"

typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

#define E_NOINTERFACE (static_cast<HRESULT>(0x80004002L))
#define E_POINTER (static_cast<HRESULT>(0x80004003L))
#define E_OUTOFMEMORY (static_cast<HRESULT>(0x8007000EL))
#define E_INVALIDARG (static_cast<HRESULT>(0x80070057L))
#define E_NOTIMPL (static_cast<HRESULT>(0x80004001L))

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IMalloc : IUnknown {
    virtual void* Alloc(SIZE_T cb) = 0;
    virtual void* Realloc(void* pv, SIZE_T cb) = 0;
    virtual void Free(void* pv) = 0;
    virtual SIZE_T GetSize(void* pv) = 0;
    virtual int DidAlloc(void* pv) = 0;
    virtual void HeapMinimize() = 0;

protected:
    ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;

/// The task allocator (malloc); CoTaskMemFree(nullptr) does nothing.
LPVOID CoTaskMemAlloc(SIZE_T cb);
LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
void CoTaskMemFree(LPVOID pv);
