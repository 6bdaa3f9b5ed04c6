// The editor's Edit, Go To and bookmark commands on a real view and real Scintilla:
// commands sent to the main frame, keys posted to the control, text, selection,
// markers and the project entry's lists read back.
#include "EditorCommandTest.h"

#include "LuaEditorSetup.h"
#include "WindowBitmap.h"
#include "resource.h"

#include <SciLexer.h>

TEST_F(EditorCommandTest, CommentLinesSkipsEmptyAndLongLinesAndTheLineASelectionEndsBefore)
{
    const std::string longLine(1000, 'x');
    const std::string shorterLine(999, 'y');
    OpenText("a = 1\n\n  b = 2\n" + longLine + "\n" + shorterLine + "\nc = 3\n");
    // From column 2 of the first line to the start of the last: that line stays as it is.
    const int nEnd = Ctrl().PositionFromLine(5);
    Ctrl().SetSel(2, nEnd);
    ExpectOneUndo(ID_EDIT_COMMENT_LINES, "--a = 1\n\n--  b = 2\n" + longLine + "\n--" + shorterLine + "\nc = 3\n");
    EXPECT_EQ(m_strSelection, "4-" + std::to_string(nEnd + 6));

    // Made backwards the selection keeps its caret at the start.
    Ctrl().Undo();
    Ctrl().SetSel(Ctrl().PositionFromLine(2), 3);
    Command(ID_EDIT_COMMENT_LINES);
    EXPECT_EQ(Selection(), std::to_string(Ctrl().PositionFromLine(2)) + "-5");
}

TEST_F(EditorCommandTest, UncommentLinesTakesOneMarkerAfterTheIndentAndLeavesBlockComments)
{
    OpenText("----a\n  -- b\n--[[ c ]]\nd\n");
    Ctrl().SetSel(0, Ctrl().GetLength());
    ExpectOneUndo(ID_EDIT_UNCOMMENT_LINES, "--a\n   b\n--[[ c ]]\nd\n");

    // The selection follows the removed markers and never leaves the first line.
    Ctrl().EmptyUndoBuffer();
    Ctrl().SetSel(1, 1);
    Command(ID_EDIT_UNCOMMENT_LINES);
    EXPECT_EQ(Text().substr(0, 2), "a\n");
    EXPECT_EQ(Selection(), "0-0");
}

TEST_F(EditorCommandTest, BoxCommentSelectsTheWholeBlockAndBoxUncommentRemovesTheEnclosingPair)
{
    OpenText("x = 1\ny = 2\nz = 3\n");
    Ctrl().SetSel(6, 11);
    ExpectOneUndo(ID_EDIT_BOX_COMMENT, "x = 1\n--[[y = 2]]\nz = 3\n");
    EXPECT_EQ(m_strSelection, "17-6");

    // The caret inside the block comment, on a later line than the opener.
    SetText("x = 1\n--[[ a\n  b ]]\ny = 2\n");
    Ctrl().EmptyUndoBuffer();
    Ctrl().GotoPos(Ctrl().PositionFromLine(2) + 1);
    ExpectOneUndo(ID_EDIT_BOX_UNCOMMENT, "x = 1\n a\n  b \ny = 2\n");
}

TEST_F(EditorCommandTest, BoxUncommentCountsOnlyMarkersOfBlockComments)
{
    // An opener in a string, one in a line comment and the brackets of nested indexes
    // make no block comment: nothing changes.
    const std::string text = "s = \"--[[\"\n-- --[[ not one\nv = t[i[1]]\n";
    OpenText(text);
    Ctrl().GotoPos(Ctrl().PositionFromLine(2));
    Command(ID_EDIT_BOX_UNCOMMENT);
    EXPECT_EQ(Text(), text);
    EXPECT_FALSE(Ctrl().CanUndo());

    // A real block comment between such brackets is still found; they are left alone.
    SetText("v = t[i[1]] --[[ a\nb ]] w = t[i[1]]\n");
    Ctrl().EmptyUndoBuffer();
    Ctrl().GotoPos(17);
    Command(ID_EDIT_BOX_UNCOMMENT);
    EXPECT_EQ(Text(), "v = t[i[1]]  a\nb  w = t[i[1]]\n");
}

TEST_F(EditorCommandTest, IndentCommandsMoveEverySelectedLineInOneStep)
{
    OpenText("a\n  b\nc\n");
    Ctrl().SetIndent(4);
    Ctrl().Call(SCI_SETUSETABS, FALSE);
    Ctrl().SetSel(0, Ctrl().PositionFromLine(1) + 1);
    ExpectOneUndo(ID_EDIT_INCREASE_INDENT, "    a\n      b\nc\n");
    Ctrl().SetSel(0, Ctrl().PositionFromLine(1) + 1);
    ExpectOneUndo(ID_EDIT_DECREASE_INDENT, "a\n  b\nc\n");
    // "a" has no indentation to lose, "  b" less than one step: both stay.
    Ctrl().SetSel(0, Ctrl().PositionFromLine(1) + 1);
    Command(ID_EDIT_DECREASE_INDENT);
    EXPECT_EQ(Text(), "a\n  b\nc\n");
}

