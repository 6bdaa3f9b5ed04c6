// CLineReader: reads a whole text file into memory and hands it out line by line.
// Used by the project file and vorn.cfg readers, which must read back everything
// their writers produce: a line ends at LF, at CR LF (one line end, so a file
// converted to CR LF still reads the same) or at a lone CR, and nowhere else.
// NUL and 0xFF bytes are ordinary characters and a line may have any length;
// reading ends only at the end of the file.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CLineReader
{
public:
    CLineReader();

    // FALSE when the file cannot be opened or read.
    BOOL Open(LPCTSTR pszPath);
    // Reads from a copy of the given bytes instead of a file.
    void SetData(const void* pData, int nLength);

    // The next line without its line end; FALSE at the end of the data.
    BOOL ReadLine(CString& strLine);
    BOOL IsAtEnd() const { return m_nPos >= (int)m_data.GetSize(); }

private:
    CByteArray m_data;
    int m_nPos;

    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;
};
