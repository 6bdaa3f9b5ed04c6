#include "LuaLineScanner.h"
#include "LuaToken.h"

#include <string.h>

static inline bool IsLetter(unsigned char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
}

static inline bool IsDigit(unsigned char ch)
{
    return ch >= '0' && ch <= '9';
}

LuaLineScanner::LuaLineScanner()
    : m_pLine(NULL), m_nLength(0), m_nState(STATE_NORMAL), m_nDepth(0), m_nLevel(0), m_nPos(0),
      m_bKeepClasses(true)
{
}

// Marks the characters and records the token they belong to: a run of one class goes on
// the run before it when that ends here, an operator never does.
void LuaLineScanner::Mark(int nCount, int nClass, int nCode)
{
    if (nCount > m_nLength - m_nPos)
        nCount = m_nLength - m_nPos;
    if (m_bKeepClasses)
    {
        unsigned char* pClasses = &m_classes[(size_t)m_nPos];
        for (int i = 0; i < nCount; i++)
            pClasses[i] = (unsigned char)nClass;
    }
    if (nClass != LUA_CLASS_OTHER && nClass != LUA_CLASS_COMMENT && nCount > 0)
    {
        if (nClass != LUA_CLASS_OPERATOR && !m_runs.empty() && m_runs.back().nClass == nClass &&
            m_runs.back().nStart + m_runs.back().nLength == m_nPos)
            m_runs.back().nLength += nCount;
        else
            m_runs.push_back(CRun{ m_nPos, nCount, nClass, nCode });
    }
    m_nPos += nCount;
}

bool LuaLineScanner::At(const char* pszText) const
{
    int n = (int)strlen(pszText);
    return m_nLength - m_nPos >= n && memcmp(m_pLine + m_nPos, pszText, (size_t)n) == 0;
}

int LuaLineScanner::ScanLine(const char* pChars, int nLength, int nCarry)
{
    if (pChars == NULL || nLength < 0)
        nLength = 0;
    m_pLine = reinterpret_cast<const unsigned char*>(pChars);
    m_nLength = nLength;
    m_nState = nCarry & 0xFF;
    const bool bLevelState = m_nState == STATE_LEVEL_COMMENT || m_nState == STATE_LEVEL_STRING;
    m_nDepth = bLevelState ? 0 : nCarry >> 8;
    m_nLevel = bLevelState ? nCarry >> 8 : 0;
    m_nPos = 0;
    m_runs.clear();
    if (m_bKeepClasses && (int)m_classes.size() < nLength + 1)
        m_classes.resize((size_t)nLength + 1);

    while (m_nPos < m_nLength)
    {
        switch (m_nState)
        {
        case STATE_BLOCK_COMMENT: ScanLongBracket(LUA_CLASS_COMMENT); break;
        case STATE_LONG_STRING: ScanLongBracket(LUA_CLASS_STRING); break;
        case STATE_LEVEL_COMMENT: ScanLevelBracket(LUA_CLASS_COMMENT); break;
        case STATE_LEVEL_STRING: ScanLevelBracket(LUA_CLASS_STRING); break;
        case STATE_SINGLE_QUOTED: ScanQuoted('\''); break;
        case STATE_DOUBLE_QUOTED: ScanQuoted('"'); break;
        default: ScanNormal(); break;
        }
    }
    const bool bInComment = m_nState == STATE_BLOCK_COMMENT || m_nState == STATE_LEVEL_COMMENT;
    if (m_bKeepClasses)
        m_classes[m_nLength] = bInComment ? LUA_CLASS_COMMENT : LUA_CLASS_OTHER;
    const bool bEndsInLevel = m_nState == STATE_LEVEL_COMMENT || m_nState == STATE_LEVEL_STRING;
    return ((bEndsInLevel ? m_nLevel : m_nDepth) << 8) | m_nState;
}

