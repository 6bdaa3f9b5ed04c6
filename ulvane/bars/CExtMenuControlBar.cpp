// CExtMenuControlBar: the menu bar's place in the frame while the frame keeps its menu.
#include "CExtMenuControlBar.h"

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

BEGIN_MESSAGE_MAP(CExtMenuControlBar, CExtToolControlBar)
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CExtMenuControlBar::CExtMenuControlBar()
{
}

BOOL CExtMenuControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    // The frame's own menu shows the commands: the bar stays out of sight.
    return CExtToolControlBar::Create(lpszWindowName, pParentWnd, nID, dwStyle & ~WS_VISIBLE);
}

void CExtMenuControlBar::SetMdiWindowPopupName(LPCTSTR lpszName)
{
    m_strMdiWindowPopupName = lpszName != NULL ? lpszName : "";
    m_strMdiWindowPopupName.Remove('&');
    m_strMdiWindowPopupName.Trim();
}

BOOL CExtMenuControlBar::TranslateMainFrameMessage(MSG* /*pMsg*/)
{
    // The frame's own menu has the keyboard.
    return FALSE;
}

BOOL CExtMenuControlBar::PreTranslateMessage(MSG* pMsg)
{
    return CExtToolControlBar::PreTranslateMessage(pMsg);
}

BOOL CExtMenuControlBar::IsVisible() const
{
    return FALSE;
}

CSize CExtMenuControlBar::CalcDynamicLayout(int /*nLength*/, DWORD /*nMode*/)
{
    return CSize(0, 0);
}

void CExtMenuControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    lpWndPos->flags &= ~SWP_SHOWWINDOW;
    CExtToolControlBar::OnWindowPosChanging(lpWndPos);
}
