// CPrintPageEngine: the pages of a printed text. It cuts a character range into pages
// for a page rectangle (pagination) and draws page n with its header and footer on an
// output DC, measuring on an attribute DC. It owns no window: the editor view's printing
// steps drive it with the printer's DC and page, the tests and a preview with their own.
#pragma once

#include <afxwin.h>

#include <vector>

#include "IPageFormatter.h"

class CAppSettings;

class CPrintPageEngine
{
public:
    // Alignment of the header and footer texts, as the print options store it.
    enum
    {
        ALIGN_CENTER = 0,
        ALIGN_LEFT = 1,
        ALIGN_RIGHT = 2
    };

    // What the page shows besides the text: the nine print options and the font of the
    // header and footer.
    struct COptions
    {
        int nPrintHeader = 1;
        int nPrintHeaderBreakLine = 1;
        int nPrintFileName = 1;
        int nPrintDate = 0;
        int nPrintHeaderAlignment = ALIGN_LEFT;
        int nPrintPageNumbers = 1;
        int nPrintPageString = 1;
        int nPrintFooterBreakLine = 1;
        int nPrintFooterAlignment = ALIGN_RIGHT;
        CString strFontName = "Courier New";
        int nFontSize = 10;   // points
    };

    CPrintPageEngine();

    // The options of the next job, taken from the settings; alignments that are not
    // one of the three become their field's default.
    void SetOptions(const CAppSettings& settings);
    void SetOptions(const COptions& options);
    const COptions& GetOptions() const { return m_options; }

    // Cuts [nStart, nEnd) into pages of rcPage, measured on the DC's attribute DC, and
    // returns the page count. A range that is empty gives no pages; so does a page on
    // which not one line fits (IsPageTooSmall). Pagination stops at the first page that
    // makes no progress, so it always ends.
    int Paginate(IPageFormatter& formatter, CDC* pDC, const CRect& rcPage, long nStart, long nEnd);
    BOOL IsPageTooSmall() const { return m_bPageTooSmall; }
    int GetPageCount() const { return (int)m_pageStarts.size(); }
    // The first position of each page, in order.
    const std::vector<long>& GetPageStarts() const { return m_pageStarts; }
    // The band reserved for the header and for the page number during pagination: the
    // height of "Header" in the header font plus 5; 0 before the first pagination.
    int GetBandHeight() const { return m_nBandHeight; }
    // Forgets the pages of the last job.
    void Reset();

    // Page n (1-based) drawn whole: header, footer and text. strHeader is the header's
    // text (MakeHeaderText).
    void DrawPage(IPageFormatter& formatter, CDC* pDC, const CRect& rcPage, UINT nPage, const CString& strHeader);

    // The steps of DrawPage, for callers that draw the header or footer themselves.
    // The format range of page n: the DC pair, rc and rcPage both the page, and the
    // characters from the page's start to the next page's start (the range's end on the
    // last page).
    Sci_RangeToFormat MakePageRange(CDC* pDC, const CRect& rcPage, UINT nPage) const;
    // Draws the header (when the options print one) and its break line; rc's top moves
    // below the band and is returned.
    int DrawHeader(CDC* pDC, Sci_RangeToFormat& range, const CString& strText) const;
    // Draws the page number (when the options print one) and the footer's break line;
    // rc's bottom moves above the band and is returned.
    int DrawFooter(CDC* pDC, Sci_RangeToFormat& range, UINT nPage) const;
    // Draws the page's text into rc, never more lines than pagination gave the page.
    void DrawText(IPageFormatter& formatter, Sci_RangeToFormat& range) const;

    // The height of a line of header or footer text on the DC's attribute DC.
    int MeasureTextHeight(CDC* pDC) const;

    // The header's text: the title when the options print the file name; then, when
    // they print the date, " - " after a title and "Printed on " with the date.
    static CString MakeHeaderText(const COptions& options, const CString& strTitle, const CString& strDate);
    // The footer's text of page n: "Page n", or "n" without the word.
    static CString MakeFooterText(const COptions& options, UINT nPage);
    // The current local date and time in the user's format.
    static CString GetCurrentDateText();
    // An alignment as stored, or nDefault when it is none of the three.
    static int ValidAlignment(int nAlignment, int nDefault);
    // The x of a text nWidth wide between nLeft and nRight.
    static int AlignedX(int nAlignment, int nLeft, int nRight, int nWidth);

private:
    COptions m_options;
    std::vector<long> m_pageStarts;
    long m_nRangeEnd;
    int m_nBandHeight;
    int m_nTextHeight;        // height of the text area pagination laid the lines into
    BOOL m_bPageTooSmall;

    // The header and footer font at the attribute DC's resolution.
    BOOL CreateFont(CDC* pDC, CFont& font) const;
    int DrawBandText(CDC* pDC, const CString& strText, int nAlignment, int nLeft, int nRight, int nY) const;
    static void DrawBreakLine(CDC* pDC, int nLeft, int nRight, int nY);
};
