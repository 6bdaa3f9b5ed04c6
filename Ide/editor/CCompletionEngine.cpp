#include "CCompletionEngine.h"

#include "ArrayUtil.h"
#include "COutline.h"

#include <ctype.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace
{
// Collects names once each: a hash set, since lists of the whole project run to
// thousands of names. The set views the names' own text, which the collected strings
// share and keep in place.
class CNameCollector
{
public:
    CNameCollector(CStringArray& names, int nExpected) : m_names(names)
    {
        m_seen.reserve((size_t)(names.GetSize() + nExpected));
        names.SetSize(names.GetSize(), std::max<INT_PTR>(16, nExpected));
        for (INT_PTR i = 0; i < names.GetSize(); i++)
            m_seen.insert(ViewOf(names[i]));
    }
    void Add(const CString& strName)
    {
        if (!strName.IsEmpty() && m_seen.insert(ViewOf(strName)).second)
            m_names.Add(strName);
    }

private:
    static std::string_view ViewOf(const CString& str) { return std::string_view(str.GetString(), (size_t)str.GetLength()); }

    CStringArray& m_names;
    std::unordered_set<std::string_view> m_seen;
};

BOOL IsListedFile(const COutlineFile* pFile, BOOL bProject)
{
    return bProject ? pFile->m_pProjectEntry != NULL : pFile->m_nFlag == 1;
}

// The nodes of one kind in the listed files: room for the names.
int CountListed(const COutline& outline, BOOL bProject, int (COutlineFile::*count)() const)
{
    int nCount = 0;
    for (int nFile = 0; nFile < outline.GetFileCount(); nFile++)
    {
        const COutlineFile* pFile = outline.GetFile(nFile);
        if (IsListedFile(pFile, bProject))
            nCount += (pFile->*count)();
    }
    return nCount;
}

int FoldCase(int ch)
{
    return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch;
}
} // namespace

void CCompletionEngine::CollectMembers(const COutlineTable* pTable, BOOL bMethods, CStringArray& names)
{
    CNameCollector collector(names, pTable != NULL ? pTable->GetMemberFunctionCount() + pTable->GetFieldCount() : 0);
    // The chains are kept free of cycles; the bound guards the walk all the same.
    for (int nDepth = 0; pTable != NULL && nDepth <= COutlineTable::MAX_BASE_CHAIN; nDepth++)
    {
        for (int i = 0; i < pTable->GetMemberFunctionCount(); i++)
        {
            const COutlineFunction* pFunction = pTable->GetMemberFunction(i);
            if ((pFunction->m_nMethod != 0) == (bMethods != FALSE))
                collector.Add(pFunction->m_strName);
        }
        if (!bMethods)
        {
            for (int i = 0; i < pTable->GetFieldCount(); i++)
                collector.Add(pTable->GetField(i)->m_strName);
        }
        pTable = pTable->GetBaseTable();
    }
}

void CCompletionEngine::CollectFunctions(const COutline& outline, BOOL bProject, CStringArray& names)
{
    CNameCollector collector(names, CountListed(outline, bProject, &COutlineFile::GetFunctionCount));
    for (int nFile = 0; nFile < outline.GetFileCount(); nFile++)
    {
        const COutlineFile* pFile = outline.GetFile(nFile);
        if (!IsListedFile(pFile, bProject))
            continue;
        for (int i = 0; i < pFile->GetFunctionCount(); i++)
        {
            const COutlineFunction* pFunction = pFile->GetFunction(i);
            if (pFunction->m_pOwner == NULL)
                collector.Add(pFunction->m_strName);
        }
    }
}

void CCompletionEngine::CollectTables(const COutline& outline, BOOL bProject, CStringArray& names)
{
    CNameCollector collector(names, CountListed(outline, bProject, &COutlineFile::GetTableCount));
    for (int nFile = 0; nFile < outline.GetFileCount(); nFile++)
    {
        const COutlineFile* pFile = outline.GetFile(nFile);
        if (!IsListedFile(pFile, bProject))
            continue;
        for (int i = 0; i < pFile->GetTableCount(); i++)
            collector.Add(pFile->GetTable(i)->m_strName);
    }
}

CString CCompletionEngine::SortAndJoin(CStringArray& names)
{
    SortStringArray(names);
    return Join(names);
}

CString CCompletionEngine::Join(const CStringArray& names)
{
    size_t nTotal = 0;
    for (INT_PTR i = 0; i < names.GetSize(); i++)
        nTotal += (size_t)names[i].GetLength() + 1;
    std::string joined;
    joined.reserve(nTotal);
    for (INT_PTR i = 0; i < names.GetSize(); i++)
    {
        if (i > 0)
            joined += ' ';
        joined.append(names[i].GetString(), (size_t)names[i].GetLength());
    }
    return CString(joined.c_str(), (int)joined.size());
}

