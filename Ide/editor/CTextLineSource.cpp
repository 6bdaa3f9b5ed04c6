#include "CTextLineSource.h"

#include <stdio.h>
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
    m_text.assign(pText, pText + nLength);
    IndexLines();
}

BOOL CTextLineSource::LoadFile(LPCTSTR pszPath)
{
    m_text.clear();
    BOOL bRead = FALSE;
    FILE* pFile = pszPath ? fopen(pszPath, "rb") : NULL;
    if (pFile != NULL)
    {
        if (fseek(pFile, 0, SEEK_END) == 0)
        {
            long nSize = ftell(pFile);
            if (nSize >= 0 && fseek(pFile, 0, SEEK_SET) == 0)
            {
                m_text.resize((size_t)nSize);
                bRead = nSize == 0 || fread(m_text.data(), 1, (size_t)nSize, pFile) == (size_t)nSize;
            }
        }
        fclose(pFile);
    }
    if (!bRead)
        m_text.clear();
    IndexLines();
    return bRead;
}

void CTextLineSource::IndexLines()
{
    m_lineStarts.clear();
    m_lineStarts.push_back(0);
    const char* pBegin = m_text.data();
    const int nSize = (int)m_text.size();
    for (int i = 0; i < nSize; i++)
    {
        char ch = pBegin[i];
        if (ch == '\n')
            m_lineStarts.push_back(i + 1);
        else if (ch == '\r')
        {
            if (i + 1 < nSize && pBegin[i + 1] == '\n')
                i++;
            m_lineStarts.push_back(i + 1);
        }
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
    return m_text.data() + m_lineStarts[nLine];
}
