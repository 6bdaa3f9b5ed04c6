#include <afx.h>

#include <stdlib.h>
#include <unordered_map>
#include <vector>

namespace {

// Tags of the object stream: a WORD per object or class reference.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD dwBigClassTag = 0x80000000;
const DWORD nMaxMapCount = 0x3FFFFFFE;

// Strings arrive in pieces of this size, so a length prefix is believed only as far
// as the bytes behind it really exist.
const UINT kStringChunk = 64 * 1024;

// Objects nested deeper than this inside each other's Serialize are refused: a
// crafted stream could otherwise recurse until the stack runs out.
const int kMaxObjectDepth = 256;

// Lengths and counts beyond this cannot be honoured in a 32-bit process.
const ULONGLONG kMaxLength = 0x7FFFFFFF;

// A reference to an object or class already written: a WORD while the index is
// small, else the escape tag and a DWORD.
void WriteIndexTag(CArchive& ar, DWORD nIndex, WORD wSmallFlag, DWORD dwBigFlag)
{
    if (nIndex < wBigObjectTag)
        ar << (WORD)(wSmallFlag | nIndex);
    else
        ar << wBigObjectTag << (DWORD)(dwBigFlag | nIndex);
}

} // namespace

// Objects and classes seen so far, sharing one index space from 1 up (0 is null).
class CArchiveObjectMap
{
public:
    struct LoadEntry
    {
        void* pItem;
        bool bClass;
        UINT nSchema;
    };

    std::unordered_map<const void*, DWORD> m_storeIndex;
    std::vector<LoadEntry> m_loaded;
    DWORD m_nMapCount = 1;
    int m_nLoadDepth = 0;

    CArchiveObjectMap() { m_loaded.push_back(LoadEntry{ NULL, false, 0 }); }

    DWORD NextIndex()
    {
        if (m_nMapCount >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex);
        return m_nMapCount++;
    }
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_pFile(pFile), m_nMode(nMode), m_lpBufStart(NULL), m_lpBufCur(NULL), m_lpBufMax(NULL),
      m_nBufSize(0), m_bUserBuf(FALSE), m_nObjectSchema((UINT)-1), m_pObjectMap(NULL)
{
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    if (nBufSize < 128)
        nBufSize = 128;
    m_nBufSize = (UINT)nBufSize;
    if (lpBuf != NULL)
    {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
        m_bUserBuf = TRUE;
    }
    else
    {
        m_lpBufStart = static_cast<BYTE*>(malloc(m_nBufSize));
        if (m_lpBufStart == NULL)
            AfxThrowMemoryException();
    }
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive()
{
    // A destructor may not throw: a failing final flush is dropped, as Abort would.
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    Abort();
    if (!m_bUserBuf)
        free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
}

void CArchive::CheckMode(BOOL bLoading) const
{
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (bLoading && !IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (!bLoading && IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1; // one answer per object
    return nResult;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckMode(TRUE);
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;
    while (nLeft > 0)
    {
        UINT nBuffered = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nBuffered > 0)
        {
            UINT nTake = nBuffered < nLeft ? nBuffered : nLeft;
            memcpy(pDest, m_lpBufCur, nTake);
            m_lpBufCur += nTake;
            pDest += nTake;
            nLeft -= nTake;
            continue;
        }
        // Large reads go straight to the caller; small ones refill the buffer.
        if (nLeft >= m_nBufSize)
        {
            UINT nRead = m_pFile->Read(pDest, nLeft);
            if (nRead == 0)
                break;
            pDest += nRead;
            nLeft -= nRead;
            continue;
        }
        UINT nRead = m_pFile->Read(m_lpBufStart, m_nBufSize);
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + nRead;
        if (nRead == 0)
            break;
    }
    return nMax - nLeft;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    // The common case, a small value already in the buffer, needs no call into the file.
    if (m_pFile != NULL && IsLoading() && (UINT)(m_lpBufMax - m_lpBufCur) >= nCount)
    {
        memcpy(lpBuf, m_lpBufCur, nCount);
        m_lpBufCur += nCount;
        return;
    }
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckMode(FALSE);
    if (nMax == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* pSrc = static_cast<const BYTE*>(lpBuf);
    UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nMax <= nRoom)
    {
        memcpy(m_lpBufCur, pSrc, nMax);
        m_lpBufCur += nMax;
        return;
    }
    memcpy(m_lpBufCur, pSrc, nRoom);
    m_lpBufCur += nRoom;
    pSrc += nRoom;
    nMax -= nRoom;
    Flush();
    if (nMax >= m_nBufSize)
    {
        m_pFile->Write(pSrc, nMax);
        return;
    }
    memcpy(m_lpBufCur, pSrc, nMax);
    m_lpBufCur += nMax;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading())
    {
        // Give the read-ahead back so that the file's position is where we stopped.
        LONGLONG nUnread = (LONGLONG)(m_lpBufMax - m_lpBufCur);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        if (nUnread != 0)
            m_pFile->Seek(-nUnread, CFile::current);
        return;
    }
    UINT nPending = (UINT)(m_lpBufCur - m_lpBufStart);
    m_lpBufCur = m_lpBufStart;
    if (nPending > 0)
        m_pFile->Write(m_lpBufStart, nPending);
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    delete m_pObjectMap;
    m_pObjectMap = NULL;
    m_pFile = NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Values (the platform is little-endian, as the stream is)

#define VORN_ARCHIVE_VALUE(type) \
    CArchive& CArchive::operator<<(type value) { Write(&value, sizeof(value)); return *this; } \
    CArchive& CArchive::operator>>(type& value) { EnsureRead(&value, sizeof(value)); return *this; }

VORN_ARCHIVE_VALUE(BYTE)
VORN_ARCHIVE_VALUE(WORD)
VORN_ARCHIVE_VALUE(LONG)
VORN_ARCHIVE_VALUE(DWORD)
VORN_ARCHIVE_VALUE(float)
VORN_ARCHIVE_VALUE(double)
VORN_ARCHIVE_VALUE(LONGLONG)
VORN_ARCHIVE_VALUE(ULONGLONG)

#undef VORN_ARCHIVE_VALUE

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    CString string(lpsz);
    return ::operator<<(*this, string);
}

// Counts travel at a fixed width whatever the architecture: a WORD, or 0xFFFF and a
// DWORD, or both escapes and a 64-bit value, as ReadCount expects.
void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
        *this << (WORD)dwCount;
    else if ((ULONGLONG)dwCount < 0xFFFFFFFF)
        *this << (WORD)0xFFFF << (DWORD)dwCount;
    else
        *this << (WORD)0xFFFF << (DWORD)0xFFFFFFFF << (ULONGLONG)dwCount;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    if (qwCount > kMaxLength)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    return (DWORD_PTR)qwCount;
}

/////////////////////////////////////////////////////////////////////////////
// Strings

void CArchive::WriteStringLength(UINT nLength)
{
    if (nLength < 0xFF)
        *this << (BYTE)nLength;
    else if (nLength < 0xFFFE)
        *this << (BYTE)0xFF << (WORD)nLength;
    else
        *this << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)nLength;
}

