// Completion lists, call tips, value tips and the context menu of the Lua editor: real
// Scintilla, typed through the control's own messages, over outlines parsed from real
// Lua files and a real function-definition list.
#include "EditorCommandTest.h"

#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "SentInput.h"

#include "DefinitionLists.h"
#include "RecordingDebugSession.h"
#include "resource.h"

#include <SciLexer.h>

namespace
{
const char kShapes[] =
    "Shape = {}\n"                                  // 0
    "Shape.sides = 0\n"                             // 1
    "function Shape.new() return {} end\n"          // 2
    "function Shape:area() return 0 end\n"          // 3
    "function Shape:draw(canvas, x, y) end\n"       // 4
    "Square = {}\n"                                 // 5
    "Square.size = 1\n"                             // 6
    "function Square:area()\n"                      // 7
    "  return self.size * self.size\n"              // 8
    "end\n"                                         // 9
    "function blend(a, b, c) return a end\n"        // 10
    "function _tail() end\n"                        // 11
    "function Alpha() end\n"                        // 12
    "function beta() end\n"                         // 13
    "function Beta2() end\n";                       // 14

// Other test programs share the display and take the activation at any time, and
// Scintilla closes its lists and tips whenever its control loses the focus. The tests
// keep that notice from the control: what they check is the editor's doing.
const char kPreviousProc[] = "VornTestPreviousProc";

LRESULT CALLBACK IgnoreFocusLoss(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The procedure travels as an integer of pointer size, as the window keeps it.
    WNDPROC pfnPrevious = reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(::GetPropA(hWnd, kPreviousProc)));
    if (nMessage == WM_KILLFOCUS)
        return 0;
    if (nMessage == WM_NCDESTROY)
    {
        // The class library's procedure finds itself in place again as it lets go.
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrevious));
        ::RemovePropA(hWnd, kPreviousProc);
    }
    return ::CallWindowProc(pfnPrevious, hWnd, nMessage, wParam, lParam);
}

void KeepListsOnFocusLoss(CWnd& ctrl)
{
    const LONG_PTR pfnPrevious =
        ::SetWindowLongPtr(ctrl.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IgnoreFocusLoss));
    ::SetPropA(ctrl.m_hWnd, kPreviousProc, reinterpret_cast<HANDLE>(pfnPrevious));
}

class CompletionTest : public EditorCommandTest
{
protected:
    CRecordingDebugSession m_session;

