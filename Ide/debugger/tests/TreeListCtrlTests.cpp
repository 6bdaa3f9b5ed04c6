// The tree list in a window under the display: rows, expansion, keys, mouse, editing in
// place and drag and drop, driven by posted messages where the user's input matters.
#include "wintest.h"

#include "CTreeListCtrl.h"
#include "ScreenPicture.h"

namespace
{
// A list whose rows carry copies of their content, so rows can be moved.
class CCloningTreeList : public CTreeListCtrl
{
public:
    int m_nClicks = 0;
    int m_nCheckChanges = 0;
    virtual CTreeListItemInfo* CloneInfo(CTreeListItemInfo* pInfo) { return pInfo->Clone(); }
    virtual void OnRowClick(UINT nFlags, int x, int y, LVHITTESTINFO* pHit)
    {
        ++m_nClicks;
        CTreeListCtrl::OnRowClick(nFlags, x, y, pHit);
    }

protected:
    virtual void OnCheckChanged(CTreeListItem*) { ++m_nCheckChanges; }
};

CTreeListItemInfo* Info(LPCTSTR pszName, LPCTSTR pszValue = "", LPCTSTR pszType = "")
{
    CTreeListItemInfo* pInfo = new CTreeListItemInfo;
    pInfo->SetName(pszName);
    pInfo->SetText(1, pszValue);
    pInfo->SetText(2, pszType);
    return pInfo;
}

class TreeList : public ::testing::Test
{
protected:
    CWnd m_host;
    CCloningTreeList m_list;

    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
                                                          (HBRUSH)(COLOR_BTNFACE + 1)),
                                    "Tree list", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 340), NULL, 0));
        theApp.m_pMainWnd = &m_host;
        CRect rc;
        m_host.GetClientRect(&rc);
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, rc, &m_host, 100));
        m_list.SetExtendedStyle(LVS_EX_GRIDLINES);
        m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 160);
        m_list.InsertColumn(1, "Value", LVCFMT_LEFT, 120);
        m_list.InsertColumn(2, "Type", LVCFMT_LEFT, 90);
        PumpPending();
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = NULL;
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        PumpPending();
    }

    CRect RowRect(int nIndex)
    {
        CRect rc;
        m_list.GetItemRect(nIndex, &rc, LVIR_BOUNDS);
        return rc;
    }
    // The centre of a row's expand box.
    CPoint ExpandBoxPoint(int nIndex)
    {
        const CRect rc = RowRect(nIndex);
        const int nLevel = m_list.GetRow(nIndex)->GetLevel();
        return CPoint(rc.left + nLevel * m_list.GetImageWidth() - m_list.GetImageWidth() / 2, rc.CenterPoint().y);
    }
    CPoint NamePoint(int nIndex) { return CPoint(RowRect(nIndex).left + 120, RowRect(nIndex).CenterPoint().y); }
    void Click(CPoint pt, UINT nMessage = WM_LBUTTONDOWN)
    {
        m_list.PostMessage(nMessage, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        if (nMessage == WM_LBUTTONDOWN)
            m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPending();
    }
    void Key(UINT nKey, CWnd* pTarget = NULL)
    {
        (pTarget != NULL ? pTarget : &m_list)->PostMessage(WM_KEYDOWN, nKey, 1);
        PumpPending();
    }
    CString NameAt(int nIndex) { return m_list.GetRow(nIndex)->GetInfo()->GetName(); }

    // A: a1 (a1x, a1y), a2; B
    void FillTwoLevels()
    {
        CTreeListItem* pA = m_list.InsertItem(Info("A"));
        CTreeListItem* pA1 = m_list.InsertChildRow(pA, Info("a1"), FALSE);
        m_list.InsertChildRow(pA1, Info("a1x"), FALSE);
        m_list.InsertChildRow(pA1, Info("a1y"), FALSE);
        m_list.InsertChildRow(pA, Info("a2"), FALSE);
        m_list.InsertItem(Info("B"));
    }
    // Sends the notification the list sends its parent when the user starts dragging.
    void BeginDrag(int nIndex)
    {
        NMLISTVIEW notify;
        memset(&notify, 0, sizeof(notify));
        notify.hdr.hwndFrom = m_list.m_hWnd;
        notify.hdr.idFrom = 100;
        notify.hdr.code = LVN_BEGINDRAG;
        notify.iItem = nIndex;
        notify.ptAction = NamePoint(nIndex);
        m_host.SendMessage(WM_NOTIFY, 100, (LPARAM)&notify);
    }
    void DragTo(CPoint pt)
    {
        m_list.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PumpPending();
    }
    void DropAt(CPoint pt)
    {
        DragTo(pt);
        m_list.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpPending();
    }
};
}

