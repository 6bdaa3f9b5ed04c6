#include "breakpointfile.h"

bool BreakpointFile::RemoveLine(int line)
{
    int index = m_Lines.Find(line);
    return index >= 0 && m_Lines.RemoveSwap(index);
}