UINT CArchive::ReadStringLength(BOOL& bUnicode)
{
    bUnicode = FALSE;
    for (int nMarkers = 0;; ++nMarkers)
    {
        BYTE bLen;
        *this >> bLen;
        if (bLen < 0xFF)
            return bLen;
        WORD wLen;
        *this >> wLen;
        if (wLen == 0xFFFE)
        {
            // A marker: the length that follows counts UTF-16 characters.
            if (nMarkers > 0)
                AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
            bUnicode = TRUE;
            continue;
        }
        if (wLen < 0xFFFF)
            return wLen;
        DWORD dwLen;
        *this >> dwLen;
        if (dwLen < 0xFFFFFFFF)
        {
            if (dwLen > kMaxLength)
                AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
            return dwLen;
        }
        ULONGLONG qwLen;
        *this >> qwLen;
        if (qwLen > kMaxLength)
            AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
        return (UINT)qwLen;
    }
}

void CArchive::ReadCharacters(CString& rString, UINT nLength, BOOL bUnicode)
{
    if (!bUnicode)
    {
        CString result;
        for (UINT nDone = 0; nDone < nLength;)
        {
            UINT nChunk = nLength - nDone < kStringChunk ? nLength - nDone : kStringChunk;
            LPSTR p = result.GetBuffer((int)(nDone + nChunk));
            UINT nRead = Read(p + nDone, nChunk);
            result.ReleaseBuffer((int)(nDone + nRead));
            if (nRead != nChunk)
                AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
            nDone += nChunk;
        }
        rString = result;
        return;
    }
    if (nLength > kMaxLength / 2)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    std::vector<WCHAR> wide;
    for (UINT nDone = 0; nDone < nLength;)
    {
        UINT nChunk = nLength - nDone < kStringChunk ? nLength - nDone : kStringChunk;
        wide.resize(nDone + nChunk);
        EnsureRead(&wide[nDone], nChunk * sizeof(WCHAR));
        nDone += nChunk;
    }
    rString.Empty();
    if (nLength == 0)
        return;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)nLength, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return;
    LPSTR p = rString.GetBuffer(nBytes);
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)nLength, p, nBytes, NULL, NULL);
    rString.ReleaseBuffer(nBytes);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    UINT nLength = (UINT)string.GetLength();
    ar.WriteStringLength(nLength);
    ar.Write((LPCSTR)string, nLength);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    BOOL bUnicode;
    UINT nLength = ar.ReadStringLength(bUnicode);
    ar.ReadCharacters(string, nLength, bUnicode);
    return ar;
}

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    Write(lpsz, (UINT)strlen(lpsz));
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nStored = 0;
    char ch = 0;
    while (nStored + 1 < nMax && Read(&ch, 1) == 1)
    {
        lpsz[nStored++] = ch;
        if (ch == '\n')
            break;
    }
    lpsz[nStored] = '\0';
    return nStored == 0 ? NULL : lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    char ch = 0;
    BOOL bAny = FALSE;
    while (Read(&ch, 1) == 1)
    {
        bAny = TRUE;
        if (ch == '\n')
            break;
        rString += ch;
    }
    int nLen = rString.GetLength();
    if (nLen > 0 && rString[nLen - 1] == '\r')
        rString.Truncate(nLen - 1);
    return bAny;
}

