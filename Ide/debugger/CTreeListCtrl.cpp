#include "CTreeListCtrl.h"

#include <mbstring.h>

#include <algorithm>

#include "CInPlaceLabelEdit.h"

IMPLEMENT_DYNAMIC(CTreeListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CTreeListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MEASUREITEM_REFLECT()
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, CTreeListCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDIT, CTreeListCtrl::OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, CTreeListCtrl::OnGetDispInfo)
    ON_MESSAGE(WM_FREE_RETIRED_ROWS, CTreeListCtrl::OnFreeRetiredRows)
END_MESSAGE_MAP()

namespace
{
const COLORREF kTreeLineColour = RGB(192, 192, 192);
const COLORREF kBoxFrameColour = RGB(198, 198, 198);
const int kSignLength = 5;

// Multibyte order of the current code page (byte order where it has no lead bytes).
bool NameLess(void* pLeft, void* pRight)
{
    const CString& strLeft = static_cast<CTreeListItem*>(pLeft)->GetInfo()->GetName();
    const CString& strRight = static_cast<CTreeListItem*>(pRight)->GetInfo()->GetName();
    return _mbscmp((const unsigned char*)(LPCTSTR)strLeft, (const unsigned char*)(LPCTSTR)strRight) < 0;
}
}

CTreeListCtrl::CTreeListCtrl()
    : m_nImageWidth(16), m_nImageHeight(16), m_nFocusColumn(0), m_pDraggedRow(NULL), m_nDropTargetIndex(-1),
      m_bDragging(FALSE), m_pDragImage(NULL)
{
    m_treeLinePen.CreatePen(PS_SOLID, 1, kTreeLineColour);
    m_boxFramePen.CreatePen(PS_SOLID, 1, kBoxFrameColour);
    m_signPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_boxBrush.CreateSolidBrush(RGB(255, 255, 255));
}

CTreeListCtrl::~CTreeListCtrl()
{
    delete m_pDragImage;
    FreeRetiredRows();
    for (INT_PTR i = 0; i < m_topRows.GetSize(); i++)
        delete static_cast<CTreeListItem*>(m_topRows[i]);
}

BOOL CTreeListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle &= ~LVS_TYPEMASK;
    // The list keeps no items of its own: it asks for texts and draws by the rows here,
    // so a large table is shown and cleared without one list operation per row.
    dwStyle |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDRAWFIXED | LVS_OWNERDATA;
    return CListCtrl::Create(dwStyle, rect, pParentWnd, nID);
}

int CTreeListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The font message makes the list measure its rows again, now through us.
    CFont* pFont = GetParent() != NULL ? GetParent()->GetFont() : NULL;
    HGDIOBJ hFont = pFont != NULL ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
    SendMessage(WM_SETFONT, (WPARAM)hFont, FALSE);
    return 0;
}

void CTreeListCtrl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    if (pOldFont != NULL)
        dc.SelectObject(pOldFont);
    lpMeasureItemStruct->itemHeight = tm.tmHeight + tm.tmExternalLeading + 4;
}

BOOL CTreeListCtrl::LoadRowImages(UINT nBitmapID, COLORREF crMask)
{
    m_rowImages.DeleteImageList();
    if (!m_rowImages.Create(nBitmapID, 16, 1, crMask))
        return FALSE;
    int cx = 16, cy = 16;
    m_rowImages.GetIconSize(&cx, &cy);
    m_nImageWidth = cx;
    m_nImageHeight = cy;
    SetImageList(&m_rowImages, LVSIL_SMALL);
    return TRUE;
}

//////////////////////////////////////////////////////////////////////////////
// Rows and their list items

CTreeListItem* CTreeListCtrl::NewRow(CTreeListItemInfo* pInfo, CTreeListItem* pParent)
{
    CTreeListItem* pRow = new CTreeListItem;
    pRow->m_pInfo = pInfo != NULL ? pInfo : new CTreeListItemInfo;
    pRow->m_pParent = pParent;
    pRow->m_nLevel = pParent != NULL ? pParent->m_nLevel + 1 : 1;
    return pRow;
}

void CTreeListCtrl::InsertListItem(CTreeListItem* pRow, int nIndex)
{
    m_shownRows.InsertAt(nIndex, pRow);
    pRow->m_nIndex = nIndex;
}

