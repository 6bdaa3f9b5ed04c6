#include "CPrintPageEngine.h"

#include "CAppSettings.h"

#include <algorithm>

namespace
{
// The font, colours, alignment and pen of the page's texts, on both DCs of the pair;
// everything the DCs had comes back when the scope ends.
class CPageTextScope
{
public:
    CPageTextScope(CDC* pDC, CFont& font) : m_hOutput(pDC->m_hDC), m_hAttrib(pDC->m_hAttribDC)
    {
        if (m_hAttrib == m_hOutput)
            m_hAttrib = NULL;
        Prepare(m_hOutput, font, m_nOutputState);
        Prepare(m_hAttrib, font, m_nAttribState);
    }
    ~CPageTextScope()
    {
        if (m_hOutput != NULL)
            ::RestoreDC(m_hOutput, m_nOutputState);
        if (m_hAttrib != NULL)
            ::RestoreDC(m_hAttrib, m_nAttribState);
    }

private:
    HDC m_hOutput;
    HDC m_hAttrib;
    int m_nOutputState = 0;
    int m_nAttribState = 0;

    static void Prepare(HDC hDC, CFont& font, int& nState)
    {
        if (hDC == NULL)
            return;
        nState = ::SaveDC(hDC);
        if (font.GetSafeHandle() != NULL)
            ::SelectObject(hDC, font.GetSafeHandle());
        ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
        ::SetTextColor(hDC, RGB(0, 0, 0));
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextAlign(hDC, TA_LEFT | TA_BOTTOM | TA_NOUPDATECP);
    }
};

// The height of a line of text in the DC's current font, measured on the attribute DC.
int TextHeight(CDC* pDC)
{
    TEXTMETRIC tm;
    if (!pDC->GetTextMetrics(&tm))
        return 0;
    return tm.tmHeight;
}

HDC MeasuringDC(CDC* pDC)
{
    return pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
}
} // namespace

CPrintPageEngine::CPrintPageEngine() : m_nRangeEnd(0), m_nBandHeight(0), m_nTextHeight(0), m_bPageTooSmall(FALSE)
{
}

void CPrintPageEngine::SetOptions(const CAppSettings& settings)
{
    COptions options;
    options.nPrintHeader = settings.m_nPrintHeader;
    options.nPrintHeaderBreakLine = settings.m_nPrintHeaderBreakLine;
    options.nPrintFileName = settings.m_nPrintFileName;
    options.nPrintDate = settings.m_nPrintDate;
    options.nPrintHeaderAlignment = settings.m_nPrintHeaderAlignment;
    options.nPrintPageNumbers = settings.m_nPrintPageNumbers;
    options.nPrintPageString = settings.m_nPrintPageString;
    options.nPrintFooterBreakLine = settings.m_nPrintFooterBreakLine;
    options.nPrintFooterAlignment = settings.m_nPrintFooterAlignment;
    if (!settings.m_strFandCFont.IsEmpty())
        options.strFontName = settings.m_strFandCFont;
    if (settings.m_nFandCSize > 0)
        options.nFontSize = settings.m_nFandCSize;
    SetOptions(options);
}

void CPrintPageEngine::SetOptions(const COptions& options)
{
    m_options = options;
    // Stored values are not checked when they are loaded.
    m_options.nPrintHeaderAlignment = ValidAlignment(options.nPrintHeaderAlignment, ALIGN_LEFT);
    m_options.nPrintFooterAlignment = ValidAlignment(options.nPrintFooterAlignment, ALIGN_RIGHT);
}

void CPrintPageEngine::Reset()
{
    m_pageStarts.clear();
    m_pageStarts.shrink_to_fit();
    m_nRangeEnd = 0;
    m_nTextHeight = 0;
    m_bPageTooSmall = FALSE;
}

BOOL CPrintPageEngine::CreateFont(CDC* pDC, CFont& font) const
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -::MulDiv(m_options.nFontSize, ::GetDeviceCaps(MeasuringDC(pDC), LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, m_options.strFontName, LF_FACESIZE);
    return font.CreateFontIndirect(&lf);
}

