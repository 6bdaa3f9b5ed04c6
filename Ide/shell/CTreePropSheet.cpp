#include "CTreePropSheet.h"

#include "CPageFrameWnd.h"

IMPLEMENT_DYNAMIC(CTreePropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CTreePropSheet, CPropertySheet)
    ON_MESSAGE(PSM_SETCURSEL, CTreePropSheet::OnSetCurSel)
    ON_MESSAGE(PSM_SETCURSELID, CTreePropSheet::OnSetCurSelId)
    ON_MESSAGE(PSM_ADDPAGE, CTreePropSheet::OnAddOrRemovePage)
    ON_MESSAGE(PSM_REMOVEPAGE, CTreePropSheet::OnAddOrRemovePage)
    ON_MESSAGE(PSM_ISDIALOGMESSAGE, CTreePropSheet::OnIsDialogMessage)
    ON_NOTIFY(TVN_SELCHANGINGA, CTreePropSheet::IDC_PAGE_TREE, CTreePropSheet::OnSelChangingA)
    ON_NOTIFY(TVN_SELCHANGINGW, CTreePropSheet::IDC_PAGE_TREE, CTreePropSheet::OnSelChangingW)
    ON_NOTIFY(TVN_SELCHANGEDA, CTreePropSheet::IDC_PAGE_TREE, CTreePropSheet::OnSelChanged)
    ON_NOTIFY(TVN_SELCHANGEDW, CTreePropSheet::IDC_PAGE_TREE, CTreePropSheet::OnSelChanged)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
const char kSetUpFailed[] = "Cannot show the property sheet.";
const int kTreeGap = 5;           // between the tree and the page area
const int kMaxTabText = 260;

