// Internal helpers shared by the library's sources.
#pragma once
#include <afx.h>

// Copies a message into a caller's buffer, cut to fit; FALSE when there is no buffer.
BOOL AfxCopyErrorMessage(LPCSTR lpszMessage, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext);
