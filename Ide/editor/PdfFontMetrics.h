// The metrics of the three PDF standard font families the exporter writes with:
// the names of their four faces (regular, bold, oblique, bold oblique), ascent and
// descent, and the advance width of each character of the regular and bold faces.
#pragma once

#include <afx.h>

enum PdfFontFamily
{
    PDF_COURIER,
    PDF_HELVETICA,
    PDF_TIMES,
    PDF_FAMILY_COUNT
};

struct PdfFontMetrics
{
    LPCTSTR m_pszFaces[4];
    int m_nAscent;       // thousandths of the font size
    int m_nDescent;
    int m_nFixedWidth;   // every character's width in a fixed-pitch family; 0 otherwise
    const unsigned short* m_pRegularWidths;
    const unsigned short* m_pBoldWidths;

    // The advance width of the WinAnsi code, in thousandths of the font size.
    int WidthOf(BYTE nChar, BOOL bBold) const;
};

// The metrics of a family; any other number gives Helvetica's.
const PdfFontMetrics& PdfFontMetricsOf(int nFamily);
