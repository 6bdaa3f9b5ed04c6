#include "CChunkStripper.h"

#include <cstring>

namespace
{
    const char SIGNATURE[] = "\033Lua";
    const unsigned char FORMAT_VERSION = 0x50;
    const size_t HEADER_SIZE_BYTES = 10;  // version .. size of a number, one byte each
    const int TYPE_NIL = 0;
    const int TYPE_NUMBER = 3;
    const int TYPE_STRING = 4;
    // A stripped main function still needs a source name: the core reads it for
    // every error message and traceback.
    const char STRIPPED_SOURCE[] = "=?";
}

CChunkStripper::CChunkStripper(const std::string& chunk)
    : m_chunk(chunk), m_pos(0), m_intSize(0), m_sizeSize(0), m_instructionSize(0), m_numberSize(0)
{
}

bool CChunkStripper::Strip(const std::string& chunk, std::string& out)
{
    CChunkStripper stripper(chunk);
    if (!stripper.CopyHeader() || !stripper.StripFunction(true) || stripper.m_pos != chunk.size())
        return false;
    out.swap(stripper.m_out);
    return true;
}

bool CChunkStripper::CopyHeader()
{
    const size_t nSignature = sizeof(SIGNATURE) - 1;
    if (m_chunk.size() < nSignature + HEADER_SIZE_BYTES ||
        m_chunk.compare(0, nSignature, SIGNATURE) != 0 ||
        static_cast<unsigned char>(m_chunk[nSignature]) != FORMAT_VERSION)
        return false;
    const unsigned char* sizes = reinterpret_cast<const unsigned char*>(m_chunk.data()) + nSignature;
    m_intSize = sizes[2];
    m_sizeSize = sizes[3];
    m_instructionSize = sizes[4];
    m_numberSize = sizes[9];
    if (m_intSize != sizeof(int) || m_sizeSize != sizeof(size_t) || m_instructionSize == 0 || m_numberSize == 0)
        return false;
    // The header ends with a test number of the chunk's number format.
    return Copy(nSignature + HEADER_SIZE_BYTES + m_numberSize);
}

// Function: source, line defined, 4 bytes, lines, locals, upvalue names,
// constants (with the nested functions), code.
bool CChunkStripper::StripFunction(bool bMain)
{
    if (!SkipString())
        return false;
    if (bMain)
        WriteSourceName(STRIPPED_SOURCE);
    else
        WriteSize(0);  // a nested function takes its parent's source
    if (!Copy(m_intSize + 4))
        return false;
    long long nLines = 0, nLocals = 0, nUpvalues = 0;
    if (!ReadCount(m_intSize, nLines) || !Skip(size_t(nLines) * m_intSize))
        return false;
    if (!ReadCount(m_intSize, nLocals) || !SkipStrings(nLocals, 2))
        return false;
    if (!ReadCount(m_intSize, nUpvalues) || !SkipStrings(nUpvalues, 0))
        return false;
    WriteInt(0);
    WriteInt(0);
    WriteInt(0);
    if (!CopyConstants())
        return false;
    long long nCode = 0;
    const size_t nCountAt = m_pos;
    if (!ReadCount(m_intSize, nCode))
        return false;
    m_pos = nCountAt;
    return Copy(m_intSize + size_t(nCode) * m_instructionSize);
}

bool CChunkStripper::CopyConstants()
{
    long long nConstants = 0;
    size_t nCountAt = m_pos;
    if (!ReadCount(m_intSize, nConstants))
        return false;
    m_pos = nCountAt;
    if (!Copy(m_intSize))
        return false;
    for (long long i = 0; i < nConstants; ++i)
    {
        if (m_pos >= m_chunk.size())
            return false;
        const int nType = static_cast<unsigned char>(m_chunk[m_pos]);
        if (!Copy(1))
            return false;
        if (nType == TYPE_NUMBER)
        {
            if (!Copy(m_numberSize))
                return false;
        }
        else if (nType == TYPE_STRING)
        {
            long long nLength = 0;
            nCountAt = m_pos;
            if (!ReadCount(m_sizeSize, nLength))
                return false;
            m_pos = nCountAt;
            if (!Copy(m_sizeSize + size_t(nLength)))
                return false;
        }
        else if (nType != TYPE_NIL)
            return false;
    }
    long long nFunctions = 0;
    if (!ReadCount(m_intSize, nFunctions))
        return false;
    WriteInt(int(nFunctions));
    for (long long i = 0; i < nFunctions; ++i)
        if (!StripFunction(false))
            return false;
    return true;
}

bool CChunkStripper::SkipString()
{
    long long nLength = 0;
    return ReadCount(m_sizeSize, nLength) && Skip(size_t(nLength));
}

// nCount strings, each followed by nTrailingInts integers.
bool CChunkStripper::SkipStrings(long long nCount, size_t nTrailingInts)
{
    for (long long i = 0; i < nCount; ++i)
        if (!SkipString() || !Skip(nTrailingInts * m_intSize))
            return false;
    return true;
}

bool CChunkStripper::Copy(size_t n)
{
    if (n > m_chunk.size() - m_pos)
        return false;
    m_out.append(m_chunk, m_pos, n);
    m_pos += n;
    return true;
}

bool CChunkStripper::Skip(size_t n)
{
    if (n > m_chunk.size() - m_pos)
        return false;
    m_pos += n;
    return true;
}

// A count or length of nSize bytes; false when it is negative or runs past the end.
bool CChunkStripper::ReadCount(size_t nSize, long long& value)
{
    if (nSize > m_chunk.size() - m_pos)
        return false;
    if (nSize == sizeof(int))
    {
        int n;
        std::memcpy(&n, m_chunk.data() + m_pos, sizeof(n));
        value = n;
    }
    else
    {
        size_t n;
        std::memcpy(&n, m_chunk.data() + m_pos, sizeof(n));
        if (n > m_chunk.size())
            return false;
        value = static_cast<long long>(n);
    }
    m_pos += nSize;
    return value >= 0 && static_cast<unsigned long long>(value) <= m_chunk.size();
}

void CChunkStripper::WriteInt(int value)
{
    m_out.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

void CChunkStripper::WriteSize(size_t value)
{
    m_out.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

void CChunkStripper::WriteSourceName(const char* pszName)
{
    const size_t n = std::strlen(pszName) + 1;  // with its terminating zero
    WriteSize(n);
    m_out.append(pszName, n);
}
