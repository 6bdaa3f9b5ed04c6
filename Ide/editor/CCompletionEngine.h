// CCompletionEngine: what the editor's completion lists and call tips are made of,
// without a window: the names of a table's members up its base chain, the functions or
// tables of the project or of the definition lists, the words of a text that complete
// a typed prefix, and the parameter of a call tip the caret is in.
#pragma once

#include <afx.h>
#include <afxcoll.h>

class COutline;
class COutlineTable;

class CCompletionEngine
{
public:
    // The members of the table and of its base tables, nearest first, each name once:
    // with bMethods the methods (defined with a colon), else the fields and the member
    // functions that are no methods.
    static void CollectMembers(const COutlineTable* pTable, BOOL bMethods, CStringArray& names);
    // Over the project files (bProject) or the function-definition lists: the functions
    // that no other node encloses, or every table; each name once.
    static void CollectFunctions(const COutline& outline, BOOL bProject, CStringArray& names);
    static void CollectTables(const COutline& outline, BOOL bProject, CStringArray& names);
    // Sorted without regard to case and joined with single blanks: a completion list.
    static CString SortAndJoin(CStringArray& names);
    // Joined with single blanks in their order.
    static CString Join(const CStringArray& names);

    // Word completion.
    // Tab, LF, CR, blank and every ASCII punctuation character but "_".
    static BOOL IsWordDelimiter(int ch);
    // Characters that the word under the caret is made of (letters, digits, "_").
    static BOOL IsWordChar(int ch);
    static BOOL IsDigitsOnly(LPCTSTR pszWord);
    // How far a found word is read: the typed part and what follows it.
    enum { MAX_COMPLETION_WORD = 77 };
    // Every word of the text that starts with the typed prefix at a word start (with
    // case or without), read on to the first delimiter and longer than the prefix; the
    // occurrence that starts at nSkipStart (the caret's own word) is left out. Each
    // word once, in the order of its first occurrence, joined with single blanks into
    // strList; the number of words.
    static int CollectWords(const char* pText, int nLength, const char* pszTyped, BOOL bMatchCase, int nSkipStart,
                            CString& strList);

    // Call tips.
    // The byte column of the "(" that the caret's call opens: the last one before the
    // caret column on the line that is not closed again; -1 when there is none.
    static int FindOpenParen(const char* pszLine, int nCaretColumn);
    // The parameter the caret is at: the commas at parenthesis depth 1 from the start
    // column (the call's "(") to the caret column. 0 when the caret is not after the
    // start column.
    static int CountParameter(const char* pszLine, int nStartColumn, int nCaretColumn);
    // The range of parameter nParameter in the tip text: after its first "(", that many
    // commas on, without leading blanks, up to the next "," or ")" or the end. FALSE
    // (nothing to mark) when the tip has no "(" or a ")" comes first.
    static BOOL FindParameterRange(const char* pszTip, int nParameter, int& nStart, int& nEnd);
};
