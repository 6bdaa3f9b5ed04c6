// The PDF 1.3 writer: the text in one of the standard fonts at 10 points, each style in
// its colour and weight, wrapped at the right margin and broken into pages. Fonts are
// objects 1-4, each page's content stream follows as it is finished, then the
// resources, the page objects, the page tree and the catalog, the cross-reference
// table and the trailer. Numbers are formatted here, never by the C run-time, so no
// locale can put a comma into one.
#include "Exporters.h"

#include <string>
#include <vector>

#include "CExportFile.h"
#include "ExportSupport.h"
#include "PdfFontMetrics.h"

using namespace ExportSupport;

namespace
{
const int kFontSize = 10;          // points
const int kLeadingTenths = 120;    // 1.2 x the size, in tenths of a point
const int kStyleCount = 128;
const int kFontCount = 4;

// A blank "0.%03d " or "0 " / "1 " for one colour component.
void AppendColourComponent(std::string& str, int nValue)
{
    const int c = nValue * 1000 + 127;
    const int d = c / 255;
    if (d != 0 && d != 1000)
    {
        str += "0.";
        str += static_cast<char>('0' + d / 100);
        str += static_cast<char>('0' + d / 10 % 10);
        str += static_cast<char>('0' + d % 10);
        str += ' ';
    }
    else
        str += c / 255000 ? "1 " : "0 ";
}

void AppendInt(std::string& str, int nValue)
{
    char szDigits[24];
    str.append(szDigits, FormatDecimal(szDigits, nValue));
}

// A length in tenths of a point with one decimal: 120 gives "12.0".
void AppendTenths(std::string& str, int nTenths)
{
    AppendInt(str, nTenths / 10);
    str += '.';
    str += static_cast<char>('0' + nTenths % 10);
}

struct CPdfStyle
{
    int m_nFont;           // 1 regular, 2 bold
    std::string m_strColour; // the three components, each followed by a blank
};

class CPdfWriter
{
public:
    CPdfWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings);
    void Write();

private:
    CExportFile& m_out;
    IStyledText& m_text;
    const PdfFontMetrics& m_metrics;
    CPdfStyle m_styles[kStyleCount];
    int m_nTabSize;
    int m_nLeft, m_nRight, m_nTop, m_nBottom;
    int m_nPageWidth, m_nPageHeight;

    std::vector<ULONGLONG> m_objectOffsets; // of object i + 1
    int m_nPageCount;

    // The page being filled
    std::string m_page;
    int m_nStyle;           // the style whose font and colour are in effect
    int m_nFont;
    std::string m_strColour;
    bool m_bInRun;          // a "(" ... ")Tj" string is open
    bool m_bFirstBreak;     // no line break on this page yet
    int m_nX, m_nY;         // thousandths of a point
    int m_nColumn;          // for tab stops, counted from the last hard line break

    const CPdfStyle& StyleOf(int nStyle) const
    {
        return m_styles[nStyle >= 0 && nStyle < kStyleCount ? nStyle : STYLE_DEFAULT];
    }
    void BuildStyleTable(const CAppSettings& settings);

    void BeginObject();
    void EndObject() { m_out.Write("endobj\n"); }
    void WriteFonts();
    void WriteText();
    void WriteDocumentObjects();
    void WriteCrossReferenceTable();

    void StartPage();
    void EndPage();
    void EndRun();
    void AppendFontCommand(); // of m_nFont
    void LineBreak();
    void SwitchStyle(int nStyle);
    void PutChar(char c, int nStyle);
};

CPdfWriter::CPdfWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings)
    : m_out(out), m_text(text), m_metrics(PdfFontMetricsOf(settings.m_nExportPDFFont)), m_nPageCount(0),
      m_nStyle(0), m_nFont(1), m_bInRun(false), m_bFirstBreak(true), m_nX(0), m_nY(0), m_nColumn(0)
{
    BuildStyleTable(settings);
    m_nTabSize = TabSize(settings, 8);
    m_nLeft = settings.m_nExportPDFMarginLeft;
    m_nRight = settings.m_nExportPDFMarginRight;
    m_nTop = settings.m_nExportPDFMarginTop;
    m_nBottom = settings.m_nExportPDFMarginBottom;
    const BOOL bLetter = settings.m_nExportPDFPageSize == 1;
    m_nPageWidth = bLetter ? 612 : 595;
    m_nPageHeight = bLetter ? 792 : 842;
    // Room for one line at least, whatever the margins.
    const int nLeading = kLeadingTenths / 10;
    if (m_nPageWidth < m_nLeft + m_nRight + nLeading)
        m_nPageWidth = m_nLeft + m_nRight + nLeading;
    if (m_nPageHeight < m_nTop + m_nBottom + nLeading)
        m_nPageHeight = m_nTop + m_nBottom + nLeading;
}

