// The main frame of the real application: its bars, sheets and panes, the update
// rules of its commands against the frame's state, the Output pane's jump, and closing
// the project and the window.
#include "AppTestSupport.h"

#include "CCodeNavigatorPage.h"
#include "CExtCommandManagerHolder.h"
#include "CExtDockBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CGoToTableDlg.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "CExtToolControlBar.h"
#include "CProjectFileEntry.h"
#include "CViewManager.h"
#include "PathUtil.h"
#include "COutline.h"
#include "COutlineFile.h"
#include "COutlineNode.h"
#include "COutputView.h"
#include "LuaEditorSetup.h"
#include "ScreenPicture.h"
#include "SentInput.h"
#include "WindowBitmap.h"
#include "resource.h"

#include <SciLexer.h>

#include <memory>
#include <set>
#include <functional>
#include <thread>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

std::vector<std::string> PageTitles(CPropertySheet* pSheet)
{
    std::vector<std::string> titles;
    CTabCtrl* pTabs = pSheet->GetTabControl();
    for (int i = 0; i < pTabs->GetItemCount(); i++)
    {
        char szText[128] = "";
        TCITEM item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        pTabs->GetItem(i, &item);
        titles.push_back(szText);
    }
    return titles;
}

CPropertySheet* SheetOfBar(UINT nBarID)
{
    CWnd* pChild = Frame()->GetBar(nBarID).GetWindow(GW_CHILD);
    return dynamic_cast<CPropertySheet*>(pChild);
}

void Command(UINT nID)
{
    Frame()->SendMessage(WM_COMMAND, nID);
    PumpPending();
}

bool Enabled(UINT nID)
{
    return QueryCommand(Frame(), nID).bEnabled;
}
} // namespace

// A project in a fresh folder, opened in the frame, with Lua files on disk; closed
// again (discarding its documents) after the test.
class FrameWithProject : public ::testing::Test
{
protected:
    CTestFolder m_folder;

    void SetUp() override
    {
        ASSERT_TRUE(Frame() != NULL);
        theApp.m_prompts.clear();
        theApp.m_answers.clear();
        ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    }
    void TearDown() override
    {
        theApp.m_answers.assign(16, IDNO);
        if (Frame() != NULL)
        {
            Frame()->OnCloseProject();
            Project().Discard();
        }
        theApp.CloseAllDocuments(FALSE);
        PumpPending();
    }
    CProject& Project() { return Frame()->GetProject(); }
    CProjectFileEntry* AddLuaFile(LPCTSTR pszName, const std::string& text = "local x = 1\nprint(x)\nreturn x\n")
    {
        WriteTestFile(m_folder / pszName, text);
        return Project().AddFile(m_folder / pszName, "");
    }
    CVornView* Open(LPCTSTR pszName)
    {
        CVornDoc* pDoc = dynamic_cast<CVornDoc*>(theApp.OpenDocumentFile(m_folder / pszName));
        PumpPending();
        return pDoc != NULL ? pDoc->GetView() : NULL;
    }
};

