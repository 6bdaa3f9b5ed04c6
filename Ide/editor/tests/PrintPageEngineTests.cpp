// The page engine over a formatter that lays out fixed-height lines of a made-up text,
// on a memory DC: pagination ends, each page's range stops where the next page starts,
// and the bands of the header and footer. The texts and their places are read back from
// real pages in the window tests.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "CAppSettings.h"
#include "CPrintPageEngine.h"

#include <vector>

namespace
{
// A text of nLines lines of kLineChars characters each (the last one included), every
// line kLineHeight pixels high, never wrapped. It records what it was asked.
class CFakeFormatter : public IPageFormatter
{
public:
    enum
    {
        kLineChars = 10,
        kLineHeight = 20
    };
    explicit CFakeFormatter(long nLines) : m_nLines(nLines) {}

    long FormatRange(BOOL bDraw, Sci_RangeToFormat* pRange) override
    {
        if (pRange == NULL)
        {
            m_nReleases++;
            return 0;
        }
        m_calls.push_back(*pRange);
        m_draws.push_back(bDraw);
        // Whole lines from the one holding cpMin to the one holding cpMax, as many as fit.
        const long nFirst = pRange->chrg.cpMin / kLineChars;
        const long nLast = std::min(pRange->chrg.cpMax / kLineChars, m_nLines - 1);
        const long nFit = std::max(0, (pRange->rc.bottom - pRange->rc.top) / (int)kLineHeight);
        const long nEndLine = std::min(nLast + 1, nFirst + nFit);
        return nEndLine <= nFirst ? pRange->chrg.cpMin : nEndLine * kLineChars;
    }

    long m_nLines;
    std::vector<Sci_RangeToFormat> m_calls;
    std::vector<BOOL> m_draws;
    int m_nReleases = 0;
};

class PrintPageEngine : public ::testing::Test
{
protected:
    CDC m_dc;
    CPrintPageEngine m_engine;

    void SetUp() override { ASSERT_TRUE(m_dc.CreateCompatibleDC(NULL)); }

    CPrintPageEngine::COptions Options(int nHeader, int nPageNumbers)
    {
        CPrintPageEngine::COptions options;
        options.nPrintHeader = nHeader;
        options.nPrintPageNumbers = nPageNumbers;
        return options;
    }
};
} // namespace

TEST_F(PrintPageEngine, PaginationCoversTheRangeInPagesThatEndWhereTheNextBegins)
{
    CFakeFormatter formatter(95);
    m_engine.SetOptions(Options(1, 1));
    const CRect rcPage(0, 0, 600, 800);
    const int nPages = m_engine.Paginate(formatter, &m_dc, rcPage, 0, 950);
    const int h = m_engine.GetBandHeight();
    ASSERT_GT(h, 5);
    // Both bands are reserved at the top and at the bottom.
    const int nLinesPerPage = (800 - 4 * h) / CFakeFormatter::kLineHeight;
    EXPECT_EQ(nPages, (95 + nLinesPerPage - 1) / nLinesPerPage);
    ASSERT_EQ((int)formatter.m_calls.size(), nPages);
    for (const Sci_RangeToFormat& call : formatter.m_calls)
    {
        EXPECT_EQ(call.rc.top, 2 * h);
        EXPECT_EQ(call.rc.bottom, 800 - 2 * h);
        EXPECT_EQ(call.rc.right, 600);
        EXPECT_EQ(call.chrg.cpMax, 949); // the range's last character
    }
    EXPECT_EQ(formatter.m_nReleases, 1);
    for (int i = 0; i < nPages; i++)
        EXPECT_EQ(m_engine.GetPageStarts()[i], i * nLinesPerPage * CFakeFormatter::kLineChars);

    // Page n draws from its start to the character before the next page's start, the
    // last page to the range's end, in no more height than pagination gave it.
    formatter.m_calls.clear();
    formatter.m_draws.clear();
    for (int n = 1; n <= nPages; n++)
        m_engine.DrawPage(formatter, &m_dc, rcPage, n, "title");
    ASSERT_EQ((int)formatter.m_calls.size(), nPages);
    for (int n = 1; n <= nPages; n++)
    {
        const Sci_RangeToFormat& call = formatter.m_calls[n - 1];
        EXPECT_TRUE(formatter.m_draws[n - 1]);
        EXPECT_EQ(call.chrg.cpMin, m_engine.GetPageStarts()[n - 1]);
        EXPECT_EQ(call.chrg.cpMax, n < nPages ? m_engine.GetPageStarts()[n] - 1 : 949);
        EXPECT_EQ(call.rc.bottom - call.rc.top, 800 - 4 * h);
        EXPECT_GE(call.rc.top, 2 * (h - 5)); // below the drawn header band
    }
    // Pages that are not there draw nothing.
    m_engine.DrawPage(formatter, &m_dc, rcPage, 0, "title");
    m_engine.DrawPage(formatter, &m_dc, rcPage, nPages + 1, "title");
    EXPECT_EQ((int)formatter.m_calls.size(), nPages);
}