TEST_F(TreeList, RowsAreAsTallAsTheTextPlusItsLeadingAndFourPixels)
{
    m_list.InsertItem(Info("x"));
    CClientDC dc(&m_list);
    CFont* pOld = dc.SelectObject(m_list.GetFont());
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    EXPECT_EQ(tm.tmHeight + tm.tmExternalLeading + 4, RowRect(0).Height());
}

TEST_F(TreeList, TextTooWideEndsInDotsAndFitsItsRoomWhileShortTextStays)
{
    CClientDC dc(&m_list);
    CFont* pOld = dc.SelectObject(m_list.GetFont());
    const CString strLong('w', 300);
    const CString strFitted = CTreeListCtrl::FitText(&dc, strLong, 100, CTreeListCtrl::NAME_RESERVE);
    EXPECT_EQ("...", strFitted.Right(3));
    EXPECT_LE(dc.GetTextExtent(strFitted).cx + CTreeListCtrl::NAME_RESERVE, 100);
    EXPECT_GT(strFitted.GetLength(), 4);
    EXPECT_EQ("short", CTreeListCtrl::FitText(&dc, "short", 100, CTreeListCtrl::NAME_RESERVE));
    EXPECT_EQ("...", CTreeListCtrl::FitText(&dc, strLong, 5, CTreeListCtrl::CELL_RESERVE));
    dc.SelectObject(pOld);
}

TEST_F(TreeList, CollapsingOverOpenGrandchildrenHidesThemAndReopensOneLevel)
{
    FillTwoLevels();
    ASSERT_EQ(2, m_list.GetRowCount());
    CTreeListItem* pA = m_list.GetRow(0);
    EXPECT_EQ(2, m_list.Expand(pA, 0));
    CTreeListItem* pA1 = m_list.GetRow(1);
    m_list.Expand(pA1, 1);
    ASSERT_EQ(6, m_list.GetRowCount());
    EXPECT_EQ("a1x", NameAt(2));
    EXPECT_EQ(3, m_list.GetRow(3)->GetLevel());
    EXPECT_EQ(5, m_list.GetRow(5)->GetIndex());

    m_list.Collapse(pA);
    ASSERT_EQ(2, m_list.GetRowCount());
    EXPECT_EQ("B", NameAt(1));
    EXPECT_EQ(-1, pA1->GetIndex());

    m_list.Expand(pA, 0);
    ASSERT_EQ(4, m_list.GetRowCount());
    EXPECT_TRUE(pA1->IsCollapsed());
    EXPECT_EQ("a2", NameAt(2));
    EXPECT_EQ("B", NameAt(3));
}

TEST_F(TreeList, ShownChildrenGoBelowTheParentsOpenSubtree)
{
    CTreeListItem* pA = m_list.InsertItem(Info("A"));
    m_list.InsertItem(Info("B"));
    m_list.InsertChildRow(pA, Info("a1"), TRUE);
    m_list.InsertChildRow(pA, Info("a2"), TRUE);
    ASSERT_EQ(4, m_list.GetRowCount());
    EXPECT_EQ("a2", NameAt(2));
    EXPECT_EQ("B", NameAt(3));
    EXPECT_EQ(3, m_list.GetRow(3)->GetIndex());
    EXPECT_EQ("B", m_list.GetItemText(3, 0));
}

TEST_F(TreeList, DeletingTheFirstRowSelectsNothingAndTheLastSelectsTheOneAbove)
{
    for (LPCTSTR psz : { "r0", "r1", "r2", "r3" })
        m_list.InsertItem(Info(psz));
    m_list.SelectRow(0);
    m_list.DeleteRow(m_list.GetRow(0), 0);
    EXPECT_EQ(-1, m_list.GetSelectedIndex());
    EXPECT_EQ("r1", NameAt(0));

    m_list.DeleteRow(m_list.GetRow(2), 2);
    EXPECT_EQ(1, m_list.GetSelectedIndex());
    EXPECT_EQ(2, m_list.GetRowCount());

    m_list.InsertItem(Info("r4"));
    m_list.DeleteRow(m_list.GetRow(1), 1);
    EXPECT_EQ(1, m_list.GetSelectedIndex());
    EXPECT_EQ("r4", NameAt(1));
}

