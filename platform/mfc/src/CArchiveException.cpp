#include "afximpl.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    static const char* const s_causeTexts[] = {
        "No error occurred while reading or writing %1.",
        "An unexpected error occurred while reading or writing %1.",
        "An attempt was made to write to %1 while it was being read.",
        "An unexpected end of %1 was reached.",
        "An attempt was made to read from %1 while it was being written.",
        "%1 has an invalid format.",
        "%1 contains an unexpected object.",
        "%1 contains an object of an incompatible version.",
    };
    return AfxCauseMessage(s_causeTexts, (int)(sizeof(s_causeTexts) / sizeof(s_causeTexts[0])), m_cause,
                           m_strFileName, "the archive", lpszError, nMaxError, pnHelpContext);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
