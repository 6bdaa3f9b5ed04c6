#include "GoToEntryText.h"

CString MakeGoToTarget(LPCTSTR pszEntry, TCHAR chSeparator)
{
    CString strEntry(pszEntry);
    strEntry.Remove(' ');
    const int nOpen = strEntry.Find('[');
    if (nOpen < 0)
        return strEntry;
    CString strName = strEntry.Left(nOpen);
    CString strOwner = strEntry.Mid(nOpen + 1);
    strOwner.Remove(']');
    if (strOwner.IsEmpty())
        return strName;
    return strOwner + chSeparator + strName;
}

BOOL SplitNamedBookmarkEntry(LPCTSTR pszEntry, CString& strBookmark, CString& strFileName)
{
    const CString strEntry(pszEntry);
    int nOpen = -1;
    for (int nFound = strEntry.Find(" ["); nFound >= 0; nFound = strEntry.Find(" [", nFound + 1))
        nOpen = nFound;
    if (nOpen < 0)
        return FALSE;
    strBookmark = strEntry.Left(nOpen);
    strFileName = strEntry.Mid(nOpen + 2);
    if (!strFileName.IsEmpty() && strFileName[strFileName.GetLength() - 1] == ']')
        strFileName.Truncate(strFileName.GetLength() - 1);
    return TRUE;
}
