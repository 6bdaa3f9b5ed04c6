#include "SnippetMacros.h"

const SSnippetMacro g_snippetMacros[] = {
    { "$(SetCaret)", "Set the caret position" },
    { "$(Tab)", "Insert tab space" },
    { "$(ProjectName)", "Insert the project name" },
    { "$(ProjectFileName)", "Insert the project file name" },
    { "$(Day)", "Insert the current day (value from 01 to 31)" },
    { "$(Month)", "Insert the current month (value from 01 to 12)" },
    { "$(Month3)", "Insert the short current month name (Jan, Feb...)" },
    { "$(Year)", "Insert the current year (4 digits)" },
    { "$(Year2)", "Insert the current year (2 digits)" },
};
const int g_nSnippetMacroCount = sizeof(g_snippetMacros) / sizeof(g_snippetMacros[0]);
const char kSetCaretMacro[] = "$(SetCaret)";

CString GetSnippetMacroDescription(LPCTSTR pszMacro)
{
    for (int i = 0; i < g_nSnippetMacroCount; i++)
    {
        if (strcmp(g_snippetMacros[i].pszName, pszMacro) == 0)
            return g_snippetMacros[i].pszDescription;
    }
    return CString();
}

CSnippetMacroValues::CSnippetMacroValues(const CTime& now, LPCTSTR pszProjectName)
    : m_strProjectName(pszProjectName)
{
    static const char* const kMonths[] = { "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    const int nMonth = now.GetMonth();
    m_strDay.Format("%02d", now.GetDay());
    m_strMonth.Format("%02d", nMonth);
    m_strMonth3 = nMonth >= 1 && nMonth <= 12 ? kMonths[nMonth - 1] : "";
    m_strYear.Format("%04d", now.GetYear());
    m_strYear2.Format("%02d", now.GetYear() % 100);
}

CString ExpandSnippetPieceMacros(const CString& strPiece, const CSnippetMacroValues& values)
{
    // "$(Month)" goes before "$(Month3)" and "$(Year)" before "$(Year2)": neither is a
    // prefix of the other, since each ends in ")".
    CString strOut = strPiece;
    strOut.Replace("$(Tab)", "\t");
    strOut.Replace("$(ProjectName)", values.m_strProjectName);
    strOut.Replace("$(ProjectFileName)", values.m_strProjectName + ".vpr");
    strOut.Replace("$(Day)", values.m_strDay);
    strOut.Replace("$(Month)", values.m_strMonth);
    strOut.Replace("$(Month3)", values.m_strMonth3);
    strOut.Replace("$(Year)", values.m_strYear);
    strOut.Replace("$(Year2)", values.m_strYear2);
    return strOut;
}

void SplitSnippetPieces(const CString& strText, CStringArray& pieces)
{
    pieces.RemoveAll();
    int nStart = 0;
    for (;;)
    {
        const int nBreak = strText.Find("\r\n", nStart);
        const int nEnd = nBreak < 0 ? strText.GetLength() : nBreak + 2;
        if (nEnd > nStart)
            pieces.Add(strText.Mid(nStart, nEnd - nStart));
        if (nBreak < 0)
            break;
        nStart = nEnd;
    }
}

CString ToCrLfLineEnds(const CString& strText)
{
    CString strOut;
    const int nLength = strText.GetLength();
    strOut.Preallocate(nLength + nLength / 16 + 2);
    for (int i = 0; i < nLength; i++)
    {
        const char ch = strText[i];
        if (ch == '\r')
        {
            strOut += "\r\n";
            if (i + 1 < nLength && strText[i + 1] == '\n')
                i++;
        }
        else if (ch == '\n')
        {
            strOut += "\r\n";
        }
        else
        {
            strOut += ch;
        }
    }
    return strOut;
}
