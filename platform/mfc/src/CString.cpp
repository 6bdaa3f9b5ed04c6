#include <afx.h>

#include <mbstring.h>
#include <mbctype.h>
#include <stdlib.h>
#include <string.h>
#include <stdio.h>
#include <utility>

namespace {

// The one empty string every empty CString points at; its count marks it as static.
struct EmptyStringBlock
{
    CStringData header;
    char text[4];
};
EmptyStringBlock g_emptyString = { { -1, 0, 0 }, { 0, 0, 0, 0 } };

// Largest length we hand to the allocator: keeps the header arithmetic in range.
const int kMaxStringLength = 0x7FFFFFFF - (int)sizeof(CStringData) - 16;

inline int SafeLength(LPCSTR psz)
{
    return psz == NULL ? 0 : (int)strlen(psz);
}

inline const unsigned char* U(LPCSTR p) { return reinterpret_cast<const unsigned char*>(p); }
inline unsigned char* U(LPSTR p) { return reinterpret_cast<unsigned char*>(p); }

int IsSpaceChar(unsigned int ch, const void*) { return _ismbcspace(ch); }
int IsSameChar(unsigned int ch, const void* ctx) { return ch == *static_cast<const unsigned int*>(ctx); }
int IsInSet(unsigned int ch, const void* ctx)
{
    return _mbschr(U(static_cast<LPCSTR>(ctx)), ch) != NULL && ch != 0;
}

} // namespace

LPSTR CString::EmptyData()
{
    return g_emptyString.header.data();
}

CStringData* CString::AllocData(int nLength)
{
    if (nLength < 0 || nLength > kMaxStringLength)
        AfxThrowMemoryException();
    CStringData* pData = static_cast<CStringData*>(malloc(sizeof(CStringData) + nLength + 1));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nRefs = 1;
    pData->nDataLength = 0;
    pData->nAllocLength = nLength;
    pData->data()[0] = '\0';
    return pData;
}

void CString::Release()
{
    if (m_pszData != EmptyData())
    {
        CStringData* pData = GetData();
        if (InterlockedDecrement(&pData->nRefs) <= 0)
            free(pData);
    }
    m_pszData = EmptyData();
}

// Makes the buffer ours alone and able to hold nLength bytes; keeps the text.
LPSTR CString::PrepareWrite(int nLength)
{
    CStringData* pOld = GetData();
    bool shared = pOld->nRefs != 1;
    if (!shared && pOld->nAllocLength >= nLength)
        return m_pszData;
    int nAlloc = nLength;
    if (!shared && nLength > pOld->nAllocLength)
    {
        // Geometric growth keeps repeated appends linear.
        int nGrown = pOld->nAllocLength + pOld->nAllocLength / 2;
        if (nGrown > nAlloc && nGrown <= kMaxStringLength)
            nAlloc = nGrown;
    }
    if (nAlloc < pOld->nDataLength)
        nAlloc = pOld->nDataLength;
    CStringData* pNew = AllocData(nAlloc);
    int nKeep = pOld->nDataLength < nAlloc ? pOld->nDataLength : nAlloc;
    memcpy(pNew->data(), pOld->data(), nKeep);
    pNew->data()[nKeep] = '\0';
    pNew->nDataLength = nKeep;
    Release();
    m_pszData = pNew->data();
    return m_pszData;
}

void CString::SetLength(int nLength)
{
    CStringData* pData = GetData();
    if (pData->nRefs < 0)
        return; // the shared empty string stays empty
    pData->nDataLength = nLength;
    m_pszData[nLength] = '\0';
}

void CString::Assign(LPCSTR psz, int nLength)
{
    if (nLength == 0)
    {
        Empty();
        return;
    }
    // The source may live inside our own buffer: copy before the buffer changes.
    if (GetData()->nRefs == 1 && psz >= m_pszData && psz <= m_pszData + GetData()->nAllocLength)
    {
        memmove(m_pszData, psz, nLength);
        SetLength(nLength);
        return;
    }
    CStringData* pNew = AllocData(nLength);
    memcpy(pNew->data(), psz, nLength);
    pNew->nDataLength = nLength;
    pNew->data()[nLength] = '\0';
    Release();
    m_pszData = pNew->data();
}