    // Opens the shapes file of the project with the text, caret at its end.
    void OpenProjectText(const std::string& extra)
    {
        AddProjectFile("shapes.lua", kShapes + extra);
        CVornDoc* pDoc = Open(m_folder / "shapes.lua");
        ASSERT_TRUE(pDoc != NULL);
        m_pView = ViewOf(pDoc);
        KeepListsOnFocusLoss(Ctrl());
        Ctrl().GotoPos(Ctrl().GetLength());
        Ctrl().SetFocus();
    }
    // Characters as typed; a line break is the Enter key.
    void Type(const char* pszText)
    {
        for (const char* p = pszText; *p != 0; p++)
        {
            if (*p == '\n')
            {
                Ctrl().PostMessage(WM_KEYDOWN, VK_RETURN, 1);
                Ctrl().PostMessage(WM_KEYUP, VK_RETURN, 0xC0000001);
            }
            else
            {
                Ctrl().PostMessage(WM_CHAR, (WPARAM)(unsigned char)*p, 1);
            }
        }
        PumpPending();
    }
    bool ListActive() { return Ctrl().AutoCActive() != FALSE; }
    bool TipActive() { return Ctrl().CallTipActive() != FALSE; }
    std::string List() { return std::string(m_pView->GetLastListText()); }
    std::string CurrentItem()
    {
        char szItem[256] = {0};
        Ctrl().Call(SCI_AUTOCGETCURRENTTEXT, 0, (LPARAM)szItem);
        return szItem;
    }
    std::string Highlighted()
    {
        const CString& strTip = m_pView->GetLastTipText();
        return std::string(strTip.Mid(m_pView->GetLastTipHighlightStart(),
                                      m_pView->GetLastTipHighlightEnd() - m_pView->GetLastTipHighlightStart()));
    }
    void Dwell(UINT nCode, int nPos)
    {
        SCNotification notify = {};
        notify.nmhdr.hwndFrom = Ctrl().m_hWnd;
        notify.nmhdr.idFrom = Ctrl().GetDlgCtrlID();
        notify.nmhdr.code = nCode;
        notify.position = nPos;
        m_pView->SendMessage(WM_NOTIFY, notify.nmhdr.idFrom, (LPARAM)&notify);
    }
    void MoveMouseTo(int nPos)
    {
        const int x = Ctrl().PointXFromPosition(nPos) + 2;
        const int y = Ctrl().PointYFromPosition(nPos) + 4;
        Ctrl().PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        PumpPending();
    }
    int PosOf(const char* pszText) { return (int)Text().find(pszText); }
    // The top left corner of the shown call tip window, in the control's coordinates.
    static BOOL CALLBACK FindCallTip(HWND hWnd, LPARAM lParam)
    {
        char szClass[32] = {0};
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (::IsWindowVisible(hWnd) && strncmp(szClass, "CallTip", 7) == 0)
        {
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    CPoint TipCorner()
    {
        HWND hTip = NULL;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindCallTip, (LPARAM)&hTip);
        CRect rc(-1000, -1000, 0, 0);
        if (hTip != NULL)
        {
            ::GetWindowRect(hTip, &rc);
            Ctrl().ScreenToClient(&rc);
        }
        return rc.TopLeft();
    }
};
} // namespace

// Scintilla's presorted search folds to upper case ("_" after the letters) or keeps the
// case: the lists, sorted with lower-case folding, are searched in their own order.
TEST_F(CompletionTest, TypingAPrefixSelectsTheRightItemWithAndWithoutCase)
{
    OpenProjectText("\n");
    for (int nIgnoreCase = 1; nIgnoreCase >= 0; nIgnoreCase--)
    {
        SCOPED_TRACE(nIgnoreCase);
        m_host.m_settings.m_nEDAutoCompleteIgnoreCase = nIgnoreCase;
        struct
        {
            const char* pszTyped;
            const char* pszSelected;
        } cases[] = {{"_", "_tail"}, {"b", "beta"}, {"Be", "Beta2"}, {"Al", "Alpha"},
                     {"bl", "blend"}};
        for (const auto& c : cases)
        {
            Command(ID_EDIT_LIST_PROJECT_FUNCTIONS);
            ASSERT_TRUE(ListActive());
            EXPECT_EQ(List(), "_tail Alpha area beta Beta2 blend draw new");
            Type(c.pszTyped);
            EXPECT_EQ(CurrentItem(), c.pszSelected) << c.pszTyped;
            PressKey(VK_ESCAPE);
            Ctrl().SetSel(Ctrl().GetLength() - (int)strlen(c.pszTyped), Ctrl().GetLength());
            Ctrl().ReplaceSel("");
        }
    }
}

TEST_F(CompletionTest, MemberListsAfterDotAndColon)
{
    OpenProjectText("\n");
    m_host.m_outline.SetTableBase("Square", "Shape", m_host.m_project.GetFileAt(0)->GetOutlineFile());

    // No table before the dot: no list.
    Type("nothing.");
    EXPECT_FALSE(ListActive());
    Type("\nSquare.");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "new sides size");
    PressKey(VK_ESCAPE);
    // Methods once, the base table's "area" adding nothing.
    Type("\nSquare:");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "area draw");
    // Choosing an item inserts it.
    Type("dr");
    PressKey(VK_TAB);
    EXPECT_FALSE(ListActive());
    EXPECT_EQ(Text().substr(Text().size() - 11), "Square:draw");

    // Without the setting typing lists nothing; the command still does.
    m_host.m_settings.m_nEDAutoCompleteListMembers = 0;
    Type("\nShape:");
    EXPECT_FALSE(ListActive());
    Command(ID_EDIT_LIST_MEMBERS);
    EXPECT_TRUE(ListActive());
    EXPECT_EQ(List(), "area draw");
}