void CTreeListCtrl::SyncItemCount(CTreeListItem* pSelected)
{
    if (m_hWnd == NULL)
        return;
    SendMessage(LVM_SETITEMCOUNT, (WPARAM)m_shownRows.GetSize(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    // The list keeps its selection by index: it follows the row that was selected.
    const int nSelected = GetSelectedIndex();
    const int nWanted = pSelected != NULL ? pSelected->m_nIndex : -1;
    if (nSelected != nWanted)
    {
        if (nSelected >= 0)
            SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (nWanted >= 0)
            SelectRow(nWanted);
    }
    Invalidate();
}

void CTreeListCtrl::RenumberFrom(int nIndex)
{
    const INT_PTR nCount = m_shownRows.GetSize();
    for (INT_PTR i = nIndex < 0 ? 0 : nIndex; i < nCount; i++)
        static_cast<CTreeListItem*>(m_shownRows[i])->m_nIndex = (int)i;
}

CTreeListItem* CTreeListCtrl::InsertItem(CTreeListItemInfo* pInfo)
{
    CTreeListItem* pRow = NewRow(pInfo, NULL);
    m_topRows.Add(pRow);
    InsertListItem(pRow, (int)m_shownRows.GetSize());
    if (m_hWnd != NULL)
        SendMessage(LVM_SETITEMCOUNT, (WPARAM)m_shownRows.GetSize(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    return pRow;
}

int CTreeListCtrl::IndexAfterSubtree(const CTreeListItem* pRow) const
{
    // The last shown row of the subtree lies at the end of the chain of last children.
    const CTreeListItem* pLast = pRow;
    while (!pLast->m_bCollapsed && pLast->HasChildren())
    {
        const CTreeListItem* pChild = pLast->GetChild(pLast->GetChildCount() - 1);
        if (pChild->m_nIndex < 0)
            break;
        pLast = pChild;
    }
    return pLast->m_nIndex + 1;
}

CTreeListItem* CTreeListCtrl::InsertChildRow(CTreeListItem* pParent, CTreeListItemInfo* pInfo, BOOL bShow)
{
    if (pParent == NULL)
        return InsertItem(pInfo);
    CTreeListItem* pRow = NewRow(pInfo, pParent);
    const BOOL bParentOpen = pParent->m_nIndex >= 0 && !pParent->m_bCollapsed;
    if (bShow && bParentOpen)
    {
        CTreeListItem* pSelected = GetSelectedRow();
        const int nIndex = IndexAfterSubtree(pParent);
        pParent->m_children.Add(pRow);
        InsertListItem(pRow, nIndex);
        RenumberFrom(nIndex + 1);
        SyncItemCount(pSelected);
    }
    else
    {
        pParent->m_children.Add(pRow);
        pParent->m_bCollapsed = TRUE;
    }
    return pRow;
}

int CTreeListCtrl::Expand(CTreeListItem* pRow, int nIndex)
{
    if (pRow == NULL || !pRow->m_bCollapsed || !pRow->IsExpandable())
        return nIndex;
    pRow->m_bCollapsed = FALSE;
    if (pRow->m_nIndex < 0)
        return nIndex;
    nIndex = pRow->m_nIndex;
    const int nCount = pRow->GetChildCount();
    if (nCount == 0)
        return nIndex;
    CTreeListItem* pSelected = GetSelectedRow();
    // The children go in as one block; the rows below are renumbered once.
    m_shownRows.InsertAt(nIndex + 1, (void*)NULL, nCount);
    for (int i = 0; i < nCount; i++)
    {
        CTreeListItem* pChild = pRow->GetChild(i);
        // A child that was open shows as closed: one level at a time.
        if (pChild->HasChildren())
            pChild->m_bCollapsed = TRUE;
        m_shownRows[nIndex + 1 + i] = pChild;
    }
    RenumberFrom(nIndex + 1);
    SyncItemCount(pSelected);
    return nIndex + nCount;
}

int CTreeListCtrl::CountShownDescendants(const CTreeListItem* pRow) const
{
    if (pRow->m_nIndex < 0)
        return 0;
    return IndexAfterSubtree(pRow) - pRow->m_nIndex - 1;
}

void CTreeListCtrl::HideDescendants(CTreeListItem* pRow)
{
    for (int i = 0; i < pRow->GetChildCount(); i++)
    {
        CTreeListItem* pChild = pRow->GetChild(i);
        if (pChild->m_nIndex < 0)
            continue;
        pChild->m_nIndex = -1;
        if (pChild->HasChildren())
        {
            HideDescendants(pChild);
            pChild->m_bCollapsed = TRUE;
        }
    }
}

void CTreeListCtrl::Collapse(CTreeListItem* pRow)
{
    if (pRow == NULL || pRow->m_bCollapsed || !pRow->IsExpandable())
        return;
    const int nShown = CountShownDescendants(pRow);
    pRow->m_bCollapsed = TRUE;
    if (nShown == 0)
        return;
    const int nFirst = pRow->m_nIndex + 1;
    CTreeListItem* pSelected = GetSelectedRow();
    HideDescendants(pRow);
    m_shownRows.RemoveAt(nFirst, nShown);
    RenumberFrom(nFirst);
    SyncItemCount(pSelected);
}

void CTreeListCtrl::ExpandAll(CTreeListItem* pRow)
{
    if (pRow == NULL)
        return;
    Expand(pRow, pRow->m_nIndex);
    for (int i = 0; i < pRow->GetChildCount(); i++)
    {
        CTreeListItem* pChild = pRow->GetChild(i);
        if (pChild->IsExpandable())
            ExpandAll(pChild);
    }
}

void CTreeListCtrl::DetachRow(CTreeListItem* pRow)
{
    CPtrArray& siblings = pRow->m_pParent != NULL ? pRow->m_pParent->m_children : m_topRows;
    for (INT_PTR i = 0; i < siblings.GetSize(); i++)
    {
        if (siblings[i] == pRow)
        {
            siblings.RemoveAt(i);
            break;
        }
    }
    if (pRow->m_pParent != NULL && !pRow->m_pParent->HasChildren())
        pRow->m_pParent->m_bCollapsed = FALSE;
}

void CTreeListCtrl::DeleteRow(CTreeListItem* pRow, int /*nIndex*/)
{
    if (pRow == NULL)
        return;
    const int nIndex = pRow->m_nIndex;
    if (nIndex >= 0)
    {
        const int nCount = 1 + CountShownDescendants(pRow);
        CTreeListItem* pSelected = GetSelectedRow();
        m_shownRows.RemoveAt(nIndex, nCount);
        RenumberFrom(nIndex);
        if (pSelected != NULL && (pSelected == pRow || pSelected->IsDescendantOf(pRow)))
            pSelected = NULL;
        SyncItemCount(pSelected);
    }
    DetachRow(pRow);
    OnDeletingRow(pRow);
    delete pRow;
    if (nIndex > 0)
    {
        const int nRows = GetRowCount();
        SelectRow(nIndex < nRows ? nIndex : nRows - 1);
    }
    Invalidate();
}

void CTreeListCtrl::DeleteAllRows()
{
    // Every row goes: one clear of the list, not one deletion per row. The rows are
    // freed once the list has been drawn again (a large table takes a while).
    m_shownRows.RemoveAll();
    if (m_hWnd != NULL)
    {
        SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessage(LVM_SETITEMCOUNT, 0, 0);
    }
    for (INT_PTR i = 0; i < m_topRows.GetSize(); i++)
        OnDeletingRow(static_cast<CTreeListItem*>(m_topRows[i]));
    m_retiredRows.Append(m_topRows);
    m_topRows.RemoveAll();
    if (m_hWnd != NULL && m_retiredRows.GetSize() > 0)
        PostMessage(WM_FREE_RETIRED_ROWS);
    else
        FreeRetiredRows();
    Invalidate();
}

LRESULT CTreeListCtrl::OnFreeRetiredRows(WPARAM, LPARAM)
{
    FreeRetiredRows();
    return 0;
}

void CTreeListCtrl::FreeRetiredRows()
{
    for (INT_PTR i = 0; i < m_retiredRows.GetSize(); i++)
        delete static_cast<CTreeListItem*>(m_retiredRows[i]);
    m_retiredRows.RemoveAll();
}

void CTreeListCtrl::SortRowArray(CPtrArray& rows, BOOL bRecursive)
{
    if (rows.GetSize() > 1)
        std::stable_sort(rows.GetData(), rows.GetData() + rows.GetSize(), NameLess);
    if (!bRecursive)
        return;
    for (INT_PTR i = 0; i < rows.GetSize(); i++)
        SortRowArray(static_cast<CTreeListItem*>(rows[i])->m_children, TRUE);
}

void CTreeListCtrl::AppendShownSubtree(CTreeListItem* pRow, CPtrArray& rows) const
{
    rows.Add(pRow);
    if (pRow->m_bCollapsed)
        return;
    for (int i = 0; i < pRow->GetChildCount(); i++)
    {
        CTreeListItem* pChild = pRow->GetChild(i);
        if (pChild->m_nIndex >= 0)
            AppendShownSubtree(pChild, rows);
    }
}

void CTreeListCtrl::RewriteListItems(int nFirst, const CPtrArray& rows)
{
    for (INT_PTR i = 0; i < rows.GetSize(); i++)
    {
        CTreeListItem* pRow = static_cast<CTreeListItem*>(rows[i]);
        const int nIndex = nFirst + (int)i;
        if (m_shownRows[nIndex] == pRow)
            continue;
        m_shownRows[nIndex] = pRow;
        pRow->m_nIndex = nIndex;
    }
}

void CTreeListCtrl::SortChildren(CTreeListItem* pRow, BOOL bRecursive)
{
    if (pRow == NULL)
        return;
    CTreeListItem* pSelected = GetSelectedRow();
    SortRowArray(pRow->m_children, bRecursive);
    if (pRow->m_nIndex >= 0 && !pRow->m_bCollapsed && pRow->HasChildren())
    {
        // The shown part of the subtree keeps its place in the list, in the new order.
        CPtrArray rows;
        AppendShownSubtree(pRow, rows);
        RewriteListItems(pRow->m_nIndex, rows);
        Invalidate();
    }
    if (pSelected != NULL && pSelected->m_nIndex >= 0 && pSelected->m_nIndex != GetSelectedIndex())
        SelectRow(pSelected->m_nIndex);
}

CTreeListItem* CTreeListCtrl::CopyRow(CTreeListItem* pRow, CTreeListItem* pNewParent)
{
    CTreeListItem* pCopy = InsertChildRow(pNewParent, CloneInfo(pRow->m_pInfo), !pNewParent->m_bCollapsed);
    pCopy->m_nExpander = pRow->m_nExpander;
    CopyChildrenHidden(pRow, pCopy);
    return pCopy;
}

void CTreeListCtrl::CopyChildrenHidden(CTreeListItem* pFrom, CTreeListItem* pTo)
{
    for (int i = 0; i < pFrom->GetChildCount(); i++)
    {
        CTreeListItem* pChild = pFrom->GetChild(i);
        CTreeListItem* pCopy = InsertChildRow(pTo, CloneInfo(pChild->m_pInfo), FALSE);
        pCopy->m_nExpander = pChild->m_nExpander;
        CopyChildrenHidden(pChild, pCopy);
    }
}

CTreeListItem* CTreeListCtrl::GetRow(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_shownRows.GetSize())
        return NULL;
    return static_cast<CTreeListItem*>(m_shownRows[nIndex]);
}

int CTreeListCtrl::GetSelectedIndex() const
{
    return m_hWnd != NULL ? GetNextItem(-1, LVNI_SELECTED) : -1;
}

void CTreeListCtrl::SelectRow(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetRowCount())
        return;
    SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(nIndex);
}

void CTreeListCtrl::SetRowCheck(CTreeListItem* pRow, BOOL bCheck)
{
    pRow->m_pInfo->SetCheck(bCheck);
    RedrawRow(pRow);
}

void CTreeListCtrl::UpdateRowTexts(CTreeListItem* pRow)
{
    // The list asks for the texts when it needs them.
    RedrawRow(pRow);
}

void CTreeListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
    CTreeListItem* pRow = GetRow(item.iItem);
    if (pRow == NULL)
        return;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != NULL && item.cchTextMax > 0)
        lstrcpynA(item.pszText, pRow->m_pInfo->GetText(item.iSubItem), item.cchTextMax);
    if ((item.mask & LVIF_IMAGE) != 0)
        item.iImage = GetRowImage(pRow);
    if ((item.mask & LVIF_INDENT) != 0)
        item.iIndent = 1;
    if ((item.mask & LVIF_PARAM) != 0)
        item.lParam = (LPARAM)pRow;
    if ((item.mask & LVIF_STATE) != 0 && HasCheckBoxes())
    {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(pRow->m_pInfo->GetCheck() ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void CTreeListCtrl::RedrawRow(CTreeListItem* pRow)
{
    if (pRow != NULL && pRow->m_nIndex >= 0)
        RedrawItems(pRow->m_nIndex, pRow->m_nIndex);
}

int CTreeListCtrl::GetColumnCount() const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    return pHeader != NULL ? pHeader->GetItemCount() : 0;
}

void CTreeListCtrl::OnDeletingRow(CTreeListItem* /*pRow*/)
{
}

void CTreeListCtrl::OnCheckChanged(CTreeListItem* /*pRow*/)
{
}

//////////////////////////////////////////////////////////////////////////////
// The adaptable operations' plain behaviour

CTreeListItemInfo* CTreeListCtrl::CloneInfo(CTreeListItemInfo* /*pInfo*/)
{
    return NULL;
}

int CTreeListCtrl::GetRowImage(CTreeListItem* /*pRow*/)
{
    return 0;
}

COLORREF CTreeListCtrl::GetFocusCellColour()
{
    return RGB(192, 0, 0);
}

void CTreeListCtrl::SetCellText(CTreeListItem* pRow, LVITEM* pItem)
{
    if (pRow == NULL || pItem == NULL || pItem->pszText == NULL)
        return;
    pRow->m_pInfo->SetText(pItem->iSubItem, pItem->pszText);
    RedrawRow(pRow);
}

void CTreeListCtrl::OnRowClick(UINT /*nFlags*/, int /*x*/, int /*y*/, LVHITTESTINFO* pHit)
{
    if (pHit != NULL && !IsEditingDisabled())
        EditCell(pHit->iItem, pHit->iSubItem);
}

BOOL CTreeListCtrl::CanExpand(CTreeListItem*, int) { return TRUE; }
BOOL CTreeListCtrl::OnExpanded(CTreeListItem*, int) { return TRUE; }
BOOL CTreeListCtrl::CanCollapse(CTreeListItem*) { return TRUE; }
BOOL CTreeListCtrl::OnCollapsed(CTreeListItem*) { return TRUE; }
BOOL CTreeListCtrl::CanDelete(CTreeListItem*, int) { return TRUE; }
BOOL CTreeListCtrl::CanExpandAll(CTreeListItem*, int) { return TRUE; }
BOOL CTreeListCtrl::CanCollapseByKey(CTreeListItem*, int) { return TRUE; }
BOOL CTreeListCtrl::CanExpandByKey(CTreeListItem*, int) { return TRUE; }
BOOL CTreeListCtrl::IsEditingDisabled() { return FALSE; }
BOOL CTreeListCtrl::AcceptHit(LVHITTESTINFO*) { return TRUE; }
BOOL CTreeListCtrl::OnDoubleClickRow(NMITEMACTIVATE*) { return TRUE; }

//////////////////////////////////////////////////////////////////////////////
// Geometry: x positions inside a row whose bounds are rcRow (client coordinates)

int CTreeListCtrl::ColumnLeft(int nColumn, const CRect& rcRow) const
{
    CRect rc;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL || !pHeader->GetItemRect(nColumn, &rc))
        return rcRow.left;
    return rcRow.left + rc.left;
}

int CTreeListCtrl::ColumnRight(int nColumn, const CRect& rcRow) const
{
    CRect rc;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL || !pHeader->GetItemRect(nColumn, &rc))
        return rcRow.right;
    return rcRow.left + rc.right;
}

