// All breakpoints of the session, by normalised file name. The worker changes the
// table while the script thread reads it, so every access holds the global lock.
//
// For the hook's sake the table also keeps a bit per line number that holds a
// breakpoint in any file: a line event whose bit is clear needs no path at all.
// The bits are written word by word under the lock and read without it; a stale
// read only delays the effect of a change by one line event.
#ifndef VORN_DEBUGCLIENT_BREAKPOINTTABLE_H
#define VORN_DEBUGCLIENT_BREAKPOINTTABLE_H

#include "dynarray.h"
#include "winheaders.h"

class BreakpointFile;

class BreakpointTable
{
public:
    enum { FILTER_LINES = 65536 };

    BreakpointTable();
    ~BreakpointTable();

    // Names must already be normalised. Lower-cased names are stored.
    bool Add(const char* path, int line);
    bool Remove(const char* path, int line);
    void ClearLines();
    void DeleteAll();

    bool Has(const char* path, int line) const;
    // The file entry of a normalised path, or null. Valid while the generation
    // stays the same (entries are deleted only by DeleteAll).
    BreakpointFile* FindFile(const char* path) const;
    int GetFileCount() const { return m_Files.Count(); }
    BreakpointFile* GetFile(int index) const { return m_Files.Get(index); }

    // Lock-free hints for the hook.
    bool MayHoldLine(int line) const
    {
        if (line < 0 || line >= FILTER_LINES)
            return m_nHighLines != 0;
        return (m_LineBits[line >> 5] >> (line & 31)) & 1;
    }
    bool IsEmpty() const { return m_nTotalLines == 0; }
    LONG GetGeneration() const { return m_nGeneration; }

private:
    BreakpointTable(const BreakpointTable&) = delete;
    BreakpointTable& operator=(const BreakpointTable&) = delete;

    void Changed();

    SimpleArray<BreakpointFile*> m_Files;
    volatile LONG m_LineBits[FILTER_LINES / 32];
    volatile LONG m_nHighLines;
    volatile LONG m_nTotalLines;
    volatile LONG m_nGeneration;
};

#endif
