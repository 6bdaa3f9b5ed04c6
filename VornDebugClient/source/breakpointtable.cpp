#include "breakpointtable.h"

#include "breakpointfile.h"
#include "criticalsection.h"

#include <cstring>

BreakpointTable::BreakpointTable() : m_nHighLines(0), m_nTotalLines(0), m_nGeneration(0)
{
    for (int i = 0; i < FILTER_LINES / 32; ++i)
        m_LineBits[i] = 0;
}

BreakpointTable::~BreakpointTable()
{
    DeleteAll();
}

BreakpointFile* BreakpointTable::FindFile(const char* path) const
{
    for (int i = 0; i < m_Files.Count(); ++i)
        if (_stricmp(m_Files.Get(i)->GetName().GetText(), path) == 0)
            return m_Files.Get(i);
    return nullptr;
}

bool BreakpointTable::Add(const char* path, int line)
{
    AutoLock lock;
    BreakpointFile* file = FindFile(path);
    if (!file)
    {
        file = new (std::nothrow) BreakpointFile(path);
        if (!file)
            return false;
        file->LowerName();
        if (!m_Files.Push(file))
        {
            delete file;
            return false;
        }
    }
    bool added = file->AddLine(line);
    Changed();
    return added;
}

bool BreakpointTable::Remove(const char* path, int line)
{
    AutoLock lock;
    BreakpointFile* file = FindFile(path);
    bool removed = file && file->RemoveLine(line);
    if (removed)
        Changed();
    return removed;
}

void BreakpointTable::ClearLines()
{
    AutoLock lock;
    for (int i = 0; i < m_Files.Count(); ++i)
        m_Files.Get(i)->ClearLines();
    Changed();
}

void BreakpointTable::DeleteAll()
{
    AutoLock lock;
    for (int i = 0; i < m_Files.Count(); ++i)
        delete m_Files.Get(i);
    m_Files.Clear();
    Changed();
}

bool BreakpointTable::Has(const char* path, int line) const
{
    AutoLock lock;
    const BreakpointFile* file = FindFile(path);
    return file && file->HasLine(line);
}

// Rebuilds the line bits: a new set is computed, then only words that differ are
// written, so a bit that stays set never reads as clear in between.
void BreakpointTable::Changed()
{
    static LONG bits[FILTER_LINES / 32];   // used under the lock only
    std::memset(bits, 0, sizeof(bits));
    LONG high = 0;
    LONG total = 0;
    for (int i = 0; i < m_Files.Count(); ++i)
    {
        const BreakpointFile* file = m_Files.Get(i);
        for (int k = 0; k < file->GetLineCount(); ++k)
        {
            int line = file->GetLine(k);
            if (line >= 0 && line < FILTER_LINES)
                bits[line >> 5] |= LONG(1u << (line & 31));
            else
                high = 1;
            ++total;
        }
    }
    for (int i = 0; i < FILTER_LINES / 32; ++i)
        if (m_LineBits[i] != bits[i])
            InterlockedExchange(&m_LineBits[i], bits[i]);
    InterlockedExchange(&m_nHighLines, high);
    InterlockedExchange(&m_nTotalLines, total);
    InterlockedIncrement(&m_nGeneration);
}
