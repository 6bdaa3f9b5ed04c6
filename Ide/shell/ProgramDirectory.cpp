#include "ProgramDirectory.h"

CString WithTrailingBackslash(const CString& strPath)
{
    CString strResult(strPath);
    if (!strResult.IsEmpty() && strResult[strResult.GetLength() - 1] != '\\')
        strResult += '\\';
    return strResult;
}

CString VornGetProgramDirectory()
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
        {
            const int nSlash = strPath.ReverseFind('\\');
            return nSlash < 0 ? CString() : strPath.Left(nSlash + 1);
        }
        if (nSize >= 32768)
            return CString();
    }
}
