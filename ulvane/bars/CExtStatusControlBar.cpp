// CExtStatusControlBar: colours from the look, flicker-free painting of the panes,
// the size grip, pane windows and the panels menu.
#include "CExtStatusControlBar.h"

#include "CExtCommandIcon.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtBarPopupMenuEvent.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtStatusControlBar, CStatusBar)

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

namespace
{
const UINT nPlainTextFormat = DT_VCENTER | DT_SINGLELINE;
const UINT nRedrawAfterPlacing = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_ERASENOW;

// Lends a pane's icon handle to a command icon for one painting and takes it back
// whatever happens on the way, so the pane keeps owning its icon.
class CBorrowedPaneIcon
{
public:
    explicit CBorrowedPaneIcon(HICON hIcon) : m_icon(hIcon, false) {}
    ~CBorrowedPaneIcon() { m_icon.DetachAsIcon(false); }
    CExtCommandIcon& Get() { return m_icon; }

private:
    CBorrowedPaneIcon(const CBorrowedPaneIcon&) = delete;
    void operator=(const CBorrowedPaneIcon&) = delete;
    CExtCommandIcon m_icon;
};
}

CExtStatusControlBar::CExtStatusControlBar()
    : m_nStatusFlags(eLibraryLook | eHideDisabledText), m_nTextFormat(nPlainTextFormat),
      m_clrBackground((COLORREF)-1), m_clrLight((COLORREF)-1), m_clrSeparator((COLORREF)-1),
      m_clrText((COLORREF)-1), m_clrDisabledText((COLORREF)-1), m_bInSizing(false), m_bSendingTexts(false)
{
}

CExtStatusControlBar::~CExtStatusControlBar()
{
    // The window went without WM_DESTROY reaching us (never created, or detached).
    m_arrPaneWindows.RemoveAll();
}

LRESULT CExtStatusControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // Nothing thrown by a handler may leave the window procedure.
    try
    {
        if (nMsg == WM_SIZE)
        {
            // The pane widths follow the size first; the windows follow them once.
            m_bInSizing = true;
            LRESULT lResult = CStatusBar::WindowProc(nMsg, wParam, lParam);
            m_bInSizing = false;
            RepositionPaneControls();
            return lResult;
        }
        LRESULT lResult = CStatusBar::WindowProc(nMsg, wParam, lParam);
        // Panes that moved without a size change (a pane's width was set) take their
        // windows with them.
        if (nMsg == SB_SETPARTS && !m_bInSizing && m_arrPaneWindows.GetSize() > 0)
            RepositionPaneControls();
        return lResult;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    m_bInSizing = false;
    m_bSendingTexts = false;
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Flags and colours

void CExtStatusControlBar::ModifyStatusFlags(BYTE nRemove, BYTE nAdd)
{
    const BYTE nFlags = (BYTE)((m_nStatusFlags & ~nRemove) | nAdd);
    if (nFlags == m_nStatusFlags)
        return;
    m_nStatusFlags = nFlags;
    if (m_hWnd != NULL)
    {
        SyncColors();
        RepositionPaneControls();
    }
}

void CExtStatusControlBar::SyncColors()
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const COLORREF clrBackground = pPM->GetColor(EXTCLR_BAR_FACE);
    if (clrBackground != m_clrBackground)
    {
        m_clrBackground = clrBackground;
        if (m_hWnd != NULL)
            SendMessage(SB_SETBKCOLOR, 0, (LPARAM)clrBackground);
    }
    m_clrLight = pPM->GetColor(EXTCLR_TEXT);
    m_clrText = pPM->GetColor(COLOR_BTNTEXT);
    m_clrDisabledText = pPM->GetColor(COLOR_BTNSHADOW);
    m_clrSeparator = IsLibraryLook() ? pPM->GetColor(COLOR_BTNSHADOW) : m_clrBackground;
}

void CExtStatusControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // A look installed since the last paint shows at once, not at the next paint
    // something else causes.
    if (m_hWnd != NULL && g_PaintManagerHolder->GetColor(EXTCLR_BAR_FACE) != m_clrBackground)
        Invalidate();
    CStatusBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

/////////////////////////////////////////////////////////////////////////////
// Geometry

CRect CExtStatusControlBar::GetPaneRect(int nIndex) const
{
    CRect rc;
    GetItemRect(nIndex, &rc);
    if (nIndex != GetCount() - 1 || nIndex < 0)
        return rc;
    CRect rcClient;
    GetClientRect(&rcClient);
    UINT nID, nStyle;
    int cxWidth;
    GetPaneInfo(nIndex, nID, nStyle, cxWidth);
    if (nStyle & SBPS_STRETCH)
    {
        rc.right = rcClient.right;
        if (GetStyle() & SBARS_SIZEGRIP)
            rc.right -= ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXSMICON);
    }
    else
        rc.right = rc.left + cxWidth + 3 * ::GetSystemMetrics(SM_CXEDGE);
    return rc;
}

