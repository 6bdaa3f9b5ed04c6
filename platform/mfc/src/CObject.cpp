#include <afx.h>

#include <string.h>
#include <vector>

namespace {

// Every class record made by the IMPLEMENT_ macros, in order of start-up.
// A function-local list is ready whatever the order of static initialisation.
std::vector<CRuntimeClass*>& RegisteredClasses()
{
    static std::vector<CRuntimeClass*> classes;
    return classes;
}

// The longest class name an archive may name; anything longer is corrupt data.
const UINT kMaxClassNameLength = 64;

} // namespace

CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, NULL, NULL };
static AFX_CLASSINIT _afx_init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    RegisteredClasses().push_back(pNewClass);
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass)
        if (pClass == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* pClass : RegisteredClasses())
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wTemp = 0, nLen = 0;
    ar >> wTemp >> nLen;
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wTemp;
    if (nLen >= kMaxClassNameLength)
        return NULL;
    char szClassName[kMaxClassNameLength];
    ar.EnsureRead(szClassName, nLen);
    szClassName[nLen] = '\0';
    return FromName(szClassName);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

CObject* AFX_CDECL AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString text;
    text.FormatV(lpszFormat, args);
    va_end(args);
    ::OutputDebugStringA(text);
}

#ifdef _DEBUG
BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    CString text;
    text.Format("Assertion failed: %s(%d)\n", lpszFileName, nLine);
    ::OutputDebugStringA(text);
    fputs(text, stderr);
    return TRUE;
}
#endif
