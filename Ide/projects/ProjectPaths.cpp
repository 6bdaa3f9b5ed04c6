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
    CString strResult(strDirectory);
    if (strResult[strResult.GetLength() - 1] != '\\')
        strResult += '\\';
    return strResult + strRest;
}

CString DirectoryOfPath(const CString& strPath)
{
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

CString FileNameOfPath(const CString& strPath)
{
    return strPath.Mid(strPath.ReverseFind('\\') + 1);
}

CString TitleOfFileName(const CString& strFileName)
{
    const int nDot = strFileName.ReverseFind('.');
    return nDot < 0 ? strFileName : strFileName.Left(nDot);
}

CString ExtensionOfFileName(const CString& strFileName)
{
    const int nDot = strFileName.ReverseFind('.');
    return nDot < 0 ? CString() : strFileName.Mid(nDot);
}

CString CanonicalPath(LPCTSTR pszPath)
{
    char szFull[MAX_PATH * 2];
    const DWORD nLength = ::GetFullPathNameA(pszPath, sizeof(szFull), szFull, NULL);
    return nLength == 0 || nLength >= sizeof(szFull) ? CString(pszPath) : CString(szFull);
}

CString PathKey(LPCTSTR pszPath)
{
    CString strKey = CanonicalPath(pszPath);
    strKey.MakeLower();
    return strKey;
}

BOOL PathExists(LPCTSTR pszPath)
{
    return ::GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

BOOL DirectoryExists(LPCTSTR pszPath)
{
    const DWORD dwAttributes = ::GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CreateDirectoryPath(LPCTSTR pszPath)
{
    if (DirectoryExists(pszPath))
        return TRUE;
    CString strPath(pszPath);
    if (strPath.IsEmpty())
        return FALSE;
    if (strPath[strPath.GetLength() - 1] != '\\')
        strPath += '\\';
    // Each prefix up to a backslash, from the drive down, is made when missing.
    for (int nSlash = strPath.Find('\\'); nSlash >= 0; nSlash = strPath.Find('\\', nSlash + 1))
    {
        const CString strPrefix = strPath.Left(nSlash + 1);
        if (strPrefix == "\\" || strPrefix.Right(2) == "\\\\" || DirectoryExists(strPrefix))
            continue;
        if (!::CreateDirectoryA(strPrefix, NULL) && !DirectoryExists(strPrefix))
            return FALSE;
    }
    return DirectoryExists(pszPath);
}
