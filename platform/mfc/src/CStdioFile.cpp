#include <afx.h>

#include <errno.h>
#include <fcntl.h>
#include <io.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    if (pOpenStream != NULL)
        m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_pStream = NULL;
    // The file itself opens through CFile, so share modes and creation work as there;
    // the stream then takes over the handle.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError))
        return FALSE;

    bool bBinary = (nOpenFlags & typeBinary) != 0;
    char szMode[4];
    int nMode = 0;
    int nFlags = bBinary ? _O_BINARY : _O_TEXT;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        szMode[nMode++] = 'r';
        nFlags |= _O_RDONLY;
        break;
    case modeWrite:
        szMode[nMode++] = 'w';
        nFlags |= _O_WRONLY;
        break;
    default:
        szMode[nMode++] = 'r';
        szMode[nMode++] = '+';
        nFlags |= _O_RDWR;
        break;
    }
    szMode[nMode++] = bBinary ? 'b' : 't';
    szMode[nMode] = '\0';

    int nHandle = _open_osfhandle((intptr_t)m_hFile, nFlags);
    FILE* pStream = nHandle == -1 ? NULL : _fdopen(nHandle, szMode);
    if (pStream == NULL)
    {
        int nErrno = errno;
        if (nHandle != -1)
            _close(nHandle);
        else
            CFile::Abort();
        m_hFile = INVALID_HANDLE_VALUE;
        if (pError != NULL)
        {
            pError->m_lOsError = nErrno;
            pError->m_cause = CFileException::ErrnoToException(nErrno);
        }
        return FALSE;
    }
    m_pStream = pStream;
    return TRUE;
}

void CStdioFile::ThrowStreamError() const
{
    CFileException::ThrowErrno(errno, m_strFileName);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && ferror(m_pStream))
    {
        clearerr(m_pStream);
        ThrowStreamError();
    }
    return (UINT)nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        ThrowStreamError();
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    if (fputs(lpsz, m_pStream) == EOF)
        ThrowStreamError();
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    LPSTR lpszResult = fgets(lpsz, (int)nMax, m_pStream);
    if (lpszResult == NULL && !feof(m_pStream))
    {
        clearerr(m_pStream);
        ThrowStreamError();
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char szChunk[256];
    BOOL bAny = FALSE;
    for (;;)
    {
        if (fgets(szChunk, sizeof(szChunk), m_pStream) == NULL)
        {
            if (!feof(m_pStream))
            {
                clearerr(m_pStream);
                ThrowStreamError();
            }
            break;
        }
        bAny = TRUE;
        int nLen = (int)strlen(szChunk);
        rString.Append(szChunk, nLen);
        if (nLen > 0 && szChunk[nLen - 1] == '\n')
            break;
    }
    // The line end is not part of the line (a binary stream also leaves its "\r").
    int nLen = rString.GetLength();
    if (nLen > 0 && rString[nLen - 1] == '\n')
        --nLen;
    if (nLen > 0 && rString[nLen - 1] == '\r')
        --nLen;
    if (nLen != rString.GetLength())
        rString.Truncate(nLen);
    return bAny;
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    static const int s_origins[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    if (nFrom > end)
        AfxThrowInvalidArgException();
    if (_fseeki64(m_pStream, lOff, s_origins[nFrom]) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    __int64 nPos = _ftelli64(m_pStream);
    if (nPos < 0)
        AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return (ULONGLONG)nPos;
}

ULONGLONG CStdioFile::GetLength() const
{
    // Measured through the stream, which knows about bytes it still buffers.
    __int64 nPos = _ftelli64(m_pStream);
    if (nPos < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    __int64 nLength = _ftelli64(m_pStream);
    if (_fseeki64(m_pStream, nPos, SEEK_SET) != 0 || nLength < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return (ULONGLONG)nLength;
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    int nErr = 0;
    if (m_pStream != NULL)
        nErr = fclose(m_pStream);
    int nErrno = errno;
    CString strName = m_strFileName;
    m_pStream = NULL;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (nErr != 0)
        CFileException::ThrowErrno(nErrno, strName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL)
        fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}
