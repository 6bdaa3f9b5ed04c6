// CExtToolControlBar: buttons from toolbar resources, their layout, painting, hot
// tracking, clicks and drop-down menus.
#include "CExtToolControlBar.h"

#include "CExtOffscreenDC.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SIZE()
    ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

namespace
{
// Room the gripper of a docked bar takes at its near end.
const int nGripperExtent = 8;
}

CExtToolControlBar::CExtToolControlBar()
    : m_nBtnIdxHover(-1), m_nBtnIdxPressed(-1), m_nBtnIdxMenuTracking(-1), m_bTrackingLeave(false),
      m_nFloatWrapWidth(32767), m_nToolbarFlags(0)
{
    m_nBarFlags |= eBarFixedMode;
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 1;
}

CExtToolControlBar::~CExtToolControlBar()
{
    RemoveAllButtons();
}

BOOL CExtToolControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    return CExtControlBar::Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

/////////////////////////////////////////////////////////////////////////////
// Buttons

CExtBarButton* CExtToolControlBar::OnCreateBarCommandButton(UINT nCmdID, UINT nStyle)
{
    return new CExtBarButton(this, nCmdID, nStyle);
}

bool CExtToolControlBar::LoadToolbarResource(UINT nIDResource)
{
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(GetSafeHwnd());
    UINT* pIDs = NULL;
    int nCount = 0;
    if (!g_CommandManagerHolder->UpdateFromToolbarResource(strProfile, MAKEINTRESOURCE(nIDResource), &pIDs, &nCount,
                                                           false, true, RGB(192, 192, 192)))
        return false;
    bool bResult = SetButtons(pIDs, nCount);
    delete[] pIDs;
    return bResult;
}

bool CExtToolControlBar::SetButtons(const UINT* pIDs, int nCount)
{
    RemoveAllButtons();
    try
    {
        for (int i = 0; pIDs != NULL && i < nCount; i++)
            m_arrButtons.Add(OnCreateBarCommandButton(pIDs[i], 0));
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    if (m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

bool CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bDoRecalcLayout)
{
    if (nPos > GetButtonsCount())
        return false;
    if (nPos < 0)
        nPos = GetButtonsCount();
    try
    {
        m_arrButtons.InsertAt(nPos, OnCreateBarCommandButton(nCmdID, 0));
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    m_nBtnIdxHover = m_nBtnIdxPressed = m_nBtnIdxMenuTracking = -1;
    if (bDoRecalcLayout && m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

bool CExtToolControlBar::RemoveButton(int nPos, bool bDoRecalcLayout)
{
    if (nPos < 0 || nPos >= GetButtonsCount())
        return false;
    delete m_arrButtons[nPos];
    m_arrButtons.RemoveAt(nPos);
    m_nBtnIdxHover = m_nBtnIdxPressed = m_nBtnIdxMenuTracking = -1;
    if (bDoRecalcLayout && m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

void CExtToolControlBar::RemoveAllButtons()
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    m_nBtnIdxHover = m_nBtnIdxPressed = m_nBtnIdxMenuTracking = -1;
}

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonsCount() ? m_arrButtons[nIndex] : NULL;
}

int CExtToolControlBar::GetButtonIndex(const CExtBarButton* pButton) const
{
    for (int i = 0; i < GetButtonsCount(); i++)
    {
        if (m_arrButtons[i] == pButton)
            return i;
    }
    return -1;
}

int CExtToolControlBar::FindButtonByCommand(UINT nCmdID) const
{
    for (int i = 0; i < GetButtonsCount(); i++)
    {
        if (m_arrButtons[i]->GetCmdID(false) == nCmdID)
            return i;
    }
    return -1;
}

UINT CExtToolControlBar::GetButtonCommand(int nIndex) const
{
    CExtBarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->GetCmdID(false) : 0;
}

UINT CExtToolControlBar::GetButtonStyle(int nIndex) const
{
    CExtBarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->GetStyle() : 0;
}

void CExtToolControlBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || pButton->GetStyle() == nStyle)
        return;
    pButton->SetStyle(nStyle);
    InvalidateButton(nIndex);
    if (m_hWnd != NULL)
        UpdateWindow();
}

void CExtToolControlBar::GetButtonRect(int nIndex, LPRECT lpRect) const
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL)
        ::SetRectEmpty(lpRect);
    else
        *lpRect = pButton->GetRect();
}

bool CExtToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupMenu, bool bAutoDestroyMenu,
                                       bool bDoRecalcLayout)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || !pButton->SetMenu(hMenu, bPopupMenu, bAutoDestroyMenu))
        return false;
    if (bDoRecalcLayout && m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

HMENU CExtToolControlBar::GetButtonMenu(int nIndex) const
{
    CExtBarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->GetMenu() : NULL;
}

void CExtToolControlBar::InvalidateButton(int nIndex)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || m_hWnd == NULL)
        return;
    CRect rc = pButton->GetRect();
    InvalidateRect(&rc, TRUE);
}

