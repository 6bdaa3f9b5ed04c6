// Previous/Next Function, outline nodes, named bookmarks, breakpoints and Run To Cursor
// on a real view, and the go-to dialogs over a real project and outline, each run
// modally while a second thread reads and drives it.
#include "EditorCommandTest.h"

#include "CAddNamedBookmarkDlg.h"
#include "CGoToFunctionDlg.h"
#include "CGoToNamedBookmarkDlg.h"
#include "CGoToTableDlg.h"
#include "CGoToVariableDlg.h"
#include "COutline.h"
#include "COutlineFile.h"
#include "COutlineFunction.h"
#include "LuaEditorSetup.h"
#include "RecordingDebugSession.h"
#include "WindowBitmap.h"
#include "resource.h"

namespace
{
// Runs the dialog modally; the driver gets its window on a second thread and must end
// it. Whatever the driver does, the user-interface thread comes out of the dialog.
INT_PTR RunDriven(CDialog& dlg, const std::function<void(HWND)>& drive)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    std::thread driver([&] {
        HWND hDlg = DialogDriver::WaitForDialog(dwThreadId, {});
        if (hDlg == NULL)
            return;
        drive(hDlg);
        DialogDriver::WaitUntilGone(hDlg, 3000);
        DialogDriver::CancelAll(dwThreadId);
    });
    const INT_PTR nResult = dlg.DoModal();
    driver.join();
    PumpPending();
    return nResult;
}

// The texts of a combo box's or list box's entries, in order, and the selected index.
std::vector<std::string> ListTexts(HWND hList, int& nSelected)
{
    char szClass[32] = "";
    ::GetClassNameA(hList, szClass, sizeof(szClass));
    const bool bCombo = lstrcmpiA(szClass, "ComboBox") == 0;
    const int nCount = (int)::SendMessage(hList, bCombo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    std::vector<std::string> texts;
    for (int i = 0; i < nCount; i++)
    {
        char szText[256] = "";
        ::SendMessageA(hList, bCombo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)szText);
        texts.push_back(szText);
    }
    nSelected = (int)::SendMessage(hList, bCombo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    return texts;
}

void ChooseInclude(HWND hDlg, int nID, int nInclude)
{
    HWND hInclude = ::GetDlgItem(hDlg, nID);
    ::SendMessage(hInclude, CB_SETCURSEL, nInclude, 0);
    ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)hInclude);
}

void SaveShot(HWND hDlg, LPCTSTR pszName)
{
    LPCTSTR pszFolder = ScreenshotFolder();
    if (pszFolder == NULL)
        return;
    ::RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    ::Sleep(300);
    CWnd wnd;
    wnd.m_hWnd = hDlg;
    SaveWindowBitmap(&wnd, CString(pszFolder) + "\\" + pszName);
    wnd.m_hWnd = NULL;
}

const char kFunctions[] =
    "Shape = {}\n"                             // 0
    "function Shape:area() end\n"              // 1
    "function Shape.new() end\n"               // 2
    "function draw() end\n"                    // 3
    "local function helper() end\n"            // 4
    "Shape.sides = 4\n"                        // 5
    "count = 1\n"                              // 6
    "local hidden = 2\n";                      // 7

