// The class library's window-free core: run-time classes, exceptions, strings,
// geometry, files, archives, time and the application-wide helpers.
//
// Exceptions are thrown by pointer (throw new CFileException(...)) and caught as
// CException*; whoever catches one releases it with Delete(). A C++ exception must
// never unwind through a window procedure, hook, timer callback, thread entry or
// exported C function: the window layer catches at each of those boundaries.
#pragma once
#ifndef VORN_AFX_H
#define VORN_AFX_H

#include <windows.h>
#include <tchar.h>
#include <stddef.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#define AFX_CDECL __cdecl
#define AFX_INLINE inline
#define AFX_NOVTABLE
#define AFX_DATA
#define AFX_CORE_DATA
#define AFX_STATIC static
#define AFX_STATIC_DATA static

class CObject;
class CRuntimeClass;
class CArchive;
class CFile;
class CException;
class CWinApp;
class CWnd;
class CDocument;

#include "afxstr.h"
#include "afxgeometry.h"

// Diagnostics. Release builds keep VERIFY's expression and drop everything else.
void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...);
#ifdef _DEBUG
BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
#define ASSERT(f) do { if (!(f) && AfxAssertFailedLine(__FILE__, __LINE__)) ::DebugBreak(); } while (0)
#define VERIFY(f) ASSERT(f)
#define TRACE ::AfxTrace
#define ASSERT_VALID(pOb) ASSERT((pOb) != NULL)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE 1 ? (void)0 : ::AfxTrace
#define ASSERT_VALID(pOb) ((void)0)
#endif
#define TRACE0(sz) TRACE("%s", sz)
#define TRACE1(sz, p1) TRACE(sz, p1)
#define TRACE2(sz, p1, p2) TRACE(sz, p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(sz, p1, p2, p3)
#define ASSERT_POINTER(p, type) ASSERT((p) != NULL)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define UNUSED(x) (void)(x)
#define UNUSED_ALWAYS(x) (void)(x)
#define DEBUG_NEW new
#define THIS_FILE __FILE__
inline BOOL AFXAPI AfxIsValidAddress(const void* p, UINT_PTR, BOOL = TRUE) { return p != NULL; }
inline BOOL AFXAPI AfxIsValidString(LPCSTR psz, int = -1) { return psz != NULL; }

// An opaque position inside a list or map.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)(INT_PTR)-1)

/////////////////////////////////////////////////////////////////////////////
// Run-time class information

class CRuntimeClass
{
public:
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                      // 0xFFFF: not serializable
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    // Classes made with the IMPLEMENT_ macros of a linked object file, by name.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Registers a class record at start-up so that FromName and archives can find it.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, RUNTIME_CLASS(base_class_name) }; \
    static AFX_CLASSINIT _afx_init_##class_name(RUNTIME_CLASS(class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); return ar; }

// Marks a schema as readable in older versions too; the object reads the number itself.
#define VERSIONABLE_SCHEMA (0x80000000)

class CObject
{
public:
    static CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;
};

inline CObject::~CObject() {}

CObject* AFX_CDECL AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

/////////////////////////////////////////////////////////////////////////////
// Exceptions

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Frees a heap exception; a static one (out of memory) stays.
    void Delete();
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

// An exception whose message is fixed by its kind.
class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException();
    explicit CSimpleException(BOOL bAutoDelete);
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

protected:
    virtual LPCSTR GetDefaultMessage() const;
};

#define VORN_DECLARE_SIMPLE_EXCEPTION(class_name) \
class class_name : public CSimpleException \
{ \
    DECLARE_DYNAMIC(class_name) \
public: \
    class_name() {} \
    explicit class_name(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {} \
protected: \
    virtual LPCSTR GetDefaultMessage() const; \
};

VORN_DECLARE_SIMPLE_EXCEPTION(CMemoryException)
VORN_DECLARE_SIMPLE_EXCEPTION(CNotSupportedException)
VORN_DECLARE_SIMPLE_EXCEPTION(CInvalidArgException)
VORN_DECLARE_SIMPLE_EXCEPTION(CResourceException)

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszArchiveName = NULL);

    static int PASCAL OsErrorToException(LONG lOsError);
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = NULL);

    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    CArchiveException(int cause = none, LPCSTR lpszArchiveName = NULL);
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);

/////////////////////////////////////////////////////////////////////////////
// Application-wide state and helpers

// Filled by the application object of the window layer; until then the
// program's own module serves as instance and resource module.
struct AFX_MODULE_STATE
{
    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCSTR m_lpszCurrentAppName;
};

AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
CWinApp* AFXAPI AfxGetApp();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
LPCSTR AFXAPI AfxGetAppName();

// Substring iSubString of a separator-parted text; FALSE (and empty) past the last one.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep = '\n');
// The string resource nIDS with "%1" (and "%2") replaced.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString);

#include "afxtime.h"
#include "afxfile.h"
#include "afxarchive.h"

#endif
