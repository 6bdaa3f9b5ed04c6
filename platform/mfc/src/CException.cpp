#include "afximpl.h"
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    UINT nHelpContext = 0;
    CString strMessage;
    if (GetErrorMessage(szMessage, sizeof(szMessage), &nHelpContext))
        strMessage = szMessage;
    else if (nMessageID == 0 || !strMessage.LoadString(nMessageID))
        strMessage = "No error message is available.";
    // The application shows message boxes: it picks their owner, disables what the
    // box must block, and may show them its own way.
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(strMessage, nType, nHelpContext);
    return ::MessageBoxA(::GetActiveWindow(), strMessage, AfxGetAppName(), nType);
}

BOOL AfxCopyErrorMessage(LPCSTR lpszMessage, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszMessage, (int)nMaxError);
    return TRUE;
}

CSimpleException::CSimpleException() {}
CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    return AfxCopyErrorMessage(GetDefaultMessage(), lpszError, nMaxError, pnHelpContext);
}

LPCSTR CSimpleException::GetDefaultMessage() const { return "An unknown error has occurred."; }
LPCSTR CMemoryException::GetDefaultMessage() const { return "Out of memory."; }
LPCSTR CNotSupportedException::GetDefaultMessage() const { return "An unsupported operation was attempted."; }
LPCSTR CInvalidArgException::GetDefaultMessage() const { return "The parameter is incorrect."; }
LPCSTR CResourceException::GetDefaultMessage() const { return "A required resource was unavailable."; }

void AFXAPI AfxThrowMemoryException()
{
    // Thrown when the heap may be exhausted: one static object, never deleted.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

BOOL AfxCauseMessage(const char* const* rgpszTexts, int nTexts, int nCause, const CString& strFileName,
                     LPCSTR pszUnnamed, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    // Unknown causes read as the generic one, which every table keeps at index 1.
    if (nCause < 0 || nCause >= nTexts)
        nCause = 1;
    LPCSTR rglpsz[] = { strFileName.IsEmpty() ? pszUnnamed : (LPCSTR)strFileName };
    CString strMessage;
    AfxFormatStrings(strMessage, rgpszTexts[nCause], rglpsz, 1);
    return AfxCopyErrorMessage(strMessage, lpszError, nMaxError, pnHelpContext);
}
