// What the hook knows of each Lua function of a script file: the lines that hold
// its code (Lua's active lines, which leave out the lines of functions nested in
// it), and, for one generation of breakpoints at a time, which of those lines hold
// a breakpoint or the run-to-cursor target. A function needs line events only
// when one of its own lines may stop it.
//
// Records are kept by chunk and by the lines where the function begins and ends,
// so every closure made from one function shares a record, and they stay at their
// address until Clear. Used by the script thread only.
#ifndef VORN_DEBUGCLIENT_PROTOTYPETABLE_H
#define VORN_DEBUGCLIENT_PROTOTYPETABLE_H

#include "chunkpathcache.h"
#include "winheaders.h"

class BreakpointFile;

class PrototypeTable
{
public:
    enum
    {
        BUCKETS = 1024,            // a power of two
        MAX_PROTOTYPES = 65536,    // more than this: the caller starts again
        NO_LINE = -1
    };

    class Prototype
    {
    public:
        ~Prototype();
        // Null for the record shared by C functions and chunks not loaded from a file.
        ChunkPathCache::Entry* GetChunk() const { return m_pChunk; }
        bool IsFile() const { return m_pChunk != nullptr; }
        // Whether its lines are those of the chunk as it was last loaded.
        bool IsCurrent() const { return m_pChunk && m_nLoadSerial == m_pChunk->loadSerial; }
        bool HasCode(int line) const
        {
            if (m_bEveryLine)
                return true;
            unsigned offset = unsigned(line - m_nFirstLine);
            return offset < unsigned(m_nLineCount) && TestBit(m_pCode, offset);
        }

        // The decision of one generation: whether any line may stop the function,
        // and which.
        LONG GetDecidedGeneration() const { return m_nDecidedGeneration; }
        bool WantsLines() const { return m_bWantsLines; }
        bool MayStopAt(int line) const
        {
            // Most functions have no stop at all: their lines are not looked up.
            if (!m_bWantsLines)
                return false;
            unsigned offset = unsigned(line - m_nFirstLine);
            return m_bEveryLine || (offset < unsigned(m_nLineCount) && TestBit(m_pStops, offset));
        }
        // The breakpoint lines come from file (null: none); targetLine is the
        // run-to-cursor target in this chunk, or NO_LINE.
        void Decide(const BreakpointFile* file, int targetLine, LONG generation);
        // The lines that hold code, as Lua lists them; false (and every line taken
        // to hold code) when there is no memory for them.
        bool SetCode(const int* lines, int count, LONG loadSerial);
        // Lua could not list the lines: every line is taken to hold code.
        void SetUnknownCode(LONG loadSerial);

    private:
        friend class PrototypeTable;
        explicit Prototype(bool everyLine);
        Prototype(const Prototype&) = delete;
        Prototype& operator=(const Prototype&) = delete;

        static bool TestBit(const unsigned* bits, unsigned offset) { return (bits[offset >> 5] >> (offset & 31)) & 1; }
        static void SetBit(unsigned* bits, unsigned offset) { bits[offset >> 5] |= 1u << (offset & 31); }
        int Words() const { return (m_nLineCount + 31) / 32; }
        void MarkStop(int line, bool* any);

        ChunkPathCache::Entry* m_pChunk;
        int m_nLineDefined;
        int m_nLastLineDefined;
        LONG m_nLoadSerial;
        int m_nFirstLine;
        int m_nLineCount;
        bool m_bEveryLine;      // lines unknown: every line may hold code and stop it
        unsigned* m_pCode;      // a bit per line from m_nFirstLine
        unsigned* m_pStops;     // the same lines: a breakpoint or the target of the decision
        LONG m_nDecidedGeneration;
        bool m_bWantsLines;
        Prototype* m_pNext;
    };

    PrototypeTable();
    ~PrototypeTable();

    // The record of the function of chunk that begins on lineDefined and ends on
    // lastLineDefined (made, without its lines, when new); null when memory runs
    // out or the table is full.
    Prototype* Get(ChunkPathCache::Entry* chunk, int lineDefined, int lastLineDefined);
    // The record of every function that is not in a script file: no lines, no stops.
    static Prototype* NotInAFile() { return &s_NotInAFile; }
    void Clear();
    int GetCount() const { return m_nCount; }

private:
    PrototypeTable(const PrototypeTable&) = delete;
    PrototypeTable& operator=(const PrototypeTable&) = delete;

    static unsigned BucketOf(const ChunkPathCache::Entry* chunk, int lineDefined);

    Prototype* m_Buckets[BUCKETS];
    int m_nCount;
    static Prototype s_NotInAFile;
};

#endif
