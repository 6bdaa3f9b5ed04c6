// The Call Stack and variables lists in a window, with a host that records what they
// ask of the session and the editor.
#include "wintest.h"

#include <string>
#include <vector>

#include "CCallStackWnd.h"
#include "CDebugServer.h"
#include "CGlobalVariablesPage.h"
#include "CLocalVariablesPage.h"
#include "CVariablesListCtrl.h"
#include "CWatchListCtrl.h"
#include "IDebugPanesHost.h"

namespace
{
class CRecordingPanesHost : public IDebugPanesHost
{
public:
    CDebugServer m_server;
    std::vector<std::string> m_calls;
    BOOL m_bRequestSent = TRUE;

    virtual CProject* GetPanesProject() { return NULL; }
    virtual CDebugServer& GetPanesDebugServer() { return m_server; }
    virtual CWnd* GetCommandWindow() { return AfxGetMainWnd(); }
    virtual void RefreshBreakpointMarks(CProjectFileEntry*) { m_calls.push_back("marks"); }
    virtual void OpenProjectFileAtLine(CProjectFileEntry*, int nLine) { m_calls.push_back("open " + std::to_string(nLine)); }
    virtual void ClearExecutionMarks() { m_calls.push_back("clear marks"); }
    virtual void ShowExecutionLine(CProjectFileEntry*, int nLine) { m_calls.push_back("show " + std::to_string(nLine)); }
    virtual BOOL RequestTableMembers(CVariablesListCtrl*, int nTableId)
    {
        m_calls.push_back("members " + std::to_string(nTableId));
        return m_bRequestSent;
    }
    virtual void RequestStackFrame(int nLevel) { m_calls.push_back("frame " + std::to_string(nLevel)); }
    virtual void AppendDebugOutput(LPCTSTR pszText) { m_calls.push_back(pszText); }
};

class DebugPanes : public ::testing::Test
{
protected:
    CWnd m_host;
    CRecordingPanesHost m_panesHost;
    CVariablesListCtrl m_list;

    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                                    "Panes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 360), NULL, 0));
        theApp.m_pMainWnd = &m_host;
        ASSERT_TRUE(m_list.CreateList(&m_host, 117));
        m_list.MoveWindow(0, 0, 480, 260);
        m_list.SetHost(&m_panesHost);
        PumpPending();
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = NULL;
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        PumpPending();
    }
    CString NameAt(int nIndex) { return m_list.GetRow(nIndex)->GetInfo()->GetName(); }
    void DoubleClickRow(int nIndex)
    {
        m_list.SelectRow(nIndex);
        CRect rc;
        m_list.GetItemRect(nIndex, &rc, LVIR_BOUNDS);
        m_list.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.left + 80, rc.CenterPoint().y));
        PumpPending();
    }
    // A table t (id 7) with no members yet, a function f and a number n.
    void FillLocals()
    {
        m_list.AddVariable("t", "table: 0x1", "Table", 7, -2);
        m_list.AddVariable("f", "function: 0x2", "Function", -2, -2);
        m_list.AddVariable("n", "12", "Number", -2, -2);
    }
};
}

TEST_F(DebugPanes, RowsFindTheirParentsByIdAndOrphansAreDropped)
{
    FillLocals();
    EXPECT_TRUE(m_list.AddVariable("b", "2", "Number", -2, 7) != NULL);
    EXPECT_TRUE(m_list.AddVariable("a", "1", "Number", -2, 7) != NULL);
    EXPECT_TRUE(m_list.AddVariable("lost", "1", "Number", -2, 99) == NULL);
    ASSERT_EQ(3, m_list.GetRowCount());
    CTreeListItem* pTable = m_list.FindRowById(7);
    ASSERT_TRUE(pTable != NULL);
    EXPECT_EQ(2, pTable->GetChildCount());
    EXPECT_TRUE(pTable->IsCollapsed());

    m_list.Refresh();
    EXPECT_EQ("a", pTable->GetChild(0)->GetInfo()->GetName());
    m_list.Clear();
    EXPECT_EQ(0, m_list.GetRowCount());
    EXPECT_TRUE(m_list.FindRowById(7) == NULL);
    EXPECT_TRUE(m_list.AddVariable("late", "1", "Number", -2, 7) == NULL);
}