TEST_F(CompletionTest, SelfListsTheTableOfTheEnclosingColonMethod)
{
    OpenProjectText("function Square:grow()\n  \n  local n = 1\nend\n");
    // Into the body of Square:grow.
    Ctrl().GotoPos(PosOf("  \n  local n") + 2);
    Type("self.");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "size");
    PressKey(VK_ESCAPE);
    Type("\n  self:");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "area grow");
    PressKey(VK_ESCAPE);
    // A method's own call tip through "self:".
    Type("area(");
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "Square:area()");
}

TEST_F(CompletionTest, WordCompletionInDocumentOrderOnceEach)
{
    m_host.m_settings.m_nEDAutoCompleteWord = 1;
    OpenProjectText("local qqc = 1\nlocal qqd = qqc\nprint(qqc)\n");
    Type("q");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "qqc qqd");
    Type("q");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "qqc qqd");
    PressKey(VK_ESCAPE);

    // Digits only never complete, whatever the document holds.
    Type("\nx = 12");
    Type("\ny = 1234 + 12");
    EXPECT_FALSE(ListActive());

    // Complete Word asks even with the setting off, and typing keeps completing.
    m_host.m_settings.m_nEDAutoCompleteWord = 0;
    Type("\nq");
    EXPECT_FALSE(ListActive());
    Command(ID_EDIT_COMPLETE_WORD);
    ASSERT_TRUE(ListActive());
    // The "qq" typed above is a word of the document now.
    EXPECT_EQ(List(), "qqc qqd qq");
    Type("q");
    EXPECT_TRUE(ListActive());
    EXPECT_EQ(List(), "qqc qqd");
    EXPECT_EQ(CurrentItem(), "qqc");
    // Nothing longer than the typed word: the list goes.
    Type("d");
    EXPECT_FALSE(ListActive());
}

TEST_F(CompletionTest, CallTipsMarkTheParameterAndFollowTheCall)
{
    OpenProjectText("\n");
    Type("blend(");
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "blend(a, b, c)");
    EXPECT_EQ(Ctrl().Call(SCI_CALLTIPPOSSTART), Ctrl().GetCurrentPos());
    EXPECT_EQ(Highlighted(), "a");
    Type("x, y");
    EXPECT_EQ(Highlighted(), "b");
    // A nested call shows its own tip, then the outer call's again; its commas do not
    // count.
    Type(", Shape.new(");
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "Shape.new()");
    Type(")");
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "blend(a, b, c)");
    EXPECT_EQ(Highlighted(), "c");
    Type("+ (1, 2)");
    EXPECT_EQ(Highlighted(), "c");
    // The ")" of the outermost parenthesis ends the tip.
    Type(")");
    EXPECT_FALSE(TipActive());

    // A name the outline does not know gives no tip.
    Type("\nunknown(");
    EXPECT_FALSE(TipActive());
    // Parameter Info asks at the caret's call.
    Type("\nblend(1, ");
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(TipActive());
    Command(ID_EDIT_PARAMETER_INFO);
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(Highlighted(), "b");

    // The caret moved before the call: nothing is counted, the first is marked.
    Ctrl().GotoPos(Ctrl().PositionFromLine(Ctrl().LineFromPosition(Ctrl().GetCurrentPos())) + 2);
    m_pView->UpdateCallTipHighlight();
    EXPECT_EQ(Highlighted(), "a");
}