int CPrintPageEngine::Paginate(IPageFormatter& formatter, CDC* pDC, const CRect& rcPage, long nStart, long nEnd)
{
    Reset();
    m_nRangeEnd = nEnd;
    {
        CFont font;
        CreateFont(pDC, font);
        CPageTextScope scope(pDC, font);
        m_nBandHeight = pDC->GetTextExtent("Header", 6).cy + 5;
    }
    int nReserved = 0;
    if (m_options.nPrintHeader)
        nReserved += m_nBandHeight;
    if (m_options.nPrintPageNumbers)
        nReserved += m_nBandHeight;
    const CRect rcText(rcPage.left, rcPage.top + nReserved, rcPage.right, rcPage.bottom - nReserved);
    m_nTextHeight = rcText.Height();

    Sci_RangeToFormat range;
    range.hdc = pDC->m_hDC;
    range.hdcTarget = MeasuringDC(pDC);
    range.rc = { rcText.left, rcText.top, rcText.right, rcText.bottom };
    range.rcPage = range.rc;
    for (long nPos = nStart; nPos < nEnd;)
    {
        // The formatter takes whole lines up to the one holding cpMax: the last
        // character of the range, not the first one after it.
        range.chrg.cpMin = nPos;
        range.chrg.cpMax = nEnd - 1;
        const long nNext = formatter.FormatRange(FALSE, &range);
        if (nNext <= nPos)
        {
            // Not one line fits: stop, or the same page would be counted forever.
            m_bPageTooSmall = m_pageStarts.empty();
            break;
        }
        m_pageStarts.push_back(nPos);
        nPos = nNext;
    }
    formatter.FormatRange(FALSE, NULL);
    return GetPageCount();
}

Sci_RangeToFormat CPrintPageEngine::MakePageRange(CDC* pDC, const CRect& rcPage, UINT nPage) const
{
    Sci_RangeToFormat range;
    range.hdc = pDC->m_hDC;
    range.hdcTarget = MeasuringDC(pDC);
    range.rc = { rcPage.left, rcPage.top, rcPage.right, rcPage.bottom };
    range.rcPage = range.rc;
    // A page that is not there has nothing to draw.
    range.chrg.cpMin = m_nRangeEnd;
    range.chrg.cpMax = m_nRangeEnd;
    if (nPage >= 1 && nPage <= m_pageStarts.size())
    {
        range.chrg.cpMin = m_pageStarts[nPage - 1];
        const long nEnd = nPage < m_pageStarts.size() ? m_pageStarts[nPage] : m_nRangeEnd;
        range.chrg.cpMax = std::max(range.chrg.cpMin, nEnd - 1);
    }
    return range;
}

int CPrintPageEngine::AlignedX(int nAlignment, int nLeft, int nRight, int nWidth)
{
    switch (nAlignment)
    {
    case ALIGN_CENTER:
        if (nWidth > nRight - nLeft)
            return nLeft + 5;
        return nLeft + 5 + (nRight - nLeft - nWidth) / 2;
    case ALIGN_RIGHT:
        return nRight - nWidth - 5;
    default:
        return nLeft + 5;
    }
}

int CPrintPageEngine::ValidAlignment(int nAlignment, int nDefault)
{
    return nAlignment >= ALIGN_CENTER && nAlignment <= ALIGN_RIGHT ? nAlignment : nDefault;
}

int CPrintPageEngine::DrawBandText(CDC* pDC, const CString& strText, int nAlignment, int nLeft, int nRight,
                                   int nY) const
{
    const int nWidth = pDC->GetTextExtent(strText).cx;
    pDC->TextOut(AlignedX(nAlignment, nLeft, nRight, nWidth), nY, strText);
    return nWidth;
}

void CPrintPageEngine::DrawBreakLine(CDC* pDC, int nLeft, int nRight, int nY)
{
    pDC->MoveTo(nLeft, nY);
    pDC->LineTo(nRight, nY);
}