/////////////////////////////////////////////////////////////////////////////
// Objects

void CArchive::MapObject(const CObject* pOb)
{
    if (m_pObjectMap == NULL)
        m_pObjectMap = new CArchiveObjectMap;
    DWORD nIndex = m_pObjectMap->NextIndex();
    if (IsStoring())
        m_pObjectMap->m_storeIndex[pOb] = nIndex;
    else
        m_pObjectMap->m_loaded.push_back({ const_cast<CObject*>(pOb), false, 0 });
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckMode(FALSE);
    if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();
    if (m_pObjectMap == NULL)
        m_pObjectMap = new CArchiveObjectMap;
    auto found = m_pObjectMap->m_storeIndex.find(pClassRef);
    if (found != m_pObjectMap->m_storeIndex.end())
    {
        WriteIndexTag(*this, found->second, wClassTag, dwBigClassTag);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pObjectMap->m_storeIndex[pClassRef] = m_pObjectMap->NextIndex();
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckMode(FALSE);
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    if (m_pObjectMap == NULL)
        m_pObjectMap = new CArchiveObjectMap;
    auto found = m_pObjectMap->m_storeIndex.find(pOb);
    if (found != m_pObjectMap->m_storeIndex.end())
    {
        WriteIndexTag(*this, found->second, 0, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Mapped before its contents, so that an object may refer back to itself.
    m_pObjectMap->m_storeIndex[pOb] = m_pObjectMap->NextIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckMode(TRUE);
    if (m_pObjectMap == NULL)
        m_pObjectMap = new CArchiveObjectMap;

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        // A null or a reference to an object already read.
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        m_pObjectMap->NextIndex();
        m_pObjectMap->m_loaded.push_back({ pClassRef, true, nSchema });
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_pObjectMap->m_loaded.size() ||
            !m_pObjectMap->m_loaded[nClassIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_pObjectMap->m_loaded[nClassIndex].pItem);
        nSchema = m_pObjectMap->m_loaded[nClassIndex].nSchema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, NULL, NULL);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == NULL)
    {
        if (obTag == wNullTag)
            return NULL;
        if (obTag >= m_pObjectMap->m_loaded.size() || m_pObjectMap->m_loaded[obTag].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = static_cast<CObject*>(m_pObjectMap->m_loaded[obTag].pItem);
        if (pOb == NULL || (pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested)))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    if (m_pObjectMap->m_nLoadDepth >= kMaxObjectDepth)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    size_t nEntry = m_pObjectMap->m_loaded.size();
    ++m_pObjectMap->m_nLoadDepth;
    try
    {
        m_pObjectMap->NextIndex();
        m_pObjectMap->m_loaded.push_back({ pOb, false, nSchema });
        UINT nSchemaSave = m_nObjectSchema;
        m_nObjectSchema = nSchema;
        pOb->Serialize(*this);
        m_nObjectSchema = nSchemaSave;
        --m_pObjectMap->m_nLoadDepth;
    }
    catch (...)
    {
        if (m_pObjectMap != NULL)
            --m_pObjectMap->m_nLoadDepth;
        // The half-read object is ours alone: free it and forget it.
        if (nEntry < m_pObjectMap->m_loaded.size())
            m_pObjectMap->m_loaded[nEntry].pItem = NULL;
        delete pOb;
        throw;
    }
    return pOb;
}

/////////////////////////////////////////////////////////////////////////////
// Geometry and time

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size) { return ar << (LONG)size.cx << (LONG)size.cy; }
CArchive& AFXAPI operator<<(CArchive& ar, POINT point) { return ar << (LONG)point.x << (LONG)point.y; }
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    return ar << (LONG)rect.left << (LONG)rect.top << (LONG)rect.right << (LONG)rect.bottom;
}
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size) { return ar >> size.cx >> size.cy; }
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point) { return ar >> point.x >> point.y; }
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect) { return ar >> rect.left >> rect.top >> rect.right >> rect.bottom; }

CArchive& AFXAPI operator<<(CArchive& ar, CTime time) { return ar << (LONGLONG)time.GetTime(); }
CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime)
{
    LONGLONG t;
    ar >> t;
    rtime = CTime((__time64_t)t);
    return ar;
}
CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan span) { return ar << (LONGLONG)span.GetTimeSpan(); }
CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rspan)
{
    LONGLONG t;
    ar >> t;
    rspan = CTimeSpan((__time64_t)t);
    return ar;
}
