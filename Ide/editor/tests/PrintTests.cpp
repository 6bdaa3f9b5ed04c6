// Printing from the editor view: the class library's printing loop played on a real
// view with real Scintilla, each page drawn into an enhanced metafile and its texts
// read back; and File > Print under Wine, which has no printer here.
#include "EditorTestSupport.h"

#include <afxdlgs.h>

#include "CAppSettings.h"
#include "PrintHarness.h"
#include "ScreenPicture.h"
#include "WindowBitmap.h"

#include <SciLexer.h>

#include <algorithm>
#include <atomic>
#include <map>

namespace
{
// Numbered assignments, and every 25th line a long comment that wraps on A4.
std::string PrintSample(int nLines)
{
    std::string text;
    for (int i = 1; i <= nLines; i++)
    {
        char szLine[32];
        sprintf(szLine, "v%04d=%d", i, i);
        text += szLine;
        if (i % 25 == 0)
        {
            text += " --";
            for (int w = 0; w < 40; w++)
                text += " w" + std::to_string(i) + "_" + std::to_string(w);
        }
        text += "\n";
    }
    return text;
}

std::string WithoutBlanks(const std::string& text)
{
    std::string out;
    for (char ch : text)
        if (ch != ' ' && ch != '\n' && ch != '\r' && ch != '\t')
            out += ch;
    return out;
}

class PrintTest : public EditorWindowTest
{
protected:
    CPrintHarness m_harness;
    int m_nTextHeight = 0;

    void SetUp() override
    {
        EditorWindowTest::SetUp();
        // The body is compared with the text; the line numbers would print beside it.
        m_host.m_settings.m_nEDDisplayLineNumbers = 0;
        CPrintPageEngine engine;
        engine.SetOptions(m_host.m_settings);
        m_nTextHeight = engine.MeasureTextHeight(&m_harness.m_dc);
    }

    void SetBands(int nHeader, int nPageNumbers)
    {
        m_host.m_settings.m_nPrintHeader = nHeader;
        m_host.m_settings.m_nPrintPageNumbers = nPageNumbers;
    }

    int HeaderY() const { return m_harness.m_rcPage.top + m_nTextHeight * 3 / 2; }
    int FooterY() const { return m_harness.m_rcPage.bottom - m_nTextHeight / 2; }

    // The page's text between the bands, in reading order.
    std::string Body(const CPrintedPage& page) const
    {
        std::vector<CPageText> texts;
        for (const CPageText& text : page.texts)
            if (text.y != HeaderY() && text.y != FooterY())
                texts.push_back(text);
        std::stable_sort(texts.begin(), texts.end(), [](const CPageText& a, const CPageText& b) {
            return a.y != b.y ? a.y < b.y : a.x < b.x;
        });
        std::string body;
        for (const CPageText& text : texts)
            body += text.strText;
        return body;
    }

    int BodyRows(const CPrintedPage& page) const
    {
        std::map<int, int> rows;
        for (const CPageText& text : page.texts)
            if (text.y != HeaderY() && text.y != FooterY())
                rows[text.y]++;
        return (int)rows.size();
    }

    std::string AllBodies() const
    {
        std::string all;
        for (const CPrintedPage& page : m_harness.m_pages)
            all += Body(page);
        return WithoutBlanks(all);
    }

    // The texts drawn at the y given, in order.
    std::vector<CPageText> TextsAt(const CPrintedPage& page, int y) const
    {
        std::vector<CPageText> texts;
        for (const CPageText& text : page.texts)
            if (text.y == y)
                texts.push_back(text);
        return texts;
    }

    std::string TextAt(const CPrintedPage& page, int y) const
    {
        std::string joined;
        for (const CPageText& text : TextsAt(page, y))
            joined += text.strText;
        return joined;
    }

    static int WrapMode(CVornView* pView) { return (int)pView->GetCtrl().Call(SCI_GETWRAPMODE, 0, 0); }

