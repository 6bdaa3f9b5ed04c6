#include "CLineReader.h"

CLineReader::CLineReader()
    : m_nPos(0)
{
}

BOOL CLineReader::Open(LPCTSTR pszPath, ULONGLONG nMaxLength)
{
    m_data.RemoveAll();
    m_nPos = 0;

    CFile file;
    if (!file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return FALSE;
    try
    {
        ULONGLONG nLength = file.GetLength();
        if (nLength > nMaxLength || nLength > 0x7FFFFFF0)
            return FALSE;
        m_data.SetSize((INT_PTR)nLength);
        UINT nRead = nLength ? file.Read(m_data.GetData(), (UINT)nLength) : 0;
        m_data.SetSize(nRead);
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        m_data.RemoveAll();
        return FALSE;
    }
    return TRUE;
}

void CLineReader::SetData(const void* pData, int nLength)
{
    m_data.SetSize(nLength);
    if (nLength > 0)
        memcpy(m_data.GetData(), pData, nLength);
    m_nPos = 0;
}

int CLineReader::FindLineEnd(const BYTE* pData, int nSize, int nStart, int& nNext)
{
    int nEnd = nStart;
    while (nEnd < nSize && pData[nEnd] != '\n' && pData[nEnd] != '\r')
        nEnd++;
    // Past the line end: LF, CR, or CR LF as one.
    nNext = nEnd;
    if (nNext < nSize)
    {
        const BOOL bCR = pData[nNext] == '\r';
        nNext++;
        if (bCR && nNext < nSize && pData[nNext] == '\n')
            nNext++;
    }
    return nEnd;
}

BOOL CLineReader::ReadLine(CString& strLine)
{
    const int nSize = GetSize();
    if (m_nPos >= nSize)
    {
        strLine.Empty();
        return FALSE;
    }
    const BYTE* pData = m_data.GetData();
    int nNext = 0;
    const int nEnd = FindLineEnd(pData, nSize, m_nPos, nNext);
    strLine = CString(reinterpret_cast<const char*>(pData + m_nPos), nEnd - m_nPos);
    m_nPos = nNext;
    return TRUE;
}
