// CExtToolControlBar: buttons from toolbar resources, their layout in the bar's three
// states, painting, hot tracking, clicks and drop-down menus.
#include "CExtToolControlBar.h"

#include "CExtBarContentExpandButton.h"
#include "CExtCommandManagerHolder.h"
#include "CExtDockBar.h"
#include "CExtMonitorInfo.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "ExtBarQueries.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

bool CExtToolControlBar::g_bLargeIcons = false;
bool CExtToolControlBar::g_bDisplayScreenTips = true;
bool CExtToolControlBar::g_bDisplayShortcutKeysOnScreenTips = false;
bool CExtToolControlBar::g_bMenuTracking = false;
bool CExtToolControlBar::g_bShowAllItems = false;
int CExtToolControlBar::g_cxButtonDefault = 23;
int CExtToolControlBar::g_cyButtonDefault = 22;

namespace
{
const int nNoWrap = 0x7FFF;
// Room the gripper of a docked bar takes at its near end.
const int nGripperExtent = 7;
// Toolbar styles a tracking button loses and keeps.
const UINT nTrackingClearMask = 0xFFECFFFF;
const UINT nTrackingKeepMask = 0xFFEEFFFF;

int AlongOf(const CSize& size, bool bHorz)
{
    return bHorz ? size.cx : size.cy;
}

int AcrossOf(const CSize& size, bool bHorz)
{
    return bHorz ? size.cy : size.cx;
}
}

// A layout question about another state than the bar is in (a dragged bar asks how
// it would look docked at another side): the orientation and state the layout
// helpers read, for the duration of one query.
struct CExtToolControlBar::CLayoutQuery
{
    CLayoutQuery(CExtToolControlBar* pBar, int nState, bool bHorz)
        : m_pBar(pBar), m_nOldState(pBar->m_nQueryState), m_nOldHorz(pBar->m_nQueryHorz)
    {
        pBar->m_nQueryState = nState;
        pBar->m_nQueryHorz = bHorz ? 1 : 0;
    }
    ~CLayoutQuery()
    {
        m_pBar->m_nQueryState = m_nOldState;
        m_pBar->m_nQueryHorz = m_nOldHorz;
    }
    CExtToolControlBar* m_pBar;
    int m_nOldState, m_nOldHorz;
};

CExtToolControlBar::CExtToolControlBar()
    : m_nToolbarFlags(eChevronPanels), m_nLayoutFlags(0), m_pRightBtn(NULL), m_nBtnIdxMenuTracking(-1),
      m_nBtnIdxPressed(-1), m_nBtnIdxHover(-1), m_nMRUWidth(nNoWrap), m_nQueryState(-1), m_nQueryHorz(-1)
{
    m_nBarFlags |= eBarFixedMode;
    m_nBarFlags &= ~eBarCaptionAtTop;
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 0;
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

CExtBarButton* CExtToolControlBar::OnCreateBarCommandButton(UINT nCmdID, DWORD dwStyle)
{
    return new CExtBarButton(this, nCmdID, dwStyle);
}

CExtBarContentExpandButton* CExtToolControlBar::OnCreateBarRightButton()
{
    return IsPanelMode() ? NULL : new CExtBarContentExpandButton(this);
}

bool CExtToolControlBar::LoadToolbarResource(UINT nIDResource)
{
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(GetSafeHwnd());
    UINT* pIDs = NULL;
    int nCount = 0;
    if (!g_CommandManagerHolder->UpdateFromToolbarResource(strProfile, MAKEINTRESOURCE(nIDResource), &pIDs, &nCount,
                                                           false, true, RGB(192, 192, 192)))
        return false;
    const bool bResult = SetButtons(pIDs, nCount);
    delete[] pIDs;
    return bResult;
}

bool CExtToolControlBar::SetButtons(const UINT* pIDs, int nCount)
{
    RemoveAllButtons();
    try
    {
        for (int i = 0; pIDs != NULL && i < nCount; i++)
        {
            CExtBarButton* pButton = OnCreateBarCommandButton(pIDs[i], 0);
            m_arrButtons.Add(pButton);
        }
        CExtBarContentExpandButton* pChevron = OnCreateBarRightButton();
        if (pChevron != NULL)
        {
            m_pRightBtn = pChevron;
            m_arrButtons.Add(pChevron);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    catch (...)
    {
        return false;
    }
    if (m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

bool CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bDoRecalcLayout)
{
    const int nCount = GetButtonsCount();
    if (nPos > nCount)
        return false;
    if (nPos < 0)
        nPos = nCount;
    // The chevron stays last.
    if (nPos == nCount && m_pRightBtn != NULL && nCount > 0 && m_arrButtons[nCount - 1] == m_pRightBtn)
        nPos = nCount - 1;
    try
    {
        CExtBarButton* pButton = OnCreateBarCommandButton(nCmdID, 0);
        m_arrButtons.InsertAt(nPos, pButton);
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    catch (...)
    {
        return false;
    }
    ResetTrackingIndexes();
    if (bDoRecalcLayout && m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

bool CExtToolControlBar::RemoveButton(int nPos, bool bDoRecalcLayout)
{
    CExtBarButton* pButton = GetButton(nPos);
    if (pButton == NULL || pButton == m_pRightBtn)
        return false;
    if (m_pRightBtn != NULL)
        m_pRightBtn->ForgetButton(pButton);
    m_arrButtons.RemoveAt(nPos);
    delete pButton;
    ResetTrackingIndexes();
    if (bDoRecalcLayout && m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
}

void CExtToolControlBar::RemoveAllButtons()
{
    if (m_pRightBtn != NULL)
        m_pRightBtn->GetButtons().RemoveAll();
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    m_pRightBtn = NULL;
    ResetTrackingIndexes();
}

void CExtToolControlBar::ResetTrackingIndexes()
{
    m_nBtnIdxMenuTracking = m_nBtnIdxPressed = m_nBtnIdxHover = -1;
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

HMENU CExtToolControlBar::GetButtonMenu(int nIndex) const
{
    CExtBarButton* pButton = GetButton(nIndex);
    return pButton != NULL ? pButton->GetMenu() : NULL;
}

bool CExtToolControlBar::SetButtonAppendMdiWindowsMenu(int nIndex, bool bAppend)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL)
        return false;
    pButton->SetAppendMdiWindowsMenu(bAppend);
    return true;
}

bool CExtToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupFlag, bool bDestroyOnReset,
                                       bool bDoRecalcLayout)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || (hMenu != NULL && !::IsMenu(hMenu)))
        return false;
    pButton->SetMenu(hMenu, bPopupFlag, bDestroyOnReset);
    if (bDoRecalcLayout && m_hWnd != NULL)
        DelayRecalcFrameLayout();
    return true;
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

void CExtToolControlBar::GetButtonRect(int nIndex, RECT& rc) const
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL)
        ::SetRectEmpty(&rc);
    else
        pButton->GetRect(rc);
}

void CExtToolControlBar::InvalidateButton(int nIndex)
{
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || m_hWnd == NULL)
        return;
    CRect rc;
    pButton->GetRect(rc);
    if (pButton == m_pRightBtn)
    {
        // The chevron's look reaches past its rectangle.
        CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
        CSize sizeInflate = pPM->GetToolbarBackgroundInflate();
        if (pPM->IsBackgroundCustomized(this))
            sizeInflate += CSize(1, 1);
        rc.InflateRect(sizeInflate);
    }
    InvalidateRect(&rc, TRUE);
}

void CExtToolControlBar::SetTrackingButton(int nIndex)
{
    CExtBarButton* pOld = GetButton(m_nBtnIdxMenuTracking);
    if (pOld != NULL)
    {
        pOld->SetStyle(pOld->GetStyle() & nTrackingClearMask);
        pOld->ClearPushedForMenu();
        InvalidateButton(m_nBtnIdxMenuTracking);
    }
    m_nBtnIdxMenuTracking = -1;
    CExtBarButton* pNew = GetButton(nIndex);
    if (pNew != NULL)
    {
        m_nBtnIdxMenuTracking = nIndex;
        pNew->SetStyle((pNew->GetStyle() & nTrackingKeepMask) | TBBS_PRESSED);
        pNew->SetPushedForMenu();
        InvalidateButton(nIndex);
    }
    if (m_hWnd != NULL)
        UpdateWindow();
}

CWnd* CExtToolControlBar::GetCommandTarget() const
{
    if (m_hWnd != NULL && IsFloating() && m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL)
        return m_pDockSite;
    CWnd* pOwner = m_hWnd != NULL ? GetOwner() : NULL;
    if (pOwner != NULL && pOwner->m_hWnd != NULL)
        return pOwner;
    return m_pDockSite;
}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex)
{
    CExtBarButton* pButton = GetButton(nIndex);
    CWnd* pTarget = GetCommandTarget();
    if (pButton == NULL || pTarget == NULL || pTarget->m_hWnd == NULL)
        return;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    const BOOL bDisableIfNoHandler = pFrame != NULL ? pFrame->m_bAutoMenuEnable : TRUE;
    pButton->OnUpdateCmdUI(pTarget, bDisableIfNoHandler, nIndex);
}

/////////////////////////////////////////////////////////////////////////////
// Orientation and state

bool CExtToolControlBar::IsHorizontal() const
{
    if (m_nQueryHorz >= 0)
        return m_nQueryHorz != 0;
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || (m_dwStyle & CBRS_ORIENT_VERT) == 0;
}

int CExtToolControlBar::GetLayoutState() const
{
    if (m_nQueryState >= 0)
        return m_nQueryState;
    if ((m_nBarFlags & eBarNotInFrame) != 0 || m_hWnd == NULL || IsFloating())
        return eStateFloating;
    return IsDockedVertically() ? eStateDockedVert : eStateDockedHorz;
}

CSize CExtToolControlBar::GetButtonDefaultSize() const
{
    return CSize(g_cxButtonDefault, g_cyButtonDefault);
}

CFont* CExtToolControlBar::GetFont(bool bVertical)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    return bVertical ? &pPM->m_FontNormalVert : &pPM->m_FontNormal;
}