bool CExtStatusControlBar::GetGripRect(CRect& rcGrip) const
{
    rcGrip.SetRectEmpty();
    // Only a bar that sizes its frame has a grip, and a maximised frame is not sized.
    if ((GetStyle() & SBARS_SIZEGRIP) == 0)
        return false;
    CWnd* pTop = GetTopLevelParent();
    if (pTop != NULL && pTop->IsZoomed())
        return false;
    GetClientRect(&rcGrip);
    rcGrip.left = std::max(rcGrip.left, rcGrip.right - (LONG)::GetSystemMetrics(SM_CXVSCROLL));
    return !rcGrip.IsRectEmpty();
}

/////////////////////////////////////////////////////////////////////////////
// The five painting steps

void CExtStatusControlBar::OnEraseBackground(CDC* pDC, const RECT& rcClient)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    if (!IsLibraryLook() || !pPM->IsBackgroundCustomized(this) || !pPM->PaintDialogBackground(*pDC, this))
        pDC->FillSolidRect(&rcClient, m_clrBackground);
    if (!IsLibraryLook())
        DefWindowProc(WM_PAINT, (WPARAM)pDC->GetSafeHdc(), 0);
}

void CExtStatusControlBar::DrawPaneBackground(CDC* /*pDC*/, int /*nIndex*/, const RECT& /*rcPane*/)
{
}

void CExtStatusControlBar::DrawPane(CDC* pDC, int nIndex, const RECT& rcPane, UINT nPaneStyle, HICON hIcon,
                                    LPCTSTR lpszText, UINT nFormat)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const bool bLibraryLook = IsLibraryLook();
    CRect rcText(rcPane);
    if (bLibraryLook && hIcon != NULL)
    {
        CBorrowedPaneIcon icon(hIcon);
        const CSize sizeIcon = icon.Get().GetSize();
        const CPoint ptIcon(rcPane.left + 1, rcPane.top + (rcPane.bottom - rcPane.top - sizeIcon.cy) / 2);
        icon.Get().Paint(pDC->GetSafeHdc(), ptIcon, CExtCommandIcon::ePaintNormal);
        rcText.left = ptIcon.x + sizeIcon.cx + 1;
    }

    // Without the library look the control has drawn the texts itself.
    const bool bEmpty = lpszText == NULL || lpszText[0] == 0;
    const bool bDisabled = (nPaneStyle & SBPS_DISABLED) != 0;
    if (bLibraryLook && !bEmpty && (!bDisabled || !IsDisabledTextHidden()))
    {
        rcText.DeflateRect(2, 0);
        COLORREF clr = GetPaneTextColor(nIndex);
        if (clr == (COLORREF)-1 && bDisabled)
            clr = m_clrDisabledText;
        const COLORREF clrOld = clr != (COLORREF)-1 ? pDC->SetTextColor(clr) : CLR_INVALID;
        pDC->DrawText(lpszText, -1, &rcText, nFormat);
        if (clrOld != CLR_INVALID)
            pDC->SetTextColor(clrOld);
    }

    if (!(bLibraryLook && IsPaneSeparators()) && (nIndex != 0 || IsFirstPaneBorder()))
    {
        CExtPaintStatusPaneArgs args(this, 2, GetBarStyle(), rcPane);
        pPM->PaintStatusPane(*pDC, args);
    }

    if (!bLibraryLook && (g_PaintManagerHolder.GetThemeFlags() & CExtPaintManagerHolder::eThemeBound) != 0)
    {
        CRect rcInside(rcPane);
        rcInside.DeflateRect(1, 1);
        pDC->Draw3dRect(&rcInside, m_clrBackground, m_clrBackground);
    }
}

COLORREF CExtStatusControlBar::GetPaneTextColor(int /*nIndex*/)
{
    return (COLORREF)-1;
}

void CExtStatusControlBar::DrawPaneSeparator(CDC* pDC, int nIndex, const RECT& rcPrevious, const RECT& rcCurrent)
{
    CRect rcGap(rcPrevious.right, rcCurrent.top + 1, rcCurrent.left, rcCurrent.bottom - 1);
    g_PaintManagerHolder->PaintToolbarSeparator(*pDC, rcGap, true, true, this, (LPARAM)nIndex);
}

void CExtStatusControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    CExtPaintStatusPaneArgs args(this, 1, GetBarStyle(), rect);
    g_PaintManagerHolder->PaintStatusPane(*pDC, args);
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void CExtStatusControlBar::OnPaint()
{
    // The control repaints a pane whose text changes at once: that nested paint is
    // left to this one, which comes next and covers it.
    if (m_bSendingTexts)
        return;
    SyncColors();
    // The texts go to the control before the paint DC is taken: a text that changes
    // inside the paint would invalidate its pane again and ask for another paint.
    m_bSendingTexts = true;
    UpdateAllPanes(FALSE, TRUE);
    m_bSendingTexts = false;
    CRect rcClient;
    GetClientRect(&rcClient);
    CPaintDC dcPaint(this);
    if (rcClient.IsRectEmpty())
        return;
    ExcludeVisibleChildren(dcPaint.GetSafeHdc(), m_hWnd);
    {
        CExtOffscreenDC dc(&dcPaint, &rcClient, CExtOffscreenDC::eOffscreen);
        PaintPanes(dc, rcClient);
    }
    g_PaintManagerHolder->OnPaintSessionComplete(this);
}

BOOL CExtStatusControlBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    // The paint covers every pixel of the client area from its buffer; erasing first
    // would only show as flicker.
    return TRUE;
}

void CExtStatusControlBar::PaintPanes(CDC& dc, const CRect& rcClient)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    OnEraseBackground(&dc, rcClient);
    CRect rcGrip;
    const bool bGrip = GetGripRect(rcGrip);
    {
        CDCStateKeeper state(dc);
        if (bGrip)
            dc.ExcludeClipRect(&rcGrip);
        const bool bLibraryLook = IsLibraryLook();
        if (bLibraryLook)
        {
            dc.SelectObject(&pPM->m_FontNormal);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(m_clrText);
        }
        const bool bSeparators = bLibraryLook && IsPaneSeparators();
        const bool bIcons = !IsPaneIconsHidden();
        CRect rcPrevious;
        for (int i = 0; i < GetCount(); i++)
        {
            const CRect rcPane = GetPaneRect(i);
            const UINT nStyle = GetPaneStyle(i);
            HICON hIcon = bIcons ? (HICON)SendMessage(SB_GETICON, (WPARAM)i) : NULL;
            const CString strText = GetPaneText(i);
            DrawPaneBackground(&dc, i, rcPane);
            DrawPane(&dc, i, rcPane, nStyle, hIcon, strText, m_nTextFormat);
            if (bSeparators && i > 0)
                DrawPaneSeparator(&dc, i, rcPrevious, rcPane);
            rcPrevious = rcPane;
        }
    }
    if (!bGrip)
        return;
    dc.SelectClipRgn(NULL);
    if (!IsLibraryLook())
        dc.FillSolidRect(&rcGrip, m_clrBackground);
    rcGrip.OffsetRect(-2, -2);
    pPM->PaintResizingGripper(dc, rcGrip, this);
}

void CExtStatusControlBar::OnNcPaint()
{
    SyncColors();
    CRect rcWindow, rcClient;
    GetNonClientRects(m_hWnd, rcWindow, rcClient);
    CWindowDC dc(this);
    dc.ExcludeClipRect(&rcClient);
    DrawBorders(&dc, rcWindow);
}

/////////////////////////////////////////////////////////////////////////////
// Creation and system changes

int CExtStatusControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CStatusBar::OnCreate(lpcs) == -1)
        return -1;
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    SyncColors();
    return 0;
}

void CExtStatusControlBar::OnDestroy()
{
    ReleaseAllPaneWindows();
    CStatusBar::OnDestroy();
}

void CExtStatusControlBar::OnSysColorChange()
{
    CStatusBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
    SyncColors();
}

void CExtStatusControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CStatusBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    SyncColors();
}

LRESULT CExtStatusControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    return CExtDockBar::ForwardDisplayChange(this, wParam, lParam);
}

LRESULT CExtStatusControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
    g_CommandManagerHolder.OnThemeChanged(this, wParam, lParam);
    return lResult;
}

/////////////////////////////////////////////////////////////////////////////
// The panels menu

void CExtStatusControlBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point)
{
    if (CExtControlBar::IsParentFrameInHelpMode(this))
        return;
    TrackPanelsMenu(point);
}

void CExtStatusControlBar::TrackPanelsMenu(CPoint ptScreen)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == NULL)
    {
        Default();
        return;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        pOwner = GetParent();
    if (pOwner == NULL)
        pOwner = pFrame;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitEmptyMenu(pOwner->m_hWnd) ||
        !CExtDockBar::ConstructPanelsMenu(pFrame, pPopup, CExtBarPopupMenuEvent::eStatusBarMenu, this,
                                          WM_CONTEXTMENU, this) ||
        pPopup->GetItemCount() == 0)
    {
        // Never tracked, so still ours to free.
        delete pPopup;
        return;
    }
    pOwner->SetFocus();
    // Once tracked the menu frees itself, whether or not it could be shown.
    pPopup->TrackPopupMenu(TPMX_OWNERDRAW_ITEMS, ptScreen.x, ptScreen.y);
}