class EditorNavigationTest : public EditorCommandTest
{
protected:
    COutlineFile* OutlineOf(CProjectFileEntry* pEntry)
    {
        for (int i = 0; i < m_host.m_outline.GetFileCount(); i++)
        {
            if (m_host.m_outline.GetFile(i)->m_pProjectEntry == pEntry)
                return m_host.m_outline.GetFile(i);
        }
        return NULL;
    }
    // Drives the named bookmark command's dialog: types the name and presses OK; the
    // line field's text and whether it is read-only are kept.
    std::string m_strLineShown;
    bool m_bLineReadOnly = false;
    void AddNamedBookmark(const char* pszName)
    {
        const DWORD dwThreadId = ::GetCurrentThreadId();
        std::string strName = pszName;
        std::thread driver([&, strName] {
            HWND hDlg = DialogDriver::WaitForDialog(dwThreadId, {});
            if (hDlg == NULL)
                return;
            char szLine[32] = "";
            ::GetDlgItemTextA(hDlg, IDC_NAMED_BOOKMARK_LINE, szLine, sizeof(szLine));
            m_strLineShown = szLine;
            m_bLineReadOnly = (::GetWindowLong(::GetDlgItem(hDlg, IDC_NAMED_BOOKMARK_LINE), GWL_STYLE) & ES_READONLY) != 0;
            ::SetDlgItemTextA(hDlg, IDC_NAMED_BOOKMARK_NAME, strName.c_str());
            SaveShot(hDlg, "add_named_bookmark.bmp");
            DialogDriver::PressButton(hDlg, IDOK);
            DialogDriver::WaitUntilGone(hDlg, 3000);
            DialogDriver::CancelAll(dwThreadId);
        });
        AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_EDIT_NAMED_BOOKMARK, 0);
        driver.join();
        PumpPending();
    }
    std::string NamedBookmarks(CProjectFileEntry* pEntry)
    {
        std::string text;
        for (int i = 0; i < pEntry->GetNamedBookmarkCount(); i++)
            text += std::to_string(pEntry->GetNamedBookmarkAt(i)->GetLine()) + ":" +
                    (LPCTSTR)pEntry->GetNamedBookmarkAt(i)->GetName() + " ";
        return text;
    }
    std::string MenuText(UINT nID)
    {
        CEnableProbe probe;
        probe.m_nID = nID;
        m_pView->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, NULL);
        return (LPCTSTR)probe.m_strText;
    }
};
} // namespace

TEST_F(EditorNavigationTest, PreviousAndNextFunctionFindTheWholeWordAnywhereWithoutWrapping)
{
    OpenText("function a() end\n"          // 0
             "-- function in a comment\n"  // 17
             "s = \"function\"\n"          // 42
             "functions = 1\n"             // 57
             "x = function() end\n");      // 71
    Ctrl().GotoPos(0);
    EXPECT_EQ(Enabled(ID_GOTO_NEXT_FUNCTION), 1);
    Command(ID_GOTO_NEXT_FUNCTION);
    EXPECT_EQ(Selection(), "0-8");
    Command(ID_GOTO_NEXT_FUNCTION);
    EXPECT_EQ(Selection(), "20-28");
    Command(ID_GOTO_NEXT_FUNCTION);
    EXPECT_EQ(Selection(), "47-55");
    // "functions" is no match.
    Command(ID_GOTO_NEXT_FUNCTION);
    EXPECT_EQ(Selection(), "75-83");
    Command(ID_GOTO_NEXT_FUNCTION);
    EXPECT_EQ(Selection(), "75-83");

    Command(ID_GOTO_PREVIOUS_FUNCTION);
    EXPECT_EQ(Selection(), "47-55");
    // Right after a match with nothing selected, that match is the previous one.
    Ctrl().GotoPos(28);
    Command(ID_GOTO_PREVIOUS_FUNCTION);
    EXPECT_EQ(Selection(), "20-28");
    Command(ID_GOTO_PREVIOUS_FUNCTION);
    EXPECT_EQ(Selection(), "0-8");
    Command(ID_GOTO_PREVIOUS_FUNCTION);
    EXPECT_EQ(Selection(), "0-8");
    // The commands set the find state themselves.
    EXPECT_EQ(std::string(m_pView->m_find.m_strFind), "function");
    EXPECT_EQ(m_pView->m_find.m_nWrapAround, 0);
}

