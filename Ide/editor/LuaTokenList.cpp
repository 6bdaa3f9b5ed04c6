#include "LuaTokenList.h"

const char LuaTokenList::s_szNoText[] = "";

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

void LuaTokenList::TruncateTo(const CMark& mark)
{
    if (mark.nCount < 0 || mark.nCount > m_nCount)
        return;
    m_nCount = mark.nCount;
    m_nTextBlock = mark.nTextBlock;
    m_nTextUsed = mark.nTextUsed;
}

void LuaTokenList::FreeAll()
{
    std::vector<std::unique_ptr<LuaToken[]>>().swap(m_blocks);
    std::vector<CTextBlock>().swap(m_textBlocks);
    RemoveAll();
}

// The block being filled cannot take nNeeded more bytes (or none is open yet): the next
// one is opened, and a block too small for the text is replaced by one of its size.
// Blocks are kept for the next run.
void LuaTokenList::NextTextBlock(size_t nNeeded)
{
    if (m_nTextBlock < m_textBlocks.size())
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
}

void LuaTokenList::AddBlock()
{
    m_blocks.emplace_back(new LuaToken[BLOCK_SIZE]);
}
