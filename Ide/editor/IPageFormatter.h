// IPageFormatter: what the page engine needs of the text it prints: the editor's
// formatter, which lays out (and draws) as many lines of a character range as fit in a
// rectangle.
#pragma once

#include <windows.h>

#include <Scintilla.h>

class IPageFormatter
{
public:
    virtual ~IPageFormatter() {}

    // Lays out the range's lines into pRange->rc, drawing them when bDraw is set, and
    // returns the position after the last character that fitted (the range's start when
    // not one line fitted). A NULL range releases what the formatter cached.
    virtual long FormatRange(BOOL bDraw, Sci_RangeToFormat* pRange) = 0;
};
