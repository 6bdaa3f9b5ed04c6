// The window list: filling, the buttons' rules and actions, and the owner-drawn rows.
#include "CWindowListDlg.h"

#include "resource.h"

IMPLEMENT_DYNAMIC(CWindowListDlg, CDialog)

BEGIN_MESSAGE_MAP(CWindowListDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_WINDOW_LIST, CWindowListDlg::OnSelChange)
    ON_LBN_DBLCLK(IDC_WINDOW_LIST, CWindowListDlg::OnActivate)
    ON_BN_CLICKED(IDC_WINDOW_LIST_ACTIVATE, CWindowListDlg::OnActivate)
    ON_BN_CLICKED(IDC_WINDOW_LIST_SAVE, CWindowListDlg::OnSave)
    ON_BN_CLICKED(IDC_WINDOW_LIST_CLOSE, CWindowListDlg::OnCloseWindows)
    ON_BN_CLICKED(IDC_WINDOW_LIST_MINIMIZE, CWindowListDlg::OnMinimize)
    ON_BN_CLICKED(IDC_WINDOW_LIST_CASCADE, CWindowListDlg::OnCascade)
    ON_BN_CLICKED(IDC_WINDOW_LIST_TILE_HORZ, CWindowListDlg::OnTileHorizontally)
    ON_BN_CLICKED(IDC_WINDOW_LIST_TILE_VERT, CWindowListDlg::OnTileVertically)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace
{
const int kItemHeight = 18;
const int kIconLeft = 2;
const int kTextGap = 4;

HICON WindowIcon(HWND hWnd)
{
    HICON hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICON));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == NULL)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWnd, GCLP_HICONSM));
    return hIcon;
}
} // namespace

CWindowListDlg::CWindowListDlg(CMDIFrameWnd* pMainFrame, CWnd* pParent)
    : CDialog(IDD_WINDOW_LIST, pParent), m_pMainFrame(pMainFrame)
{
}

CListBox* CWindowListDlg::GetList()
{
    return static_cast<CListBox*>(GetDlgItem(IDC_WINDOW_LIST));
}

HWND CWindowListDlg::GetClient() const
{
    return m_pMainFrame != NULL ? m_pMainFrame->m_hWndMDIClient : NULL;
}

BOOL CWindowListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetList()->SendMessage(LB_SETITEMHEIGHT, 0, kItemHeight);
    FillList(NULL);
    return TRUE;
}

void CWindowListDlg::FillList(const CArray<HWND, HWND>* pSelect)
{
    CListBox* pList = GetList();
    HWND hWndClient = GetClient();
    pList->ResetContent();
    if (hWndClient == NULL)
    {
        UpdateButtons();
        return;
    }
    HWND hWndActive = reinterpret_cast<HWND>(::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, 0));
    for (HWND hWnd = ::GetWindow(hWndClient, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        // The titles of minimized children are owned windows, not children to list.
        if (::GetWindow(hWnd, GW_OWNER) != NULL)
            continue;
        char szTitle[261] = "";
        ::GetWindowTextA(hWnd, szTitle, 260);
        const int nIndex = pList->AddString(szTitle);
        pList->SetItemDataPtr(nIndex, hWnd);
        BOOL bSelect = hWnd == hWndActive;
        if (pSelect != NULL)
        {
            bSelect = FALSE;
            for (INT_PTR i = 0; i < pSelect->GetSize(); i++)
                bSelect = bSelect || pSelect->GetAt(i) == hWnd;
        }
        if (bSelect)
            pList->SetSel(nIndex, TRUE);
    }
    UpdateButtons();
}

void CWindowListDlg::GetSelectedWindows(CArray<HWND, HWND>& windows)
{
    windows.RemoveAll();
    CListBox* pList = GetList();
    const int nCount = pList->GetCount();
    for (int i = 0; i < nCount; i++)
    {
        if (pList->GetSel(i) > 0)
            windows.Add(static_cast<HWND>(pList->GetItemDataPtr(i)));
    }
}

void CWindowListDlg::RefillKeepingSelection()
{
    CArray<HWND, HWND> selected;
    GetSelectedWindows(selected);
    FillList(&selected);
}

void CWindowListDlg::EnableButton(int nID, BOOL bEnable)
{
    if (CWnd* pButton = GetDlgItem(nID))
        pButton->EnableWindow(bEnable);
}