void LuaLineScanner::ScanNormal()
{
    unsigned char ch = m_pLine[m_nPos];
    if (ch == ' ' || ch == '\t')
    {
        // Indentation and blanks between tokens, in one step.
        int nEnd = m_nPos + 1;
        while (nEnd < m_nLength && (m_pLine[nEnd] == ' ' || m_pLine[nEnd] == '\t'))
            nEnd++;
        Mark(nEnd - m_nPos, LUA_CLASS_OTHER);
    }
    else if (IsLetter(ch))
        ScanName();
    else if (IsDigit(ch) || (ch == '-' && m_nLength - m_nPos >= 2 && IsDigit(m_pLine[m_nPos + 1])))
        ScanNumber();
    else if (At("--"))
    {
        int nLevel = LongBracketLevel(m_nPos + 2);
        if (nLevel >= 0)
            OpenLongBracket(nLevel, 2, true);
        else
            Mark(m_nLength - m_nPos, LUA_CLASS_COMMENT);
    }
    else if (ch == '\'')
    {
        m_nState = STATE_SINGLE_QUOTED;
        Mark(1, LUA_CLASS_STRING);
    }
    else if (ch == '"')
    {
        m_nState = STATE_DOUBLE_QUOTED;
        Mark(1, LUA_CLASS_STRING);
    }
    else if (ch == '[')
    {
        int nLevel = LongBracketLevel(m_nPos);
        if (nLevel >= 0)
            OpenLongBracket(nLevel, 0, false);
        else
            ScanOperator();
    }
    else
        ScanOperator();
}

// The number of equals signs of the long bracket that opens at nAt ("[", n times "=",
// "["), or -1 when none opens there.
int LuaLineScanner::LongBracketLevel(int nAt) const
{
    if (nAt >= m_nLength || m_pLine[nAt] != '[')
        return -1;
    int nEnd = nAt + 1;
    while (nEnd < m_nLength && m_pLine[nEnd] == '=')
        nEnd++;
    const int nLevel = nEnd - nAt - 1;
    if (nEnd >= m_nLength || m_pLine[nEnd] != '[' || nLevel > MAX_CARRIED)
        return -1;
    return nLevel;
}

// Enters the long string or block comment whose bracket has nLevel equals signs and
// follows nPrefix characters ("--" of a comment).
void LuaLineScanner::OpenLongBracket(int nLevel, int nPrefix, bool bComment)
{
    if (nLevel == 0)
    {
        m_nState = bComment ? STATE_BLOCK_COMMENT : STATE_LONG_STRING;
        m_nDepth = 1;
    }
    else
    {
        m_nState = bComment ? STATE_LEVEL_COMMENT : STATE_LEVEL_STRING;
        m_nLevel = nLevel;
    }
    Mark(nPrefix + nLevel + 2, bComment ? LUA_CLASS_COMMENT : LUA_CLASS_STRING);
}

void LuaLineScanner::ScanName()
{
    int nStart = m_nPos;
    int nEnd = nStart;
    while (nEnd < m_nLength && (IsLetter(m_pLine[nEnd]) || IsDigit(m_pLine[nEnd])))
        nEnd++;
    const int nKeyword = KeywordNumber(reinterpret_cast<const char*>(m_pLine) + nStart, nEnd - nStart);
    if (nKeyword >= 0 || m_pLine[nStart] == '_')
        Mark(nEnd - nStart, LUA_CLASS_KEYWORD, nKeyword);
    else
        Mark(nEnd - nStart, LUA_CLASS_IDENTIFIER);
}

// Decimal literals only: an optional "-", digits, an optional ".", digits, and an
// exponent of "e" or "E", an optional "-" and digits. "0x1F" is the number 0 and the name x1F.
void LuaLineScanner::ScanNumber()
{
    int nEnd = m_nPos;
    if (nEnd < m_nLength && m_pLine[nEnd] == '-')
        nEnd++;
    while (nEnd < m_nLength && IsDigit(m_pLine[nEnd]))
        nEnd++;
    if (nEnd < m_nLength && m_pLine[nEnd] == '.')
        nEnd++;
    while (nEnd < m_nLength && IsDigit(m_pLine[nEnd]))
        nEnd++;
    if (nEnd < m_nLength && (m_pLine[nEnd] == 'e' || m_pLine[nEnd] == 'E'))
    {
        nEnd++;
        if (nEnd < m_nLength && m_pLine[nEnd] == '-')
            nEnd++;
        while (nEnd < m_nLength && IsDigit(m_pLine[nEnd]))
            nEnd++;
    }
    Mark(nEnd - m_nPos, LUA_CLASS_NUMBER);
}

