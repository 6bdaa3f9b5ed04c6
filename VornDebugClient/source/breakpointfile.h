// The breakpoint lines of one script file, in the order added (a line may repeat).
#ifndef VORN_DEBUGCLIENT_BREAKPOINTFILE_H
#define VORN_DEBUGCLIENT_BREAKPOINTFILE_H

#include "dynarray.h"
#include "vstring.h"

class BreakpointFile
{
public:
    explicit BreakpointFile(const char* name) : m_Name(name) {}
    virtual ~BreakpointFile() {}

    const String& GetName() const { return m_Name; }
    void LowerName() { m_Name.ToLower(); }
    bool AddLine(int line) { return m_Lines.Push(line); }
    // Removes one occurrence; the last line of the list takes its place.
    bool RemoveLine(int line);
    bool HasLine(int line) const { return m_Lines.Find(line) >= 0; }
    void ClearLines() { m_Lines.Clear(); }
    int GetLineCount() const { return m_Lines.Count(); }
    int GetLine(int index) const { return m_Lines.Get(index); }

private:
    String m_Name;
    SimpleArray<int> m_Lines;
};

#endif
