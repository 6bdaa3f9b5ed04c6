// CWordList: a text and the words split from it at a set of separator characters.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class CWordList
{
public:
    CWordList() {}

    // Drops the words and keeps a copy of the text.
    void SetText(LPCTSTR pszText);
    LPCTSTR GetText() const { return m_strText; }

    // Splits the text at any of the separator characters; runs of separators count as
    // one and leading or trailing ones give no empty words. Returns the number of words.
    int Split(LPCTSTR pszSeparators);
    // The same, and blanks and tabs around each word are dropped; a word of blanks only
    // gives no word.
    int SplitTrimmed(LPCTSTR pszSeparators);

    // The word at the index, or NULL when the index is outside 0..GetCount() - 1.
    LPCTSTR GetWord(int nIndex) const;
    int GetCount() const { return (int)m_words.GetSize(); }

    void RemoveAll();

private:
    CString m_strText;
    CStringArray m_words;

    CWordList(const CWordList&) = delete;
    CWordList& operator=(const CWordList&) = delete;
};