void CExtToolControlBar::AdjustInsideRect(RECT& rc, bool bHorz) const
{
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rc.left += AFX_CX_BORDER;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rc.top += AFX_CY_BORDER;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rc.right -= AFX_CX_BORDER;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rc.bottom -= AFX_CY_BORDER;
    if (bHorz)
    {
        rc.left += m_cxLeftBorder;
        rc.top += m_cyTopBorder;
        rc.right -= m_cxRightBorder;
        rc.bottom -= m_cyBottomBorder;
    }
    else
    {
        // A vertical bar turns its borders with it.
        rc.left += m_cyTopBorder;
        rc.top += m_cxLeftBorder;
        rc.right -= m_cyBottomBorder;
        rc.bottom -= m_cxRightBorder;
    }
    if ((m_dwStyle & CBRS_GRIPPER) && (m_dwStyle & CBRS_FLOATING) == 0)
    {
        if (bHorz)
            rc.left += nGripperExtent;
        else
            rc.top += nGripperExtent;
    }
}

int CExtToolControlBar::GetLastLayoutIndex() const
{
    const int nCount = GetButtonsCount();
    return nCount > 0 && m_arrButtons[nCount - 1] == m_pRightBtn ? nCount - 1 : nCount;
}

bool CExtToolControlBar::IsHiddenForLayout(int nIndex) const
{
    CExtBarButton* pButton = m_arrButtons[nIndex];
    if (pButton->GetStyle() & TBBS_HIDDEN)
        return true;
    // A separator before a hidden button goes with it.
    CExtBarButton* pNext = GetButton(nIndex + 1);
    return pButton->IsSeparator() && pNext != NULL && (pNext->GetStyle() & TBBS_HIDDEN) != 0;
}

/////////////////////////////////////////////////////////////////////////////
// Wrapping and sizes

int CExtToolControlBar::WrapToolBar(int nWidth, int nHeight)
{
    const bool bHorz = IsHorizontal();
    const bool bPanel = IsPanelMode();
    const bool bFree = GetLayoutState() == eStateFloating || nHeight == nNoWrap || IsMultiRowLayout();
    CClientDC dc(m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow());
    CFont* pOldFont = dc.SelectObject(GetFont(!bHorz && !bPanel));
    const CSize sizeDefault = GetButtonDefaultSize();
    if (!bFree && bHorz && m_pRightBtn != NULL && !bPanel)
        nWidth -= m_pRightBtn->CalculateLayout(dc, sizeDefault, bHorz).cx;
    const int nState = GetLayoutState();
    int nRows = 1, x = 0;
    CExtBarButton* pPrev = NULL;
    const int nLast = GetLastLayoutIndex();
    for (int i = 0; i < nLast; i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (!bPanel)
            pButton->SetWrap(nState, false);
        if (IsHiddenForLayout(i))
            continue;
        int cx = pButton->CalculateLayout(dc, sizeDefault, bHorz || bPanel).cx;
        if (pButton->IsSeparator() && x == 0)
            cx = 0;
        const bool bBreak = bPanel ? (pPrev != NULL && pPrev->IsWrap(nState))
                                   : (bFree && pPrev != NULL && x + cx > nWidth && !pButton->IsSeparator());
        if (bBreak)
        {
            if (!bPanel)
                pPrev->SetWrap(nState, true);
            x = 0;
            nRows++;
        }
        x += cx;
        pPrev = pButton;
    }
    dc.SelectObject(pOldFont);
    return nRows;
}

int CExtToolControlBar::WrapMultiRow(int nWidth)
{
    CClientDC dc(m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow());
    CFont* pOldFont = dc.SelectObject(GetFont(true));
    const CSize sizeDefault = GetButtonDefaultSize();
    if (m_pRightBtn != NULL)
        nWidth -= m_pRightBtn->CalculateLayout(dc, sizeDefault, false).cy;
    const int nState = GetLayoutState();
    int nRows = 1, y = 0;
    CExtBarButton* pPrev = NULL;
    const int nLast = GetLastLayoutIndex();
    for (int i = 0; i < nLast; i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        pButton->SetWrap(nState, false);
        if (IsHiddenForLayout(i))
            continue;
        int cy = pButton->CalculateLayout(dc, sizeDefault, false).cy;
        if (pButton->IsSeparator() && y == 0)
            cy = 0;
        if (pPrev != NULL && y + cy > nWidth && !pButton->IsSeparator())
        {
            pPrev->SetWrap(nState, true);
            y = 0;
            nRows++;
        }
        y += cy;
        pPrev = pButton;
    }
    dc.SelectObject(pOldFont);
    return nRows;
}

