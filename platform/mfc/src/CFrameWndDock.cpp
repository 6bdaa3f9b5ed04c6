// CFrameWnd's control bars: the four dock bars, docking, floating, showing and
// hiding bars, and saving and restoring where they are.
#include "afxpriv.h"

#include <algorithm>
#include <vector>

const DWORD dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

namespace
{
const UINT nNoMoveFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

// Mini frames (floating frames) owned by a frame window.
std::vector<HWND> OwnedFloatingFrames(HWND hWndOwner)
{
    std::vector<HWND> frames;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (::GetWindow(hWnd, GW_OWNER) == hWndOwner && CWnd::FromHandlePermanent(hWnd) != NULL &&
            CWnd::FromHandlePermanent(hWnd)->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        {
            frames.push_back(hWnd);
        }
    }
    return frames;
}

// Whether a dock bar's record names a bar of the frame that no record before it
// took: only then does a floating record need a frame of its own. A damaged or
// hostile state thus makes at most one floating frame per bar.
BOOL TakesNewBar(CFrameWnd* pFrame, const CControlBarInfo* pInfo, std::vector<CControlBar*>& taken)
{
    BOOL bNew = FALSE;
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); i++)
    {
        DWORD dwEntry = pInfo->m_arrBarID[i];
        if (dwEntry == 0 || (dwEntry & AFX_DOCKSTATE_PLACEHOLDER))
            continue;
        CControlBar* pBar = pFrame->GetControlBar((UINT)dwEntry);
        if (pBar == NULL || pBar->IsDockBar() || std::find(taken.begin(), taken.end(), pBar) != taken.end())
            continue;
        taken.push_back(pBar);
        bNew = TRUE;
    }
    return bNew;
}
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd != NULL && (UINT)(WORD)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return NULL;
}