CWnd* CExtToolControlBar::GetCommandTarget() const
{
    if (m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL)
        return m_pDockSite;
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL && pOwner->m_hWnd != NULL)
        return pOwner;
    return GetParentFrame();
}

bool CExtToolControlBar::IsHorizontal() const
{
    if (IsFloating())
        return true;
    UINT nID = GetDockBarID();
    if (nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT)
        return false;
    if (nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM)
        return true;
    return (m_dwStyle & CBRS_ORIENT_VERT) == 0;
}

CSize CExtToolControlBar::GetButtonDefaultSize() const
{
    return CSize(23, 22);
}

/////////////////////////////////////////////////////////////////////////////
// Layout

CRect CExtToolControlBar::GetContentRect(bool bHorz) const
{
    CRect rc;
    GetClientRect(&rc);
    CalcInsideRect(rc, bHorz);
    return rc;
}

CSize CExtToolControlBar::LayoutButtons(bool bHorz, int nWrapWidth, bool bApply)
{
    // Measuring changes nothing; only bApply gives the buttons their places.
    CClientDC dc(m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow());
    const CSize sizeDefault = GetButtonDefaultSize();
    const bool bFloating = IsFloating() != FALSE;
    const int nCount = GetButtonsCount();
    std::vector<CRect> rects((size_t)nCount, CRect(0, 0, 0, 0));
    std::vector<char> visible((size_t)nCount, 0), wrap((size_t)nCount, 0);

    int nAlong = 0, nAcross = 0, nRowThickness = 0, nLongest = 0;
    int nRowStart = 0;
    auto finishRow = [&](int nEnd) {
        // Buttons are centred across their row; separators span it.
        for (int k = nRowStart; k < nEnd; k++)
        {
            if (!visible[k])
                continue;
            CRect& rc = rects[k];
            const bool bSeparator = m_arrButtons[k]->IsSeparator();
            if (bHorz)
            {
                int h = bSeparator ? nRowThickness : rc.Height();
                rc.top = nAcross + (nRowThickness - h) / 2;
                rc.bottom = rc.top + h;
            }
            else
            {
                int w = bSeparator ? nRowThickness : rc.Width();
                rc.left = nAcross + (nRowThickness - w) / 2;
                rc.right = rc.left + w;
            }
        }
    };
    int nLastVisible = -1;
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (pButton->GetStyle() & TBBS_HIDDEN)
            continue;
        // A separator never opens a row.
        if (pButton->IsSeparator() && nAlong == 0)
            continue;
        CSize size = pButton->CalculateLayout(dc, sizeDefault, bHorz);
        const int nLength = bHorz ? size.cx : size.cy;
        const int nThickness = bHorz ? size.cy : size.cx;
        if (bFloating && !IsPanelMode() && nAlong > 0 && nAlong + nLength > nWrapWidth && !pButton->IsSeparator())
        {
            if (nLastVisible >= 0)
                wrap[nLastVisible] = 1;
            finishRow(i);
            nAcross += nRowThickness;
            nAlong = 0;
            nRowThickness = 0;
            nRowStart = i;
        }
        visible[i] = 1;
        nLastVisible = i;
        rects[i] = bHorz ? CRect(nAlong, 0, nAlong + nLength, nThickness) : CRect(0, nAlong, nThickness, nAlong + nLength);
        nAlong += nLength;
        nRowThickness = std::max(nRowThickness, nThickness);
        nLongest = std::max(nLongest, nAlong);
    }
    // A trailing separator shows nothing.
    if (nLastVisible >= 0 && m_arrButtons[nLastVisible]->IsSeparator())
        visible[nLastVisible] = 0;
    if (nRowThickness == 0)
        nRowThickness = bHorz ? sizeDefault.cy : sizeDefault.cx;
    finishRow(nCount);
    nAcross += nRowThickness;
    if (nLongest == 0)
        nLongest = bHorz ? sizeDefault.cx : sizeDefault.cy;

    if (bApply)
    {
        const CRect rcContent = GetContentRect(bHorz);
        for (int i = 0; i < nCount; i++)
        {
            CRect rc = rects[i];
            rc.OffsetRect(rcContent.TopLeft());
            m_arrButtons[i]->SetRect(rc);
            m_arrButtons[i]->Show(visible[i] != 0);
            m_arrButtons[i]->SetWrap(wrap[i] != 0);
        }
    }
    return bHorz ? CSize(nLongest, nAcross) : CSize(nAcross, nLongest);
}