    void ExpectRestored(CVornDoc* pDoc)
    {
        CChildFrame* pFrame = FrameOf(pDoc);
        EXPECT_TRUE(pFrame->IsWindowVisible());
        CMDIFrameWnd* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
        EXPECT_EQ(pMain->MDIGetActive(), pFrame);
        EXPECT_EQ(WrapMode(ViewOf(pDoc)), 0);
    }
};

// Gives the protected job runner of the class library to the test.
struct CPrintJobAccess : public CVornView
{
    using CView::PrintPages;
};
} // namespace

TEST_F(PrintTest, PagesHoldEveryLineOnceInOrderWhateverTheBands)
{
    const std::string sample = PrintSample(160);
    CVornDoc* pOther = Open(WriteFile("other.lua", "x = 1\n"));
    CVornDoc* pDoc = Open(WriteFile("demo.lua", sample));
    ASSERT_TRUE(pDoc != NULL && pOther != NULL);
    for (int nHeader = 0; nHeader <= 1; nHeader++)
        for (int nNumbers = 0; nNumbers <= 1; nNumbers++)
        {
            SCOPED_TRACE("header " + std::to_string(nHeader) + " numbers " + std::to_string(nNumbers));
            SetBands(nHeader, nNumbers);
            m_harness.Print(ViewOf(pDoc));
            ASSERT_GE(m_harness.m_pages.size(), 3u);
            EXPECT_EQ(ViewOf(pDoc)->m_printPages.GetPageCount(), (int)m_harness.m_pages.size());
            EXPECT_EQ(AllBodies(), WithoutBlanks(sample));
            for (const CPrintedPage& page : m_harness.m_pages)
            {
                EXPECT_FALSE(page.bFrameVisible);
                EXPECT_EQ(page.nWrapMode, 1);
            }
            ExpectRestored(pDoc);
        }
    EXPECT_TRUE(theApp.m_messageBoxes.empty());
    EXPECT_FALSE(pDoc->IsModified());

    // Looked at by eye: the first page with both bands.
    SetBands(1, 1);
    m_harness.Print(ViewOf(pDoc));
    EXPECT_GT(m_harness.CountInkPixels(0), 1000);
    if (LPCTSTR pszFolder = ScreenshotFolder())
    {
        EXPECT_TRUE(m_harness.SavePageBitmap(0, CString(pszFolder) + "\\print_page1.bmp"));
    }
}

TEST_F(PrintTest, ASelectionPrintsExactlyItsLines)
{
    const std::string sample = PrintSample(60);
    CVornDoc* pDoc = Open(WriteFile("demo.lua", sample));
    ASSERT_TRUE(pDoc != NULL);
    CScintillaCtrl& ctrl = ViewOf(pDoc)->GetCtrl();
    // Lines 10 to 30, selected from the end backwards.
    const int nStart = (int)ctrl.Call(SCI_POSITIONFROMLINE, 9);
    const int nEnd = (int)ctrl.Call(SCI_POSITIONFROMLINE, 30);
    ctrl.Call(SCI_SETSEL, nEnd, nStart);
    m_harness.m_bSelection = TRUE;
    m_harness.Print(ViewOf(pDoc));
    EXPECT_EQ(AllBodies(), WithoutBlanks(sample.substr(nStart, nEnd - nStart)));
    ExpectRestored(pDoc);
}

TEST_F(PrintTest, AnEmptyDocumentHasNoPages)
{
    CVornDoc* pDoc = Open(WriteFile("empty.lua", ""));
    ASSERT_TRUE(pDoc != NULL);
    m_harness.Print(ViewOf(pDoc));
    EXPECT_EQ(ViewOf(pDoc)->m_printPages.GetPageCount(), 0);
    EXPECT_EQ(m_harness.m_pInfo->GetMaxPage(), 0u);
    EXPECT_TRUE(m_harness.m_pages.empty());
    EXPECT_TRUE(theApp.m_messageBoxes.empty());
    ExpectRestored(pDoc);
}

