// CChunkStripper: removes the debug information (line numbers, names of locals and
// upvalues, source name) from a precompiled Lua 5.0 chunk, which the core's public
// dump always writes in full. The chunk must come from this machine's own core: its
// header gives the sizes of the fields, which are read in native byte order.
#pragma once

#include <cstddef>
#include <string>

class CChunkStripper
{
public:
    // The stripped form of chunk in out; false (out undefined) when the chunk is
    // not a well-formed Lua 5.0 chunk.
    static bool Strip(const std::string& chunk, std::string& out);

private:
    explicit CChunkStripper(const std::string& chunk);

    const std::string& m_chunk;
    size_t m_pos;
    size_t m_intSize;
    size_t m_sizeSize;
    size_t m_instructionSize;
    size_t m_numberSize;
    std::string m_out;

    bool CopyHeader();
    bool StripFunction(bool bMain);
    bool SkipString();
    bool SkipStrings(long long nCount, size_t nTrailingInts);
    bool CopyConstants();
    bool Copy(size_t n);
    bool Skip(size_t n);
    bool ReadCount(size_t nSize, long long& value);
    void WriteInt(int value);
    void WriteSize(size_t value);
    void WriteSourceName(const char* pszName);
};
