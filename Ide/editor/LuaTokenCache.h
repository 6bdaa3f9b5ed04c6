// LuaTokenCache: what the searches around the caret keep of an outline file's tokens
// between keystrokes, so that a search deep in a long file reads only the lines and
// statements it has not met yet.
//   - For each line held: where its tokens start in the list and the scanner's carry at
//     its start. The list then holds exactly lines 0..N; moving on tokenizes only the
//     lines past N, and an edit drops the lines from the edited one on.
//   - Parse checkpoints: tokens at which a search parse stood at file level, outside
//     every block and constructor, at the first token of a line. A parse started there
//     reaches the same result as one started at the first token.
// The editor tells the cache of every change of the text (ForgetFromLine); a source of
// another line count than the one read before starts it afresh.
#pragma once

#include "CLineSource.h"
#include "LuaTokenList.h"

#include <vector>

class LuaTokenCache
{
public:
    LuaTokenCache() : m_nSourceLines(-1) {}

    // Makes the tokens those of lines 0..nLastLine of the source (-1 or a line past the
    // end: every line), tokenizing only the lines not held.
    void TokenizeTo(LuaTokenList& tokens, CLineSource& source, int nLastLine);
    // The text changed from the line on: what was kept of it and after it is dropped.
    void ForgetFromLine(int nLine);
    void Clear();

    // The last checkpoint at or before the token, or 0 (the first token).
    int CheckpointAtOrBefore(int nToken) const;
    // A search parse stood at a checkpoint; kept when past the last one known.
    void AddCheckpoint(int nToken);
    int GetLineCount() const { return (int)m_lines.size(); }

private:
    struct CLineStart
    {
        LuaTokenList::CMark mark; // the list before the line's first token
        int nCarry;               // the scanner's state at the line's start
    };

    std::vector<CLineStart> m_lines;
    std::vector<int> m_checkpoints; // ascending token indexes
    int m_nSourceLines;             // the source's line count when it was read
    int m_nNextCarry = 0;           // the carry after the last line held
    LuaTokenList::CMark m_end = {}; // the list's end after the last line held
};
