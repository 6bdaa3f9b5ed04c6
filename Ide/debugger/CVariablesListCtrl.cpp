#include "CVariablesListCtrl.h"

#include "CExtPopupMenuWnd.h"
#include "IDebugPanesHost.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CVariablesListCtrl, CTreeListCtrl)

BEGIN_MESSAGE_MAP(CVariablesListCtrl, CTreeListCtrl)
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CVariablesListCtrl::CVariablesListCtrl()
    : m_pHost(NULL), m_bGlobals(FALSE), m_bExpansionPending(FALSE), m_nExpandingId(CTreeListItemInfo::NO_ITEM_ID)
{
    m_rowsById.InitHashTable(16411);
}

CVariablesListCtrl::~CVariablesListCtrl()
{
}

BOOL CVariablesListCtrl::CreateList(CWnd* pParent, UINT nID)
{
    if (!Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), pParent, nID))
        return FALSE;
    LoadRowImages(IDB_DEBUG_LIST_IMAGES, RGB(0, 255, 0));
    SetExtendedStyle(LVS_EX_GRIDLINES);
    InsertColumn(0, "Name", LVCFMT_LEFT, 130);
    InsertColumn(1, "Value", LVCFMT_LEFT, 90);
    InsertColumn(2, "Type", LVCFMT_LEFT, 90);
    return TRUE;
}

BOOL CVariablesListCtrl::IsFunctionType(LPCTSTR pszType)
{
    const CString strType = pszType;
    return strType == "C Function" || strType == "Lua Function" || strType == "Function";
}

CTreeListItem* CVariablesListCtrl::AddVariable(LPCTSTR pszName, LPCTSTR pszValue, LPCTSTR pszType, int nId,
                                               int nParentId)
{
    CTreeListItem* pParent = NULL;
    if (nParentId != CTreeListItemInfo::NO_ITEM_ID)
    {
        pParent = FindRowById(nParentId);
        if (pParent == NULL)
            return NULL;
    }
    CTreeListItemInfo* pInfo = new CTreeListItemInfo;
    pInfo->SetName(pszName);
    pInfo->SetText(1, pszValue);
    pInfo->SetText(2, pszType);
    pInfo->SetItemId(nId);
    pInfo->SetFunction(IsFunctionType(pszType));
    CTreeListItem* pRow = pParent != NULL ? InsertChildRow(pParent, pInfo, FALSE) : InsertItem(pInfo);
    // A member came: the wait for the rest starts again (a large table takes long).
    if (m_bExpansionPending && nParentId == m_nExpandingId)
        SetTimer(TIMER_EXPANSION, EXPANSION_TIMEOUT, NULL);
    if (nId != CTreeListItemInfo::NO_ITEM_ID)
        m_rowsById.SetAt(nId, pRow);
    return pRow;
}

CTreeListItem* CVariablesListCtrl::FindRowById(int nId) const
{
    CTreeListItem* pRow = NULL;
    return m_rowsById.Lookup(nId, pRow) ? pRow : NULL;
}

void CVariablesListCtrl::ForgetIds(CTreeListItem* pRow)
{
    const int nId = pRow->GetInfo()->GetItemId();
    CTreeListItem* pKnown = NULL;
    if (nId != CTreeListItemInfo::NO_ITEM_ID && m_rowsById.Lookup(nId, pKnown) && pKnown == pRow)
        m_rowsById.RemoveKey(nId);
    for (int i = 0; i < pRow->GetChildCount(); i++)
        ForgetIds(pRow->GetChild(i));
}

void CVariablesListCtrl::OnDeletingRow(CTreeListItem* pRow)
{
    if (!m_rowsById.IsEmpty())
        ForgetIds(pRow);
}

void CVariablesListCtrl::Clear()
{
    CancelExpansion();
    // The ids go at once: no walk through rows that are all going.
    m_rowsById.RemoveAll();
    if (m_hWnd != NULL)
        DeleteAllRows();
}

void CVariablesListCtrl::Refresh()
{
    if (m_hWnd == NULL)
        return;
    SetRedraw(FALSE);
    for (int i = 0; i < GetTopRowCount(); i++)
        SortChildren(GetTopRow(i), TRUE);
    SetRedraw(TRUE);
    UpdateWindow();
    Invalidate();
}