CRect CTreeListCtrl::ExpandBoxRect(const CTreeListItem* pRow, const CRect& rcRow) const
{
    const int nCentreX = ColumnLeft(0, rcRow) + pRow->m_nLevel * m_nImageWidth - m_nImageWidth / 2;
    const int nCentreY = (rcRow.top + rcRow.bottom) / 2;
    const int nWidth = m_nImageWidth / 2 + 3;
    const int nHeight = m_nImageHeight / 2 + 3;
    const int nLeft = nCentreX - nWidth / 2;
    const int nTop = nCentreY - nHeight / 2;
    return CRect(nLeft, nTop, nLeft + nWidth, nTop + nHeight);
}

CRect CTreeListCtrl::CheckBoxRect(const CTreeListItem* pRow, const CRect& rcRow) const
{
    if (!HasCheckBoxes())
        return CRect(0, 0, 0, 0);
    int cx = 16, cy = 16;
    CImageList* pStates = GetImageList(LVSIL_STATE);
    if (pStates != NULL)
        pStates->GetIconSize(&cx, &cy);
    const int nLeft = ColumnLeft(0, rcRow) + pRow->m_nLevel * m_nImageWidth + m_nImageWidth + 2;
    const int nTop = (rcRow.top + rcRow.bottom - cy) / 2;
    return CRect(nLeft, nTop, nLeft + cx, nTop + cy);
}

