// Print preview in the test frame: the frame's state before and after, the pages and
// zoom, leaving the preview by every road, and the pictures the preview paints. The
// test prefix has no printer, so these previews show the default page.
#include "frame_fixture.h"

#include "ScreenPicture.h"

#include <algorithm>

namespace
{
CFrameWnd* ChildOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    return pView != NULL ? pView->GetParentFrame() : NULL;
}

int CountEvents(const std::string& strEvent)
{
    return (int)std::count(g_events.begin(), g_events.end(), strEvent);
}

CString StatusText(CMainFrame* pFrame)
{
    CString strText;
    pFrame->m_wndStatusBar.GetPaneText(0, strText);
    return strText;
}

BOOL IsShown(CWnd& wnd)
{
    return (wnd.GetStyle() & WS_VISIBLE) != 0;
}

class PreviewTest : public FrameTest
{
protected:
    CScratchDir m_dir;

    // A document of as many pages as it has lines, in its own frame.
    CTextDoc* OpenPages(LPCTSTR lpszName, int nPages)
    {
        CString strText;
        for (int i = 1; i <= nPages; i++)
            strText.AppendFormat(i == 1 ? "line %d" : "\nline %d", i);
        WriteWholeFile(m_dir.Path(lpszName), strText);
        return (CTextDoc*)theApp.OpenDocumentFile(m_dir.Path(lpszName));
    }

    CPreviewView* StartPreview()
    {
        m_pFrame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
        PumpPending();
        m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        return m_pFrame->GetPreviewView();
    }

    CWnd* PreviewButton(UINT nID)
    {
        return CWnd::FromHandle(::GetDlgItem(::GetDlgItem(m_pFrame->m_hWnd, AFX_IDW_PREVIEW_BAR), nID));
    }

    void Key(CPreviewView* pView, UINT nKey)
    {
        pView->SendMessage(WM_KEYDOWN, nKey, 1);
        m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
};
} // namespace

TEST_F(PreviewTest, PreviewTakesTheFrameAndGivesItBackAsItWas)
{
    CTextDoc* pFirst = OpenPages("a.txt", 3);
    CTextDoc* pSecond = OpenPages("b.txt", 3);
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
    m_pFrame->MDIMaximize(ChildOf(pSecond));
    m_pFrame->ShowControlBar(&m_pFrame->m_wndBars[1], FALSE, FALSE);
    m_pFrame->ShowControlBar(&m_pFrame->m_wndBars[0], TRUE, FALSE);
    PumpPending();
    CView* pActiveView = ChildOf(pSecond)->GetActiveView();
    g_events.clear();

    CPreviewView* pPreview = StartPreview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_EQ(pActiveView, pPreview->GetPrintView()) << "the active document's view is previewed";
    EXPECT_EQ(1, CountEvents("begin printing preview"));
    EXPECT_TRUE(pPreview->GetPrintInfo()->m_bPreview);
    EXPECT_EQ(3u, pPreview->GetPageCount());
    EXPECT_EQ(pPreview, m_pFrame->GetActiveView());
    EXPECT_FALSE(IsShown(m_pFrame->m_wndToolBar));
    EXPECT_FALSE(IsShown(m_pFrame->m_wndBars[0]));
    EXPECT_TRUE(IsShown(m_pFrame->m_wndStatusBar)) << "the status line stays for the page numbers";
    EXPECT_FALSE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
    EXPECT_STREQ("Page 1", StatusText(m_pFrame));
    // The toolbar and its texts.
    const UINT ids[] = {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV, AFX_ID_PREVIEW_NUMPAGE,
                        AFX_ID_PREVIEW_ZOOMIN, AFX_ID_PREVIEW_ZOOMOUT, AFX_ID_PREVIEW_CLOSE};
    const char* texts[] = {"Print...", "Next Page", "Prev Page", "Two Page", "Zoom In", "Zoom Out", "&Close"};
    for (int i = 0; i < 7; i++)
    {
        CWnd* pButton = PreviewButton(ids[i]);
        ASSERT_TRUE(pButton != NULL) << texts[i];
        CString strText;
        pButton->GetWindowText(strText);
        EXPECT_STREQ(texts[i], strText);
    }
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_PREV)->IsWindowEnabled());
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_ZOOMOUT)->IsWindowEnabled());
    // The preview is modal: the documents take no commands, the frame's still run.
    AFX_CMDHANDLERINFO info;
    EXPECT_FALSE(m_pFrame->OnCmdMsg(ID_FILE_SAVE, CN_COMMAND, NULL, &info));
    EXPECT_FALSE(m_pFrame->OnCmdMsg(ID_FILE_PRINT_PREVIEW, CN_COMMAND, NULL, &info));
    EXPECT_TRUE(m_pFrame->OnCmdMsg(ID_TEST_HANDLED, CN_COMMAND, NULL, &info));

    Key(pPreview, VK_ESCAPE);
    PumpPending();
    EXPECT_EQ(NULL, m_pFrame->GetPreviewView());
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
    EXPECT_EQ(1, CountEvents("end printing"));
    EXPECT_TRUE(IsShown(m_pFrame->m_wndToolBar));
    EXPECT_TRUE(IsShown(m_pFrame->m_wndBars[0]));
    EXPECT_FALSE(IsShown(m_pFrame->m_wndBars[1])) << "a bar hidden before stays hidden";
    EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(m_pFrame->m_hWndMDIClient));
    EXPECT_EQ(NULL, ::GetDlgItem(m_pFrame->m_hWnd, AFX_IDW_PREVIEW_BAR));
    BOOL bMaximized = FALSE;
    EXPECT_EQ(ChildOf(pSecond), m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_EQ(pActiveView, ChildOf(pSecond)->GetActiveView());
    EXPECT_EQ(NULL, m_pFrame->GetActiveView());
}