/////////////////////////////////////////////////////////////////////////////
// Pane windows

bool CExtStatusControlBar::IsLiveChild(HWND hWnd) const
{
    return hWnd != NULL && m_hWnd != NULL && ::IsWindow(hWnd) && ::GetParent(hWnd) == m_hWnd;
}

INT_PTR CExtStatusControlBar::FindPaneWindow(UINT nPaneID) const
{
    for (INT_PTR i = 0; i < m_arrPaneWindows.GetSize(); i++)
        if (m_arrPaneWindows[i].nPaneID == nPaneID)
            return i;
    return -1;
}

HWND CExtStatusControlBar::GetPaneControl(UINT nPaneID) const
{
    const INT_PTR nRecord = FindPaneWindow(nPaneID);
    return nRecord >= 0 ? m_arrPaneWindows[nRecord].hWnd : NULL;
}

bool CExtStatusControlBar::SetPaneControl(HWND hWnd, UINT nPaneID, bool bDestroy)
{
    if (CommandToIndex(nPaneID) < 0 || !IsLiveChild(hWnd))
        return false;
    const INT_PTR nRecord = FindPaneWindow(nPaneID);
    if (nRecord >= 0 && m_arrPaneWindows[nRecord].hWnd != hWnd)
        RemovePaneControl(nPaneID);
    const PANEWINDOW record = {hWnd, nPaneID, bDestroy};
    const INT_PTR nSame = FindPaneWindow(nPaneID);
    if (nSame >= 0)
        m_arrPaneWindows[nSame] = record;
    else
        m_arrPaneWindows.Add(record);
    RepositionPaneControls();
    return true;
}

bool CExtStatusControlBar::RemovePaneControl(UINT nPaneID)
{
    const INT_PTR nRecord = FindPaneWindow(nPaneID);
    if (nRecord < 0)
        return false;
    const PANEWINDOW record = m_arrPaneWindows[nRecord];
    m_arrPaneWindows.RemoveAt(nRecord);
    if (record.bDestroy)
        ReleasePaneWindow(record);
    if (m_hWnd != NULL)
        Invalidate();
    return true;
}

void CExtStatusControlBar::ReleasePaneWindow(const PANEWINDOW& record)
{
    // A handle whose window died may belong to another window by now.
    if (!IsLiveChild(record.hWnd))
        return;
    ::SendMessage(record.hWnd, WM_CLOSE, 0, 0);
    if (record.bDestroy && IsLiveChild(record.hWnd))
        ::DestroyWindow(record.hWnd);
}

void CExtStatusControlBar::ReleaseAllPaneWindows()
{
    CArray<PANEWINDOW, const PANEWINDOW&> arrRecords;
    arrRecords.Copy(m_arrPaneWindows);
    m_arrPaneWindows.RemoveAll();
    for (INT_PTR i = 0; i < arrRecords.GetSize(); i++)
        ReleasePaneWindow(arrRecords[i]);
}

void CExtStatusControlBar::RepositionPaneControls()
{
    if (m_hWnd == NULL)
        return;
    // Records of windows that died are dropped before they are used.
    for (INT_PTR i = m_arrPaneWindows.GetSize() - 1; i >= 0; i--)
        if (!IsLiveChild(m_arrPaneWindows[i].hWnd))
            m_arrPaneWindows.RemoveAt(i);
    if (m_arrPaneWindows.GetSize() > 0)
    {
        HDWP hDwp = ::BeginDeferWindowPos((int)m_arrPaneWindows.GetSize());
        const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
        for (INT_PTR i = 0; i < m_arrPaneWindows.GetSize() && hDwp != NULL; i++)
        {
            const PANEWINDOW& record = m_arrPaneWindows[i];
            const int nIndex = CommandToIndex(record.nPaneID);
            if (nIndex < 0)
                continue;
            CRect rc = GetPaneRect(nIndex);
            if ((GetPaneStyle(nIndex) & SBPS_NOBORDERS) || IsPaneSeparators())
                rc.DeflateRect(cxEdge, 1);
            else
                rc.DeflateRect(cxEdge, cxEdge);
            hDwp = ::DeferWindowPos(hDwp, record.hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (hDwp != NULL)
            ::EndDeferWindowPos(hDwp);
    }
    RedrawWindow(NULL, NULL, nRedrawAfterPlacing);
}