void CPdfWriter::BuildStyleTable(const CAppSettings& settings)
{
    for (int nStyle = 0; nStyle < kStyleCount; nStyle++)
    {
        CPdfStyle& style = m_styles[nStyle];
        const int nEntry = ColourEntryOfStyle(nStyle);
        const int nColour = nEntry == NO_ENTRY ? 0 : settings.m_FandC[nEntry].m_nForeClr;
        style.m_nFont = nEntry != NO_ENTRY && settings.m_FandC[nEntry].m_nBold ? 2 : 1;
        style.m_strColour.clear();
        AppendColourComponent(style.m_strColour, RedOf(nColour));
        AppendColourComponent(style.m_strColour, GreenOf(nColour));
        AppendColourComponent(style.m_strColour, BlueOf(nColour));
    }
}

void CPdfWriter::Write()
{
    // The binary bytes tell transfer programs that the file is not text.
    m_out.Write("%PDF-1.3\n%\xC7\xEC\x8F\xA2\n");
    WriteFonts();
    WriteText();
    WriteDocumentObjects();
    WriteCrossReferenceTable();
}

void CPdfWriter::BeginObject()
{
    m_objectOffsets.push_back(m_out.GetOffset());
    m_out.WriteInt(static_cast<int>(m_objectOffsets.size()));
    m_out.Write(" 0 obj\n");
}

void CPdfWriter::WriteFonts()
{
    for (int i = 0; i < kFontCount; i++)
    {
        BeginObject();
        m_out.Format("<</Type/Font/Subtype/Type1/Name/F%d/BaseFont/%s/Encoding/WinAnsiEncoding>>\n", i + 1,
                     m_metrics.m_pszFaces[i]);
        EndObject();
    }
}

void CPdfWriter::WriteText()
{
    const int nLength = m_text.GetLength();
    StartPage();
    for (int nPos = 0; nPos < nLength; nPos++)
    {
        const char c = static_cast<char>(m_text.GetCharAt(nPos));
        if (c == '\r' || c == '\n')
        {
            if (c == '\r' && nPos + 1 < nLength && m_text.GetCharAt(nPos + 1) == '\n')
                nPos++;
            LineBreak();
            m_nColumn = 0;
        }
        else if (c == '\t')
        {
            const int nStyle = m_text.GetStyleAt(nPos);
            for (int nBlanks = BlanksToTabStop(m_nColumn, m_nTabSize); nBlanks > 0; nBlanks--)
                PutChar(' ', nStyle);
        }
        else
            PutChar(c, m_text.GetStyleAt(nPos));
    }
    EndPage();
}

void CPdfWriter::StartPage()
{
    const int nY = (m_nPageHeight * 1000 - m_nTop * 1000 - m_metrics.m_nAscent * kFontSize) / 1000;
    m_page = "BT 1 0 0 1 ";
    AppendInt(m_page, m_nLeft);
    m_page += ' ';
    AppendInt(m_page, nY);
    m_page += " Tm\n";
    const CPdfStyle& style = StyleOf(m_nStyle);
    m_nFont = style.m_nFont;
    m_strColour = style.m_strColour;
    AppendFontCommand();
    m_page += m_strColour;
    m_page += "rg ";
    m_nX = m_nLeft * 1000;
    m_nY = nY * 1000;
    m_bFirstBreak = true;
    m_bInRun = false;
}

void CPdfWriter::EndPage()
{
    EndRun();
    BeginObject();
    m_out.Write("<</Length ");
    m_out.WriteInt(static_cast<int>(m_page.size()) + 2);
    m_out.Write(">>\nstream\n");
    m_out.Write(m_page.data(), static_cast<int>(m_page.size()));
    m_out.Write("ET\nendstream\n");
    EndObject();
    m_nPageCount++;
}

void CPdfWriter::AppendFontCommand()
{
    m_page += "/F";
    AppendInt(m_page, m_nFont);
    m_page += ' ';
    AppendInt(m_page, kFontSize);
    m_page += " Tf ";
}