void CExtToolControlBar::DoRecalcLayout()
{
    if (m_hWnd == NULL || GetButtonsCount() == 0)
        return;
    const bool bHorz = IsHorizontal();
    int nWrap = 32767;
    if (IsFloating())
        nWrap = std::max(GetContentRect(true).Width(), (int)GetButtonDefaultSize().cx);
    LayoutButtons(bHorz, nWrap, true);
    Invalidate(FALSE);
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcDynamicLayout(-1, (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK));
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    CRect rcInsets(0, 0, 0, 0);
    const bool bFloatingMode = (nMode & LM_MRUWIDTH) || (IsFloating() && !(nMode & (LM_HORZDOCK | LM_VERTDOCK)));
    const bool bHorz = bFloatingMode || (nMode & LM_HORZDOCK) || ((nMode & LM_VERTDOCK) == 0 && (nMode & LM_HORZ));
    CalcInsideRect(rcInsets, bHorz);
    const CSize sizeInsets(-rcInsets.Width(), -rcInsets.Height());

    CSize size;
    if (bFloatingMode)
    {
        int nWrap = m_nFloatWrapWidth;
        if (nLength >= 0 && !(nMode & LM_LENGTHY))
            nWrap = std::max(nLength - (int)sizeInsets.cx, 1);
        else if (nLength >= 0)
        {
            // A height is asked for: as many rows as fit, spread evenly.
            CSize sizeOneRow = LayoutButtons(true, 32767, false);
            const int nRows = std::max((nLength - (int)sizeInsets.cy) / std::max((int)GetButtonDefaultSize().cy, 1), 1);
            nWrap = std::max((int)(sizeOneRow.cx + nRows - 1) / nRows, (int)GetButtonDefaultSize().cx);
        }
        size = LayoutButtons(true, nWrap, false);
        if (nMode & LM_COMMIT)
            m_nFloatWrapWidth = std::max((int)size.cx, 1);
    }
    else
        size = LayoutButtons(bHorz, 32767, false);
    size += sizeInsets;
    if (nMode & LM_STRETCH)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

void CExtToolControlBar::PaintGripper(CDC& dc, const CRect& rcClient, const CRect& rcContent, bool bHorz)
{
    CRect rcGripper(rcClient);
    if (bHorz)
        rcGripper.right = rcContent.left;
    else
        rcGripper.bottom = rcContent.top;
    // The gripper runs along the edge the content starts from.
    CExtPaintBarCaptionArgs args(this, rcGripper, rcGripper, NULL, false, false, bHorz, false);
    g_PaintManagerHolder->PaintControlBarCaption(dc, args);
}

void CExtToolControlBar::DelayRecalcFrameLayout()
{
    DoRecalcLayout();
    CExtControlBar::DelayRecalcFrameLayout();
}

void CExtToolControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    DoRecalcLayout();
}