int LuaLineScanner::MatchOperator(const unsigned char* p, int nAvailable, int& nLength)
{
    nLength = 0;
    if (p == NULL || nAvailable <= 0)
        return -1;
    unsigned char ch = p[0];
    unsigned char chNext = nAvailable >= 2 ? p[1] : 0;
    switch (ch)
    {
    case '+': nLength = 1; return LUA_OP_PLUS;
    case '-': nLength = 1; return LUA_OP_MINUS;
    case '*': nLength = 1; return LUA_OP_STAR;
    case '/': nLength = 1; return LUA_OP_SLASH;
    case '^': nLength = 1; return LUA_OP_CARET;
    case '(': nLength = 1; return LUA_OP_LPAREN;
    case ')': nLength = 1; return LUA_OP_RPAREN;
    case '{': nLength = 1; return LUA_OP_LBRACE;
    case '}': nLength = 1; return LUA_OP_RBRACE;
    case '[': nLength = 1; return LUA_OP_LBRACKET;
    case ']': nLength = 1; return LUA_OP_RBRACKET;
    case ';': nLength = 1; return LUA_OP_SEMICOLON;
    case ':': nLength = 1; return LUA_OP_COLON;
    case ',': nLength = 1; return LUA_OP_COMMA;
    case '=':
        if (chNext == '=') { nLength = 2; return LUA_OP_EQ; }
        nLength = 1; return LUA_OP_ASSIGN;
    case '~':
        if (chNext == '=') { nLength = 2; return LUA_OP_NE; }
        return -1;
    case '<':
        if (chNext == '=') { nLength = 2; return LUA_OP_LE; }
        nLength = 1; return LUA_OP_LT;
    case '>':
        if (chNext == '=') { nLength = 2; return LUA_OP_GE; }
        nLength = 1; return LUA_OP_GT;
    case '.':
        if (chNext == '.')
        {
            if (nAvailable >= 3 && p[2] == '.') { nLength = 3; return LUA_OP_ELLIPSIS; }
            nLength = 2; return LUA_OP_CONCAT;
        }
        nLength = 1; return LUA_OP_DOT;
    default:
        return -1;
    }
}

void LuaLineScanner::ScanOperator()
{
    int nLength = 0;
    const int nCode = MatchOperator(m_pLine + m_nPos, m_nLength - m_nPos, nLength);
    if (nCode < 0)
        Mark(1, LUA_CLASS_OTHER);
    else
        Mark(nLength, LUA_CLASS_OPERATOR, nCode);
}

// Block comments and long strings share one depth counter: every "[[" inside nests and
// the "]]" that brings the depth back to 0 ends them.
void LuaLineScanner::ScanLongBracket(int nClass)
{
    // Plain text up to the next bracket is marked in one step.
    int nEnd = m_nPos;
    while (nEnd < m_nLength && m_pLine[nEnd] != '[' && m_pLine[nEnd] != ']')
        nEnd++;
    if (nEnd > m_nPos)
    {
        Mark(nEnd - m_nPos, nClass);
        return;
    }
    if (At("[["))
    {
        if (m_nDepth < MAX_CARRIED)
            m_nDepth++;
        Mark(2, nClass);
    }
    else if (At("]]"))
    {
        if (--m_nDepth <= 0)
        {
            m_nDepth = 0;
            m_nState = STATE_NORMAL;
        }
        Mark(2, nClass);
    }
    else
        Mark(1, nClass);
}

