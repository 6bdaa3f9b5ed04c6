#include "LuaTokenCache.h"

#include "LuaTokenizer.h"

#include <algorithm>

void LuaTokenCache::Clear()
{
    m_lines.clear();
    m_checkpoints.clear();
    m_nSourceLines = -1;
    m_nNextCarry = 0;
    m_end = LuaTokenList::CMark{};
}

void LuaTokenCache::TokenizeTo(LuaTokenList& tokens, CLineSource& source, int nLastLine)
{
    const int nLineCount = source.GetLineCount();
    if (nLastLine < 0 || nLastLine >= nLineCount)
        nLastLine = nLineCount - 1;
    // Another source, or a list emptied or refilled behind the cache's back.
    if ((m_nSourceLines >= 0 && nLineCount != m_nSourceLines) || tokens.GetCount() < m_end.nCount)
        Clear();
    m_nSourceLines = nLineCount;
    if (m_lines.empty())
        tokens.RemoveAll();

    const int nWanted = nLastLine + 1;
    if ((int)m_lines.size() > nWanted)
    {
        // Lines past the one asked for are dropped: the searches read the list to its end.
        m_end = m_lines[(size_t)nWanted].mark;
        m_nNextCarry = m_lines[(size_t)nWanted].nCarry;
        m_lines.resize((size_t)nWanted);
    }
    // The tokens of lines no longer held (dropped, or edited) go before new ones come.
    if (tokens.GetCount() > m_end.nCount)
        tokens.TruncateTo(m_end);
    LuaTokenizer tokenizer;
    for (int nLine = (int)m_lines.size(); nLine < nWanted; nLine++)
    {
        m_lines.push_back(CLineStart{ tokens.GetMark(), m_nNextCarry });
        m_nNextCarry = tokenizer.TokenizeLine(tokens, source, nLine, m_nNextCarry);
    }
    m_end = tokens.GetMark();
    // Checkpoints past the list's end belong to lines no longer held.
    const int nCount = tokens.GetCount();
    while (!m_checkpoints.empty() && m_checkpoints.back() >= nCount)
        m_checkpoints.pop_back();
}

void LuaTokenCache::ForgetFromLine(int nLine)
{
    if (nLine < 0)
        nLine = 0;
    m_nSourceLines = -1; // the edit may change the line count: taken afresh next time
    if (nLine >= (int)m_lines.size())
        return;
    const CLineStart start = m_lines[(size_t)nLine];
    m_lines.resize((size_t)nLine);
    m_nNextCarry = start.nCarry;
    m_end = start.mark;
    // A checkpoint at the line's first token stays: the parse had read nothing of the
    // line when it stood there.
    while (!m_checkpoints.empty() && m_checkpoints.back() > start.mark.nCount)
        m_checkpoints.pop_back();
}

int LuaTokenCache::CheckpointAtOrBefore(int nToken) const
{
    const std::vector<int>::const_iterator it = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), nToken);
    return it == m_checkpoints.begin() ? 0 : *(it - 1);
}

void LuaTokenCache::AddCheckpoint(int nToken)
{
    if (m_checkpoints.empty() || nToken > m_checkpoints.back())
        m_checkpoints.push_back(nToken);
}