TEST_F(TreeList, DeletingAnOpenRowTakesItsShownSubtreeWithIt)
{
    FillTwoLevels();
    m_list.ExpandAll(m_list.GetRow(0));
    ASSERT_EQ(6, m_list.GetRowCount());
    m_list.DeleteRow(m_list.GetRow(1), 1);  // a1 with a1x, a1y
    ASSERT_EQ(3, m_list.GetRowCount());
    EXPECT_EQ("a2", NameAt(1));
    EXPECT_EQ(1, m_list.GetRow(1)->GetIndex());
    EXPECT_EQ(1, m_list.GetRow(0)->GetChildCount());
    m_list.DeleteAllRows();
    EXPECT_EQ(0, m_list.GetRowCount());
    EXPECT_EQ(0, m_list.GetItemCount());
    EXPECT_EQ(0, m_list.GetTopRowCount());
}

TEST_F(TreeList, ExpandBoxClicksOpenAndCloseAndOtherClicksSelectAndCallTheRowClick)
{
    FillTwoLevels();
    Click(ExpandBoxPoint(0));
    EXPECT_EQ(4, m_list.GetRowCount());
    EXPECT_EQ(0, m_list.m_nClicks);
    Click(ExpandBoxPoint(0));
    EXPECT_EQ(2, m_list.GetRowCount());

    Click(NamePoint(1));
    EXPECT_EQ(1, m_list.GetSelectedIndex());
    EXPECT_EQ(1, m_list.m_nClicks);
    // A click in the Type column makes it the focus column.
    Click(CPoint(RowRect(1).left + 300, RowRect(1).CenterPoint().y));
    EXPECT_EQ(2, m_list.GetFocusColumn());
    PumpPending();
}

TEST_F(TreeList, DoubleClickTogglesTheSelectedRow)
{
    FillTwoLevels();
    Click(NamePoint(0));
    Click(NamePoint(0), WM_LBUTTONDBLCLK);
    EXPECT_EQ(4, m_list.GetRowCount());
    Click(NamePoint(0), WM_LBUTTONDBLCLK);
    EXPECT_EQ(2, m_list.GetRowCount());
}

TEST_F(TreeList, CheckBoxTogglesByClickAndSpace)
{
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    m_list.InsertItem(Info("r0"));
    CTreeListItem* pRow = m_list.InsertItem(Info("r1"));
    const CRect rc = RowRect(1);
    const CPoint ptBox(rc.left + pRow->GetLevel() * 16 + 16 + 2 + 6, rc.CenterPoint().y);
    Click(ptBox);
    EXPECT_TRUE(pRow->GetInfo()->GetCheck());
    EXPECT_EQ(1, m_list.m_nCheckChanges);
    EXPECT_EQ(1, m_list.GetSelectedIndex());
    Key(VK_SPACE);
    EXPECT_FALSE(pRow->GetInfo()->GetCheck());
    EXPECT_EQ(2, m_list.m_nCheckChanges);
}

TEST_F(TreeList, LeftAndRightMoveTheFocusColumnWithinTheColumns)
{
    m_list.InsertItem(Info("r0", "1", "Number"));
    m_list.SelectRow(0);
    m_list.SetFocus();
    Key(VK_RIGHT);
    EXPECT_EQ(1, m_list.GetFocusColumn());
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(2, m_list.GetFocusColumn());
    Key(VK_LEFT);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(0, m_list.GetFocusColumn());
}

TEST_F(TreeList, KeypadKeysExpandCollapseAndExpandAll)
{
    FillTwoLevels();
    m_list.SelectRow(0);
    m_list.SetFocus();
    Key(VK_ADD);
    EXPECT_EQ(4, m_list.GetRowCount());
    Key(VK_SUBTRACT);
    EXPECT_EQ(2, m_list.GetRowCount());
    Key(VK_MULTIPLY);
    EXPECT_EQ(6, m_list.GetRowCount());
    Key(VK_DELETE);
    EXPECT_EQ(1, m_list.GetRowCount());
    EXPECT_EQ("B", NameAt(0));
}

