// The XHTML 1.0 Transitional writer: a style sheet with one class per Lua style and
// the text with each style run in a span of its class, either as it looks in the
// editor (its font, blanks kept with &nbsp;, <br /> line ends) or as preformatted
// text. With folding, each line starts with a toggle or a spacer and each fold is a
// span that the toggle of its header line shows and hides. The file is pure ASCII.
#include "Exporters.h"

#include "CExportFile.h"
#include "ExportSupport.h"
#include "PathUtil.h"

#include <Scintilla.h>

using namespace ExportSupport;

namespace
{
const int kStyleCount = 256;
const int kRuleStyleCount = 128;
const char kGenerator[] = "Vorn 1.0.1";
const int kControlPictures = 0x2400; // U+2400 + n shows control character n

// Styles 33-39 are the control's own (line numbers, brace highlights, ...).
bool IsPredefinedStyle(int nStyle)
{
    return nStyle > STYLE_DEFAULT && nStyle < 40;
}

// The font name as a CSS string: quotes, backslashes, markup and anything outside
// printable ASCII as CSS escapes, which read the same to XML and HTML parsers.
CString CssFontName(const CString& strName)
{
    CString strOut;
    const int nLength = strName.GetLength();
    for (int i = 0; i < nLength; i++)
    {
        const BYTE b = static_cast<BYTE>(strName[i]);
        if (b >= 0x20 && b < 0x7F && b != '\'' && b != '\\' && b != '<' && b != '&' && b != '>')
        {
            strOut += static_cast<char>(b);
            continue;
        }
        const int nBytes = ::IsDBCSLeadByte(b) && i + 1 < nLength ? 2 : 1;
        CString strEscape;
        strEscape.Format("\\%x ", CodePointOfBytes(strName.GetString() + i, nBytes));
        strOut += strEscape;
        i += nBytes - 1;
    }
    return strOut;
}

class CXhtmlWriter
{
public:
    CXhtmlWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings);
    void Write(LPCTSTR pszDocumentPath);

private:
    CExportFile& m_out;
    IStyledText& m_text;
    const CAppSettings& m_settings;
    BOOL m_bWysiwyg;
    BOOL m_bTabs;
    BOOL m_bFolding;
    int m_nTabSize;
    bool m_bHasRule[kStyleCount];

    int m_nSpanStyle;     // style of the open style span, -1 for none
    int m_nLine;          // 0-based
    int m_nColumn;
    bool m_bLineStart;    // nothing of the line's text written yet
    bool m_bAfterBlank;   // the last character was a blank or a tab
    int m_nFoldLevel;     // of the line before
    int m_nOpenFolds;

    void FindRules();
    void WriteHead(LPCTSTR pszDocumentPath);
    void WriteStyleRules();
    void WriteBody();
    void StartLine();
    void EndLine();
    void SetSpanStyle(int nStyle);
    void WriteBlank();
    void WriteTab();
    void WriteCharacter(int nPos, int nLength, int& nBytes);
};

CXhtmlWriter::CXhtmlWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings)
    : m_out(out), m_text(text), m_settings(settings), m_bWysiwyg(settings.m_nExportHTMLWYSIWYG),
      m_bTabs(settings.m_nExportHTMLTabs), m_bFolding(settings.m_nExportHTMLFolding),
      m_nTabSize(TabSize(settings, 4)), m_nSpanStyle(-1), m_nLine(0), m_nColumn(0), m_bLineStart(true),
      m_bAfterBlank(false), m_nFoldLevel(0), m_nOpenFolds(0)
{
}

void CXhtmlWriter::FindRules()
{
    const BOOL bOnlyUsed = m_settings.m_nExportHTMLOnlyStylesUsed;
    bool bUsed[kStyleCount] = {};
    if (bOnlyUsed)
    {
        const int nLength = m_text.GetLength();
        for (int nPos = 0; nPos < nLength; nPos++)
            bUsed[m_text.GetStyleAt(nPos) & 0xFF] = true;
    }
    for (int nStyle = 0; nStyle < kStyleCount; nStyle++)
        m_bHasRule[nStyle] = nStyle < kRuleStyleCount && !IsPredefinedStyle(nStyle)
                             && (!bOnlyUsed || bUsed[nStyle] || nStyle == STYLE_DEFAULT);
}

void CXhtmlWriter::Write(LPCTSTR pszDocumentPath)
{
    FindRules();
    WriteHead(pszDocumentPath);
    WriteBody();
}

