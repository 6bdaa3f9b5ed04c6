// COutline: parsers of single lines of text: cleaning a line, one line of a
// function-definition list, and the text before the caret.
#include "COutline.h"

#include <string.h>

BOOL COutline::IsNameChar(int ch)
{
    ch &= 0xFF;
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
}

void COutline::TrimLeft(CString& strText)
{
    strText.TrimLeft(" \t");
}

void COutline::TrimRight(CString& strText)
{
    strText.TrimRight(" \t");
}

// A line that opens a block comment is not cut.
void COutline::StripComment(CString& strText)
{
    int nComment = strText.Find("--");
    if (nComment >= 0 && strncmp((LPCTSTR)strText + nComment, "--[[", 4) != 0)
        strText.Truncate(nComment);
}

void COutline::CleanLine(CString& strText, BOOL bStripComment)
{
    TrimLeft(strText);
    if (bStripComment)
        StripComment(strText);
    TrimRight(strText);
    strText.TrimRight("\n\r\t");
}

CString COutline::GetHead(LPCTSTR pszText)
{
    if (pszText == NULL)
        return CString();
    const char* pOpen = strchr(pszText, '(');
    return pOpen ? CString(pszText, (int)(pOpen - pszText)) : CString(pszText);
}

CString COutline::GetArguments(LPCTSTR pszText)
{
    if (pszText == NULL)
        return CString();
    const char* pOpen = strchr(pszText, '(');
    const char* pClose = strrchr(pszText, ')');
    if (pOpen == NULL || pClose == NULL || pClose < pOpen)
        return CString();
    return CString(pOpen + 1, (int)(pClose - pOpen - 1));
}

static bool IsReservedWord(LPCTSTR pszWord)
{
    return strcmp(pszWord, "local") == 0 || strcmp(pszWord, "function") == 0;
}

// "name", "table.name" or "table:name" of name characters; FALSE for any other shape.
static BOOL SplitQualifiedName(LPCTSTR pszQualified, CString& strTable, CString& strName, BOOL& bMethod,
                               BOOL& bHasTable)
{
    bMethod = bHasTable = FALSE;
    strTable.Empty();
    const char* pStart = pszQualified;
    const char* p = pszQualified;
    for (; *p != 0; p++)
    {
        if (COutline::IsNameChar(*p))
            continue;
        if ((*p != '.' && *p != ':') || bHasTable)
            return FALSE;
        bHasTable = TRUE;
        bMethod = *p == ':';
        strTable = CString(pStart, (int)(p - pStart));
        pStart = p + 1;
    }
    strName = CString(pStart, (int)(p - pStart));
    return !strName.IsEmpty();
}

COutlineFunction* COutline::ParseDefinitionLine(COutlineFile* pFile, LPCTSTR pszLine, BOOL bRequireFunctionKeyword,
                                                BOOL bCreateTables)
{
    if (pFile == NULL || pszLine == NULL)
        return NULL;
    CString strHead = GetHead(pszLine);
    CString strArguments = GetArguments(pszLine);

    // [prefix | "function" | "local function"] qualified-name
    CWordList words;
    words.SetText(strHead);
    int nWords = words.Split(" \t");
    LPCTSTR pszQualified = NULL;
    CString strPrefix;
    BOOL bLocal = FALSE;
    switch (nWords)
    {
    case 1:
        pszQualified = words.GetWord(0);
        break;
    case 2:
        if (strcmp(words.GetWord(0), "function") != 0)
        {
            if (bRequireFunctionKeyword)
                return NULL;
            strPrefix = words.GetWord(0);
        }
        pszQualified = words.GetWord(1);
        break;
    case 3:
        if (strcmp(words.GetWord(0), "local") != 0 || strcmp(words.GetWord(1), "function") != 0)
            return NULL;
        bLocal = TRUE;
        pszQualified = words.GetWord(2);
        break;
    default:
        return NULL;
    }
    if (IsReservedWord(pszQualified))
        return NULL;

    CString strTable, strName;
    BOOL bMethod = FALSE, bHasTable = FALSE;
    if (!SplitQualifiedName(pszQualified, strTable, strName, bMethod, bHasTable))
        return NULL;

    COutlineFunction* pFunction = NULL;
    if (bHasTable)
    {
        if (bLocal)
            return NULL; // a local function cannot be a member
        COutlineTable* pTable = FindTable(strTable, pFile);
        if (pTable == NULL && bCreateTables)
            pTable = AddTable(strTable, NULL, pFile);
        if (pTable == NULL)
            return NULL;
        pFunction = AddMemberFunction(strName, pTable, bMethod, 0, NULL, pFile);
    }
    else
        pFunction = AddFunction(strName, bLocal, NULL, pFile);
    if (pFunction == NULL)
        return NULL;

    pFunction->SetParameters(strArguments);
    pFunction->m_nFlag = bLocal ? 1 : 0;
    pFunction->m_strPrefix = strPrefix;
    return pFunction;
}