TEST_F(PrintTest, HeaderAndFooterTexts)
{
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(200)));
    ASSERT_TRUE(pDoc != NULL);
    SetBands(1, 1);
    m_host.m_settings.m_nPrintFileName = 1;
    m_host.m_settings.m_nPrintDate = 0;
    m_harness.Print(ViewOf(pDoc));
    ASSERT_GE(m_harness.m_pages.size(), 3u);
    EXPECT_EQ(TextAt(m_harness.m_pages[0], HeaderY()), "demo.lua");
    EXPECT_EQ(TextAt(m_harness.m_pages[2], FooterY()), "Page 3");

    m_host.m_settings.m_nPrintDate = 1;
    m_host.m_settings.m_nPrintPageString = 0;
    m_harness.Print(ViewOf(pDoc));
    EXPECT_EQ(TextAt(m_harness.m_pages[0], HeaderY()).rfind("demo.lua - Printed on ", 0), 0u)
        << TextAt(m_harness.m_pages[0], HeaderY());
    EXPECT_EQ(TextAt(m_harness.m_pages[2], FooterY()), "3");

    m_host.m_settings.m_nPrintFileName = 0;
    m_harness.Print(ViewOf(pDoc));
    const std::string strHeader = TextAt(m_harness.m_pages[0], HeaderY());
    EXPECT_EQ(strHeader.rfind("Printed on ", 0), 0u) << strHeader;
    EXPECT_GT(strHeader.size(), strlen("Printed on "));
}

TEST_F(PrintTest, AlignmentsAndBreakLinesFollowTheOptions)
{
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(20)));
    ASSERT_TRUE(pDoc != NULL);
    SetBands(1, 1);
    const int nRight = m_harness.m_rcPage.right;
    const int nBottom = m_harness.m_rcPage.bottom;
    struct CCase
    {
        int nHeader, nFooter;   // as stored
        int nHeaderAs, nFooterAs; // as printed
    };
    const CCase kCases[] = { { 0, 0, 0, 0 }, { 1, 1, 1, 1 }, { 2, 2, 2, 2 }, { 9, -3, 1, 2 } };
    for (const CCase& c : kCases)
    {
        SCOPED_TRACE(std::to_string(c.nHeader) + "/" + std::to_string(c.nFooter));
        m_host.m_settings.m_nPrintHeaderAlignment = c.nHeader;
        m_host.m_settings.m_nPrintFooterAlignment = c.nFooter;
        m_harness.Print(ViewOf(pDoc));
        ASSERT_EQ(m_harness.m_pages.size(), 1u);
        const std::vector<CPageText> header = TextsAt(m_harness.m_pages[0], HeaderY());
        const std::vector<CPageText> footer = TextsAt(m_harness.m_pages[0], FooterY());
        ASSERT_EQ(header.size(), 1u);
        ASSERT_EQ(footer.size(), 1u);
        const int kX[3][2] = { { 5 + (nRight - header[0].nWidth) / 2, 5 + (nRight - footer[0].nWidth) / 2 },
                               { 5, 5 },
                               { nRight - header[0].nWidth - 5, nRight - footer[0].nWidth - 5 } };
        EXPECT_EQ(header[0].x, kX[c.nHeaderAs][0]);
        EXPECT_EQ(footer[0].x, kX[c.nFooterAs][1]);
    }

    // A title wider than the page starts at the left even when centred.
    m_host.m_settings.m_nPrintHeaderAlignment = 0;
    pDoc->SetTitle(CString('W', 200) + ".lua");
    m_harness.Print(ViewOf(pDoc));
    const std::vector<CPageText> wide = TextsAt(m_harness.m_pages[0], HeaderY());
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_GT(wide[0].nWidth, nRight);
    EXPECT_EQ(wide[0].x, 5);

    // The break lines run across the page three pixels inside each band's edge; without
    // the bands they lie on the page's edges.
    const int nBand = 2 * m_nTextHeight;
    std::vector<int> ys;
    for (const CPageLine& line : m_harness.m_pages[0].lines)
    {
        EXPECT_EQ(line.x1, 0);
        EXPECT_EQ(line.x2, nRight);
        EXPECT_EQ(line.y1, line.y2);
        ys.push_back(line.y1);
    }
    EXPECT_EQ(ys, std::vector<int>({ nBand - 3, nBottom - (nBand - 3) }));
    SetBands(0, 0);
    m_harness.Print(ViewOf(pDoc));
    ys.clear();
    for (const CPageLine& line : m_harness.m_pages[0].lines)
        ys.push_back(line.y1);
    EXPECT_EQ(ys, std::vector<int>({ 0, nBottom }));
}

