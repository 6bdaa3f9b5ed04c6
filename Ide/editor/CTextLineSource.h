// CTextLineSource: the lines of a text held in memory, cut where a Scintilla control cuts
// them (at CR LF, LF and a lone CR, as CLineReader does), so that tokens read from it
// equal tokens read from a control holding the same bytes. Serves files that are not
// open in an editor.
#pragma once

#include "CLineReader.h"
#include "CLineSource.h"

#include <vector>

class CTextLineSource : public CLineSource
{
public:
    CTextLineSource();
    CTextLineSource(const char* pText, int nLength);
    explicit CTextLineSource(LPCTSTR pszText);

    void SetText(const char* pText, int nLength);
    // Takes the bytes of a file; FALSE (and no text) when it cannot be read or is longer
    // than nMaxLength bytes.
    BOOL LoadFile(LPCTSTR pszPath, ULONGLONG nMaxLength = 0x7FFFFFF0);

    int GetLineCount() override;
    const char* GetLine(int nLine, int& nLength) override;

    const char* GetText() const;
    int GetLength() const { return m_bytes.GetSize(); }

private:
    CLineReader m_bytes;           // holds the text
    std::vector<int> m_lineStarts; // offset of each line; one more entry marks the end

    void IndexLines();
};