TEST_F(DebugPanes, ImagesTellTablesOpenOrClosedFunctionsAndValues)
{
    FillLocals();
    m_list.AddVariable("c", "function: 0x3", "C Function", -2, -2);
    m_list.AddVariable("l", "function: 0x4", "Lua Function", -2, -2);
    CTreeListItem* pTable = m_list.GetRow(0);
    EXPECT_EQ(1, m_list.GetRowImage(pTable));
    EXPECT_EQ(3, m_list.GetRowImage(m_list.GetRow(1)));
    EXPECT_EQ(2, m_list.GetRowImage(m_list.GetRow(2)));
    EXPECT_EQ(3, m_list.GetRowImage(m_list.GetRow(3)));
    EXPECT_EQ(3, m_list.GetRowImage(m_list.GetRow(4)));
    m_list.AddVariable("k", "1", "Number", -2, 7);
    m_list.Expand(pTable, 0);
    EXPECT_EQ(0, m_list.GetRowImage(pTable));
}

TEST_F(DebugPanes, DoubleClickAsksForMembersOnceAndTheAnswerOpensTheRowFoundById)
{
    FillLocals();
    DoubleClickRow(0);
    ASSERT_EQ(1u, m_panesHost.m_calls.size());
    EXPECT_EQ("members 7", m_panesHost.m_calls[0]);
    EXPECT_TRUE(m_list.IsExpansionPending());
    // Pending: nothing else happens.
    DoubleClickRow(0);
    EXPECT_EQ(1u, m_panesHost.m_calls.size());

    // A row above the table moves it down; the answer still finds it.
    m_list.AddVariable("z2", "1", "Number", 8, -2);
    m_list.AddVariable("y", "2", "Number", -2, 7);
    m_list.AddVariable("x", "1", "Number", -2, 7);
    m_list.OnExpansionDone();
    EXPECT_FALSE(m_list.IsExpansionPending());
    ASSERT_EQ(6, m_list.GetRowCount());
    EXPECT_EQ("x", NameAt(1));
    EXPECT_EQ("y", NameAt(2));

    // Open: a double-click closes it without asking again, and opens it again.
    DoubleClickRow(0);
    EXPECT_EQ(4, m_list.GetRowCount());
    DoubleClickRow(0);
    EXPECT_EQ(6, m_list.GetRowCount());
    EXPECT_EQ(1u, m_panesHost.m_calls.size());
}

TEST_F(DebugPanes, AnUnsentRequestLeavesNothingPendingAndClearingGivesUpAWait)
{
    FillLocals();
    m_panesHost.m_bRequestSent = FALSE;
    DoubleClickRow(0);
    EXPECT_FALSE(m_list.IsExpansionPending());
    m_panesHost.m_bRequestSent = TRUE;
    DoubleClickRow(0);
    EXPECT_TRUE(m_list.IsExpansionPending());
    m_list.Clear();
    EXPECT_FALSE(m_list.IsExpansionPending());
    FillLocals();
    DoubleClickRow(0);
    EXPECT_TRUE(m_list.IsExpansionPending());
    m_list.CancelExpansion();
    DoubleClickRow(0);
    EXPECT_EQ(4u, m_panesHost.m_calls.size());
}

TEST_F(DebugPanes, AWaitWithoutMembersEndsAfterFiveSecondsWithADebugLine)
{
    FillLocals();
    DoubleClickRow(0);
    ASSERT_TRUE(m_list.IsExpansionPending());
    EXPECT_TRUE(PumpUntil([&] { return !m_list.IsExpansionPending(); }, 8000));
    ASSERT_EQ(2u, m_panesHost.m_calls.size());
    EXPECT_EQ("DebugServer: table members not received.\n", m_panesHost.m_calls[1]);
}

