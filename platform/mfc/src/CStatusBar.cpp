// CStatusBar: the frame's status line on the system's status control. Each pane has
// a command id, a style and a width; its text comes from the frame's update handlers.
#include "afxpriv.h"
#include <afxext.h>

#include <algorithm>
#include <vector>

namespace
{
// Space the control takes around a pane's text.
int PaneExtra()
{
    return 3 * ::GetSystemMetrics(SM_CXEDGE);
}

// Update object of one pane: enabling shows or hides its text, checking pops it out.
class CStatusCmdUI : public CCmdUI
{
public:
    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nOldStyle = pStatusBar->GetPaneStyle(m_nIndex);
        UINT nNewStyle = bOn ? (nOldStyle & ~SBPS_DISABLED) : (nOldStyle | SBPS_DISABLED);
        if (nNewStyle != nOldStyle)
            pStatusBar->SetPaneStyle(m_nIndex, nNewStyle);
    }

    virtual void SetCheck(int nCheck)
    {
        CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
        UINT nOldStyle = pStatusBar->GetPaneStyle(m_nIndex);
        UINT nNewStyle = nCheck ? (nOldStyle | SBPS_POPOUT) : (nOldStyle & ~SBPS_POPOUT);
        if (nNewStyle != nOldStyle)
            pStatusBar->SetPaneStyle(m_nIndex, nNewStyle);
    }

    virtual void SetText(LPCTSTR lpszText)
    {
        ((CStatusBar*)m_pOther)->SetPaneText(m_nIndex, lpszText);
    }
};
}

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

CStatusBar::CStatusBar()
    : m_nMinHeight(0)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
    delete[] (AFX_STATUSPANE*)m_pData;
    m_pData = NULL;
    m_nCount = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | dwCtrlStyle;
    // A frame that can be sized gets a size grip on its status line.
    if (pParentWnd->GetStyle() & WS_THICKFRAME)
        dwStyle |= SBARS_SIZEGRIP;
    return CWnd::Create(STATUSCLASSNAME, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    // Bars draw their own 3-D look; the control's edge would double it.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return CControlBar::PreCreateWindow(cs);
}

