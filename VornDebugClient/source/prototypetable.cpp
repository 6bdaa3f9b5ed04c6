#include "prototypetable.h"

#include "breakpointfile.h"
#include "hashchains.h"

#include <cstring>
#include <new>

// No chunk and no lines: it is never decided otherwise.
PrototypeTable::Prototype PrototypeTable::s_NotInAFile(false);

PrototypeTable::Prototype::Prototype(bool everyLine)
    : m_pChunk(nullptr),
      m_nLineDefined(0),
      m_nLastLineDefined(0),
      m_nLoadSerial(-1),
      m_nFirstLine(0),
      m_nLineCount(0),
      m_bEveryLine(everyLine),
      m_pCode(nullptr),
      m_pStops(nullptr),
      m_nDecidedGeneration(-1),
      m_bWantsLines(false),
      m_pNext(nullptr)
{
}

PrototypeTable::Prototype::~Prototype()
{
    delete[] m_pCode;   // m_pStops shares the allocation
}

bool PrototypeTable::Prototype::SetCode(const int* lines, int count, LONG loadSerial)
{
    delete[] m_pCode;
    m_pCode = m_pStops = nullptr;
    m_nFirstLine = m_nLineCount = 0;
    m_bEveryLine = true;
    m_nLoadSerial = loadSerial;
    m_nDecidedGeneration = -1;
    if (count <= 0)
    {
        m_bEveryLine = false;   // no line holds code: nothing ever stops it
        return true;
    }
    int first = lines[0], last = lines[0];
    for (int i = 1; i < count; ++i)
    {
        if (lines[i] < first)
            first = lines[i];
        if (lines[i] > last)
            last = lines[i];
    }
    m_nFirstLine = first;
    m_nLineCount = last - first + 1;
    int words = Words();
    m_pCode = new (std::nothrow) unsigned[size_t(words) * 2];
    if (!m_pCode)
    {
        m_nLineCount = 0;
        return false;
    }
    m_pStops = m_pCode + words;
    std::memset(m_pCode, 0, sizeof(unsigned) * size_t(words) * 2);
    for (int i = 0; i < count; ++i)
        SetBit(m_pCode, unsigned(lines[i] - first));
    m_bEveryLine = false;
    return true;
}

void PrototypeTable::Prototype::SetUnknownCode(LONG loadSerial)
{
    SetCode(nullptr, 0, loadSerial);
    m_bEveryLine = true;
}

void PrototypeTable::Prototype::MarkStop(int line, bool* any)
{
    if (!HasCode(line))
        return;
    *any = true;
    if (!m_bEveryLine)
        SetBit(m_pStops, unsigned(line - m_nFirstLine));
}

void PrototypeTable::Prototype::Decide(const BreakpointFile* file, int targetLine, LONG generation)
{
    if (m_pStops)
        std::memset(m_pStops, 0, sizeof(unsigned) * size_t(Words()));
    bool any = false;
    if (m_pChunk)
    {
        for (int i = 0; file && i < file->GetLineCount(); ++i)
            MarkStop(file->GetLine(i), &any);
        if (targetLine != NO_LINE)
            MarkStop(targetLine, &any);
    }
    m_bWantsLines = any;
    m_nDecidedGeneration = generation;
}

PrototypeTable::PrototypeTable() : m_nCount(0)
{
    for (Prototype*& bucket : m_Buckets)
        bucket = nullptr;
}

PrototypeTable::~PrototypeTable()
{
    Clear();
}

void PrototypeTable::Clear()
{
    DeleteChains(m_Buckets, &Prototype::m_pNext);
    m_nCount = 0;
}

unsigned PrototypeTable::BucketOf(const ChunkPathCache::Entry* chunk, int lineDefined)
{
    size_t bits = reinterpret_cast<size_t>(chunk);
    return unsigned((bits >> 4) ^ (bits >> 12) ^ (unsigned(lineDefined) * 2654435761u)) & (BUCKETS - 1);
}

PrototypeTable::Prototype* PrototypeTable::Get(ChunkPathCache::Entry* chunk, int lineDefined, int lastLineDefined)
{
    Prototype*& bucket = m_Buckets[BucketOf(chunk, lineDefined)];
    for (Prototype* p = bucket; p; p = p->m_pNext)
        if (p->m_pChunk == chunk && p->m_nLineDefined == lineDefined && p->m_nLastLineDefined == lastLineDefined)
            return p;
    if (m_nCount >= MAX_PROTOTYPES)
        return nullptr;
    Prototype* p = new (std::nothrow) Prototype(true);
    if (!p)
        return nullptr;
    p->m_pChunk = chunk;
    p->m_nLineDefined = lineDefined;
    p->m_nLastLineDefined = lastLineDefined;
    p->m_pNext = bucket;
    bucket = p;
    ++m_nCount;
    return p;
}