void CString::Concat(LPCSTR psz1, int nLen1, LPCSTR psz2, int nLen2)
{
    if (nLen2 > kMaxStringLength - nLen1)
        AfxThrowMemoryException();
    CStringData* pNew = AllocData(nLen1 + nLen2);
    memcpy(pNew->data(), psz1, nLen1);
    memcpy(pNew->data() + nLen1, psz2, nLen2);
    pNew->nDataLength = nLen1 + nLen2;
    pNew->data()[nLen1 + nLen2] = '\0';
    Release();
    m_pszData = pNew->data();
}

CString::CString() : m_pszData(EmptyData()) {}

CString::CString(const CString& stringSrc) : m_pszData(EmptyData())
{
    CStringData* pSrc = stringSrc.GetData();
    if (pSrc->nRefs >= 0)
    {
        InterlockedIncrement(&pSrc->nRefs);
        m_pszData = stringSrc.m_pszData;
    }
}

CString::CString(CString&& stringSrc) noexcept : m_pszData(stringSrc.m_pszData)
{
    stringSrc.m_pszData = EmptyData();
}

CString::CString(LPCSTR lpsz) : m_pszData(EmptyData())
{
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(lpsz)));
    else
        Assign(lpsz, SafeLength(lpsz));
}

CString::CString(LPCSTR lpch, int nLength) : m_pszData(EmptyData())
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength > 0 && lpch == NULL)
        AfxThrowInvalidArgException();
    Assign(lpch, nLength);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::CString(char ch, int nRepeat) : m_pszData(EmptyData())
{
    if (nRepeat > 0)
    {
        LPSTR p = PrepareWrite(nRepeat);
        memset(p, ch, nRepeat);
        SetLength(nRepeat);
    }
}

CString::~CString()
{
    Release();
}

const CString& CString::operator=(const CString& stringSrc)
{
    if (m_pszData != stringSrc.m_pszData)
    {
        CString copy(stringSrc);
        LPSTR p = copy.m_pszData;
        copy.m_pszData = m_pszData;
        m_pszData = p;
    }
    return *this;
}

const CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        Release();
        m_pszData = stringSrc.m_pszData;
        stringSrc.m_pszData = EmptyData();
    }
    return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    Assign(lpsz, SafeLength(lpsz));
    return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

const CString& CString::operator=(char ch)
{
    Assign(&ch, 1);
    return *this;
}

void CString::Append(LPCSTR psz, int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    if (nLength == 0)
        return;
    int nOld = GetLength();
    if (nLength > kMaxStringLength - nOld)
        AfxThrowMemoryException();
    // Appending a piece of ourselves: remember it by offset, the buffer may move.
    CStringData* pData = GetData();
    if (psz >= m_pszData && psz <= m_pszData + pData->nAllocLength)
    {
        int nOffset = (int)(psz - m_pszData);
        LPSTR p = PrepareWrite(nOld + nLength);
        memmove(p + nOld, p + nOffset, nLength);
    }
    else
    {
        LPSTR p = PrepareWrite(nOld + nLength);
        memcpy(p + nOld, psz, nLength);
    }
    SetLength(nOld + nLength);
}

void CString::Append(LPCSTR psz) { Append(psz, SafeLength(psz)); }
void CString::Append(const CString& strSrc) { Append(strSrc.m_pszData, strSrc.GetLength()); }
void CString::AppendChar(char ch) { Append(&ch, 1); }

const CString& CString::operator+=(const CString& string)
{
    Append(string);
    return *this;
}

const CString& CString::operator+=(LPCSTR lpsz)
{
    Append(lpsz);
    return *this;
}

