#include "LuaTokenizer.h"

#include <string.h>

int LuaTokenizer::GetKeywordNumber(LPCTSTR pszText)
{
    if (pszText == NULL)
        return -1;
    return LuaLineScanner::KeywordNumber(pszText, (int)strlen(pszText));
}

void LuaTokenizer::Tokenize(LuaTokenList& tokens, CLineSource& source, int nFirstLine, int nLastLine)
{
    tokens.RemoveAll();
    int nLineCount = source.GetLineCount();
    if (nLastLine < 0 || nLastLine >= nLineCount)
        nLastLine = nLineCount - 1;
    if (nFirstLine < 0)
        nFirstLine = 0;

    int nCarry = 0;
    for (int nLine = nFirstLine; nLine <= nLastLine; nLine++)
        nCarry = TokenizeLine(tokens, source, nLine, nCarry);
}

int LuaTokenizer::TokenizeLine(LuaTokenList& tokens, CLineSource& source, int nLine, int nCarry)
{
    int nLength = 0;
    const char* pLine = source.GetLine(nLine, nLength);
    if (pLine == NULL || nLength < 0)
        nLength = 0;
    // A line ends at its first zero byte, as a C string read from the control would.
    const void* pZero = nLength > 0 ? memchr(pLine, 0, (size_t)nLength) : NULL;
    if (pZero != NULL)
        nLength = (int)(static_cast<const char*>(pZero) - pLine);
    nCarry = m_scanner.ScanLine(pLine, nLength, nCarry);
    AddLineTokens(tokens, pLine, nLine);
    return nCarry;
}

// Each run the scanner marked becomes a token. Names, strings and the underscore names
// of the keyword class keep their text.
void LuaTokenizer::AddLineTokens(LuaTokenList& tokens, const char* pLine, int nLine)
{
    for (int i = 0; i < m_scanner.GetRunCount(); i++)
    {
        const LuaLineScanner::CRun& run = m_scanner.GetRun(i);
        const bool bKeepsText = run.nClass == LUA_CLASS_IDENTIFIER || run.nClass == LUA_CLASS_STRING ||
                                (run.nClass == LUA_CLASS_KEYWORD && run.nCode < 0);
        if (bKeepsText)
            tokens.Add(run.nClass, run.nCode, pLine + run.nStart, run.nLength, nLine, run.nStart);
        else
            tokens.Add(run.nClass, run.nCode, NULL, 0, nLine, run.nStart);
    }
}