TEST(MainFrame, HasItsBarsSheetsAndPanes)
{
    CMainFrame* pFrame = Frame();
    ASSERT_TRUE(pFrame != NULL);
    struct
    {
        UINT nID;
        const char* pszCaption;
    } const kBars[] = { { ID_VIEW_PROJECT_EXPLORER, "Project Explorer" }, { ID_VIEW_OUTPUT, "Output" },
                        { ID_VIEW_BREAKPOINTS, "Breakpoints" }, { ID_VIEW_VARIABLES, "Variables" },
                        { ID_VIEW_CALL_STACK, "Call Stack" } };
    for (const auto& bar : kBars)
    {
        CControlBar* pBar = pFrame->GetControlBar(bar.nID);
        ASSERT_TRUE(pBar != NULL) << bar.pszCaption;
        EXPECT_EQ(g_CommandManagerHolder->GetCommandCaption(pFrame->m_hWnd, bar.nID), bar.pszCaption);
    }

    CPropertySheet* pExplorer = SheetOfBar(ID_VIEW_PROJECT_EXPLORER);
    CPropertySheet* pOutput = SheetOfBar(ID_VIEW_OUTPUT);
    CPropertySheet* pVariables = SheetOfBar(ID_VIEW_VARIABLES);
    ASSERT_TRUE(pExplorer != NULL && pOutput != NULL && pVariables != NULL);
    EXPECT_EQ(PageTitles(pExplorer), (std::vector<std::string>{ "Code Navigator", "Files" }));
    EXPECT_EQ(PageTitles(pOutput), (std::vector<std::string>{ "Output", "Debug", "Find In Files", "Find In Files 2" }));
    EXPECT_EQ(PageTitles(pVariables), (std::vector<std::string>{ "Locals", "Globals", "Watches" }));
    // Every page window exists, and the first page of each sheet shows.
    for (CPropertySheet* pSheet : { pExplorer, pOutput, pVariables })
    {
        EXPECT_EQ(pSheet->GetActiveIndex(), 0);
        for (int i = 0; i < pSheet->GetPageCount(); i++)
            EXPECT_TRUE(pSheet->GetPage(i)->GetSafeHwnd() != NULL);
        // The selector is one row of flat buttons with separators.
        const DWORD dwStyle = pSheet->GetTabControl()->GetStyle();
        EXPECT_TRUE((dwStyle & (TCS_BUTTONS | TCS_FLATBUTTONS)) == (TCS_BUTTONS | TCS_FLATBUTTONS));
        EXPECT_FALSE(dwStyle & TCS_MULTILINE);
        EXPECT_TRUE(pSheet->GetTabControl()->SendMessage(TCM_GETEXTENDEDSTYLE) & TCS_EX_FLATSEPARATORS);
        EXPECT_FALSE(pSheet->GetStyle() & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
    }
    EXPECT_TRUE(pFrame->GetOutputCtrl() == pFrame->GetOutputPage().GetCtrl());
    ASSERT_TRUE(pFrame->GetOutputCtrl() != NULL);

    // The hidden Lua control never shows.
    CWnd* pTemp = pFrame->GetDlgItem(IDC_TEMP_SCINTILLA);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_FALSE(pTemp->IsWindowVisible());

    // Five status panes: message, caret, and the three key states.
    CStatusBar* pStatus = dynamic_cast<CStatusBar*>(pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(pStatus != NULL);
    EXPECT_EQ(pStatus->CommandToIndex(ID_INDICATOR_CARET), 1);
    EXPECT_EQ(pStatus->CommandToIndex(ID_INDICATOR_SCRL), 4);

    // The File Hotlist button drops down its menu with the fixed items.
    CMenu* pHotlist = pFrame->GetHotlistMenu();
    ASSERT_TRUE(pHotlist != NULL);
    ASSERT_EQ(pHotlist->GetMenuItemCount(), 3u);
    EXPECT_EQ(pHotlist->GetMenuItemID(1), (UINT)ID_HOTLIST_ADD_REMOVE);
    EXPECT_EQ(pHotlist->GetMenuItemID(2), (UINT)ID_HOTLIST_MANAGE);
}

TEST(MainFrame, ColdStartDocksTheBarsByDefault)
{
    CMainFrame* pFrame = Frame();
    // The layout tests of the program itself start with no saved layout, as here.
    EXPECT_EQ(pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER).GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(pFrame->GetBar(ID_VIEW_OUTPUT).GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(pFrame->GetBar(ID_VIEW_BREAKPOINTS).GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(pFrame->GetBar(ID_VIEW_VARIABLES).GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(pFrame->GetBar(ID_VIEW_CALL_STACK).GetDockBarID(), (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER).IsVisible());
    EXPECT_TRUE(pFrame->GetBar(ID_VIEW_OUTPUT).IsVisible());
    // The debugger's windows wait for a debug session.
    EXPECT_FALSE(pFrame->GetBar(ID_VIEW_BREAKPOINTS).IsVisible());
    EXPECT_FALSE(pFrame->GetBar(ID_VIEW_VARIABLES).IsVisible());
    EXPECT_FALSE(pFrame->GetBar(ID_VIEW_CALL_STACK).IsVisible());
    // The window takes most of the work area, centred.
    CRect rcWork, rcFrame;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    pFrame->GetWindowRect(&rcFrame);
    EXPECT_EQ(rcFrame.Width(), rcWork.Width() * 17 / 20);
    EXPECT_EQ(rcFrame.Height(), rcWork.Height() * 17 / 20);
    EXPECT_EQ(rcFrame.CenterPoint().x / 4, rcWork.CenterPoint().x / 4);
}

namespace
{
CRect RectInFrame(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    Frame()->ScreenToClient(&rc);
    return rc;
}

void RestoreLook(CMainFrame* pFrame, CRuntimeClass* pLook)
{
    if (pLook == RUNTIME_CLASS(CExtPaintManager))
        pFrame->SetUIStyleClassic();
    else if (pLook == RUNTIME_CLASS(CExtPaintManagerXP))
        pFrame->SetUIStyleXP();
    else
        pFrame->SetUIStyleOffice2003();
    PumpPending();
}
} // namespace

TEST(MainFrame, TheDefaultLayoutDocksInCompactCirclesAndFullScreenGivesTheTabsBarItsPlaceBack)
{
    CMainFrame* pFrame = Frame();
    // Docked at layers 1, 3, 4, 5, 6 and 7 in this order: circles 1 to 6, one each.
    const UINT kInCallOrder[] = { ID_VIEW_PROJECT_EXPLORER, ID_VIEW_OUTPUT, ID_VIEW_FILE_TABS,
                                  ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES, ID_VIEW_CALL_STACK };
    CViewManager* pTabs = pFrame->GetMDIClient().GetViewManager();
    ASSERT_TRUE(pTabs != NULL);
    for (UINT n = 0; n < 6; n++)
    {
        CExtControlBar* pBar = kInCallOrder[n] == ID_VIEW_FILE_TABS ? pTabs : &pFrame->GetBar(kInCallOrder[n]);
        EXPECT_EQ(pBar->GetDockLayer(), n + 1) << kInCallOrder[n];
    }
    EXPECT_EQ(CExtDockBar::GetCircleCount(pFrame), 7u);
    // Each shown pane lies inside the circles before it: the Output pane right of the
    // explorer, the tabs bar right of it and above the Output pane, both below the toolbar.
    const CRect rcExplorer = RectInFrame(&pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER));
    const CRect rcOutput = RectInFrame(&pFrame->GetBar(ID_VIEW_OUTPUT));
    const CRect rcTabs = RectInFrame(pTabs);
    const CRect rcToolBar = RectInFrame(pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    EXPECT_EQ(rcOutput.left, rcExplorer.right);
    EXPECT_EQ(rcTabs.left, rcExplorer.right);
    EXPECT_LE(rcTabs.bottom, rcOutput.top);
    EXPECT_GE(rcExplorer.top, rcToolBar.bottom);
    EXPECT_GE(rcTabs.top, rcToolBar.bottom);

    // The frame-edge left dock bar holds no bar; given room, it shows the classic face.
    CRuntimeClass* pLookBefore = g_PaintManagerHolder->GetRuntimeClass();
    pFrame->SetUIStyleClassic();
    PumpPending();
    CDockBar* pEmpty = DYNAMIC_DOWNCAST(CDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    ASSERT_TRUE(pEmpty != NULL);
    ASSERT_EQ(pEmpty->GetDockedCount(), 0);
    const HWND hWndAbove = ::GetWindow(pEmpty->m_hWnd, GW_HWNDPREV);
    pEmpty->SetWindowPos(&CWnd::wndTop, 0, rcExplorer.top, 40, 60, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    const CScreenPicture picture(pEmpty->m_hWnd);
    EXPECT_EQ(picture.GetClientPixel(pEmpty->m_hWnd, CPoint(20, 30)), ::GetSysColor(COLOR_3DFACE));
    ::SetWindowPos(pEmpty->m_hWnd, hWndAbove != NULL ? hWndAbove : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RestoreLook(pFrame, pLookBefore);
    pFrame->RecalcLayout();
    PumpPending();
    EXPECT_EQ(RectInFrame(pEmpty).Width(), 0);

    // Full screen floats the tabs bar; leaving it docks the bar back on its dock bar,
    // in its circle, where it was.
    CDockBar* pTabsDockBar = pTabs->m_pDockBar;
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_TRUE(pTabs->IsFloating());
    Command(ID_VIEW_FULL_SCREEN);
    EXPECT_EQ(pTabs->m_pDockBar, pTabsDockBar);
    EXPECT_EQ(pTabs->GetDockLayer(), 3u);
    EXPECT_EQ(RectInFrame(pTabs), rcTabs);
    EXPECT_EQ(CExtDockBar::GetCircleCount(pFrame), 7u);

    // With the debugger's panes shown too, no pane covers another where it shows: a
    // pane longer than the room its circle has left is clipped by its dock bar.
    const UINT kHidden[] = { ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES, ID_VIEW_CALL_STACK };
    for (UINT nID : kHidden)
        pFrame->ShowControlBar(&pFrame->GetBar(nID), TRUE, FALSE);
    pFrame->RecalcLayout();
    PumpPending();
    std::vector<CRect> shown;
    for (UINT nID : kInCallOrder)
    {
        CControlBar* pBar = nID == ID_VIEW_FILE_TABS ? pTabs : &pFrame->GetBar(nID);
        CRect rcShown;
        rcShown.IntersectRect(RectInFrame(pBar), RectInFrame(pBar->GetParent()));
        EXPECT_FALSE(rcShown.IsRectEmpty()) << nID;
        shown.push_back(rcShown);
    }
    for (size_t i = 0; i < shown.size(); i++)
    {
        for (size_t j = i + 1; j < shown.size(); j++)
        {
            CRect rcOverlap;
            EXPECT_FALSE(rcOverlap.IntersectRect(&shown[i], &shown[j])) << kInCallOrder[i] << " " << kInCallOrder[j];
        }
    }
    pFrame->SetUIStyleClassic();
    ScreenshotMainFrame("default_layout_classic");
    pFrame->SetUIStyleXP();
    ScreenshotMainFrame("default_layout_xp");
    RestoreLook(pFrame, pLookBefore);
    for (UINT nID : kHidden)
        pFrame->ShowControlBar(&pFrame->GetBar(nID), FALSE, FALSE);
    pFrame->RecalcLayout();
    PumpPending();
}

TEST(MainFrame, BarCommandsToggleTheirBarsWithACheckMark)
{
    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_OUTPUT).nCheck, 1);
    Command(ID_VIEW_OUTPUT);
    EXPECT_FALSE(Frame()->GetBar(ID_VIEW_OUTPUT).IsVisible());
    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_OUTPUT).nCheck, 0);
    Command(ID_VIEW_OUTPUT);
    EXPECT_TRUE(Frame()->GetBar(ID_VIEW_OUTPUT).IsVisible());
    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_OUTPUT).nCheck, 1);

    EXPECT_EQ(QueryCommand(Frame(), ID_VIEW_CALL_STACK).nCheck, 0);
    Command(ID_VIEW_CALL_STACK);
    EXPECT_TRUE(Frame()->GetBar(ID_VIEW_CALL_STACK).IsVisible());
    Command(ID_VIEW_CALL_STACK);
    EXPECT_FALSE(Frame()->GetBar(ID_VIEW_CALL_STACK).IsVisible());
}

TEST(MainFrame, CommandsWithoutTheirWorkAreNeverOffered)
{
    // Without a project nothing can be started and no watch kept.
    ASSERT_FALSE(Frame()->GetProject().IsOpen());
    EXPECT_FALSE(Enabled(ID_DEBUG_START));
    EXPECT_FALSE(Enabled(ID_WATCHES_ADD));
    // An idle debug session offers none of its commands.
    for (UINT nID : { ID_DEBUG_STOP, ID_DEBUG_BREAK, ID_DEBUG_STEP_INTO, ID_DEBUG_STEP_OVER, ID_DEBUG_STEP_OUT,
                      ID_GLOBALS_REFRESH })
        EXPECT_FALSE(Enabled(nID)) << nID;
    // The three numbered ranges are always offered.
    for (UINT nID : { ID_OPEN_WINDOW_FIRST, ID_OPEN_WINDOW_LAST, ID_EXTERNAL_TOOL_FIRST, ID_HOTLIST_ENTRY_LAST })
        EXPECT_TRUE(Enabled(nID)) << nID;
    // Always there: the bars, the hotlist button and the web links.
    for (UINT nID : { ID_VIEW_PROJECT_EXPLORER, ID_FILE_HOTLIST, ID_HELP_VORN_HOME_PAGE, ID_HELP_CONTACT_AUTHOR,
                      ID_FILE_PRINT_OPTIONS, ID_SNIPPET_MANAGER })
        EXPECT_TRUE(Enabled(nID)) << nID;
}

TEST_F(FrameWithProject, StartFindNextAndAddWatchAreOfferedExactlyWhenTheirWorkCanBeDone)
{
    // Watches belong to the project: they can be added before any session.
    EXPECT_TRUE(Enabled(ID_WATCHES_ADD));
    // Start needs a file to run.
    EXPECT_FALSE(Enabled(ID_DEBUG_START));
    AddLuaFile("main.lua");
    EXPECT_TRUE(Enabled(ID_DEBUG_START));
    EXPECT_TRUE(Enabled(ID_WATCHES_ADD));

    // Find Next needs an editor with text in it and a text to find.
    CString& strFind = theApp.m_settings.m_strFRFind;
    const CString strSaved = strFind;
    strFind = "print";
    EXPECT_FALSE(Enabled(ID_FIND_NEXT));
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    EXPECT_TRUE(Enabled(ID_FIND_NEXT));
    strFind.Empty();
    EXPECT_FALSE(Enabled(ID_FIND_NEXT));
    strFind = "print";
    pView->GetCtrl().ClearAll();
    EXPECT_FALSE(Enabled(ID_FIND_NEXT));
    strFind = strSaved;
}

TEST_F(FrameWithProject, ProjectCommandsFollowTheProjectsState)
{
    // An empty project: closing, cleaning and running are offered, building is not.
    EXPECT_TRUE(Enabled(ID_FILE_CLOSE_PROJECT));
    EXPECT_TRUE(Enabled(ID_BUILD_CLEAN));
    EXPECT_TRUE(Enabled(ID_BUILD_EXECUTE));
    EXPECT_TRUE(Enabled(ID_PROJECT_BACKUP));
    EXPECT_FALSE(Enabled(ID_BUILD_BUILD));
    EXPECT_FALSE(Enabled(ID_BUILD_REBUILD));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_PROJECT)); // a new project is modified
    ASSERT_TRUE(Project().Save());
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_PROJECT));

    CProjectFileEntry* pEntry = AddLuaFile("main.lua");
    EXPECT_TRUE(Enabled(ID_BUILD_BUILD));
    EXPECT_TRUE(Enabled(ID_BUILD_REBUILD));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_PROJECT));
    // Compile needs the active editor to show a file of the project.
    EXPECT_FALSE(Enabled(ID_BUILD_COMPILE));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT)); // printing is the active editor's
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_PREVIEW));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_SETUP));
    ASSERT_TRUE(Open("main.lua") != NULL);
    EXPECT_TRUE(Enabled(ID_BUILD_COMPILE));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_ALL));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_SETUP));

    // "Enable All Breakpoints" only when there are breakpoints and none is enabled.
    EXPECT_EQ(QueryCommand(Frame(), ID_DEBUG_DISABLE_ALL_BREAKPOINTS).text, "Disable All Breakpoints");
    pEntry->AddBreakpoint(2);
    EXPECT_EQ(QueryCommand(Frame(), ID_DEBUG_DISABLE_ALL_BREAKPOINTS).text, "Disable All Breakpoints");
    Command(ID_DEBUG_DISABLE_ALL_BREAKPOINTS);
    EXPECT_TRUE(Project().AreAllBreakpointsDisabled());
    EXPECT_EQ(QueryCommand(Frame(), ID_DEBUG_DISABLE_ALL_BREAKPOINTS).text, "Enable All Breakpoints");
    Command(ID_DEBUG_DISABLE_ALL_BREAKPOINTS);
    EXPECT_FALSE(Project().AreAllBreakpointsDisabled());

    EXPECT_FALSE(Enabled(ID_WATCHES_DELETE_ALL));
    Project().AddWatch("player.health");
    EXPECT_TRUE(Enabled(ID_WATCHES_DELETE_ALL));
    Command(ID_WATCHES_DELETE_ALL);
    EXPECT_EQ(Project().GetWatchCount(), 0);

    ASSERT_TRUE(Frame()->OnCloseProject());
    for (UINT nID : { ID_FILE_CLOSE_PROJECT, ID_BUILD_CLEAN, ID_BUILD_BUILD, ID_BUILD_COMPILE, ID_FILE_SAVE_PROJECT,
                      ID_DEBUG_CLEAR_ALL_BREAKPOINTS, ID_DEBUG_DISABLE_ALL_BREAKPOINTS })
        EXPECT_FALSE(Enabled(nID)) << nID;
}

TEST_F(FrameWithProject, ClearAllBreakpointsEmptiesEveryFileAndEditor)
{
    CProjectFileEntry* pEntry = AddLuaFile("main.lua");
    pEntry->AddBreakpoint(1);
    pEntry->AddBreakpoint(3);
    AddLuaFile("other.lua")->AddBreakpoint(2);
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    ASSERT_TRUE(pView->GetCtrl().MarkerGet(2) & (1 << MARKER_BREAKPOINT));
    Command(ID_DEBUG_CLEAR_ALL_BREAKPOINTS);
    EXPECT_EQ(Project().GetBreakpointCount(), 0);
    EXPECT_EQ(pView->GetCtrl().MarkerNext(0, 1 << MARKER_BREAKPOINT), -1);
}

TEST_F(FrameWithProject, OutputDoubleClickOpensTheFileAtTheLine)
{
    AddLuaFile("main.lua", "local a = 1\nlocal b = 2\nx = = 3\nreturn a\n");
    CScintillaCtrl& output = *Frame()->GetOutputCtrl();
    output.ClearAll();
    const CString strPath = m_folder / "main.lua";
    const CString strOther = m_folder / "elsewhere.lua";
    output.AppendText("Compiling...\n", TRUE, FALSE);
    output.AppendText(CString("luac51.exe: ") + strOther + ":1: unexpected symbol\n", TRUE, FALSE);
    output.AppendText(CString("luac51.exe: ") + strPath + ":3: unexpected symbol near '='\n", TRUE, FALSE);
    output.AppendText("\n", TRUE, FALSE);

    COutputView* pOutputView = dynamic_cast<COutputView*>(Frame()->GetOutputPage().GetView());
    ASSERT_TRUE(pOutputView != NULL);
    auto DoubleClickLine = [&](int nLine) {
        SCNotification notify = {};
        notify.nmhdr.hwndFrom = output.m_hWnd;
        notify.nmhdr.idFrom = 0;
        notify.nmhdr.code = SCN_DOUBLECLICK;
        notify.position = output.PositionFromLine(nLine) + 2;
        notify.line = nLine;
        pOutputView->SendMessage(WM_NOTIFY, 0, (LPARAM)&notify);
        PumpPending();
    };

    // Not a message, a file outside the project, an empty line: nothing opens.
    DoubleClickLine(0);
    DoubleClickLine(1);
    DoubleClickLine(3);
    EXPECT_EQ(theApp.GetDocumentCount(), 0);

    DoubleClickLine(2);
    ASSERT_EQ(theApp.GetDocumentCount(), 1);
    CVornView* pView = theApp.FindViewOfProjectFile(Project().FindFileByName("main.lua"));
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()), 2);
    EXPECT_TRUE(pView->GetCtrl().MarkerGet(2) & (1 << MARKER_JUMP_LINE));
    // The message's line is selected in the output.
    EXPECT_EQ(output.GetSelectionStart(), output.PositionFromLine(2));
    EXPECT_EQ(output.GetSelectionEnd(), output.GetLineEndPosition(2));

    // A second jump moves the one jump mark.
    output.AppendText(CString("luac51.exe: ") + strPath + ":1: again\n", TRUE, FALSE);
    DoubleClickLine(4);
    EXPECT_EQ(theApp.GetDocumentCount(), 1);
    EXPECT_EQ(pView->GetCtrl().MarkerNext(0, 1 << MARKER_JUMP_LINE), 0);
    EXPECT_EQ(pView->GetCtrl().MarkerNext(1, 1 << MARKER_JUMP_LINE), -1);

    // A jump of another kind (a bookmark, the navigator, Go To) ends the mark too.
    CProjectFileEntry* pOther = AddLuaFile("other.lua");
    ASSERT_TRUE(theApp.OpenProjectFileAtLine(pOther, 1) != NULL);
    EXPECT_EQ(pView->GetCtrl().MarkerNext(0, 1 << MARKER_JUMP_LINE), -1);
    // So does an edit of the marked file.
    DoubleClickLine(4);
    ASSERT_EQ(pView->GetCtrl().MarkerNext(0, 1 << MARKER_JUMP_LINE), 0);
    pView->GetCtrl().SendMessage(WM_CHAR, 'x');
    EXPECT_EQ(pView->GetCtrl().MarkerNext(0, 1 << MARKER_JUMP_LINE), -1);
}