const CString& CString::operator+=(char ch)
{
    AppendChar(ch);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.Concat(string1, string1.GetLength(), string2, string2.GetLength());
    return s;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    CString s;
    s.Concat(string, string.GetLength(), lpsz, SafeLength(lpsz));
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    CString s;
    s.Concat(lpsz, SafeLength(lpsz), string, string.GetLength());
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s;
    s.Concat(string, string.GetLength(), &ch, 1);
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s;
    s.Concat(&ch, 1, string, string.GetLength());
    return s;
}

void CString::Empty()
{
    Release();
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    PrepareWrite(GetLength())[nIndex] = ch;
}

void CString::SetString(LPCSTR psz) { Assign(psz, SafeLength(psz)); }

void CString::SetString(LPCSTR psz, int nLength)
{
    if (nLength < 0 || (nLength > 0 && psz == NULL))
        AfxThrowInvalidArgException();
    Assign(psz, nLength);
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        AfxThrowInvalidArgException();
    if (nNewLength == GetLength())
        return;
    if (nNewLength == 0)
    {
        Empty();
        return;
    }
    PrepareWrite(GetLength());
    SetLength(nNewLength);
}

void CString::Preallocate(int nLength)
{
    if (nLength > GetAllocLength())
        PrepareWrite(nLength);
}

int CString::Compare(LPCSTR lpsz) const
{
    return _mbscmp(U(m_pszData), U(lpsz != NULL ? lpsz : "")) ;
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return _mbsicmp(U(m_pszData), U(lpsz != NULL ? lpsz : ""));
}

int CString::Collate(LPCSTR lpsz) const
{
    return _mbscoll(U(m_pszData), U(lpsz != NULL ? lpsz : ""));
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    return _mbsicoll(U(m_pszData), U(lpsz != NULL ? lpsz : ""));
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    if (nFirst == 0 && nCount == nLength)
        return *this;
    return CString(m_pszData + nFirst, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLength)
        nCount = nLength;
    return Mid(nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    return Left((int)_mbsspn(U(m_pszData), U(lpszCharSet != NULL ? lpszCharSet : "")));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    return Left((int)_mbscspn(U(m_pszData), U(lpszCharSet != NULL ? lpszCharSet : "")));
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    int nLength = GetLength();
    if (iStart < 0 || iStart >= nLength)
    {
        iStart = -1;
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == '\0')
    {
        CString rest = Mid(iStart);
        iStart = nLength;
        return rest;
    }
    LPCSTR pStart = m_pszData + iStart;
    int nSkip = (int)_mbsspn(U(pStart), U(pszTokens));
    if (iStart + nSkip >= nLength)
    {
        iStart = -1;
        return CString();
    }
    int nFirst = iStart + nSkip;
    int nToken = (int)_mbscspn(U(m_pszData + nFirst), U(pszTokens));
    iStart = nFirst + nToken + 1;
    return Mid(nFirst, nToken);
}

CString& CString::MakeUpper()
{
    if (!IsEmpty())
        _mbsupr(U(PrepareWrite(GetLength())));
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty())
        _mbslwr(U(PrepareWrite(GetLength())));
    return *this;
}

CString& CString::MakeReverse()
{
    if (!IsEmpty())
        _mbsrev(U(PrepareWrite(GetLength())));
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew || IsEmpty())
        return 0;
    int nCount = 0;
    for (const unsigned char* p = U(m_pszData); *p; p = _mbsinc(p))
        if (*p == (unsigned char)chOld && !_ismbblead(*p))
            ++nCount;
    if (nCount == 0)
        return 0;
    unsigned char* p = U(PrepareWrite(GetLength()));
    for (; *p; p = _mbsinc(p))
        if (*p == (unsigned char)chOld && !_ismbblead(*p))
            *p = (unsigned char)chNew;
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOldLen = SafeLength(lpszOld);
    if (nOldLen == 0 || IsEmpty())
        return 0;
    int nNewLen = SafeLength(lpszNew);
    CString result;
    int nCount = 0;
    LPCSTR pStart = m_pszData;
    LPCSTR pEnd = m_pszData + GetLength();
    for (;;)
    {
        LPCSTR pFound = reinterpret_cast<LPCSTR>(_mbsstr(U(pStart), U(lpszOld)));
        if (pFound == NULL)
            break;
        result.Append(pStart, (int)(pFound - pStart));
        result.Append(lpszNew, nNewLen);
        pStart = pFound + nOldLen;
        ++nCount;
    }
    if (nCount == 0)
        return 0;
    result.Append(pStart, (int)(pEnd - pStart));
    *this = std::move(result);
    return nCount;
}

