#include "CBreakpointsListCtrl.h"

#include "BreakpointTexts.h"
#include "CBreakpoint.h"
#include "CBreakpointsWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CBreakpointsListCtrl, CTreeListCtrl)

BEGIN_MESSAGE_MAP(CBreakpointsListCtrl, CTreeListCtrl)
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

namespace
{
// A row's line is kept as the name column's data.
const int kLineColumn = 0;

CBreakpointsWnd* OwnerWindow(CWnd* pList)
{
    return DYNAMIC_DOWNCAST(CBreakpointsWnd, pList->GetParent());
}
}

CBreakpointsListCtrl::CBreakpointsListCtrl()
{
}

CBreakpointsListCtrl::~CBreakpointsListCtrl()
{
}

BOOL CBreakpointsListCtrl::CreateList(CWnd* pParent, UINT nID)
{
    if (!Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), pParent, nID))
        return FALSE;
    LoadRowImages(IDB_BREAKPOINT_IMAGES, RGB(255, 255, 255));
    SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    InsertColumn(1, "Condition", LVCFMT_LEFT, 230);
    InsertColumn(2, "Hit Count", LVCFMT_LEFT, 230);
    // The one-pixel frame.
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

CTreeListItem* CBreakpointsListCtrl::AddBreakpointRow(CProjectFileEntry* pEntry, const CString& strRelativePath,
                                                      const CBreakpoint& breakpoint)
{
    CTreeListItemInfo* pInfo = new CTreeListItemInfo;
    pInfo->SetName(BreakpointRowName(strRelativePath, breakpoint.GetLine()));
    pInfo->SetText(1, BreakpointConditionText(breakpoint.GetConditionEnable(), breakpoint.GetCondition(),
                                              breakpoint.GetConditionType()));
    pInfo->SetText(2, BreakpointHitCountText(breakpoint.GetHitCountBreakWhen(), breakpoint.GetHitCountBreak()));
    pInfo->SetData(pEntry);
    pInfo->SetColumnData(kLineColumn, (DWORD_PTR)breakpoint.GetLine());
    pInfo->SetCheck(breakpoint.GetEnabled() != 0);
    return InsertItem(pInfo);
}

CProjectFileEntry* CBreakpointsListCtrl::GetRowEntry(CTreeListItem* pRow, CProject* pProject)
{
    if (pRow == NULL || pProject == NULL)
        return NULL;
    void* pData = pRow->GetInfo()->GetData();
    // The entry may have left the project since the row was made.
    for (int i = 0; i < pProject->GetFileCount(); i++)
        if (pProject->GetFileAt(i) == pData)
            return pProject->GetFileAt(i);
    return NULL;
}

int CBreakpointsListCtrl::GetRowLine(CTreeListItem* pRow)
{
    return (int)pRow->GetInfo()->GetColumnData(kLineColumn);
}

CBreakpoint* CBreakpointsListCtrl::FindRowBreakpoint(CTreeListItem* pRow, CProject* pProject)
{
    CProjectFileEntry* pEntry = GetRowEntry(pRow, pProject);
    return pEntry != NULL ? pEntry->FindBreakpoint(GetRowLine(pRow)) : NULL;
}

void CBreakpointsListCtrl::ShowRules(CTreeListItem* pRow, const CBreakpoint& breakpoint)
{
    CTreeListItemInfo* pInfo = pRow->GetInfo();
    pInfo->SetText(1, BreakpointConditionText(breakpoint.GetConditionEnable(), breakpoint.GetCondition(),
                                              breakpoint.GetConditionType()));
    pInfo->SetText(2, BreakpointHitCountText(breakpoint.GetHitCountBreakWhen(), breakpoint.GetHitCountBreak()));
    UpdateRowTexts(pRow);
    RedrawRow(pRow);
}

int CBreakpointsListCtrl::GetRowImage(CTreeListItem* pRow)
{
    const int nImage = pRow->GetInfo()->GetImage();
    return nImage == -1 ? 0 : nImage;
}

COLORREF CBreakpointsListCtrl::GetFocusCellColour()
{
    return RGB(49, 106, 197);
}

void CBreakpointsListCtrl::OnRowClick(UINT, int, int, LVHITTESTINFO*)
{
    // A click on the box has already toggled it and told the window (OnCheckChanged).
}

void CBreakpointsListCtrl::OnCheckChanged(CTreeListItem* pRow)
{
    if (CBreakpointsWnd* pOwner = OwnerWindow(this))
        pOwner->OnRowCheckChanged(pRow);
}

BOOL CBreakpointsListCtrl::IsEditingDisabled()
{
    return TRUE;
}

BOOL CBreakpointsListCtrl::CanDelete(CTreeListItem*, int)
{
    // A row goes only with its breakpoint (the Delete command).
    return FALSE;
}

void CBreakpointsListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE)
    {
        if (CBreakpointsWnd* pOwner = OwnerWindow(this))
            pOwner->DeleteSelected();
        return;
    }
    CTreeListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CBreakpointsListCtrl::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1)
    {
        CRect rc;
        GetWindowRect(&rc);
        point = rc.TopLeft();
    }
    if (CBreakpointsWnd* pOwner = OwnerWindow(this))
        pOwner->ShowPopupMenu(point);
}

void CBreakpointsListCtrl::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    ::InflateRect(&lpncsp->rgrc[0], -1, -1);
}

void CBreakpointsListCtrl::OnNcPaint()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    CRect rcClient(rcWindow);
    rcClient.DeflateRect(1, 1);
    CWindowDC dc(this);
    dc.ExcludeClipRect(&rcClient);
    CExtPaintControlFrameArgs args(this, rcWindow, false, IsWindowEnabled() != FALSE, ::GetFocus() == m_hWnd);
    g_PaintManagerHolder->PaintControlFrame(dc, args);
}
