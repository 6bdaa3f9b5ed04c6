#include "CPacketBuffer.h"

#include <new>
#include <string.h>

CPacketBuffer::CPacketBuffer()
    : m_pData(NULL), m_nCapacity(0), m_nLength(0), m_nReadPos(0), m_nMessageStart(0), m_bRefused(FALSE)
{
    m_szString[0] = '\0';
}

CPacketBuffer::~CPacketBuffer()
{
    Free();
}

BOOL CPacketBuffer::Allocate(int nSize)
{
    Free();
    if (nSize <= 0)
        return FALSE;
    m_pData = new (std::nothrow) BYTE[nSize];
    if (m_pData == NULL)
        return FALSE;
    m_nCapacity = nSize;
    return TRUE;
}

void CPacketBuffer::Free()
{
    delete[] m_pData;
    m_pData = NULL;
    m_nCapacity = 0;
    m_nLength = 0;
    m_nReadPos = 0;
    m_nMessageStart = 0;
    m_bRefused = FALSE;
}

void CPacketBuffer::SetLength(int nLength)
{
    m_nLength = nLength < 0 ? 0 : (nLength > m_nCapacity ? m_nCapacity : nLength);
}

int CPacketBuffer::ReadByte()
{
    const int nPos = m_nReadPos;
    m_nReadPos++;
    if (nPos < 0 || nPos >= m_nLength)
        return -1;
    return m_pData[nPos];
}

int CPacketBuffer::ReadInt()
{
    const int nPos = m_nReadPos;
    m_nReadPos += 4;
    if (nPos < 0 || m_nLength - nPos < 4)
        return -1;
    const BYTE* p = m_pData + nPos;
    return (int)((DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24));
}

LPCTSTR CPacketBuffer::ReadString()
{
    int nCount = 0;
    while (nCount < MAX_STRING && m_nReadPos >= 0 && m_nReadPos < m_nLength)
    {
        const BYTE b = m_pData[m_nReadPos++];
        if (b == 0 || b == 0xFF)
            break;
        m_szString[nCount++] = (char)b;
    }
    m_szString[nCount] = '\0';
    return m_szString;
}

BOOL CPacketBuffer::Append(const void* pBytes, int nCount)
{
    if (m_pData == NULL || nCount > m_nCapacity - m_nLength)
    {
        m_bRefused = TRUE;
        return FALSE;
    }
    memcpy(m_pData + m_nLength, pBytes, nCount);
    m_nLength += nCount;
    return TRUE;
}

BOOL CPacketBuffer::WriteInt(int nValue)
{
    const DWORD dw = (DWORD)nValue;
    const BYTE bytes[4] = { (BYTE)dw, (BYTE)(dw >> 8), (BYTE)(dw >> 16), (BYTE)(dw >> 24) };
    return Append(bytes, 4);
}

BOOL CPacketBuffer::WriteString(LPCTSTR pszText)
{
    const char* psz = pszText != NULL ? pszText : "";
    const size_t nLength = strlen(psz);
    // String and terminator go in together or not at all.
    if (nLength >= (size_t)m_nCapacity)
    {
        m_bRefused = TRUE;
        return FALSE;
    }
    return Append(psz, (int)nLength + 1);
}

void CPacketBuffer::StartMessage()
{
    m_nMessageStart = m_nLength;
    m_bRefused = FALSE;
}

BOOL CPacketBuffer::EndMessage()
{
    if (!m_bRefused)
        return TRUE;
    m_nLength = m_nMessageStart;
    m_bRefused = FALSE;
    return FALSE;
}