void CXhtmlWriter::WriteHead(LPCTSTR pszDocumentPath)
{
    const CString strPath(pszDocumentPath);
    CString strTitle;
    AppendXmlEscaped(strTitle, m_settings.m_nExportHTMLTitleFullPath ? strPath : FileNameOfPath(strPath), FALSE);
    m_out.Write("<!DOCTYPE html  PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n");
    m_out.Write("<html xmlns=\"http://www.w3.org/1999/xhtml\">\n");
    m_out.Write("<head>\n");
    m_out.Format("<title>%s</title>\n", (LPCTSTR)strTitle);
    m_out.Format("<meta name=\"GENERATOR\" content=\"%s\" />\n", kGenerator);
    // Every byte written is ASCII, which reads the same as UTF-8.
    m_out.Write("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\n");
    if (m_bFolding)
    {
        m_out.Write("<script type=\"text/javascript\">\n"
                    "function toggle(thisid) {\n"
                    "\tvar thislayer = document.getElementById(thisid);\n"
                    "\tif (thislayer.style.display == 'none') {\n"
                    "\t\tthislayer.style.display = 'block';\n"
                    "\t} else {\n"
                    "\t\tthislayer.style.display = 'none';\n"
                    "\t}\n"
                    "}\n"
                    "</script>\n");
    }
    WriteStyleRules();
    m_out.Write("</head>\n");
    m_out.Format("<body bgcolor=\"%s\">\n",
                 (LPCTSTR)HtmlColour(m_settings.m_FandC[CAppSettings::FandCDefault].m_nBackClr));
}

void CXhtmlWriter::WriteStyleRules()
{
    const CAppSettings::CStyleSetting& def = m_settings.m_FandC[CAppSettings::FandCDefault];
    const CString strFont = CssFontName(m_settings.m_strFandCFont);
    m_out.Write("<style type=\"text/css\">\n");
    for (int nStyle = 0; nStyle < kRuleStyleCount; nStyle++)
    {
        if (!m_bHasRule[nStyle])
            continue;
        const int nEntry = ColourEntryOfStyle(nStyle);
        // Styles the settings do not colour look like the default.
        const CAppSettings::CStyleSetting& entry = nEntry == NO_ENTRY ? def : m_settings.m_FandC[nEntry];
        if (nStyle == STYLE_DEFAULT)
            m_out.Write("span {\n");
        else
            m_out.Format(".S%0d {\n", nStyle);
        if (nEntry != NO_ENTRY && entry.m_nBold)
            m_out.Write("\tfont-weight: bold;\n");
        if (m_bWysiwyg)
        {
            m_out.Format("\tfont-family: '%s';\n", (LPCTSTR)strFont);
            m_out.Format("\tfont-size: %0dpt;\n", m_settings.m_nFandCSize);
        }
        m_out.Format("\tcolor: %s;\n", (LPCTSTR)HtmlColour(entry.m_nForeClr));
        m_out.Format("\tbackground: %s;\n", (LPCTSTR)HtmlColour(entry.m_nBackClr));
        m_out.Write("}\n");
    }
    m_out.Write("</style>\n");
}

void CXhtmlWriter::WriteBody()
{
    m_out.Write(m_bWysiwyg ? "<span>" : "<pre>");
    const int nLength = m_text.GetLength();
    if (m_bFolding)
        m_nFoldLevel = m_text.GetFoldLevel(0) & SC_FOLDLEVELNUMBERMASK;
    StartLine();
    for (int nPos = 0; nPos < nLength; nPos++)
    {
        const char c = static_cast<char>(m_text.GetCharAt(nPos));
        if (c == '\r' || c == '\n')
        {
            if (c == '\r' && nPos + 1 < nLength && m_text.GetCharAt(nPos + 1) == '\n')
                nPos++;
            EndLine();
            m_nLine++;
            StartLine();
            continue;
        }
        SetSpanStyle(m_text.GetStyleAt(nPos));
        int nBytes = 1;
        if (c == ' ')
            WriteBlank();
        else if (c == '\t')
            WriteTab();
        else
        {
            WriteCharacter(nPos, nLength, nBytes);
            m_bAfterBlank = false;
            m_nColumn += nBytes;
            nPos += nBytes - 1;
        }
        m_bLineStart = false;
    }
    SetSpanStyle(-1);
    for (; m_nOpenFolds > 0; m_nOpenFolds--)
        m_out.Write("</span>");
    m_out.Write(m_bWysiwyg ? "</span>" : "</pre>");
    m_out.Write("\n</body>\n</html>\n");
}

