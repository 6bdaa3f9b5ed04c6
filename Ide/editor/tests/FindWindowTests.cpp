// Find, Replace, Mark All and Find in Files in the real IDE: its main frame, real
// Scintilla editors, a project of temporary files and the program folder's searcher.
// The dialogs are opened through the frame's create operations.
#include "AppTestSupport.h"

#include "CAppSettings.h"
#include "CExtControlBar.h"
#include "CFindDlg.h"
#include "SentInput.h"
#include "CFindInFilesDlg.h"
#include "CFindInFilesView.h"
#include "CReplaceDlg.h"
#include "CScintillaViewPage.h"
#include "LuaEditorSetup.h"
#include "PathUtil.h"
#include "ScreenPicture.h"
#include "resource.h"

#include <shlwapi.h>

#include <string>

namespace
{
CMainFrame* Frame()
{
    return theApp.GetMainFrame();
}

CAppSettings& Settings()
{
    return theApp.m_settings;
}

void Press(CWnd* pDialog, UINT nID)
{
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(pDialog->m_hWnd, nID));
    PumpPending();
}

void Click(CWnd* pDialog, UINT nID)
{
    ::SendMessage(::GetDlgItem(pDialog->m_hWnd, nID), BM_CLICK, 0, 0);
    PumpPending();
}

void Type(CWnd* pDialog, UINT nID, LPCTSTR pszText)
{
    ::SetDlgItemTextA(pDialog->m_hWnd, nID, pszText);
}

std::string ItemText(CWnd* pDialog, UINT nID)
{
    char szText[512] = "";
    ::GetDlgItemTextA(pDialog->m_hWnd, nID, szText, sizeof(szText));
    return szText;
}

std::vector<std::string> ComboLines(CWnd* pDialog, UINT nID)
{
    std::vector<std::string> lines;
    HWND hCombo = ::GetDlgItem(pDialog->m_hWnd, nID);
    const int nCount = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        char szText[512] = "";
        ::SendMessageA(hCombo, CB_GETLBTEXT, i, (LPARAM)szText);
        lines.push_back(szText);
    }
    return lines;
}

std::string Text(CVornView* pView)
{
    CScintillaCtrl& ctrl = pView->GetCtrl();
    const int nLength = ctrl.GetLength();
    std::string text((size_t)nLength + 1, '\0');
    ctrl.Call(SCI_GETTEXT, (WPARAM)nLength + 1, (LPARAM)&text[0]);
    text.resize((size_t)nLength);
    return text;
}

// The selection as "start-end".
std::string Sel(CVornView* pView)
{
    CScintillaCtrl& ctrl = pView->GetCtrl();
    return std::to_string(ctrl.GetSelectionStart()) + "-" + std::to_string(ctrl.GetSelectionEnd());
}

void Select(CVornView* pView, int nStart, int nEnd)
{
    pView->GetCtrl().SetSel(nStart, nEnd);
}

bool HasMarker(CVornView* pView, int nLine, int nMarker)
{
    return (pView->GetCtrl().MarkerGet(nLine) & (1 << nMarker)) != 0;
}

// The test program's folder, where the IDE looks for its searcher.
CString ProgramSearcher()
{
    return VornGetProgramDirectory() + "findstr.exe";
}

// Puts the built searcher beside the test program.
void InstallSearcher()
{
    const CString strBuilt = CanonicalPath(VornGetProgramDirectory() + "..\\bin\\findstr.exe");
    ASSERT_TRUE(::CopyFileA(strBuilt, ProgramSearcher(), FALSE)) << (LPCTSTR)strBuilt;
}
} // namespace

class FindDialogs : public ::testing::Test
{
protected:
    CTestFolder m_folder;

