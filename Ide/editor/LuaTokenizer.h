// LuaTokenizer: turns lines of Lua source into a flat list of tokens, line by line. A
// lexical pass only: malformed Lua never makes it fail, and unclosed strings, comments
// and long strings simply carry over to the following lines.
#pragma once

#include "CLineSource.h"
#include "LuaLineScanner.h"
#include "LuaTokenList.h"

class LuaTokenizer
{
public:
    LuaTokenizer() { m_scanner.SetKeepClasses(false); }

    // Replaces the tokens with those of lines nFirstLine..nLastLine (zero-based; -1 or a
    // line past the end means the last line).
    void Tokenize(LuaTokenList& tokens, CLineSource& source, int nFirstLine, int nLastLine);
    // Appends the tokens of one line that starts in the state of the carry (0 at the
    // first line); returns the carry of the next line.
    int TokenizeLine(LuaTokenList& tokens, CLineSource& source, int nLine, int nCarry);

    // Keyword number of the text (LuaKeyword), or -1.
    static int GetKeywordNumber(LPCTSTR pszText);

private:
    LuaLineScanner m_scanner;

    void AddLineTokens(LuaTokenList& tokens, const char* pLine, int nLine);
};
