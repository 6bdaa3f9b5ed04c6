// Removes a folder with everything in it, read-only files included; for tests and
// benchmarks that make their own folders.
#pragma once

#include <afx.h>

inline void RemoveFileTree(const CString& strFolder)
{
    CString strDir(strFolder);
    if (!strDir.IsEmpty() && strDir[strDir.GetLength() - 1] != '\\')
        strDir += '\\';
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strDir + "*", &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            const CString strName(fd.cFileName);
            if (strName == "." || strName == "..")
                continue;
            const CString strChild = strDir + strName;
            ::SetFileAttributesA(strChild, FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFileTree(strChild);
            else
                ::DeleteFileA(strChild);
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strDir);
}