TEST_F(TreeList, SortingOrdersChildrenByBytesAndKeepsTheShownOrderInStep)
{
    CTreeListItem* pTop = m_list.InsertItem(Info("T"));
    for (LPCTSTR psz : { "b", "a", "C", "_x" })
        m_list.InsertChildRow(pTop, Info(psz), TRUE);
    CTreeListItem* pB = m_list.GetRow(1);
    m_list.InsertChildRow(pB, Info("z"), FALSE);
    m_list.InsertChildRow(pB, Info("y"), FALSE);
    m_list.SelectRow(2);  // "a"
    m_list.SortChildren(pTop, TRUE);
    EXPECT_EQ("C", NameAt(1));
    EXPECT_EQ("_x", NameAt(2));
    EXPECT_EQ("a", NameAt(3));
    EXPECT_EQ("b", NameAt(4));
    EXPECT_EQ("a", m_list.GetItemText(3, 0));
    EXPECT_EQ(3, m_list.GetRow(3)->GetIndex());
    EXPECT_EQ(3, m_list.GetSelectedIndex());
    EXPECT_EQ("y", pB->GetChild(0)->GetInfo()->GetName());
}

TEST_F(TreeList, EnterKeepsTheEditedTextAndEscapeDropsIt)
{
    m_list.InsertItem(Info("r0", "old", "String"));
    m_list.SelectRow(0);
    m_list.SetFocus();
    Key(VK_RIGHT);
    Key(VK_RETURN);
    CWnd* pEdit = m_list.GetDlgItem(4660);
    ASSERT_TRUE(pEdit != NULL);
    EXPECT_EQ(pEdit, CWnd::GetFocus());
    pEdit->SetWindowText("a much longer value than the cell is wide");
    CRect rcEdit;
    pEdit->GetWindowRect(&rcEdit);
    EXPECT_GT(rcEdit.Width(), 120);
    Key(VK_RETURN, pEdit);
    PumpPending();
    EXPECT_EQ(NULL, m_list.GetDlgItem(4660));
    EXPECT_EQ("a much longer value than the cell is wide", m_list.GetRow(0)->GetInfo()->GetText(1));
    EXPECT_EQ("a much longer value than the cell is wide", m_list.GetItemText(0, 1));

    CWnd* pNameEdit = m_list.EditCell(0, 0);
    ASSERT_TRUE(pNameEdit != NULL);
    EXPECT_EQ(4659, pNameEdit->GetDlgCtrlID());
    pNameEdit->SetWindowText("renamed");
    Key(VK_ESCAPE, pNameEdit);
    PumpPending();
    EXPECT_EQ("r0", m_list.GetRow(0)->GetInfo()->GetName());
}

TEST_F(TreeList, DropMovesARowWithItsSubtreeUnderTheTarget)
{
    FillTwoLevels();
    m_list.Expand(m_list.GetRow(0), 0);  // A, a1, a2, B
    BeginDrag(1);
    ASSERT_TRUE(m_list.IsDragging());
    DropAt(NamePoint(3));
    EXPECT_FALSE(m_list.IsDragging());
    CTreeListItem* pA = m_list.GetTopRow(0);
    CTreeListItem* pB = m_list.GetTopRow(1);
    ASSERT_EQ(1, pA->GetChildCount());
    EXPECT_EQ("a2", pA->GetChild(0)->GetInfo()->GetName());
    ASSERT_EQ(1, pB->GetChildCount());
    CTreeListItem* pMoved = pB->GetChild(0);
    EXPECT_EQ("a1", pMoved->GetInfo()->GetName());
    ASSERT_EQ(2, pMoved->GetChildCount());
    EXPECT_EQ("a1y", pMoved->GetChild(1)->GetInfo()->GetName());
    EXPECT_EQ(pB, m_list.GetSelectedRow());
    EXPECT_EQ(4, m_list.GetRowCount());  // A, a2, B, a1
    EXPECT_EQ("a1", NameAt(3));
}

TEST_F(TreeList, DropOnTheRowsOwnChildOrAfterEscapeMovesNothing)
{
    FillTwoLevels();
    m_list.ExpandAll(m_list.GetRow(0));  // A, a1, a1x, a1y, a2, B
    BeginDrag(1);
    DropAt(NamePoint(2));
    EXPECT_EQ(2, m_list.GetRow(1)->GetChildCount());
    EXPECT_EQ(6, m_list.GetRowCount());

    BeginDrag(4);
    DragTo(NamePoint(5));
    EXPECT_EQ(5, m_list.GetDropTargetIndex());
    Key(VK_ESCAPE);
    EXPECT_FALSE(m_list.IsDragging());
    EXPECT_EQ(-1, m_list.GetDropTargetIndex());
    DropAt(NamePoint(5));
    EXPECT_EQ(0, m_list.GetTopRow(1)->GetChildCount());

    // Top rows stay where they are.
    BeginDrag(5);
    DropAt(NamePoint(0));
    EXPECT_EQ(2, m_list.GetTopRowCount());
}