TEST_F(CompletionTest, DefinitionListTipsMarkTypedParameters)
{
    WriteFile("strings.fdl", "string.rep(string s, number n)\nnumber abs(number x)\n");
    ASSERT_TRUE(LoadFunctionDefinitionFile(m_folder / "strings.fdl", m_host.m_outline) != NULL);
    OpenProjectText("\n");
    Type("string.rep(s, ");
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "string.rep(string s, number n)");
    EXPECT_EQ(Highlighted(), "number n");

    // External lists hold the definition lists' names, project lists the project's.
    PressKey(VK_ESCAPE);
    Type("\n");
    Type("x");
    Command(ID_EDIT_LIST_EXTERNAL_FUNCTIONS);
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "abs rep");
    PressKey(VK_ESCAPE);
    Command(ID_EDIT_LIST_EXTERNAL_TABLES);
    EXPECT_EQ(List(), "string");
    PressKey(VK_ESCAPE);
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    EXPECT_EQ(List(), "Shape Square");
}

TEST_F(CompletionTest, TheShippedStandardLibraryListCompletesStringMembersWithTips)
{
    const CString strList = TestProgramFolder() + "..\\bin\\lua51.fdl";
    if (!TestFileExists(strList))
        GTEST_SKIP() << "the build wrote no " << strList.GetString();
    // Without the manual the build writes every parameter list as "...".
    if (!TestFileExists(TestProgramFolder() + "..\\bin\\docs\\manual.html"))
        GTEST_SKIP() << "the build had no Lua reference manual to take the parameters from";
    ASSERT_TRUE(LoadFunctionDefinitionFile(strList, m_host.m_outline) != NULL);
    OpenProjectText("\n");
    Type("string.");
    ASSERT_TRUE(ListActive());
    const std::string strList51 = " " + List() + " ";
    for (const char* pszName : { "byte", "char", "find", "format", "gmatch", "gsub", "len", "lower", "rep", "sub", "upper" })
        EXPECT_NE(strList51.find(std::string(" ") + pszName + " "), std::string::npos) << pszName << " in" << strList51;
    PressKey(VK_ESCAPE);
    Type("find(");
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "string.find(s, pattern [, init [, plain]])");
    PressKey(VK_ESCAPE);
    Type("s, p)\nio.open(");
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "io.open(filename [, mode])");
}

TEST_F(CompletionTest, ChoosingATableListsItsMembers)
{
    OpenProjectText("\nlocal v = x.");
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    ASSERT_TRUE(ListActive());
    Type("Sq");
    EXPECT_EQ(CurrentItem(), "Square");
    PressKey(VK_TAB);
    // The name gave way to the table's member list.
    EXPECT_EQ(Text().substr(Text().size() - 12), "local v = x.");
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(List(), "size");

    // Not after a separator, the chosen name stays and nothing more is listed.
    PressKey(VK_ESCAPE);
    Type("\n ");
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    Type("Sh");
    PressKey(VK_TAB);
    EXPECT_EQ(Text().substr(Text().size() - 6), " Shape");
    EXPECT_FALSE(ListActive());

    // A table list closed without a choice: a name pasted later is only text.
    Type("\ny.");
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    PressKey(VK_ESCAPE);
    Ctrl().ReplaceSel("Square");
    PumpPending();
    EXPECT_EQ(Text().substr(Text().size() - 8), "y.Square");
    EXPECT_FALSE(ListActive());
}

TEST_F(CompletionTest, TheChosenTableIsFoundAgainAndOnlyItsNameDeleted)
{
    OpenProjectText("\nx.");
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    Type("Sq");
    // The choice, then the text changes before the posted message arrives.
    Ctrl().Call(SCI_AUTOCCOMPLETE);
    Ctrl().SetSel(Ctrl().GetLength() - 3, Ctrl().GetLength());
    Ctrl().ReplaceSel("ZZZ");
    PumpPending();
    EXPECT_EQ(Text().substr(Text().size() - 8), "x.SquZZZ");
    EXPECT_FALSE(ListActive());

    // The table left the outline since the choice: nothing happens.
    Ctrl().ReplaceSel("\ny.");
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    Type("Sh");
    Ctrl().Call(SCI_AUTOCCOMPLETE);
    COutlineFile* pFile = m_host.m_project.GetFileAt(0)->GetOutlineFile();
    m_host.m_outline.RemoveTable(m_host.m_outline.FindTable("Shape", pFile), pFile);
    PumpPending();
    EXPECT_EQ(Text().substr(Text().size() - 7), "y.Shape");
    EXPECT_FALSE(ListActive());
}