void CExtToolControlBar::SizeToolBar(int nLength, bool bVertical)
{
    if (GetButtonsCount() == 0 || IsPanelMode())
        return;
    const CSize sizeDefault = GetButtonDefaultSize();
    const bool bFloating = GetLayoutState() == eStateFloating && (m_nBarFlags & eBarNotInFrame) == 0;
    if (!bFloating)
    {
        if (!IsMultiRowLayout())
        {
            if (bVertical)
                WrapToolBar(nNoWrap, nLength);
            else
                WrapToolBar(nLength, nNoWrap);
            return;
        }
        if (!bVertical)
        {
            WrapToolBar(nLength, nNoWrap);
            return;
        }
        int nWidth = std::max(nLength - (int)sizeDefault.cy, (int)sizeDefault.cy);
        WrapMultiRow(nWidth);
        while (CalcSize(true).cy > nLength && nWidth >= 1)
        {
            nWidth -= sizeDefault.cy / 2;
            if (nWidth < 1)
                break;
            WrapMultiRow(nWidth);
        }
        return;
    }
    const int nStep = std::max((int)sizeDefault.cx / 2, 1);
    if (bVertical)
    {
        // A height is given: the narrowest width whose rows fit into it.
        if (nLength > 32766)
        {
            WrapToolBar(nNoWrap, nNoWrap);
            return;
        }
        CRect rcWindow(0, 0, 0, 0);
        if (m_hWnd != NULL)
            GetWindowRect(&rcWindow);
        const int nGiveUp = CExtMonitorInfo(rcWindow).m_rcWorkArea.Width() + nStep;
        int nWidth = nStep;
        for (;;)
        {
            WrapToolBar(nWidth, nNoWrap);
            if (CalcSize(false).cy <= nLength || nWidth > nGiveUp)
                break;
            nWidth += nStep;
        }
        return;
    }
    // A width is given: the rows it makes, at the smallest width that keeps them.
    const int nRows = WrapToolBar(nLength, nNoWrap);
    if (nLength <= nStep || WrapToolBar(nStep, nNoWrap) == nRows)
        return;
    int nTooNarrow = nStep, nWide = nLength;
    while (nTooNarrow + 1 < nWide)
    {
        const int nMiddle = nTooNarrow + (nWide - nTooNarrow) / 2;
        if (WrapToolBar(nMiddle, nNoWrap) == nRows)
            nWide = nMiddle;
        else
            nTooNarrow = nMiddle;
    }
    WrapToolBar(nWide, nNoWrap);
}

CSize CExtToolControlBar::CalcSize(bool bVertical)
{
    const CSize sizeDefault = GetButtonDefaultSize();
    if (GetButtonsCount() == 0)
        return sizeDefault;
    const bool bPanel = IsPanelMode();
    CClientDC dc(m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow());
    CFont* pOldFont = dc.SelectObject(GetFont(bVertical && !bPanel));
    const bool bHorz = !bVertical || bPanel;
    const int nState = GetLayoutState();
    const int nSpacing = g_PaintManagerHolder->GetControlBarSpacing(this);
    int nAlong = 0, nThickness = 0, nLongest = 0, nThicknessSum = 0, nRows = 0;
    auto endRow = [&] {
        nLongest = std::max(nLongest, nAlong);
        nThicknessSum += nThickness;
        nRows++;
        nAlong = nThickness = 0;
    };
    const int nLast = GetLastLayoutIndex();
    for (int i = 0; i < nLast; i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (IsHiddenForLayout(i))
            continue;
        CSize size = pButton->CalculateLayout(dc, sizeDefault, bHorz);
        if (pButton->IsSeparator() && nAlong == 0)
            size = CSize(0, 0);
        nAlong += AlongOf(size, !bVertical);
        nThickness = std::max(nThickness, AcrossOf(size, !bVertical));
        if (pButton->IsWrap(nState))
            endRow();
    }
    if (nAlong > 0 || nThickness > 0 || nRows == 0)
        endRow();
    dc.SelectObject(pOldFont);
    nThicknessSum += nSpacing * (nRows - 1);
    CSize size = bVertical ? CSize(nThicknessSum, nLongest) : CSize(nLongest, nThicknessSum);
    if (!bVertical)
        size.cx += m_cxLeftBorder + m_cxRightBorder + nSpacing / 2;
    else
    {
        size.cx += 1;
        size.cy += m_cyTopBorder + m_cyBottomBorder + nSpacing;
    }
    if (GetLayoutState() == eStateFloating && (m_nBarFlags & eBarNotInFrame) == 0)
        size += CSize(1, 1);
    return size;
}

