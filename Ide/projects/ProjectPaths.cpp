#include "ProjectPaths.h"

#include <shlwapi.h>

static BOOL IsAbsolutePath(const CString& strPath)
{
    return (strPath.GetLength() >= 2 && strPath[1] == ':') || strPath.Left(2) == "\\\\";
}

CString MakeRelativePath(LPCTSTR pszDirectory, LPCTSTR pszFullPath)
{
    const CString strDirectory(pszDirectory), strFull(pszFullPath);
    if (strDirectory.IsEmpty() || strDirectory.GetLength() >= MAX_PATH || strFull.GetLength() >= MAX_PATH)
        return strFull;
    char szRelative[MAX_PATH * 2] = "";
    if (!::PathRelativePathToA(szRelative, strDirectory, FILE_ATTRIBUTE_DIRECTORY, strFull, FILE_ATTRIBUTE_NORMAL)
        || szRelative[0] == 0)
        return strFull;
    CString strRelative(szRelative);
    if (strRelative[0] == '\\')
        strRelative = "." + strRelative;
    // Only a path that leads back to the same file may stand for it.
    if (CombineProjectPath(strDirectory, strRelative).CompareNoCase(strFull) != 0)
        return strFull;
    return strRelative;
}

CString CombineProjectPath(LPCTSTR pszDirectory, LPCTSTR pszStoredPath)
{
    const CString strDirectory(pszDirectory), strStored(pszStoredPath);
    if (IsAbsolutePath(strStored) || strDirectory.IsEmpty())
        return strStored;
    if (strDirectory.GetLength() + strStored.GetLength() < MAX_PATH)
    {
        char szCombined[MAX_PATH] = "";
        if (::PathCombineA(szCombined, strDirectory, strStored) != NULL)
            return CString(szCombined);
    }
    CString strRest(strStored);
    if (strRest.Left(2) == ".\\")
        strRest.Delete(0, 2);
    return WithTrailingBackslash(strDirectory) + strRest;
}

CString ShownRelativePath(const CString& strRelativePath)
{
    return strRelativePath.Left(2) == ".\\" ? strRelativePath.Mid(2) : strRelativePath;
}