/////////////////////////////////////////////////////////////////////////////
// Painting and updating

void CExtToolControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    // One off-screen buffer per paint: no flicker while buttons change.
    CExtOffscreenDC dcMem(pDC, &rcClient, CExtOffscreenDC::eOffscreen);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    PaintBarBackground(dcMem, rcClient);
    const bool bHorz = IsHorizontal();
    if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating())
        PaintGripper(dcMem, rcClient, GetContentRect(bHorz), bHorz);
    dcMem.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetButtonsCount(); i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (pButton->IsVisible())
            pButton->Paint(dcMem, bHorz);
    }
    dcMem.Flush();
    pPM->OnPaintSessionComplete(this);
}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (pTarget == NULL || (GetStyle() & WS_VISIBLE) == 0)
        return;
    CCmdTarget* pCmdTarget = GetCommandTarget();
    if (pCmdTarget == NULL)
        pCmdTarget = pTarget;
    for (int i = 0; i < GetButtonsCount(); i++)
        m_arrButtons[i]->OnUpdateCmdUI(pCmdTarget, bDisableIfNoHndler, i);
}

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_nBtnIdxMenuTracking >= 0 || CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    int nIndex = HitTestButton(point);
    if (nIndex < 0)
        return -1;
    return m_arrButtons[nIndex]->OnToolHitTest(point, pTI);
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

int CExtToolControlBar::HitTestButton(CPoint point) const
{
    for (int i = 0; i < GetButtonsCount(); i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (pButton->IsVisible() && !pButton->IsSeparator() && pButton->GetRect().PtInRect(point))
            return i;
    }
    return -1;
}

void CExtToolControlBar::SetHoverIndex(int nIndex)
{
    if (nIndex == m_nBtnIdxHover)
        return;
    CExtBarButton* pOld = GetButton(m_nBtnIdxHover);
    if (pOld != NULL)
    {
        pOld->SetHover(false);
        InvalidateButton(m_nBtnIdxHover);
    }
    m_nBtnIdxHover = nIndex;
    CExtBarButton* pNew = GetButton(nIndex);
    // The hot command's prompt in the frame's status bar; the idle text after it.
    const bool bHotCommand = pNew != NULL && !pNew->IsSeparator();
    if (bHotCommand || pOld != NULL)
        ShowCommandStatusText(this, bHotCommand ? pNew->GetCmdID(true) : (UINT)AFX_IDS_IDLEMESSAGE);
    if (pNew != NULL)
    {
        pNew->SetHover(true);
        InvalidateButton(nIndex);
        if (!m_bTrackingLeave)
        {
            TRACKMOUSEEVENT tme;
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = m_hWnd;
            tme.dwHoverTime = 0;
            m_bTrackingLeave = ::TrackMouseEvent(&tme) != FALSE;
        }
    }
    UpdateWindow();
}

void CExtToolControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nBtnIdxPressed >= 0)
    {
        // A pressed button looks pressed only while the mouse is over it.
        CExtBarButton* pButton = GetButton(m_nBtnIdxPressed);
        const bool bOver = HitTestButton(point) == m_nBtnIdxPressed;
        UINT nStyle = pButton->GetStyle();
        UINT nNew = bOver ? (nStyle | TBBS_PRESSED) : (nStyle & ~TBBS_PRESSED);
        SetButtonStyle(m_nBtnIdxPressed, nNew);
        return;
    }
    CWnd* pActive = GetActiveWindow();
    const bool bActiveTree = pActive != NULL && (pActive->m_hWnd == ::GetAncestor(m_hWnd, GA_ROOT) ||
                                                 ::GetWindow(::GetAncestor(m_hWnd, GA_ROOT), GW_OWNER) == pActive->m_hWnd);
    SetHoverIndex(bActiveTree && !CExtPopupMenuWnd::IsTrackingActive() ? HitTestButton(point) : -1);
    CExtControlBar::OnMouseMove(nFlags, point);
}