CSize CExtToolControlBar::CalcLayout(DWORD dwMode, int nLength)
{
    // The state asked about: a docking mode names one; otherwise the bar's own.
    int nState = GetLayoutState();
    bool bHorz = IsHorizontal();
    if ((m_nBarFlags & eBarNotInFrame) == 0)
    {
        if (dwMode & LM_HORZDOCK)
            nState = eStateDockedHorz, bHorz = true;
        else if (dwMode & LM_VERTDOCK)
            nState = eStateDockedVert, bHorz = false;
        else if (dwMode & (LM_MRUWIDTH | LM_LENGTHY | LM_COMMIT))
            nState = eStateFloating, bHorz = true;
        else if (nState != eStateFloating)
        {
            bHorz = (dwMode & LM_HORZ) != 0;
            nState = bHorz ? eStateDockedHorz : eStateDockedVert;
        }
    }
    const CLayoutQuery query(this, nState, bHorz);
    const bool bFloating = nState == eStateFloating && (m_nBarFlags & eBarNotInFrame) == 0;
    const bool bGuarded = (m_nLayoutFlags & eCalcLayoutGuard) != 0;
    if (!bGuarded)
        m_nLayoutFlags &= ~eMinimizedOnRow;

    CSize size = GetButtonDefaultSize();
    if (GetButtonsCount() > 0)
    {
        if (m_pRightBtn != NULL)
            m_pRightBtn->SetBarCompletelyVisible(false);
        int nWrapAt = (dwMode & LM_HORZ) ? nNoWrap : 0;
        if (m_dwStyle & CBRS_SIZE_DYNAMIC)
        {
            if (dwMode & LM_MRUWIDTH)
                nWrapAt = m_nMRUWidth;
            else if (dwMode & LM_HORZDOCK)
                nWrapAt = nNoWrap;
            else if (dwMode & LM_VERTDOCK)
                nWrapAt = 0;
            else if (nLength != -1)
            {
                CRect rcInside(0, 0, 0, 0);
                AdjustInsideRect(rcInside, bHorz);
                nWrapAt = nLength + ((dwMode & LM_LENGTHY) ? rcInside.Height() : rcInside.Width());
            }
            else if (bFloating)
                nWrapAt = m_nMRUWidth;
        }
        const bool bMultiRowDocked = IsMultiRowLayout() && !bFloating;
        if (bMultiRowDocked && !bHorz && m_hWnd != NULL)
        {
            CRect rcClient;
            GetClientRect(&rcClient);
            nWrapAt = rcClient.Height();
        }
        const bool bSizeVertical = bFloating ? (dwMode & LM_LENGTHY) != 0 : !bHorz;
        SizeToolBar(nWrapAt, bSizeVertical);
        size = CalcSize(!bHorz);
        if (bMultiRowDocked && m_hWnd != NULL)
        {
            CRect rcClient;
            GetClientRect(&rcClient);
            const int nRow = AlongOf(rcClient.Size(), bHorz);
            int nAllowance = 6;
            if (m_pRightBtn != NULL && m_pRightBtn->IsVisible())
                nAllowance += AlongOf(m_pRightBtn->GetSize(), bHorz);
            if (nRow < AlongOf(size, bHorz) + nAllowance)
            {
                const int nNewLength = std::max(nRow - nAllowance, 1);
                if (nNewLength != nWrapAt && !bGuarded)
                {
                    m_nLayoutFlags |= eMinimizedOnRow | eCalcLayoutGuard;
                    const CSize sizeShorter = CalcLayout(dwMode, nNewLength);
                    m_nLayoutFlags &= ~eCalcLayoutGuard;
                    return sizeShorter;
                }
            }
            if (nWrapAt != nNoWrap)
                DoRecalcLayout();
        }
        if (m_pRightBtn != NULL && m_pRightBtn->GetButtons().GetSize() == 0)
            m_pRightBtn->SetBarCompletelyVisible(true);
        // A docked bar keeps room for its chevron at the far end.
        if (!bFloating && !IsPanelMode() && m_pRightBtn != NULL)
        {
            CClientDC dc(m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow());
            const CSize sizeChevron = m_pRightBtn->CalculateLayout(dc, GetButtonDefaultSize(), bHorz);
            const CSize sizeInflate = g_PaintManagerHolder->GetToolbarBackgroundInflate();
            if (bHorz)
                size.cx += sizeChevron.cx + sizeInflate.cx;
            else
                size.cy += sizeChevron.cy + sizeInflate.cy;
        }
        if ((dwMode & LM_COMMIT) && ((m_dwStyle & CBRS_SIZE_DYNAMIC) || bFloating) && bHorz)
            m_nMRUWidth = size.cx;
        CRect rcInside(0, 0, 0, 0);
        AdjustInsideRect(rcInside, bHorz);
        size.cx -= rcInside.Width();
        size.cy -= rcInside.Height();
        const CSize sizeFixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
        size.cx = std::max(size.cx, sizeFixed.cx);
        size.cy = std::max(size.cy, sizeFixed.cy);
    }
    // Each state keeps the size it was last given.
    if (bFloating)
    {
        size.cx = std::max((int)size.cx, 2 * (int)GetButtonDefaultSize().cx);
        m_sizeFloated = size;
    }
    else if (nState == eStateDockedVert)
        m_sizeDockedV = size;
    else if (nState == eStateDockedHorz)
        m_sizeDockedH = size;
    if (m_pDockBar == NULL && !bFloating)
    {
        if (bHorz)
            size.cy += 4;
        else
            size.cx += 4;
    }
    return size;
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nLength == -1 && (nMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && (nMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcLayout(nMode, nLength);
}

CSize CExtToolControlBar::GetMinimalSize()
{
    if (IsPanelMode())
        return CalcFixedLayout(FALSE, IsHorizontal());
    const bool bHorz = IsHorizontal();
    const CSize sizeDefault = GetButtonDefaultSize();
    CClientDC dc(m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow());
    CFont* pOldFont = dc.SelectObject(GetFont(!bHorz));
    int nSmallest = 0;
    for (int i = 0; i < GetLastLayoutIndex(); i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (pButton->IsSeparator() || IsHiddenForLayout(i))
            continue;
        const int nAlong = AlongOf(pButton->CalculateLayout(dc, sizeDefault, bHorz), bHorz);
        nSmallest = nSmallest == 0 ? nAlong : std::min(nSmallest, nAlong);
    }
    const int nChevron =
        m_pRightBtn != NULL ? AlongOf(m_pRightBtn->CalculateLayout(dc, sizeDefault, bHorz), bHorz) : 0;
    dc.SelectObject(pOldFont);
    CSize size = bHorz ? CSize(nChevron + nSmallest, sizeDefault.cy) : CSize(sizeDefault.cx, nChevron + nSmallest);
    CRect rcInside(0, 0, 0, 0);
    AdjustInsideRect(rcInside, bHorz);
    return CSize(size.cx - rcInside.Width(), size.cy - rcInside.Height());
}

void CExtToolControlBar::SetBarStateExtra(const CExtBarStateExtra* pExtra)
{
    if (pExtra != NULL)
        m_stateExtra = *pExtra;
}

/////////////////////////////////////////////////////////////////////////////
// Laying out the buttons

void CExtToolControlBar::DoRecalcLayout()
{
    if (m_hWnd == NULL || GetButtonsCount() == 0)
        return;
    const bool bHorz = IsHorizontal();
    const bool bPanel = IsPanelMode();
    const bool bFloating = IsFloating() != FALSE;
    const bool bMultiRow = IsMultiRowLayout();
    CRect rc;
    GetClientRect(&rc);
    AdjustInsideRect(rc, bHorz);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetFont(!bHorz && !bPanel));
    const CSize sizeDefault = GetButtonDefaultSize();
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const bool bCustomized = pPM->IsBackgroundCustomized(this);

    int nCount = GetButtonsCount();
    CExtBarContentExpandButton* pChevron = m_pRightBtn;
    if (pChevron != NULL && m_arrButtons[nCount - 1] == pChevron)
    {
        nCount--;
        pChevron->GetButtons().RemoveAll();
        pChevron->SetBarCompletelyVisible(true);
        pChevron->SetVertical(!bHorz);
        const CSize sizeChevron = pChevron->CalculateLayout(dc, sizeDefault, bHorz);
        if (bFloating || bPanel)
        {
            pChevron->Show(false);
            pChevron->SetRect(CRect(rc.TopLeft(), sizeChevron));
        }
        else
        {
            pChevron->Show(true);
            const CSize sizeInflate = pPM->GetToolbarBackgroundInflate();
            if (bHorz)
            {
                pChevron->SetRect(CRect(rc.right - sizeChevron.cx, rc.top, rc.right, rc.bottom));
                rc.right -= sizeChevron.cx + sizeInflate.cx;
            }
            else
            {
                pChevron->SetRect(CRect(rc.left, rc.bottom - sizeChevron.cy, rc.right, rc.bottom));
                rc.bottom -= sizeChevron.cy + sizeInflate.cy;
            }
        }
    }
    else
        pChevron = NULL;
    if (nCount > 0)
    {
        if (!bFloating && bMultiRow)
        {
            if (!bHorz)
            {
                rc.right -= bCustomized ? 2 : 1;
                rc.top -= 1;
            }
            else if (bCustomized)
                rc.top += 1;
        }
        LayOutRun(dc, rc, bHorz, bFloating || bMultiRow || bPanel, bCustomized);
    }
    if (pChevron != NULL)
    {
        // Floating, it offers only what it hides; docked again it is enabled again.
        if (bFloating && pChevron->GetButtons().GetSize() == 0)
            pChevron->SetStyle(pChevron->GetStyle() | TBBS_DISABLED);
        else
            pChevron->SetStyle(pChevron->GetStyle() & ~TBBS_DISABLED);
        pChevron->SetBarCompletelyVisible(pChevron->GetButtons().GetSize() == 0);
    }
    dc.SelectObject(pOldFont);
    Invalidate();
}

void CExtToolControlBar::LayOutRun(CDC& dc, const CRect& rc, bool bHorz, bool bWrapRows, bool bCustomized)
{
    const bool bPanel = IsPanelMode();
    const bool bFloating = IsFloating() != FALSE;
    const bool bMultiRow = IsMultiRowLayout();
    const int nState = GetLayoutState();
    const CSize sizeDefault = GetButtonDefaultSize();
    const int nSpacing = g_PaintManagerHolder->GetControlBarSpacing(this);
    const int nCount = GetLastLayoutIndex();
    // Multi-row vertical bars run right to left.
    const bool bRightToLeft = bMultiRow && !bHorz && !bFloating;
    std::vector<CRect> rects((size_t)nCount, CRect(0, 0, 0, 0));
    std::vector<char> visible((size_t)nCount, 0);
    std::vector<int> rowOf((size_t)nCount, -1);
    std::vector<int> rowStart;       // across coordinate of each row
    std::vector<int> hidden;         // indexes the layout moved into the chevron
    const int nRunStart = bHorz ? rc.left : rc.top;
    const int nRunEnd = bHorz ? rc.right : rc.bottom;
    int nAlong = nRunStart;
    int nAcross = bHorz ? rc.top : (bRightToLeft ? rc.right : rc.left);
    int nRowThickness = AcrossOf(sizeDefault, bHorz);
    bool bOpensRun = true;
    bool bHidBeforeChevron = false;
    rowStart.push_back(nAcross);
    auto alongExtent = [&](int i) { return bHorz ? rects[(size_t)i].Width() : rects[(size_t)i].Height(); };
    auto shiftBack = [&](int nFrom, int nTo, int nBy) {
        for (int k = nFrom; k <= nTo; k++)
        {
            if (visible[(size_t)k])
                rects[(size_t)k].OffsetRect(bHorz ? -nBy : 0, bHorz ? 0 : -nBy);
        }
    };
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        bool bVisible = !IsHiddenForLayout(i);
        if (bVisible)
            pButton->SetVertical(!bHorz && !bPanel);
        if (bVisible && pButton->IsSeparator() && bOpensRun)
            bVisible = false;
        if (!bVisible)
            continue;
        const CSize size = pButton->CalculateLayout(dc, sizeDefault, bHorz || bPanel);
        const int nThick = AcrossOf(size, bHorz);
        if (bHorz)
            rects[(size_t)i] = CRect(CPoint(nAlong, nAcross), size);
        else if (bRightToLeft)
            rects[(size_t)i] = CRect(CPoint(nAcross - size.cx, nAlong), size);
        else
            rects[(size_t)i] = CRect(CPoint(nAcross, nAlong), size);
        visible[(size_t)i] = 1;
        rowOf[(size_t)i] = (int)rowStart.size() - 1;
        nAlong += AlongOf(size, bHorz);
        nRowThickness = std::max(nRowThickness, nThick);
        bOpensRun = false;
        if (bWrapRows)
        {
            if (pButton->IsWrap(nState))
            {
                nAlong = nRunStart;
                nAcross += (bRightToLeft ? -1 : 1) * (nRowThickness + nSpacing);
                rowStart.push_back(nAcross);
                nRowThickness = AcrossOf(sizeDefault, bHorz);
                bOpensRun = true;
            }
            continue;
        }
        // What does not fit goes into the chevron: the button whose hiding leaves the
        // smallest overflow.
        while (visible[(size_t)i] && nAlong > nRunEnd)
        {
            const int nOverflow = nAlong - nRunEnd;
            int nChosen = i, nBest = nOverflow - alongExtent(i);
            for (int j = 0; j < i; j++)
            {
                if (!visible[(size_t)j] || m_arrButtons[j]->IsSeparator())
                    continue;
                const int nExtent = alongExtent(j);
                if (nExtent <= nOverflow && nOverflow - nExtent < nBest)
                    nChosen = j, nBest = nOverflow - nExtent;
            }
            int nRemoved = alongExtent(nChosen);
            visible[(size_t)nChosen] = 0;
            hidden.push_back(nChosen);
            if (nChosen < i)
            {
                int nPrev = nChosen - 1, nNext = nChosen + 1;
                while (nPrev >= 0 && !visible[(size_t)nPrev])
                    nPrev--;
                while (nNext <= i && !visible[(size_t)nNext])
                    nNext++;
                if (nPrev >= 0 && nNext <= i && m_arrButtons[nPrev]->IsSeparator() &&
                    m_arrButtons[nNext]->IsSeparator())
                {
                    nRemoved += alongExtent(nPrev);
                    visible[(size_t)nPrev] = 0;
                }
            }
            shiftBack(nChosen + 1, i, nRemoved);
            nAlong -= nRemoved;
            if (!bPanel)
                bHidBeforeChevron = true;
        }
    }
    // Edge separators of what stays are dropped.
    if (bHidBeforeChevron)
    {
        int nFirst = 0;
        while (nFirst < nCount && !visible[(size_t)nFirst])
            nFirst++;
        int nLead = 0;
        while (nFirst < nCount && m_arrButtons[nFirst]->IsSeparator())
        {
            nLead += alongExtent(nFirst);
            visible[(size_t)nFirst] = 0;
            while (++nFirst < nCount && !visible[(size_t)nFirst])
                ;
        }
        if (nLead > 0)
            shiftBack(0, nCount - 1, nLead);
        for (int nLastVisible = nCount - 1; nLastVisible >= 0; nLastVisible--)
        {
            if (!visible[(size_t)nLastVisible])
                continue;
            if (!m_arrButtons[nLastVisible]->IsSeparator())
                break;
            visible[(size_t)nLastVisible] = 0;
        }
    }

    // Rows: each as thick as its thickest button; separators across it, the others
    // centred in it.
    const int nRows = (int)rowStart.size();
    std::vector<int> rowThickness((size_t)nRows, AcrossOf(sizeDefault, bHorz));
    for (int i = 0; i < nCount; i++)
    {
        if (visible[(size_t)i] && !m_arrButtons[i]->IsSeparator())
            rowThickness[(size_t)rowOf[(size_t)i]] =
                std::max(rowThickness[(size_t)rowOf[(size_t)i]], AcrossOf(rects[(size_t)i].Size(), bHorz));
    }
    const bool bSingleRowDocked = !bWrapRows;
    const int nPush = (bFloating || bMultiRow) ? 1 : 0;
    int nMinAlong = INT_MAX, nMaxAlong = INT_MIN;
    for (int i = 0; i < nCount; i++)
    {
        if (!visible[(size_t)i])
            continue;
        CRect& r = rects[(size_t)i];
        int nRowFrom, nRowThick;
        if (bSingleRowDocked)
        {
            nRowFrom = bHorz ? rc.top : rc.left;
            nRowThick = bHorz ? rc.Height() : rc.Width();
        }
        else
        {
            nRowThick = rowThickness[(size_t)rowOf[(size_t)i]];
            nRowFrom = bRightToLeft ? rowStart[(size_t)rowOf[(size_t)i]] - nRowThick : rowStart[(size_t)rowOf[(size_t)i]];
        }
        const int nSize = AcrossOf(r.Size(), bHorz);
        const int nFrom = m_arrButtons[i]->IsSeparator() ? nRowFrom : nRowFrom + (nRowThick - nSize) / 2;
        const int nThick = m_arrButtons[i]->IsSeparator() ? nRowThick : nSize;
        if (bHorz)
            r = CRect(r.left, nFrom + nPush, r.right, nFrom + nPush + nThick);
        else
            r = CRect(nFrom, r.top + nPush, nFrom + nThick, r.bottom + nPush);
        nMinAlong = std::min(nMinAlong, bHorz ? (int)r.left : (int)r.top);
        nMaxAlong = std::max(nMaxAlong, bHorz ? (int)r.right : (int)r.bottom);
    }
    // A separator that ends a row of a wrapped bar becomes a line across the bar.
    if (bWrapRows && !bPanel && nMinAlong <= nMaxAlong)
    {
        const int nInflate = bCustomized ? 2 : 1;
        for (int i = 0; i < nCount; i++)
        {
            CExtBarButton* pButton = m_arrButtons[i];
            if (!visible[(size_t)i] || !pButton->IsSeparator() || !pButton->IsWrap(nState))
                continue;
            const int nRow = rowOf[(size_t)i];
            const int nBelow = rowStart[(size_t)nRow] + rowThickness[(size_t)nRow] + nPush;
            if (bHorz)
                rects[(size_t)i] = CRect(nMinAlong - nInflate, nBelow, nMaxAlong + nInflate, nBelow + nSpacing);
            else
                rects[(size_t)i] = CRect(nBelow, nMinAlong - nInflate, nBelow + nSpacing, nMaxAlong + nInflate);
        }
    }
    for (int i = 0; i < nCount; i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        pButton->SetRect(visible[(size_t)i] ? rects[(size_t)i] : CRect(0, 0, 0, 0));
        pButton->Show(visible[(size_t)i] != 0);
    }
    CExtBarContentExpandButton* pChevron = m_pRightBtn;
    if (pChevron == NULL)
        return;
    // The chevron lists them in bar order, a separator between groups that stood apart.
    std::sort(hidden.begin(), hidden.end());
    CArray<CExtBarButton*, CExtBarButton*>& list = pChevron->GetButtons();
    list.RemoveAll();
    for (size_t k = 0; k < hidden.size(); k++)
    {
        const int nIndex = hidden[k];
        if (m_arrButtons[nIndex]->GetStyle() & TBBS_HIDDEN)
            continue;
        if (k > 0 && bSingleRowDocked && hidden.size() >= 2)
        {
            for (int j = hidden[k - 1] + 1; j < nIndex; j++)
            {
                if (m_arrButtons[j]->IsSeparator())
                {
                    list.Add(m_arrButtons[j]);
                    break;
                }
            }
        }
        list.Add(m_arrButtons[nIndex]);
    }
}

