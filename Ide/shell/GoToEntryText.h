// Go To entries as the go-to dialogs show them, turned into what the lookups take.
#pragma once
#include <afx.h>

// "name [owner]" (blanks anywhere) into "owner<separator>name", or the bare name
// when the entry names no owner: Go To Function joins with ':', Go To Variable with '.'.
CString MakeGoToTarget(LPCTSTR pszEntry, TCHAR chSeparator);

// "bookmark name [file name]" into its two names. The file name may hold blanks and
// brackets, so the entry is split at its last " [" and only the final "]" is dropped.
// FALSE for an entry without " [".
BOOL SplitNamedBookmarkEntry(LPCTSTR pszEntry, CString& strBookmark, CString& strFileName);
