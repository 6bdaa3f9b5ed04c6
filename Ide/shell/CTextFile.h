// CTextFile: one line-oriented text file on a C run-time stream.
#pragma once

#include <afx.h>
#include <stdio.h>

class CTextFile
{
public:
    CTextFile();
    ~CTextFile();

    // Opens for reading or writing, in binary or text mode (text mode turns CR LF into
    // LF on reading and LF into CR LF on writing). Any open stream is closed first.
    BOOL Open(LPCTSTR pszPath, BOOL bRead, BOOL bBinary);
    int Close();
    BOOL IsOpen() const { return m_pStream != NULL; }

    // Reads one line into a fixed buffer: the line feed is not stored and the buffer
    // always ends with a zero byte, so a line longer than nSize - 1 bytes goes on in
    // the next call. Returns the number of bytes stored, or -1 at the end of the file.
    int ReadLine(LPTSTR pszBuffer, int nSize);
    // Reads one whole line, of any length. Returns its length, or -1 at the end of the file.
    int ReadLine(CString& strLine);
    // Writes the text up to its first line feed, then a line feed. -1 when a write fails.
    int WriteLine(LPCTSTR pszText);

    // Reads or writes one line, by the mode the file was opened in; FALSE at the end
    // of the file or on a failed write. Readers loop on it.
    BOOL Line(LPTSTR pszBuffer, int nSize);
    BOOL Line(CString& strLine);

private:
    FILE* m_pStream;
    BOOL m_bRead;
    BOOL m_bWrite;

    // Next byte of the line, or -1 when the line (or the file) ends here.
    int NextLineByte(BOOL& bEndOfFile);

    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;
};