TEST_F(PrintTest, PaginationReservesTheBandsAtBothEnds)
{
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(300)));
    ASSERT_TRUE(pDoc != NULL);
    const int nHeight = m_harness.m_rcPage.Height();
    // The rows of page 1 fill the height pagination left: the page less the reserved
    // band ("Header" plus 5) at the top and at the bottom, once per band printed.
    for (int nBands = 0; nBands <= 2; nBands++)
        for (int nHeader = 0; nHeader <= 1; nHeader++)
        {
            const int nNumbers = nBands - nHeader;
            if (nNumbers < 0 || nNumbers > 1)
                continue;
            SCOPED_TRACE("header " + std::to_string(nHeader) + " numbers " + std::to_string(nNumbers));
            SetBands(nHeader, nNumbers);
            m_harness.Print(ViewOf(pDoc));
            const int nRows = BodyRows(m_harness.m_pages[0]);
            std::vector<int> ys;
            for (const CPageText& text : m_harness.m_pages[0].texts)
                if (text.y != HeaderY() && text.y != FooterY() && (ys.empty() || ys.back() != text.y))
                    ys.push_back(text.y);
            std::sort(ys.begin(), ys.end());
            ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
            ASSERT_GE(ys.size(), 2u);
            const int nLineHeight = ys[1] - ys[0];
            const int nTextHeight = nHeight - 2 * nBands * ViewOf(pDoc)->m_printPages.GetBandHeight();
            EXPECT_EQ(nRows, nTextHeight / nLineHeight);
        }
}

TEST_F(PrintTest, APageLowerThanALineStopsWithAMessage)
{
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(20)));
    ASSERT_TRUE(pDoc != NULL);
    SetBands(1, 1);
    m_harness.m_rcPage.bottom = 4 * (m_nTextHeight + 5) + 4;
    m_harness.Print(ViewOf(pDoc));
    EXPECT_TRUE(m_harness.m_pages.empty());
    EXPECT_EQ(m_harness.m_pInfo->GetMaxPage(), 0u);
    ASSERT_EQ(theApp.m_messageBoxes.size(), 1u);
    EXPECT_EQ(theApp.m_messageBoxes[0], "The page is too small to print the text.");
    ExpectRestored(pDoc);
}

TEST_F(PrintTest, AJobThatCannotStartStillShowsTheFrameAndUnwraps)
{
    CVornDoc* pOther = Open(WriteFile("other.lua", "x = 1\n"));
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(20)));
    ASSERT_TRUE(pDoc != NULL && pOther != NULL);
    // A memory DC is no printer: the job fails to start, which the class library says.
    CPrintInfo info;
    info.m_rectDraw = m_harness.m_rcPage;
    static_cast<CPrintJobAccess*>(ViewOf(pDoc))->PrintPages(&m_harness.m_dc, &info);
    ExpectRestored(pDoc);
    EXPECT_EQ(theApp.m_messageBoxes.size(), 1u);
}