void CVariablesListCtrl::OnExpansionDone()
{
    if (!m_bExpansionPending)
        return;
    const int nId = m_nExpandingId;
    CancelExpansion();
    CTreeListItem* pRow = FindRowById(nId);
    if (pRow == NULL || m_hWnd == NULL)
        return;
    SetRedraw(FALSE);
    SortChildren(pRow, TRUE);
    Expand(pRow, pRow->GetIndex());
    for (int i = 0; i < GetTopRowCount(); i++)
        SortChildren(GetTopRow(i), TRUE);
    SetRedraw(TRUE);
    if (pRow->GetIndex() >= 0)
        EnsureVisible(pRow->GetIndex(), FALSE);
    Invalidate();
}

void CVariablesListCtrl::CancelExpansion()
{
    m_bExpansionPending = FALSE;
    m_nExpandingId = CTreeListItemInfo::NO_ITEM_ID;
    if (m_hWnd != NULL)
        KillTimer(TIMER_EXPANSION);
}

BOOL CVariablesListCtrl::OnDoubleClickRow(NMITEMACTIVATE* pNotify)
{
    if (m_bExpansionPending)
        return FALSE;
    const int nSelected = GetSelectedIndex();
    CTreeListItem* pRow = GetRow(nSelected);
    if (pRow == NULL || pNotify->iItem != nSelected)
        return TRUE;
    const int nId = pRow->GetInfo()->GetItemId();
    if (nId == CTreeListItemInfo::NO_ITEM_ID || pRow->HasChildren())
        return TRUE;
    if (m_pHost == NULL || !m_pHost->RequestTableMembers(this, nId))
        return FALSE;
    m_bExpansionPending = TRUE;
    m_nExpandingId = nId;
    SetTimer(TIMER_EXPANSION, EXPANSION_TIMEOUT, NULL);
    return FALSE;
}

void CVariablesListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_EXPANSION)
    {
        CTreeListCtrl::OnTimer(nIDEvent);
        return;
    }
    // No member came: the next double-click may ask again.
    const BOOL bWasPending = m_bExpansionPending;
    CancelExpansion();
    if (bWasPending && m_pHost != NULL)
        m_pHost->AppendDebugOutput("DebugServer: table members not received.\n");
}

int CVariablesListCtrl::GetRowImage(CTreeListItem* pRow)
{
    CTreeListItemInfo* pInfo = pRow->GetInfo();
    if (pInfo->GetItemId() != CTreeListItemInfo::NO_ITEM_ID)
        return pRow->HasChildren() && !pRow->IsCollapsed() ? IMAGE_OPEN_TABLE : IMAGE_CLOSED_TABLE;
    return pInfo->IsFunction() ? IMAGE_FUNCTION : IMAGE_VALUE;
}

COLORREF CVariablesListCtrl::GetFocusCellColour()
{
    return RGB(49, 106, 197);
}

void CVariablesListCtrl::OnRowClick(UINT, int, int, LVHITTESTINFO*)
{
}

BOOL CVariablesListCtrl::IsEditingDisabled()
{
    return TRUE;
}

BOOL CVariablesListCtrl::CanDelete(CTreeListItem*, int)
{
    // The rows are what the client reported; they go only with the next answer.
    return FALSE;
}

UINT CVariablesListCtrl::GetPopupMenuID() const
{
    return m_bGlobals ? IDR_GLOBALS_POPUP : 0;
}

void CVariablesListCtrl::OnContextMenu(CWnd*, CPoint point)
{
    const UINT nMenu = GetPopupMenuID();
    CWnd* pOwner = m_pHost != NULL ? m_pHost->GetCommandWindow() : AfxGetMainWnd();
    if (nMenu == 0 || pOwner == NULL)
        return;
    if (point.x == -1 && point.y == -1)
    {
        CRect rc;
        GetWindowRect(&rc);
        point = rc.TopLeft();
    }
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(pOwner->GetSafeHwnd(), nMenu, true))
    {
        delete pPopup;
        return;
    }
    // The menu frees itself when it closes.
    pPopup->TrackPopupMenu(0, point.x, point.y);
}
