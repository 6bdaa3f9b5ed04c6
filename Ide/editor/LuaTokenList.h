// LuaTokenList: the tokens of one text, in text order. It keeps its records and the bytes
// of their texts between runs, so re-tokenizing a document on the editor's timer costs no
// allocation per token.
#pragma once

#include "LuaToken.h"

#include <stddef.h>
#include <vector>

class LuaTokenList
{
public:
    LuaTokenList();

    int GetCount() const { return m_nCount; }
    // The token at the index; NULL outside 0..GetCount() - 1.
    const LuaToken* GetAt(int nIndex) const
    {
        return (nIndex >= 0 && nIndex < m_nCount) ? &m_tokens[nIndex] : NULL;
    }

    // Empties the list; its storage is kept for the next run.
    void RemoveAll();
    // Appends a token; pText/nLength is copied (classes without text pass NULL, 0).
    // Token pointers stay valid from the end of one run of appends to the next RemoveAll.
    void Add(int nClass, int nCode, const char* pText, int nLength, int nLine, int nColumn);
    // Releases the storage as well.
    void FreeAll();

private:
    std::vector<LuaToken> m_tokens;
    int m_nCount;
    std::vector<char> m_text;   // the texts, each followed by a zero byte
    size_t m_nTextUsed;
    const char* m_pTextBase;   // where the texts' pointers point into

    void RebaseTexts();

    LuaTokenList(const LuaTokenList&) = delete;
    LuaTokenList& operator=(const LuaTokenList&) = delete;
};