TEST_F(PreviewTest, PagesTurnWithinTheDocumentAndTwoPagesEndOnTheLast)
{
    ASSERT_TRUE(OpenPages("five.txt", 5) != NULL);
    CPreviewView* pPreview = StartPreview();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_EQ(5u, pPreview->GetPageCount());

    Key(pPreview, VK_PRIOR);
    EXPECT_EQ(1u, pPreview->GetCurrentPage()) << "no page before the first";
    Key(pPreview, VK_NEXT);
    EXPECT_EQ(2u, pPreview->GetCurrentPage());
    m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(3u, pPreview->GetCurrentPage());
    pPreview->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    EXPECT_EQ(4u, pPreview->GetCurrentPage()) << "the wheel turns a page that fits";
    Key(pPreview, VK_END);
    EXPECT_EQ(5u, pPreview->GetCurrentPage());
    Key(pPreview, VK_NEXT);
    EXPECT_EQ(5u, pPreview->GetCurrentPage()) << "no page after the last";
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled());
    EXPECT_STREQ("Page 5", StatusText(m_pFrame));

    // Two pages on the last page show it beside the one before.
    PreviewButton(AFX_ID_PREVIEW_NUMPAGE)->SendMessage(BM_CLICK);
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_EQ(2u, pPreview->GetPagesShown());
    EXPECT_EQ(4u, pPreview->GetCurrentPage());
    EXPECT_STREQ("Pages 4-5", StatusText(m_pFrame));
    CString strText;
    PreviewButton(AFX_ID_PREVIEW_NUMPAGE)->GetWindowText(strText);
    EXPECT_STREQ("One Page", strText);
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled());
    const CRect rcLeft = pPreview->GetPageRect(0), rcRight = pPreview->GetPageRect(1);
    EXPECT_LT(rcLeft.right, rcRight.left);
    EXPECT_EQ(rcLeft.Size(), rcRight.Size());
    Key(pPreview, VK_HOME);
    EXPECT_STREQ("Pages 1-2", StatusText(m_pFrame));

    // Zoom: three steps, each larger; a click past the last goes back to the whole page.
    const CRect rcFit = pPreview->GetPageRect(0);
    m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    const CRect rcMiddle = pPreview->GetPageRect(0);
    m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    const CRect rcIn = pPreview->GetPageRect(0);
    EXPECT_GT(rcMiddle.Width(), rcFit.Width());
    EXPECT_GT(rcIn.Width(), rcMiddle.Width());
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(PreviewButton(AFX_ID_PREVIEW_ZOOMIN)->IsWindowEnabled());
    EXPECT_TRUE(PreviewButton(AFX_ID_PREVIEW_ZOOMOUT)->IsWindowEnabled());
    // Zoomed in, the wheel scrolls the page instead of turning it.
    pPreview->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    EXPECT_EQ(1u, pPreview->GetCurrentPage());
    EXPECT_LT(pPreview->GetPageRect(0).top, rcIn.top);
    pPreview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(CPreviewView::ZOOM_OUT, pPreview->GetZoomState());
    EXPECT_EQ(rcFit, pPreview->GetPageRect(0));
    pPreview->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(CPreviewView::ZOOM_MIDDLE, pPreview->GetZoomState());
    m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPending();
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
}