TEST_F(FrameWithProject, OutputAppendedWhileTheUserLooksElsewhereGoesToTheEnd)
{
    COutputPage& page = Frame()->GetOutputPage();
    page.Clear();
    page.AppendText("first line\n");
    page.AppendText("second line\n");
    // The user clicks into the first line; the next report still goes after the last.
    page.GetCtrl()->GotoPos(3);
    page.AppendText("third line\n");
    std::vector<char> text((size_t)page.GetCtrl()->GetLength() + 1);
    page.GetCtrl()->Call(SCI_GETTEXT, text.size(), (LPARAM)text.data());
    EXPECT_STREQ(text.data(), "first line\nsecond line\nthird line\n");
}

TEST_F(FrameWithProject, ClosingTheProjectStopsWhenTheUserKeepsADocument)
{
    AddLuaFile("main.lua");
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    pView->GetCtrl().InsertText(0, "-- changed\n");
    ASSERT_TRUE(pView->GetDocument()->IsModified());

    theApp.m_answers = { IDCANCEL };
    EXPECT_FALSE(Frame()->OnCloseProject());
    EXPECT_TRUE(Project().IsOpen());
    EXPECT_TRUE(theApp.IsViewOpen(pView));
    EXPECT_TRUE(Project().FindFileByName("main.lua") != NULL);

    theApp.m_answers = { IDNO };
    EXPECT_TRUE(Frame()->OnCloseProject());
    EXPECT_FALSE(Project().IsOpen());
    EXPECT_EQ(theApp.GetDocumentCount(), 0);
    // Discarded, as the user chose.
    EXPECT_EQ(ReadTestFile(m_folder / "main.lua"), "local x = 1\nprint(x)\nreturn x\n");
}

TEST_F(FrameWithProject, OpenWindowEntriesFollowTheSortedTitles)
{
    AddLuaFile("beta.lua");
    AddLuaFile("alpha.lua");
    ASSERT_TRUE(Open("beta.lua") != NULL);
    ASSERT_TRUE(Open("alpha.lua") != NULL);
    Command(ID_OPEN_WINDOW_FIRST + 1);
    EXPECT_EQ(CMainFrame::GetActiveVornView()->GetDocument()->GetTitle(), "beta.lua");
    Command(ID_OPEN_WINDOW_FIRST);
    EXPECT_EQ(CMainFrame::GetActiveVornView()->GetDocument()->GetTitle(), "alpha.lua");
    Command(ID_OPEN_WINDOW_FIRST + 7); // no such window: nothing changes
    EXPECT_EQ(CMainFrame::GetActiveVornView()->GetDocument()->GetTitle(), "alpha.lua");
}

TEST_F(FrameWithProject, HotlistMenuListsTheProjectsHotlist)
{
    AddLuaFile("main.lua");
    Project().AddToFileHotlist("main.lua");
    Project().AddToFileHotlist("gone.lua");
    Frame()->RebuildHotlistMenu();
    CMenu* pMenu = Frame()->GetHotlistMenu();
    ASSERT_EQ(pMenu->GetMenuItemCount(), 5u);
    EXPECT_EQ(pMenu->GetMenuItemID(0), (UINT)ID_HOTLIST_ENTRY_FIRST);
    EXPECT_EQ(pMenu->GetMenuItemID(1), (UINT)ID_HOTLIST_ENTRY_FIRST + 1);
    EXPECT_EQ(pMenu->GetMenuItemID(3), (UINT)ID_HOTLIST_ADD_REMOVE);

    // An entry whose file is not in the project is dropped after the message.
    Command(ID_HOTLIST_ENTRY_FIRST + 1);
    EXPECT_EQ(theApp.m_prompts, (std::vector<std::string>{ "File not found. It will be removed from the hotlist." }));
    EXPECT_EQ(Project().GetFileHotlist().GetSize(), 1);
    EXPECT_EQ(Frame()->GetHotlistMenu()->GetMenuItemCount(), 4u);
    Command(ID_HOTLIST_ENTRY_FIRST);
    EXPECT_EQ(theApp.GetDocumentCount(), 1);

    Frame()->OnCloseProject();
    EXPECT_EQ(Frame()->GetHotlistMenu()->GetMenuItemCount(), 3u);
}

// Add/Remove current file works on the active document's project file only.
TEST_F(FrameWithProject, HotlistAddRemoveTogglesTheActiveProjectFile)
{
    AddLuaFile("main.lua");
    WriteTestFile(m_folder / "loose.lua", "return 1\n");
    CCommandState state = QueryCommand(Frame(), ID_HOTLIST_ADD_REMOVE);
    EXPECT_FALSE(state.bEnabled);
    EXPECT_EQ(state.text, "Add/Remove current file");

    ASSERT_TRUE(Open("loose.lua") != NULL);
    state = QueryCommand(Frame(), ID_HOTLIST_ADD_REMOVE);
    EXPECT_FALSE(state.bEnabled);
    EXPECT_EQ(state.text, "Add/Remove current file");
    Command(ID_HOTLIST_ADD_REMOVE);
    EXPECT_EQ(Project().GetFileHotlist().GetSize(), 0);

    ASSERT_TRUE(Open("main.lua") != NULL);
    state = QueryCommand(Frame(), ID_HOTLIST_ADD_REMOVE);
    EXPECT_TRUE(state.bEnabled);
    EXPECT_EQ(state.text, "Add current file");
    Project().SetModified(FALSE);
    Command(ID_HOTLIST_ADD_REMOVE);
    ASSERT_EQ(Project().GetFileHotlist().GetSize(), 1);
    EXPECT_STREQ(Project().GetFileHotlist()[0], "main.lua");
    EXPECT_TRUE(Project().IsModified());
    EXPECT_EQ(Frame()->GetHotlistMenu()->GetMenuItemCount(), 4u);
    EXPECT_EQ(QueryCommand(Frame(), ID_HOTLIST_ADD_REMOVE).text, "Remove current file");

    Command(ID_HOTLIST_ADD_REMOVE);
    EXPECT_EQ(Project().GetFileHotlist().GetSize(), 0);
    EXPECT_EQ(Frame()->GetHotlistMenu()->GetMenuItemCount(), 3u);
}

// A user's "&" shows as itself on the menu, not as a mnemonic; the list keeps the name.
TEST_F(FrameWithProject, HotlistMenuShowsAmpersandsOfFileNames)
{
    AddLuaFile("a&b.lua");
    Project().AddToFileHotlist("a&b.lua");
    Frame()->RebuildHotlistMenu();
    CString strCaption;
    Frame()->GetHotlistMenu()->GetMenuString(0, strCaption, MF_BYPOSITION);
    EXPECT_STREQ(strCaption, "a&&b.lua");
    EXPECT_STREQ(Project().GetFileHotlist()[0], "a&b.lua");
    Command(ID_HOTLIST_ENTRY_FIRST);
    EXPECT_TRUE(theApp.m_prompts.empty());
    EXPECT_EQ(theApp.GetDocumentCount(), 1);
}

TEST_F(FrameWithProject, ALuaFileOpensColouredWithLineNumbers)
{
    AddLuaFile("main.lua", "local function f() return 1 end\n-- done\n");
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.Colourise(0, -1);
    EXPECT_EQ(ctrl.GetStyleAt(0), SCE_LUA_WORD);
    EXPECT_EQ(ctrl.GetStyleAt(ctrl.PositionFromLine(1)), SCE_LUA_COMMENTLINE);
    EXPECT_GT(ctrl.Call(SCI_GETMARGINWIDTHN, MARGIN_LINE_NUMBERS), 0);
    EXPECT_TRUE(CMainFrame::GetActiveVornView() == pView);
    EXPECT_TRUE(Frame()->GetActiveEditorView() == pView);
    // The recent files list has it first.
    EXPECT_EQ(CString((*Frame()->GetRecentFiles())[0]).CompareNoCase(m_folder / "main.lua"), 0);
}

TEST(MainFrame, HelpCommandsNameTheFilesTheyCannotFind)
{
    const CString strFolder = CVornApp::GetProgramDirectory();
    if (PathExists(strFolder + "vornhelp.chm") || PathExists(strFolder + "docs"))
        GTEST_SKIP() << "the tests' folder holds help files: nothing is missing";
    const CString strSaved = theApp.m_settings.m_strLuaReferenceManual;
    theApp.m_prompts.clear();
    Command(ID_HELP_VORN_HELP);
    theApp.m_settings.m_strLuaReferenceManual = "Z:\\nowhere\\manual.pdf";
    Command(ID_HELP_LUA_REFERENCE);
    theApp.m_settings.m_strLuaReferenceManual = strSaved;
    EXPECT_EQ(theApp.m_prompts,
              (std::vector<std::string>{
                  "The help file is missing: Vorn looked for " + std::string(strFolder) + "vornhelp.chm.",
                  "The Lua reference manual is missing: Vorn looked for Z:\\nowhere\\manual.pdf.\n"
                  "The manual shipped with Vorn is missing: Vorn looked for "
                      + std::string(strFolder) + "docs\\manual.html." }));
    theApp.m_prompts.clear();
}