TEST_F(CompletionTest, EnterIndentsLikeTheLineAbove)
{
    OpenProjectText("function f()\n    local a = 1\n\n");
    // The empty line between does not count; the caret stays before the line's text.
    Ctrl().GotoPos(Ctrl().GetLength());
    Ctrl().ReplaceSel("return a");
    Ctrl().GotoPos(Ctrl().GetLength() - 8);
    PressKey(VK_RETURN);
    const int nLine = Ctrl().LineFromPosition(Ctrl().GetCurrentPos());
    EXPECT_EQ(Ctrl().GetLineIndentation(nLine), 4);
    EXPECT_EQ(Ctrl().GetCurrentPos(), Ctrl().GetLineIndentPosition(nLine));
    EXPECT_EQ(Ctrl().GetCharAt(Ctrl().GetCurrentPos()), 'r');

    m_host.m_settings.m_nEDAutoIndent = 0;
    PressKey(VK_END);
    PressKey(VK_RETURN);
    EXPECT_EQ(Ctrl().GetLineIndentation(Ctrl().LineFromPosition(Ctrl().GetCurrentPos())), 0);
}

TEST_F(CompletionTest, CommandsFollowTheirEnablingRules)
{
    OpenProjectText("--[[ a block\ncomment ]]\nx");
    const UINT lists[] = {ID_EDIT_LIST_PROJECT_FUNCTIONS, ID_EDIT_LIST_PROJECT_TABLES, ID_EDIT_LIST_EXTERNAL_FUNCTIONS,
                          ID_EDIT_LIST_EXTERNAL_TABLES};
    const UINT all[] = {ID_EDIT_LIST_MEMBERS, ID_EDIT_PARAMETER_INFO, ID_EDIT_COMPLETE_WORD,
                        ID_EDIT_LIST_PROJECT_FUNCTIONS, ID_EDIT_LIST_PROJECT_TABLES, ID_EDIT_LIST_EXTERNAL_FUNCTIONS,
                        ID_EDIT_LIST_EXTERNAL_TABLES};
    for (UINT nID : all)
        EXPECT_EQ(Enabled(nID), 1) << nID;

    // A selection, the caret at the start, or in a block comment: none.
    Ctrl().SetSel(Ctrl().GetLength() - 1, Ctrl().GetLength());
    for (UINT nID : all)
        EXPECT_EQ(Enabled(nID), 0) << nID;
    Ctrl().GotoPos(0);
    for (UINT nID : all)
        EXPECT_EQ(Enabled(nID), 0) << nID;
    Ctrl().GotoPos(PosOf("comment") + 3);
    for (UINT nID : all)
        EXPECT_EQ(Enabled(nID), 0) << nID;

    // A list shown: no List Members nor other lists; a tip: no Parameter Info, Complete
    // Word nor lists.
    Ctrl().GotoPos(Ctrl().GetLength());
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    ASSERT_TRUE(ListActive());
    EXPECT_EQ(Enabled(ID_EDIT_LIST_MEMBERS), 0);
    EXPECT_EQ(Enabled(ID_EDIT_PARAMETER_INFO), 1);
    for (UINT nID : lists)
        EXPECT_EQ(Enabled(nID), 0) << nID;
    // Parameter Info takes the list away; List Members takes the tip away.
    Type(" = blend(");
    PressKey(VK_ESCAPE);
    Command(ID_EDIT_LIST_PROJECT_TABLES);
    Command(ID_EDIT_PARAMETER_INFO);
    EXPECT_FALSE(ListActive());
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(Enabled(ID_EDIT_LIST_MEMBERS), 1);
    EXPECT_EQ(Enabled(ID_EDIT_PARAMETER_INFO), 0);
    EXPECT_EQ(Enabled(ID_EDIT_COMPLETE_WORD), 0);
    for (UINT nID : lists)
        EXPECT_EQ(Enabled(nID), 0) << nID;
    Command(ID_EDIT_LIST_MEMBERS);
    EXPECT_FALSE(TipActive());

    // Typing in a block comment starts nothing.
    Ctrl().GotoPos(PosOf("comment") + 7);
    Type(" Shape.");
    EXPECT_FALSE(ListActive());
}

