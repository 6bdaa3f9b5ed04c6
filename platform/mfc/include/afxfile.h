// Files: CFile over a Win32 file handle, CStdioFile over a C run-time stream,
// CMemFile over a growable memory block. Included by afx.h.
// Failures raise CFileException (CMemoryException when a memory file cannot grow).
#pragma once
#ifndef VORN_AFXFILE_H
#define VORN_AFXFILE_H

struct CFileStatus
{
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size;
    BYTE m_attribute;
    BYTE m_padding;
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };
    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    CFile(HANDLE hFile);
    // Opens or raises CFileException.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    // FALSE on failure, with the cause in *pError when given.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    // Returns the bytes read: fewer than asked only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    // Closes without raising anything, for clean-up after a failure.
    virtual void Abort();
    virtual CFile* Duplicate() const;

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCSTR lpszNewName);

    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
    virtual ~CStdioFile();

    // Text mode (typeText, the default) turns "\r\n" into "\n" on reading and back on writing.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    // Writes the text as it is; "\n" ends a line.
    virtual void WriteString(LPCSTR lpsz);
    // Reads up to nMax - 1 bytes of one line, keeping its "\n"; NULL at the end of the file.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    // Reads one whole line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& rString);

    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();
    virtual CFile* Duplicate() const;

    FILE* m_pStream;

private:
    [[noreturn]] void ThrowStreamError() const;
};

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // A memory file that grows by at least nGrowBytes at a time.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A memory file over the caller's buffer; with nGrowBytes 0 it cannot grow.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer over to the caller and empties the file.
    BYTE* Detach();

    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();
    virtual CFile* Duplicate() const;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

#endif