LRESULT CExtToolControlBar::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTrackingLeave = false;
    SetHoverIndex(-1);
    return 0;
}

void CExtToolControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    int nIndex = HitTestButton(point);
    if (nIndex < 0)
    {
        // Not on a button: the bar is dragged.
        CExtControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    CExtBarButton* pButton = m_arrButtons[nIndex];
    if (pButton->IsDisabled() && !pButton->IsAbleToTrackMenu())
        return;
    if (pButton->IsAbleToTrackMenu())
    {
        TrackButtonMenu(nIndex);
        return;
    }
    m_nBtnIdxPressed = nIndex;
    SetButtonStyle(nIndex, pButton->GetStyle() | TBBS_PRESSED);
    pButton->OnClick(point, true);
    SetCapture(m_hWnd);
}

void CExtToolControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nBtnIdxPressed < 0)
    {
        CExtControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nBtnIdxPressed;
    m_nBtnIdxPressed = -1;
    CExtBarButton* pButton = GetButton(nIndex);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (pButton == NULL)
        return;
    SetButtonStyle(nIndex, pButton->GetStyle() & ~TBBS_PRESSED);
    if (HitTestButton(point) == nIndex)
        pButton->OnClick(point, false);
}

void CExtToolControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click on a button is two clicks; elsewhere it toggles docking.
    if (HitTestButton(point) >= 0)
    {
        OnLButtonDown(nFlags, point);
        return;
    }
    CExtControlBar::OnLButtonDblClk(nFlags, point);
}

void CExtToolControlBar::OnCancelMode()
{
    CExtControlBar::OnCancelMode();
    if (m_nBtnIdxPressed >= 0)
    {
        CExtBarButton* pButton = GetButton(m_nBtnIdxPressed);
        if (pButton != NULL)
            SetButtonStyle(m_nBtnIdxPressed, pButton->GetStyle() & ~TBBS_PRESSED);
        m_nBtnIdxPressed = -1;
    }
    SetHoverIndex(-1);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CExtToolControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this && m_nBtnIdxPressed >= 0)
        SendMessage(WM_CANCELMODE);
    CExtControlBar::OnCaptureChanged(pWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Button menus

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || m_hWnd == NULL || !IsWindowVisible() || (pButton->GetStyle() & TBBS_HIDDEN) ||
        !pButton->IsAbleToTrackMenu())
        return false;
    if (m_nBtnIdxMenuTracking == nIndex)
        return true;
    if (bPost)
        return PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, bSelectAny ? 1 : 0) != FALSE;

    SetHoverIndex(-1);
    m_nBtnIdxMenuTracking = nIndex;
    SetButtonStyle(nIndex, pButton->GetStyle() | TBBS_PRESSED);
    CRect rc = pButton->GetRect();
    HWND hWnd = m_hWnd;
    pButton->OnTrackPopup(rc.CenterPoint(), bSelectAny);
    // The command may have destroyed the bar.
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return true;
    m_nBtnIdxMenuTracking = -1;
    pButton = GetButton(nIndex);
    if (pButton != NULL)
        SetButtonStyle(nIndex, pButton->GetStyle() & ~TBBS_PRESSED);
    return true;
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
    CWnd* pFrame = GetCommandTarget();
    if (pFrame != NULL && !pFrame->IsWindowEnabled())
        return 0;
    TrackButtonMenu((int)wParam, lParam != 0, false);
    return 0;
}

void CExtToolControlBar::CancelAllHotTracking()
{
    CSingleLock lock(&g_csBars, TRUE);
    for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
    {
        CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, g_arrBars[i]);
        if (pBar != NULL && pBar->m_hWnd != NULL)
            pBar->SetHoverIndex(-1);
    }
    CExtPopupMenuWnd::CancelTracking();
    CWnd::CancelToolTips();
}
