// The XML writer: one <line> element per line with text, one <t> element per style
// run inside it, blanks counted into <s> elements and the markup characters as empty
// elements of their own. The file is pure ASCII: characters above 0x7F are numeric
// references and the control characters XML forbids are <c> elements.
#include "Exporters.h"

#include "CExportFile.h"
#include "ExportSupport.h"

using namespace ExportSupport;

namespace
{
const char kNamespace[] = "http://www.ostrel-software.com/vorn/export/1.0";

class CXmlWriter
{
public:
    CXmlWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings);
    void Write(LPCTSTR pszDocumentName);

private:
    CExportFile& m_out;
    IStyledText& m_text;
    BOOL m_bCollapseSpaces;
    BOOL m_bCollapseLines;
    int m_nTabSize;

    int m_nLine;          // 1-based
    int m_nColumn;
    int m_nBlanks;        // blanks not yet written
    int m_nEmptyLines;    // empty lines not yet written as one <line/>
    bool m_bLineOpen;
    int m_nRunStyle;      // style of the open <t>, -1 for none

    void WriteHeader(LPCTSTR pszDocumentName);
    void OpenLine();
    void EndLine();
    void WriteBlanks();
    void WriteVisible(int nPos, int nLength, int& nBytes);
};

CXmlWriter::CXmlWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings)
    : m_out(out), m_text(text), m_bCollapseSpaces(settings.m_nExportXMLCollapseSpaces),
      m_bCollapseLines(settings.m_nExportXMLCollapseLines), m_nTabSize(TabSize(settings, 4)), m_nLine(1),
      m_nColumn(0), m_nBlanks(0), m_nEmptyLines(0), m_bLineOpen(false), m_nRunStyle(-1)
{
}

void CXmlWriter::WriteHeader(LPCTSTR pszDocumentName)
{
    CString strName;
    AppendXmlEscaped(strName, pszDocumentName, TRUE);
    m_out.Write("<?xml version='1.0' encoding='ascii'?>\n");
    m_out.Format("<document xmlns='%s' filename='%s' type='%s' version='%s'>\n", kNamespace, (LPCTSTR)strName,
                 "unknown", "1.0");
    m_out.Write("<data comment='This element is reserved for future usage.'/>\n");
    m_out.Write("<text>\n");
}

void CXmlWriter::Write(LPCTSTR pszDocumentName)
{
    WriteHeader(pszDocumentName);
    const int nLength = m_text.GetLength();
    for (int nPos = 0; nPos < nLength; nPos++)
    {
        const char c = static_cast<char>(m_text.GetCharAt(nPos));
        switch (c)
        {
        case '\r':
            if (nPos + 1 < nLength && m_text.GetCharAt(nPos + 1) == '\n')
                nPos++;
            EndLine();
            break;
        case '\n':
            EndLine();
            break;
        case ' ':
            m_nBlanks++;
            m_nColumn++;
            break;
        case '\t':
        {
            const int nBlanks = BlanksToTabStop(m_nColumn, m_nTabSize);
            m_nBlanks += nBlanks;
            m_nColumn += nBlanks;
            break;
        }
        case '\f':
            break;
        default:
        {
            int nBytes = 1;
            WriteVisible(nPos, nLength, nBytes);
            nPos += nBytes - 1;
            m_nColumn += nBytes;
        }
        }
    }
    EndLine(); // the last line, which no line end closes
    m_out.Write("</text>\n</document>\n");
}

void CXmlWriter::OpenLine()
{
    if (m_nEmptyLines > 0)
    {
        m_out.Write("<line/>\n");
        m_nEmptyLines = 0;
    }
    m_out.Write("<line n='");
    m_out.WriteInt(m_nLine);
    m_out.Write("'>");
    m_bLineOpen = true;
}

void CXmlWriter::EndLine()
{
    if (m_bLineOpen)
    {
        // Blanks at the end of a line belong to it, not to the next line's text.
        WriteBlanks();
        if (m_nRunStyle >= 0)
            m_out.Write("</t>");
        m_out.Write("</line>\n");
    }
    else if (m_bCollapseLines)
        m_nEmptyLines++;
    else
    {
        m_out.Write("<line n='");
        m_out.WriteInt(m_nLine);
        m_out.Write("'/>\n");
    }
    m_nLine++;
    m_nColumn = 0;
    m_nBlanks = 0;
    m_nRunStyle = -1;
    m_bLineOpen = false;
}

void CXmlWriter::WriteBlanks()
{
    if (m_nBlanks == 0)
        return;
    if (!m_bCollapseSpaces)
    {
        for (; m_nBlanks > 0; m_nBlanks--)
            m_out.Write("<s/>");
        return;
    }
    if (m_nBlanks == 1)
        m_out.Write("<s/>");
    else
    {
        m_out.Write("<s n='");
        m_out.WriteInt(m_nBlanks);
        m_out.Write("'/>");
    }
    m_nBlanks = 0;
}

void CXmlWriter::WriteVisible(int nPos, int nLength, int& nBytes)
{
    if (!m_bLineOpen)
        OpenLine();
    const int nStyle = m_text.GetStyleAt(nPos);
    if (nStyle != m_nRunStyle)
    {
        if (m_nRunStyle >= 0)
            m_out.Write("</t>");
        m_out.Write("<t n='");
        m_out.WriteInt(nStyle);
        m_out.Write("'>");
        m_nRunStyle = nStyle;
    }
    WriteBlanks();
    const BYTE b = static_cast<BYTE>(m_text.GetCharAt(nPos));
    nBytes = 1;
    switch (b)
    {
    case '#':
        m_out.Write("<h/>");
        return;
    case '&':
        m_out.Write("<a/>");
        return;
    case '<':
        m_out.Write("<l/>");
        return;
    case '>':
        m_out.Write("<g/>");
        return;
    }
    if (b < 0x20)
    {
        // Not even a character reference may name these in XML 1.0.
        m_out.Write("<c n='");
        m_out.WriteInt(b);
        m_out.Write("'/>");
    }
    else if (b >= 0x80)
    {
        m_out.Write("&#");
        m_out.WriteInt(CodePointAt(m_text, nPos, nLength, nBytes));
        m_out.WriteChar(';');
    }
    else
        m_out.WriteChar(static_cast<char>(b));
}
} // namespace

int ExportXml(LPCTSTR pszOutputPath, IStyledText& editor, LPCTSTR pszDocumentName, const CAppSettings& settings)
{
    return RunExport(pszOutputPath, TRUE, editor,
                     [&](CExportFile& out) { CXmlWriter(out, editor, settings).Write(pszDocumentName); });
}
