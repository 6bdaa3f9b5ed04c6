// CExportFile: the buffered output of an exporter. The bytes collect in memory and go
// to a CAtomicFile in large blocks; the first failed write sticks, and Close replaces
// the target only when every write succeeded, so a failed export leaves the target as
// it was. In text mode each LF is written as CR LF, as a text-mode stream would.
#pragma once

#include <afx.h>

#include "CAtomicFile.h"

class CExportFile
{
public:
    CExportFile();

    // FALSE when the target cannot be replaced (see CAtomicFile::Open).
    BOOL Open(LPCTSTR pszTargetPath, BOOL bTextMode);
    // Flushes and moves the file over the target. FALSE when any write failed; the
    // target then keeps its old content.
    BOOL Close();

    void Write(const char* pData, int nCount);
    void Write(const char* psz);
    void Write(const CString& str) { Write(str.GetString(), str.GetLength()); }
    void WriteChar(char c)
    {
        if (c == '\n' && m_bTextMode)
            Put('\r');
        Put(c);
    }
    // A decimal integer, without the C run-time's formatting.
    void WriteInt(LONGLONG nValue);
    // printf-style, for the rare formatted lines (integers and strings only).
    void Format(LPCTSTR pszFormat, ...);

    // The number of bytes written so far: the offset of the next byte in the file.
    ULONGLONG GetOffset() const { return m_nFlushed + m_nUsed; }
    BOOL HasFailed() const { return m_bFailed; }

private:
    enum { BUFFER_SIZE = 65536 };

    CAtomicFile m_file;
    BOOL m_bTextMode;
    BOOL m_bFailed;
    UINT m_nUsed;
    ULONGLONG m_nFlushed;
    char m_buffer[BUFFER_SIZE];

    void Put(char c)
    {
        if (m_nUsed == BUFFER_SIZE)
            Flush();
        m_buffer[m_nUsed++] = c;
    }
    void Flush();

    CExportFile(const CExportFile&) = delete;
    CExportFile& operator=(const CExportFile&) = delete;
};