TEST_F(EditorNavigationTest, ProjectCommandsAreDisabledOnAFileOutsideTheProject)
{
    CVornDoc* pDoc = Open(WriteFile("loose.lua", "function a() end\nfunction b() end\n"));
    ASSERT_TRUE(pDoc != NULL);
    m_pView = ViewOf(pDoc);
    for (UINT nID : {ID_GOTO_PREVIOUS_FUNCTION, ID_GOTO_NEXT_FUNCTION, ID_EDIT_NAMED_BOOKMARK,
                     ID_DEBUG_TOGGLE_BREAKPOINT, ID_DEBUG_RUN_TO_CURSOR, ID_GOTO_SYNC_NAVIGATOR})
        EXPECT_EQ(Enabled(nID), 0) << nID;
    EXPECT_EQ(MenuText(ID_EDIT_NAMED_BOOKMARK), "Add/Delete Named Bookmark...\tCtrl+Alt+F2");
    // Without an entry the commands do nothing.
    Command(ID_DEBUG_TOGGLE_BREAKPOINT);
    Command(ID_EDIT_NAMED_BOOKMARK);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BREAKPOINT), "");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_NAMED_BOOKMARK), "");

    // A project file of one line has no function to move to.
    OpenText("function a() end");
    EXPECT_EQ(Enabled(ID_GOTO_NEXT_FUNCTION), 0);
    EXPECT_EQ(Enabled(ID_DEBUG_TOGGLE_BREAKPOINT), 1);
}

TEST_F(EditorNavigationTest, NamedBookmarksAddDeleteAndRefuseANameDifferingOnlyInCase)
{
    OpenText("a\nb\nc\nd\n");
    EXPECT_EQ(MenuText(ID_EDIT_NAMED_BOOKMARK), "Add Named Bookmark...\tCtrl+Alt+F2");
    Ctrl().GotoLine(1);
    AddNamedBookmark("Start");
    EXPECT_EQ(m_strLineShown, "2");
    EXPECT_TRUE(m_bLineReadOnly);
    EXPECT_EQ(NamedBookmarks(m_pEntry), "2:Start ");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_NAMED_BOOKMARK), "2 ");
    EXPECT_EQ(MenuText(ID_EDIT_NAMED_BOOKMARK), "Delete Named Bookmark\tCtrl+Alt+F2");

    // The same name in other letters is refused with the message; nothing is added.
    Ctrl().GotoLine(3);
    AddNamedBookmark("START");
    ASSERT_EQ(theApp.m_messageBoxes.size(), 1u);
    EXPECT_EQ(theApp.m_messageBoxes[0], "A named bookmark with this name already exists in this file!");
    EXPECT_EQ(NamedBookmarks(m_pEntry), "2:Start ");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_NAMED_BOOKMARK), "2 ");
    // An empty name adds nothing either.
    AddNamedBookmark("");
    EXPECT_EQ(NamedBookmarks(m_pEntry), "2:Start ");
    AddNamedBookmark("End");
    EXPECT_EQ(NamedBookmarks(m_pEntry), "2:Start 4:End ");

    // On a marked line the command deletes without asking.
    Ctrl().GotoLine(1);
    Command(ID_EDIT_NAMED_BOOKMARK);
    EXPECT_EQ(NamedBookmarks(m_pEntry), "4:End ");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_NAMED_BOOKMARK), "4 ");
}

TEST_F(EditorNavigationTest, ToggleBreakpointKeepsTheEntryAndTellsAConnectedSession)
{
    OpenText("a = 1\nb = 2\nc = 3\n");
    CRecordingDebugSession session;
    session.m_nState = IDebugSession::STATE_IDLE;
    m_host.m_pDebugSession = &session;
    const std::string strPath = (LPCTSTR)m_pEntry->GetPath();

    Ctrl().GotoLine(1);
    EXPECT_EQ(Enabled(ID_DEBUG_RUN_TO_CURSOR), 0);
    Command(ID_DEBUG_TOGGLE_BREAKPOINT);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BREAKPOINT), "2 ");
    ASSERT_EQ(m_pEntry->GetBreakpointCount(), 1);
    EXPECT_EQ(m_pEntry->GetBreakpointAt(0)->GetLine(), 2);
    EXPECT_EQ(m_host.m_nBreakpointWindowRefreshes, 1);
    EXPECT_TRUE(session.m_commands.empty());

    session.m_nState = IDebugSession::STATE_CONNECTED;
    Command(ID_DEBUG_TOGGLE_BREAKPOINT);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BREAKPOINT), "");
    EXPECT_EQ(m_pEntry->GetBreakpointCount(), 0);
    Ctrl().GotoLine(2);
    Command(ID_DEBUG_TOGGLE_BREAKPOINT);
    EXPECT_EQ(Enabled(ID_DEBUG_RUN_TO_CURSOR), 1);
    Command(ID_DEBUG_RUN_TO_CURSOR);
    EXPECT_EQ(session.m_commands,
              (std::vector<std::string>{"remove " + strPath + " 2", "add " + strPath + " 3", "run " + strPath + " 3"}));
    EXPECT_EQ(m_host.m_nBreakpointWindowRefreshes, 3);
    m_host.m_pDebugSession = NULL;
}

