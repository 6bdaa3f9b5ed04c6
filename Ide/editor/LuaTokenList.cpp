#include "LuaTokenList.h"

#include <stdint.h>
#include <string.h>

static const char s_szNoText[] = "";

LuaTokenList::LuaTokenList()
    : m_nCount(0), m_nTextUsed(0), m_pTextBase(NULL)
{
}

void LuaTokenList::RemoveAll()
{
    m_nCount = 0;
    m_nTextUsed = 0;
}

void LuaTokenList::FreeAll()
{
    std::vector<LuaToken>().swap(m_tokens);
    std::vector<char>().swap(m_text);
    m_nCount = 0;
    m_nTextUsed = 0;
    m_pTextBase = NULL;
}

// The text buffer moved: every text pointer follows it (by its offset in the old one).
void LuaTokenList::RebaseTexts()
{
    const char* pNewBase = m_text.data();
    const uintptr_t nOldBase = reinterpret_cast<uintptr_t>(m_pTextBase);
    for (int i = 0; i < m_nCount; i++)
    {
        LuaToken& token = m_tokens[i];
        if (token.m_pszText != s_szNoText)
            token.m_pszText = pNewBase + (reinterpret_cast<uintptr_t>(token.m_pszText) - nOldBase);
    }
    m_pTextBase = pNewBase;
}

void LuaTokenList::Add(int nClass, int nCode, const char* pText, int nLength, int nLine, int nColumn)
{
    if (m_nCount == (int)m_tokens.size())
        m_tokens.resize(m_tokens.empty() ? 256 : m_tokens.size() * 2);
    LuaToken& token = m_tokens[m_nCount++];
    token.m_nClass = nClass;
    token.m_nCode = nCode;
    token.m_nLine = nLine;
    token.m_nColumn = nColumn;
    if (pText == NULL || nLength <= 0)
    {
        token.m_pszText = s_szNoText;
        token.m_nLength = 0;
        return;
    }

    size_t nNeeded = m_nTextUsed + (size_t)nLength + 1;
    if (nNeeded > m_text.size())
    {
        size_t nNewSize = m_text.empty() ? 4096 : m_text.size();
        while (nNewSize < nNeeded)
            nNewSize *= 2;
        m_text.resize(nNewSize);
    }
    if (m_text.data() != m_pTextBase)
    {
        token.m_pszText = s_szNoText; // not yet pointing into the buffer
        RebaseTexts();
    }
    char* pCopy = m_text.data() + m_nTextUsed;
    memcpy(pCopy, pText, (size_t)nLength);
    pCopy[nLength] = 0;
    m_nTextUsed = nNeeded;
    token.m_pszText = pCopy;
    token.m_nLength = nLength;
}