    void SetUp() override
    {
        ASSERT_TRUE(Frame() != NULL);
        theApp.m_prompts.clear();
        theApp.m_answers.clear();
        ResetFindSettings();
        ASSERT_TRUE(Project().Create(m_folder.Path(), "demo"));
    }
    void TearDown() override
    {
        CloseDialogs();
        theApp.m_answers.assign(64, IDNO);
        Frame()->OnCloseProject();
        Project().Discard();
        theApp.CloseAllDocuments(FALSE);
        PumpPending();
    }
    static void ResetFindSettings()
    {
        CAppSettings& s = Settings();
        s.m_strFRFind.Empty();
        s.m_strFRReplace.Empty();
        s.m_nFRMatchCase = s.m_nFRMatchWholeWord = s.m_nFRSearchUp = s.m_nFRRegularExpression = 0;
        s.m_nFRAllOpenDocs = s.m_nFRDisplayInFindInFiles2 = 0;
        s.m_nFRWrapAround = 1;
        for (int i = 0; i < CAppSettings::FIND_HISTORY_COUNT; i++)
        {
            s.m_strFRFindArray[i].Empty();
            s.m_strFRReplaceArray[i].Empty();
        }
    }
    static void CloseDialogs()
    {
        if (CWnd* pDialog = Frame()->GetFindDialog())
            Press(pDialog, IDCANCEL);
        if (CWnd* pDialog = Frame()->GetReplaceDialog())
            Press(pDialog, IDCANCEL);
        if (CWnd* pDialog = Frame()->GetFindInFilesDialog())
            Press(pDialog, IDCANCEL);
    }
    CProject& Project() { return Frame()->GetProject(); }
    CVornView* Open(LPCTSTR pszName, const std::string& text, BOOL bInProject = TRUE)
    {
        WriteTestFile(m_folder / pszName, text);
        if (bInProject && Project().FindFileByName(pszName) == NULL)
            Project().AddFile(m_folder / pszName, "");
        CVornDoc* pDoc = dynamic_cast<CVornDoc*>(theApp.OpenDocumentFile(m_folder / pszName));
        PumpPending();
        return pDoc != NULL ? pDoc->GetView() : NULL;
    }
};

//////////////////////////////////////////////////////////////////////////////
// The dialogs, their histories and options

TEST_F(FindDialogs, OpeningTakesAOneLineSelectionAndTheHistoryKeepsTenTexts)
{
    CVornView* pView = Open("a.lua", "local alpha = 1\nreturn alpha\n");
    ASSERT_TRUE(pView != NULL);
    Settings().m_strFRFind = "before";
    Select(pView, 6, 11);
    CFindDlg* pFind = Frame()->CreateFindDialog();
    ASSERT_TRUE(pFind != NULL);
    EXPECT_EQ(Frame()->CreateFindDialog(), pFind);   // one of each
    EXPECT_EQ(ItemText(pFind, IDC_FIND_WHAT), "alpha");
    EXPECT_EQ(ComboLines(pFind, IDC_FIND_WHAT), std::vector<std::string>{"alpha"});
    Press(pFind, IDCANCEL);
    EXPECT_TRUE(Frame()->GetFindDialog() == NULL);
    EXPECT_EQ(std::string(Settings().m_strFRFindArray[0]), "alpha");

    // Two lines selected: the text stays.
    Select(pView, 6, 20);
    pFind = Frame()->CreateFindDialog();
    EXPECT_EQ(ItemText(pFind, IDC_FIND_WHAT), "alpha");
    Press(pFind, IDCANCEL);

    // Twelve texts: ten kept, newest first; one typed again moves up; never an empty one.
    Select(pView, 0, 0);
    pFind = Frame()->CreateFindDialog();
    for (int i = 0; i < 12; i++)
    {
        Type(pFind, IDC_FIND_WHAT, ("t" + std::to_string(i)).c_str());
        Press(pFind, IDOK);
    }
    Type(pFind, IDC_FIND_WHAT, "t8");
    Press(pFind, IDOK);
    Type(pFind, IDC_FIND_WHAT, "");
    Press(pFind, IDOK);
    const char* expected[] = {"t8", "t11", "t10", "t9", "t7", "t6", "t5", "t4", "t3", "t2"};
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(std::string(Settings().m_strFRFindArray[i]), expected[i]) << i;
    Press(pFind, IDCANCEL);
}

TEST_F(FindDialogs, CheckBoxesAreStoredAtOnceAndShownOnOpening)
{
    Open("a.lua", "x\n");
    Settings().m_nFRRegularExpression = 1;
    CReplaceDlg* pReplace = Frame()->CreateReplaceDialog();
    ASSERT_TRUE(pReplace != NULL);
    EXPECT_EQ(pReplace->IsDlgButtonChecked(IDC_FIND_REGULAR_EXPRESSION), BST_CHECKED);
    EXPECT_EQ(pReplace->IsDlgButtonChecked(IDC_FIND_WRAP_AROUND), BST_CHECKED);
    Click(pReplace, IDC_FIND_MATCH_CASE);
    EXPECT_EQ(Settings().m_nFRMatchCase, 1);
    Click(pReplace, IDC_FIND_WRAP_AROUND);
    EXPECT_EQ(Settings().m_nFRWrapAround, 0);
    Click(pReplace, IDC_FIND_ALL_OPEN_DOCS);
    Click(pReplace, IDC_FIND_SEARCH_UP);
    Click(pReplace, IDC_FIND_WHOLE_WORD);
    EXPECT_EQ(Settings().m_nFRAllOpenDocs, 1);
    EXPECT_EQ(Settings().m_nFRSearchUp, 1);
    EXPECT_EQ(Settings().m_nFRMatchWholeWord, 1);
}

