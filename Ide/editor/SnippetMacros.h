// The snippet macros ("$(SetCaret)", "$(Tab)", the project's name and the date) and the
// text operations of inserting a snippet: its pieces at CR LF and the values of one
// insertion. Window-free; the editor view places the pieces.
#pragma once

#include <afx.h>
#include <afxcoll.h>

struct SSnippetMacro
{
    const char* pszName;
    const char* pszDescription;
};

// The nine macros, in the order the macro picker adds them.
extern const SSnippetMacro g_snippetMacros[];
extern const int g_nSnippetMacroCount;
extern const char kSetCaretMacro[];

// The description of a macro; empty for a text that is none.
CString GetSnippetMacroDescription(LPCTSTR pszMacro);

// The values of one insertion, taken once: the date of one moment and the project.
struct CSnippetMacroValues
{
    CSnippetMacroValues(const CTime& now, LPCTSTR pszProjectName);

    CString m_strProjectName;
    CString m_strDay;     // 01-31
    CString m_strMonth;   // 01-12
    CString m_strMonth3;  // Jan ... Dec
    CString m_strYear;    // four digits
    CString m_strYear2;   // the last two
};

// Every macro of the piece but "$(SetCaret)" replaced by its value.
CString ExpandSnippetPieceMacros(const CString& strPiece, const CSnippetMacroValues& values);

// The text cut after each CR LF, each piece keeping its own; no empty pieces.
void SplitSnippetPieces(const CString& strText, CStringArray& pieces);

// The text with every line end (CR LF, a lone LF, a lone CR) as CR LF.
CString ToCrLfLineEnds(const CString& strText);