TEST_F(EditorNavigationTest, GoToOutlineNodeSelectsTheNameOnItsLineOrLeavesTheCaret)
{
    OpenText(kFunctions);
    COutlineFile* pFile = OutlineOf(m_pEntry);
    ASSERT_TRUE(pFile != NULL);
    COutlineNode* pDraw = COutlineNode::FindChild(pFile->GetFunctions(), "draw", 0);
    ASSERT_TRUE(pDraw != NULL);
    m_pView->GoToOutlineNode(pDraw);
    EXPECT_EQ(Selection(), std::to_string(Ctrl().PositionFromLine(3) + 9) + "-" +
                               std::to_string(Ctrl().PositionFromLine(3) + 13));

    // The text moved on since the parse: the line no longer names the node.
    Ctrl().Call(SCI_SETTEXT, 0, (LPARAM)"x\ny\nz\nnothing here\n");
    m_pView->GoToOutlineNode(pDraw);
    EXPECT_EQ(Selection(), std::to_string(Ctrl().PositionFromLine(3)) + "-" +
                               std::to_string(Ctrl().PositionFromLine(3)));
}

TEST_F(EditorNavigationTest, GoToFunctionListsEachIncludeChoiceSortedAndReturnsTheChosenNode)
{
    CProjectFileEntry* pShapes = AddProjectFile("shapes.lua", kFunctions);
    CProjectFileEntry* pOther = AddProjectFile("other.lua", "function draw() end\nfunction Zed() end\n");
    ASSERT_TRUE(pShapes != NULL && pOther != NULL);
    // A file whose flag is set (a definition list) gives nothing.
    OutlineOf(pOther)->m_nFlag = 1;
    AddProjectFile("more.lua", "function draw() end\nfunction apple() end\n");

    std::vector<std::vector<std::string>> lists;
    std::vector<int> selected;
    CGoToFunctionDlg dlg(m_host.m_outline, CGoToFunctionDlg::INCLUDE_GLOBAL, AfxGetMainWnd());
    RunDriven(dlg, [&](HWND hDlg) {
        HWND hCombo = ::GetDlgItem(hDlg, IDC_GOTO_FUNCTION);
        int nSelected;
        for (int nInclude : {1, 0, 2, 3, 4})
        {
            if (nInclude != 1)
                ChooseInclude(hDlg, IDC_GOTO_FUNCTION_INCLUDE, nInclude);
            lists.push_back(ListTexts(hCombo, nSelected));
            selected.push_back(nSelected);
        }
        ChooseInclude(hDlg, IDC_GOTO_FUNCTION_INCLUDE, 0);
        SaveShot(hDlg, "goto_function.bmp");
        // Two entries read "draw": the second one is the one chosen.
        std::vector<std::string> all = ListTexts(hCombo, nSelected);
        const int nDraw = (int)::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"draw");
        ::SendMessage(hCombo, CB_SETCURSEL, nDraw + 1, 0);
        DialogDriver::PressButton(hDlg, IDOK);
    });
    ASSERT_EQ(lists.size(), 5u);
    EXPECT_EQ(lists[0], (std::vector<std::string>{"apple", "draw", "draw", "helper"}));
    EXPECT_EQ(lists[1], (std::vector<std::string>{"apple", "area [Shape]", "draw", "draw", "helper", "new [Shape]"}));
    EXPECT_EQ(lists[2], (std::vector<std::string>{"area [Shape]"}));
    EXPECT_EQ(lists[3], (std::vector<std::string>{"new [Shape]"}));
    EXPECT_EQ(lists[4], (std::vector<std::string>{"area [Shape]", "new [Shape]"}));
    EXPECT_EQ(selected, (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(std::string(dlg.m_strChosen), "draw");
    EXPECT_EQ(dlg.m_nInclude, 0);
    ASSERT_TRUE(dlg.m_pChosenNode != NULL);
    // The entries of one name keep their own nodes: whichever was chosen comes back.
    EXPECT_TRUE(dlg.m_pChosenNode->IsFunction());
    EXPECT_EQ(std::string(dlg.m_pChosenNode->GetName()), "draw");
    const COutlineNode* pFirstDraw = COutlineNode::FindChild(OutlineOf(pShapes)->GetFunctions(), "draw", 0);
    CGoToFunctionDlg again(m_host.m_outline, CGoToFunctionDlg::INCLUDE_GLOBAL, AfxGetMainWnd());
    RunDriven(again, [&](HWND hDlg) {
        HWND hCombo = ::GetDlgItem(hDlg, IDC_GOTO_FUNCTION);
        const int nDraw = (int)::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"draw");
        ::SendMessage(hCombo, CB_SETCURSEL, nDraw, 0);
        DialogDriver::PressButton(hDlg, IDOK);
    });
    ASSERT_TRUE(again.m_pChosenNode != NULL);
    EXPECT_NE(again.m_pChosenNode, dlg.m_pChosenNode);
    EXPECT_TRUE(again.m_pChosenNode == pFirstDraw || dlg.m_pChosenNode == pFirstDraw);

    // Typed text that is no entry comes back without a node, even when an entry
    // differs from it only in case; typed text that is one brings that entry's node.
    for (const char* pszTyped : {"Draw", "helper"})
    {
        CGoToFunctionDlg typed(m_host.m_outline, 0, AfxGetMainWnd());
        RunDriven(typed, [&](HWND hDlg) {
            ::SetDlgItemTextA(hDlg, IDC_GOTO_FUNCTION, pszTyped);
            DialogDriver::PressButton(hDlg, IDOK);
        });
        EXPECT_EQ(std::string(typed.m_strChosen), pszTyped);
        EXPECT_EQ(std::string(typed.m_pChosenNode != NULL ? typed.m_pChosenNode->GetName() : "(none)"),
                  std::string(pszTyped) == "helper" ? "helper" : "(none)");
    }
}

