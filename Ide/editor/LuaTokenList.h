// LuaTokenList: the tokens of one text, in text order. It keeps its records and the bytes
// of their texts between runs, so re-tokenizing a document on the editor's timer costs no
// allocation per token. Both are kept in blocks that never move: a growing list copies
// nothing, and touches no memory twice.
#pragma once

#include "LuaToken.h"

#include <stddef.h>
#include <string.h>
#include <memory>
#include <vector>

class LuaTokenList
{
public:
    LuaTokenList();

    int GetCount() const { return m_nCount; }
    // The token at the index; NULL outside 0..GetCount() - 1.
    const LuaToken* GetAt(int nIndex) const
    {
        return (nIndex >= 0 && nIndex < m_nCount) ? &m_blocks[(size_t)nIndex >> BLOCK_SHIFT][nIndex & BLOCK_MASK]
                                                  : NULL;
    }

    // Empties the list; its storage is kept for the next run.
    void RemoveAll();
    // Appends a token; pText/nLength is copied (classes without text pass NULL, 0).
    // Token pointers stay valid until the next RemoveAll.
    void Add(int nClass, int nCode, const char* pText, int nLength, int nLine, int nColumn)
    {
        if (m_nCount == GetCapacity())
            AddBlock();
        LuaToken& token = m_blocks[(size_t)m_nCount >> BLOCK_SHIFT][m_nCount & BLOCK_MASK];
        token.m_nClass = (short)nClass;
        token.m_nCode = (short)nCode;
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
    // Releases the storage as well.
    void FreeAll();

    // A place in the list: its count and how much of the text storage was used then.
    struct CMark
    {
        int nCount;
        size_t nTextBlock;
        size_t nTextUsed;
    };
    CMark GetMark() const { return CMark{ m_nCount, m_nTextBlock, m_nTextUsed }; }
    // Drops the tokens added after the mark (of this list, taken since the last
    // RemoveAll), with their texts; the earlier ones stay as they are.
    void TruncateTo(const CMark& mark);
    // The number of tokens the kept storage holds without growing.
    int GetCapacity() const { return (int)(m_blocks.size() << BLOCK_SHIFT); }

private:
    enum { BLOCK_SHIFT = 12, BLOCK_SIZE = 1 << BLOCK_SHIFT, BLOCK_MASK = BLOCK_SIZE - 1 };
    enum { TEXT_BLOCK_SIZE = 64 * 1024 };

    struct CTextBlock
    {
        std::unique_ptr<char[]> pBytes;
        size_t nSize;
    };

    std::vector<std::unique_ptr<LuaToken[]>> m_blocks; // BLOCK_SIZE tokens each
    int m_nCount;
    std::vector<CTextBlock> m_textBlocks; // the texts, each followed by a zero byte
    size_t m_nTextBlock;                  // the block being filled
    size_t m_nTextUsed;                   // bytes used of it

    static const char s_szNoText[];

    void AddBlock();
    // The text goes into the block being filled when it fits; else NextTextBlock finds one.
    const char* CopyText(const char* pText, size_t nLength)
    {
        const size_t nNeeded = nLength + 1;
        if (m_nTextBlock >= m_textBlocks.size() || m_textBlocks[m_nTextBlock].nSize - m_nTextUsed < nNeeded)
            NextTextBlock(nNeeded);
        char* pCopy = m_textBlocks[m_nTextBlock].pBytes.get() + m_nTextUsed;
        memcpy(pCopy, pText, nLength);
        pCopy[nLength] = 0;
        m_nTextUsed += nNeeded;
        return pCopy;
    }
    void NextTextBlock(size_t nNeeded);

    LuaTokenList(const LuaTokenList&) = delete;
    LuaTokenList& operator=(const LuaTokenList&) = delete;
};