void CExtToolControlBar::DelayRecalcFrameLayout()
{
    if (m_hWnd == NULL)
        return;
    RecalcNcArea();
    DoRecalcLayout();
    if ((m_nBarFlags & eBarNotInFrame) != 0)
    {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        return;
    }
    // The bar's size may have changed with its content (a multi-row bar's rows too):
    // the row it stands in wants it at its new length.
    if (IsDocked() && !IsMultiRowLayout())
    {
        const bool bHorzRow = IsDockedHorizontally();
        const CSize sizeWanted = CalcDynamicLayout(-1, bHorzRow ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
        m_stateExtra.LengthAlong(bHorzRow) = (DWORD)AlongOf(sizeWanted, bHorzRow);
    }
    CExtControlBar::DelayRecalcFrameLayout();
}

DWORD CExtToolControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    const DWORD dwResult = CExtControlBar::RecalcDelayShow(lpLayout);
    if (m_hWnd != NULL && IsDocked() && IsVisible())
        DoRecalcLayout();
    return dwResult;
}

void CExtToolControlBar::ToggleDocking()
{
    if (m_pDockContext != NULL)
        m_pDockContext->ToggleDocking();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->m_hWnd != NULL)
        pFrame->DelayRecalcLayout();
    if (m_hWnd != NULL)
        RecalcNcArea();
}

