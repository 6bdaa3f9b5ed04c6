// CLineReader: reads a whole text file into memory and hands it out line by line.
// Every text the IDE reads whole goes through it: the project file, vorn.cfg and the
// Lua sources that are not open in an editor. A line ends at LF, at CR LF (one line
// end, so a file converted to CR LF still reads the same) or at a lone CR, and
// nowhere else, as in the editor's control. NUL and 0xFF bytes are ordinary
// characters and a line may have any length; reading ends only at the end of the file.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CLineReader
{
public:
    CLineReader();

    // FALSE (and no data) when the file cannot be opened, or read, or is longer than
    // nMaxLength bytes, or too large for the memory left.
    BOOL Open(LPCTSTR pszPath, ULONGLONG nMaxLength = 0x7FFFFFF0);
    // Reads from a copy of the given bytes instead of a file.
    void SetData(const void* pData, int nLength);

    // The next line without its line end; FALSE at the end of the data.
    BOOL ReadLine(CString& strLine);
    BOOL IsAtEnd() const { return m_nPos >= GetSize(); }

    // The bytes read (NULL when there are none).
    const BYTE* GetData() const { return m_data.GetData(); }
    int GetSize() const { return (int)m_data.GetSize(); }

    // Where the line that starts at nStart ends, before its line end; nNext is where
    // the next line starts (the end of the data when the line has no line end).
    static int FindLineEnd(const BYTE* pData, int nSize, int nStart, int& nNext);

private:
    CByteArray m_data;
    int m_nPos;

    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;
};
