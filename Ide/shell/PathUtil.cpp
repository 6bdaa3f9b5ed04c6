#include "PathUtil.h"
#include "ArrayUtil.h"

#include <mbstring.h>

CString VornGetProgramPath()
{
    // Grow the buffer until the whole module path fits.
    for (DWORD nSize = MAX_PATH;; nSize *= 2)
    {
        CString strPath;
        const DWORD nLength = ::GetModuleFileNameA(NULL, strPath.GetBuffer(nSize), nSize);
        strPath.ReleaseBuffer(nLength < nSize ? (int)nLength : 0);
        if (nLength == 0)
            return CString();
        if (nLength < nSize)
            return strPath;
        if (nSize >= 32768)
            return CString();
    }
}

CString VornGetProgramDirectory()
{
    const CString strPath = VornGetProgramPath();
    return strPath.IsEmpty() ? strPath : DirectoryOfPath(strPath);
}

CString WithTrailingBackslash(const CString& strPath)
{
    if (strPath.IsEmpty())
        return strPath;
    const unsigned char* pBegin = reinterpret_cast<const unsigned char*>(strPath.GetString());
    const unsigned char* pLast = _mbsdec(pBegin, pBegin + strPath.GetLength());
    return pLast != NULL && (*pLast == '\\' || *pLast == '/') ? strPath : strPath + '\\';
}

// Where the file name of the path starts: after its last separator.
static int FileNameStart(const CString& strPath)
{
    const int nBackslash = strPath.ReverseFind('\\');
    const int nSlash = strPath.ReverseFind('/');
    return (nBackslash > nSlash ? nBackslash : nSlash) + 1;
}

CString DirectoryOfPath(const CString& strPath)
{
    return strPath.Left(FileNameStart(strPath));
}

CString FileNameOfPath(const CString& strPath)
{
    return strPath.Mid(FileNameStart(strPath));
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

BOOL IsPlainExtensionCharacter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' || ch == '-';
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
    // "/" is no trail byte of any code page: it can be turned into "\" byte by byte.
    CString strPath(pszPath);
    strPath.Replace('/', '\\');
    strPath = WithTrailingBackslash(strPath);
    if (strPath.IsEmpty())
        return FALSE;
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

void ListFolderFiles(LPCTSTR pszFolder, LPCTSTR pszPattern, CStringArray& paths)
{
    paths.RemoveAll();
    const CString strFolder = WithTrailingBackslash(pszFolder);
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strFolder + pszPattern, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            paths.Add(strFolder + data.cFileName);
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    // One folder: sorting the full paths sorts the names.
    SortStringArray(paths);
}
