// Shortening of long paths for menus: root, "..." and the last components.
#include <afxadv.h>

namespace
{
const int cchEllipsis = 3;   // "..."

BOOL IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

// Start of the file name: after the last separator or drive colon.
LPSTR FindFileName(LPSTR lpszPath)
{
    LPSTR lpszName = lpszPath;
    for (LPSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p))
    {
        if (IsSeparator(*p) || *p == ':')
            lpszName = p + 1;
    }
    return lpszName;
}

// Next separator at or after p (the terminator when there is none).
LPSTR FindSeparator(LPSTR p)
{
    while (*p != '\0' && !IsSeparator(*p))
        p = ::CharNextA(p);
    return p;
}

// End of the part that is kept in front of "...": "C:\", "\\server\share\", "\",
// or nothing for a relative path.
LPSTR SkipRoot(LPSTR lpszPath)
{
    LPSTR p = lpszPath;
    if (IsSeparator(p[0]) && IsSeparator(p[1]))
    {
        p = FindSeparator(p + 2);          // after the server name
        if (*p != '\0')
            p = FindSeparator(p + 1);      // after the share name
    }
    else if (p[0] != '\0' && p[1] == ':')
    {
        p += 2;
    }
    if (IsSeparator(*p))
        ++p;
    return p;
}

void KeepFileNameOnly(LPSTR lpszCanon, LPSTR lpszFileName, BOOL bKeep)
{
    if (bKeep)
        memmove(lpszCanon, lpszFileName, lstrlenA(lpszFileName) + 1);
    else
        *lpszCanon = '\0';
}
}

void AFXAPI AfxAbbreviateName(LPSTR lpszCanon, int cchMax, BOOL bAtLeastName)
{
    const int cchFullPath = lstrlenA(lpszCanon);
    if (cchFullPath <= cchMax)
        return;

    LPSTR lpszFileName = FindFileName(lpszCanon);
    const int cchFileName = lstrlenA(lpszFileName);
    if (cchFileName > cchMax)
    {
        KeepFileNameOnly(lpszCanon, lpszFileName, bAtLeastName);
        return;
    }

    LPSTR lpszAfterRoot = SkipRoot(lpszCanon);
    const int cchRoot = (int)(lpszAfterRoot - lpszCanon);
    // The shortest form is root + "..." + "\" + file name.
    if (lpszFileName <= lpszAfterRoot || cchRoot + cchEllipsis + 1 + cchFileName > cchMax)
    {
        KeepFileNameOnly(lpszCanon, lpszFileName, TRUE);
        return;
    }

    // Drop leading directories (at least one) until the rest fits behind the ellipsis.
    LPSTR lpszTail = FindSeparator(lpszAfterRoot);
    while (cchRoot + cchEllipsis + lstrlenA(lpszTail) > cchMax)
        lpszTail = FindSeparator(lpszTail + 1);

    memcpy(lpszAfterRoot, "...", cchEllipsis);
    memmove(lpszAfterRoot + cchEllipsis, lpszTail, lstrlenA(lpszTail) + 1);
}