TEST_F(PrintPageEngine, OneBandIsReservedAtBothEndsWhenOnlyPageNumbersPrint)
{
    CFakeFormatter formatter(10);
    m_engine.SetOptions(Options(0, 1));
    m_engine.Paginate(formatter, &m_dc, CRect(0, 0, 600, 800), 0, 100);
    const int h = m_engine.GetBandHeight();
    ASSERT_FALSE(formatter.m_calls.empty());
    EXPECT_EQ(formatter.m_calls[0].rc.top, h);
    EXPECT_EQ(formatter.m_calls[0].rc.bottom, 800 - h);
    // Neither band: the whole page.
    formatter.m_calls.clear();
    m_engine.SetOptions(Options(0, 0));
    m_engine.Paginate(formatter, &m_dc, CRect(0, 0, 600, 800), 0, 100);
    EXPECT_EQ(formatter.m_calls[0].rc.top, 0);
    EXPECT_EQ(formatter.m_calls[0].rc.bottom, 800);
}

TEST_F(PrintPageEngine, PaginationEndsWhenAPageTakesNoText)
{
    // Lower than one line, empty and inverted pages: no pages, and the engine says why.
    for (const CRect& rc : { CRect(0, 0, 600, CFakeFormatter::kLineHeight - 1), CRect(0, 0, 0, 0),
                             CRect(0, 800, 600, 0) })
    {
        CFakeFormatter formatter(50);
        m_engine.SetOptions(Options(0, 0));
        EXPECT_EQ(m_engine.Paginate(formatter, &m_dc, rc, 0, 500), 0);
        EXPECT_TRUE(m_engine.IsPageTooSmall());
        EXPECT_EQ(formatter.m_calls.size(), 1u);
        EXPECT_EQ(formatter.m_nReleases, 1);
    }
    // An empty range has no pages but is not a page too small.
    CFakeFormatter formatter(0);
    EXPECT_EQ(m_engine.Paginate(formatter, &m_dc, CRect(0, 0, 600, 800), 0, 0), 0);
    EXPECT_FALSE(m_engine.IsPageTooSmall());
    EXPECT_TRUE(formatter.m_calls.empty());
}

TEST_F(PrintPageEngine, StoredAlignmentsOutOfRangeMeanTheDefaults)
{
    // Stored values outside 0..2 mean each field's default: header left, footer right.
    CAppSettings settings;
    settings.m_nPrintHeaderAlignment = 7;
    settings.m_nPrintFooterAlignment = -1;
    m_engine.SetOptions(settings);
    EXPECT_EQ(m_engine.GetOptions().nPrintHeaderAlignment, CPrintPageEngine::ALIGN_LEFT);
    EXPECT_EQ(m_engine.GetOptions().nPrintFooterAlignment, CPrintPageEngine::ALIGN_RIGHT);
    settings.m_nPrintHeaderAlignment = CPrintPageEngine::ALIGN_RIGHT;
    settings.m_nPrintFooterAlignment = CPrintPageEngine::ALIGN_CENTER;
    m_engine.SetOptions(settings);
    EXPECT_EQ(m_engine.GetOptions().nPrintHeaderAlignment, CPrintPageEngine::ALIGN_RIGHT);
    EXPECT_EQ(m_engine.GetOptions().nPrintFooterAlignment, CPrintPageEngine::ALIGN_CENTER);
}

TEST_F(PrintPageEngine, BandsMoveTheTextAreaAndBreakLinesStayWithoutThem)
{
    CPrintPageEngine::COptions options;
    options.nPrintHeader = 0;
    options.nPrintPageNumbers = 0;
    m_engine.SetOptions(options);
    Sci_RangeToFormat range;
    range.rc = range.rcPage = { 0, 100, 600, 900 };
    // Without their bands the text keeps the page; the break lines are still drawn (on
    // the page's edges), which a metafile would show; here only the geometry counts.
    EXPECT_EQ(m_engine.DrawHeader(&m_dc, range, "t"), 100);
    EXPECT_EQ(m_engine.DrawFooter(&m_dc, range, 1), 900);

    options.nPrintHeader = 1;
    options.nPrintPageNumbers = 1;
    m_engine.SetOptions(options);
    range.rc = range.rcPage;
    const int nTop = m_engine.DrawHeader(&m_dc, range, "t");
    const int nBottom = m_engine.DrawFooter(&m_dc, range, 1);
    EXPECT_GT(nTop, 100);
    EXPECT_EQ(nTop - 100, 900 - nBottom); // both bands are twice the same text height
    EXPECT_EQ((nTop - 100) % 2, 0);
    EXPECT_EQ(range.rc.top, nTop);
    EXPECT_EQ(range.rc.bottom, nBottom);
}