TEST_F(FindDialogs, CtrlVAndDeleteInTheComboActOnTheCombo)
{
    CVornView* pView = Open("a.lua", "keep me\n");
    CFindDlg* pFind = Frame()->CreateFindDialog();
    ASSERT_TRUE(pFind != NULL);
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(::GlobalLock(hText), "clip!", 6);
    ::GlobalUnlock(hText);
    ::SetClipboardData(CF_TEXT, hText);
    ::CloseClipboard();

    pFind->SetForegroundWindow();
    CWnd* pCombo = pFind->GetDlgItem(IDC_FIND_WHAT);
    pCombo->SetFocus();
    PumpPending();
    auto keys = [](std::initializer_list<WORD> vks) {
        CSentInput::PressKeys(vks);
        for (int i = 0; i < 10; i++)
            PumpPending();
    };
    keys({VK_CONTROL, 'V'});
    EXPECT_EQ(ItemText(pFind, IDC_FIND_WHAT), "clip!");
    pCombo->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    keys({VK_DELETE});
    EXPECT_EQ(ItemText(pFind, IDC_FIND_WHAT), "");
    EXPECT_EQ(Text(pView), "keep me\n");
}

//////////////////////////////////////////////////////////////////////////////
// Find Next and Find Previous

TEST_F(FindDialogs, FindNextWrapsOrStopsInBothDirections)
{
    CVornView* pView = Open("a.lua", "a x\nb x\nc x\n");
    Select(pView, 0, 0);
    CFindDlg* pFind = Frame()->CreateFindDialog();
    Type(pFind, IDC_FIND_WHAT, "x");
    Click(pFind, IDC_FIND_WRAP_AROUND);   // off
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pView), "2-3");
    Press(pFind, IDOK);
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pView), "10-11");
    Press(pFind, IDOK);                   // the last match: nothing moves, nothing said
    EXPECT_EQ(Sel(pView), "10-11");
    EXPECT_TRUE(theApp.m_prompts.empty());
    Click(pFind, IDC_FIND_WRAP_AROUND);   // on
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pView), "2-3");

    // Upwards: from the first match round to the last with wrap, not without.
    Click(pFind, IDC_FIND_SEARCH_UP);
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pView), "10-11");
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pView), "6-7");
    Click(pFind, IDC_FIND_WRAP_AROUND);   // off
    Select(pView, 2, 3);
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pView), "2-3");

    // Find Previous with search up set goes down; the option stays as it was.
    Frame()->SendMessage(WM_COMMAND, ID_FIND_PREVIOUS);
    EXPECT_EQ(Sel(pView), "6-7");
    EXPECT_EQ(Settings().m_nFRSearchUp, 1);
    Frame()->SendMessage(WM_COMMAND, ID_FIND_NEXT);
    EXPECT_EQ(Sel(pView), "2-3");
}

TEST_F(FindDialogs, BackwardsFindsAMatchEndingAtTheSelectionStart)
{
    CVornView* pView = Open("a.lua", "abab\n");
    Settings().m_strFRFind = "ab";
    Settings().m_nFRSearchUp = 1;
    Settings().m_nFRWrapAround = 0;
    Select(pView, 2, 4);
    Frame()->ViewFindNext();
    EXPECT_EQ(Sel(pView), "0-2");
}

TEST_F(FindDialogs, BadRegularExpressionAndEmptyTextFindNothing)
{
    CVornView* pView = Open("a.lua", "a(b\n^x\n");
    Select(pView, 1, 1);
    Settings().m_nFRRegularExpression = 1;
    Settings().m_strFRFind = "[";
    Frame()->ViewFindNext();
    EXPECT_EQ(Sel(pView), "1-1");
    Settings().m_strFRFind = "";
    Frame()->ViewFindNext();
    Frame()->ViewReplaceAll();
    Frame()->ViewMarkAll();
    EXPECT_EQ(Sel(pView), "1-1");
    EXPECT_EQ(Text(pView), "a(b\n^x\n");

    // "^" is found once at each line start.
    Settings().m_strFRFind = "^";
    Settings().m_nFRWrapAround = 0;
    Select(pView, 0, 0);
    Frame()->ViewFindNext();
    EXPECT_EQ(Sel(pView), "4-4");
    Frame()->ViewFindNext();
    EXPECT_EQ(Sel(pView), "7-7");
    // "$" at the end of the text: with wrap on the search goes on from the start.
    Settings().m_strFRFind = "$";
    Settings().m_nFRWrapAround = 1;
    Select(pView, 7, 7);
    Frame()->ViewFindNext();
    EXPECT_EQ(Sel(pView), "3-3");
}