TEST_F(EditorNavigationTest, GoToVariableLeavesLocalsOutAndGoToTableKeepsEachTablesNode)
{
    AddProjectFile("shapes.lua", kFunctions);
    AddProjectFile("nest.lua", "function make()\n  local Inner = {}\n  return Inner\nend\n"
                               "function build()\n  local Inner = {}\n  return Inner\nend\n");
    // A file whose flag is set gives neither variables nor tables.
    CProjectFileEntry* pFlagged = AddProjectFile("flagged.lua", "Hidden = {}\nHidden.size = 1\nhiddenCount = 2\n");
    ASSERT_TRUE(pFlagged != NULL && OutlineOf(pFlagged) != NULL);
    OutlineOf(pFlagged)->m_nFlag = 1;
    std::vector<std::vector<std::string>> lists;
    CGoToVariableDlg dlg(m_host.m_outline, CGoToVariableDlg::INCLUDE_ALL, AfxGetMainWnd());
    RunDriven(dlg, [&](HWND hDlg) {
        int nSelected;
        for (int nInclude : {0, 1, 2})
        {
            ChooseInclude(hDlg, IDC_GOTO_VARIABLE_INCLUDE, nInclude);
            lists.push_back(ListTexts(::GetDlgItem(hDlg, IDC_GOTO_VARIABLE), nSelected));
        }
        ::SendMessage(::GetDlgItem(hDlg, IDC_GOTO_VARIABLE), CB_SETCURSEL, 0, 0);
        DialogDriver::PressButton(hDlg, IDOK);
    });
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[0], (std::vector<std::string>{"count", "sides [Shape]"}));
    EXPECT_EQ(lists[1], (std::vector<std::string>{"count"}));
    EXPECT_EQ(lists[2], (std::vector<std::string>{"sides [Shape]"}));
    EXPECT_EQ(dlg.m_nInclude, 2);
    ASSERT_TRUE(dlg.m_pChosenNode != NULL);
    EXPECT_EQ(std::string(dlg.m_pChosenNode->GetName()), "sides");

    // Each "Inner" table keeps its own owner.
    CGoToTableDlg tables(m_host.m_outline, AfxGetMainWnd());
    std::vector<std::string> shown;
    RunDriven(tables, [&](HWND hDlg) {
        int nSelected;
        HWND hCombo = ::GetDlgItem(hDlg, IDC_GOTO_TABLE);
        shown = ListTexts(hCombo, nSelected);
        ::SendMessage(hCombo, CB_SETCURSEL, (WPARAM)::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                                                   (LPARAM)"Inner [make]"), 0);
        DialogDriver::PressButton(hDlg, IDOK);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"Inner [build]", "Inner [make]", "Shape"}));
    ASSERT_TRUE(tables.m_pChosenNode != NULL);
    ASSERT_TRUE(tables.m_pChosenNode->m_pOwner != NULL);
    EXPECT_EQ(std::string(tables.m_pChosenNode->m_pOwner->GetName()), "make");
    EXPECT_EQ(tables.m_pChosenNode->m_nLine, 1);
}