LRESULT CExtToolControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CExtControlBar::WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_WINDOWPOSCHANGED && m_hWnd != NULL)
    {
        try
        {
            // Only a new size gives the buttons new places.
            const WINDOWPOS* pPos = (const WINDOWPOS*)lParam;
            if (pPos != NULL && (pPos->flags & SWP_NOSIZE) == 0)
                DoRecalcLayout();
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    return lResult;
}

void CExtToolControlBar::OnSize(UINT nType, int cx, int cy)
{
    CExtControlBar::OnSize(nType, cx, cy);
    DoRecalcLayout();
}

void CExtToolControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CExtControlBar::OnSettingChange(uFlags, lpszSection);
    if ((m_nBarFlags & eBarNotInFrame) != 0)
        DelayRecalcFrameLayout();
    else if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
}

void CExtToolControlBar::OnDestroy()
{
    // A popup from one of the buttons must not outlive the bar it paints into.
    if (m_nBtnIdxMenuTracking >= 0 && CExtPopupMenuWnd::IsTrackingActive())
        CExtPopupMenuWnd::CancelTracking();
    if (m_nBtnIdxMenuTracking >= 0)
        g_bMenuTracking = false;
    ReleaseBarCapture();
    ResetTrackingIndexes();
    CExtControlBar::OnDestroy();
}

/////////////////////////////////////////////////////////////////////////////
// Painting and updating

void CExtToolControlBar::DoPaint(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const bool bHorz = IsHorizontal();
    {
        // One off-screen buffer per paint: no flicker while buttons change.
        CExtOffscreenDC dc(pDC, &rcClient, CExtOffscreenDC::eOffscreen);
        PaintBarBackground(dc, rcClient);
        if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating())
        {
            CRect rcContent(rcClient);
            AdjustInsideRect(rcContent, bHorz);
            PaintGripper(dc, rcClient, rcContent, bHorz);
        }
        dc.SetTextColor(pPM->GetColor(1010));
        dc.SetBkMode(TRANSPARENT);
        CFont* pOldFont = dc.SelectObject(GetFont(!bHorz && !IsPanelMode()));
        const int nLast = GetLastLayoutIndex();
        if (pPM->IsToolbarBackgroundGradient(this) && IsDockedHorizontally())
        {
            // Each row's band, up to its last button.
            CRect rcRow(0, 0, 0, 0);
            int nRowLast = -1;
            for (int i = 0; i < nLast; i++)
            {
                CExtBarButton* pButton = m_arrButtons[i];
                if (!pButton->IsVisible())
                    continue;
                CRect rc;
                pButton->GetRect(rc);
                rcRow.UnionRect(rcRow, rc);
                nRowLast = i;
                if (pButton->IsWrap(GetLayoutState()))
                {
                    pPM->PaintToolbarSeparatorArea(dc, this, nRowLast, rcRow);
                    rcRow.SetRectEmpty();
                }
            }
            if (nRowLast >= 0 && !rcRow.IsRectEmpty())
                pPM->PaintToolbarSeparatorArea(dc, this, nRowLast, rcRow);
        }
        const int nState = GetLayoutState();
        const bool bWrapped = IsFloating() || IsMultiRowLayout();
        for (int i = 0; i < GetButtonsCount(); i++)
        {
            CExtBarButton* pButton = m_arrButtons[i];
            if (!pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) != 0)
                continue;
            CRect rc;
            pButton->GetRect(rc);
            if (!dc.RectVisible(&rc))
                continue;
            if (!pButton->IsSeparator())
            {
                pButton->Paint(dc, bHorz || IsPanelMode());
                continue;
            }
            const bool bAcross = bWrapped && !IsPanelMode() && pButton->IsWrap(nState);
            const bool bVerticalLine = bAcross ? !bHorz : bHorz;
            if (bVerticalLine)
                rc.DeflateRect(1, 0);
            else
                rc.DeflateRect(0, 1);
            if (IsMultiRowLayout() && m_pRightBtn != NULL && m_pRightBtn->IsVisible())
            {
                CRect rcChevron;
                m_pRightBtn->GetRect(rcChevron);
                if (bHorz)
                    rc.right = std::min(rc.right, rcChevron.left - 3);
                else
                    rc.bottom = std::min(rc.bottom, rcChevron.top - 3);
            }
            pPM->PaintToolbarSeparator(dc, rc, bVerticalLine, true, this);
        }
        dc.SelectObject(pOldFont);
    }
    pPM->OnPaintSessionComplete(this);
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

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CWnd* pCmdTarget = pTarget;
    if ((m_nBarFlags & eBarNotInFrame) != 0)
    {
        // Outside a frame the bar serves its owner, whoever runs the idle update.
        pCmdTarget = GetOwner();
    }
    else
    {
        CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        if ((m_nTrackingFlags & eTrackDragging) != 0 || pTarget == NULL)
            return;
    }
    if (pCmdTarget == NULL || pCmdTarget->m_hWnd == NULL || (GetStyle() & WS_VISIBLE) == 0)
        return;
    for (int i = 0; i < GetButtonsCount(); i++)
        m_arrButtons[i]->OnUpdateCmdUI(pCmdTarget, bDisableIfNoHndler, i);
    UpdateDialogControls(pCmdTarget, bDisableIfNoHndler);
}

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (g_bMenuTracking || CExtPopupMenuWnd::IsTrackingActive())
        return -1;
    const int nIndex = HitTestButton(point);
    if (nIndex >= 0)
    {
        const INT_PTR nHit = m_arrButtons[nIndex]->OnToolHitTest(point, pTI);
        if (nHit != -1)
            return nHit;
    }
    return CExtControlBar::OnToolHitTest(point, pTI);
}

