#include "LuaTokenList.h"

#include <string.h>

static const char s_szNoText[] = "";

LuaTokenList::LuaTokenList()
    : m_nCount(0), m_nTextBlock(0), m_nTextUsed(0)
{
}

void LuaTokenList::RemoveAll()
{
    m_nCount = 0;
    m_nTextBlock = 0;
    m_nTextUsed = 0;
}

void LuaTokenList::FreeAll()
{
    std::vector<std::unique_ptr<LuaToken[]>>().swap(m_blocks);
    std::vector<CTextBlock>().swap(m_textBlocks);
    RemoveAll();
}

// The text goes into the block being filled, or the next one that holds it; a block
// too small for it is replaced by one of its size. Blocks are kept for the next run.
const char* LuaTokenList::CopyText(const char* pText, size_t nLength)
{
    const size_t nNeeded = nLength + 1;
    if (m_nTextBlock < m_textBlocks.size() && m_textBlocks[m_nTextBlock].nSize - m_nTextUsed < nNeeded)
    {
        m_nTextBlock++;
        m_nTextUsed = 0;
    }
    if (m_nTextBlock >= m_textBlocks.size())
        m_textBlocks.push_back(CTextBlock());
    CTextBlock& block = m_textBlocks[m_nTextBlock];
    if (block.nSize < nNeeded)
    {
        const size_t nSize = nNeeded > TEXT_BLOCK_SIZE ? nNeeded : TEXT_BLOCK_SIZE;
        block.pBytes.reset(new char[nSize]);
        block.nSize = nSize;
    }
    char* pCopy = block.pBytes.get() + m_nTextUsed;
    memcpy(pCopy, pText, nLength);
    pCopy[nLength] = 0;
    m_nTextUsed += nNeeded;
    return pCopy;
}

void LuaTokenList::Add(int nClass, int nCode, const char* pText, int nLength, int nLine, int nColumn)
{
    if (m_nCount == GetCapacity())
        m_blocks.emplace_back(new LuaToken[BLOCK_SIZE]);
    LuaToken& token = m_blocks[(size_t)m_nCount >> BLOCK_SHIFT][m_nCount & BLOCK_MASK];
    token.m_nClass = nClass;
    token.m_nCode = nCode;
    token.m_nLine = nLine;
    token.m_nColumn = nColumn;
    if (pText == NULL || nLength <= 0)
    {
        token.m_pszText = s_szNoText;
        token.m_nLength = 0;
    }
    else
    {
        token.m_pszText = CopyText(pText, (size_t)nLength);
        token.m_nLength = nLength;
    }
    m_nCount++;
}