void CPdfWriter::EndRun()
{
    if (m_bInRun)
    {
        m_page += ")Tj\n";
        m_bInRun = false;
    }
}

void CPdfWriter::LineBreak()
{
    EndRun();
    m_nY -= kLeadingTenths * 100;
    if (m_nY < m_metrics.m_nDescent * kFontSize + m_nBottom * 1000)
    {
        EndPage();
        StartPage();
        return;
    }
    if (m_bFirstBreak)
    {
        m_page += "0 -";
        AppendTenths(m_page, kLeadingTenths);
        m_page += " TD\n";
        m_bFirstBreak = false;
    }
    else
        m_page += "T*\n";
    m_nX = m_nLeft * 1000;
}

void CPdfWriter::SwitchStyle(int nStyle)
{
    const CPdfStyle& style = StyleOf(nStyle);
    m_nStyle = nStyle;
    EndRun();
    if (style.m_nFont != m_nFont)
    {
        m_nFont = style.m_nFont;
        AppendFontCommand();
    }
    if (style.m_strColour != m_strColour)
    {
        m_strColour = style.m_strColour;
        m_page += m_strColour;
        m_page += "rg ";
    }
}

void CPdfWriter::PutChar(char c, int nStyle)
{
    // Blanks keep the style in effect: the lexer's whitespace style would otherwise
    // switch colours between every two words.
    if (c != ' ' && nStyle != m_nStyle)
        SwitchStyle(nStyle);
    const int nAdvance = m_metrics.WidthOf(static_cast<BYTE>(c), m_nFont == 2) * kFontSize;
    if (m_nX + nAdvance > (m_nPageWidth - m_nRight) * 1000)
        LineBreak();
    m_nX += nAdvance;
    m_nColumn++;
    if (!m_bInRun)
    {
        m_page += '(';
        m_bInRun = true;
    }
    if (c == '(' || c == ')' || c == '\\')
        m_page += '\\';
    m_page += c;
}

void CPdfWriter::WriteDocumentObjects()
{
    BeginObject();
    m_out.Write("<</ProcSet[/PDF/Text]\n/Font<</F1 1 0 R/F2 2 0 R/F3 3 0 R/F4 4 0 R>> >>\n");
    EndObject();
    const int nResources = static_cast<int>(m_objectOffsets.size());
    const int nFirstPage = nResources + 1;
    const int nPages = nFirstPage + m_nPageCount;
    for (int i = 0; i < m_nPageCount; i++)
    {
        BeginObject();
        m_out.Format("<</Type/Page/Parent %d 0 R\n/MediaBox[ 0 0 %d %d]\n/Contents %d 0 R\n/Resources %d 0 R\n>>\n",
                     nPages, m_nPageWidth, m_nPageHeight, 5 + i, nResources);
        EndObject();
    }
    BeginObject();
    m_out.Write("<</Type/Pages/Kids[\n");
    for (int i = 0; i < m_nPageCount; i++)
        m_out.Format("%d 0 R\n", nFirstPage + i);
    m_out.Format("]/Count %d\n>>\n", m_nPageCount);
    EndObject();
    BeginObject();
    m_out.Format("<</Type/Catalog/Pages %d 0 R >>\n", nPages);
    EndObject();
}

void CPdfWriter::WriteCrossReferenceTable()
{
    const ULONGLONG nTableOffset = m_out.GetOffset();
    const int nObjects = static_cast<int>(m_objectOffsets.size());
    m_out.Format("xref\n0 %d\n0000000000 65535 f \n", nObjects + 1);
    for (int i = 0; i < nObjects; i++)
    {
        char szEntry[] = "0000000000 00000 n \n";
        ULONGLONG nOffset = m_objectOffsets[i];
        for (int nDigit = 9; nDigit >= 0; nDigit--, nOffset /= 10)
            szEntry[nDigit] = static_cast<char>('0' + nOffset % 10);
        m_out.Write(szEntry, 20);
    }
    m_out.Format("trailer\n<< /Size %d /Root %d 0 R\n>>\nstartxref\n", nObjects + 1, nObjects);
    m_out.WriteInt(static_cast<LONGLONG>(nTableOffset));
    m_out.Write("\n%%EOF\n");
}
} // namespace

int ExportPdf(LPCTSTR pszOutputPath, IStyledText& editor, const CAppSettings& settings)
{
    return RunExport(pszOutputPath, FALSE, editor,
                     [&](CExportFile& out) { CPdfWriter(out, editor, settings).Write(); });
}
