// The RTF writer: one font, a colour table of the styles' colours, and the text with
// each style change written as the control words that differ from the style before.
// Characters outside printable ASCII are written as \'hh, so the file is pure ASCII.
#include "Exporters.h"

#include <vector>

#include "CExportFile.h"
#include "ExportSupport.h"

using namespace ExportSupport;

namespace
{
const int kStyleCount = STYLE_DEFAULT + 1; // styles 0-32; higher ones count as 0
const int kMaxFontNameLength = 64;

struct CRtfStyle
{
    int m_nSize;       // half-points
    int m_nFore;       // colour table index
    int m_nBack;
    BOOL m_bBold;
};

const char kHexDigits[] = "0123456789abcdef";

class CRtfWriter
{
public:
    CRtfWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings);
    void Write();

private:
    CExportFile& m_out;
    IStyledText& m_text;
    const CAppSettings& m_settings;
    int m_nTabSize;
    std::vector<int> m_colours;
    CRtfStyle m_styles[kStyleCount];

    int ColourIndex(int nColour);
    void BuildTables();
    void WriteEscapedByte(BYTE b);
    void WriteHeader();
    void WriteStyleChange(const CRtfStyle& from, const CRtfStyle& to);
};

CRtfWriter::CRtfWriter(CExportFile& out, IStyledText& text, const CAppSettings& settings)
    : m_out(out), m_text(text), m_settings(settings), m_nTabSize(TabSize(settings, 8))
{
    BuildTables();
}

int CRtfWriter::ColourIndex(int nColour)
{
    for (size_t i = 0; i < m_colours.size(); i++)
        if (m_colours[i] == nColour)
            return static_cast<int>(i);
    m_colours.push_back(nColour);
    return static_cast<int>(m_colours.size()) - 1;
}

void CRtfWriter::BuildTables()
{
    // The default style's colours come first, whatever they are, so the opening
    // \cf0 and \highlight1 name them.
    const CAppSettings::CStyleSetting& def = m_settings.m_FandC[CAppSettings::FandCDefault];
    m_colours.push_back(def.m_nForeClr);
    m_colours.push_back(def.m_nBackClr);
    const int nSize = m_settings.m_nFandCSize != 0 ? m_settings.m_nFandCSize * 2 : 20;
    for (int nStyle = 0; nStyle < kStyleCount; nStyle++)
    {
        const int nEntry = ColourEntryOfStyle(nStyle);
        CRtfStyle& style = m_styles[nStyle];
        style.m_nSize = nSize;
        if (nEntry == CAppSettings::FandCDefault || nEntry == NO_ENTRY)
        {
            style.m_nFore = 0;
            style.m_nBack = 1;
            style.m_bBold = def.m_nBold != 0;
            continue;
        }
        const CAppSettings::CStyleSetting& entry = m_settings.m_FandC[nEntry];
        style.m_nFore = ColourIndex(entry.m_nForeClr);
        style.m_nBack = ColourIndex(entry.m_nBackClr);
        style.m_bBold = entry.m_nBold != 0;
    }
}

void CRtfWriter::WriteEscapedByte(BYTE b)
{
    switch (b)
    {
    case '\\':
    case '{':
    case '}':
        m_out.WriteChar('\\');
        m_out.WriteChar(static_cast<char>(b));
        return;
    }
    if (b < 0x20 || b >= 0x80)
    {
        const char szHex[4] = { '\\', '\'', kHexDigits[b >> 4], kHexDigits[b & 15] };
        m_out.Write(szHex, 4);
    }
    else
        m_out.WriteChar(static_cast<char>(b));
}

void CRtfWriter::WriteHeader()
{
    m_out.Write("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil\\fcharset1 ");
    const CString& strFont = m_settings.m_strFandCFont;
    for (int i = 0; i < strFont.GetLength() && i < kMaxFontNameLength; i++)
    {
        const BYTE b = static_cast<BYTE>(strFont[i]);
        if (b == ';')
            m_out.Write("\\'3b"); // would end the name
        else
            WriteEscapedByte(b);
    }
    m_out.Write(";}}{\\colortbl");
    for (int nColour : m_colours)
        m_out.Format("\\red%d\\green%d\\blue%d;", RedOf(nColour), GreenOf(nColour), BlueOf(nColour));
    m_out.Format("}\n\\f0\\fs%d\\cf0 ", m_styles[STYLE_DEFAULT].m_nSize);
}

void CRtfWriter::WriteStyleChange(const CRtfStyle& from, const CRtfStyle& to)
{
    // One font and no italics: \f and \i never differ.
    bool bAny = false;
    if (to.m_nSize != from.m_nSize)
    {
        m_out.Write("\\fs");
        m_out.WriteInt(to.m_nSize);
        bAny = true;
    }
    if (to.m_nFore != from.m_nFore)
    {
        m_out.Write("\\cf");
        m_out.WriteInt(to.m_nFore);
        bAny = true;
    }
    if (to.m_nBack != from.m_nBack)
    {
        m_out.Write("\\highlight");
        m_out.WriteInt(to.m_nBack);
        bAny = true;
    }
    if (to.m_bBold != from.m_bBold)
    {
        m_out.Write(to.m_bBold ? "\\b" : "\\b0");
        bAny = true;
    }
    if (bAny)
        m_out.WriteChar(' ');
}

void CRtfWriter::Write()
{
    WriteHeader();
    // What the opening "\f0\fs..\cf0" and a reader's defaults leave in effect. A
    // reader starts without a highlight, so the first character names its background:
    // a dark default background would otherwise never reach the file.
    CRtfStyle current = m_styles[STYLE_DEFAULT];
    current.m_nFore = 0;
    current.m_nBack = -1;
    current.m_bBold = FALSE;
    const int nLength = m_text.GetLength();
    int nColumn = 0;
    for (int nPos = 0; nPos < nLength; nPos++)
    {
        const BYTE b = static_cast<BYTE>(m_text.GetCharAt(nPos));
        int nStyle = m_text.GetStyleAt(nPos);
        if (nStyle >= kStyleCount)
            nStyle = 0;
        const CRtfStyle& style = m_styles[nStyle];
        WriteStyleChange(current, style);
        current = style;
        if (b == '\r' || b == '\n')
        {
            if (b == '\r' && nPos + 1 < nLength && m_text.GetCharAt(nPos + 1) == '\n')
                nPos++;
            m_out.Write("\\par\n");
            nColumn = 0;
        }
        else if (b == '\t')
        {
            for (int nBlanks = BlanksToTabStop(nColumn, m_nTabSize); nBlanks > 0; nBlanks--, nColumn++)
                m_out.WriteChar(' ');
        }
        else
        {
            WriteEscapedByte(b);
            nColumn++;
        }
    }
    m_out.WriteChar('}');
}
} // namespace

int ExportRtf(LPCTSTR pszOutputPath, IStyledText& editor, const CAppSettings& settings)
{
    return RunExport(pszOutputPath, TRUE, editor,
                     [&](CExportFile& out) { CRtfWriter(out, editor, settings).Write(); });
}