TEST_F(EditorCommandTest, UpdateRulesFollowTextSelectionAndHistory)
{
    OpenText("");
    for (UINT nID : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_SELECT_ALL, ID_EDIT_COMMENT_LINES, ID_EDIT_UNCOMMENT_LINES,
                     ID_EDIT_BOX_UNCOMMENT, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_UPPERCASE,
                     ID_EDIT_LOWERCASE, ID_EDIT_BOX_COMMENT, ID_GOTO_LINE, ID_GOTO_JUMP_TO_CARET})
        EXPECT_EQ(Enabled(nID), 0) << nID;
    for (UINT nID : {ID_EDIT_INCREASE_INDENT, ID_EDIT_DECREASE_INDENT, ID_EDIT_TOGGLE_BOOKMARK, ID_EDIT_NEXT_BOOKMARK,
                     ID_EDIT_PREVIOUS_BOOKMARK, ID_EDIT_CLEAR_BOOKMARKS})
        EXPECT_EQ(Enabled(nID), 1) << nID;

    Ctrl().AddText(3, "abc");
    EXPECT_EQ(Enabled(ID_EDIT_UNDO), 1);
    EXPECT_EQ(Enabled(ID_EDIT_SELECT_ALL), 1);
    EXPECT_EQ(Enabled(ID_EDIT_BOX_UNCOMMENT), 1);
    EXPECT_EQ(Enabled(ID_EDIT_CUT), 0);
    EXPECT_EQ(Enabled(ID_GOTO_LINE), 0);   // one line only
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Enabled(ID_EDIT_REDO), 1);
    Command(ID_EDIT_REDO);

    Command(ID_EDIT_SELECT_ALL);
    for (UINT nID : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_UPPERCASE, ID_EDIT_LOWERCASE, ID_EDIT_BOX_COMMENT})
        EXPECT_EQ(Enabled(nID), 1) << nID;
    EXPECT_EQ(Enabled(ID_EDIT_BOX_UNCOMMENT), 0);
    Command(ID_EDIT_UPPERCASE);
    EXPECT_EQ(Text(), "ABC");
    Ctrl().SetSel(1, 2);
    Command(ID_EDIT_LOWERCASE);
    EXPECT_EQ(Text(), "AbC");

    // Clipboard commands through the control.
    Ctrl().SetSel(0, 1);
    Command(ID_EDIT_COPY);
    EXPECT_EQ(Enabled(ID_EDIT_PASTE), 1);
    Ctrl().GotoPos(3);
    Command(ID_EDIT_PASTE);
    Ctrl().SetSel(0, 1);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Text(), "bCA");
    Ctrl().AddText(1, "\n");
    EXPECT_EQ(Enabled(ID_GOTO_LINE), 1);
    EXPECT_EQ(Enabled(ID_GOTO_JUMP_TO_CARET), 1);
}

TEST_F(EditorCommandTest, DelDeletesAtTheCaretWhileTheDeleteCommandNeedsASelection)
{
    OpenText("abcd\n");
    Ctrl().GotoPos(1);
    EXPECT_EQ(Enabled(ID_EDIT_CLEAR), 0);
    PressKey(VK_DELETE);
    EXPECT_EQ(Text(), "acd\n");
    Ctrl().SetSel(1, 3);
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(Text(), "a\n");
}

TEST_F(EditorCommandTest, BookmarksToggleKeepTheEntryAndNavigateToTheNearerKind)
{
    OpenText("1\n2\n3\n4\n5\n6\n7\n8\n");
    Ctrl().GotoLine(5);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    Ctrl().GotoLine(1);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "2 6 ");
    EXPECT_EQ(BookmarkList(m_pEntry), "2 6 ");
    // A named bookmark before the next plain one is where Next Bookmark stops.
    Ctrl().MarkerAdd(3, MARKER_NAMED_BOOKMARK);
    Ctrl().GotoLine(1);
    Command(ID_EDIT_NEXT_BOOKMARK);
    EXPECT_EQ(CaretLine(), 3);
    Command(ID_EDIT_NEXT_BOOKMARK);
    EXPECT_EQ(CaretLine(), 5);
    // No wrap around: at the last bookmark the caret stays.
    Command(ID_EDIT_NEXT_BOOKMARK);
    EXPECT_EQ(CaretLine(), 5);
    Command(ID_EDIT_PREVIOUS_BOOKMARK);
    EXPECT_EQ(CaretLine(), 3);
    Command(ID_EDIT_PREVIOUS_BOOKMARK);
    EXPECT_EQ(CaretLine(), 1);
    Command(ID_EDIT_PREVIOUS_BOOKMARK);
    EXPECT_EQ(CaretLine(), 1);

    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_EQ(BookmarkList(m_pEntry), "6 ");
    Command(ID_EDIT_CLEAR_BOOKMARKS);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "");
    EXPECT_EQ(BookmarkList(m_pEntry), "");
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_NAMED_BOOKMARK), "4 ");
}