TEST_F(PreviewTest, LeavingThePreviewAnyWayRunsTheEndStepAndRestoresTheFrame)
{
    // Closing the document.
    CTextDoc* pDoc = OpenPages("a.txt", 2);
    ASSERT_TRUE(pDoc != NULL);
    g_events.clear();
    ASSERT_TRUE(StartPreview() != NULL);
    pDoc->OnCloseDocument();
    PumpPending();
    EXPECT_EQ(1, CountEvents("end printing"));
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
    EXPECT_TRUE(IsShown(m_pFrame->m_wndToolBar));
    EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));

    // A command of the frame: the preview ends, then the command runs.
    ASSERT_TRUE(OpenPages("b.txt", 2) != NULL);
    g_events.clear();
    ASSERT_TRUE(StartPreview() != NULL);
    const int nHandled = m_pFrame->m_nHandled;
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_HANDLED);
    EXPECT_EQ(nHandled + 1, m_pFrame->m_nHandled);
    EXPECT_EQ(1, CountEvents("end printing"));
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());

    // Closing the frame: the preview ends before the documents close.
    g_events.clear();
    ASSERT_TRUE(StartPreview() != NULL);
    theApp.m_answers.assign(4, IDNO);
    m_pFrame->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_EQ(1, CountEvents("end printing"));
    const auto itEnd = std::find(g_events.begin(), g_events.end(), "end printing");
    const auto itGone = std::find(g_events.begin(), g_events.end(), "view destroyed");
    EXPECT_TRUE(itEnd < itGone) << "the preview ends before the documents close";
}

TEST_F(PreviewTest, PagesArePaintedOnPaperWithAShadowOverTheWorkspace)
{
    ASSERT_TRUE(OpenPages("a.txt", 2) != NULL);
    CPreviewView* pPreview = StartPreview();
    ASSERT_TRUE(pPreview != NULL);
    pPreview->UpdateWindow();
    const CRect rcPaper = pPreview->GetPageRect(0);
    // Without a printer the page is A4 or Letter.
    const double dAspect = (double)rcPaper.Height() / rcPaper.Width();
    EXPECT_TRUE(std::abs(dAspect - 297.0 / 210.0) < 0.02 || std::abs(dAspect - 11.0 / 8.5) < 0.02) << dAspect;

    CScreenPicture picture(pPreview->m_hWnd);
    const HWND hWnd = pPreview->m_hWnd;
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), picture.GetClientPixel(hWnd, CPoint(2, 2)));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), picture.GetClientPixel(hWnd, CPoint(rcPaper.right + 2, rcPaper.CenterPoint().y)));
    EXPECT_EQ(RGB(0, 0, 0), picture.GetClientPixel(hWnd, rcPaper.TopLeft())) << "the sheet's edge";
    // The margin of an inch is paper; the page's upper half is black, its lower white.
    EXPECT_EQ(RGB(255, 255, 255), picture.GetClientPixel(hWnd, rcPaper.TopLeft() + CSize(3, 3)));
    EXPECT_EQ(RGB(0, 0, 0), picture.GetClientPixel(hWnd, CPoint(rcPaper.CenterPoint().x, rcPaper.top + rcPaper.Height() / 4)));
    EXPECT_EQ(RGB(255, 255, 255), picture.GetClientPixel(hWnd, CPoint(rcPaper.CenterPoint().x, rcPaper.bottom - rcPaper.Height() / 4)));
    EXPECT_TRUE(picture.SaveIfWanted("preview_one_page"));
    m_pFrame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
}

TEST_F(PreviewTest, PrintSetupWithoutAPrinterSaysSoAndChangesNothing)
{
    theApp.m_prompts.clear();
    theApp.OnFilePrintSetup();
    ASSERT_EQ(1u, theApp.m_prompts.size());
    EXPECT_EQ(0u, theApp.m_prompts[0].find("No printer is installed."));
    EXPECT_EQ(NULL, theApp.m_hDevNames);
    EXPECT_EQ(NULL, theApp.m_hDevMode);
}
