// CPacketBuffer: one datagram of the debug session, being built for sending or read
// after a receive. Integers travel little-endian, strings end with a 0 byte. A write
// that does not fit writes nothing; reads past the end give -1 or end the string, so
// a short or hostile datagram never reads outside what was received.
#pragma once

#include <afx.h>

class CPacketBuffer
{
public:
    enum
    {
        DATAGRAM_SIZE = 2048,
        MAX_STRING = DATAGRAM_SIZE - 1
    };

    CPacketBuffer();
    ~CPacketBuffer();

    // Frees old data and allocates nSize bytes; FALSE (no data) when that fails.
    BOOL Allocate(int nSize);
    void Free();
    // Empty for the next message to send.
    void Clear() { m_nLength = 0; }
    // Back to the first byte of what was received.
    void Rewind() { m_nReadPos = 0; }

    BYTE* GetData() { return m_pData; }
    const BYTE* GetData() const { return m_pData; }
    int GetCapacity() const { return m_nCapacity; }
    int GetLength() const { return m_nLength; }
    // After a receive into GetData(): the bytes received.
    void SetLength(int nLength);

    // 0..255, or -1 past the end; the position moves by 1 either way.
    int ReadByte();
    // -1 when fewer than 4 bytes remain; the position moves by 4 either way.
    int ReadInt();
    // Up to a 0 byte, a 255 byte, the end of the data or MAX_STRING bytes; the
    // ending 0 or 255 is consumed. Valid until this buffer's next ReadString.
    LPCTSTR ReadString();

    BOOL WriteInt(int nValue);
    // A null string is written as the empty one.
    BOOL WriteString(LPCTSTR pszText);

    // Whole messages: StartMessage notes where the message begins; EndMessage keeps
    // it when every write since fitted, else takes it all back and returns FALSE.
    void StartMessage();
    BOOL EndMessage();

private:
    BYTE* m_pData;
    int m_nCapacity;
    int m_nLength;
    int m_nReadPos;
    int m_nMessageStart;
    BOOL m_bRefused;
    char m_szString[DATAGRAM_SIZE];

    BOOL Append(const void* pBytes, int nCount);

    CPacketBuffer(const CPacketBuffer&) = delete;
    CPacketBuffer& operator=(const CPacketBuffer&) = delete;
};