// A bracket with equals signs ends at the first "]" with as many equals signs and "]";
// nothing inside nests.
void LuaLineScanner::ScanLevelBracket(int nClass)
{
    int nEnd = m_nPos;
    while (nEnd < m_nLength && m_pLine[nEnd] != ']')
        nEnd++;
    if (nEnd > m_nPos)
    {
        Mark(nEnd - m_nPos, nClass);
        return;
    }
    const int nClose = m_nLevel + 2;
    int nEquals = 0;
    while (nEquals < m_nLevel && m_nPos + 1 + nEquals < m_nLength && m_pLine[m_nPos + 1 + nEquals] == '=')
        nEquals++;
    if (nEquals == m_nLevel && m_nPos + nClose <= m_nLength && m_pLine[m_nPos + nClose - 1] == ']')
    {
        m_nState = STATE_NORMAL;
        m_nLevel = 0;
        Mark(nClose, nClass);
    }
    else
        Mark(1, nClass);
}

// A backslash escapes only another backslash or the closing quote; a string that is not
// closed on its line goes on on the next one.
void LuaLineScanner::ScanQuoted(unsigned char chQuote)
{
    int nEnd = m_nPos;
    while (nEnd < m_nLength && m_pLine[nEnd] != chQuote && m_pLine[nEnd] != '\\')
        nEnd++;
    if (nEnd > m_nPos)
    {
        Mark(nEnd - m_nPos, LUA_CLASS_STRING);
        return;
    }
    if (m_pLine[m_nPos] == '\\')
    {
        bool bPair = m_nLength - m_nPos >= 2 && (m_pLine[m_nPos + 1] == '\\' || m_pLine[m_nPos + 1] == chQuote);
        Mark(bPair ? 2 : 1, LUA_CLASS_STRING);
        return;
    }
    m_nState = STATE_NORMAL;
    Mark(1, LUA_CLASS_STRING);
}

// The 21 keywords in alphabetical order, so that a keyword's index is its number, and
// their lengths.
static const char* const s_keywords[LUA_KEYWORD_COUNT] = {
    "and", "break", "do", "else", "elseif", "end", "false", "for", "function", "if", "in",
    "local", "nil", "not", "or", "repeat", "return", "then", "true", "until", "while"
};
static const unsigned char s_keywordLengths[LUA_KEYWORD_COUNT] = {
    3, 5, 2, 4, 6, 3, 5, 3, 8, 2, 2, 5, 3, 3, 2, 6, 6, 4, 4, 5, 5
};

// Every name is looked up, so only the keywords of its first letter are compared.
int LuaLineScanner::KeywordNumber(const char* p, int n)
{
    if (p == NULL || n < 2 || n > 8)
        return -1;
    int nFirst = 0, nLast = -1;
    switch (p[0])
    {
    case 'a': nFirst = nLast = LUA_KW_AND; break;
    case 'b': nFirst = nLast = LUA_KW_BREAK; break;
    case 'd': nFirst = nLast = LUA_KW_DO; break;
    case 'e': nFirst = LUA_KW_ELSE; nLast = LUA_KW_END; break;
    case 'f': nFirst = LUA_KW_FALSE; nLast = LUA_KW_FUNCTION; break;
    case 'i': nFirst = LUA_KW_IF; nLast = LUA_KW_IN; break;
    case 'l': nFirst = nLast = LUA_KW_LOCAL; break;
    case 'n': nFirst = LUA_KW_NIL; nLast = LUA_KW_NOT; break;
    case 'o': nFirst = nLast = LUA_KW_OR; break;
    case 'r': nFirst = LUA_KW_REPEAT; nLast = LUA_KW_RETURN; break;
    case 't': nFirst = LUA_KW_THEN; nLast = LUA_KW_TRUE; break;
    case 'u': nFirst = nLast = LUA_KW_UNTIL; break;
    case 'w': nFirst = nLast = LUA_KW_WHILE; break;
    default: return -1;
    }
    // Every name is looked up: the first letter matched already, the rest is compared
    // here rather than through a library call.
    for (int i = nFirst; i <= nLast; i++)
    {
        if (s_keywordLengths[i] != n)
            continue;
        const char* pszKeyword = s_keywords[i];
        int j = 1;
        while (j < n && pszKeyword[j] == p[j])
            j++;
        if (j == n)
            return i;
    }
    return -1;
}
