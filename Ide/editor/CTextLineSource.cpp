#include "CTextLineSource.h"

#include <string.h>

CTextLineSource::CTextLineSource()
{
    IndexLines();
}

CTextLineSource::CTextLineSource(const char* pText, int nLength)
{
    SetText(pText, nLength);
}

CTextLineSource::CTextLineSource(LPCTSTR pszText)
{
    SetText(pszText, pszText ? (int)strlen(pszText) : 0);
}

void CTextLineSource::SetText(const char* pText, int nLength)
{
    if (pText == NULL || nLength < 0)
        nLength = 0;
    m_bytes.SetData(pText, nLength);
    IndexLines();
}

BOOL CTextLineSource::LoadFile(LPCTSTR pszPath, ULONGLONG nMaxLength)
{
    const BOOL bRead = pszPath != NULL && m_bytes.Open(pszPath, nMaxLength);
    if (!bRead)
        m_bytes.SetData(NULL, 0);
    IndexLines();
    return bRead;
}

const char* CTextLineSource::GetText() const
{
    const BYTE* pData = m_bytes.GetData();
    return pData != NULL ? reinterpret_cast<const char*>(pData) : "";
}

void CTextLineSource::IndexLines()
{
    m_lineStarts.clear();
    m_lineStarts.push_back(0);
    const BYTE* pData = m_bytes.GetData();
    const int nSize = m_bytes.GetSize();
    // A text that ends with a line end has one more, empty, line.
    for (int nStart = 0; nStart < nSize;)
    {
        int nNext = 0;
        if (CLineReader::FindLineEnd(pData, nSize, nStart, nNext) == nNext)
            break; // the last line, without a line end
        m_lineStarts.push_back(nNext);
        nStart = nNext;
    }
    m_lineStarts.push_back(nSize);
}

int CTextLineSource::GetLineCount()
{
    return (int)m_lineStarts.size() - 1;
}

const char* CTextLineSource::GetLine(int nLine, int& nLength)
{
    if (nLine < 0 || nLine >= GetLineCount())
    {
        nLength = 0;
        return "";
    }
    nLength = m_lineStarts[nLine + 1] - m_lineStarts[nLine];
    return GetText() + m_lineStarts[nLine];
}