int CString::Remove(char chRemove)
{
    if (IsEmpty())
        return 0;
    int nLength = GetLength();
    unsigned char* pBuf = U(PrepareWrite(nLength));
    unsigned char* pDest = pBuf;
    for (const unsigned char* p = pBuf; *p;)
    {
        const unsigned char* pNext = _mbsinc(p);
        if (*p == (unsigned char)chRemove && pNext == p + 1)
        {
            p = pNext;
            continue;
        }
        while (p < pNext)
            *pDest++ = *p++;
    }
    int nNewLength = (int)(pDest - pBuf);
    SetLength(nNewLength);
    return nLength - nNewLength;
}

int CString::Insert(int nIndex, LPCSTR pstr)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    int nInsert = SafeLength(pstr);
    if (nInsert == 0)
        return nLength;
    CString piece(pstr, nInsert); // pstr may point into our own buffer
    if (nInsert > kMaxStringLength - nLength)
        AfxThrowMemoryException();
    LPSTR p = PrepareWrite(nLength + nInsert);
    memmove(p + nIndex + nInsert, p + nIndex, nLength - nIndex);
    memcpy(p + nIndex, piece.m_pszData, nInsert);
    SetLength(nLength + nInsert);
    return nLength + nInsert;
}

int CString::Insert(int nIndex, char ch)
{
    char text[2] = { ch, '\0' };
    if (ch == '\0')
        return GetLength();
    return Insert(nIndex, text);
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= nLength)
        return nLength;
    if (nCount > nLength - nIndex)
        nCount = nLength - nIndex;
    LPSTR p = PrepareWrite(nLength);
    memmove(p + nIndex, p + nIndex + nCount, nLength - nIndex - nCount);
    SetLength(nLength - nCount);
    return nLength - nCount;
}

CString& CString::TrimLeftWhere(int (*isTarget)(unsigned int ch, const void* ctx), const void* ctx)
{
    const unsigned char* p = U(m_pszData);
    while (*p && isTarget(_mbsnextc(p), ctx))
        p = _mbsinc(p);
    int nSkip = (int)(reinterpret_cast<LPCSTR>(p) - m_pszData);
    if (nSkip > 0)
        Delete(0, nSkip);
    return *this;
}

CString& CString::TrimRightWhere(int (*isTarget)(unsigned int ch, const void* ctx), const void* ctx)
{
    // Walk forward so that a trail byte is never taken for a character of its own.
    const unsigned char* pLast = NULL;
    for (const unsigned char* p = U(m_pszData); *p; p = _mbsinc(p))
    {
        if (isTarget(_mbsnextc(p), ctx))
        {
            if (pLast == NULL)
                pLast = p;
        }
        else
            pLast = NULL;
    }
    if (pLast != NULL)
        Truncate((int)(reinterpret_cast<LPCSTR>(pLast) - m_pszData));
    return *this;
}

CString& CString::TrimLeft() { return TrimLeftWhere(IsSpaceChar, NULL); }
CString& CString::TrimRight() { return TrimRightWhere(IsSpaceChar, NULL); }
CString& CString::Trim() { TrimRight(); return TrimLeft(); }

CString& CString::TrimLeft(char chTarget)
{
    unsigned int ch = (unsigned char)chTarget;
    return TrimLeftWhere(IsSameChar, &ch);
}

