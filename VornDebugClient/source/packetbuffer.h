// One datagram: little-endian 32-bit integers, bytes and NUL-terminated strings.
// Reads are bounded by the length received, writes by the capacity.
#ifndef VORN_DEBUGCLIENT_PACKETBUFFER_H
#define VORN_DEBUGCLIENT_PACKETBUFFER_H

#include <cstddef>

class PacketBuffer
{
public:
    enum { MAX_STRING = 2047 };
    // Senders write this in place of byte 0xFF, which ends a string on read.
    static const char STRING_END_REPLACEMENT = '?';

    PacketBuffer();
    ~PacketBuffer();

    bool Allocate(int capacity);
    void Free();
    void Clear();
    void Rewind() { m_nReadPos = 0; }

    unsigned char* GetData() { return m_pData; }
    const unsigned char* GetData() const { return m_pData; }
    int GetCapacity() const { return m_nCapacity; }
    int GetLength() const { return m_nLength; }
    int GetFree() const { return m_nCapacity - m_nLength; }
    int GetReadPos() const { return m_nReadPos; }
    // Sets the received length (at most the capacity).
    void SetLength(int length);

    unsigned char* Reserve(int count);
    bool WriteBytes(const void* source, int count);
    bool WriteByte(int value);
    bool WriteInt32(int value);
    // Writes the whole string or nothing; a null string writes "".
    bool WriteString(const char* text);
    // Writes at most length characters of text, then the NUL.
    bool WriteString(const char* text, size_t length);

    int ReadByte();
    int ReadInt32();
    // The string lives in a buffer of this object that the next read overwrites.
    const char* ReadString();

    static int StringSize(size_t length) { return int(length) + 1; }

private:
    PacketBuffer(const PacketBuffer&) = delete;
    PacketBuffer& operator=(const PacketBuffer&) = delete;

    int m_nReadPos;
    unsigned char* m_pData;
    int m_nCapacity;
    int m_nLength;
    char m_szString[MAX_STRING + 1];
};

#endif
