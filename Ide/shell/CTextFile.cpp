#include "CTextFile.h"

CTextFile::CTextFile()
    : m_pStream(NULL), m_bRead(FALSE), m_bWrite(FALSE)
{
}

CTextFile::~CTextFile()
{
    Close();
}

BOOL CTextFile::Open(LPCTSTR pszPath, BOOL bRead, BOOL bBinary)
{
    Close();
    char szMode[3] = { bRead ? 'r' : 'w', bBinary ? 'b' : 't', 0 };
    m_pStream = fopen(pszPath, szMode);
    if (m_pStream == NULL)
        return FALSE;
    m_bRead = bRead;
    m_bWrite = !bRead;
    return TRUE;
}

int CTextFile::Close()
{
    if (m_pStream == NULL)
        return 0;
    if (m_bWrite)
        fflush(m_pStream);
    int nResult = fclose(m_pStream);
    m_pStream = NULL;
    m_bRead = m_bWrite = FALSE;
    return nResult;
}

// A line ends at a line feed, a zero byte or the end of the file. Every other byte,
// 0xFF included (a letter in several ANSI code pages), belongs to the line.
int CTextFile::NextLineByte(BOOL& bEndOfFile)
{
    int ch = getc(m_pStream);
    if (ch == EOF)
    {
        bEndOfFile = TRUE;
        return -1;
    }
    if (ch == '\n' || ch == 0)
        return -1;
    return ch;
}

int CTextFile::ReadLine(LPTSTR pszBuffer, int nSize)
{
    if (pszBuffer == NULL || nSize <= 0)
        return -1;
    pszBuffer[0] = 0;
    if (m_pStream == NULL || !m_bRead)
        return -1;

    int nLength = 0;
    BOOL bEndOfFile = FALSE;
    while (nLength < nSize - 1)
    {
        int ch = NextLineByte(bEndOfFile);
        if (ch < 0)
            break;
        pszBuffer[nLength++] = (char)ch;
    }
    pszBuffer[nLength] = 0;
    if (bEndOfFile && nLength == 0)
        return -1;
    return nLength;
}

int CTextFile::ReadLine(CString& strLine)
{
    strLine.Empty();
    if (m_pStream == NULL || !m_bRead)
        return -1;

    // Collected in blocks so that long lines cost few appends.
    char szBlock[512];
    int nBlock = 0;
    BOOL bEndOfFile = FALSE;
    BOOL bAny = FALSE;
    for (;;)
    {
        int ch = NextLineByte(bEndOfFile);
        if (ch < 0)
            break;
        bAny = TRUE;
        szBlock[nBlock++] = (char)ch;
        if (nBlock == (int)sizeof(szBlock))
        {
            strLine.Append(szBlock, nBlock);
            nBlock = 0;
        }
    }
    if (nBlock > 0)
        strLine.Append(szBlock, nBlock);
    if (bEndOfFile && !bAny)
        return -1;
    return strLine.GetLength();
}

int CTextFile::WriteLine(LPCTSTR pszText)
{
    if (m_pStream == NULL || !m_bWrite || pszText == NULL)
        return -1;
    const char* pszEnd = strchr(pszText, '\n');
    size_t nLength = pszEnd ? (size_t)(pszEnd - pszText) : strlen(pszText);
    if (nLength > 0 && fwrite(pszText, 1, nLength, m_pStream) != nLength)
        return -1;
    if (putc('\n', m_pStream) == EOF)
        return -1;
    return (int)nLength;
}

BOOL CTextFile::Line(LPTSTR pszBuffer, int nSize)
{
    if (m_bRead)
        return ReadLine(pszBuffer, nSize) != -1;
    return WriteLine(pszBuffer) != -1;
}

BOOL CTextFile::Line(CString& strLine)
{
    if (m_bRead)
        return ReadLine(strLine) != -1;
    return WriteLine(strLine) != -1;
}
