// The class library's core: build macros, debugging macros, CObject with run-time class
// information, the exception classes, strings, module state and (when present) files.
#pragma once

#include <windows.h>
#include <win/Resources.h>

#include <new>

#include <afxstr.h>
#include <atlstr.h>

// ---------------------------------------------------------------------------------------
// Build and linkage macros (all modules share one class library, so they are empty).
#define AFXAPI
#define AFX_CDECL
#define AFX_EXT_CLASS
#define AFX_EXT_API
#define AFX_EXT_DATA
#define AFX_EXT_DATADEF
#define AFX_DATA
#define AFX_DATADEF
#define AFX_API_EXPORT
#define AFX_CLASS_EXPORT
#define AFX_IMPORT_DATA
#define AFX_NOVTABLE
#define AFX_INLINE inline
#define AFX_STATIC static
#define AFX_STATIC_DATA static
#ifndef _AFXDLL
#define _AFXDLL
#endif

#ifndef _T
#define _T(x) L##x
#endif
#ifndef _TEXT
#define _TEXT(x) L##x
#endif
#ifndef TEXT
#define TEXT(x) L##x
#endif

// ---------------------------------------------------------------------------------------
// Debugging macros: checks compile but do not run; VERIFY evaluates its expression.
#define ASSERT(f) ((void)sizeof(!(f)))
#define ASSERT_VALID(p) ((void)sizeof(p))
#define ASSERT_KINDOF(c, p) ((void)sizeof(p))
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define TRACE1(s, a) ((void)0)
#define TRACE2(s, a, b) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))
#define DEBUG_NEW new
#define AfxDebugBreak() ((void)0)
/// Throws CInvalidArgException* when the condition does not hold, as the class library does.
#define ENSURE(cond)                         \
    do {                                     \
        if (!(cond))                         \
            AfxThrowInvalidArgException();   \
    } while (0)
#define ENSURE_ARG(cond) ENSURE(cond)
#define ENSURE_VALID(p) ENSURE((p) != nullptr)

/// An iteration position of the list and map collections (an opaque node pointer).
struct POSITION__ {
    int unused;
};
typedef POSITION__* POSITION;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1L))

// ---------------------------------------------------------------------------------------
// Run-time class information.
class CObject;
class CArchive;
class CDumpContext;

/// The description of a class derived from CObject: its name, size, base and factory.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    /// An object made by the class's factory; nullptr for classes without DECLARE_DYNCREATE.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                 \
public:                                             \
    static const CRuntimeClass class##class_name;   \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                     \
    const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), \
                                                          wSchema, pfnNew,                      \
                                                          RUNTIME_CLASS(base_class_name)};      \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                   \
    CObject* class_name::CreateObject() { return new class_name; }         \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)             \
    CObject* class_name::CreateObject() { return new class_name; }         \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

/// The root of the class library's classes: a virtual destructor, run-time class tests.
/// Objects are not copyable (derived classes provide their own copy operations).
class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual BOOL IsSerializable() const { return FALSE; }
    virtual void AssertValid() const {}
    static const CRuntimeClass classCObject;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};

// ---------------------------------------------------------------------------------------
// Exceptions. The class library throws pointers (`throw new CMemoryException`); the catcher
// calls Delete() on them.

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    /// Copies the message into buffer (at most maxLength characters with the terminator);
    /// FALSE when the exception has no message.
    virtual BOOL GetErrorMessage(LPWSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const;
    /// Reports the message on the session transcript (the stand-in shows no message box).
    virtual int ReportError(UINT type = 0, UINT messageId = 0);
    /// Deletes the exception when it was allocated for throwing.
    void Delete();

protected:
    BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL autoDelete = TRUE) : CException(autoDelete) {}
    BOOL GetErrorMessage(LPWSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const override;

protected:
    virtual const wchar_t* message() const { return L"Unknown error."; }
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CSimpleException::CSimpleException;

protected:
    const wchar_t* message() const override { return L"Out of memory."; }
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    using CSimpleException::CSimpleException;

protected:
    const wchar_t* message() const override { return L"Encountered an improper argument."; }
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CSimpleException::CSimpleException;

protected:
    const wchar_t* message() const override { return L"An unsupported operation was attempted."; }
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    using CSimpleException::CSimpleException;

protected:
    const wchar_t* message() const override { return L"A required resource was unavailable."; }
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowResourceException();

#define TRY try
#define CATCH(class_name, e) catch (class_name * e)
#define AND_CATCH(class_name, e) catch (class_name * e)
#define END_CATCH
#define CATCH_ALL(e) catch (CException * e)
#define AND_CATCH_ALL(e) catch (CException * e)
#define END_CATCH_ALL
#define THROW(e) throw e
#define THROW_LAST() throw

// ---------------------------------------------------------------------------------------
#include <afxstate.h>

#if __has_include(<afxfile.h>)
#include <afxfile.h>
#endif