TEST_F(FindDialogs, AllOpenDocumentsMovesTheSearchOn)
{
    CVornView* pA = Open("a.lua", "nothing here\n");
    CVornView* pB = Open("b.lua", "the needle\n");
    Frame()->MDIActivate(pA->GetParentFrame());
    PumpPending();
    Select(pA, 0, 0);
    CFindDlg* pFind = Frame()->CreateFindDialog();
    Type(pFind, IDC_FIND_WHAT, "needle");
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pA), "0-0");   // off: the miss stays in a.lua
    EXPECT_EQ(Frame()->GetActiveEditorView(), pA);
    Click(pFind, IDC_FIND_ALL_OPEN_DOCS);
    Press(pFind, IDOK);
    EXPECT_EQ(Frame()->GetActiveEditorView(), pB);
    Select(pB, 0, 0);
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pB), "4-10");
}

TEST_F(FindDialogs, FindNextAfterTheTargetClosedSearchesTheActiveEditor)
{
    CVornView* pA = Open("a.lua", "x in a\n");
    CFindDlg* pFind = Frame()->CreateFindDialog();
    Type(pFind, IDC_FIND_WHAT, "x");
    Press(pFind, IDOK);
    CVornView* pB = Open("b.lua", "b has x\n");
    // The target goes without the frame being asked.
    pA->GetParentFrame()->DestroyWindow();
    PumpPending();
    Frame()->MDIActivate(pB->GetParentFrame());
    Select(pB, 0, 0);
    Press(pFind, IDOK);
    EXPECT_EQ(Sel(pB), "6-7");
    // Without any editor nothing happens.
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    Press(pFind, IDOK);
    Press(pFind, IDC_FIND_MARK_ALL);
    EXPECT_FALSE(QueryCommand(Frame(), ID_FIND_NEXT).bEnabled);
}

