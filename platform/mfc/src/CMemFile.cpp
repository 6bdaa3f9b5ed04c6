#include <afx.h>

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL), m_bAutoDelete(FALSE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = lpBuffer;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    // A fixed buffer is a file of that size; a growable one starts empty.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    // A buffer that may grow is reallocated by us, so it must come from our allocator.
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    return lpBuffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    // Whole steps of the grow size, and at least half again the old size so that
    // writing a large stream piece by piece stays linear.
    SIZE_T nNewSize = m_nBufferSize + m_nBufferSize / 2;
    if (nNewSize < dwNewLen)
        nNewSize = dwNewLen;
    nNewSize = (nNewSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    if (nNewSize < dwNewLen)
        AfxThrowMemoryException(); // overflow
    BYTE* lpNew = m_lpBuffer == NULL ? Alloc(nNewSize) : Realloc(m_lpBuffer, nNewSize);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = nNewSize;
    m_bAutoDelete = TRUE;
}

ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }
ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > 0x7FFFFFFF)
        AfxThrowMemoryException();
    SIZE_T nNewLen = (SIZE_T)dwNewLen;
    if (nNewLen > m_nBufferSize)
        GrowFile(nNewLen);
    if (nNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
    if (nNewLen < m_nPosition)
        m_nPosition = nNewLen;
    m_nFileSize = nNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    SIZE_T nRead = m_nFileSize - m_nPosition;
    if (nRead > nCount)
        nRead = nCount;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return (UINT)nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (nCount > 0x7FFFFFFF - m_nPosition)
        AfxThrowMemoryException();
    SIZE_T nEnd = m_nPosition + nCount;
    // The source may lie in our own buffer, which growing can move.
    if (nEnd > m_nBufferSize)
    {
        const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
        if (m_lpBuffer != NULL && pSrc >= m_lpBuffer && pSrc < m_lpBuffer + m_nBufferSize)
        {
            SIZE_T nOffset = (SIZE_T)(pSrc - m_lpBuffer);
            GrowFile(nEnd);
            lpBuf = m_lpBuffer + nOffset;
        }
        else
            GrowFile(nEnd);
    }
    // Writing past the end after a seek leaves a gap of zero bytes.
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lBase;
    switch (nFrom)
    {
    case begin: lBase = 0; break;
    case current: lBase = (LONGLONG)m_nPosition; break;
    case end: lBase = (LONGLONG)m_nFileSize; break;
    default: AfxThrowInvalidArgException();
    }
    LONGLONG lNewPos = lBase + lOff;
    if (lNewPos < 0 || lNewPos > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = (SIZE_T)lNewPos;
    return (ULONGLONG)m_nPosition;
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    m_nGrowBytes = 0;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Abort() { Close(); }

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}