TEST_F(PrintTest, FilePrintAndPrintSetupWithoutAPrinterSayOnceThatThereIsNone)
{
    const std::string sample = PrintSample(30);
    CVornDoc* pOther = Open(WriteFile("other.lua", "x = 1\n"));
    CVornDoc* pDoc = Open(WriteFile("demo.lua", sample));
    ASSERT_TRUE(pDoc != NULL && pOther != NULL);
    const HGLOBAL hDevNames = theApp.m_hDevNames, hDevMode = theApp.m_hDevMode;
    FrameOf(pDoc)->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    FrameOf(pDoc)->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
    PumpPending();
    ASSERT_EQ(theApp.m_messageBoxes.size(), 2u);
    for (const std::string& strMessage : theApp.m_messageBoxes)
        EXPECT_EQ(strMessage.find("No printer is installed."), 0u) << strMessage;
    EXPECT_EQ(theApp.m_hDevNames, hDevNames) << "the printer chosen before stays";
    EXPECT_EQ(theApp.m_hDevMode, hDevMode);
    ExpectRestored(pDoc);
    const int nLength = ViewOf(pDoc)->GetCtrl().GetLength();
    std::string text(nLength + 1, '\0');
    ViewOf(pDoc)->GetCtrl().Call(SCI_GETTEXT, nLength + 1, (LPARAM)&text[0]);
    text.resize(nLength);
    EXPECT_EQ(text, sample);
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(PrintTest, PrepareOffersTheSelectionAndSaysWhenThereIsNoPrinter)
{
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(10)));
    ASSERT_TRUE(pDoc != NULL);
    CVornView* pView = ViewOf(pDoc);
    // Without a printer the dialog does not open (the test prefix has none); that is
    // reported once, with nothing hidden or wrapped.
    {
        CPrintInfo info;
        info.m_pPD->m_pd.lStructSize = 1;
        EXPECT_FALSE(pView->OnPreparePrinting(&info));
        EXPECT_TRUE(info.m_pPD->m_pd.Flags & PD_NOSELECTION);
        EXPECT_FALSE(info.m_pPD->m_pd.Flags & PD_SELECTION);
    }
    ASSERT_EQ(theApp.m_messageBoxes.size(), 1u);
    EXPECT_EQ(theApp.m_messageBoxes[0].find("No printer is installed."), 0u) << theApp.m_messageBoxes[0];
    ExpectRestored(pDoc);

    // With text selected the dialog offers the selection, already chosen.
    pView->GetCtrl().Call(SCI_SETSEL, 3, 20);
    CPrintInfo info;
    info.m_pPD->m_pd.lStructSize = 1;
    EXPECT_FALSE(pView->OnPreparePrinting(&info));
    EXPECT_FALSE(info.m_pPD->m_pd.Flags & PD_NOSELECTION);
    EXPECT_TRUE(info.m_pPD->m_pd.Flags & PD_SELECTION);
}

TEST_F(PrintTest, AMaximisedFrameComesBackMaximisedAndActive)
{
    CVornDoc* pOther = Open(WriteFile("other.lua", "x = 1\n"));
    CVornDoc* pDoc = Open(WriteFile("demo.lua", PrintSample(100)));
    ASSERT_TRUE(pDoc != NULL && pOther != NULL);
    CMDIFrameWnd* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    pMain->MDIMaximize(FrameOf(pDoc));
    PumpPending();
    m_harness.Print(ViewOf(pDoc));
    PumpPending();
    ASSERT_GE(m_harness.m_pages.size(), 2u);
    EXPECT_FALSE(m_harness.m_pages[0].bFrameVisible);
    ExpectRestored(pDoc);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pMain->MDIGetActive(&bMaximized), FrameOf(pDoc));
    EXPECT_TRUE(bMaximized);
    pMain->MDIRestore(FrameOf(pDoc));
    PumpPending();
}

