// CAtomicFile: replaces a file as a whole or not at all. The new content goes to a
// temporary file in the target's folder; every write is checked; only a complete
// and flushed temporary file replaces the target. Until Commit succeeds the old
// file is untouched, and an abandoned temporary file is deleted.
#pragma once

#include <afx.h>

class CAtomicFile
{
public:
    CAtomicFile();
    // Abandons an uncommitted temporary file.
    ~CAtomicFile();

    // Creates the temporary file beside the target. FALSE when the folder is missing or
    // cannot be written, or the target is a read-only file. With bOpenHandle FALSE the file is
    // only reserved: another writer fills it by its path (GetTempPath) and closes it.
    BOOL Open(LPCTSTR pszTargetPath, BOOL bOpenHandle = TRUE);
    // FALSE when this or any earlier write failed.
    BOOL Write(const void* pData, UINT nCount);
    BOOL Write(const CString& strText) { return Write(strText.GetString(), (UINT)strText.GetLength()); }
    // Flushes, closes and moves the temporary file over the target. FALSE when anything
    // failed; the target then keeps its old content.
    BOOL Commit();
    // Deletes the temporary file; the target stays as it was.
    void Abort();

    const CString& GetTempPath() const { return m_strTempPath; }
    const CString& GetTargetPath() const { return m_strTargetPath; }

    // Writes the whole content in one go.
    static BOOL WriteWholeFile(LPCTSTR pszTargetPath, const void* pData, UINT nCount);
    static BOOL WriteWholeFile(LPCTSTR pszTargetPath, const CString& strText);

private:
    CString m_strTargetPath;
    CString m_strTempPath;
    HANDLE m_hFile;
    BOOL m_bFailed;

    void CloseHandleOnly();

    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;
};
