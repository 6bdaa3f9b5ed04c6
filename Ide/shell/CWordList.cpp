#include "CWordList.h"

#include <string.h>

void CWordList::SetText(LPCTSTR pszText)
{
    m_words.RemoveAll();
    m_strText = pszText ? pszText : "";
}

void CWordList::RemoveAll()
{
    m_words.RemoveAll();
    m_strText.Empty();
}

int CWordList::Split(LPCTSTR pszSeparators)
{
    m_words.RemoveAll();
    if (pszSeparators == NULL)
        pszSeparators = "";

    // The whole text is split: no fixed work buffer cuts a long parameter list.
    LPCTSTR p = m_strText;
    for (;;)
    {
        p += strspn(p, pszSeparators);
        if (*p == 0)
            break;
        size_t nWord = strcspn(p, pszSeparators);
        m_words.Add(CString(p, (int)nWord));
        p += nWord;
    }
    return GetCount();
}

int CWordList::SplitTrimmed(LPCTSTR pszSeparators)
{
    Split(pszSeparators);
    for (INT_PTR i = m_words.GetSize() - 1; i >= 0; i--)
    {
        CString& strWord = m_words.ElementAt(i);
        strWord.Trim(" \t");
        if (strWord.IsEmpty())
            m_words.RemoveAt(i);
    }
    return GetCount();
}

LPCTSTR CWordList::GetWord(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_words.GetAt(nIndex);
}