CDockBar* CFrameWnd::FindDockBar(UINT nDockBarID)
{
    // The dock bar of a side, never a floating frame's (they share one id).
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->IsDockBar() && !((CDockBar*)pBar)->m_bFloating && pBar->m_hWnd != NULL &&
            (UINT)(WORD)pBar->GetDlgCtrlID() == nDockBarID)
        {
            return (CDockBar*)pBar;
        }
    }
    return NULL;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    // Each allowed side gets its dock bar once, however often this is called.
    for (int i = 0; i < 4; i++)
    {
        if ((dwDockBarMap[i][1] & dwDockStyle & CBRS_ALIGN_ANY) == 0 || FindDockBar(dwDockBarMap[i][0]) != NULL)
            continue;
        CDockBar* pDockBar = new CDockBar;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | dwDockBarMap[i][1],
                              dwDockBarMap[i][0]))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
    }
    if (m_pFloatingFrameClass == NULL)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID == 0 ? NULL : FindDockBar(nDockBarID);
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == NULL)
    {
        // The side the bar is aligned to, when it may dock there; else the first side,
        // in the usual order, that it may dock on.
        const DWORD dwOwnSide = pBar->m_dwStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
        for (int i = 0; i < 4 && pDockBar == NULL; i++)
        {
            if (dwDockBarMap[i][1] & dwOwnSide)
                pDockBar = FindDockBar(dwDockBarMap[i][0]);
        }
        for (int i = 0; i < 4 && pDockBar == NULL; i++)
        {
            if (dwDockBarMap[i][1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY)
                pDockBar = FindDockBar(dwDockBarMap[i][0]);
        }
    }
    if (pDockBar == NULL)
        return;
    pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == NULL)
    {
        // Where it kept a place, else the first side it may dock on.
        for (int i = 0; i < 4 && pDockBar == NULL; i++)
        {
            CDockBar* pSide = FindDockBar(dwDockBarMap[i][0]);
            if (pSide != NULL && (dwDockBarMap[i][1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY) &&
                pSide->FindBar((CControlBar*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID()) > 0)
            {
                pDockBar = pSide;
            }
        }
    }
    if (pDockBar == NULL)
    {
        DockControlBar(pBar, (CDockBar*)NULL, lpRect);
        return;
    }
    pDockBar->ReDockControlBar(pBar, lpRect);
}

void CFrameWnd::RestackFloatingFrames()
{
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    for (HWND hWnd : OwnedFloatingFrames(m_hWnd))
    {
        if (!::IsWindowVisible(hWnd))
            continue;
        ::SetWindowPos(hWnd, m_hWnd, 0, 0, 0, 0, nFlags);
        ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, nFlags);
    }
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pClass->CreateObject());
    if (pFrame == NULL)
        AfxThrowMemoryException();
    if (!pFrame->Create(this, dwStyle))
        AfxThrowResourceException();
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    // A bar alone in its floating frame just moves with it.
    if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1)
    {
        CFrameWnd* pMiniFrame = (CFrameWnd*)pBar->m_pDockBar->GetParent();
        DWORD dwOldAlign = pBar->m_pDockBar->m_dwStyle & CBRS_ALIGN_ANY;
        if (((dwOldAlign & CBRS_ORIENT_HORZ) != 0) == ((dwStyle & CBRS_ORIENT_HORZ) != 0))
        {
            pMiniFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pMiniFrame->RecalcLayout(TRUE);
            pMiniFrame->UpdateWindow();
            if (pBar->m_pDockContext != NULL)
                pBar->m_pDockContext->m_ptMRUFloatPos = point;
            return;
        }
    }

    // A bar that sizes itself floats horizontally.
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
    pDockFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pDockFrame->m_wndDockBar.DockControlBar(pBar);
    pDockFrame->RecalcLayout(TRUE);
    if (pBar->m_pDockContext != NULL)
    {
        pBar->m_pDockContext->m_ptMRUFloatPos = point;
        pBar->m_pDockContext->m_dwMRUFloatStyle = dwStyle & CBRS_ALIGN_ANY;
    }
    if (pBar->GetStyle() & WS_VISIBLE)
    {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
    DelayRecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == NULL)
        pParentFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    }
    else
    {
        pBar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, nNoMoveFlags | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (bShow || !pBar->IsFloating())
            pParentFrame->RecalcLayout(FALSE);
    }

    // A floating frame shows while it holds a visible bar.
    if (pBar->IsFloating())
    {
        int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
        pParentFrame->ShowWindow(nVisible > 0 ? SW_SHOWNA : SW_HIDE);
        if (!bDelay && nVisible > 0)
            pParentFrame->RecalcLayout();
    }
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    // Every dock bar of the frame, those of derived classes and those nested inside
    // others too, in the order they joined it. A floating dock bar takes the bar only
    // when both allow several bars in one floating frame.
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (!pBar->IsDockBar() || pBar->m_hWnd == NULL || !pBar->IsWindowVisible())
            continue;
        CDockBar* pDockBar = (CDockBar*)pBar;
        const DWORD dwSide = pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY;
        if (dwSide == 0)
            continue;
        if (pDockBar->m_bFloating && (pDockBar->m_dwStyle & dwDockStyle & CBRS_FLOAT_MULTI) == 0)
            continue;
        // An empty dock bar has no thickness; its edge still takes a bar.
        CRect rectDock;
        pDockBar->GetWindowRect(&rectDock);
        if (rectDock.Width() == 0)
            rectDock.right++;
        if (rectDock.Height() == 0)
            rectDock.bottom++;
        if (rectDock.IntersectRect(rectDock, rect))
        {
            if (ppDockBar != NULL)
                *ppDockBar = pDockBar;
            return dwSide;
        }
    }
    if (ppDockBar != NULL)
        *ppDockBar = NULL;
    return 0;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    if (m_hWnd == NULL || (GetStyle() & WS_CHILD))
        return;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (::GetWindow(hWnd, GW_OWNER) == m_hWnd)
            ::SendMessage(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::DestroyDockBars()
{
    for (HWND hWnd : OwnedFloatingFrames(m_hWnd))
    {
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL || pBar->IsDockBar())
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL || pBar->IsDockBar())
        return FALSE;
    ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Saved docking state

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (pBar->m_hWnd == NULL)
            continue;
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    std::vector<HWND> oldFloatingFrames = OwnedFloatingFrames(m_hWnd);
    std::vector<CMiniDockFrameWnd*> newFloatingFrames;
    std::vector<CControlBar*> takenBars;

    // Records are matched to the frame's bars; floating dock bars that hold one of
    // them get new frames. Records of bars the frame does not have are left out.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        pInfo->m_pBar = NULL;
        // Dock bars take their bars in record order; a floating one that takes none
        // needs no frame.
        const BOOL bTakesBars = pInfo->m_bDockBar && (pInfo->m_bFloating || FindDockBar(pInfo->m_nBarID) != NULL) &&
                                TakesNewBar(this, pInfo, takenBars);
        if (pInfo->m_bDockBar && pInfo->m_bFloating && !bTakesBars)
            continue;
        if (pInfo->m_bDockBar && pInfo->m_bFloating)
        {
            CMiniDockFrameWnd* pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            pFrame->SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            newFloatingFrames.push_back(pFrame);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
        }
        else if (pInfo->m_bDockBar)
        {
            pInfo->m_pBar = FindDockBar(pInfo->m_nBarID);
        }
        else
        {
            CControlBar* pBar = GetControlBar(pInfo->m_nBarID);
            if (pBar != NULL && !pBar->IsDockBar())
                pInfo->m_pBar = pBar;
        }
    }

    // The named bars leave their dock bars (taken back to this frame first, so an
    // old floating frame can go without them).
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == NULL || pInfo->m_bDockBar || pBar->m_pDockBar == NULL)
            continue;
        CDockBar* pOldDockBar = pBar->m_pDockBar;
        pBar->ShowWindow(SW_HIDE);
        pBar->SetParent(this);
        int nPos = pOldDockBar->FindBar(pBar);
        if (nPos > 0)
            pOldDockBar->RemoveEntryAt(nPos);
        pBar->m_pDockBar = NULL;
    }

    // Dock bars take their rows back, then each bar its place, size and visibility.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        if (pInfo->m_pBar != NULL && pInfo->m_bDockBar)
            pInfo->m_pBar->SetBarInfo(pInfo, this);
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
        CControlBar* pBar = pInfo->m_pBar;
        if (pBar == NULL || pInfo->m_bDockBar)
            continue;
        // A bar that no restored row holds is docked where it may go.
        if (pBar->m_pDockBar == NULL)
            DockControlBar(pBar);
        pBar->SetBarInfo(pInfo, this);
        pBar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
        pBar->ShowWindow(pInfo->m_bVisible ? SW_SHOWNA : SW_HIDE);
    }

    // Old floating frames left empty go; new ones show when a bar in them is visible.
    for (HWND hWnd : oldFloatingFrames)
    {
        CMiniDockFrameWnd* pFrame = (CMiniDockFrameWnd*)CWnd::FromHandlePermanent(hWnd);
        if (pFrame != NULL && ::IsWindow(hWnd) && pFrame->m_wndDockBar.GetDockedCount() == 0)
            pFrame->DestroyWindow();
    }
    for (CMiniDockFrameWnd* pFrame : newFloatingFrames)
    {
        if (pFrame->m_wndDockBar.GetDockedCount() == 0)
        {
            pFrame->DestroyWindow();
            continue;
        }
        pFrame->RecalcLayout(TRUE);
        if (pFrame->m_wndDockBar.GetDockedVisibleCount() > 0)
            pFrame->ShowWindow(SW_SHOWNA);
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        ((CControlBarInfo*)state.m_arrBarInfo[i])->m_pBar = NULL;
    RecalcLayout();
}
