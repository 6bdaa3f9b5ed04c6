// CArchive: a buffered binary stream over a CFile, little-endian as the platform
// stores it. Included by afx.h.
//
// Loading is safe on untrusted bytes: a value or string that the file cannot supply
// in full raises CArchiveException(endOfFile), and lengths are honoured only as far
// as bytes actually arrive, so a hostile length prefix never makes the archive
// allocate more than it has read.
#pragma once
#ifndef VORN_AFXARCHIVE_H
#define VORN_AFXARCHIVE_H

class CArchiveObjectMap;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns how many arrived (fewer only at the end of the file).
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes the buffered bytes out (storing) or gives unread ones back to the file (loading).
    void Flush();
    void Close();
    // Detaches from the file without raising anything.
    void Abort();

    // Text lines: WriteString writes the text as it is; ReadString stops after "\n".
    void WriteString(LPCSTR lpsz);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Values
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    CArchive& operator<<(int i) { return *this << (LONG)i; }
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }
    CArchive& operator<<(unsigned u) { return *this << (LONG)u; }
    CArchive& operator<<(bool b) { return *this << (BYTE)(b ? 1 : 0); }
    // A C string goes out as a CString would (without this, it would bind to bool).
    CArchive& operator<<(LPCSTR lpsz);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(int& i) { LONG l; *this >> l; i = (int)l; return *this; }
    CArchive& operator>>(short& w) { WORD v; *this >> v; w = (short)v; return *this; }
    CArchive& operator>>(char& ch) { BYTE v; *this >> v; ch = (char)v; return *this; }
    CArchive& operator>>(unsigned& u) { LONG l; *this >> l; u = (unsigned)l; return *this; }
    CArchive& operator>>(bool& b) { BYTE v; *this >> v; b = v != 0; return *this; }

    // Element counts of collections: WORD, or 0xFFFF then DWORD.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Objects with their run-time class; an object stored twice is read back once.
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);
    void MapObject(const CObject* pOb);

    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(NULL); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(NULL); return *this; }

    CDocument* m_pDocument;
    CString m_strFileName;

    // Raises CArchiveException(endOfFile) unless exactly nCount bytes arrive.
    void EnsureRead(void* lpBuf, UINT nCount);

private:
    CArchive(const CArchive&) = delete;
    void operator=(const CArchive&) = delete;

    void CheckMode(BOOL bLoading) const;
    UINT ReadStringLength(BOOL& bUnicode);
    void WriteStringLength(UINT nLength);
    void ReadCharacters(CString& rString, UINT nLength, BOOL bUnicode);
    friend CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
    friend CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    UINT m_nObjectSchema;
    CArchiveObjectMap* m_pObjectMap;
};

// Strings: a length prefix of one byte, or 0xFF then a WORD, or 0xFF 0xFFFF then a
// DWORD, followed by the bytes without a terminator.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
CArchive& AFXAPI operator<<(CArchive& ar, CTime time);
CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime);
CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan span);
CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rspan);

#endif