// ---------------------------------------------------------------------------------------
// The text before the caret

CString COutline::GetTextBeforeCaret(CLineSource& source, int nLine, int nColumn)
{
    int nLength = 0;
    const char* pLine = source.GetLine(nLine, nLength);
    if (pLine == NULL || nColumn <= 0)
        return CString();
    if (nColumn < nLength)
        nLength = nColumn;
    while (nLength > 0 && (pLine[nLength - 1] == '\n' || pLine[nLength - 1] == '\r'))
        nLength--;
    return CString(pLine, nLength);
}

// The run of name characters at the end of the text, and where it starts.
static CString NameAtEnd(const CString& strText, int& nStart)
{
    nStart = strText.GetLength();
    while (nStart > 0 && COutline::IsNameChar(strText[nStart - 1]))
        nStart--;
    return strText.Mid(nStart);
}

// The text before the caret, cleaned of blanks, a line comment and line ends.
static CString CleanCaretText(LPCTSTR pszText)
{
    CString strText(pszText ? pszText : "");
    COutline::CleanLine(strText, TRUE);
    return strText;
}

// Splits "table.member" / "table:member" at the end of the text (blanks are allowed
// around the separator). FALSE when the text ends with no member name; without a
// separator strTable stays empty.
static BOOL SplitAccessAtEnd(const CString& strText, CString& strTable, BOOL& bHasSeparator, BOOL& bMethod,
                             CString& strMember)
{
    int nStart = 0;
    strMember = NameAtEnd(strText, nStart);
    strTable.Empty();
    bHasSeparator = bMethod = FALSE;
    if (strMember.IsEmpty())
        return FALSE;
    CString strBefore = strText.Left(nStart);
    COutline::TrimRight(strBefore);
    int nLength = strBefore.GetLength();
    if (nLength == 0 || (strBefore[nLength - 1] != '.' && strBefore[nLength - 1] != ':'))
        return TRUE;
    bHasSeparator = TRUE;
    bMethod = strBefore[nLength - 1] == ':';
    strBefore.Truncate(nLength - 1);
    COutline::TrimRight(strBefore);
    strTable = NameAtEnd(strBefore, nStart);
    return TRUE;
}

COutlineTable* COutline::FindTableFileFirst(LPCTSTR pszName, COutlineFile* pFile) const
{
    COutlineTable* pTable = pFile ? FindTable(pszName, pFile) : NULL;
    return pTable ? pTable : FindTable(pszName, NULL);
}

COutlineTable* COutline::FindTableBeforeCaret(LPCTSTR pszText, COutlineFile* pFile) const
{
    int nStart = 0;
    CString strName = NameAtEnd(CleanCaretText(pszText), nStart);
    if (strName.IsEmpty())
        return NULL;
    return FindTableFileFirst(strName, pFile);
}

int COutline::IsSelfBeforeCaret(LPCTSTR pszText)
{
    int nStart = 0;
    return NameAtEnd(CleanCaretText(pszText), nStart) == "self" ? 1 : 0;
}

int COutline::ParseMemberAccess(LPCTSTR pszText, CString& strTable, BOOL& bMethod, CString& strMember)
{
    BOOL bHasSeparator = FALSE;
    if (!SplitAccessAtEnd(CleanCaretText(pszText), strTable, bHasSeparator, bMethod, strMember) || !bHasSeparator ||
        strTable.IsEmpty())
        return -1;
    return strTable == "self" ? 1 : 0;
}

COutlineFunction* COutline::FindFunctionForCallTip(LPCTSTR pszText, COutlineFile* pFile, COutlineNode* pScope) const
{
    // The call the caret is in opens at the last "(" that is not closed again; text
    // that holds none is the text up to that "(".
    CString strText = CleanCaretText(pszText);
    int nDepth = 0;
    for (int i = strText.GetLength() - 1; i >= 0; i--)
    {
        if (strText[i] == ')')
            nDepth++;
        else if (strText[i] == '(' && nDepth-- == 0)
        {
            strText.Truncate(i);
            TrimRight(strText);
            break;
        }
    }

    CString strTable, strName;
    BOOL bHasSeparator = FALSE, bMethod = FALSE;
    if (!SplitAccessAtEnd(strText, strTable, bHasSeparator, bMethod, strName))
        return NULL;
    if (bHasSeparator)
    {
        if (strTable.IsEmpty())
            return NULL;
        COutlineTable* pTable = FindTableFileFirst(strTable, pFile);
        return pTable ? FindMethod(strName, pTable) : NULL;
    }
    COutlineFunction* pFunction = FindFunction(strName, NULL);
    if (pFunction == NULL && pScope != NULL)
        pFunction = FindFunctionInScope(strName, pScope, pFile);
    return pFunction;
}