int CExtToolControlBar::HitTestHelpCommand(CPoint point)
{
    const int nIndex = HitTestButton(point);
    if (nIndex < 0)
        return CExtControlBar::HitTestHelpCommand(point);
    const int nHit = m_arrButtons[nIndex]->OnHelpHitTest(point);
    return nHit == -1 || nHit == -2 ? -2 : nHit;
}

void CExtToolControlBar::UpdateDraggingCursor(POINT ptClient)
{
    CExtBarButton* pButton = GetButton(HitTestButton(ptClient));
    if (pButton != NULL && pButton->OnQueryCursor(ptClient))
        return;
    CExtControlBar::UpdateDraggingCursor(ptClient);
}

/////////////////////////////////////////////////////////////////////////////
// Hit tests and keyboard walks

int CExtToolControlBar::HitTest(CPoint point, DWORD dwStyleMustHave, DWORD dwStyleMustNotHave, bool bNearest) const
{
    if (m_hWnd == NULL)
        return -1;
    if (!bNearest && ::GetCapture() == m_hWnd)
    {
        // Captured, the bar hears of points over other windows too.
        CPoint ptScreen(point);
        ClientToScreen(&ptScreen);
        if (::WindowFromPoint(ptScreen) != m_hWnd)
            return -1;
    }
    const bool bAcrossVertical = IsDockedHorizontally();
    int nBest = -1;
    double dBest = 0;
    bool bBestInBand = false;
    for (int i = 0; i < GetButtonsCount(); i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        const DWORD dwStyle = pButton->GetStyle();
        if (!pButton->IsVisible() || (dwStyle & TBBS_HIDDEN) != 0 || (dwStyle & dwStyleMustHave) != dwStyleMustHave ||
            (dwStyle & dwStyleMustNotHave) != 0)
            continue;
        CExtBarButton* pNext = GetButton(i + 1);
        if (pButton->IsSeparator() && pNext != NULL && (pNext->GetStyle() & TBBS_HIDDEN) != 0)
            continue;
        CRect rc;
        pButton->GetRect(rc);
        if (rc.PtInRect(point))
            return i;
        if (!bNearest)
            continue;
        const CPoint ptCentre = rc.CenterPoint();
        const double dx = ptCentre.x - point.x, dy = ptCentre.y - point.y;
        const double dDistance = dx * dx + dy * dy;
        const bool bInBand = bAcrossVertical ? (point.y >= rc.top && point.y < rc.bottom)
                                             : (point.x >= rc.left && point.x < rc.right);
        if (nBest < 0 || (bInBand && !bBestInBand) || (bInBand == bBestInBand && dDistance < dBest))
        {
            nBest = i;
            dBest = dDistance;
            bBestInBand = bInBand;
        }
    }
    return nBest;
}

int CExtToolControlBar::HitTestButton(CPoint point) const
{
    return HitTest(point, 0, TBBS_SEPARATOR, false);
}

int CExtToolControlBar::GetNextVisibleButton(int nFrom, bool bForward, bool bSkipDisabled) const
{
    const int nCount = GetButtonsCount();
    if (nCount == 0)
        return -1;
    if (nCount == 1)
        return 0;
    int nIndex = nFrom;
    for (int nStep = 0; nStep < nCount; nStep++)
    {
        nIndex = bForward ? (nIndex + 1) % nCount : (nIndex - 1 + nCount) % nCount;
        CExtBarButton* pButton = m_arrButtons[nIndex];
        if (pButton->IsVisible() && (pButton->GetStyle() & TBBS_HIDDEN) == 0 && !pButton->IsSeparator() &&
            (!bSkipDisabled || !pButton->IsDisabled()))
            return nIndex;
    }
    return nFrom;
}

int CExtToolControlBar::FindButtonByMnemonic(TCHAR chUpperKey) const
{
    for (int i = 0; i < GetButtonsCount(); i++)
    {
        CExtBarButton* pButton = m_arrButtons[i];
        if (pButton == m_pRightBtn || pButton->IsSeparator() || (pButton->GetStyle() & TBBS_HIDDEN) != 0)
            continue;
        CString strText;
        pButton->GetText(strText);
        TCHAR chMnemonic = CExtPopupMenuWnd::GetMnemonicChar(strText);
        if (chMnemonic == 0)
            continue;
        chMnemonic = (TCHAR)(DWORD_PTR)::CharUpper((LPTSTR)(DWORD_PTR)(BYTE)chMnemonic);
        if (chMnemonic != chUpperKey)
            continue;
        // A button the layout moved into the chevron answers through the chevron.
        if (pButton->IsVisible())
            return i;
        return m_pRightBtn != NULL ? GetButtonIndex(m_pRightBtn) : -1;
    }
    return -1;
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

bool CExtToolControlBar::IsInActiveTree() const
{
    HWND hWndActive = ::GetActiveWindow();
    return hWndActive != NULL && CExtPopupMenuWnd::IsWindowInActiveTree(m_hWnd, hWndActive, false, false, false);
}

void CExtToolControlBar::ReleaseBarCapture()
{
    if (m_hWnd != NULL && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CExtToolControlBar::SetHoverIndex(int nIndex, CPoint point)
{
    if (nIndex == m_nBtnIdxHover)
        return;
    const int nOld = m_nBtnIdxHover;
    m_nBtnIdxHover = nIndex;
    if (CExtBarButton* pOld = GetButton(nOld))
    {
        pOld->SetHover(false);
        InvalidateButton(nOld);
        pOld->OnHover(point, false);
    }
    const HWND hWnd = m_hWnd;
    if (CExtBarButton* pNew = GetButton(nIndex))
    {
        pNew->SetHover(true);
        InvalidateButton(nIndex);
        pNew->OnHover(point, true);
    }
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        UpdateWindow();
}

void CExtToolControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!OnNcAreaButtonsMouseMove(nFlags, point))
        CExtControlBar::OnMouseMove(nFlags, point);
}

bool CExtToolControlBar::OnNcAreaButtonsMouseMove(UINT /*nFlags*/, CPoint point)
{
    if ((m_nTrackingFlags & (eTrackDragging | eTrackRowResizing | eTrackInRowResizing)) != 0)
        return false;
    // Another popup has the mouse.
    if (CExtPopupMenuWnd::IsTrackingActive() && !g_bMenuTracking)
        return true;
    if (m_nBtnIdxPressed >= 0)
    {
        CExtBarButton* pButton = GetButton(m_nBtnIdxPressed);
        if (pButton == NULL || ::GetCapture() != m_hWnd)
        {
            m_nBtnIdxPressed = -1;
            return true;
        }
        const bool bOver = HitTestButton(point) == m_nBtnIdxPressed;
        const UINT nStyle = pButton->GetStyle();
        SetButtonStyle(m_nBtnIdxPressed, bOver ? (nStyle | TBBS_PRESSED) : (nStyle & ~TBBS_PRESSED));
        return true;
    }
    int nHit = -1;
    if (IsInActiveTree() || CExtPopupMenuWnd::IsTrackingActive())
        nHit = HitTestButton(point);
    if (CExtBarButton* pHit = GetButton(nHit))
    {
        // In help mode only a button that opens a menu lights up.
        if (IsParentFrameInHelpMode(this) && (pHit->GetCmdID(false) == 0 || !pHit->IsAbleToTrackMenu()))
            nHit = -1;
        else if (g_bMenuTracking && pHit->IsDisabled())
            nHit = -1;
    }
    SetHoverIndex(nHit, point);
    if (m_hWnd == NULL || m_nBtnIdxHover >= 0)
        return true;
    CRect rcClient;
    GetClientRect(&rcClient);
    CPoint ptScreen(point);
    ClientToScreen(&ptScreen);
    if (!rcClient.PtInRect(point) || ::WindowFromPoint(ptScreen) != m_hWnd)
        ReleaseBarCapture();
    return true;
}

void CExtToolControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if ((m_nTrackingFlags & (eTrackDragging | eTrackRowResizing | eTrackInRowResizing)) != 0)
    {
        CExtControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    const int nIndex = HitTestButton(point);
    if (nIndex < 0)
    {
        // Not on a button: the bar is dragged.
        CExtControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    const HWND hWndFocus = ::GetFocus();
    if ((hWndFocus == NULL || (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus))) && !IsInActiveTree())
    {
        if ((m_nBarFlags & eBarNotInFrame) != 0 && GetParent() != NULL)
            GetParent()->SetFocus();
        else
            FocusBarFrame(this);
    }
    const HWND hWnd = m_hWnd;
    m_nBtnIdxPressed = nIndex;
    UpdateButtonCmdUI(nIndex);
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || pButton->IsDisabled() || nIndex == m_nBtnIdxMenuTracking)
    {
        m_nBtnIdxPressed = -1;
        return;
    }
    pButton->SetStyle(pButton->GetStyle() | TBBS_PRESSED);
    pButton->SetPushedForMenu();
    InvalidateButton(nIndex);
    UpdateWindow();
    pButton->OnClick(point, true);
    // The press may have opened a menu whose command closed the bar.
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this || GetButton(nIndex) != pButton)
        return;
    if (g_bMenuTracking)
    {
        // The button shows pushed for its open menu; the release belongs to the menu.
        m_nBtnIdxPressed = -1;
        return;
    }
    CWnd* pCtrl = pButton->GetCtrlWindow();
    if (pCtrl == NULL || pCtrl->GetSafeHwnd() == NULL || !pCtrl->IsWindowVisible())
        SetCapture(m_hWnd);
}

void CExtToolControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if ((m_nTrackingFlags & (eTrackDragging | eTrackRowResizing | eTrackInRowResizing)) != 0 ||
        (m_nBtnIdxPressed < 0 && m_nBtnIdxHover < 0))
    {
        CExtControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const HWND hWnd = m_hWnd;
    const int nPressed = m_nBtnIdxPressed;
    m_nBtnIdxPressed = -1;
    if (CExtBarButton* pButton = GetButton(nPressed))
    {
        pButton->ClearPushedForMenu();
        if (HitTestButton(point) == nPressed)
        {
            UINT nStyle = pButton->GetStyle() & ~TBBS_PRESSED;
            if (!pButton->IsDisabled() && (nStyle & TBBS_CHECKBOX) != 0)
            {
                // An indeterminate check box becomes checked.
                if (nStyle & TBBS_INDETERMINATE)
                    nStyle &= ~(TBBS_INDETERMINATE | TBBS_PRESSED);
                nStyle ^= TBBS_CHECKED;
            }
            ReleaseBarCapture();
            pButton->OnClick(point, false);
            // The command may have closed the bar or rebuilt its buttons.
            if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this || GetButton(nPressed) != pButton)
                return;
            if (!CExtPopupMenuWnd::IsTrackingActive())
            {
                SetButtonStyle(nPressed, nStyle);
                UpdateButtonCmdUI(nPressed);
            }
        }
        else
        {
            ReleaseBarCapture();
            SetButtonStyle(nPressed, pButton->GetStyle() & ~TBBS_PRESSED);
        }
    }
    if (CExtBarButton* pHover = GetButton(m_nBtnIdxHover))
    {
        const int nHover = m_nBtnIdxHover;
        m_nBtnIdxHover = -1;
        pHover->SetHover(false);
        InvalidateButton(nHover);
        pHover->OnHover(point, false);
    }
}

void CExtToolControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A double click on a button does nothing more; elsewhere it toggles docking.
    if (HitTestButton(point) >= 0)
        return;
    CExtControlBar::OnLButtonDblClk(nFlags, point);
}

void CExtToolControlBar::OnCancelMode()
{
    CExtControlBar::OnCancelMode();
    if (CExtBarButton* pPressed = GetButton(m_nBtnIdxPressed))
    {
        if (m_nBtnIdxPressed != m_nBtnIdxMenuTracking)
        {
            pPressed->SetStyle(pPressed->GetStyle() & ~TBBS_PRESSED);
            pPressed->ClearPushedForMenu();
        }
    }
    m_nBtnIdxPressed = -1;
    if (CExtBarButton* pHover = GetButton(m_nBtnIdxHover))
    {
        m_nBtnIdxHover = -1;
        pHover->SetHover(false);
        CPoint ptCursor(0, 0);
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        pHover->OnHover(ptCursor, false);
    }
    m_nBtnIdxHover = -1;
    ReleaseBarCapture();
    if (m_hWnd != NULL)
        Invalidate();
}

void CExtToolControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != NULL && pWnd != this && (m_nBtnIdxPressed >= 0 || m_nBtnIdxHover >= 0))
        SendMessage(WM_CANCELMODE);
    CExtControlBar::OnCaptureChanged(pWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Button menus

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost)
{
    if (m_hWnd == NULL || !EnsureBarVisible())
        return false;
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || (pButton->GetStyle() & (TBBS_DISABLED | TBBS_HIDDEN)) != 0 ||
        !pButton->IsAbleToTrackMenu())
        return false;
    CPoint point;
    if (!::GetCursorPos(&point))
        return false;
    if (g_bMenuTracking && nIndex == m_nBtnIdxMenuTracking)
        return true;
    if (bPost)
        return PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, bSelectAny ? 1 : 0) != FALSE;
    ScreenToClient(&point);
    pButton->OnTrackPopup(point, bSelectAny);
    return true;
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
    CWnd* pFrame = (m_nBarFlags & eBarNotInFrame) != 0 ? GetOwner() : (CWnd*)GetParentFrame();
    if (pFrame != NULL && pFrame->m_hWnd != NULL && !pFrame->IsWindowEnabled())
        return 0;
    if (GetButtonsCount() == 0)
        return 0;
    const int nIndex = (int)wParam;
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL)
    {
        CancelAllHotTracking();
        return 0;
    }
    if (pButton->IsAbleToTrackMenu())
        TrackButtonMenu(nIndex, lParam != 0 || CExtPopupMenuWnd::IsTrackingActive(), false);
    else
    {
        CancelAllHotTracking();
        ReleaseBarCapture();
    }
    return 0;
}

void CExtToolControlBar::CancelAllHotTracking()
{
    g_bMenuTracking = false;
    {
        CSingleLock lock(&g_csBars, TRUE);
        for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
        {
            CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, g_arrBars[i]);
            // A bar without a live window has nothing to show.
            if (pBar == NULL || pBar->m_hWnd == NULL || !::IsWindow(pBar->m_hWnd))
                continue;
            if (pBar->m_nBtnIdxMenuTracking < 0)
                continue;
            pBar->SetTrackingButton(-1);
        }
    }
    CExtPopupTrackContext& context = CExtPopupMenuWnd::GetTrackContext();
    CExtPopupMenuWnd* pTop = context.GetTopPopup();
    if (pTop != NULL && !context.IsResetting() && pTop->GetSafeHwnd() != NULL)
        pTop->PostMessage(WM_CANCELMODE);
    CWnd::CancelToolTips();
}