TEST_F(FindDialogs, TheFindDialogMovesOffTheCaret)
{
    std::string text;
    for (int i = 0; i < 30; i++)
        text += "line " + std::to_string(i) + "\n";
    text += "target\n";
    CVornView* pView = Open("a.lua", text);
    Select(pView, 0, 0);
    CFindDlg* pFind = Frame()->CreateFindDialog();
    Type(pFind, IDC_FIND_WHAT, "target");
    // Put the dialog where the match will show.
    CScintillaCtrl& ctrl = pView->GetCtrl();
    ctrl.Call(SCI_GOTOPOS, (WPARAM)text.find("target"));
    CPoint point(ctrl.PointXFromPosition((int)text.find("target")), ctrl.PointYFromPosition((int)text.find("target")));
    ctrl.ClientToScreen(&point);
    Select(pView, 0, 0);
    CRect rc;
    pFind->GetWindowRect(&rc);
    pFind->SetWindowPos(NULL, point.x - 20, point.y - rc.Height() / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Press(pFind, IDOK);
    ASSERT_EQ(Sel(pView), std::to_string(text.find("target")) + "-" + std::to_string(text.find("target") + 6));
    CPoint caret(ctrl.PointXFromPosition(ctrl.GetSelectionStart()), ctrl.PointYFromPosition(ctrl.GetSelectionStart()));
    ctrl.ClientToScreen(&caret);
    pFind->GetWindowRect(&rc);
    EXPECT_FALSE(rc.PtInRect(caret)) << rc.top << " " << rc.bottom << " " << caret.y;
}

//////////////////////////////////////////////////////////////////////////////
// Replace, Replace All, Mark All

TEST_F(FindDialogs, ReplaceTakesASelectionThatDiffersOnlyInCase)
{
    CVornView* pView = Open("a.lua", "Foo foo\n");
    Select(pView, 0, 3);
    CReplaceDlg* pReplace = Frame()->CreateReplaceDialog();
    Type(pReplace, IDC_FIND_WHAT, "foo");
    Type(pReplace, IDC_REPLACE_WITH, "bar");
    Press(pReplace, IDC_REPLACE);
    EXPECT_EQ(Text(pView), "bar foo\n");
    EXPECT_EQ(Sel(pView), "4-7");

    Select(pView, 0, 0);
    pView->GetCtrl().Call(SCI_SETTEXT, 0, (LPARAM) "Foo foo\n");
    Select(pView, 0, 3);
    Click(pReplace, IDC_FIND_MATCH_CASE);
    Press(pReplace, IDC_REPLACE);
    EXPECT_EQ(Text(pView), "Foo foo\n");
    EXPECT_EQ(Sel(pView), "4-7");

    // With a regular expression only a match of exactly the selection is replaced.
    Click(pReplace, IDC_FIND_REGULAR_EXPRESSION);
    Type(pReplace, IDC_FIND_WHAT, "o+");
    Select(pView, 0, 2);
    Press(pReplace, IDC_REPLACE);
    EXPECT_EQ(Text(pView), "Foo foo\n");
    EXPECT_EQ(Sel(pView), "1-3");
    Press(pReplace, IDC_REPLACE);
    EXPECT_EQ(Text(pView), "Fbar foo\n");
}

TEST_F(FindDialogs, ReplaceAllUsesTheTypedTextAndIsOneUndoStep)
{
    const std::string original = "old new\r\nold\r\nnew old\r\n";
    CVornView* pView = Open("a.lua", original);
    Settings().m_strFRFind = "new";
    Select(pView, 0, 0);
    CReplaceDlg* pReplace = Frame()->CreateReplaceDialog();
    // Typed, not chosen from the list.
    Type(pReplace, IDC_FIND_WHAT, "old");
    Type(pReplace, IDC_REPLACE_WITH, "older");
    Press(pReplace, IDC_REPLACE_ALL);
    EXPECT_EQ(Text(pView), "older new\r\nolder\r\nnew older\r\n");
    EXPECT_EQ(std::string(Settings().m_strFRFind), "old");
    EXPECT_EQ(std::string(Settings().m_strFRFindArray[0]), "old");
    EXPECT_EQ(std::string(Settings().m_strFRReplaceArray[0]), "older");
    EXPECT_EQ(Sel(pView), "27-27");   // after the last replacement
    pView->GetCtrl().Call(SCI_UNDO);
    EXPECT_EQ(Text(pView), original);
    EXPECT_FALSE(pView->GetCtrl().Call(SCI_CANUNDO));
}

TEST_F(FindDialogs, ReplaceAllWithWrapEndsAndReplacesEachMatchOnce)
{
    CVornView* pView = Open("a.lua", "a a a a\n");
    Settings().m_strFRFind = "a";
    Settings().m_strFRReplace = "aa";
    Select(pView, 3, 3);   // starts in the middle
    Frame()->ViewReplaceAll();
    EXPECT_EQ(Text(pView), "aa aa aa aa\n");

    Settings().m_nFRSearchUp = 1;
    pView->GetCtrl().Call(SCI_SETTEXT, 0, (LPARAM) "a a a a\n");
    Select(pView, 4, 4);
    Frame()->ViewReplaceAll();
    EXPECT_EQ(Text(pView), "aa aa aa aa\n");

    // Empty matches: "^" inserts once at each line start, "$" once at each end.
    Settings().m_nFRSearchUp = 0;
    Settings().m_nFRRegularExpression = 1;
    Settings().m_strFRFind = "^";
    Settings().m_strFRReplace = "-- ";
    pView->GetCtrl().Call(SCI_SETTEXT, 0, (LPARAM) "one\ntwo\n\nfour");
    Select(pView, 0, 0);
    Frame()->ViewReplaceAll();
    EXPECT_EQ(Text(pView), "-- one\n-- two\n-- \n-- four");
    Settings().m_strFRFind = "$";
    Settings().m_strFRReplace = ";";
    Select(pView, 5, 5);
    Frame()->ViewReplaceAll();
    EXPECT_EQ(Text(pView), "-- one;\n-- two;\n-- ;\n-- four;");
}

TEST_F(FindDialogs, MarkAllTogglesTheLinesOfEveryMatch)
{
    CVornView* pView = Open("a.lua", "1\n2\nhit\n4\nhit\n6\nhit hit\n");
    CProjectFileEntry* pEntry = Project().FindFileByName("a.lua");
    ASSERT_TRUE(pEntry != NULL);
    Select(pView, 0, 0);
    CFindDlg* pFind = Frame()->CreateFindDialog();
    Type(pFind, IDC_FIND_WHAT, "hit");
    Press(pFind, IDC_FIND_MARK_ALL);
    EXPECT_TRUE(HasMarker(pView, 2, MARKER_BOOKMARK));
    EXPECT_TRUE(HasMarker(pView, 4, MARKER_BOOKMARK));
    EXPECT_FALSE(HasMarker(pView, 6, MARKER_BOOKMARK));   // toggled twice
    EXPECT_EQ(Sel(pView), "20-23");                       // the last match
    ASSERT_EQ(pEntry->GetBookmarkCount(), 2);
    EXPECT_EQ(pEntry->GetBookmarkAt(0), 3u);
    EXPECT_EQ(pEntry->GetBookmarkAt(1), 5u);

    // "^" toggles each line once.
    Settings().m_nFRRegularExpression = 1;
    Settings().m_strFRFind = "^";
    Select(pView, 0, 0);
    Frame()->ViewMarkAll();
    EXPECT_TRUE(HasMarker(pView, 0, MARKER_BOOKMARK));
    EXPECT_FALSE(HasMarker(pView, 2, MARKER_BOOKMARK));
    EXPECT_TRUE(HasMarker(pView, 6, MARKER_BOOKMARK));
}

//////////////////////////////////////////////////////////////////////////////
// Find in Files

class FindInFilesWindows : public FindDialogs
{
protected:
    void SetUp() override
    {
        FindDialogs::SetUp();
        InstallSearcher();
    }
    CScintillaCtrl& PaneCtrl(BOOL bSecond)
    {
        CScintillaViewPage& page = bSecond ? static_cast<CScintillaViewPage&>(Frame()->GetFindInFilesPage2())
                                           : static_cast<CScintillaViewPage&>(Frame()->GetFindInFilesPage());
        return *page.GetCtrl();
    }
    std::string PaneText(BOOL bSecond)
    {
        CScintillaCtrl& ctrl = PaneCtrl(bSecond);
        std::string text((size_t)ctrl.GetLength() + 1, '\0');
        ctrl.Call(SCI_GETTEXT, (WPARAM)text.size(), (LPARAM)&text[0]);
        text.resize(text.size() - 1);
        return text;
    }
    void DoubleClickLine(BOOL bSecond, int nLine)
    {
        CScintillaCtrl& ctrl = PaneCtrl(bSecond);
        SCNotification notify = {};
        notify.nmhdr.hwndFrom = ctrl.m_hWnd;
        notify.nmhdr.idFrom = (UINT_PTR)ctrl.GetDlgCtrlID();
        notify.nmhdr.code = SCN_DOUBLECLICK;
        notify.position = ctrl.PositionFromLine(nLine) + 1;
        ctrl.GetParent()->SendMessage(WM_NOTIFY, notify.nmhdr.idFrom, (LPARAM)&notify);
        PumpPending();
    }
};

TEST_F(FindInFilesWindows, ResultsFillTheChosenPaneAndADoubleClickOpensTheLine)
{
    WriteTestFile(m_folder / "one.lua", "x = 1\n");
    WriteTestFile(m_folder / "two.lua", "1\n2\n3\nlocal Target\n5\n6\n7\n8\nprint(target)\n");
    WriteTestFile(m_folder / "three.lua", "none\n");
    for (LPCTSTR pszName : {"one.lua", "two.lua", "three.lua"})
        ASSERT_TRUE(Project().AddFile(m_folder / pszName, "") != NULL);
    CExtControlBar& bar = Frame()->GetBar(ID_VIEW_OUTPUT);
    Frame()->ShowControlBar(&bar, FALSE, FALSE);
    PumpPending();

    CFindInFilesDlg* pDialog = Frame()->CreateFindInFilesDialog();
    ASSERT_TRUE(pDialog != NULL);
    Type(pDialog, IDC_FIND_WHAT, "");
    Press(pDialog, IDOK);                 // empty: nothing, the dialog stays
    EXPECT_EQ(Frame()->GetFindInFilesDialog(), pDialog);
    Type(pDialog, IDC_FIND_WHAT, "target");
    Press(pDialog, IDOK);
    EXPECT_TRUE(Frame()->GetFindInFilesDialog() == NULL);
    EXPECT_TRUE(bar.IsVisible());
    const std::string strTwo = std::string(m_folder / "two.lua");
    EXPECT_EQ(PaneText(FALSE), "Find in files \"target\"...\n" + strTwo + "(4):local Target\r" + strTwo +
                                   "(9):print(target)\r"
                                   "Total found: 2    Matching files: 1    Total files searched: 3\n");
    EXPECT_EQ(std::string(Settings().m_strFRFindArray[0]), "target");

    // The second pane: the first keeps its results.
    pDialog = Frame()->CreateFindInFilesDialog();
    Type(pDialog, IDC_FIND_WHAT, "none");
    Click(pDialog, IDC_FIND_IN_FILES_PANE2);
    Press(pDialog, IDOK);
    EXPECT_EQ(Settings().m_nFRDisplayInFindInFiles2, 1);
    EXPECT_NE(PaneText(TRUE).find("three.lua(1):none"), std::string::npos);
    EXPECT_NE(PaneText(FALSE).find("two.lua(4)"), std::string::npos);

    // A double click opens the file at the line with the jump mark, clearing old marks.
    CVornView* pOne = Open("one.lua", "x = 1\n");
    pOne->MarkJumpLine(0);
    DoubleClickLine(FALSE, 2);
    CVornView* pTwo = Frame()->GetActiveVornView();
    ASSERT_TRUE(pTwo != NULL);
    EXPECT_EQ(std::string(pTwo->GetDocument()->GetPathName()).find("two.lua") != std::string::npos, true);
    EXPECT_TRUE(HasMarker(pTwo, 8, MARKER_JUMP_LINE));
    EXPECT_EQ(pTwo->GetCtrl().LineFromPosition(pTwo->GetCtrl().GetCurrentPos()), 8);
    EXPECT_FALSE(HasMarker(pOne, 0, MARKER_JUMP_LINE));
    // The search line and the totals line open nothing.
    Frame()->MDIActivate(pOne->GetParentFrame());
    PumpPending();
    DoubleClickLine(FALSE, 0);
    DoubleClickLine(FALSE, 3);
    EXPECT_EQ(Frame()->GetActiveVornView(), pOne);
}

TEST_F(FindInFilesWindows, ProjectUnderParenthesesAndASearcherThatIsGone)
{
    const CString strDir = m_folder / "Program Files (x86)\\";
    ::CreateDirectoryA(strDir, NULL);
    WriteTestFile(strDir + "my file.lua", "print(\"hi\")\n");
    ASSERT_TRUE(Project().AddFile(strDir + "my file.lua", "") != NULL);
    Settings().m_strFRFind = "print(\"hi\")";
    EXPECT_TRUE(Frame()->FindInFiles());
    const std::string strLine = std::string(strDir) + "my file.lua(1):print(\"hi\")\r";
    EXPECT_NE(PaneText(FALSE).find(strLine), std::string::npos) << PaneText(FALSE);
    DoubleClickLine(FALSE, 1);
    CVornView* pView = Frame()->GetActiveVornView();
    ASSERT_TRUE(pView != NULL);
    EXPECT_TRUE(HasMarker(pView, 0, MARKER_JUMP_LINE));

    ::DeleteFileA(ProgramSearcher());
    theApp.m_prompts.clear();
    EXPECT_FALSE(Frame()->FindInFiles());
    EXPECT_EQ(PaneText(FALSE), "Find in files \"print(\"hi\")\"...\nCannot start findstr.exe\n");
    EXPECT_TRUE(theApp.m_prompts.empty());
}

//////////////////////////////////////////////////////////////////////////////
// Pictures

namespace
{
// How many pixels of the window's client area (less a margin) do not show the colour:
// the text drawn on a plain background, say.
int PixelsDrawnOn(const CScreenPicture& picture, HWND hWnd, COLORREF clrBackground, int nMargin)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    ::ClientToScreen(hWnd, reinterpret_cast<POINT*>(&rc.left));
    ::ClientToScreen(hWnd, reinterpret_cast<POINT*>(&rc.right));
    rc.DeflateRect(nMargin, nMargin);
    return rc.Width() * rc.Height() - picture.CountPixels(rc, clrBackground);
}
} // namespace