namespace
{
// The face the control's default style names, checked against what the system really
// draws for it: installed under that very name, and of fixed pitch.
std::string DefaultFace(CScintillaCtrl& ctrl)
{
    char szFace[LF_FACESIZE + 1] = "";
    ctrl.Call(SCI_STYLEGETFONT, STYLE_DEFAULT, (LPARAM)szFace);
    return szFace;
}

::testing::AssertionResult DrawsInFixedPitch(const std::string& face)
{
    CFont font;
    if (face.empty() || !font.CreatePointFont(100, face.c_str()))
        return ::testing::AssertionFailure() << "no font \"" << face << "\"";
    CClientDC dc(Frame());
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRIC metrics = {};
    dc.GetTextMetrics(&metrics);
    char szDrawn[LF_FACESIZE + 1] = "";
    ::GetTextFaceA(dc.GetSafeHdc(), sizeof(szDrawn), szDrawn);
    dc.SelectObject(pOld);
    // The flag is set for a variable pitch.
    if ((metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0 || lstrcmpiA(szDrawn, face.c_str()) != 0)
        return ::testing::AssertionFailure() << "\"" << face << "\" is drawn as \"" << szDrawn << "\", pitch flags "
                                             << (int)metrics.tmPitchAndFamily;
    return ::testing::AssertionSuccess();
}

} // namespace

// File > New gives a Lua document: typed into, it is coloured and folds as an opened
// Lua file does, in a face of fixed pitch though the stored face is missing here.
TEST_F(FrameWithProject, ANewFileIsColouredAndFoldsInAFixedPitchFace)
{
    CAppSettings& settings = theApp.m_settings;
    const CString strStoredFace = settings.m_strFandCFont;
    settings.m_strFandCFont = "Vorn No Such Face";
    Command(ID_FILE_NEW);
    CVornView* pView = CMainFrame::GetActiveVornView();
    ASSERT_TRUE(pView != NULL);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    for (const char ch : std::string("-- a new file\nlocal function twice(n)\nreturn n * 2\nend\n"))
        ctrl.SendMessage(WM_CHAR, (WPARAM)(unsigned char)ch, 0);
    PumpPending();
    ctrl.UpdateWindow();
    EXPECT_EQ(ctrl.GetStyleAt(0), SCE_LUA_COMMENTLINE);
    EXPECT_EQ(ctrl.GetStyleAt(ctrl.PositionFromLine(1)), SCE_LUA_WORD);
    EXPECT_EQ(ctrl.GetStyleAt(ctrl.PositionFromLine(3)), SCE_LUA_WORD);
    EXPECT_TRUE(ctrl.GetFoldLevel(1) & SC_FOLDLEVELHEADERFLAG);

    // The editor and the output pane: an installed face of fixed pitch; the setting stays.
    EXPECT_TRUE(DrawsInFixedPitch(DefaultFace(ctrl)));
    EXPECT_TRUE(DrawsInFixedPitch(DefaultFace(*Frame()->GetOutputCtrl())));
    EXPECT_STREQ(settings.m_strFandCFont, "Vorn No Such Face");
    ScreenshotMainFrame("new_lua_file");
    if (ScreenshotFolder() != NULL)
    {
        // For the eye: the missing face handed to the control as it is.
        for (int nStyle = 0; nStyle <= STYLE_DEFAULT; nStyle++)
            ctrl.StyleSetFont(nStyle, "Vorn No Such Face");
        ScreenshotMainFrame("new_lua_file_in_the_missing_face");
    }
    // An installed face is taken as it is configured, fixed pitch or not.
    settings.m_strFandCFont = "Tahoma";
    pView->ApplyEditorOptions();
    EXPECT_EQ(DefaultFace(ctrl), "Tahoma");
    settings.m_strFandCFont = strStoredFace;
    pView->ApplyEditorOptions();
}

TEST(MainFrame, EachLookIsInstalledOnlyWhenAnotherOneShows)
{
    CMainFrame* pFrame = Frame();
    pFrame->SetUIStyleOffice2003();
    CExtPaintManager* pOffice = g_PaintManagerHolder.GetPaintManager();
    EXPECT_TRUE(pOffice->IsKindOf(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
    pFrame->SetUIStyleOffice2003();
    EXPECT_TRUE(g_PaintManagerHolder.GetPaintManager() == pOffice);

    // The XP look is a new one even though the Office 2003 look derives from it.
    pFrame->SetUIStyleXP();
    CExtPaintManager* pXP = g_PaintManagerHolder.GetPaintManager();
    EXPECT_TRUE(pXP->GetRuntimeClass() == RUNTIME_CLASS(CExtPaintManagerXP));
    pFrame->SetUIStyleXP();
    EXPECT_TRUE(g_PaintManagerHolder.GetPaintManager() == pXP);

    pFrame->SetUIStyleClassic();
    CExtPaintManager* pClassic = g_PaintManagerHolder.GetPaintManager();
    EXPECT_TRUE(pClassic->GetRuntimeClass() == RUNTIME_CLASS(CExtPaintManager));
    pFrame->SetUIStyleClassic();
    EXPECT_TRUE(g_PaintManagerHolder.GetPaintManager() == pClassic);
    pFrame->SetUIStyleOffice2003();
    PumpPending();
}

TEST(MainFrame, RecentListsKeepTheNonEmptyEntriesMostRecentFirst)
{
    CAppSettings& settings = theApp.m_settings;
    const CString strSaved[4] = { settings.m_strRecentFile[0], settings.m_strRecentFile[1],
                                  settings.m_strRecentFile[2], settings.m_strRecentFile[3] };
    settings.m_strRecentFile[0] = "C:\\a.lua";
    settings.m_strRecentFile[1] = "";
    settings.m_strRecentFile[2] = "C:\\c.lua";
    settings.m_strRecentFile[3] = "";
    Frame()->CreateRecentLists();
    CRecentFileList& files = *Frame()->GetRecentFiles();
    EXPECT_EQ(files[0], "C:\\a.lua");
    EXPECT_EQ(files[1], "C:\\c.lua");
    EXPECT_EQ(files[2], "");
    EXPECT_EQ(QueryCommand(Frame(), ID_FILE_RECENT_FILE2).bEnabled, true);
    const CCommandState empty = QueryCommand(Frame(), ID_FILE_RECENT_FILE3);
    EXPECT_FALSE(empty.bEnabled);
    EXPECT_EQ(empty.text, "Empty");
    for (int i = 0; i < 4; i++)
        settings.m_strRecentFile[i] = strSaved[i];
    Frame()->CreateRecentLists();
}

TEST_F(FrameWithProject, ComingBackToTheIdeFocusesTheActiveEditor)
{
    AddLuaFile("main.lua");
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    // The focus is only ours while our window is the active one; other programs on the
    // test display may hold the activation.
    Frame()->SetForegroundWindow();
    Frame()->SetActiveWindow();
    PumpPending();
    if (::GetActiveWindow() != Frame()->m_hWnd)
        GTEST_SKIP() << "another program holds the activation";
    Frame()->GetOutputPage().GetView()->SetFocus();
    ASSERT_TRUE(::GetFocus() != pView->GetCtrl().m_hWnd);
    Frame()->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    PumpPending();
    EXPECT_TRUE(::GetFocus() == pView->GetCtrl().m_hWnd);
}

namespace
{
std::string TreeText(CTreeCtrl& tree, HTREEITEM hItem, int nDepth = 0)
{
    std::string text;
    for (; hItem != NULL; hItem = tree.GetNextSiblingItem(hItem))
    {
        int nImage = -1, nSelected = -1;
        tree.GetItemImage(hItem, nImage, nSelected);
        text += std::string(nDepth * 2, ' ') + std::string(tree.GetItemText(hItem)) + " [" + std::to_string(nImage)
                + (tree.GetItemData(hItem) != 0 ? ", entry" : "") + "]\n";
        text += TreeText(tree, tree.GetChildItem(hItem), nDepth + 1);
    }
    return text;
}

int CountFiles(const CString& strPattern)
{
    CStringArray paths;
    ListFolderFiles(DirectoryOfPath(strPattern), FileNameOfPath(strPattern), paths);
    return (int)paths.GetSize();
}
} // namespace

TEST_F(FrameWithProject, TheInsertersFillTheFilesTreeAndTheNavigator)
{
    ASSERT_TRUE(Project().CreateFolderPath("lib\\", TRUE));
    AddLuaFile("main.lua");
    WriteTestFile(m_folder / "layout.xml", "<a/>");
    WriteTestFile(m_folder / "readme.txt", "");
    Project().AddFile(m_folder / "layout.xml", "");
    Project().AddFile(m_folder / "readme.txt", "lib\\");
    CTreeCtrl* pFiles = Frame()->GetFilesTree();
    ASSERT_TRUE(pFiles != NULL);
    pFiles->InsertItem("Project 'demo'", 1, 1);
    Project().FillFilesTree();
    EXPECT_EQ(TreeText(*pFiles, pFiles->GetRootItem()), "Project 'demo' [1]\n"
                                                          "  lib [2]\n"
                                                          "    readme.txt [5, entry]\n"
                                                          "  layout.xml [6, entry]\n"
                                                          "  main.lua [4, entry]\n");
    Frame()->DeleteProjectFileItem(Project().FindFileByName("readme.txt"));
    EXPECT_EQ(TreeText(*pFiles, pFiles->GetRootItem()), "Project 'demo' [1]\n"
                                                          "  lib [2]\n"
                                                          "  layout.xml [6, entry]\n"
                                                          "  main.lua [4, entry]\n");

    // The navigator's file items are sorted under its root.
    CTreeCtrl& navigator = Frame()->GetNavigatorTree();
    EXPECT_TRUE(Frame()->InsertNavigatorFileItem(Project().FindFileByName("main.lua")) == NULL); // no root yet
    HTREEITEM hRoot = navigator.InsertItem("Project 'demo'", 0, 0);
    Frame()->InsertNavigatorFileItem(Project().FindFileByName("main.lua"));
    Frame()->InsertNavigatorFileItem(Project().FindFileByName("layout.xml"));
    Frame()->InsertNavigatorGlobals(hRoot);
    EXPECT_EQ(TreeText(navigator, hRoot), "Project 'demo' [0]\n"
                                          "  layout.xml [1, entry]\n"
                                          "  main.lua [1, entry]\n"
                                          "  Global Variables [6]\n");

    // Closing the project empties both trees.
    ASSERT_TRUE(Frame()->OnCloseProject());
    EXPECT_EQ(pFiles->GetCount(), 0u);
    EXPECT_EQ(navigator.GetCount(), 0u);
}

TEST_F(FrameWithProject, NavigatorItemsOpenTheirFileAtTheirNode)
{
    CProjectFileEntry* pEntry = AddLuaFile("shapes.lua", "local unused = 0\n"
                                                         "Shape = {}\n"
                                                         "function Shape:area()\n"
                                                         "  return 0\n"
                                                         "end\n"
                                                         "count = 3\n"
                                                         "function main()\n"
                                                         "  return count\n"
                                                         "end\n");
    COutlineFile* pFile = Project().ParseFileOutline(pEntry);
    ASSERT_TRUE(pFile != NULL);
    COutline& outline = theApp.GetOutline();
    COutlineTable* pShape = outline.FindTable("Shape", pFile);
    ASSERT_TRUE(pShape != NULL);
    COutlineFunction* pArea = outline.FindMemberFunction("area", pShape, pFile);
    COutlineFunction* pMain = outline.FindFunction("main", pFile);
    COutlineVariable* pCount = outline.FindVariable("count", pFile);
    ASSERT_TRUE(pArea != NULL && pMain != NULL && pCount != NULL);

    // Each inserter gives its item its image and the node as its data.
    CTreeCtrl& tree = Frame()->GetNavigatorTree();
    HTREEITEM hRoot = tree.InsertItem("Project 'demo'", 0, 0);
    HTREEITEM hFile = Frame()->InsertNavigatorFileItem(pEntry);
    HTREEITEM hGlobals = Frame()->InsertNavigatorGlobals(hFile);
    HTREEITEM hCount = Frame()->InsertNavigatorItemImage4("count", hGlobals, pCount);
    HTREEITEM hShape = Frame()->InsertNavigatorItemImage2("Shape", hFile, pShape);
    HTREEITEM hArea = Frame()->InsertNavigatorItemImage3(pArea->GetSignature(), hShape, pArea);
    HTREEITEM hBase = Frame()->InsertNavigatorItemImage5("Shape", hShape, pShape);
    HTREEITEM hMain = Frame()->InsertNavigatorItemImage3(pMain->GetSignature(), hFile, pMain);
    HTREEITEM hAliases = Frame()->InsertNavigatorAliases(hMain);
    // Alias items carry the function's owner record of the node they name.
    CPtrArrayHolder* pAreaAlias = pMain->AddOwnerRecord(pArea);
    CPtrArrayHolder* pCountAlias = pMain->AddOwnerRecord(pCount);
    ASSERT_TRUE(pAreaAlias != NULL && pCountAlias != NULL);
    HTREEITEM hAlias = Frame()->InsertNavigatorItemImage9(pArea->GetQualifiedSignature(), hAliases, pAreaAlias);
    Frame()->InsertNavigatorItemImage10("count", hAliases, pCountAlias);
    EXPECT_EQ(TreeText(tree, hRoot), "Project 'demo' [0]\n"
                                     "  shapes.lua [1, entry]\n"
                                     "    Global Variables [6]\n"
                                     "      count [4, entry]\n"
                                     "    Shape [2, entry]\n"
                                     "      " + std::string(pArea->GetSignature()) + " [3, entry]\n"
                                     "      Shape [5, entry]\n"
                                     "    " + std::string(pMain->GetSignature()) + " [3, entry]\n"
                                     "      Alias Functions and Variables [8]\n"
                                     "        " + std::string(pArea->GetQualifiedSignature()) + " [9, entry]\n"
                                     "        count [10, entry]\n");
    EXPECT_EQ((COutlineNode*)tree.GetItemData(hArea), (COutlineNode*)pArea);

    // Group items, base tables and the root open nothing.
    CCodeNavigatorPage* pPage = dynamic_cast<CCodeNavigatorPage*>(tree.GetParent());
    ASSERT_TRUE(pPage != NULL);
    for (HTREEITEM hItem : { hRoot, hGlobals, hBase, hAliases })
        pPage->OpenItem(hItem);
    PumpPending();
    EXPECT_EQ(theApp.GetDocumentCount(), 0);

    // A double click with the mouse on a function's item opens the file at it.
    tree.Expand(hFile, TVE_EXPAND);
    tree.EnsureVisible(hMain);
    CRect rcItem;
    ASSERT_TRUE(tree.GetItemRect(hMain, &rcItem, TRUE));
    CPoint point = rcItem.CenterPoint();
    tree.ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (cursor == point) // the pointer is shared with the other programs on the display
    {
        tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rcItem.CenterPoint().x, rcItem.CenterPoint().y));
        tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rcItem.CenterPoint().x, rcItem.CenterPoint().y));
        PumpPending();
        CVornView* pClicked = theApp.FindViewOfProjectFile(pEntry);
        ASSERT_TRUE(pClicked != NULL);
        EXPECT_EQ(pClicked->GetCtrl().LineFromPosition(pClicked->GetCtrl().GetCurrentPos()), 6);
        theApp.CloseAllDocuments(FALSE);
        PumpPending();
    }

    // A file item opens its file; a node's item goes to the node's line, once open too.
    pPage->OpenItem(hFile);
    PumpPending();
    ASSERT_EQ(theApp.GetDocumentCount(), 1);
    CVornView* pView = theApp.FindViewOfProjectFile(pEntry);
    ASSERT_TRUE(pView != NULL);
    CScintillaCtrl& ctrl = pView->GetCtrl();
    auto CaretLine = [&] { return ctrl.LineFromPosition(ctrl.GetCurrentPos()); };
    pPage->OpenItem(hArea);
    PumpPending();
    EXPECT_EQ(CaretLine(), 2);
    EXPECT_EQ(CString(ctrl.GetSelText()), "area");
    pPage->OpenItem(hCount);
    EXPECT_EQ(CaretLine(), 5);
    pPage->OpenItem(hMain);
    EXPECT_EQ(CaretLine(), 6);
    pPage->OpenItem(hShape);
    EXPECT_EQ(CaretLine(), 1);
    pPage->OpenItem(hAlias);
    EXPECT_EQ(CaretLine(), 2);
    EXPECT_EQ(theApp.GetDocumentCount(), 1);
}