/////////////////////////////////////////////////////////////////////////////
// Word completion

BOOL CCompletionEngine::IsWordDelimiter(int ch)
{
    ch &= 0xFF;
    if (ch == '\t' || ch == '\n' || ch == '\r' || ch == ' ')
        return TRUE;
    return ch != '_' && ch < 0x80 && ispunct(ch);
}

BOOL CCompletionEngine::IsWordChar(int ch)
{
    return COutline::IsNameChar(ch);
}

BOOL CCompletionEngine::IsDigitsOnly(LPCTSTR pszWord)
{
    if (pszWord == NULL || *pszWord == 0)
        return FALSE;
    for (; *pszWord != 0; pszWord++)
    {
        if (*pszWord < '0' || *pszWord > '9')
            return FALSE;
    }
    return TRUE;
}

int CCompletionEngine::CollectWords(const char* pText, int nLength, const char* pszTyped, BOOL bMatchCase,
                                    int nSkipStart, CString& strList)
{
    strList.Empty();
    const int nTyped = pszTyped != NULL ? (int)strlen(pszTyped) : 0;
    if (pText == NULL || nTyped == 0)
        return 0;
    // The words are views into the text until the list is joined: no string per word.
    std::unordered_set<std::string_view> seen;
    std::string joined;
    int nWords = 0;
    const int nFirst = bMatchCase ? pszTyped[0] : FoldCase((unsigned char)pszTyped[0]);
    for (int nPos = 0; nPos + nTyped <= nLength; nPos++)
    {
        const int ch = (unsigned char)pText[nPos];
        if ((bMatchCase ? ch : FoldCase(ch)) != nFirst)
            continue;
        // A word start: no word character before it.
        if (nPos > 0 && IsWordChar((unsigned char)pText[nPos - 1]))
            continue;
        int nMatched = 1;
        while (nMatched < nTyped)
        {
            const int a = (unsigned char)pText[nPos + nMatched];
            const int b = (unsigned char)pszTyped[nMatched];
            if (bMatchCase ? a != b : FoldCase(a) != FoldCase(b))
                break;
            nMatched++;
        }
        if (nMatched < nTyped || nPos == nSkipStart)
            continue;
        int nEnd = nPos;
        const int nLimit = std::min(nLength, nPos + (int)MAX_COMPLETION_WORD);
        while (nEnd < nLimit && !IsWordDelimiter((unsigned char)pText[nEnd]))
            nEnd++;
        if (nEnd - nPos <= nTyped)
            continue;
        const std::string_view word(pText + nPos, (size_t)(nEnd - nPos));
        if (!seen.insert(word).second)
            continue;
        if (nWords++ > 0)
            joined += ' ';
        joined.append(word.data(), word.size());
    }
    strList = CString(joined.c_str(), (int)joined.size());
    return nWords;
}

/////////////////////////////////////////////////////////////////////////////
// Call tips

int CCompletionEngine::FindOpenParen(const char* pszLine, int nCaretColumn)
{
    const int nLength = pszLine != NULL ? (int)strlen(pszLine) : 0;
    int nDepth = 0;
    for (int i = std::min(nCaretColumn, nLength) - 1; i >= 0; i--)
    {
        if (pszLine[i] == ')')
            nDepth++;
        else if (pszLine[i] == '(' && nDepth-- == 0)
            return i;
    }
    return -1;
}

int CCompletionEngine::CountParameter(const char* pszLine, int nStartColumn, int nCaretColumn)
{
    if (pszLine == NULL || nStartColumn < 0)
        return 0;
    const int nEnd = std::min(nCaretColumn, (int)strlen(pszLine));
    int nDepth = 0;
    int nCommas = 0;
    for (int i = nStartColumn; i < nEnd; i++)
    {
        const char ch = pszLine[i];
        if (ch == '(')
            nDepth++;
        else if (ch == ')')
            nDepth--;
        else if (ch == ',' && nDepth == 1)
            nCommas++;
    }
    return nCommas;
}

BOOL CCompletionEngine::FindParameterRange(const char* pszTip, int nParameter, int& nStart, int& nEnd)
{
    nStart = nEnd = 0;
    const char* pOpen = pszTip != NULL ? strchr(pszTip, '(') : NULL;
    if (pOpen == NULL)
        return FALSE;
    const char* p = pOpen + 1;
    for (int nSkipped = 0; nSkipped < nParameter; p++)
    {
        if (*p == 0 || *p == ')')
            return FALSE;
        if (*p == ',')
            nSkipped++;
    }
    while (*p == ' ' || *p == '\t')
        p++;
    const char* pEnd = p + strcspn(p, ",)");
    nStart = (int)(p - pszTip);
    nEnd = (int)(pEnd - pszTip);
    return TRUE;
}
