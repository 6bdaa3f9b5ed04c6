#include "CAtomicFile.h"
#include "PathUtil.h"

// The folder the temporary file goes to: the target's own ("." for a bare name).
static CString FolderOfPath(const CString& strPath)
{
    const CString strFolder = DirectoryOfPath(strPath);
    return strFolder.IsEmpty() ? CString(".") : strFolder;
}

CAtomicFile::CAtomicFile()
    : m_hFile(INVALID_HANDLE_VALUE), m_bFailed(FALSE)
{
}

CAtomicFile::~CAtomicFile()
{
    Abort();
}

BOOL CAtomicFile::Open(LPCTSTR pszTargetPath, BOOL bOpenHandle)
{
    Abort();
    m_strTargetPath = pszTargetPath;
    m_bFailed = FALSE;

    // Windows refuses to replace a read-only file, but some file systems under other
    // systems let the move through: the user's protection holds everywhere.
    const DWORD dwAttributes = ::GetFileAttributesA(m_strTargetPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
    {
        m_bFailed = TRUE;
        return FALSE;
    }

    char szTemp[MAX_PATH + 16];
    if (::GetTempFileNameA(FolderOfPath(m_strTargetPath), "vrn", 0, szTemp) == 0)
    {
        m_bFailed = TRUE;
        return FALSE;
    }
    m_strTempPath = szTemp;
    if (!bOpenHandle)
        return TRUE;

    m_hFile = ::CreateFileA(m_strTempPath, GENERIC_WRITE, 0, NULL, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    if (m_hFile == INVALID_HANDLE_VALUE)
    {
        Abort();
        m_bFailed = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CAtomicFile::Write(const void* pData, UINT nCount)
{
    if (m_bFailed || m_hFile == INVALID_HANDLE_VALUE)
    {
        m_bFailed = TRUE;
        return FALSE;
    }
    const BYTE* pBytes = static_cast<const BYTE*>(pData);
    while (nCount > 0)
    {
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hFile, pBytes, nCount, &dwWritten, NULL) || dwWritten == 0)
        {
            m_bFailed = TRUE;
            return FALSE;
        }
        pBytes += dwWritten;
        nCount -= dwWritten;
    }
    return TRUE;
}

void CAtomicFile::CloseHandleOnly()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

BOOL CAtomicFile::Commit()
{
    if (m_strTempPath.IsEmpty())
        return FALSE;
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        if (!::FlushFileBuffers(m_hFile))
            m_bFailed = TRUE;
        if (!::CloseHandle(m_hFile))
            m_bFailed = TRUE;
        m_hFile = INVALID_HANDLE_VALUE;
    }
    if (m_bFailed
        || !::MoveFileExA(m_strTempPath, m_strTargetPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        Abort();
        m_bFailed = TRUE;
        return FALSE;
    }
    m_strTempPath.Empty();
    return TRUE;
}

void CAtomicFile::Abort()
{
    CloseHandleOnly();
    if (!m_strTempPath.IsEmpty())
    {
        ::DeleteFileA(m_strTempPath);
        m_strTempPath.Empty();
    }
}

BOOL CAtomicFile::WriteWholeFile(LPCTSTR pszTargetPath, const void* pData, UINT nCount)
{
    CAtomicFile file;
    return file.Open(pszTargetPath) && (nCount == 0 || file.Write(pData, nCount)) && file.Commit();
}

BOOL CAtomicFile::WriteWholeFile(LPCTSTR pszTargetPath, const CString& strText)
{
    return WriteWholeFile(pszTargetPath, strText.GetString(), (UINT)strText.GetLength());
}