int CTreeListCtrl::NameLeft(const CTreeListItem* pRow, const CRect& rcRow) const
{
    int nLeft = ColumnLeft(0, rcRow) + pRow->m_nLevel * m_nImageWidth + m_nImageWidth + 2;
    if (HasCheckBoxes())
        nLeft = CheckBoxRect(pRow, rcRow).right + 2;
    return nLeft;
}

int CTreeListCtrl::ColumnAtOrder(int nOrder) const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL)
        return nOrder;
    const int nColumn = pHeader->OrderToIndex(nOrder);
    return nColumn >= 0 ? nColumn : nOrder;
}

int CTreeListCtrl::OrderOfColumn(int nColumn) const
{
    const int nCount = GetColumnCount();
    for (int nOrder = 0; nOrder < nCount; nOrder++)
        if (ColumnAtOrder(nOrder) == nColumn)
            return nOrder;
    return 0;
}

//////////////////////////////////////////////////////////////////////////////
// Drawing

CString CTreeListCtrl::FitText(CDC* pDC, const CString& strText, int nWidth, int nReserve)
{
    const int nLength = strText.GetLength();
    if (nLength == 0)
        return strText;
    static const char kDots[] = "...";
    const int nDotsWidth = pDC->GetTextExtent(kDots, 3).cx;
    const int nRoom = nWidth - nReserve - nDotsWidth;
    int nFit = 0;
    SIZE size = { 0, 0 };
    // One measurement gives both the whole width and how many characters fit.
    ::GetTextExtentExPointA(pDC->GetSafeHdc(), strText, nLength, nRoom > 0 ? nRoom : 0, &nFit, NULL, &size);
    if (size.cx + nReserve < nWidth)
        return strText;
    if (nRoom <= 0)
        nFit = 0;
    // Never cut between a lead byte and its trail byte.
    const unsigned char* pBytes = (const unsigned char*)(LPCTSTR)strText;
    int nCut = 0;
    while (nCut < nFit)
    {
        const int nStep = (::IsDBCSLeadByte(pBytes[nCut]) && nCut + 1 < nLength) ? 2 : 1;
        if (nCut + nStep > nFit)
            break;
        nCut += nStep;
    }
    return strText.Left(nCut) + kDots;
}

void CTreeListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nIndex = (int)lpDrawItemStruct->itemID;
    CTreeListItem* pRow = GetRow(nIndex);
    if (pRow == NULL)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcRow(lpDrawItemStruct->rcItem);
    const BOOL bSelected = (GetItemState(nIndex, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const int nSaved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    // The indent part of column 0 keeps the window colour.
    const int nColumn0Left = ColumnLeft(0, rcRow);
    const int nColumn0Right = ColumnRight(0, rcRow);
    const int nIndentRight = std::min(nColumn0Right, nColumn0Left + pRow->m_nLevel * m_nImageWidth + m_nImageWidth + 2);
    pDC->FillSolidRect(CRect(nColumn0Left, rcRow.top, nIndentRight, rcRow.bottom), ::GetSysColor(COLOR_WINDOW));

    // Step 2: the image (the list asks for the same one).
    const int nImage = GetRowImage(pRow);
    pDC->IntersectClipRect(nColumn0Left, rcRow.top, nColumn0Right, rcRow.bottom);
    if (m_rowImages.GetSafeHandle() != NULL && nImage >= 0)
    {
        const CPoint ptImage(nColumn0Left + pRow->m_nLevel * m_nImageWidth,
                             (rcRow.top + rcRow.bottom - m_nImageHeight) / 2);
        const BOOL bDropTarget = m_bDragging && nIndex == m_nDropTargetIndex;
        m_rowImages.Draw(pDC, nImage, ptImage, ILD_TRANSPARENT | (bDropTarget ? ILD_SELECTED : 0));
    }
    DrawTreeLines(pDC, pRow, rcRow);
    DrawExpandBox(pDC, pRow, rcRow);
    DrawNameCell(pDC, pRow, rcRow, bSelected);
    pDC->RestoreDC(nSaved);

    const int nSaved2 = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    DrawOtherCells(pDC, pRow, rcRow, bSelected);
    pDC->RestoreDC(nSaved2);
}

void CTreeListCtrl::DrawTreeLines(CDC* pDC, const CTreeListItem* pRow, const CRect& rcRow)
{
    CPen* pOldPen = pDC->SelectObject(&m_treeLinePen);
    const int nLeft = ColumnLeft(0, rcRow);
    const int nCentreY = (rcRow.top + rcRow.bottom) / 2;
    const int nLevel = pRow->m_nLevel;
    const int nOwnX = nLeft + nLevel * m_nImageWidth - m_nImageWidth / 2;

    // The row's own joint: down from its parent (or the previous top row), across to its image.
    const CPtrArray& siblings = pRow->m_pParent != NULL ? pRow->m_pParent->m_children : m_topRows;
    const BOOL bFirstTop = pRow->m_pParent == NULL && siblings.GetSize() > 0 && siblings[0] == pRow;
    const BOOL bHasLater = siblings.GetSize() > 0 && siblings[siblings.GetSize() - 1] != pRow;
    pDC->MoveTo(nOwnX, bFirstTop ? nCentreY : rcRow.top);
    pDC->LineTo(nOwnX, bHasLater ? rcRow.bottom : nCentreY + 1);
    pDC->MoveTo(nOwnX, nCentreY);
    pDC->LineTo(nLeft + nLevel * m_nImageWidth, nCentreY);

    // Ancestors with later children run their lines through this row.
    for (const CTreeListItem* pAncestor = pRow->m_pParent; pAncestor != NULL; pAncestor = pAncestor->m_pParent)
    {
        const CPtrArray& level = pAncestor->m_pParent != NULL ? pAncestor->m_pParent->m_children : m_topRows;
        if (level.GetSize() == 0 || level[level.GetSize() - 1] == pAncestor)
            continue;
        const int nX = nLeft + pAncestor->m_nLevel * m_nImageWidth - m_nImageWidth / 2;
        pDC->MoveTo(nX, rcRow.top);
        pDC->LineTo(nX, rcRow.bottom);
    }
    pDC->SelectObject(pOldPen);
}

void CTreeListCtrl::DrawExpandBox(CDC* pDC, const CTreeListItem* pRow, const CRect& rcRow)
{
    if (!pRow->IsExpandable())
        return;
    const CRect rcBox = ExpandBoxRect(pRow, rcRow);
    CPen* pOldPen = pDC->SelectObject(&m_boxFramePen);
    CBrush* pOldBrush = pDC->SelectObject(&m_boxBrush);
    pDC->Rectangle(&rcBox);
    const CPoint ptCentre = rcBox.CenterPoint();
    pDC->SelectObject(&m_signPen);
    pDC->MoveTo(ptCentre.x - kSignLength / 2, ptCentre.y);
    pDC->LineTo(ptCentre.x + kSignLength / 2 + 1, ptCentre.y);
    if (pRow->m_bCollapsed)
    {
        pDC->MoveTo(ptCentre.x, ptCentre.y - kSignLength / 2);
        pDC->LineTo(ptCentre.x, ptCentre.y + kSignLength / 2 + 1);
    }
    else if (pRow->HasChildren())
    {
        // The open row's line down to its first child.
        pDC->SelectObject(&m_treeLinePen);
        const int nX = ColumnLeft(0, rcRow) + (pRow->m_nLevel + 1) * m_nImageWidth - m_nImageWidth / 2;
        const int nImageBottom = (rcRow.top + rcRow.bottom + m_nImageHeight) / 2;
        pDC->MoveTo(nX, nImageBottom);
        pDC->LineTo(nX, rcRow.bottom);
    }
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

void CTreeListCtrl::DrawNameCell(CDC* pDC, CTreeListItem* pRow, const CRect& rcRow, BOOL bSelected)
{
    CTreeListItemInfo* pInfo = pRow->m_pInfo;
    const int nRight = ColumnRight(0, rcRow);
    CRect rcCell(ColumnLeft(0, rcRow) + pRow->m_nLevel * m_nImageWidth + m_nImageWidth + 2, rcRow.top, nRight,
                 rcRow.bottom);
    if (rcCell.left > nRight)
        rcCell.left = nRight;
    pDC->FillSolidRect(&rcCell, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (pInfo->GetBackground() != (COLORREF)-1)
        pDC->FillSolidRect(&rcCell, pInfo->GetBackground());
    const BOOL bFocusCell = bSelected && ColumnAtOrder(m_nFocusColumn) == 0 && !m_bDragging;
    if (bFocusCell)
    {
        pDC->FillSolidRect(&rcCell, GetFocusCellColour());
        pDC->DrawFocusRect(&rcCell);
    }

    if (HasCheckBoxes())
    {
        const CRect rcCheck = CheckBoxRect(pRow, rcRow);
        CImageList* pStates = GetImageList(LVSIL_STATE);
        if (pStates != NULL && rcCheck.right <= nRight)
            pStates->Draw(pDC, pInfo->GetCheck() ? 1 : 0, rcCheck.TopLeft(), ILD_TRANSPARENT);
    }

    CRect rcText(NameLeft(pRow, rcRow) + NAME_MARGIN, rcRow.top, nRight - NAME_MARGIN, rcRow.bottom);
    if (rcText.right <= rcText.left)
        return;
    pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const CString strName = FitText(pDC, pInfo->GetName(), rcText.Width(), NAME_RESERVE);
    pDC->DrawText(strName, &rcText, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CTreeListCtrl::DrawOtherCells(CDC* pDC, CTreeListItem* pRow, const CRect& rcRow, BOOL bSelected)
{
    CTreeListItemInfo* pInfo = pRow->m_pInfo;
    CRect rcPaint;
    pDC->GetClipBox(&rcPaint);
    const int nColumns = GetColumnCount();
    const int nFocusColumn = ColumnAtOrder(m_nFocusColumn);
    for (int nColumn = 1; nColumn < nColumns; nColumn++)
    {
        CRect rcCell(ColumnLeft(nColumn, rcRow), rcRow.top, ColumnRight(nColumn, rcRow), rcRow.bottom);
        if (rcCell.right <= rcPaint.left || rcCell.left >= rcPaint.right || rcCell.IsRectEmpty())
            continue;
        pDC->FillSolidRect(&rcCell, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (pInfo->GetColumnBackground(nColumn) != (COLORREF)-1)
            pDC->FillSolidRect(&rcCell, pInfo->GetColumnBackground(nColumn));
        if (bSelected && !m_bDragging && nColumn == nFocusColumn)
        {
            pDC->FillSolidRect(&rcCell, GetFocusCellColour());
            pDC->DrawFocusRect(&rcCell);
        }

        LVCOLUMN column;
        memset(&column, 0, sizeof(column));
        column.mask = LVCF_FMT;
        GetColumn(nColumn, &column);
        UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        switch (column.fmt & LVCFMT_JUSTIFYMASK)
        {
        case LVCFMT_RIGHT:
            nFormat |= DT_RIGHT;
            break;
        case LVCFMT_CENTER:
            nFormat |= DT_CENTER;
            break;
        default:
            nFormat |= DT_LEFT;
            break;
        }
        CRect rcText(rcCell);
        rcText.DeflateRect(CELL_MARGIN, 0);
        if (bSelected && pInfo->GetColumnKind(nColumn) == CTreeListItemInfo::COLUMN_KIND_DROPDOWN)
        {
            CRect rcArrow(rcCell);
            rcArrow.left = rcArrow.right - ::GetSystemMetrics(SM_CXVSCROLL);
            pDC->DrawFrameControl(&rcArrow, DFC_SCROLL, DFCS_SCROLLDOWN);
            rcText.right = std::min((int)rcText.right, (int)rcArrow.left);
        }
        if (rcText.right <= rcText.left)
            continue;
        pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const CString strText = FitText(pDC, pInfo->GetText(nColumn), rcText.Width(), CELL_RESERVE);
        pDC->DrawText(strText, &rcText, nFormat);
    }
}

//////////////////////////////////////////////////////////////////////////////
// Mouse

void CTreeListCtrl::ToggleCheck(CTreeListItem* pRow)
{
    SetRowCheck(pRow, !pRow->m_pInfo->GetCheck());
    OnCheckChanged(pRow);
}

void CTreeListCtrl::ToggleExpansion(CTreeListItem* pRow)
{
    if (pRow->m_bCollapsed)
    {
        if (CanExpand(pRow, pRow->m_nIndex))
        {
            Expand(pRow, pRow->m_nIndex);
            OnExpanded(pRow, pRow->m_nIndex);
        }
    }
    else if (CanCollapse(pRow))
    {
        Collapse(pRow);
        OnCollapsed(pRow);
    }
}

void CTreeListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    LVHITTESTINFO hit;
    memset(&hit, 0, sizeof(hit));
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!AcceptHit(&hit) || hit.iItem < 0)
        return;
    CTreeListItem* pRow = GetRow(hit.iItem);
    if (pRow == NULL)
        return;
    CRect rcRow;
    GetItemRect(hit.iItem, &rcRow, LVIR_BOUNDS);
    if (pRow->IsExpandable() && ExpandBoxRect(pRow, rcRow).PtInRect(point))
    {
        ToggleExpansion(pRow);
        return;
    }
    const BOOL bOnCheckBox = HasCheckBoxes() && CheckBoxRect(pRow, rcRow).PtInRect(point);
    if (bOnCheckBox)
        ToggleCheck(pRow);

    m_nFocusColumn = OrderOfColumn(hit.iSubItem);
    ScrollColumnIntoView(hit.iSubItem);
    if (bOnCheckBox || (hit.flags & LVHT_ONITEMSTATEICON) != 0)
        SelectRow(hit.iItem);  // the list's own idea of the check box would toggle it again
    else
        CListCtrl::OnLButtonDown(nFlags, point);
    // The list may have run a drag of its own meanwhile; the row is found again.
    if (pRow->m_nIndex >= 0 && !m_bDragging)
    {
        hit.iItem = pRow->m_nIndex;
        OnRowClick(nFlags, point.x, point.y, &hit);
        RedrawRow(pRow);
    }
}

void CTreeListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    SetFocus();
    LVHITTESTINFO hit;
    memset(&hit, 0, sizeof(hit));
    hit.pt = point;
    SubItemHitTest(&hit);
    NMITEMACTIVATE notify;
    memset(&notify, 0, sizeof(notify));
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    notify.hdr.code = NM_DBLCLK;
    notify.iItem = hit.iItem;
    notify.iSubItem = hit.iSubItem;
    notify.ptAction = point;
    notify.uKeyFlags = nFlags;
    if (!OnDoubleClickRow(&notify) || !AcceptHit(&hit) || hit.iItem < 0)
        return;
    CTreeListItem* pRow = GetSelectedRow();
    if (pRow == NULL || !pRow->IsExpandable())
        return;
    SetRedraw(FALSE);
    ToggleExpansion(pRow);
    SetRedraw(TRUE);
    Invalidate();
    if (pRow->m_nIndex >= 0)
        EnsureVisible(pRow->m_nIndex, FALSE);
}

void CTreeListCtrl::ScrollColumnIntoView(int nColumn)
{
    if (GetRowCount() == 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcRow;
    GetItemRect(0, &rcRow, LVIR_BOUNDS);
    const int nLeft = ColumnLeft(nColumn, rcRow);
    const int nRight = ColumnRight(nColumn, rcRow);
    if (nLeft < rcClient.left)
        Scroll(CSize(nLeft - rcClient.left, 0));
    else if (nRight > rcClient.right && nLeft > rcClient.left)
        Scroll(CSize(std::min(nRight - rcClient.right, nLeft - rcClient.left), 0));
}

void CTreeListCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    SetFocus();
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CTreeListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    SetFocus();
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

//////////////////////////////////////////////////////////////////////////////
// Keys

BOOL CTreeListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        switch (pMsg->wParam)
        {
        case VK_LEFT:
            MoveFocusColumn(-1);
            return TRUE;
        case VK_RIGHT:
            MoveFocusColumn(1);
            return TRUE;
        case VK_RETURN:
            if (!IsEditingDisabled() && GetSelectedIndex() >= 0)
            {
                EditCell(GetSelectedIndex(), ColumnAtOrder(m_nFocusColumn));
                return TRUE;
            }
            break;
        default:
            break;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

void CTreeListCtrl::SetFocusColumn(int nColumn)
{
    const int nCount = GetColumnCount();
    if (nColumn >= nCount)
        nColumn = nCount - 1;
    m_nFocusColumn = nColumn < 0 ? 0 : nColumn;
}

void CTreeListCtrl::MoveFocusColumn(int nStep)
{
    SetFocusColumn(m_nFocusColumn + nStep);
    ScrollColumnIntoView(ColumnAtOrder(m_nFocusColumn));
    RedrawRow(GetSelectedRow());
}

void CTreeListCtrl::RunKeyAction(UINT nChar, CTreeListItem* pRow, int nIndex)
{
    CWaitCursor wait;
    switch (nChar)
    {
    case VK_MULTIPLY:
        if (CanExpandAll(pRow, nIndex))
            ExpandAll(pRow);
        break;
    case VK_ADD:
        if (CanExpandByKey(pRow, nIndex))
            Expand(pRow, nIndex);
        break;
    case VK_SUBTRACT:
        if (CanCollapseByKey(pRow, nIndex))
            Collapse(pRow);
        break;
    default:
        break;
    }
    RedrawRow(pRow);
}

void CTreeListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bDragging)
    {
        EndDrag();
        return;
    }
    const int nIndex = GetSelectedIndex();
    CTreeListItem* pRow = GetRow(nIndex);
    switch (nChar)
    {
    case VK_SPACE:
        if (HasCheckBoxes())
        {
            if (pRow != NULL)
                ToggleCheck(pRow);
            return;
        }
        break;
    case VK_DELETE:
        if (pRow != NULL && CanDelete(pRow, nIndex))
            DeleteRow(pRow, nIndex);
        return;
    case VK_MULTIPLY:
    case VK_ADD:
    case VK_SUBTRACT:
        if (pRow != NULL)
            RunKeyAction(nChar, pRow, nIndex);
        return;
    default:
        break;
    }
    CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

//////////////////////////////////////////////////////////////////////////////
// Editing in place

CWnd* CTreeListCtrl::EditCell(int nIndex, int nColumn)
{
    CTreeListItem* pRow = GetRow(nIndex);
    if (pRow == NULL || nColumn < 0 || nColumn >= GetColumnCount())
        return NULL;
    EnsureVisible(nIndex, FALSE);
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcRow;
    GetItemRect(nIndex, &rcRow, LVIR_BOUNDS);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    CRect rcEdit;
    UINT nID;
    if (nColumn == 0)
    {
        rcEdit.SetRect(NameLeft(pRow, rcRow), rcRow.top, ColumnRight(0, rcRow), rcRow.bottom);
        nID = CInPlaceLabelEdit::ID_NAME_EDIT;
    }
    else
    {
        // The cell starts inside the client area.
        const int nLeft = ColumnLeft(nColumn, rcRow);
        if (nLeft < rcClient.left || nLeft >= rcClient.right)
        {
            Scroll(CSize(nLeft - rcClient.left, 0));
            GetItemRect(nIndex, &rcRow, LVIR_BOUNDS);
        }
        rcEdit.SetRect(ColumnLeft(nColumn, rcRow), rcRow.top, ColumnRight(nColumn, rcRow), rcRow.bottom);
        LVCOLUMN column;
        memset(&column, 0, sizeof(column));
        column.mask = LVCF_FMT;
        GetColumn(nColumn, &column);
        if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT)
            dwStyle |= ES_RIGHT;
        else if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER)
            dwStyle |= ES_CENTER;
        nID = CInPlaceLabelEdit::ID_CELL_EDIT;
    }
    if (rcEdit.right > rcClient.right)
        rcEdit.right = rcClient.right;
    CInPlaceLabelEdit* pEdit = new CInPlaceLabelEdit(nIndex, nColumn, pRow->m_pInfo->GetText(nColumn));
    if (!pEdit->Create(dwStyle, rcEdit, this, nID))
    {
        delete pEdit;
        return NULL;
    }
    return pEdit;
}

void CTreeListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVDISPINFO* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    *pResult = 0;
    CTreeListItem* pRow = GetRow(pInfo->item.iItem);
    if (pInfo->item.pszText != NULL && pRow != NULL)
    {
        SetCellText(pRow, &pInfo->item);
        RedrawRow(pRow);
    }
}

//////////////////////////////////////////////////////////////////////////////
// Drag and drop

CImageList* CTreeListCtrl::CreateDragImage(int nIndex)
{
    CTreeListItem* pRow = GetRow(nIndex);
    if (pRow == NULL)
        return NULL;
    CClientDC dcList(this);
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(&dcList))
        return NULL;
    CFont* pOldFont = dcMemory.SelectObject(GetFont());
    const CString& strName = pRow->m_pInfo->GetName();
    const CSize sizeText = dcMemory.GetTextExtent(strName);
    const int nWidth = m_nImageWidth + 2 + sizeText.cx;
    const int nHeight = std::max(m_nImageHeight, (int)sizeText.cy);
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&dcList, nWidth, nHeight))
    {
        dcMemory.SelectObject(pOldFont);
        return NULL;
    }
    // Drawn on the mask colour, which the image list leaves transparent.
    const COLORREF crMask = RGB(255, 0, 255);
    CBitmap* pOldBitmap = dcMemory.SelectObject(&bitmap);
    dcMemory.FillSolidRect(0, 0, nWidth, nHeight, crMask);
    if (m_rowImages.GetSafeHandle() != NULL)
        m_rowImages.Draw(&dcMemory, GetRowImage(pRow), CPoint(0, (nHeight - m_nImageHeight) / 2), ILD_TRANSPARENT);
    dcMemory.SetBkMode(TRANSPARENT);
    dcMemory.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dcMemory.TextOut(m_nImageWidth + 2, (nHeight - sizeText.cy) / 2, strName);
    dcMemory.SelectObject(pOldBitmap);
    dcMemory.SelectObject(pOldFont);

    CImageList* pImage = new CImageList;
    if (!pImage->Create(nWidth, nHeight, ILC_COLOR24 | ILC_MASK, 1, 1) || pImage->Add(&bitmap, crMask) < 0)
    {
        delete pImage;
        return NULL;
    }
    return pImage;
}

void CTreeListCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMLISTVIEW* pView = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    CTreeListItem* pRow = GetRow(pView->iItem);
    if (pRow == NULL || m_bDragging)
        return;
    // Only a list that copies its rows' content can move them.
    CTreeListItemInfo* pProbe = CloneInfo(pRow->m_pInfo);
    if (pProbe == NULL)
        return;
    delete pProbe;

    delete m_pDragImage;
    m_pDragImage = CreateDragImage(pView->iItem);
    m_pDraggedRow = pRow;
    m_nDropTargetIndex = -1;
    m_ptDrag = pView->ptAction;
    if (m_pDragImage != NULL)
    {
        m_pDragImage->BeginDrag(0, CPoint(0, 0));
        CPoint ptScreen = pView->ptAction;
        ClientToScreen(&ptScreen);
        CImageList::DragEnter(NULL, ptScreen);
    }
    m_bDragging = TRUE;
    SetCapture();
}

BOOL CTreeListCtrl::IsNearTopEdge(CPoint point) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader != NULL && pHeader->IsWindowVisible())
    {
        CRect rcHeader;
        pHeader->GetWindowRect(&rcHeader);
        rcClient.top += rcHeader.Height();
    }
    return point.y < rcClient.top + m_nImageHeight;
}

BOOL CTreeListCtrl::IsNearBottomEdge(CPoint point) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    return point.y > rcClient.bottom - m_nImageHeight;
}