TEST_F(FrameWithProject, ASearchThroughAllDocumentsVisitsEachEditorInTurn)
{
    AddLuaFile("a.lua");
    AddLuaFile("b.lua");
    AddLuaFile("c.lua");
    CVornView* pA = Open("a.lua");
    CVornView* pB = Open("b.lua");
    CVornView* pC = Open("c.lua");
    ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
    ASSERT_EQ(CMainFrame::GetActiveVornView(), pC);
    int& nAllOpenDocs = theApp.m_settings.m_nFRAllOpenDocs;
    const int nKept = nAllOpenDocs;

    // The search starts in the active editor and stays there while only it is searched.
    EXPECT_EQ(Frame()->CacheActiveEditorView(), pC);
    nAllOpenDocs = 0;
    EXPECT_TRUE(Frame()->UpdateCachedActiveView() == NULL);
    EXPECT_EQ(Frame()->GetActiveEditorView(), pC);

    // Over all open documents it moves through the others, activating each, and never
    // takes the one it started in as a new target.
    nAllOpenDocs = 1;
    std::set<CVornView*> visited;
    CVornView* pTarget = pC;
    for (int i = 0; i < 3; i++)
    {
        CVornView* pNext = Frame()->UpdateCachedActiveView();
        ASSERT_TRUE(pNext != NULL);
        EXPECT_EQ(CMainFrame::GetActiveVornView(), pNext);
        visited.insert(pNext);
        if (pNext != pC)
            pTarget = pNext;
        EXPECT_EQ(Frame()->GetActiveEditorView(), pTarget) << i;
        if (pNext == pC)
            break;
    }
    EXPECT_EQ(visited, (std::set<CVornView*>{ pA, pB, pC }));

    // A closed target is forgotten: the next search starts in the active editor again.
    pTarget->CloseFrame();
    PumpPending();
    EXPECT_EQ(Frame()->CacheActiveEditorView(), CMainFrame::GetActiveVornView());
    nAllOpenDocs = nKept;
}

TEST_F(FrameWithProject, GoToOpensTheSymbolsFileAtItsLine)
{
    CProjectFileEntry* pEntry = AddLuaFile("shapes.lua", "Shape = {}\n"
                                                         "function Shape:area()\n"
                                                         "  return 0\n"
                                                         "end\n"
                                                         "Shape.sides = 4\n"
                                                         "function main()\n"
                                                         "  local Inner = {}\n"
                                                         "  return Inner\n"
                                                         "end\n"
                                                         "count = 3\n"
                                                         "function perimeter() return 1 end\n");
    ASSERT_TRUE(Project().ParseFileOutline(pEntry) != NULL);

    // Names the outline does not know open nothing.
    for (LPCTSTR pszName : { "nothing", "Shape:perimeter", "Nowhere:area", "area" })
        theApp.GoToFunction(pszName);
    theApp.GoToVariable("Shape.colour");
    theApp.GoToMember("Inner [nobody]");
    PumpPending();
    EXPECT_EQ(theApp.GetDocumentCount(), 0);

    auto CaretLine = [&]() -> int {
        CVornView* pView = theApp.FindViewOfProjectFile(pEntry);
        return pView != NULL ? pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()) : -1;
    };
    theApp.GoToFunction("main");
    EXPECT_EQ(CaretLine(), 5);
    theApp.GoToFunction("perimeter");
    EXPECT_EQ(CaretLine(), 10);
    theApp.GoToFunction("Shape:area");
    EXPECT_EQ(CaretLine(), 1);
    theApp.GoToFunction("main");
    theApp.GoToFunction("Shape.area");
    EXPECT_EQ(CaretLine(), 1);
    theApp.GoToVariable("count");
    EXPECT_EQ(CaretLine(), 9);
    theApp.GoToVariable("Shape.sides");
    EXPECT_EQ(CaretLine(), 4);
    theApp.GoToMember("Shape");
    EXPECT_EQ(CaretLine(), 0);
    theApp.GoToMember("Inner [main]");
    EXPECT_EQ(CaretLine(), 6);
    theApp.GoToMember("Shape");
    theApp.GoToMember("sides (Shape)");
    EXPECT_EQ(CaretLine(), 4);
    EXPECT_EQ(theApp.GetDocumentCount(), 1);
}

TEST_F(FrameWithProject, GoToTableListsTheTablesAndOpensTheChosenOne)
{
    const bool bNoTablesYet = theApp.m_outline.GetTableCount() == 0;
    if (bNoTablesYet)
    {
        EXPECT_FALSE(Enabled(ID_GOTO_TABLE));
    }
    CProjectFileEntry* pEntry = AddLuaFile("tables.lua", "Shape = {}\n"
                                                         "function make()\n"
                                                         "  local Inner = {}\n"
                                                         "  return Inner\n"
                                                         "end\n"
                                                         "alpha = {}\n");
    ASSERT_TRUE(Project().ParseFileOutline(pEntry) != NULL);
    EXPECT_TRUE(Enabled(ID_GOTO_TABLE));

    // A table made inside another node names its owner.
    CStringArray entries;
    CGoToTableDlg::CollectEntries(theApp.m_outline, entries);
    std::vector<std::string> listed;
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
        listed.push_back((LPCTSTR)entries[i]);
    if (bNoTablesYet)
    {
        EXPECT_EQ(listed, (std::vector<std::string>{ "Shape", "Inner [make]", "alpha" }));
    }

    // The dialog shows them sorted without regard to case, the first one chosen.
    CGoToTableDlg dlg(theApp.m_outline, Frame());
    ASSERT_TRUE(dlg.Create(IDD_GOTO_TABLE, Frame()));
    CComboBox* pCombo = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_GOTO_TABLE));
    ASSERT_TRUE(pCombo != NULL);
    std::vector<std::string> shown;
    for (int i = 0; i < pCombo->GetCount(); i++)
    {
        CString strItem;
        pCombo->GetLBText(i, strItem);
        shown.push_back((LPCTSTR)strItem);
    }
    if (bNoTablesYet)
    {
        EXPECT_EQ(shown, (std::vector<std::string>{ "alpha", "Inner [make]", "Shape" }));
    }
    EXPECT_EQ(pCombo->GetCurSel(), 0);
    dlg.DestroyWindow();

    // The chosen table's file opens at the table.
    CDialogDriver::Run("Go To Table", { SetText(IDC_GOTO_TABLE, "Inner [make]"), Press(IDOK) });
    Command(ID_GOTO_TABLE);
    CVornView* pView = theApp.FindViewOfProjectFile(pEntry);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()), 2);
    CDialogDriver::Run("Go To Table", { SetText(IDC_GOTO_TABLE, "alpha"), Press(IDOK) });
    Command(ID_GOTO_TABLE);
    EXPECT_EQ(pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()), 5);
}

namespace
{
// Selects the Go To Table entry of the first node that passes the test.
CDialogDriver::Step ChooseTableEntry(std::function<bool(const COutlineNode*)> test)
{
    return [=](HWND hDialog) {
        HWND hCombo = ::GetDlgItem(hDialog, IDC_GOTO_TABLE);
        const int nCount = (int)::SendMessage(hCombo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < nCount; i++)
        {
            const COutlineNode* pNode = reinterpret_cast<const COutlineNode*>(::SendMessage(hCombo, CB_GETITEMDATA, i, 0));
            if (pNode != NULL && test(pNode))
            {
                ::SendMessage(hCombo, CB_SETCURSEL, i, 0);
                return;
            }
        }
    };
}
} // namespace

TEST_F(FrameWithProject, GoToTableOpensTheChosenEntrysOwnTableNestedOrOfADuplicateName)
{
    CProjectFileEntry* pFirst = AddLuaFile("first.lua", "function make()\n  local Inner = {}\n  return Inner\nend\n");
    CProjectFileEntry* pSecond = AddLuaFile("second.lua", "x = 1\n\nfunction make()\n  local Inner = {}\n"
                                                         "  return Inner\nend\n"
                                                         "Outer = {\n  Mid = {\n    Deep = {}\n  }\n}\n");
    ASSERT_TRUE(Project().ParseFileOutline(pFirst) != NULL);
    ASSERT_TRUE(Project().ParseFileOutline(pSecond) != NULL);

    // Both "Inner [make]" entries read the same; the second file's is the one chosen.
    CDialogDriver::Run("Go To Table", {ChooseTableEntry([=](const COutlineNode* pNode) {
                                           return pNode->m_pFile->m_pProjectEntry == pSecond &&
                                                  CString(pNode->GetName()) == "Inner";
                                       }),
                                       Press(IDOK)});
    Command(ID_GOTO_TABLE);
    CVornView* pView = theApp.FindViewOfProjectFile(pSecond);
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()), 3);
    EXPECT_TRUE(theApp.FindViewOfProjectFile(pFirst) == NULL);

    // A table nested in constructors opens at its own line.
    CDialogDriver::Run("Go To Table", {ChooseTableEntry([](const COutlineNode* pNode) {
                                           return CString(pNode->GetName()) == "Deep";
                                       }),
                                       Press(IDOK)});
    Command(ID_GOTO_TABLE);
    EXPECT_EQ(pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()), 8);
}

