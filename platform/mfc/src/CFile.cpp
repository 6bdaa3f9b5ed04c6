#include <afx.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD ShareModeFromFlags(UINT nOpenFlags)
{
    switch (nOpenFlags & 0x70)
    {
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0; // shareCompat and shareExclusive
    }
}

DWORD AccessFromFlags(UINT nOpenFlags)
{
    switch (nOpenFlags & 3)
    {
    case CFile::modeRead: return GENERIC_READ;
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return 0;
    }
}

DWORD DispositionFromFlags(UINT nOpenFlags)
{
    if (nOpenFlags & CFile::modeCreate)
        return (nOpenFlags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

DWORD AttributesFromFlags(UINT nOpenFlags)
{
    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & CFile::osNoBuffer)
        dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & CFile::osWriteThrough)
        dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & CFile::osRandomAccess)
        dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & CFile::osSequentialScan)
        dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;
    return dwFlags;
}

CTime TimeFromFileTime(const FILETIME& ft)
{
    if (ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0)
        return CTime();
    return CTime(ft);
}

// The times, size and attributes that both kinds of file information carry.
template<class INFO>
void FillStatus(CFileStatus& rStatus, const INFO& info)
{
    rStatus.m_ctime = TimeFromFileTime(info.ftCreationTime);
    rStatus.m_atime = TimeFromFileTime(info.ftLastAccessTime);
    rStatus.m_mtime = TimeFromFileTime(info.ftLastWriteTime);
    rStatus.m_size = ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    rStatus.m_attribute = (BYTE)info.dwFileAttributes;
}

} // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (pError != NULL)
    {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = 0;
        pError->m_strFileName = lpszFileName;
    }
    // Text and binary are stream notions; a plain file has neither.
    nOpenFlags &= ~(UINT)(typeText | typeBinary);
    if (lpszFileName == NULL || *lpszFileName == '\0' || (nOpenFlags & 3) == 3)
    {
        if (pError != NULL)
            pError->m_cause = CFileException::badPath;
        return FALSE;
    }

    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    SetFilePath(lpszFileName);

    SECURITY_ATTRIBUTES sa = { sizeof(sa), NULL, (nOpenFlags & modeNoInherit) ? FALSE : TRUE };
    HANDLE hFile = ::CreateFileA(lpszFileName, AccessFromFlags(nOpenFlags), ShareModeFromFlags(nOpenFlags), &sa,
                                 DispositionFromFlags(nOpenFlags), AttributesFromFlags(nOpenFlags), NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        if (pError != NULL)
        {
            pError->m_lOsError = (LONG)::GetLastError();
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    // A short write means the medium is full.
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowInvalidArgException();
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, nFrom))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER liZero, liPos;
    liZero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liZero, &liPos, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liPos.QuadPart;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    DWORD dwError = 0;
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        bError = !::CloseHandle(m_hFile);
        if (bError)
            dwError = ::GetLastError();
    }
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError((LONG)dwError);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const
{
    HANDLE hFile = INVALID_HANDLE_VALUE;
    if (!::DuplicateHandle(::GetCurrentProcess(), m_hFile, ::GetCurrentProcess(), &hFile, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    CFile* pFile = new CFile(hFile);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    lstrcpynA(rStatus.m_szFullName, m_strFileName, MAX_PATH);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    FillStatus(rStatus, info);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (lpszFileName == NULL)
        return FALSE;
    if (::GetFullPathNameA(lpszFileName, MAX_PATH, rStatus.m_szFullName, NULL) == 0)
        lstrcpynA(rStatus.m_szFullName, lpszFileName, MAX_PATH);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(rStatus, data);
    return TRUE;
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

CString CFile::GetFileName() const
{
    // The part after the last path separator.
    int nSlash = m_strFileName.ReverseFind('\\');
    int nForward = m_strFileName.ReverseFind('/');
    int nColon = m_strFileName.ReverseFind(':');
    int nLast = nSlash;
    if (nForward > nLast)
        nLast = nForward;
    if (nColon > nLast)
        nLast = nColon;
    return m_strFileName.Mid(nLast + 1);
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot < 0 ? strName : strName.Left(nDot);
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCSTR lpszNewName)
{
    // Keep the full path when it can be had, so that later messages name the file exactly.
    char szFull[MAX_PATH];
    DWORD nLen = lpszNewName == NULL ? 0 : ::GetFullPathNameA(lpszNewName, MAX_PATH, szFull, NULL);
    if (nLen > 0 && nLen < MAX_PATH)
        m_strFileName = szFull;
    else
        m_strFileName = lpszNewName;
}