void CWindowListDlg::UpdateButtons()
{
    const int nSelected = GetList()->GetSelCount();
    EnableButton(IDC_WINDOW_LIST_CLOSE, nSelected > 0);
    EnableButton(IDC_WINDOW_LIST_SAVE, nSelected > 0);
    EnableButton(IDC_WINDOW_LIST_MINIMIZE, nSelected > 0);
    EnableButton(IDC_WINDOW_LIST_CASCADE, nSelected > 1);
    EnableButton(IDC_WINDOW_LIST_TILE_HORZ, nSelected > 1);
    EnableButton(IDC_WINDOW_LIST_TILE_VERT, nSelected > 1);
    EnableButton(IDC_WINDOW_LIST_ACTIVATE, nSelected == 1);
}

void CWindowListDlg::OnSelChange()
{
    UpdateButtons();
}

//////////////////////////////////////////////////////////////////////////////
// Buttons

void CWindowListDlg::OnActivate()
{
    CArray<HWND, HWND> selected;
    GetSelectedWindows(selected);
    if (selected.GetSize() != 1)
        return;
    HWND hWnd = selected[0];
    if (::IsIconic(hWnd))
        ::SendMessage(GetClient(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(hWnd), 0);
    ::SendMessage(GetClient(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    EndDialog(IDOK);
}

void CWindowListDlg::OnSave()
{
    CArray<HWND, HWND> selected;
    GetSelectedWindows(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); i++)
    {
        CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(selected[i]));
        CDocument* pDoc = pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
        if (pDoc != NULL)
            pDoc->SaveModified();
    }
    RefillKeepingSelection();
}

void CWindowListDlg::OnCloseWindows()
{
    CListBox* pList = GetList();
    HWND hWndClient = GetClient();
    for (int i = pList->GetCount() - 1; i >= 0; i--)
    {
        if (pList->GetSel(i) <= 0)
            continue;
        HWND hWnd = static_cast<HWND>(pList->GetItemDataPtr(i));
        ::SendMessage(hWnd, WM_CLOSE, 0, 0);
        // A window still there kept its document: the user cancelled, so stop.
        if (::IsWindow(hWnd) && ::GetParent(hWnd) == hWndClient)
            break;
    }
    RefillKeepingSelection();
}

void CWindowListDlg::OnMinimize()
{
    CArray<HWND, HWND> selected;
    GetSelectedWindows(selected);
    for (INT_PTR i = 0; i < selected.GetSize(); i++)
        ::ShowWindow(selected[i], SW_MINIMIZE);
    RefillKeepingSelection();
}

void CWindowListDlg::ArrangeSelected(UINT nMessage, WPARAM wParam)
{
    CListBox* pList = GetList();
    HWND hWndClient = GetClient();
    ::LockWindowUpdate(hWndClient);
    for (int i = pList->GetCount() - 1; i >= 0; i--)
    {
        HWND hWnd = static_cast<HWND>(pList->GetItemDataPtr(i));
        ::ShowWindow(hWnd, pList->GetSel(i) > 0 ? SW_RESTORE : SW_MINIMIZE);
    }
    ::SendMessage(hWndClient, nMessage, wParam, 0);
    // Drawing comes back once the windows stand where they belong.
    ::LockWindowUpdate(NULL);
    ::RedrawWindow(hWndClient, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CWindowListDlg::OnCascade()
{
    ArrangeSelected(WM_MDICASCADE, 0);
}

void CWindowListDlg::OnTileHorizontally()
{
    ArrangeSelected(WM_MDITILE, MDITILE_HORIZONTAL);
}

void CWindowListDlg::OnTileVertically()
{
    ArrangeSelected(WM_MDITILE, MDITILE_VERTICAL);
}

//////////////////////////////////////////////////////////////////////////////
// Rows

void CWindowListDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == IDC_WINDOW_LIST)
        lpMeasureItemStruct->itemHeight = kItemHeight;
    else
        CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CWindowListDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != IDC_WINDOW_LIST || lpDrawItemStruct->itemID == (UINT)-1)
    {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&rc, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    HWND hWnd = reinterpret_cast<HWND>(lpDrawItemStruct->itemData);
    const int nIconSize = rc.Height();
    if (HICON hIcon = WindowIcon(hWnd))
        ::DrawIconEx(pDC->GetSafeHdc(), rc.left + kIconLeft, rc.top, hIcon, nIconSize, nIconSize, 0, NULL, DI_NORMAL);

    char szTitle[261] = "";
    GetList()->SendMessage(LB_GETTEXT, lpDrawItemStruct->itemID, reinterpret_cast<LPARAM>(szTitle));
    CRect rcText(rc);
    rcText.left += kIconLeft + nIconSize + kTextGap;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crOld = pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    pDC->DrawText(szTitle, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rc);
}