TEST_F(FrameWithProject, TheBackupTimerAndBackupAtCloseMakeArchives)
{
    AddLuaFile("main.lua");
    CAppSettings& settings = theApp.m_settings;
    const int nMode = settings.m_nProjsBackupMode;
    const int nIncrement = settings.m_nProjsBackupIncrementFileName;
    settings.m_nProjsBackupIncrementFileName = 1; // each archive a name of its own
    const CString strBackups = m_folder / "backup\\*.zip";

    Frame()->SendMessage(WM_TIMER, CMainFrame::TIMER_BACKUP);
    EXPECT_EQ(CountFiles(strBackups), 1);

    // Mode 2 backs the project up once as it closes.
    settings.m_nProjsBackupMode = 2;
    ASSERT_TRUE(Frame()->OnCloseProject());
    settings.m_nProjsBackupMode = nMode;
    settings.m_nProjsBackupIncrementFileName = nIncrement;
    EXPECT_EQ(CountFiles(strBackups), 2);
    EXPECT_TRUE(TestFileExists(m_folder / "demo.vpr"));

    // Without a project the timer does nothing.
    Frame()->SendMessage(WM_TIMER, CMainFrame::TIMER_BACKUP);
    EXPECT_EQ(CountFiles(strBackups), 2);
}

// The window's close: the questions come first. Last in this file: the successful
// close ends this frame, and a new one is made for what follows.
TEST_F(FrameWithProject, CancellingTheCloseKeepsTheIdeAsItWas)
{
    AddLuaFile("main.lua");
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    pView->GetCtrl().InsertText(0, "-- changed\n");
    Frame()->AddRecentFile(m_folder / "main.lua");
    const HWND hFrame = Frame()->m_hWnd;

    theApp.m_answers = { IDCANCEL };
    Frame()->SendMessage(WM_CLOSE);
    PumpPending();
    ASSERT_TRUE(::IsWindow(hFrame));
    EXPECT_TRUE(Project().IsOpen());
    EXPECT_TRUE(theApp.IsViewOpen(pView));
    ASSERT_TRUE(Frame()->GetRecentFiles() != NULL);
    EXPECT_EQ(CString((*Frame()->GetRecentFiles())[0]).CompareNoCase(m_folder / "main.lua"), 0);

    // Discarding: the project is saved and closed, the recent lists reach the settings.
    theApp.m_answers = { IDNO };
    Frame()->SendMessage(WM_CLOSE);
    PumpPending();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(theApp.m_settings.m_strRecentFile[0].CompareNoCase(m_folder / "main.lua"), 0);
    EXPECT_TRUE(TestFileExists(m_folder / "demo.vpr"));
    EXPECT_EQ(ReadTestFile(m_folder / "main.lua"), "local x = 1\nprint(x)\nreturn x\n");
    EXPECT_EQ(theApp.m_prompts.size(), 2u); // each close asked once

    ASSERT_TRUE(theApp.RecreateMainFrame());
    Frame()->CreateRecentLists();
    Frame()->ActivateFrame(SW_SHOWNORMAL);
    PumpPending();
}

TEST(MainFrame, ASecondInstanceWritesNeitherLayoutNorSettings)
{
    DeleteApplicationRegistryKey();
    theApp.SetAlreadyRunning(TRUE);
    theApp.m_answers.assign(4, IDNO);
    Frame()->SendMessage(WM_CLOSE);
    PumpPending();
    ASSERT_TRUE(Frame() == NULL);
    theApp.m_settings.Save();
    EXPECT_EQ(DumpApplicationRegistryValues(), "");

    // The first instance writes both.
    theApp.SetAlreadyRunning(FALSE);
    ASSERT_TRUE(theApp.RecreateMainFrame());
    Frame()->CreateRecentLists();
    Frame()->ActivateFrame(SW_SHOWNORMAL);
    PumpPending();
    Frame()->SendMessage(WM_CLOSE);
    PumpPending();
    theApp.m_settings.Save();
    const std::string values = DumpApplicationRegistryValues();
    EXPECT_NE(values.find("\\Settings\\UIStyle\n"), std::string::npos) << values;
    EXPECT_NE(values.find("\\ControlBar\\"), std::string::npos) << values;

    ASSERT_TRUE(theApp.RecreateMainFrame());
    Frame()->CreateRecentLists();
    Frame()->ActivateFrame(SW_SHOWNORMAL);
    PumpPending();
}

// The editor's context menu in the IDE: its items take their states from the main
// window's command routing, so the AutoComplete commands follow the active editor.
TEST_F(FrameWithProject, TheEditorsContextMenuTakesItsStatesFromTheMainWindow)
{
    CProjectFileEntry* pEntry = AddLuaFile("menu.lua", "Shape = {}\nfunction Shape:area() end\nx = Shape:");
    ASSERT_TRUE(pEntry != NULL);
    Project().ParseFileOutline(pEntry);
    CVornView* pView = Open("menu.lua");
    ASSERT_TRUE(pView != NULL);
    pView->GetCtrl().GotoPos(pView->GetCtrl().GetLength());

    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->LoadMenu(Frame()->m_hWnd, IDR_EDITOR_CONTEXT, true));
    pPopup->UpdateMenuCmdUI();
    // Every command item, at any depth, as enabled as the main window says.
    int nCommands = 0;
    std::function<void(CExtPopupMenuWnd*)> check = [&](CExtPopupMenuWnd* pMenu) {
        for (int i = 0; i < pMenu->GetItemCount(); i++)
        {
            if (pMenu->GetItemSubMenu(i) != NULL)
            {
                check(pMenu->GetItemSubMenu(i));
                continue;
            }
            const int nID = pMenu->GetItemCmdID(i);
            if (nID <= 0)
                continue;
            nCommands++;
            EXPECT_EQ(pMenu->ItemIsEnabled(i), Enabled((UINT)nID)) << pMenu->GetItemText(i);
        }
    };
    check(pPopup);
    EXPECT_GE(nCommands, 30);
    EXPECT_TRUE(Enabled(ID_EDIT_LIST_MEMBERS));
    delete pPopup;

    // The command reaches the editor through the main window.
    Command(ID_EDIT_LIST_MEMBERS);
    EXPECT_EQ(pView->GetLastListText(), "area");
    pView->GetCtrl().AutoCCancel();
    // With a selection the AutoComplete commands are off.
    pView->GetCtrl().SetSel(0, 5);
    EXPECT_FALSE(Enabled(ID_EDIT_LIST_MEMBERS));
    EXPECT_FALSE(Enabled(ID_EDIT_LIST_PROJECT_FUNCTIONS));
}

namespace
{
BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (strcmp(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}
} // namespace

TEST(MainFrame, PrintOptionsEditTheApplicationsSettings)
{
    // File > Print Options opens the dialog on the application's settings; OK writes
    // the changed check back.
    CAppSettings& settings = theApp.m_settings;
    const int nDate = settings.m_nPrintDate;
    const DWORD dwThreadId = ::GetCurrentThreadId();
    std::string strCaption;
    std::thread driver([&] {
        HWND hDlg = NULL;
        for (int i = 0; i < 500 && hDlg == NULL; i++)
        {
            ::Sleep(20);
            ::EnumThreadWindows(dwThreadId, FindVisibleDialog, reinterpret_cast<LPARAM>(&hDlg));
        }
        if (hDlg == NULL)
            return;
        ::Sleep(200);
        char szCaption[64] = "";
        ::GetWindowTextA(hDlg, szCaption, sizeof(szCaption));
        strCaption = szCaption;
        ::SendMessage(::GetDlgItem(hDlg, IDC_PRINT_DATE), BM_SETCHECK, nDate ? BST_UNCHECKED : BST_CHECKED, 0);
        ::PostMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
    });
    Command(ID_FILE_PRINT_OPTIONS);
    driver.join();
    EXPECT_EQ(strCaption, "Print Options");
    EXPECT_EQ(settings.m_nPrintDate, nDate ? 0 : 1);
    settings.m_nPrintDate = nDate;
}

namespace
{
// Dialog steps of the Go To dialogs: an "Include:" choice as the user makes it, and a
// list box entry chosen by its exact text.
CDialogDriver::Step ChooseInclude(int nComboID, int nIndex)
{
    return [=](HWND hDialog) {
        const HWND hCombo = ::GetDlgItem(hDialog, nComboID);
        ::SendMessageA(hCombo, CB_SETCURSEL, (WPARAM)nIndex, 0);
        ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nComboID, CBN_SELCHANGE), (LPARAM)hCombo);
    };
}

CDialogDriver::Step ChooseListEntry(int nListID, std::string text)
{
    return [=](HWND hDialog) {
        const HWND hList = ::GetDlgItem(hDialog, nListID);
        const LRESULT nIndex = ::SendMessageA(hList, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
        ::SendMessageA(hList, LB_SETCURSEL, (WPARAM)nIndex, 0);
    };
}
} // namespace

TEST_F(FrameWithProject, GoToFunctionAndVariableJoinOwnerAndNameAndKeepTheInclude)
{
    CProjectFileEntry* pEntry = AddLuaFile("game.lua", "Game = {}\n"
                                                       "function Game:Init()\n"
                                                       "end\n"
                                                       "function update()\n"
                                                       "end\n"
                                                       "Game.score = 0\n"
                                                       "lives = 3\n");
    ASSERT_TRUE(Project().ParseFileOutline(pEntry) != NULL);
    auto CaretLine = [&]() -> int {
        CVornView* pView = theApp.FindViewOfProjectFile(pEntry);
        return pView != NULL ? pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()) : -1;
    };
    theApp.m_settings.m_nMiscLastGoToFuncInclude = 0;
    theApp.m_settings.m_nMiscLastGoToVarInclude = 0;

    CDialogDriver::Run("Go To Function", { ChooseInclude(IDC_GOTO_FUNCTION_INCLUDE, 2),
                                           SetText(IDC_GOTO_FUNCTION, "Init [Game]"), Press(IDOK) });
    Command(ID_GOTO_FUNCTION);
    EXPECT_EQ(CaretLine(), 1);
    EXPECT_EQ(theApp.m_settings.m_nMiscLastGoToFuncInclude, 2);

    CDialogDriver::Run("Go To Function", { SetText(IDC_GOTO_FUNCTION, "update"), Press(IDOK) });
    Command(ID_GOTO_FUNCTION);
    EXPECT_EQ(CaretLine(), 3);

    // Cancel keeps the stored choice.
    CDialogDriver::Run("Go To Function", { ChooseInclude(IDC_GOTO_FUNCTION_INCLUDE, 1), Press(IDCANCEL) });
    Command(ID_GOTO_FUNCTION);
    EXPECT_EQ(theApp.m_settings.m_nMiscLastGoToFuncInclude, 2);

    CDialogDriver::Run("Go To Variable", { ChooseInclude(IDC_GOTO_VARIABLE_INCLUDE, 1),
                                           SetText(IDC_GOTO_VARIABLE, "score [Game]"), Press(IDOK) });
    Command(ID_GOTO_VARIABLE);
    EXPECT_EQ(CaretLine(), 5);
    EXPECT_EQ(theApp.m_settings.m_nMiscLastGoToVarInclude, 1);
    CDialogDriver::Run("Go To Variable", { SetText(IDC_GOTO_VARIABLE, "lives"), Press(IDOK) });
    Command(ID_GOTO_VARIABLE);
    EXPECT_EQ(CaretLine(), 6);
}

