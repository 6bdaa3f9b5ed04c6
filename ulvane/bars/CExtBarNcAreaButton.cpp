// CExtBarNcAreaButton: place, visibility, hit test, painting and tooltip of a
// caption button.
#include "CExtBarNcAreaButton.h"

#include "CExtControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)

// The minimize-button code: what a caption button answers to WM_NCHITTEST, so the
// system leaves the click to the bar.
const UINT CExtBarNcAreaButton::g_nCaptionButtonHitCode = HTMINBUTTON;

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
    : m_pBar(pBar), m_nStateFlags(0)
{
    m_rc.SetRectEmpty();
}

CExtBarNcAreaButton::~CExtBarNcAreaButton()
{
}

void CExtBarNcAreaButton::DeleteSelf(bool bDelete)
{
    if (bDelete)
        delete this;
}

bool CExtBarNcAreaButton::GetCaptionInUse(CRect& rcCaption, bool& bAtTop) const
{
    rcCaption.SetRectEmpty();
    bAtTop = true;
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL)
        return false;
    if (m_pBar->IsFloating() || (!m_pBar->IsFixedMode() && m_pBar->IsAloneInFloatingFrame()))
    {
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
            ((CExtMiniDockFrameWnd*)pFrame)->CalcCaptionRect(rcCaption);
        return !rcCaption.IsRectEmpty();
    }
    rcCaption = m_pBar->m_rcCaption;
    bool bTextOnCaption = false;
    m_pBar->IsBarWithGripper(&bAtTop, &bTextOnCaption);
    return !rcCaption.IsRectEmpty();
}

bool CExtBarNcAreaButton::IsCaptionActive() const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL)
        return false;
    if (m_pBar->IsFloating())
    {
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        HWND hWndFocus = ::GetFocus();
        return pFrame != NULL && hWndFocus != NULL && (hWndFocus == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, hWndFocus));
    }
    return (m_pBar->m_nCaptionFlags & CExtControlBar::eCaptionActive) != 0;
}

void CExtBarNcAreaButton::OnNcAreaReposition(CExtBarNcAreaButton* pPrevVisible)
{
    bool bAtTop = true;
    CRect rc;
    GetCaptionInUse(rc, bAtTop);
    if (bAtTop)
    {
        // Square at the caption's right end; each further button left of the one before.
        rc.DeflateRect(2, 3);
        rc.left = rc.right - rc.Height();
        rc.OffsetRect(-1, 0);
        if (pPrevVisible != NULL)
            rc.OffsetRect(pPrevVisible->m_rc.left - 3 - rc.right, 0);
    }
    else
    {
        rc.DeflateRect(3, 2);
        rc.bottom = rc.top + rc.Width();
        rc.OffsetRect(0, 1);
        if (pPrevVisible != NULL)
            rc.OffsetRect(0, pPrevVisible->m_rc.bottom + 3 - rc.top);
    }
    m_rc = rc;
}

bool CExtBarNcAreaButton::OnQueryVisibility()
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL || !m_pBar->IsVisible())
        return false;
    CRect rc;
    bool bAtTop;
    return GetCaptionInUse(rc, bAtTop);
}

void CExtBarNcAreaButton::OnNcAreaDraw(CDC& /*dc*/)
{
}

UINT CExtBarNcAreaButton::OnNcAreaHitTest(CPoint point)
{
    if (IsInside(point))
    {
        m_nStateFlags |= eHover;
        // The primary button, whichever physical one that is.
        const int nVKey = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
        if (::GetAsyncKeyState(nVKey) & 0x8000)
            m_nStateFlags |= ePushed;
        else
            m_nStateFlags &= ~ePushed;
    }
    else
        m_nStateFlags &= ~(eHover | ePushed);
    return IsInside(point) ? 0 : HTCLIENT;
}

UINT CExtBarNcAreaButton::OnNcAreaQueryHitCode(CPoint point)
{
    return IsInside(point) ? g_nCaptionButtonHitCode : 0;
}

bool CExtBarNcAreaButton::OnNcAreaClicked(CPoint point)
{
    return IsInside(point);
}

INT_PTR CExtBarNcAreaButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* /*pTI*/)
{
    return -1;
}

void CExtBarNcAreaButton::PaintGlyphButton(CDC& dc, int nGlyph)
{
    if (m_rc.IsRectEmpty())
        return;
    const bool bEnabled = (m_nStateFlags & eDisabled) == 0;
    const bool bLive = bEnabled && !CExtPopupMenuWnd::IsTrackingActive() && (m_nStateFlags & ePaintingIntoOther) == 0;
    const bool bFloating = m_pBar->IsFloating() != FALSE;
    const bool bResizableCaption = !m_pBar->IsFixedMode() || (m_nStateFlags & ePaintingIntoOther) != 0;
    CExtPaintNcButtonArgs args(this, m_rc, nGlyph, bLive && (m_nStateFlags & eHover) != 0,
                               bLive && (m_nStateFlags & ePushed) != 0, bEnabled, bResizableCaption, IsCaptionActive(),
                               bFloating);
    g_PaintManagerHolder->PaintNcAreaButton(dc, args);
}

CString CExtBarNcAreaButton::LoadTipText(UINT nID, LPCTSTR lpszDefault)
{
    CString str;
    if (!str.LoadString(nID) || str.IsEmpty())
        str = lpszDefault;
    return str;
}

CWnd* CExtBarNcAreaButton::GetShowingWindow() const
{
    if (m_pBar->IsFloating() && m_pBar->GetParentFrame() != NULL)
        return m_pBar->GetParentFrame();
    return m_pBar;
}

CRect CExtBarNcAreaButton::GetScreenRect() const
{
    CRect rcWindow, rcScreen(m_rc);
    GetShowingWindow()->GetWindowRect(&rcWindow);
    rcScreen.OffsetRect(rcWindow.TopLeft());
    return rcScreen;
}

INT_PTR CExtBarNcAreaButton::FillToolInfo(TOOLINFO* pTI, const CString& strTip)
{
    const INT_PTR nID = m_pBar->GetDlgCtrlID();
    if (pTI == NULL)
        return nID;
    CRect rcClient = GetScreenRect();
    GetShowingWindow()->ScreenToClient(&rcClient);
    pTI->rect = rcClient;
    pTI->uId = (UINT_PTR)nID;
    pTI->hwnd = m_pBar->m_hWnd;
    const size_t nBytes = (size_t)strTip.GetLength() + 1;
    LPTSTR lpszCopy = (LPTSTR)malloc(nBytes * sizeof(TCHAR));
    if (lpszCopy != NULL)
        memcpy(lpszCopy, (LPCTSTR)strTip, nBytes * sizeof(TCHAR));
    pTI->lpszText = lpszCopy != NULL ? lpszCopy : LPSTR_TEXTCALLBACK;
    return nID;
}