TEST_F(DebugPanes, TheDeleteKeyLeavesVariablesAndNoDropHappens)
{
    FillLocals();
    m_list.SelectRow(1);
    m_list.SetFocus();
    m_list.PostMessage(WM_KEYDOWN, VK_DELETE, 1);
    PumpPending();
    EXPECT_EQ(3, m_list.GetRowCount());
    NMLISTVIEW notify;
    memset(&notify, 0, sizeof(notify));
    notify.hdr.hwndFrom = m_list.m_hWnd;
    notify.hdr.idFrom = 117;
    notify.hdr.code = LVN_BEGINDRAG;
    notify.iItem = 2;
    m_host.SendMessage(WM_NOTIFY, 117, (LPARAM)&notify);
    EXPECT_FALSE(m_list.IsDragging());
}

TEST_F(DebugPanes, OnlyTopWatchRowsCanBeDeleted)
{
    CWatchListCtrl watches;
    ASSERT_TRUE(watches.CreateList(&m_host, 118));
    watches.SetHost(&m_panesHost);
    watches.AddVariable("t", "table: 0x1", "Table", 3, -2);
    watches.AddVariable("k", "1", "Number", -2, 3);
    watches.Expand(watches.GetRow(0), 0);
    watches.SelectRow(1);
    EXPECT_FALSE(watches.IsWatchRowSelected());
    watches.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(2, watches.GetRowCount());
    watches.SelectRow(0);
    EXPECT_TRUE(watches.IsWatchRowSelected());
    watches.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(0, watches.GetRowCount());
    EXPECT_TRUE(watches.FindRowById(3) == NULL);
    watches.DestroyWindow();
}

TEST_F(DebugPanes, CallStackRowsReadAsFramesAndAClickWhileRunningMovesTheArrowOnly)
{
    CCallStackWnd stack;
    ASSERT_TRUE(stack.Create(&m_host, 123));
    stack.MoveWindow(0, 0, 480, 200);
    stack.SetHost(&m_panesHost);
    stack.AddFrame("C:\\p\\a.lua", 3, "f", "global", "Lua");
    stack.AddFrame("=[C]", -1, "pcall", "global", "C");
    stack.AddFrame("C:\\p\\a.lua", 9, "", "", "main");
    CCallStackListCtrl& list = stack.GetList();
    ASSERT_EQ(3, list.GetRowCount());
    EXPECT_EQ("f (global Lua function)", list.GetRow(0)->GetInfo()->GetName());
    EXPECT_EQ("pcall (global C function)", list.GetRow(1)->GetInfo()->GetName());
    EXPECT_EQ("(main chunk)", list.GetRow(2)->GetInfo()->GetName());
    EXPECT_EQ("C:\\p\\a.lua, line 9", list.GetRow(2)->GetInfo()->GetText(1));
    EXPECT_EQ(0, stack.GetSelectedFrame());
    EXPECT_EQ(4, list.GetRowImage(list.GetRow(0)));
    EXPECT_EQ(5, list.GetRowImage(list.GetRow(2)));

    CRect rc;
    list.GetItemRect(2, &rc, LVIR_BOUNDS);
    list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 80, rc.CenterPoint().y));
    list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 80, rc.CenterPoint().y));
    PumpPending();
    EXPECT_EQ(2, stack.GetSelectedFrame());
    EXPECT_EQ(5, list.GetRowImage(list.GetRow(0)));
    EXPECT_EQ(4, list.GetRowImage(list.GetRow(2)));
    EXPECT_TRUE(m_panesHost.m_calls.empty());

    list.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(3, list.GetRowCount());
    stack.Clear();
    EXPECT_EQ(-1, stack.GetSelectedFrame());
    stack.AddFrame("C:\\p\\b.lua", 1, "g", "local", "Lua");
    EXPECT_EQ(0, stack.GetSelectedFrame());
    EXPECT_EQ(4, list.GetRowImage(list.GetRow(0)));
    stack.DestroyWindow();
}

TEST_F(DebugPanes, EachMemberRestartsTheWaitForTheRest)
{
    FillLocals();
    DoubleClickRow(0);
    ASSERT_TRUE(m_list.IsExpansionPending());
    for (int i = 0; i < 4; i++)
    {
        PumpUntil([] { return false; }, 2000);
        CString strName;
        strName.Format("m%d", i);
        m_list.AddVariable(strName, "1", "Number", -2, 7);
        ASSERT_TRUE(m_list.IsExpansionPending()) << i;
    }
    m_list.OnExpansionDone();
    EXPECT_EQ(7, m_list.GetRowCount());
}
