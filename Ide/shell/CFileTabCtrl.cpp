// The open-file tabs: drawing, activation by click and the tab menu.
#include "CFileTabCtrl.h"

#include "CExtPopupMenuWnd.h"
#include "CMainFrame.h"
#include "CVornApp.h"
#include "LuaFileExtensions.h"
#include "PathUtil.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CFileTabCtrl, CTabCtrl)

BEGIN_MESSAGE_MAP(CFileTabCtrl, CTabCtrl)
    ON_WM_CREATE()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace
{
const int kIconSize = 16;
const int kIconLeft = 4;
} // namespace

CFileTabCtrl::CFileTabCtrl()
    : m_bDrawIcons(TRUE),
      m_crSelectedText(RGB(0, 0, 255)),
      m_crNormalText(RGB(50, 50, 50)),
      m_crModifiedText(RGB(255, 0, 0))
{
}

CFileTabCtrl::~CFileTabCtrl()
{
}

int CFileTabCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CTabCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    return 0;
}

void CFileTabCtrl::SetFonts(int nSelectedWeight, int nNormalWeight)
{
    NONCLIENTMETRICSA metrics;
    memset(&metrics, 0, sizeof(metrics));
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTA lf = metrics.lfMessageFont;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    m_fontSelected.DeleteObject();
    m_fontNormal.DeleteObject();
    lf.lfWeight = nSelectedWeight;
    m_fontSelected.CreateFontIndirect(&lf);
    lf.lfWeight = nNormalWeight;
    m_fontNormal.CreateFontIndirect(&lf);
}

int CFileTabCtrl::ImageOfFileName(const CString& strFileName, const CString& strLuaExtensions)
{
    if (IsLuaFileName(strFileName, strLuaExtensions))
        return IMAGE_LUA_FILE;
    if (ExtensionOfFileName(FileNameOfPath(strFileName)).CompareNoCase(".xml") == 0)
        return IMAGE_XML_FILE;
    return IMAGE_FILE;
}

//////////////////////////////////////////////////////////////////////////////
// Tabs and their windows

HWND CFileTabCtrl::GetTabWindow(int nIndex) const
{
    TCITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TCIF_PARAM;
    if (!GetItem(nIndex, &item))
        return NULL;
    return reinterpret_cast<HWND>(item.lParam);
}

int CFileTabCtrl::FindTab(HWND hWndChild) const
{
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        if (GetTabWindow(i) == hWndChild)
            return i;
    }
    return -1;
}

CString CFileTabCtrl::GetTabText(int nIndex) const
{
    char szText[260] = "";
    TCITEM item;
    memset(&item, 0, sizeof(item));
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    GetItem(nIndex, &item);
    return szText;
}

CDocument* CFileTabCtrl::GetTabDocument(int nIndex) const
{
    CFrameWnd* pChild = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(GetTabWindow(nIndex)));
    return pChild != NULL ? pChild->GetActiveDocument() : NULL;
}

void CFileTabCtrl::ActivateTabWindow(int nIndex)
{
    CMDIFrameWnd* pFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    HWND hWndChild = GetTabWindow(nIndex);
    if (pFrame != NULL && hWndChild != NULL && ::IsWindow(hWndChild))
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWndChild), 0);
}

BOOL CFileTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)TCN_SELCHANGE)
    {
        OnSelChange();
        if (pResult != NULL)
            *pResult = 0;
        return TRUE;
    }
    return CTabCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CFileTabCtrl::OnSelChange()
{
    ActivateTabWindow(GetCurSel());
}

//////////////////////////////////////////////////////////////////////////////
// The tab menu

BOOL CFileTabCtrl::LoadTabMenu(CMenu& menu)
{
    if (!menu.LoadMenu(IDR_FILE_TABS))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    const int nFiles = pPopup != NULL ? CMainFrame::FindMenuItemByText(pPopup, "Files") : -1;
    CMenu* pFiles = nFiles >= 0 ? pPopup->GetSubMenu(nFiles) : NULL;
    if (pFiles == NULL)
        return FALSE;
    // The placeholder goes; the entries are numbered as the frame activates them.
    pFiles->DeleteMenu(0, MF_BYPOSITION);
    CStringArray titles;
    if (CMainFrame* pFrame = VornApp()->GetMainFrame())
        pFrame->GetSortedDocumentTitles(titles);
    const INT_PTR nMax = ID_OPEN_WINDOW_LAST - ID_OPEN_WINDOW_FIRST + 1;
    for (INT_PTR i = 0; i < titles.GetSize() && i < nMax; i++)
        pFiles->AppendMenu(MF_STRING, ID_OPEN_WINDOW_FIRST + (UINT)i, titles[i]);
    return TRUE;
}

void CFileTabCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    TCHITTESTINFO hit;
    memset(&hit, 0, sizeof(hit));
    hit.pt = point;
    const int nIndex = HitTest(&hit);
    // Off the tabs the click is not passed on: the strip has no menu.
    if (nIndex < 0)
        return;
    SetCurSel(nIndex);
    ActivateTabWindow(nIndex);

    CMenu menu;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && LoadTabMenu(menu))
    {
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (pPopup->UpdateFromMenu(pMainWnd->m_hWnd, menu.GetSubMenu(0), false))
        {
            CPoint ptScreen(point);
            ClientToScreen(&ptScreen);
            // Centred on the click point; the menu frees itself when it closes.
            pPopup->TrackPopupMenu(TPMX_CENTERALIGN, ptScreen.x, ptScreen.y);
        }
        else
        {
            delete pPopup;
        }
    }
    CTabCtrl::OnRButtonDown(nFlags, point);
}

//////////////////////////////////////////////////////////////////////////////
// Drawing

void CFileTabCtrl::DrawTabIcon(CDC& dc, int nIndex, CRect& rcText)
{
    CImageList* pImages = GetImageList();
    if (pImages == NULL || pImages->GetSafeHandle() == NULL)
        return;
    CDocument* pDoc = GetTabDocument(nIndex);
    // The document's own name: the caption may carry a modified mark or a number.
    const CString strName = pDoc != NULL ? pDoc->GetTitle() : GetTabText(nIndex);
    const int nImage = ImageOfFileName(strName, VornApp()->m_settings.m_strProjsLuaFileExtensions);
    const CPoint pt(rcText.left + kIconLeft, rcText.top + (rcText.Height() - kIconSize) / 2);
    pImages->Draw(&dc, nImage, pt, ILD_TRANSPARENT);
    rcText.left = pt.x + kIconSize;
}

void CFileTabCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int nIndex = (int)lpDrawItemStruct->itemID;
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    const BOOL bSelected = nIndex == GetCurSel();
    CRect rc(lpDrawItemStruct->rcItem);
    if ((GetStyle() & TCS_BOTTOM) == 0)
    {
        rc.DeflateRect(1, 1);
        rc.OffsetRect(0, cyEdge);
    }
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));

    CRect rcText(rc);
    if (m_bDrawIcons)
        DrawTabIcon(*pDC, nIndex, rcText);

    CDocument* pDoc = GetTabDocument(nIndex);
    COLORREF crText = bSelected ? m_crSelectedText : m_crNormalText;
    if (pDoc != NULL && pDoc->IsModified())
        crText = m_crModifiedText;
    if (bSelected)
        rcText.OffsetRect(0, -cyEdge);
    CFont* pFont = bSelected ? &m_fontSelected : &m_fontNormal;
    CFont* pOldFont = pFont->GetSafeHandle() != NULL ? pDC->SelectObject(pFont) : NULL;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crOld = pDC->SetTextColor(crText);
    CString strText = GetTabText(nIndex);
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}