void CXhtmlWriter::StartLine()
{
    m_nColumn = 0;
    m_bLineStart = true;
    m_bAfterBlank = false;
    if (!m_bFolding)
        return;
    const int nLevelWord = m_text.GetFoldLevel(m_nLine);
    const int nLevel = nLevelWord & SC_FOLDLEVELNUMBERMASK;
    // One block per level gained and one closed per level lost: a line can open or
    // close several folds at once ("function f() if x then").
    for (int nLost = m_nFoldLevel - nLevel; nLost > 0 && m_nOpenFolds > 0; nLost--, m_nOpenFolds--)
        m_out.Write("</span>");
    for (int nGained = 0; nGained < nLevel - m_nFoldLevel; nGained++, m_nOpenFolds++)
    {
        // The first block is the one the header line above toggles.
        if (nGained == 0)
            m_out.Format("<span id=\"ln%d\">", m_nLine);
        else
            m_out.Format("<span id=\"ln%d_%d\">", m_nLine, nGained + 1);
    }
    m_nFoldLevel = nLevel;
    if (nLevelWord & SC_FOLDLEVELHEADERFLAG)
        m_out.Format("<span onclick=\"toggle('ln%d')\">-</span> ", m_nLine + 1);
    else
        m_out.Write("&nbsp; ");
}

void CXhtmlWriter::EndLine()
{
    // With folding no style span crosses a line end, so none straddles a fold block.
    if (m_bFolding)
        SetSpanStyle(-1);
    m_out.Write(m_bWysiwyg ? "<br />\n" : "\n");
}

void CXhtmlWriter::SetSpanStyle(int nStyle)
{
    if (nStyle >= 0 && !m_bHasRule[nStyle & 0xFF])
        nStyle = -1;
    if (nStyle == STYLE_DEFAULT)
        nStyle = -1; // the span rule styles every span already
    if (nStyle == m_nSpanStyle)
        return;
    if (m_nSpanStyle >= 0)
        m_out.Write("</span>");
    if (nStyle >= 0)
    {
        m_out.Write("<span class=\"S");
        m_out.WriteInt(nStyle);
        m_out.Write("\">");
    }
    m_nSpanStyle = nStyle;
}

void CXhtmlWriter::WriteBlank()
{
    // A browser shows only the first of several blanks, and none at a line start.
    if (m_bWysiwyg && (m_bLineStart || m_bAfterBlank))
        m_out.Write("&nbsp;");
    else
        m_out.WriteChar(' ');
    m_bAfterBlank = true;
    m_nColumn++;
}

void CXhtmlWriter::WriteTab()
{
    const int nBlanks = BlanksToTabStop(m_nColumn, m_nTabSize);
    m_nColumn += nBlanks;
    m_bAfterBlank = true;
    if (m_bWysiwyg)
    {
        for (int i = 0; i < nBlanks; i++)
            m_out.Write(i % 2 == 0 ? "&nbsp;" : " ");
    }
    else if (m_bTabs)
        m_out.WriteChar('\t');
    else
    {
        for (int i = 0; i < nBlanks; i++)
            m_out.WriteChar(' ');
    }
}

void CXhtmlWriter::WriteCharacter(int nPos, int nLength, int& nBytes)
{
    const BYTE b = static_cast<BYTE>(m_text.GetCharAt(nPos));
    nBytes = 1;
    switch (b)
    {
    case '&':
        m_out.Write("&amp;");
        return;
    case '<':
        m_out.Write("&lt;");
        return;
    case '>':
        m_out.Write("&gt;");
        return;
    }
    if (b >= 0x20 && b < 0x80)
    {
        m_out.WriteChar(static_cast<char>(b));
        return;
    }
    // XML allows no control character, not even as a reference: their pictures stand
    // in for them.
    const int nCodePoint = b < 0x20 ? kControlPictures + b : CodePointAt(m_text, nPos, nLength, nBytes);
    m_out.Write("&#");
    m_out.WriteInt(nCodePoint);
    m_out.WriteChar(';');
}
} // namespace

int ExportXhtml(LPCTSTR pszOutputPath, IStyledText& editor, LPCTSTR pszDocumentPath, const CAppSettings& settings)
{
    return RunExport(pszOutputPath, TRUE, editor,
                     [&](CExportFile& out) { CXhtmlWriter(out, editor, settings).Write(pszDocumentPath); });
}