TEST_F(EditorNavigationTest, GoToNamedBookmarkListsEveryFilesBookmarksWithTheirEntries)
{
    CProjectFileEntry* pBlank = AddProjectFile("my file.lua", "a\nb\nc\n");
    CProjectFileEntry* pBracket = AddProjectFile("odd [x].lua", "a\nb\n");
    ASSERT_TRUE(pBlank != NULL && pBracket != NULL);
    pBlank->AddNamedBookmark(3, "zeta");
    pBlank->AddNamedBookmark(1, "Alpha");
    pBracket->AddNamedBookmark(2, "alpha");

    std::vector<std::string> shown;
    int nSelected = -1;
    CGoToNamedBookmarkDlg dlg(&m_host.m_project, AfxGetMainWnd());
    RunDriven(dlg, [&](HWND hDlg) {
        HWND hList = ::GetDlgItem(hDlg, IDC_GOTO_NAMED_BOOKMARK_LIST);
        shown = ListTexts(hList, nSelected);
        SaveShot(hDlg, "goto_named_bookmark.bmp");
        ::SendMessage(hList, LB_SETCURSEL, 1, 0);
        DialogDriver::PressButton(hDlg, IDOK);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"Alpha [my file.lua]", "alpha [odd [x].lua]", "zeta [my file.lua]"}));
    EXPECT_EQ(nSelected, 0);
    EXPECT_EQ(std::string(dlg.m_strChosen), "alpha [odd [x].lua]");
    EXPECT_EQ(dlg.m_pChosenFile, pBracket);
    ASSERT_TRUE(dlg.m_pChosenBookmark != NULL);
    EXPECT_EQ(dlg.m_pChosenBookmark->GetLine(), 2);

    // Without a project the list is empty and OK gives back nothing.
    CGoToNamedBookmarkDlg none(NULL, AfxGetMainWnd());
    RunDriven(none, [&](HWND hDlg) {
        shown = ListTexts(::GetDlgItem(hDlg, IDC_GOTO_NAMED_BOOKMARK_LIST), nSelected);
        DialogDriver::PressButton(hDlg, IDOK);
    });
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(std::string(none.m_strChosen), "");
    EXPECT_TRUE(none.m_pChosenFile == NULL && none.m_pChosenBookmark == NULL);
}
