#include "CExportFile.h"

#include "ExportSupport.h"

#include <stdarg.h>
#include <string.h>

CExportFile::CExportFile()
    : m_bTextMode(FALSE), m_bFailed(TRUE), m_nUsed(0), m_nFlushed(0)
{
}

BOOL CExportFile::Open(LPCTSTR pszTargetPath, BOOL bTextMode)
{
    m_bTextMode = bTextMode;
    m_nUsed = 0;
    m_nFlushed = 0;
    m_bFailed = !m_file.Open(pszTargetPath);
    return !m_bFailed;
}

void CExportFile::Flush()
{
    if (m_nUsed > 0 && !m_bFailed && !m_file.Write(m_buffer, m_nUsed))
        m_bFailed = TRUE;
    m_nFlushed += m_nUsed;
    m_nUsed = 0;
}

BOOL CExportFile::Close()
{
    Flush();
    if (m_bFailed)
    {
        m_file.Abort();
        return FALSE;
    }
    m_bFailed = TRUE; // closed: further writes go nowhere
    return m_file.Commit();
}

void CExportFile::Write(const char* pData, int nCount)
{
    if (m_bTextMode)
    {
        for (int i = 0; i < nCount; i++)
            WriteChar(pData[i]);
        return;
    }
    while (nCount > 0)
    {
        if (m_nUsed == BUFFER_SIZE)
            Flush();
        const int nRoom = BUFFER_SIZE - m_nUsed;
        const int nTake = nCount < nRoom ? nCount : nRoom;
        memcpy(m_buffer + m_nUsed, pData, nTake);
        m_nUsed += nTake;
        pData += nTake;
        nCount -= nTake;
    }
}

void CExportFile::Write(const char* psz)
{
    Write(psz, static_cast<int>(strlen(psz)));
}

void CExportFile::WriteInt(LONGLONG nValue)
{
    char szDigits[24];
    Write(szDigits, ExportSupport::FormatDecimal(szDigits, nValue));
}

void CExportFile::Format(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CString str;
    str.FormatV(pszFormat, args);
    va_end(args);
    Write(str);
}
