// IStyledText: what the exporters read of an editor: its bytes with their lexer styles
// and the fold level of each line. Colourise restyles the whole text first, so the
// styles read afterwards are those of the current text.
#pragma once

class IStyledText
{
public:
    virtual ~IStyledText() {}

    virtual void Colourise() = 0;
    virtual int GetLength() = 0;
    // The byte at the position (0-255).
    virtual int GetCharAt(int nPos) = 0;
    // The style of the byte at the position (0-255).
    virtual int GetStyleAt(int nPos) = 0;
    // The fold level word of the 0-based line: the level in SC_FOLDLEVELNUMBERMASK,
    // SC_FOLDLEVELHEADERFLAG on a line that starts a fold.
    virtual int GetFoldLevel(int nLine) = 0;
};