TEST_F(FrameWithProject, GoToFunctionAndVariableOpenTheChosenEntrysOwnNodeOfTwoThatReadAlike)
{
    CProjectFileEntry* pFirst = AddLuaFile("first.lua", "function draw()\nend\nsize = 1\n");
    CProjectFileEntry* pSecond = AddLuaFile("second.lua", "x = 0\n\nfunction draw()\nend\nsize = 2\n");
    ASSERT_TRUE(Project().ParseFileOutline(pFirst) != NULL && Project().ParseFileOutline(pSecond) != NULL);
    theApp.m_settings.m_nMiscLastGoToFuncInclude = 0;
    theApp.m_settings.m_nMiscLastGoToVarInclude = 0;
    struct
    {
        const char* pszCaption;
        UINT nCommand;
        int nComboID;
        const char* pszText;
    } const kCommands[] = { { "Go To Function", ID_GOTO_FUNCTION, IDC_GOTO_FUNCTION, "draw" },
                            { "Go To Variable", ID_GOTO_VARIABLE, IDC_GOTO_VARIABLE, "size" } };
    for (const auto& c : kCommands)
    {
        // Each of the two entries in turn: the node behind it is the one opened, and
        // the two lie in different files.
        std::set<CProjectFileEntry*> opened;
        for (int nOffset : { 0, 1 })
        {
            const COutlineNode* pChosen = NULL;
            CDialogDriver::Run(c.pszCaption, { [&](HWND hDialog) {
                                                  const HWND hCombo = ::GetDlgItem(hDialog, c.nComboID);
                                                  const LRESULT nIndex = ::SendMessageA(
                                                      hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)c.pszText);
                                                  ::SendMessageA(hCombo, CB_SETCURSEL, (WPARAM)(nIndex + nOffset), 0);
                                                  pChosen = reinterpret_cast<const COutlineNode*>(::SendMessageA(
                                                      hCombo, CB_GETITEMDATA, (WPARAM)(nIndex + nOffset), 0));
                                              },
                                               Press(IDOK) });
            Command(c.nCommand);
            ASSERT_TRUE(pChosen != NULL) << c.pszCaption;
            CProjectFileEntry* pEntry = pChosen->m_pFile->m_pProjectEntry;
            CVornView* pView = theApp.FindViewOfProjectFile(pEntry);
            ASSERT_TRUE(pView != NULL) << c.pszCaption;
            EXPECT_EQ(pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()), pChosen->m_nLine);
            opened.insert(pEntry);
        }
        EXPECT_EQ(opened, (std::set<CProjectFileEntry*>{ pFirst, pSecond })) << c.pszCaption;
        theApp.CloseAllDocuments(FALSE);
        PumpPending();
    }
}

TEST_F(FrameWithProject, GoToNamedBookmarkOpensTheLineInFilesWithBlanksBracketsAndSharedNames)
{
    EXPECT_FALSE(Enabled(ID_GOTO_NAMED_BOOKMARK));
    const std::string text = "a = 1\nb = 2\nc = 3\nd = 4\ne = 5\n";
    CProjectFileEntry* pBlanks = AddLuaFile("my file.lua", text);
    CProjectFileEntry* pBracket = AddLuaFile("a]b.lua", text);
    ASSERT_TRUE(::CreateDirectoryA(m_folder / "one", NULL) && ::CreateDirectoryA(m_folder / "two", NULL));
    CProjectFileEntry* pFirstUtil = AddLuaFile("one\\util.lua", text);
    CProjectFileEntry* pSecondUtil = AddLuaFile("two\\util.lua", text);
    CProjectFileEntry* pOpening = AddLuaFile("odd [x].lua", text);
    ASSERT_TRUE(pBlanks != NULL && pBracket != NULL && pFirstUtil != NULL && pSecondUtil != NULL && pOpening != NULL);
    pOpening->AddNamedBookmark(3, "end [b]");
    pBlanks->AddNamedBookmark(2, "the start");
    pBracket->AddNamedBookmark(4, "Loop");
    pFirstUtil->AddNamedBookmark(1, "other");
    pSecondUtil->AddNamedBookmark(5, "helper");
    EXPECT_TRUE(Enabled(ID_GOTO_NAMED_BOOKMARK));

    auto CaretLineOf = [](CProjectFileEntry* pEntry) -> int {
        CVornView* pView = theApp.FindViewOfProjectFile(pEntry);
        return pView != NULL ? pView->GetCtrl().LineFromPosition(pView->GetCtrl().GetCurrentPos()) : -1;
    };
    struct
    {
        const char* pszEntry;
        CProjectFileEntry* pEntry;
        int nLine;
    } const kCases[] = { { "the start [my file.lua]", pBlanks, 1 },
                         { "Loop [a]b.lua]", pBracket, 3 },
                         { "helper [util.lua]", pSecondUtil, 4 },
                         { "end [b] [odd [x].lua]", pOpening, 2 } };
    for (const auto& c : kCases)
    {
        CDialogDriver::Run("Go To Named Bookmark",
                           { ChooseListEntry(IDC_GOTO_NAMED_BOOKMARK_LIST, c.pszEntry), Press(IDOK) });
        Command(ID_GOTO_NAMED_BOOKMARK);
        EXPECT_EQ(CaretLineOf(c.pEntry), c.nLine) << c.pszEntry;
    }
    // A name found in no file of that name opens nothing more.
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    EXPECT_FALSE(Frame()->OpenNamedBookmark("missing", "util.lua"));
    EXPECT_FALSE(Frame()->OpenNamedBookmark("helper", "nowhere.lua"));
    EXPECT_EQ(theApp.GetDocumentCount(), 0);
}

TEST_F(FrameWithProject, PrintPreviewHidesTheFramesBarsAndGivesThemBack)
{
    AddLuaFile("main.lua");
    CVornView* pView = Open("main.lua");
    ASSERT_TRUE(pView != NULL);
    CMainFrame* pFrame = Frame();
    std::vector<CControlBar*> shown;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
        if (!pBar->IsDockBar() && pBar->IsWindowVisible() && pBar->GetDlgCtrlID() != AFX_IDW_STATUS_BAR)
            shown.push_back(pBar);
    }
    ASSERT_GE(shown.size(), 2u) << "the menu bar and the toolbar at least";

    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = pFrame->GetPreviewView();
    ASSERT_TRUE(pPreview != NULL);
    EXPECT_EQ(pPreview->GetPrintView(), pView);
    for (CControlBar* pBar : shown)
        EXPECT_FALSE(pBar->IsWindowVisible()) << pBar->GetDlgCtrlID();
    CControlBar* pStatus = pFrame->GetControlBar(AFX_IDW_STATUS_BAR);
    ASSERT_TRUE(pStatus != NULL);
    EXPECT_TRUE(pStatus->IsWindowVisible());
    CString strStatus;
    static_cast<CStatusBar*>(pStatus)->GetPaneText(0, strStatus);
    EXPECT_STREQ(strStatus, "Page 1");
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_PREVIEW)) << "the document takes no commands meanwhile";
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_SETUP));

    pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    PumpPending();
    EXPECT_TRUE(pFrame->GetPreviewView() == NULL);
    for (CControlBar* pBar : shown)
        EXPECT_TRUE(pBar->IsWindowVisible()) << pBar->GetDlgCtrlID();
    EXPECT_EQ(pFrame->MDIGetActive(), pView->GetParentFrame());
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_PREVIEW));
}

TEST_F(FrameWithProject, ClassicAndFlatLooksRepaintTheRunningFrame)
{
    AddLuaFile("main.lua", "-- a look at the looks\nlocal function f(x)\n  return x * 2\nend\nprint(f(21))\n");
    ASSERT_TRUE(Open("main.lua") != NULL);
    CControlBar* pToolBar = Frame()->GetControlBar(AFX_IDW_TOOLBAR);
    ASSERT_TRUE(pToolBar != NULL && pToolBar->IsWindowVisible());
    if (GetScreenColorDepth() <= 8)
        GTEST_SKIP() << "a palette screen shows both looks' faces in one colour";
    Frame()->SetForegroundWindow();
    struct Look
    {
        void (CMainFrame::*pfnSet)();
        const char* pszName;
    };
    const Look looks[] = {{&CMainFrame::SetUIStyleClassic, "classic"}, {&CMainFrame::SetUIStyleXP, "xp"},
                          {&CMainFrame::SetUIStyleClassic, "classic_again"}};
    CRect rcFrame;
    Frame()->GetWindowRect(&rcFrame);
    for (const Look& look : looks)
    {
        (Frame()->*look.pfnSet)();
        PumpPending();
        // The switch alone repaints what the look changed: painting everything again
        // changes no more than the editor's caret.
        const CScreenPicture switched(rcFrame);
        Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        PumpPending();
        const CScreenPicture repainted(rcFrame);
        int nChanged = 0;
        for (int y = rcFrame.top; y < rcFrame.bottom; y++)
            for (int x = rcFrame.left; x < rcFrame.right; x++)
                nChanged += switched.GetPixel(CPoint(x, y)) != repainted.GetPixel(CPoint(x, y)) ? 1 : 0;
        EXPECT_LT(nChanged, 100) << look.pszName;
        // The toolbar's background is the installed look's bar face.
        const COLORREF clrFace = g_PaintManagerHolder->GetColor(1000);
        CRect rcBar;
        pToolBar->GetWindowRect(&rcBar);
        EXPECT_GT(CScreenPicture(rcBar).CountPixels(rcBar, clrFace), rcBar.Width() * rcBar.Height() / 3)
            << look.pszName;
        EXPECT_TRUE(repainted.SaveIfWanted(CString("frame_") + look.pszName));
    }
    Frame()->SetUIStyleOffice2003();
    PumpPending();
}

TEST(MainFrame, AHoveredToolbarButtonShowsItsPromptInPaneZeroAndTheIdleTextAfter)
{
    CMainFrame* pFrame = Frame();
    ASSERT_TRUE(pFrame != NULL);
    CExtToolControlBar* pToolBar = dynamic_cast<CExtToolControlBar*>(pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    CStatusBar* pStatus = dynamic_cast<CStatusBar*>(pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(pToolBar != NULL && pStatus != NULL);
    const int nOpen = pToolBar->FindButtonByCommand(ID_FILE_OPEN);
    ASSERT_GE(nOpen, 0);
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->SetForegroundWindow();
    pFrame->SetActiveWindow();
    PumpPending();
    if (CWnd::GetActiveWindow() != pFrame)
        GTEST_SKIP() << "the frame could not be made the active window";

    CRect rcButton;
    pToolBar->GetButtonRect(nOpen, rcButton);
    CPoint ptScreen = rcButton.CenterPoint();
    pToolBar->ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    pToolBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcButton.CenterPoint().x, rcButton.CenterPoint().y));
    EXPECT_EQ(pStatus->GetPaneText(0), "Opens an existing file");

    // Long enough for the tooltip, then a picture of the frame with it.
    for (int i = 0; i < 15; i++)
    {
        PumpPending();
        ::Sleep(100);
    }
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    rcFrame.bottom += 40;
    CScreenPicture(rcFrame).SaveIfWanted("toolbar-hover-prompt");

    // Off the bar (which holds the capture while a button is hot): the frame's idle
    // text again, and the capture goes back.
    EXPECT_EQ(::GetCapture(), pToolBar->m_hWnd);
    CRect rcBar;
    pToolBar->GetClientRect(&rcBar);
    const CPoint ptOff(rcBar.CenterPoint().x, rcBar.bottom + 120);
    CPoint ptOffScreen(ptOff);
    pToolBar->ClientToScreen(&ptOffScreen);
    ::SetCursorPos(ptOffScreen.x, ptOffScreen.y);
    pToolBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptOff.x, ptOff.y));
    EXPECT_NE(::GetCapture(), pToolBar->m_hWnd);
    EXPECT_NE(pStatus->GetPaneText(0), "Opens an existing file");
    CString strIdle;
    strIdle.LoadString(AFX_IDS_IDLEMESSAGE);
    PumpPending();
    EXPECT_EQ(pStatus->GetPaneText(0), strIdle);
}