TEST_F(FindInFilesWindows, Screenshots)
{
    WriteTestFile(m_folder / "main.lua", "local function greet(name)\n  print(\"Hello, \" .. name)\nend\ngreet(\"world\")\n");
    WriteTestFile(m_folder / "util.lua", "-- helpers\nfunction util.greet()\n  return greet\nend\n");
    Project().AddFile(m_folder / "main.lua", "");
    Project().AddFile(m_folder / "util.lua", "");
    CVornView* pView = Open("main.lua", "local function greet(name)\n  print(\"Hello, \" .. name)\nend\ngreet(\"world\")\n");
    Settings().m_strFRFindArray[0] = "print";
    Settings().m_strFRReplaceArray[0] = "io.write";
    Select(pView, 15, 20);
    Frame()->SetForegroundWindow();

    // Each dialog shows the text it starts with in its first field.
    CFindDlg* pFind = Frame()->CreateFindDialog();
    Click(pFind, IDC_FIND_MATCH_CASE);
    PumpPending();
    ::SetCursorPos(0, 0);
    PumpPending();
    {
        const CScreenPicture picture(pFind->m_hWnd);
        EXPECT_TRUE(picture.SaveIfWanted("find_dialog"));
        EXPECT_GT(PixelsDrawnOn(picture, ::GetDlgItem(pFind->m_hWnd, IDC_FIND_WHAT), ::GetSysColor(COLOR_WINDOW), 3), 20);
    }
    Press(pFind, IDCANCEL);
    CReplaceDlg* pReplace = Frame()->CreateReplaceDialog();
    Type(pReplace, IDC_REPLACE_WITH, "hello");
    PumpPending();
    {
        const CScreenPicture picture(pReplace->m_hWnd);
        EXPECT_TRUE(picture.SaveIfWanted("replace_dialog"));
        EXPECT_GT(PixelsDrawnOn(picture, ::GetDlgItem(pReplace->m_hWnd, IDC_REPLACE_WITH), ::GetSysColor(COLOR_WINDOW), 3), 20);
    }
    Press(pReplace, IDCANCEL);
    CFindInFilesDlg* pFiles = Frame()->CreateFindInFilesDialog();
    PumpPending();
    EXPECT_TRUE(CScreenPicture(pFiles->m_hWnd).SaveIfWanted("find_in_files_dialog"));
    Press(pFiles, IDOK);
    PumpPending();
    // The results pane shows its lines on its background.
    const CScreenPicture picture(Frame()->m_hWnd);
    EXPECT_TRUE(picture.SaveIfWanted("find_in_files_pane"));
    CScintillaCtrl& pane = PaneCtrl(FALSE);
    const COLORREF clrBack = (COLORREF)pane.Call(SCI_STYLEGETBACK, STYLE_DEFAULT, 0);
    CRect rcPane;
    pane.GetClientRect(&rcPane);
    EXPECT_EQ(clrBack, picture.GetClientPixel(pane.m_hWnd, CPoint(rcPane.right - 6, rcPane.bottom - 6)));
    EXPECT_GT(PixelsDrawnOn(picture, pane.m_hWnd, clrBack, 2), 200);
}