CTreeListItem* CTreeListCtrl::CollapsedParentAt(CPoint point) const
{
    CTreeListItem* pRow = GetRow(HitTest(point));
    return pRow != NULL && pRow->m_bCollapsed && pRow->HasChildren() ? pRow : NULL;
}

void CTreeListCtrl::SetDropTarget(int nIndex)
{
    if (nIndex == m_nDropTargetIndex)
        return;
    CImageList::DragShowNolock(FALSE);
    const int nPrevious = m_nDropTargetIndex;
    m_nDropTargetIndex = nIndex;
    if (nPrevious >= 0 && nPrevious < GetRowCount())
        RedrawItems(nPrevious, nPrevious);
    if (nIndex >= 0)
        RedrawItems(nIndex, nIndex);
    UpdateWindow();
    CImageList::DragShowNolock(TRUE);
}

void CTreeListCtrl::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    KillTimer(TIMER_DRAG_SCROLL);
    if (m_pDragImage != NULL)
    {
        CImageList::DragLeave(NULL);
        CImageList::EndDrag();
        delete m_pDragImage;
        m_pDragImage = NULL;
    }
    if (GetCapture() == this)
        ReleaseCapture();
    SetDropTarget(-1);
    Invalidate();
}

void CTreeListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    KillTimer(TIMER_DRAG_SCROLL);
    if (GetCapture() != this || (nFlags & (MK_RBUTTON | MK_MBUTTON)) != 0 || ::GetKeyState(VK_ESCAPE) < 0)
    {
        EndDrag();
        return;
    }
    m_ptDrag = point;
    if (m_pDragImage != NULL)
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CImageList::DragMove(ptScreen);
    }
    SetDropTarget(HitTest(point));
    if (IsNearTopEdge(point) || IsNearBottomEdge(point) || CollapsedParentAt(point) != NULL)
        SetTimer(TIMER_DRAG_SCROLL, DRAG_SCROLL_INTERVAL, NULL);
}

void CTreeListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_DRAG_SCROLL)
    {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    if (!m_bDragging || GetCapture() != this)
    {
        EndDrag();
        return;
    }
    SetTimer(TIMER_DRAG_SCROLL, DRAG_SCROLL_INTERVAL, NULL);
    BOOL bMoved = FALSE;
    const int nTop = GetTopIndex();
    if (IsNearTopEdge(m_ptDrag) || IsNearBottomEdge(m_ptDrag))
    {
        CImageList::DragShowNolock(FALSE);
        SendMessage(WM_VSCROLL, IsNearTopEdge(m_ptDrag) ? SB_LINEUP : SB_LINEDOWN, 0);
        UpdateWindow();
        CImageList::DragShowNolock(TRUE);
        bMoved = GetTopIndex() != nTop;
    }
    if (CTreeListItem* pParent = CollapsedParentAt(m_ptDrag))
    {
        if (CanExpand(pParent, pParent->m_nIndex))
        {
            CImageList::DragShowNolock(FALSE);
            Expand(pParent, pParent->m_nIndex);
            OnExpanded(pParent, pParent->m_nIndex);
            UpdateWindow();
            CImageList::DragShowNolock(TRUE);
            bMoved = TRUE;
        }
    }
    if (!bMoved)
        KillTimer(TIMER_DRAG_SCROLL);
}

void CTreeListCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bDragging && pWnd != this)
        EndDrag();
    CListCtrl::OnCaptureChanged(pWnd);
}

void CTreeListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging)
    {
        CListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    CTreeListItem* pTarget = GetRow(m_nDropTargetIndex);
    EndDrag();
    Drop(pTarget);
}

void CTreeListCtrl::Drop(CTreeListItem* pTarget)
{
    CTreeListItem* pDragged = m_pDraggedRow;
    m_pDraggedRow = NULL;
    // A top row stays; a row never moves into itself, its own subtree or where it is.
    if (pTarget == NULL || pDragged == NULL || pTarget == pDragged || pDragged->m_pParent == NULL
        || pDragged->m_pParent == pTarget || pTarget->IsDescendantOf(pDragged))
        return;
    CWaitCursor wait;
    SetRedraw(FALSE);
    CopyRow(pDragged, pTarget);
    DeleteRow(pDragged, pDragged->m_nIndex);
    SetRedraw(TRUE);
    if (pTarget->m_nIndex >= 0)
        SelectRow(pTarget->m_nIndex);
    Invalidate();
}