namespace
{
bool IsMenuReady()
{
    CExtPopupMenuWnd* pFocus = CExtPopupMenuWnd::GetFocusPopup();
    return pFocus != NULL && pFocus->GetSafeHwnd() != NULL && pFocus->IsWindowVisible() &&
           g_PopupTrackContext.GetAnimatingPopup() == NULL;
}

bool PumpUntilTrue(const std::function<bool()>& condition, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (!condition() && ::GetTickCount() - dwStart < dwTimeoutMs)
    {
        PumpPending();
        ::Sleep(5);
    }
    return condition();
}
}

TEST_F(FrameWithProject, TheEditorsContextMenuOpensItsSubMenuAndTipInEveryLook)
{
    AddLuaFile("menu.lua", "local shout = \"quiet\"\nprint(shout)\n");
    CVornView* pView = Open("menu.lua");
    ASSERT_TRUE(pView != NULL);
    Frame()->SetForegroundWindow();
    PumpPending();
    if (::GetForegroundWindow() != Frame()->m_hWnd)
        GTEST_SKIP() << "another program holds the activation";
    const int nSavedAnimation = CExtPopupMenuWnd::g_nDefAnimationKind;
    struct Look
    {
        void (CMainFrame::*pfnSet)();
        const char* pszName;
    };
    const Look looks[] = {{&CMainFrame::SetUIStyleClassic, "classic"}, {&CMainFrame::SetUIStyleXP, "xp"},
                          {&CMainFrame::SetUIStyleOffice2003, "office2003"}};
    CRect rcView;
    pView->GetWindowRect(&rcView);
    const CPoint ptMenu(rcView.left + 120, rcView.top + 40);
    for (const Look& look : looks)
    {
        (Frame()->*look.pfnSet)();
        // The cursor away from where the menus open.
        CSentInput::MoveTo(CPoint(rcView.right - 5, rcView.bottom - 5));
        PumpPending();
        // A fading menu part of the way in.
        CExtPopupMenuWnd::g_nDefAnimationKind = CExtPopupMenuWnd::eAnimFade;
        pView->SendMessage(WM_CONTEXTMENU, (WPARAM)pView->m_hWnd, MAKELPARAM(ptMenu.x, ptMenu.y));
        ASSERT_TRUE(PumpUntilTrue([] { return g_PopupTrackContext.GetAnimatingPopup() != NULL; }, 2000)) << look.pszName;
        CExtPopupMenuWnd* pTop = g_PopupTrackContext.GetTopPopup();
        PumpUntilTrue([&] { return pTop->GetAnimationProgress() >= 40; }, 1000);
        CRect rcShot;
        pTop->GetWindowRect(&rcShot);
        rcShot.InflateRect(20, 20);
        EXPECT_TRUE(CScreenPicture(rcShot).SaveIfWanted(CString("menu_fading_") + look.pszName));
        ASSERT_TRUE(PumpUntilTrue(IsMenuReady, 3000)) << look.pszName;

        // The sub-menu from its mnemonic, and an item's tip under the resting cursor.
        CExtPopupMenuWnd::g_nDefAnimationKind = CExtPopupMenuWnd::eAnimNone;
        ::Sleep(40);
        CSentInput::PressKeys({'V'});
        ASSERT_TRUE(PumpUntilTrue([] { return CExtPopupMenuWnd::GetFocusPopup() != g_PopupTrackContext.GetTopPopup() &&
                                               IsMenuReady(); }, 2000))
            << look.pszName;
        CExtPopupMenuWnd* pSub = CExtPopupMenuWnd::GetFocusPopup();
        // Opened from the keyboard: its first item that can be chosen is selected.
        const int nFirst = pSub->GetCurrentIndex();
        ASSERT_TRUE(pSub->IsItemSelectable(nFirst)) << look.pszName;
        for (int i = 0; i < nFirst; i++)
            EXPECT_FALSE(pSub->IsItemSelectable(i)) << look.pszName << " " << i;
        int nHover = nFirst + 1;
        while (nHover < pSub->GetItemCount() && !pSub->IsItemSelectable(nHover))
            nHover++;
        CRect rcItem;
        ASSERT_TRUE(pSub->GetItemRect(nHover, rcItem));
        pSub->ClientToScreen(&rcItem);
        CSentInput::MoveTo(rcItem.CenterPoint());
        PumpUntilTrue([&] { return pSub->IsTipVisible(); }, 1800);
        PumpUntilTrue([] { return false; }, 100);
        pTop->GetWindowRect(&rcShot);
        CRect rcSub;
        pSub->GetWindowRect(&rcSub);
        rcShot.UnionRect(&rcShot, &rcSub);
        rcShot.InflateRect(40, 60);
        EXPECT_TRUE(CScreenPicture(rcShot).SaveIfWanted(CString("menu_") + look.pszName));

        // Enter on the item under the cursor ends the tracking.
        ::Sleep(40);
        CSentInput::PressKeys({VK_RETURN});
        EXPECT_TRUE(PumpUntilTrue([] { return !CExtPopupMenuWnd::IsTrackingActive(); }, 2000)) << look.pszName;
        PumpPending();
    }
    CExtPopupMenuWnd::g_nDefAnimationKind = nSavedAnimation;
    CExtPopupMenuWnd::CancelTracking();
    Frame()->SetUIStyleOffice2003();
    PumpPending();
}

namespace
{
// The toolbar's client area as it paints itself.
void SaveToolbarPicture(CExtToolControlBar* pBar, const CString& strName)
{
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CScreenPicture(pBar->m_hWnd).SaveIfWanted(strName);
}
}

TEST(MainFrame, TheToolbarShowsHotPressedCheckedAndDisabledButtonsTheChevronAndAFloatingWrap)
{
    CMainFrame* pFrame = Frame();
    ASSERT_TRUE(pFrame != NULL);
    CExtToolControlBar* pBar = dynamic_cast<CExtToolControlBar*>(pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    ASSERT_TRUE(pBar != NULL);
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->SetForegroundWindow();
    PumpPending();
    const int nNew = pBar->FindButtonByCommand(ID_FILE_NEW), nOpen = pBar->FindButtonByCommand(ID_FILE_OPEN);
    const int nSave = pBar->FindButtonByCommand(ID_FILE_SAVE), nCut = pBar->FindButtonByCommand(ID_EDIT_CUT);
    ASSERT_TRUE(nNew >= 0 && nOpen >= 0 && nSave >= 0 && nCut >= 0);
    const UINT nOpenStyle = pBar->GetButtonStyle(nOpen), nSaveStyle = pBar->GetButtonStyle(nSave);
    const UINT nCutStyle = pBar->GetButtonStyle(nCut);

    struct
    {
        const char* pszName;
        void (CMainFrame::*pfnLook)();
    } looks[] = {{"classic", &CMainFrame::SetUIStyleClassic}, {"xp", &CMainFrame::SetUIStyleXP}};
    for (const auto& look : looks)
    {
        (pFrame->*look.pfnLook)();
        PumpPending();
        // New hot, Open pressed, Save checked, Cut disabled: each paints unlike an idle
        // button at its centre, where an idle button shows the bar's background.
        CRect rcNew, rcOpen, rcSave, rcCut;
        pBar->GetButtonRect(nNew, rcNew);
        pBar->GetButtonRect(nOpen, rcOpen);
        pBar->GetButtonRect(nSave, rcSave);
        pBar->GetButtonRect(nCut, rcCut);
        // The left edge of each button: the look's border or face shows there in every
        // state but idle.
        auto leftEdge = [&](const CRect& rc) {
            CRect rcEdge(rc.left, rc.top + 2, rc.left + 2, rc.bottom - 2);
            pBar->ClientToScreen(&rcEdge);
            return rcEdge;
        };
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        std::unique_ptr<CScreenPicture> pIdle(new CScreenPicture(pBar->m_hWnd));
        pBar->GetButton(nNew)->SetHover(true);
        // A press happens under the mouse: hot as well.
        pBar->GetButton(nOpen)->SetHover(true);
        pBar->GetButton(nOpen)->SetStyle(nOpenStyle | TBBS_PRESSED);
        pBar->GetButton(nSave)->SetStyle((nSaveStyle & ~TBBS_DISABLED) | TBBS_CHECKBOX | TBBS_CHECKED);
        pBar->GetButton(nCut)->SetStyle(nCutStyle | TBBS_DISABLED);
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        {
            CScreenPicture states(pBar->m_hWnd);
            for (const CRect* pRect : {&rcNew, &rcOpen, &rcSave})
            {
                const CRect rcEdge = leftEdge(*pRect);
                int nChanged = 0;
                for (int y = rcEdge.top; y < rcEdge.bottom; y++)
                    for (int x = rcEdge.left; x < rcEdge.right; x++)
                        nChanged += pIdle->GetPixel(CPoint(x, y)) != states.GetPixel(CPoint(x, y)) ? 1 : 0;
                EXPECT_GT(nChanged, 0) << look.pszName << ": button at " << pRect->left;
            }
            states.SaveIfWanted(CString("toolbar_states_") + look.pszName);
        }
        pBar->GetButton(nNew)->SetHover(false);
        pBar->GetButton(nOpen)->SetHover(false);
        pBar->GetButton(nOpen)->SetStyle(nOpenStyle);
        pBar->GetButton(nSave)->SetStyle(nSaveStyle);
        pBar->GetButton(nCut)->SetStyle(nCutStyle);

        // A short bar: the chevron opens with what it hides.
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        pBar->SetWindowPos(NULL, 0, 0, 160, rcBar.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->DoRecalcLayout();
        const int nChevron = pBar->GetButtonsCount() - 1;
        EXPECT_TRUE(pBar->TrackButtonMenu(nChevron)) << look.pszName;
        PumpUntilTrue([] { return CExtPopupMenuWnd::IsTrackingActive(); }, 1000);
        PumpUntilTrue([] { return false; }, 400);
        EXPECT_TRUE(CExtPopupMenuWnd::IsTrackingActive()) << look.pszName;
        CRect rcShot;
        pBar->GetWindowRect(&rcShot);
        rcShot.right = rcShot.left + 420;
        rcShot.bottom += 320;
        CScreenPicture(rcShot).SaveIfWanted(CString("toolbar_chevron_") + look.pszName);
        CExtPopupMenuWnd::CancelTracking();
        PumpPending();
        EXPECT_EQ(-1, pBar->GetTrackingButton()) << look.pszName;

        // Floating at a narrow width it wraps into rows.
        pFrame->FloatControlBar(pBar, CPoint(300, 300));
        PumpPending();
        pBar->CalcDynamicLayout(150, LM_HORZ | LM_COMMIT);
        if (CFrameWnd* pMini = pBar->GetParentFrame())
            pMini->RecalcLayout();
        PumpPending();
        CRect rcFirst, rcLast;
        pBar->GetButtonRect(0, rcFirst);
        pBar->GetButtonRect(pBar->GetButtonsCount() - 2, rcLast);
        EXPECT_GT(rcLast.top, rcFirst.top) << look.pszName << ": one row only";
        if (CFrameWnd* pMini = pBar->GetParentFrame())
        {
            CRect rcMini;
            pMini->GetWindowRect(&rcMini);
            rcMini.InflateRect(10, 10);
            CScreenPicture(rcMini).SaveIfWanted(CString("toolbar_floating_") + look.pszName);
        }
        pFrame->DockControlBar(pBar);
        pFrame->RecalcLayout();
        PumpPending();
    }
    pFrame->SetUIStyleOffice2003();
    PumpPending();
}