TEST_F(CompletionTest, ParameterInfoSurvivesADwell)
{
    OpenProjectText("\n");
    Type("blend(1");
    ASSERT_TRUE(TipActive());
    CWnd* pMain = AfxGetMainWnd();
    pMain->SetForegroundWindow();
    Ctrl().SetFocus();
    PumpPending();
    // The real pointer rests over the text long enough for a dwell.
    CPoint pt(Ctrl().PointXFromPosition(PosOf("Shape.new")) + 3, Ctrl().PointYFromPosition(PosOf("Shape.new")) + 4);
    Ctrl().ClientToScreen(&pt);
    ::SetCursorPos(pt.x, pt.y);
    PumpUntil([] { return false; }, 300);
    // The first key after a dwell ends it.
    PressKey(VK_SHIFT);
    Type(",");
    EXPECT_TRUE(TipActive());
    EXPECT_EQ(Highlighted(), "b");
}

TEST_F(CompletionTest, ValueTipsAskOncePerWordAndShowTheAnswer)
{
    OpenProjectText("local count = Square.size\n");
    m_host.m_pDebugSession = &m_session;
    const int nCount = PosOf("count");
    const int nSize = PosOf("size\n");

    Dwell(SCN_DWELLSTART, nCount + 2);
    ASSERT_EQ(m_session.m_requests.size(), 1u);
    EXPECT_EQ(m_session.m_requests[0].strName, "count");
    EXPECT_EQ(m_session.m_requests[0].nLevel, 2);
    EXPECT_EQ(m_session.m_requests[0].pView, m_pView);
    // Moving across the same word, or over no word, asks nothing.
    MoveMouseTo(nCount);
    MoveMouseTo(nCount + 4);
    Dwell(SCN_DWELLSTART, -1);
    EXPECT_EQ(m_session.m_requests.size(), 1u);

    // The answer shows at the word's start.
    EXPECT_EQ(m_session.Answer("count = 7"), 1);
    ASSERT_TRUE(TipActive());
    EXPECT_EQ(std::string(m_pView->GetLastTipText()), "count = 7");
    const CPoint ptTip = TipCorner();
    EXPECT_NEAR(ptTip.x, Ctrl().PointXFromPosition(nCount), 12);
    EXPECT_GT(ptTip.y, Ctrl().PointYFromPosition(nCount));
    EXPECT_LT(ptTip.y, Ctrl().PointYFromPosition(nCount) + 40);
    // The dwell over the same word ends: the tip stays.
    Dwell(SCN_DWELLEND, nCount + 1);
    EXPECT_TRUE(TipActive());

    // Another word asks again; the mouse leaving for it takes the old tip away.
    MoveMouseTo(nSize + 1);
    ASSERT_EQ(m_session.m_requests.size(), 2u);
    EXPECT_EQ(m_session.m_requests[1].strName, "size");
    EXPECT_FALSE(TipActive());
    // An empty answer shows nothing.
    EXPECT_EQ(m_session.Answer(""), 1);
    EXPECT_FALSE(TipActive());

    // A late answer after the script ran on shows nothing.
    Dwell(SCN_DWELLSTART, nCount);
    m_session.m_bStopped = FALSE;
    m_session.Answer("count = 8");
    EXPECT_FALSE(TipActive());
}

