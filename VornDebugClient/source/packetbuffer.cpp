#include "packetbuffer.h"

#include <cstring>
#include <new>

PacketBuffer::PacketBuffer() : m_nReadPos(0), m_pData(nullptr), m_nCapacity(0), m_nLength(0)
{
    m_szString[0] = '\0';
}

PacketBuffer::~PacketBuffer()
{
    Free();
}

bool PacketBuffer::Allocate(int capacity)
{
    Free();
    if (capacity <= 0)
        return false;
    m_pData = new (std::nothrow) unsigned char[capacity];
    if (!m_pData)
        return false;
    m_nCapacity = capacity;
    m_nLength = 0;
    m_nReadPos = 0;
    return true;
}

void PacketBuffer::Free()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nCapacity = 0;
    m_nLength = 0;
    m_nReadPos = 0;
}

void PacketBuffer::Clear()
{
    if (m_pData)
        m_nLength = 0;
}

void PacketBuffer::SetLength(int length)
{
    if (length < 0)
        length = 0;
    m_nLength = length > m_nCapacity ? m_nCapacity : length;
}

unsigned char* PacketBuffer::Reserve(int count)
{
    if (!m_pData || count < 0 || count > m_nCapacity - m_nLength)
        return nullptr;
    unsigned char* place = m_pData + m_nLength;
    m_nLength += count;
    return place;
}

bool PacketBuffer::WriteBytes(const void* source, int count)
{
    unsigned char* place = Reserve(count);
    if (!place)
        return false;
    if (count > 0)
        std::memcpy(place, source, count);
    return true;
}

bool PacketBuffer::WriteByte(int value)
{
    unsigned char byte = static_cast<unsigned char>(value);
    return WriteBytes(&byte, 1);
}

bool PacketBuffer::WriteInt32(int value)
{
    unsigned int bits = static_cast<unsigned int>(value);
    unsigned char bytes[4] = {
        static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
        static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    return WriteBytes(bytes, 4);
}

bool PacketBuffer::WriteString(const char* text)
{
    return WriteString(text, text ? std::strlen(text) : 0);
}

bool PacketBuffer::WriteString(const char* text, size_t length)
{
    if (!text)
        length = 0;
    unsigned char* place = Reserve(StringSize(length));
    if (!place)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        unsigned char c = static_cast<unsigned char>(text[i]);
        place[i] = c == 0xFF ? STRING_END_REPLACEMENT : c;
    }
    place[length] = 0;
    return true;
}

int PacketBuffer::ReadByte()
{
    int pos = m_nReadPos++;
    if (pos < 0 || pos >= m_nLength)
        return -1;
    return static_cast<signed char>(m_pData[pos]);
}

int PacketBuffer::ReadInt32()
{
    int pos = m_nReadPos;
    m_nReadPos += 4;
    if (pos < 0 || m_nLength - pos < 4)
        return -1;
    const unsigned char* p = m_pData + pos;
    unsigned int bits = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned int>(p[3]) << 24);
    return static_cast<int>(bits);
}

const char* PacketBuffer::ReadString()
{
    int count = 0;
    while (count < MAX_STRING)
    {
        int c = ReadByte();
        if (c == 0 || c == -1)  // NUL, end of data, or a byte 0xFF
            break;
        m_szString[count++] = static_cast<char>(c);
    }
    m_szString[count] = '\0';
    return m_szString;
}