TEST_F(PrintTest, PreviewShowsThePagesTheJobPrintsAndGivesTheFrameBack)
{
    const std::string sample = PrintSample(2000);
    CVornDoc* pOther = Open(WriteFile("other.lua", "x = 1\n"));
    CVornDoc* pDoc = Open(WriteFile("demo.lua", sample));
    ASSERT_TRUE(pDoc != NULL && pOther != NULL);
    CMDIFrameWnd* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    pMain->MDIMaximize(FrameOf(pDoc));
    PumpPending();

    FrameOf(pDoc)->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    PumpPending();
    CPreviewView* pPreview = pMain->GetPreviewView();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_TRUE(pPreview->GetPrintInfo()->m_bPreview);
    EXPECT_EQ(WrapMode(ViewOf(pDoc)), 1) << "the text wraps for the page while the preview shows";
    const UINT nPages = pPreview->GetPageCount();
    ASSERT_GE(nPages, 3u);
    const CRect rcPage = pPreview->GetPrintInfo()->m_rectDraw;

    // The pictures hold the header, the footer's page number and the lines in order.
    CPrintedPage first, third;
    first.hMetaFile = pPreview->GetPagePicture(1);
    third.hMetaFile = pPreview->GetPagePicture(3);
    ASSERT_TRUE(first.hMetaFile != NULL && third.hMetaFile != NULL);
    CPrintHarness::ReadPage(first);
    CPrintHarness::ReadPage(third);
    std::string strFirst, strThird;
    for (const CPageText& text : first.texts)
        strFirst += text.strText;
    for (const CPageText& text : third.texts)
        strThird += text.strText;
    EXPECT_NE(strFirst.find("demo.lua"), std::string::npos);
    EXPECT_NE(WithoutBlanks(strFirst).find("v0001=1v0002=2"), std::string::npos);
    EXPECT_NE(strThird.find("Page 3"), std::string::npos);
    first.hMetaFile = third.hMetaFile = NULL;   // the preview's

    // A document cannot be edited while its preview shows.
    EXPECT_FALSE(pMain->OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(pMain->OnCmdMsg(ID_EDIT_UNDO, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(pDoc->IsModified());

    // Page turns and the last page.
    pPreview->SendMessage(WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    pPreview->SendMessage(WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(pPreview->GetCurrentPage(), nPages);

    // One and two pages, whole and zoomed: the sheets are paper on the workspace.
    pPreview->SendMessage(WM_KEYDOWN, VK_HOME, 1);
    const char* const shots[] = { "preview_one_page", "preview_one_page_zoomed", "preview_two_pages",
                                  "preview_two_pages_zoomed" };
    for (int i = 0; i < 4; i++)
    {
        if (i == 2)
        {
            pMain->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
            pMain->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
        }
        if (i % 2 == 1)
            pMain->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
        pPreview->UpdateWindow();
        CScreenPicture picture(pPreview->m_hWnd);
        const CRect rcSheet = pPreview->GetPageRect(0);
        CRect rcClient;
        pPreview->GetClientRect(&rcClient);
        const CPoint ptPaper(std::max(rcSheet.left, 0L) + 2, std::max(rcSheet.top, 0L) + 2);
        EXPECT_EQ(picture.GetClientPixel(pPreview->m_hWnd, ptPaper), RGB(255, 255, 255)) << shots[i];
        EXPECT_TRUE(picture.SaveIfWanted(shots[i]));
    }

    pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    PumpPending();
    EXPECT_TRUE(pMain->GetPreviewView() == NULL);
    ExpectRestored(pDoc);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pMain->MDIGetActive(&bMaximized), FrameOf(pDoc));
    EXPECT_TRUE(bMaximized);

    // The job on the same page prints as many pages as the preview showed.
    m_harness.m_rcPage = rcPage;
    m_harness.Print(ViewOf(pDoc));
    EXPECT_EQ(m_harness.m_pages.size(), (size_t)nPages);
    pMain->MDIRestore(FrameOf(pDoc));
    PumpPending();
}
