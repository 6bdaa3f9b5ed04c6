// CString: the class library's reference-counted 8-bit string in the system code page.
// Included by afx.h; include afx.h rather than this header.
//
// Copies share one buffer until one of them writes (copy on write); the reference count
// is updated with interlocked operations, so copies may travel between threads.
// Positions and counts are in bytes. Searching, case mapping and case-insensitive
// comparison are multibyte-aware in the code page of the system.
//
// Passing a CString through "..." (Format, printf) is not supported by this compiler:
// pass (LPCTSTR)str or str.GetString(). Users of the library get an error for it.
#pragma once
#ifndef VORN_AFXSTR_H
#define VORN_AFXSTR_H

#include <windows.h>
#include <stdarg.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
HINSTANCE AFXAPI AfxGetResourceHandle();

struct CStringData
{
    long nRefs;        // below zero: the shared empty string, never freed
    int nDataLength;   // bytes in use, without the terminating zero
    int nAllocLength;  // bytes available, without the terminating zero
    char* data() { return reinterpret_cast<char*>(this + 1); }
};

class CString
{
public:
    typedef char XCHAR;
    typedef char* PXSTR;
    typedef const char* PCXSTR;

    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    // A string resource id wrapped by MAKEINTRESOURCE loads that string.
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    explicit CString(char ch, int nRepeat = 1);
    ~CString();

    const CString& operator=(const CString& stringSrc);
    const CString& operator=(CString&& stringSrc) noexcept;
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(const unsigned char* psz);
    const CString& operator=(char ch);

    const CString& operator+=(const CString& string);
    const CString& operator+=(LPCSTR lpsz);
    const CString& operator+=(char ch);

    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
    friend CString AFXAPI operator+(LPCSTR lpsz, const CString& string);
    friend CString AFXAPI operator+(const CString& string, char ch);
    friend CString AFXAPI operator+(char ch, const CString& string);

    // Length and access
    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    void Empty();
    operator LPCSTR() const { return m_pszData; }
    LPCSTR GetString() const { return m_pszData; }
    // Index 0..GetLength() (the terminating zero may be read); other indices raise
    // the invalid-argument exception.
    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);
    void SetString(LPCSTR psz);
    void SetString(LPCSTR psz, int nLength);
    void Append(LPCSTR psz);
    void Append(LPCSTR psz, int nLength);
    void Append(const CString& strSrc);
    void AppendChar(char ch);
    void Truncate(int nNewLength);
    void Preallocate(int nLength);

    // Comparison
    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

    // Extraction: counts and positions out of range are clamped, never an error.
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Changing in place
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR pstr);
    int Delete(int nIndex, int nCount = 1);
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);

    // Searching: -1 when not found.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Formatting: the result has whatever length the format gives.
    void Format(LPCSTR lpszFormat, ...);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AppendFormat(LPCSTR lpszFormat, ...);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList);

    // The string resource nID of the resource module; FALSE (string emptied) when absent.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct buffer access: write at most nMinBufLength bytes plus the terminator,
    // then ReleaseBuffer with the new length (-1: up to the first zero byte).
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBuffer();
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    void FreeExtra();

private:
    LPSTR m_pszData;

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pszData) - 1; }
    static CStringData* AllocData(int nLength);
    static LPSTR EmptyData();
    void Release();
    LPSTR PrepareWrite(int nLength);
    void SetLength(int nLength);
    void Assign(LPCSTR psz, int nLength);
    void Concat(LPCSTR psz1, int nLen1, LPCSTR psz2, int nLen2);
    CString& TrimLeftWhere(int (*isTarget)(unsigned int ch, const void* ctx), const void* ctx);
    CString& TrimRightWhere(int (*isTarget)(unsigned int ch, const void* ctx), const void* ctx);
};

typedef CString CStringA;

inline bool operator==(const CString& s1, const CString& s2) { return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
inline bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

#endif