TEST_F(CompletionTest, ValueTipsEndWithTheSessionAndNeverReachAClosedView)
{
    OpenProjectText("local count = 1\n");
    m_host.m_pDebugSession = &m_session;
    const int nCount = PosOf("count");
    Dwell(SCN_DWELLSTART, nCount);
    m_session.Answer("1");
    ASSERT_TRUE(TipActive());

    // Idle: no request, and the shown value tip goes.
    m_session.m_nState = IDebugSession::STATE_IDLE;
    Dwell(SCN_DWELLSTART, PosOf("local"));
    EXPECT_EQ(m_session.m_requests.size(), 1u);
    EXPECT_FALSE(TipActive());
    EXPECT_TRUE(m_pView->GetValueTipWord().IsEmpty());
    // A Parameter Info tip is never taken for a value tip.
    Ctrl().GotoPos(Ctrl().GetLength());
    Type("blend(");
    ASSERT_TRUE(TipActive());
    MoveMouseTo(nCount);
    Dwell(SCN_DWELLEND, nCount);
    EXPECT_TRUE(TipActive());

    // Closing the view while an answer is due: the session forgets it first.
    m_session.m_nState = IDebugSession::STATE_CONNECTED;
    Dwell(SCN_DWELLSTART, nCount);
    ASSERT_EQ(m_session.m_requests.size(), 2u);
    CVornView* pClosed = m_pView;
    theApp.CloseAllDocuments(FALSE);
    PumpPending();
    m_pView = NULL;
    ASSERT_EQ(m_session.m_forgotten.size(), 1u);
    EXPECT_EQ(m_session.m_forgotten[0], pClosed);
    EXPECT_EQ(m_session.Answer("1"), 0);
    m_host.m_pDebugSession = NULL;
}

TEST_F(CompletionTest, TheContextMenuSendsItsCommandToTheMainWindow)
{
    OpenProjectText("\nShape:");
    PressKey(VK_ESCAPE);
    CTestMainFrame* pMain = static_cast<CTestMainFrame*>(AfxGetMainWnd());
    pMain->m_commands.clear();
    // From the keyboard, through the input queue once the menu shows: AutoComplete,
    // its first item (List Members).
    if (::GetForegroundWindow() != pMain->m_hWnd)
        pMain->SetForegroundWindow();
    PumpPending();
    if (::GetForegroundWindow() != pMain->m_hWnd)
        GTEST_SKIP() << "another program holds the activation";
    // As in the IDE: every item shows.
    const bool bHide = CExtPopupMenuWnd::g_bMenuHideRarelyUsed;
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CSentInput::FeedKeys({'A', VK_RETURN}, [] {
        CExtPopupMenuWnd* pFocus = CExtPopupMenuWnd::GetFocusPopup();
        return pFocus != NULL && pFocus->GetSafeHwnd() != NULL && pFocus->IsWindowVisible() &&
               g_PopupTrackContext.GetAnimatingPopup() == NULL;
    });
    m_pView->SendMessage(WM_CONTEXTMENU, (WPARAM)Ctrl().m_hWnd, MAKELPARAM(-1, -1));
    const DWORD dwStart = ::GetTickCount();
    while (pMain->m_commands.empty() && ::GetTickCount() - dwStart < 5000)
    {
        PumpPending();
        ::Sleep(5);
    }
    CSentInput::StopFeeding();
    CExtPopupMenuWnd::CancelTracking();
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = bHide;
    PumpPending();
    ASSERT_EQ(pMain->m_commands.size(), 1u);
    EXPECT_EQ(pMain->m_commands[0], (UINT)ID_EDIT_LIST_MEMBERS);
    EXPECT_TRUE(ListActive());
    EXPECT_EQ(List(), "area draw");
}