CStatusBar::AFX_STATUSPANE* CStatusBar::GetPanePtr(int nIndex) const
{
    if (nIndex < 0 || nIndex >= (int)m_nCount)
        return NULL;
    return ((AFX_STATUSPANE*)m_pData) + nIndex;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    delete[] (AFX_STATUSPANE*)m_pData;
    m_pData = NULL;
    m_nCount = 0;
    if (nIDCount <= 0)
        return TRUE;
    m_pData = new AFX_STATUSPANE[nIDCount];
    m_nCount = (UINT)nIDCount;

    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount; i++)
    {
        AFX_STATUSPANE* pPane = GetPanePtr(i);
        pPane->nID = lpIDArray != NULL ? lpIDArray[i] : 0;
        pPane->nStyle = 0;
        if (pPane->nID != 0)
        {
            // An indicator is as wide as the text its string holds ("CAP").
            if (!pPane->strText.LoadString(pPane->nID))
                bResult = FALSE;
            SIZE size = {0, 0};
            ::GetTextExtentPoint32A(hDC, pPane->strText, pPane->strText.GetLength(), &size);
            pPane->cxText = size.cx;
        }
        else
        {
            // A message pane starts a quarter of the screen wide; the first one stretches.
            pPane->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pPane->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

int CStatusBar::GetGripWidth() const
{
    if ((GetStyle() & SBARS_SIZEGRIP) == 0)
        return 0;
    CWnd* pTop = GetTopLevelParent();
    return pTop != NULL && pTop->IsZoomed() ? 0 : ::GetSystemMetrics(SM_CXVSCROLL);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == NULL)
        return;
    const int nCount = (int)m_nCount;
    if (bUpdateRects && nCount > 0)
    {
        // Each pane takes its text width plus the control's margins; the stretching
        // pane takes what the others leave (never less than its own width).
        CRect rectClient;
        GetClientRect(&rectClient);
        int cxFixed = 0;
        int nStretch = -1;
        for (int i = 0; i < nCount; i++)
        {
            const AFX_STATUSPANE* pPane = GetPanePtr(i);
            if ((pPane->nStyle & SBPS_STRETCH) && nStretch < 0)
                nStretch = i;
            else
                cxFixed += pPane->cxText + PaneExtra();
        }
        std::vector<int> edges((size_t)nCount);
        int x = 0;
        for (int i = 0; i < nCount; i++)
        {
            const AFX_STATUSPANE* pPane = GetPanePtr(i);
            int cx = pPane->cxText + PaneExtra();
            if (i == nStretch)
                cx = std::max(cx, (int)rectClient.Width() - GetGripWidth() - cxFixed);
            x += cx;
            edges[i] = x;
        }
        SendMessage(SB_SETPARTS, (WPARAM)nCount, (LPARAM)edges.data());
    }
    if (bUpdateText)
    {
        for (int i = 0; i < nCount; i++)
        {
            const AFX_STATUSPANE* pPane = GetPanePtr(i);
            // A disabled pane shows nothing (CAP when Caps Lock is off).
            LPCTSTR lpszText = (pPane->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pPane->strText;
            SendMessage(SB_SETTEXT, (WPARAM)(i | (pPane->nStyle & 0xFF00)), (LPARAM)lpszText);
        }
    }
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < (int)m_nCount; i++)
    {
        if (GetPanePtr(i)->nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    return pPane != NULL ? pPane->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ::SetRectEmpty(lpRect);
    if (GetPanePtr(nIndex) != NULL)
        ::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    return pPane != NULL ? pPane->strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == NULL)
        return FALSE;
    if (lpszNewText == NULL)
        lpszNewText = "";
    if (pPane->strText == lpszNewText)
        return TRUE;
    pPane->strText = lpszNewText;
    if (bUpdate && m_hWnd != NULL)
    {
        LPCTSTR lpszShown = (pPane->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pPane->strText;
        SendMessage(SB_SETTEXT, (WPARAM)(nIndex | (pPane->nStyle & 0xFF00)), (LPARAM)lpszShown);
    }
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    nID = pPane != NULL ? pPane->nID : 0;
    nStyle = pPane != NULL ? pPane->nStyle : 0;
    cxWidth = pPane != NULL ? pPane->cxText : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == NULL)
        return;
    BOOL bWidthChanged = pPane->cxText != cxWidth || ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    BOOL bStyleChanged = pPane->nStyle != nStyle;
    pPane->nID = nID;
    pPane->nStyle = nStyle;
    pPane->cxText = cxWidth;
    if (bWidthChanged || bStyleChanged)
        UpdateAllPanes(bWidthChanged, bStyleChanged);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    return pPane != NULL ? pPane->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
    if (pPane == NULL || pPane->nStyle == nStyle)
        return;
    BOOL bWidthChanged = ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    pPane->nStyle = nStyle;
    UpdateAllPanes(bWidthChanged, TRUE);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    // As high as a line of its font with the control's margins.
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof(tm));
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    ::GetTextMetricsA(hDC, &tm);
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    int cyText = tm.tmHeight + tm.tmExternalLeading + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
    size.cy += std::max(m_nMinHeight, cyText);
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    // A pane without an update handler is disabled when asked for: it then shows no
    // text. (A pane has no command, so an update handler is all a pane can have.)
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = GetPanePtr(state.m_nIndex)->nID;
        state.m_bEnableChanged = FALSE;
        if (!state.DoUpdate(pTarget, FALSE) && bDisableIfNoHndler && !state.m_bEnableChanged && state.m_nID != 0)
            state.Enable(FALSE);
    }
    // Controls placed on the bar update like dialog controls.
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT /*lpDrawItemStruct*/)
{
    // Owner-drawn panes are drawn by derived bars.
}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult)
{
    if (message == WM_DRAWITEM)
    {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pLResult != NULL)
            *pLResult = TRUE;
        return TRUE;
    }
    return CControlBar::OnChildNotify(message, wParam, lParam, pLResult);
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    // The stretching pane follows the bar's width.
    UpdateAllPanes(TRUE, FALSE);
}

void CStatusBar::OnPaint()
{
    Default();
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window text is the message pane's text (the first pane without an id).
    int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, (LPCTSTR)lParam) ? TRUE : -1;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    int nIndex = CommandToIndex(0);
    if (nIndex < 0 || wParam == 0)
        return 0;
    CString strText = GetPaneText(nIndex);
    lstrcpynA((LPSTR)lParam, strText, (int)wParam);
    return lstrlenA((LPSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : GetPaneText(nIndex).GetLength();
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    LRESULT lResult = Default();
    m_nMinHeight = (int)wParam;
    return lResult;
}