int CPrintPageEngine::DrawHeader(CDC* pDC, Sci_RangeToFormat& range, const CString& strText) const
{
    const int nLeft = range.rcPage.left, nTop = range.rcPage.top, nRight = range.rcPage.right;
    CFont font;
    CreateFont(pDC, font);
    CPageTextScope scope(pDC, font);
    int nBand = 0;
    if (m_options.nPrintHeader)
    {
        const int nTextHeight = TextHeight(pDC);
        DrawBandText(pDC, strText, m_options.nPrintHeaderAlignment, nLeft, nRight, nTop + nTextHeight * 3 / 2);
        nBand = 2 * nTextHeight;
    }
    if (m_options.nPrintHeaderBreakLine)
        DrawBreakLine(pDC, nLeft, nRight, nBand >= 3 ? nTop + nBand - 3 : nTop);
    range.rc.top = std::max(range.rc.top, nTop + nBand);
    return range.rc.top;
}

int CPrintPageEngine::DrawFooter(CDC* pDC, Sci_RangeToFormat& range, UINT nPage) const
{
    const int nLeft = range.rcPage.left, nRight = range.rcPage.right, nBottom = range.rcPage.bottom;
    CFont font;
    CreateFont(pDC, font);
    CPageTextScope scope(pDC, font);
    int nBand = 0;
    if (m_options.nPrintPageNumbers)
    {
        const int nTextHeight = TextHeight(pDC);
        DrawBandText(pDC, MakeFooterText(m_options, nPage), m_options.nPrintFooterAlignment, nLeft, nRight,
                     nBottom - nTextHeight / 2);
        nBand = 2 * nTextHeight;
    }
    if (m_options.nPrintFooterBreakLine)
        DrawBreakLine(pDC, nLeft, nRight, nBottom - std::max(nBand - 3, 0));
    range.rc.bottom = std::min(range.rc.bottom, nBottom - nBand);
    return range.rc.bottom;
}

void CPrintPageEngine::DrawText(IPageFormatter& formatter, Sci_RangeToFormat& range) const
{
    if (range.chrg.cpMin >= m_nRangeEnd)
        return;
    // The bands drawn are taller than the ones pagination reserved, so the text area
    // is too; laid into the paginated height the page ends where pagination said.
    range.rc.bottom = std::min(range.rc.bottom, range.rc.top + m_nTextHeight);
    if (range.rc.bottom <= range.rc.top)
        return;
    formatter.FormatRange(TRUE, &range);
}

int CPrintPageEngine::MeasureTextHeight(CDC* pDC) const
{
    CFont font;
    CreateFont(pDC, font);
    CPageTextScope scope(pDC, font);
    return TextHeight(pDC);
}

void CPrintPageEngine::DrawPage(IPageFormatter& formatter, CDC* pDC, const CRect& rcPage, UINT nPage,
                                const CString& strHeader)
{
    if (nPage < 1 || nPage > m_pageStarts.size())
        return;
    Sci_RangeToFormat range = MakePageRange(pDC, rcPage, nPage);
    DrawHeader(pDC, range, strHeader);
    DrawFooter(pDC, range, nPage);
    DrawText(formatter, range);
}

CString CPrintPageEngine::MakeHeaderText(const COptions& options, const CString& strTitle, const CString& strDate)
{
    CString strText;
    if (options.nPrintFileName)
        strText = strTitle;
    if (options.nPrintDate)
    {
        if (!strText.IsEmpty())
            strText += " - ";
        strText += "Printed on ";
        strText += strDate;
    }
    return strText;
}

CString CPrintPageEngine::MakeFooterText(const COptions& options, UINT nPage)
{
    CString strText;
    strText.Format(options.nPrintPageString ? "Page %d" : "%d", (int)nPage);
    return strText;
}

CString CPrintPageEngine::GetCurrentDateText()
{
    char szDate[128] = "";
    char szTime[128] = "";
    ::GetDateFormatA(LOCALE_USER_DEFAULT, 0, NULL, NULL, szDate, sizeof(szDate));
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, NULL, NULL, szTime, sizeof(szTime));
    CString strText = szDate;
    strText += " ";
    strText += szTime;
    return strText;
}