TEST_F(TreeList, AListThatDoesNotCopyContentStartsNoDrag)
{
    CTreeListCtrl plain;
    CRect rc(0, 0, 300, 200);
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, rc, &m_host, 101));
    plain.InsertColumn(0, "Name", LVCFMT_LEFT, 160);
    CTreeListItem* pTop = plain.InsertItem(Info("T"));
    plain.InsertChildRow(pTop, Info("c"), TRUE);
    NMLISTVIEW notify;
    memset(&notify, 0, sizeof(notify));
    notify.hdr.hwndFrom = plain.m_hWnd;
    notify.hdr.idFrom = 101;
    notify.hdr.code = LVN_BEGINDRAG;
    notify.iItem = 1;
    m_host.SendMessage(WM_NOTIFY, 101, (LPARAM)&notify);
    EXPECT_FALSE(plain.IsDragging());
    plain.DestroyWindow();
}

TEST_F(TreeList, DraggingNearTheBottomEdgeScrollsTheList)
{
    CTreeListItem* pTop = m_list.InsertItem(Info("T"));
    for (int i = 0; i < 60; i++)
    {
        CString strName;
        strName.Format("row %02d", i);
        m_list.InsertChildRow(pTop, Info(strName), TRUE);
    }
    CRect rcClient;
    m_list.GetClientRect(&rcClient);
    // The mouse itself waits where the drag goes: a real move the display sends
    // meanwhile (a window of another program appearing under it) then says the same.
    CPoint ptEdge(100, rcClient.bottom - 4);
    CPoint ptScreen = ptEdge;
    m_list.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    PumpPending();
    // A drag ends, rightly, when another program's window takes the capture; on the
    // shared test display that can happen, and only then is the drag tried again.
    bool bScrolled = false;
    for (int nTry = 0; nTry < 3 && !bScrolled; nTry++)
    {
        m_list.EnsureVisible(0, FALSE);
        ASSERT_EQ(0, m_list.GetTopIndex());
        BeginDrag(1);
        // The move itself does not scroll: checked before anything is pumped, since on
        // a busy machine the scroll timer may already be due when the move is handled.
        m_list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptEdge.x, ptEdge.y));
        EXPECT_EQ(0, m_list.GetTopIndex());
        ASSERT_TRUE(m_list.IsDragging());
        bScrolled = PumpUntil([&] { return m_list.GetTopIndex() >= 2; }, 3000);
        const bool bStillDragging = m_list.IsDragging();
        if (bStillDragging)
            Key(VK_ESCAPE);
        if (!bScrolled && bStillDragging)
            break;   // the drag went on and did not scroll: a real failure
    }
    EXPECT_TRUE(bScrolled);
}

TEST_F(TreeList, Screenshot)
{
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    FillTwoLevels();
    m_list.GetRow(0)->GetInfo()->SetText(1, "table: 0x0061f2a0");
    m_list.ExpandAll(m_list.GetRow(0));
    m_list.InsertItem(Info("a name far too long for the width of its column", CString('v', 256), "String"));
    m_list.SelectRow(2);
    m_list.SetFocus();
    m_list.UpdateWindow();
    PumpPending();
    const CScreenPicture picture(m_host.m_hWnd);
    EXPECT_TRUE(picture.SaveIfWanted("tree_list"));
    // The selected row in the highlight colour, the one below it in the window colour;
    // the first row's name and value written on it.
    auto cell = [&](int nRow, int nColumn) {
        CRect rc;
        m_list.GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
        m_list.ClientToScreen(&rc);
        return rc;
    };
    const CRect rcSelectedType = cell(2, 2), rcNextType = cell(3, 2);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), picture.GetPixel(CPoint(rcSelectedType.right - 4, rcSelectedType.CenterPoint().y)));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), picture.GetPixel(CPoint(rcNextType.right - 4, rcNextType.CenterPoint().y)));
    const CRect rcValue = cell(0, 1);
    EXPECT_GT(picture.CountPixels(rcValue, ::GetSysColor(COLOR_WINDOWTEXT)), 0);
}
