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
        AddLineTokens(tokens, pLine, nLength, nLine);
    }
}

// Runs of one class become one token, except that each operator is its own token;
// runs of other characters and of comments become none. Names, strings and the
// underscore names of the keyword class keep their text.
void LuaTokenizer::AddLineTokens(LuaTokenList& tokens, const char* pLine, int nLength, int nLine)
{
    int nStart = 0;
    while (nStart < nLength)
    {
        int nClass = m_scanner.GetClass(nStart);
        int nEnd = nStart + 1;
        while (nEnd < nLength && m_scanner.GetClass(nEnd) == nClass &&
               !(nClass == LUA_CLASS_OPERATOR && m_scanner.IsOperatorStart(nEnd)))
            nEnd++;

        const char* pText = pLine + nStart;
        int nRun = nEnd - nStart;
        switch (nClass)
        {
        case LUA_CLASS_IDENTIFIER:
        case LUA_CLASS_STRING:
            tokens.Add(nClass, -1, pText, nRun, nLine, nStart);
            break;
        case LUA_CLASS_KEYWORD:
        {
            // A name that starts with "_" is of the keyword class but no keyword; the
            // parser takes it as a name, so it keeps its text.
            const int nKeyword = LuaLineScanner::KeywordNumber(pText, nRun);
            if (nKeyword < 0)
                tokens.Add(nClass, -1, pText, nRun, nLine, nStart);
            else
                tokens.Add(nClass, nKeyword, NULL, 0, nLine, nStart);
            break;
        }
        case LUA_CLASS_NUMBER:
            tokens.Add(nClass, -1, NULL, 0, nLine, nStart);
            break;
        case LUA_CLASS_OPERATOR:
        {
            int nMatched = 0;
            int nCode = LuaLineScanner::MatchOperator(reinterpret_cast<const unsigned char*>(pText), nRun, nMatched);
            tokens.Add(nClass, nCode, NULL, 0, nLine, nStart);
            break;
        }
        default:
            break;
        }
        nStart = nEnd;
    }
}