TEST_F(EditorCommandTest, BookmarkCommandsOnAFileOutsideTheProject)
{
    CVornDoc* pDoc = Open(WriteFile("loose.lua", "a\nb\nc\n"));
    ASSERT_TRUE(pDoc != NULL);
    m_pView = ViewOf(pDoc);
    ASSERT_TRUE(pDoc->GetProjectFile() == NULL);
    // Toggling needs an entry to keep the line in; clearing still takes the marks.
    Ctrl().GotoLine(1);
    Command(ID_EDIT_TOGGLE_BOOKMARK);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "");
    Ctrl().MarkerAdd(2, MARKER_BOOKMARK);
    Command(ID_EDIT_CLEAR_BOOKMARKS);
    EXPECT_EQ(MarkedLines(Ctrl(), MARKER_BOOKMARK), "");
    EXPECT_EQ(Enabled(ID_EDIT_CLEAR_BOOKMARKS), 1);
}

TEST_F(EditorCommandTest, CaretPaneShowsLineColumnAndPositionFromZero)
{
    OpenText("ab\n\tcd\n");
    Ctrl().GotoPos(5);
    CEnableProbe probe;
    probe.m_nID = ID_INDICATOR_CARET;
    m_pView->OnCmdMsg(ID_INDICATOR_CARET, CN_UPDATE_COMMAND_UI, &probe, NULL);
    EXPECT_EQ(probe.m_nEnabled, 1);
    // The tab counts as far as the next tab stop.
    EXPECT_EQ(std::string(probe.m_strText),
              "Ln: 1   Col: " + std::to_string(Ctrl().GetColumn(5)) + "   Ch: 5");
    EXPECT_EQ(Ctrl().GetColumn(5), Ctrl().Call(SCI_GETTABWIDTH) + 1);
}

namespace
{
struct CGoToSeen
{
    std::string strPrompt;
    std::string strValue;
    bool bStayedAfterBadNumber = false;
};

// Runs Go To Line with a second thread typing each text in turn and pressing OK; a
// text the dialog refuses leaves it open for the next one.
void RunGoTo(CGoToSeen& seen, std::vector<std::string> texts, LPCTSTR pszShot = NULL)
{
    const DWORD dwThreadId = ::GetCurrentThreadId();
    std::thread driver([&] {
        HWND hDlg = DialogDriver::WaitForDialog(dwThreadId, {});
        if (hDlg == NULL)
            return;
        seen.strPrompt = DialogDriver::GetStaticTexts(hDlg);
        char szValue[32] = "";
        ::GetDlgItemTextA(hDlg, IDC_GOTO_LINE_NUMBER, szValue, sizeof(szValue));
        seen.strValue = szValue;
        if (pszShot != NULL)
        {
            ::RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            ::Sleep(300);
            CWnd wnd;
            wnd.m_hWnd = hDlg;
            SaveWindowBitmap(&wnd, pszShot);
            wnd.m_hWnd = NULL;
        }
        for (size_t i = 0; i < texts.size(); i++)
        {
            ::SetDlgItemTextA(hDlg, IDC_GOTO_LINE_NUMBER, texts[i].c_str());
            DialogDriver::PressButton(hDlg, IDOK);
            if (i + 1 < texts.size())
            {
                ::Sleep(300);
                seen.bStayedAfterBadNumber = ::IsWindowVisible(hDlg) != FALSE;
            }
        }
        DialogDriver::WaitUntilGone(hDlg);
        DialogDriver::CancelAll(dwThreadId);
    });
    AfxGetMainWnd()->SendMessage(WM_COMMAND, ID_GOTO_LINE, 0);
    driver.join();
    PumpPending();
}
} // namespace

TEST_F(EditorCommandTest, GoToLineTakesSignedNumbersAndClampsThemToTheText)
{
    std::string text;
    for (int i = 1; i <= 9; i++)
        text += "line " + std::to_string(i) + "\n";
    OpenText(text);   // ten lines, the last one empty
    Ctrl().GotoLine(3);

    CGoToSeen seen;
    CString strShot;
    if (LPCTSTR pszFolder = ScreenshotFolder())
        strShot = CString(pszFolder) + "\\goto_line.bmp";
    RunGoTo(seen, {"7"}, strShot.IsEmpty() ? NULL : (LPCTSTR)strShot);
    EXPECT_EQ(seen.strPrompt, "Line number (1 - 10):");
    EXPECT_EQ(seen.strValue, "4");
    EXPECT_EQ(CaretLine(), 6);

    RunGoTo(seen, {"0"});
    EXPECT_EQ(CaretLine(), 0);
    Ctrl().GotoLine(5);
    RunGoTo(seen, {"-12"});
    EXPECT_EQ(CaretLine(), 0);
    RunGoTo(seen, {"2147483647"});
    EXPECT_EQ(CaretLine(), 9);

    // A text that is no number gets the validation message and the dialog stays.
    theApp.m_messageBoxes.clear();
    RunGoTo(seen, {"twelve", "2"});
    EXPECT_TRUE(seen.bStayedAfterBadNumber);
    EXPECT_EQ(theApp.m_messageBoxes.size(), 1u);
    EXPECT_EQ(CaretLine(), 1);
    EXPECT_EQ(CVornView::GetGoToTargetLine(-2147483647 - 1, 10), 0);
}
