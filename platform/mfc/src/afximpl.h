// Internal helpers shared by the library's sources.
#pragma once
#include <afx.h>

// Copies a message into a caller's buffer, cut to fit; FALSE when there is no buffer.
BOOL AfxCopyErrorMessage(LPCSTR lpszMessage, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext);

// The message of a file or archive exception: the text for the cause, with "%1"
// replaced by the file name (or pszUnnamed when there is none).
BOOL AfxCauseMessage(const char* const* rgpszTexts, int nTexts, int nCause, const CString& strFileName,
                     LPCSTR pszUnnamed, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