//////////////////////////////////////////////////////////////////////////////
// The menu commands that open the dialogs

namespace
{
void Command(UINT nID)
{
    Frame()->SendMessage(WM_COMMAND, nID);
    PumpPending();
}

bool HasJumpMark(CVornView* pView)
{
    return pView->GetCtrl().Call(SCI_MARKERNEXT, 0, 1 << MARKER_JUMP_LINE) >= 0;
}
} // namespace

TEST_F(FindDialogs, TheMenuCommandsOpenOneDialogSeedItOnceAndClearTheJumpMarks)
{
    CVornView* pView = Open("a.lua", "local alpha = 1\nreturn alpha\n");
    ASSERT_TRUE(pView != NULL);
    pView->GetCtrl().Call(SCI_MARKERADD, 1, MARKER_JUMP_LINE);
    Settings().m_strFRFind = "before";

    // A selection over two lines leaves the find text as it was.
    Select(pView, 6, 20);
    Command(ID_FIND_FIND);
    CFindDlg* pFind = Frame()->GetFindDialog();
    ASSERT_TRUE(pFind != NULL);
    EXPECT_EQ(std::string(Settings().m_strFRFind), "before");
    EXPECT_EQ(Frame()->GetFindMode(), 0);
    EXPECT_FALSE(HasJumpMark(pView));

    // Find again while the dialog is open: neither moved nor seeded again.
    pFind->SetWindowPos(NULL, 17, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectBefore;
    pFind->GetWindowRect(&rectBefore);
    Select(pView, 6, 11);
    Command(ID_FIND_FIND);
    CRect rectAfter;
    pFind->GetWindowRect(&rectAfter);
    EXPECT_EQ(Frame()->GetFindDialog(), pFind);
    EXPECT_TRUE(rectAfter == rectBefore);
    EXPECT_EQ(std::string(Settings().m_strFRFind), "before");
    Press(pFind, IDCANCEL);

    // Replace takes the one-line selection and sets its mode.
    Command(ID_FIND_REPLACE);
    ASSERT_TRUE(Frame()->GetReplaceDialog() != NULL);
    EXPECT_EQ(std::string(Settings().m_strFRFind), "alpha");
    EXPECT_EQ(Frame()->GetFindMode(), 1);
    Press(Frame()->GetReplaceDialog(), IDCANCEL);

    // Find In Files without an editor seeds nothing and sets mode 0.
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    Settings().m_strFRFind = "kept";
    Settings().m_nFRDisplayInFindInFiles2 = 1;
    Command(ID_FIND_IN_FILES);
    CFindInFilesDlg* pFindInFiles = Frame()->GetFindInFilesDialog();
    ASSERT_TRUE(pFindInFiles != NULL);
    EXPECT_EQ(std::string(Settings().m_strFRFind), "kept");
    EXPECT_EQ(Frame()->GetFindMode(), 0);
    EXPECT_TRUE(pFindInFiles->m_bDisplayInFindInFiles2);
}

TEST_F(FindDialogs, FindNeedsAnEditorWithTextAndFindInFilesAProjectFile)
{
    EXPECT_EQ(QueryCommand(Frame(), ID_FIND_FIND).bEnabled, false);
    EXPECT_EQ(QueryCommand(Frame(), ID_FIND_IN_FILES).bEnabled, false);
    CVornView* pView = Open("empty.lua", "");
    ASSERT_TRUE(pView != NULL);
    EXPECT_EQ(QueryCommand(Frame(), ID_FIND_REPLACE).bEnabled, false);
    EXPECT_EQ(QueryCommand(Frame(), ID_FIND_IN_FILES).bEnabled, true);
    pView->GetCtrl().Call(SCI_SETTEXT, 0, (LPARAM) "x");
    EXPECT_EQ(QueryCommand(Frame(), ID_FIND_FIND).bEnabled, true);
    EXPECT_EQ(QueryCommand(Frame(), ID_FIND_REPLACE).bEnabled, true);
}