// Moves every child window of hWndParent by the offset.
void OffsetChildren(HWND hWndParent, int dx, int dy)
{
    for (HWND hChild = ::GetWindow(hWndParent, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rect, 2);
        ::SetWindowPos(hChild, NULL, rect.left + dx, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
// Adds every image of pSource (which may be null or empty) to the end of images.
void AppendImages(CImageList& images, CImageList* pSource)
{
    for (int i = 0; pSource != NULL && pSource->GetSafeHandle() != NULL && i < pSource->GetImageCount(); i++)
    {
        HICON hIcon = pSource->ExtractIcon(i);
        images.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
}
} // namespace

CTreePropSheet::CTreePropSheet()
{
    CommonTreeConstruct();
}

CTreePropSheet::CTreePropSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    CommonTreeConstruct();
}

CTreePropSheet::CTreePropSheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    CommonTreeConstruct();
}

void CTreePropSheet::CommonTreeConstruct()
{
    m_bTreeViewMode = TRUE;
    m_pTree = NULL;
    m_pFrame = NULL;
    m_bInSelChange = FALSE;
    m_bPageCaption = FALSE;
    m_bTreeImages = FALSE;
    m_nTreeWidth = DEFAULT_TREE_WIDTH;
    m_hCaptionIcon = NULL;
    // The pages' values are taken only after OK: an Apply button would promise more.
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}

CTreePropSheet::~CTreePropSheet()
{
    // Normally gone with the window already.
    delete m_pTree;
    delete m_pFrame;
    DestroyCaptionIcon();
}

BOOL CTreePropSheet::SetTreeViewMode(BOOL bTreeViewMode, BOOL bPageCaption, BOOL bTreeImages)
{
    if (m_hWnd != NULL)
        return FALSE;
    m_bTreeViewMode = bTreeViewMode;
    if (bTreeViewMode)
    {
        m_bPageCaption = bPageCaption;
        m_bTreeImages = bTreeImages;
    }
    return TRUE;
}

BOOL CTreePropSheet::SetTreeDefaultImages(CImageList* pImages)
{
    if (m_hWnd != NULL || pImages == NULL || pImages->GetSafeHandle() == NULL || pImages->GetImageCount() != 2)
        return FALSE;
    m_imagesDefault.DeleteImageList();
    return m_imagesDefault.Attach(ImageList_Duplicate(pImages->GetSafeHandle()));
}

CString CTreePropSheet::FormatEmptyPageText(const CString& strTemplate, const CString& strCaption)
{
    CString strText;
    strText.Format(strTemplate, (LPCTSTR)strCaption);
    return strText;
}

CTreeCtrl* CTreePropSheet::CreateTreeControl()
{
    return new CTreeCtrl;
}

CPageFrameBase* CTreePropSheet::NewPageFrame()
{
    return new CPageFrameWnd;
}

//////////////////////////////////////////////////////////////////////////////
// Caption paths

void CTreePropSheet::SplitCaptionPath(const CString& strPath, CString& strFirst, CString& strRest)
{
    const int nLength = strPath.GetLength();
    int nSeparator = -1;
    for (int nFrom = 0; nFrom < nLength;)
    {
        const int nFound = strPath.Find("::", nFrom);
        if (nFound < 0)
            break;
        int nBackslashes = 0;
        while (nFound - nBackslashes - 1 >= 0 && strPath[nFound - nBackslashes - 1] == '\\')
            nBackslashes++;
        if (nBackslashes % 2 == 0)
        {
            nSeparator = nFound;
            break;
        }
        nFrom = nFound + 2;
    }
    const CString strRaw = nSeparator < 0 ? strPath : strPath.Left(nSeparator);
    strRest = nSeparator < 0 ? CString() : strPath.Mid(nSeparator + 2);
    strFirst.Empty();
    for (int i = 0; i < strRaw.GetLength(); i++)
    {
        if (strRaw[i] == '\\' && i + 1 < strRaw.GetLength() && strRaw[i + 1] == '\\')
        {
            strFirst += '\\';
            i++;
        }
        else if (strRaw[i] == '\\' && strRaw.Mid(i + 1, 2) == "::")
        {
            strFirst += "::";
            i += 2;
        }
        else
            strFirst += strRaw[i];
    }
}

//////////////////////////////////////////////////////////////////////////////
// Set-up

BOOL CTreePropSheet::OnInitDialog()
{
    if (m_bTreeViewMode)
    {
        EnableStackedTabs(FALSE);
        int cx = 16, cy = 16;
        if (m_imagesDefault.GetSafeHandle() != NULL)
            m_imagesDefault.GetIconSize(&cx, &cy);
        m_images.DeleteImageList();
        m_images.Create(cx, cy, ILC_COLOR32 | ILC_MASK, 0, 1);
    }
    const BOOL bResult = CPropertySheet::OnInitDialog();
    if (!m_bTreeViewMode)
        return bResult;

    BOOL bSetUp = FALSE;
    try
    {
        bSetUp = SetUpTreeMode();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    if (!bSetUp)
    {
        EndAsCancelled();
        return FALSE;
    }
    return bResult;
}

BOOL CTreePropSheet::SetUpTreeMode()
{
    CTabCtrl* pTab = GetTabControl();
    if (pTab == NULL)
        return FALSE;
    pTab->ShowWindow(SW_HIDE);
    pTab->EnableWindow(FALSE);
    CRect rectTab;
    pTab->GetWindowRect(&rectTab);
    ScreenToClient(&rectTab);

    if (!CreatePageFrame(rectTab))
        return FALSE;
    WidenForTree();

    CRect rectTree = rectTab;
    rectTree.right = rectTree.left + m_nTreeWidth - kTreeGap;

    const int nCaptionHeight = MeasureCaptionHeight();
    m_pFrame->SetCaptionHeight(nCaptionHeight);
    if (!m_bPageCaption)
        HidePageCaption(nCaptionHeight, rectTree);

    if (!CreatePageTree(rectTree))
        return FALSE;
    if (m_bTreeImages)
    {
        m_pTree->SetImageList(&m_images, TVSIL_NORMAL);
        m_pTree->SetImageList(&m_images, TVSIL_STATE);
    }
    RefillPageTree();
    SelectCurrentPageItem();
    RefreshPageCaption();
    return TRUE;
}

BOOL CTreePropSheet::CreatePageFrame(const CRect& rectTab)
{
    m_pFrame = NewPageFrame();
    if (m_pFrame == NULL || !m_pFrame->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rectTab, this, IDC_PAGE_FRAME))
        return FALSE;
    // Under the pages, which cover its message area.
    m_pFrame->GetWindow()->SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pFrame->EnableCaption(m_bPageCaption);
    return TRUE;
}

void CTreePropSheet::WidenForTree()
{
    CRect rectSheet;
    GetWindowRect(&rectSheet);
    SetWindowPos(NULL, 0, 0, rectSheet.Width() + m_nTreeWidth, rectSheet.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    OffsetChildren(m_hWnd, m_nTreeWidth, 0);
}

int CTreePropSheet::MeasureCaptionHeight()
{
    CTabCtrl tabProbe;
    if (!tabProbe.Create(WS_CHILD, CRect(0, 0, 100, 100), this, IDC_CAPTION_PROBE_TAB))
        return 0;
    tabProbe.SetFont(GetFont());
    tabProbe.InsertItem(0, "");
    CRect rectItem(0, 0, 0, 0);
    tabProbe.GetItemRect(0, &rectItem);
    tabProbe.DestroyWindow();
    return rectItem.Height();
}

void CTreePropSheet::HidePageCaption(int nCaptionHeight, CRect& rectTree)
{
    CWnd* pFrameWnd = m_pFrame->GetWindow();
    CRect rectFrame;
    pFrameWnd->GetWindowRect(&rectFrame);
    ScreenToClient(&rectFrame);
    rectFrame.top += nCaptionHeight;
    pFrameWnd->MoveWindow(&rectFrame, FALSE);
    OffsetChildren(m_hWnd, 0, -nCaptionHeight);
    rectTree.bottom -= nCaptionHeight;
    CRect rectSheet;
    GetWindowRect(&rectSheet);
    const int nTop = nCaptionHeight / 2;
    rectSheet.top += nTop;
    rectSheet.bottom -= nCaptionHeight - nTop;
    MoveWindow(&rectSheet);
}

BOOL CTreePropSheet::CreatePageTree(const CRect& rectTree)
{
    m_pTree = CreateTreeControl();
    if (m_pTree == NULL)
        return FALSE;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT
                          | TVS_SHOWSELALWAYS | TVS_TRACKSELECT;
    if (!m_pTree->CreateEx(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, dwStyle, rectTree, this, IDC_PAGE_TREE))
        return FALSE;
    m_pTree->SetFont(GetFont());
    return TRUE;
}

// The user is told, and the sheet ends as if cancelled.
void CTreePropSheet::EndAsCancelled()
{
    AfxMessageBox(kSetUpFailed, MB_OK | MB_ICONEXCLAMATION);
    m_nModalResult = IDCANCEL;
    ShowWindow(SW_HIDE);
    EndDialog(IDCANCEL);
}

//////////////////////////////////////////////////////////////////////////////
// The tree

void CTreePropSheet::RefillPageTree()
{
    if (m_pTree == NULL)
        return;
    const BOOL bOldInSelChange = m_bInSelChange;
    m_bInSelChange = TRUE;
    m_pTree->DeleteAllItems();
    m_bInSelChange = bOldInSelChange;
    CTabCtrl* pTab = GetTabControl();
    if (pTab == NULL)
        return;
    const int nPages = pTab->GetItemCount();
    if (m_bTreeImages)
    {
        // The pages' own images, then the two defaults (folder, page).
        m_images.Remove(-1);
        AppendImages(m_images, pTab->GetImageList());
        AppendImages(m_images, &m_imagesDefault);
    }
    for (int i = 0; i < nPages; i++)
    {
        char szText[kMaxTabText] = "";
        TCITEM item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = szText;
        item.cchTextMax = kMaxTabText - 1;
        item.iImage = -1;
        pTab->GetItem(i, &item);
        HTREEITEM hLeaf = FindOrCreatePath(szText, TVI_ROOT);
        if (hLeaf == NULL)
            continue;
        m_pTree->SetItemData(hLeaf, (DWORD_PTR)(INT_PTR)i);
        if (m_bTreeImages)
        {
            int nImage = item.iImage;
            if (nImage < 0 || nImage >= m_images.GetImageCount())
                nImage = m_imagesDefault.GetSafeHandle() != NULL ? m_images.GetImageCount() - 1 : -1;
            m_pTree->SetItemImage(hLeaf, nImage, nImage);
        }
    }
}

HTREEITEM CTreePropSheet::FindChildByText(HTREEITEM hParent, const CString& strText)
{
    for (HTREEITEM hChild = m_pTree->GetChildItem(hParent); hChild != NULL; hChild = m_pTree->GetNextSiblingItem(hChild))
    {
        if (m_pTree->GetItemText(hChild) == strText)
            return hChild;
    }
    return NULL;
}

HTREEITEM CTreePropSheet::FindOrCreatePath(const CString& strPath, HTREEITEM hParent)
{
    CString strFirst, strRest;
    SplitCaptionPath(strPath, strFirst, strRest);
    HTREEITEM hItem = FindChildByText(hParent, strFirst);
    if (hItem == NULL)
    {
        hItem = m_pTree->InsertItem(strFirst, hParent, TVI_LAST);
        if (hItem == NULL)
            return NULL;
        m_pTree->SetItemData(hItem, (DWORD_PTR)(INT_PTR)FOLDER_ITEM_DATA);
        if (m_bTreeImages && m_imagesDefault.GetSafeHandle() != NULL)
        {
            const int nFolderImage = m_images.GetImageCount() - 2;
            m_pTree->SetItemImage(hItem, nFolderImage, nFolderImage);
        }
    }
    return strRest.IsEmpty() ? hItem : FindOrCreatePath(strRest, hItem);
}

HTREEITEM CTreePropSheet::FindPageItem(int nPage, HTREEITEM hParent)
{
    for (HTREEITEM hChild = m_pTree->GetChildItem(hParent); hChild != NULL; hChild = m_pTree->GetNextSiblingItem(hChild))
    {
        if ((int)(INT_PTR)m_pTree->GetItemData(hChild) == nPage)
            return hChild;
        if (HTREEITEM hFound = FindPageItem(nPage, hChild))
            return hFound;
    }
    return NULL;
}

void CTreePropSheet::SelectCurrentPageItem()
{
    if (m_pTree == NULL)
        return;
    HTREEITEM hItem = FindPageItem(GetActiveIndex());
    if (hItem == NULL)
        return;
    // The page is current already: the selection follows it without a page change.
    const BOOL bOldInSelChange = m_bInSelChange;
    m_bInSelChange = TRUE;
    m_pTree->SelectItem(hItem);
    m_bInSelChange = bOldInSelChange;
}

HWND CTreePropSheet::GetCurrentPageWindow() const
{
    return m_hWnd != NULL ? (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) : NULL;
}

// By the window's own style: the sheet itself is not visible yet while it sets up.
BOOL CTreePropSheet::IsShown(HWND hWnd)
{
    return hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CTreePropSheet::RefreshPageCaption()
{
    if (m_pTree == NULL || m_pFrame == NULL)
        return;
    HTREEITEM hItem = m_pTree->GetSelectedItem();
    const CString strText = hItem != NULL ? m_pTree->GetItemText(hItem) : CString();
    const BOOL bPageShown = IsShown(GetCurrentPageWindow());
    if (!bPageShown)
        m_pFrame->SetEmptyText(FormatEmptyPageText(m_strEmptyPageText, strText));
    CTabCtrl* pTab = GetTabControl();
    if (GetPageCount() == 0 || pTab == NULL)
        return;
    HICON hIcon = NULL;
    if (m_bTreeImages && hItem != NULL)
    {
        int nImage = -1, nSelected = -1;
        if (m_pTree->GetItemImage(hItem, nImage, nSelected) && nImage >= 0 && nImage < m_images.GetImageCount())
            hIcon = m_images.ExtractIcon(nImage);
    }
    else if (bPageShown)
    {
        TCITEM item = {};
        item.mask = TCIF_IMAGE;
        item.iImage = -1;
        CImageList* pTabImages = pTab->GetImageList();
        if (pTabImages != NULL && pTab->GetItem(GetActiveIndex(), &item) && item.iImage >= 0
            && item.iImage < pTabImages->GetImageCount())
            hIcon = pTabImages->ExtractIcon(item.iImage);
    }
    m_pFrame->SetCaption(strText, hIcon);
    // The frame keeps the handle: the old icon goes only once the new one replaced it.
    DestroyCaptionIcon();
    m_hCaptionIcon = hIcon;
}

void CTreePropSheet::DestroyCaptionIcon()
{
    if (m_hCaptionIcon != NULL)
        ::DestroyIcon(m_hCaptionIcon);
    m_hCaptionIcon = NULL;
}

//////////////////////////////////////////////////////////////////////////////
// Changing the page

BOOL CTreePropSheet::ActivatePage(int nPage)
{
    return SetActivePage(nPage);
}

BOOL CTreePropSheet::DeactivateCurrentPage()
{
    HWND hWndPage = GetCurrentPageWindow();
    if (IsShown(hWndPage))
    {
        NMHDR hdr = {};
        hdr.hwndFrom = m_hWnd;
        hdr.code = PSN_KILLACTIVE;
        if (::SendMessage(hWndPage, WM_NOTIFY, 0, (LPARAM)&hdr) != 0)
            return FALSE;
        ::ShowWindow(hWndPage, SW_HIDE);
    }
    return TRUE;
}

void CTreePropSheet::OnTreeSelChanging(HTREEITEM hNewItem, LRESULT* pResult)
{
    *pResult = FALSE;
    if (m_bInSelChange || m_pTree == NULL)
        return;
    m_bInSelChange = TRUE;
    const int nPage = hNewItem != NULL ? (int)(INT_PTR)m_pTree->GetItemData(hNewItem) : FOLDER_ITEM_DATA;
    const BOOL bChanged = nPage >= 0 && nPage < GetPageCount() ? ActivatePage(nPage) : DeactivateCurrentPage();
    *pResult = !bChanged;
    m_pTree->SetFocus();
    m_bInSelChange = FALSE;
}

void CTreePropSheet::OnSelChangingA(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnTreeSelChanging(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem, pResult);
}

void CTreePropSheet::OnSelChangingW(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnTreeSelChanging(reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemNew.hItem, pResult);
}

void CTreePropSheet::OnSelChanged(NMHDR*, LRESULT* pResult)
{
    RefreshPageCaption();
    *pResult = 0;
}

HTREEITEM CTreePropSheet::NextTreeItem(HTREEITEM hItem) const
{
    if (HTREEITEM hChild = m_pTree->GetChildItem(hItem))
        return hChild;
    for (HTREEITEM hUp = hItem; hUp != NULL; hUp = m_pTree->GetParentItem(hUp))
    {
        if (HTREEITEM hNext = m_pTree->GetNextSiblingItem(hUp))
            return hNext;
    }
    return m_pTree->GetRootItem();
}

HTREEITEM CTreePropSheet::DeepestLastDescendant(HTREEITEM hItem) const
{
    for (;;)
    {
        HTREEITEM hChild = m_pTree->GetChildItem(hItem);
        if (hChild == NULL)
            return hItem;
        while (HTREEITEM hNext = m_pTree->GetNextSiblingItem(hChild))
            hChild = hNext;
        hItem = hChild;
    }
}

HTREEITEM CTreePropSheet::PreviousTreeItem(HTREEITEM hItem) const
{
    if (HTREEITEM hPrevious = m_pTree->GetPrevSiblingItem(hItem))
        return DeepestLastDescendant(hPrevious);
    if (HTREEITEM hParent = m_pTree->GetParentItem(hItem))
        return hParent;
    // The first root item: wrap to the very last item.
    HTREEITEM hLastRoot = m_pTree->GetRootItem();
    while (HTREEITEM hNext = m_pTree->GetNextSiblingItem(hLastRoot))
        hLastRoot = hNext;
    return hLastRoot != NULL ? DeepestLastDescendant(hLastRoot) : NULL;
}

void CTreePropSheet::ShowNextPage(BOOL bForward)
{
    if (m_bTreeViewMode && m_pTree != NULL)
    {
        HTREEITEM hItem = m_pTree->GetSelectedItem();
        HTREEITEM hTarget = hItem == NULL ? m_pTree->GetRootItem()
                                          : (bForward ? NextTreeItem(hItem) : PreviousTreeItem(hItem));
        if (hTarget != NULL)
            m_pTree->SelectItem(hTarget);
        return;
    }
    const int nCount = GetPageCount();
    if (nCount == 0)
        return;
    SetActivePage((GetActiveIndex() + (bForward ? 1 : nCount - 1)) % nCount);
}

//////////////////////////////////////////////////////////////////////////////
// Messages

LRESULT CTreePropSheet::OnSetCurSel(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (!m_bTreeViewMode || m_pTree == NULL)
        return lResult;
    // The sheet does not show the current page again when it is selected once more
    // after a folder hid it.
    HWND hWndPage = GetCurrentPageWindow();
    if (lResult && hWndPage != NULL && !IsShown(hWndPage))
        ::ShowWindow(hWndPage, SW_SHOW);
    if (!m_bInSelChange)
        SelectCurrentPageItem();
    RefreshPageCaption();
    return lResult;
}

// The page whose dialog template has that id; an id no page has changes nothing.
LRESULT CTreePropSheet::OnSetCurSelId(WPARAM, LPARAM lParam)
{
    for (int i = 0; i < GetPageCount(); i++)
    {
        const PROPSHEETPAGE& psp = GetPage(i)->m_psp;
        if (!(psp.dwFlags & PSP_DLGINDIRECT) && IS_INTRESOURCE(psp.pszTemplate)
            && (LPARAM)(ULONG_PTR)psp.pszTemplate == lParam)
            return SendMessage(PSM_SETCURSEL, (WPARAM)i, 0);
    }
    return FALSE;
}

LRESULT CTreePropSheet::OnAddOrRemovePage(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (m_bTreeViewMode && m_pTree != NULL)
    {
        RefillPageTree();
        SelectCurrentPageItem();
        RefreshPageCaption();
    }
    return lResult;
}

LRESULT CTreePropSheet::OnIsDialogMessage(WPARAM, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    if (pMsg != NULL && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0)
    {
        ShowNextPage(::GetKeyState(VK_SHIFT) >= 0);
        return TRUE;
    }
    return Default();
}

void CTreePropSheet::OnDestroy()
{
    CPropertySheet::OnDestroy();
    m_images.DeleteImageList();
    if (m_pTree != NULL)
    {
        m_pTree->DestroyWindow();
        delete m_pTree;
        m_pTree = NULL;
    }
    if (m_pFrame != NULL)
    {
        if (CWnd* pFrameWnd = m_pFrame->GetWindow())
            pFrameWnd->DestroyWindow();
        delete m_pFrame;
        m_pFrame = NULL;
    }
    DestroyCaptionIcon();
}