CString& CString::TrimRight(char chTarget)
{
    unsigned int ch = (unsigned char)chTarget;
    return TrimRightWhere(IsSameChar, &ch);
}

CString& CString::Trim(char chTarget) { TrimRight(chTarget); return TrimLeft(chTarget); }

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    return TrimLeftWhere(IsInSet, lpszTargets);
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    return TrimRightWhere(IsInSet, lpszTargets);
}

CString& CString::Trim(LPCSTR lpszTargets) { TrimRight(lpszTargets); return TrimLeft(lpszTargets); }

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength() || ch == '\0')
        return -1;
    const unsigned char* p = _mbschr(U(m_pszData + nStart), (unsigned char)ch);
    return p == NULL ? -1 : (int)(reinterpret_cast<LPCSTR>(p) - m_pszData);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL || nStart < 0 || nStart > GetLength())
        return -1;
    const unsigned char* p = _mbsstr(U(m_pszData + nStart), U(lpszSub));
    return p == NULL ? -1 : (int)(reinterpret_cast<LPCSTR>(p) - m_pszData);
}

int CString::ReverseFind(char ch) const
{
    if (ch == '\0')
        return -1;
    const unsigned char* p = _mbsrchr(U(m_pszData), (unsigned char)ch);
    return p == NULL ? -1 : (int)(reinterpret_cast<LPCSTR>(p) - m_pszData);
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return -1;
    const unsigned char* p = _mbspbrk(U(m_pszData), U(lpszCharSet));
    return p == NULL ? -1 : (int)(reinterpret_cast<LPCSTR>(p) - m_pszData);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    // Measure first, then format into a buffer of exactly that size: no length limit.
    va_list measureList;
    va_copy(measureList, argList);
    int nAdd = _vscprintf(lpszFormat, measureList);
    va_end(measureList);
    if (nAdd <= 0)
        return;
    int nOld = GetLength();
    if (nAdd > kMaxStringLength - nOld)
        AfxThrowMemoryException();
    LPSTR p = PrepareWrite(nOld + nAdd);
    _vsnprintf(p + nOld, nAdd + 1, lpszFormat, argList);
    SetLength(nOld + nAdd);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    // The arguments may point into our own text: format into a fresh string.
    CString result;
    result.AppendFormatV(lpszFormat, argList);
    *this = std::move(result);
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    AppendFormatV(lpszFormat, argList);
    va_end(argList);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // LoadStringA cuts to the buffer without saying so: grow until the text fits
    // with room to spare. A string resource holds at most 65535 characters.
    for (int nSize = 256; nSize <= 2 * 65536 + 2; nSize *= 2)
    {
        LPSTR p = GetBuffer(nSize);
        int nLen = ::LoadStringA(hInstance, nID, p, nSize + 1);
        if (nLen <= 0)
        {
            ReleaseBuffer(0);
            return FALSE;
        }
        if (nLen < nSize)
        {
            ReleaseBuffer(nLen);
            FreeExtra();
            return TRUE;
        }
    }
    ReleaseBuffer(-1);
    return TRUE;
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    if (nMinBufLength < GetLength())
        nMinBufLength = GetLength();
    if (nMinBufLength == 0 && GetData()->nRefs < 0)
        return PrepareWrite(1) ;
    return PrepareWrite(nMinBufLength);
}

LPSTR CString::GetBuffer() { return GetBuffer(0); }

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    LPSTR p = GetBuffer(nNewLength);
    SetLength(nNewLength);
    return p;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CStringData* pData = GetData();
    if (pData->nRefs < 0)
        return;
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_pszData, pData->nAllocLength);
    if (nNewLength > pData->nAllocLength)
        nNewLength = pData->nAllocLength;
    SetLength(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    ReleaseBuffer(nNewLength);
}

void CString::FreeExtra()
{
    CStringData* pData = GetData();
    if (pData->nRefs < 0 || pData->nDataLength == pData->nAllocLength)
        return;
    CString copy(m_pszData, pData->nDataLength);
    *this = std::move(copy);
}
