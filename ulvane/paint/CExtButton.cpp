// CExtButton: set-up, the mouse, the keyboard, the drop-down menu and painting.
#include "CExtButton.h"

#include <new>

#include "CExtCommandIcon.h"
#include "CExtCommandItem.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaletteGlyph.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtButton, CButton)

namespace
{
// The tooltip's notification that it is about to show.
const UINT nTtnShow = (UINT)-521;

bool IsPopupMenuMessage(UINT message)
{
    return message == CExtPopupMenuWnd::g_nMsgPrepareMenu || message == CExtPopupMenuWnd::g_nMsgPopupNext ||
           message == CExtPopupMenuWnd::g_nMsgPopupPrev || message == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded ||
           message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed ||
           message == CExtPopupMenuWnd::g_nMsgPopupDrawItem || message == CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea;
}

// The low nibble of the track flags for a button on a bar docked at that side.
UINT AlignmentForDockSide(UINT nDockBarID)
{
    switch (nDockBarID)
    {
    case AFX_IDW_DOCKBAR_LEFT:
        return TPMX_RIGHTALIGN;
    case AFX_IDW_DOCKBAR_RIGHT:
        return TPMX_LEFTALIGN;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return TPMX_TOPALIGN;
    default:
        return TPMX_BOTTOMALIGN;
    }
}

CExtCommandIcon* NewIcon(HICON hIcon, bool bCopy)
{
    if (hIcon == NULL)
        return NULL;
    CExtCommandIcon* pIcon = new (std::nothrow) CExtCommandIcon;
    if (pIcon == NULL)
    {
        if (!bCopy)
            ::DestroyIcon(hIcon);
        return NULL;
    }
    pIcon->AssignFromIcon(hIcon, bCopy);
    return pIcon;
}
}

CExtButton::CExtButton()
    : m_nMenuOpt(TPMX_BOTTOMALIGN), m_nMenuLeftAreaWidth(0), m_nButtonLook(5), m_nButtonLookFlags(1),
      m_bSeparatedDropDown(false), m_bAutoChangeID(false), m_bAutoChangeCmdIcon(false), m_bMouseDisabled(false),
      m_bDefault(false), m_bHover(false), m_bPushed(false), m_bKeyPushed(false), m_nTrackingHT(eHitNone),
      m_bAutoDelete(false), m_hCursor(NULL), m_pIconHover(NULL), m_pIconNormal(NULL)
{
}

CExtButton::~CExtButton()
{
    ClearIcons();
    if (m_hCursor != NULL)
        ::DestroyCursor(m_hCursor);
    if (m_wndToolTip.m_hWnd != NULL)
        m_wndToolTip.DestroyWindow();
    m_menu.DestroyMenu();
}

void CExtButton::ClearIcons()
{
    delete m_pIconHover;
    delete m_pIconNormal;
    m_pIconHover = m_pIconNormal = NULL;
}

void CExtButton::SetIcon(HICON hIconHover, HICON hIconNormal)
{
    ClearIcons();
    // One handle for both states is kept once, so it is destroyed once.
    if (hIconNormal == hIconHover)
        hIconNormal = NULL;
    m_pIconHover = NewIcon(hIconHover, false);
    m_pIconNormal = NewIcon(hIconNormal, false);
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CExtButton::SetIconFromResource(UINT nIDIcon, UINT nIDIconNormal)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hHover = (HICON)::LoadImage(hInst, MAKEINTRESOURCE(nIDIcon), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
    HICON hNormal = nIDIconNormal != 0
                        ? (HICON)::LoadImage(hInst, MAKEINTRESOURCE(nIDIconNormal), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)
                        : NULL;
    SetIcon(hHover, hNormal);
}

void CExtButton::SetBtnCursor(HCURSOR hCursor)
{
    if (m_hCursor != NULL && m_hCursor != hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = hCursor;
}

CExtCommandIcon* CExtButton::GetIconToShow(bool bHover) const
{
    if (bHover || m_pIconNormal == NULL)
        return m_pIconHover;
    return m_pIconNormal;
}

CWnd* CExtButton::GetHostBar() const
{
    if (m_hWnd == NULL)
        return NULL;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtControlBar)) ? pParent : NULL;
}

void CExtButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const DWORD dwStyle = GetStyle();
    m_bDefault = (dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    // A plain push button whatever type it had; every other style bit stays.
    if ((dwStyle & BS_TYPEMASK) != BS_PUSHBUTTON)
        ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)(dwStyle & ~(DWORD)BS_TYPEMASK));
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CFont& font = m_bDefault ? pPM->m_FontBold : pPM->m_FontNormal;
    if (font.GetSafeHandle() != NULL)
        SendMessage(WM_SETFONT, (WPARAM)font.GetSafeHandle(), FALSE);
    PostMessage(WM_ENABLE, IsWindowEnabled(), 0);
}

int CExtButton::HitTestPart(CPoint ptScreen) const
{
    if (m_hWnd == NULL || ::WindowFromPoint(ptScreen) != m_hWnd)
        return eHitNone;
    CPoint pt(ptScreen);
    ::ScreenToClient(m_hWnd, &pt);
    CRect rcMain;
    ::GetClientRect(m_hWnd, &rcMain);
    if (!rcMain.PtInRect(pt))
        return eHitNone;
    if (!m_bSeparatedDropDown || !HasMenu())
        return eHitMain;
    const CExtPaletteGlyph& arrow = CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordDropArrow);
    rcMain.right -= arrow.GetWidth() + 6;
    return rcMain.PtInRect(pt) ? eHitMain : eHitDropDown;
}

void CExtButton::ClearStates()
{
    m_bHover = m_bPushed = m_bKeyPushed = false;
    m_nTrackingHT = eHitNone;
}

bool CExtButton::IsStillThisButton(HWND hWnd) const
{
    return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this;
}

void CExtButton::PaintNow()
{
    if (m_hWnd == NULL || !IsWindowVisible())
        return;
    CClientDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CExtOffscreenDC dcBuffer(&dc, &rc, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground);
    PaintButton(&dcBuffer, false);
}

void CExtButton::PaintButton(CDC* pDC, bool bTransparentBackground)
{
    if (pDC == NULL || m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const bool bOnBar = GetHostBar() != NULL;
    const bool bEnabled = IsWindowEnabled() != FALSE;
    const bool bFocus = !bOnBar && ::GetFocus() == m_hWnd;
    const bool bPushed = m_bPushed || GetCheck() != BST_UNCHECKED;
    const bool bHover = m_bHover && !CExtPopupMenuWnd::IsTrackingActive();
    const bool bFlat = bOnBar || IsFlatLook();
    CWnd* pParent = GetParent();
    if (!bTransparentBackground)
    {
        pDC->FillSolidRect(&rc, pPM->GetColor(1000));
        if (!bHover && !bPushed && pParent != NULL && pPM->IsBackgroundCustomized(pParent))
        {
            // The parent's background under the button, aligned with the parent's.
            CRect rcInParent(rc);
            MapWindowPoints(pParent, &rcInParent);
            const int nSaved = pDC->SaveDC();
            pDC->IntersectClipRect(&rc);
            const CPoint ptOrg = pDC->GetViewportOrg();
            pDC->SetViewportOrg(ptOrg.x - rcInParent.left, ptOrg.y - rcInParent.top);
            pPM->PaintDialogBackground(*pDC, pParent);
            pDC->RestoreDC(nSaved);
        }
    }
    CString strText;
    GetWindowText(strText);
    const bool bDropPushed = bPushed && m_bSeparatedDropDown && m_nTrackingHT == eHitDropDown;
    CExtPaintPushButtonArgs args(this, rc, strText, GetIconToShow(bHover), bFlat, bHover && bEnabled,
                                 bPushed && !bDropPushed, false, bEnabled, true, bFocus, m_bDefault);
    args.m_bDropDown = HasMenu();
    args.m_bSeparatedDropDown = m_bSeparatedDropDown && HasMenu();
    args.m_bPushedDropDown = bDropPushed;
    args.m_bTransparentBackground = bTransparentBackground;
    pPM->PaintPushButton(*pDC, args);
    pPM->OnPaintSessionComplete(this);
}

void CExtButton::PaintDropDownExcludeArea(CExtPopupBaseWnd* pPopup, CDC& dc, HWND, const RECT&)
{
    CExtButton* pButton = pPopup != NULL ? static_cast<CExtButton*>(pPopup->GetPainterCookie()) : NULL;
    if (pButton == NULL || !::IsWindow(pButton->m_hWnd) || pPopup->m_hWnd == NULL)
        return;
    // The button's client origin in the menu's client coordinates.
    CPoint ptButton(0, 0), ptMenu(0, 0);
    ::ClientToScreen(pButton->m_hWnd, &ptButton);
    ::ClientToScreen(pPopup->m_hWnd, &ptMenu);
    const int nSaved = dc.SaveDC();
    const CPoint ptOrg = dc.GetViewportOrg();
    dc.SetViewportOrg(ptOrg.x + ptButton.x - ptMenu.x, ptOrg.y + ptButton.y - ptMenu.y);
    pButton->PaintButton(&dc, true);
    dc.RestoreDC(nSaved);
}

void CExtButton::OnClick(bool bKeyboard, bool bFromDropDown)
{
    if (HasMenu() && !(m_bSeparatedDropDown && !bFromDropDown))
    {
        TrackDropDownMenu(bKeyboard);
        return;
    }
    const HWND hWnd = m_hWnd;
    const HWND hWndParent = ::GetParent(hWnd);
    if (hWndParent != NULL)
        ::SendMessage(hWndParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hWnd), BN_CLICKED), (LPARAM)hWnd);
    if (IsStillThisButton(hWnd))
        Invalidate(FALSE);
}

bool CExtButton::TrackDropDownMenu(bool bKeyboard)
{
    if (!HasMenu() || m_hWnd == NULL)
        return false;
    const HWND hWnd = m_hWnd;
    CWnd* pBar = GetHostBar();
    HWND hWndReceiver = ::GetParent(hWnd);
    UINT nFlags = m_nMenuOpt;
    if (pBar != NULL)
    {
        nFlags = (nFlags & ~(UINT)TPMX_ALIGN_MASK) |
                 AlignmentForDockSide(static_cast<CExtControlBar*>(pBar)->GetDockBarID());
        CFrameWnd* pFrame = pBar->GetParentFrame();
        if (pFrame != NULL)
            hWndReceiver = pFrame->m_hWnd;
    }
    nFlags |= TPMX_COMBINE_BY_LOOK;
    if (bKeyboard)
        nFlags |= TPMX_SELECTFIRST;

    CExtPopupMenuWnd* pPopup = new (std::nothrow) CExtPopupMenuWnd;
    if (pPopup == NULL)
        return true;
    // Filling the popup enters the menu's commands into the receiver's profile.
    if (!pPopup->UpdateFromMenu(hWndReceiver, &m_menu, true, true))
    {
        delete pPopup;
        return true;
    }
    pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint pt = rcWindow.CenterPoint();
    SetFocus();
    if (!m_bAutoChangeID)
    {
        // The menu delivers the chosen command itself.
        pPopup->TrackPopupMenu(nFlags, pt.x, pt.y, &rcWindow, this, &PaintDropDownExcludeArea, NULL, true);
        return true;
    }
    UINT nCmdID = 0;
    pPopup->TrackPopupMenu(nFlags | TPMX_DO_MESSAGE_LOOP | TPMX_NO_CMD_DELIVERY, pt.x, pt.y, &rcWindow, this,
                           &PaintDropDownExcludeArea, &nCmdID, true);
    // Whatever ran meanwhile may have destroyed the button.
    if (nCmdID == 0 || !IsStillThisButton(hWnd))
        return true;
    ApplyChosenCommand(nCmdID, hWndReceiver);
    return true;
}

void CExtButton::ApplyChosenCommand(UINT nCmdID, HWND hWndReceiver)
{
    const HWND hWnd = m_hWnd;
    SetDlgCtrlID((int)nCmdID);
    if (m_bAutoChangeCmdIcon)
    {
        const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(hWndReceiver);
        CExtCommandItem* pCmd = g_CommandManagerHolder->GetCommand(strProfile, nCmdID);
        if (pCmd != NULL)
            SetWindowText(!pCmd->m_strMenuText.IsEmpty() ? pCmd->m_strMenuText : pCmd->m_strToolbarText);
        // The profile keeps its icon: the button takes a copy of its own.
        CExtCommandIcon* pProfileIcon = g_CommandManagerHolder->GetCommandIcon(strProfile, nCmdID);
        HICON hIcon = pProfileIcon != NULL ? pProfileIcon->GetIcon() : NULL;
        ClearIcons();
        m_pIconHover = NewIcon(hIcon, true);
    }
    const HWND hWndParent = ::GetParent(hWnd);
    if (hWndParent != NULL)
        ::SendMessage(hWndParent, WM_COMMAND, MAKEWPARAM(nCmdID, BN_CLICKED), (LPARAM)hWnd);
    if (IsStillThisButton(hWnd))
        Invalidate(FALSE);
}

bool CExtButton::AddToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == NULL || !HasMenu() || m_hWnd == NULL)
        return false;
    CExtPopupMenuWnd* pSub = new (std::nothrow) CExtPopupMenuWnd;
    if (pSub == NULL)
        return false;
    const HWND hWndReceiver = pPopup->GetCmdReceiver();
    if (!pSub->InitEmptyMenu(hWndReceiver) || !pSub->UpdateFromMenu(hWndReceiver, &m_menu, true, false))
    {
        delete pSub;
        return false;
    }
    CString strText;
    CExtCommandItem* pCmd =
        g_CommandManagerHolder->GetCommand(g_CommandManagerHolder->GetProfileNameForWindow(hWndReceiver), GetDlgCtrlID());
    if (pCmd != NULL && !pCmd->m_strMenuText.IsEmpty())
        strText = pCmd->m_strMenuText;
    else
        GetWindowText(strText);
    HICON hIcon = m_pIconHover != NULL ? m_pIconHover->GetIcon() : NULL;
    return pPopup->InsertSubMenu(pSub, -1, strText, hIcon);
}

bool CExtButton::HandleMouseMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (m_bMouseDisabled)
        return true;
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    ClientToScreen(&pt);
    const int nHit = HitTestPart(pt);
    switch (message)
    {
    case WM_MOUSEMOVE:
    {
        const bool bMayLight = nHit != eHitNone && (!m_bPushed || nHit == m_nTrackingHT) &&
                               CExtPopupMenuWnd::IsWindowInActiveTree(m_hWnd, ::GetActiveWindow());
        if (bMayLight)
        {
            if (::GetCapture() != m_hWnd)
                SetCapture(m_hWnd);
            if (!m_bHover)
            {
                m_bHover = true;
                PaintNow();
            }
        }
        else
        {
            if (!m_bPushed && ::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            if (m_bHover)
            {
                m_bHover = false;
                PaintNow();
            }
        }
        return true;
    }
    case WM_LBUTTONDOWN:
        m_nTrackingHT = nHit;
        m_bKeyPushed = m_bPushed = m_bHover = true;
        if (::GetCapture() != m_hWnd)
            SetCapture(m_hWnd);
        PaintNow();
        return true;
    case WM_LBUTTONUP:
    {
        const bool bClick = m_bPushed && m_nTrackingHT != eHitNone && nHit == m_nTrackingHT;
        const bool bFromDropDown = m_bSeparatedDropDown && m_nTrackingHT == eHitDropDown;
        ClearStates();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        PaintNow();
        if (bClick && IsWindowEnabled() && IsWindowVisible())
            OnClick(false, bFromDropDown);
        return true;
    }
    case WM_LBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

void CExtButton::RelayToToolTip(MSG* pMsg)
{
    if (CExtPopupMenuWnd::IsTrackingActive())
        return;
    if (m_wndToolTip.m_hWnd == NULL)
    {
        if (!m_wndToolTip.Create(this))
            return;
        m_wndToolTip.Activate(FALSE);
    }
    m_wndToolTip.RelayEvent(pMsg);
}

bool CExtButton::HandleKey(const MSG* pMsg)
{
    const bool bEnter = pMsg->wParam == VK_RETURN, bSpace = pMsg->wParam == VK_SPACE;
    if (!bEnter && !bSpace)
        return false;
    const bool bDown = pMsg->message == WM_KEYDOWN;
    if (bSpace && bDown)
    {
        // The pushed look while the key is held.
        if (!m_bPushed && IsWindowEnabled())
        {
            m_bPushed = true;
            if (::GetCapture() != m_hWnd)
                SetCapture(m_hWnd);
            PaintNow();
        }
        return true;
    }
    if ((bEnter && bDown) || (bSpace && !bDown))
    {
        if (IsWindowEnabled() && IsWindowVisible() && !m_bKeyPushed)
        {
            ClearStates();
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            PaintNow();
            OnClick(true, false);
        }
    }
    return true;
}

BOOL CExtButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != NULL && pMsg->hwnd == m_hWnd)
    {
        RelayToToolTip(pMsg);
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && !CExtPopupMenuWnd::IsTrackingActive())
        {
            // The button may be gone when the click's handler returns.
            if (HandleKey(pMsg))
                return TRUE;
        }
    }
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CExtButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtControlBar::g_nMsgPutToPopupMenu)
        return AddToPopupMenu(reinterpret_cast<CExtPopupMenuWnd*>(wParam)) ? TRUE : FALSE;
    if (IsPopupMenuMessage(message))
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        return hWndParent != NULL ? ::SendMessage(hWndParent, message, wParam, lParam) : 0;
    }
    switch (message)
    {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (HandleMouseMessage(message, wParam, lParam))
            return 0;
        break;
    case BM_CLICK:
        if (IsWindowEnabled())
            OnClick(false, false);
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != m_hWnd && (m_bHover || m_bPushed))
        {
            ClearStates();
            PaintNow();
        }
        break;
    case WM_KILLFOCUS:
    {
        ClearStates();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        Invalidate(FALSE);
        return lResult;
    }
    case WM_SETCURSOR:
        if (m_hCursor != NULL)
        {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
        break;
    case WM_GETDLGCODE:
    {
        // The dialog manager finds its default button by this answer.
        LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        lResult &= ~(LRESULT)(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
        return lResult | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case BM_SETSTYLE:
        // The dialog manager moves the default look; the window stays a plain push button.
        m_bDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        wParam &= ~(WPARAM)BS_TYPEMASK;
        CButton::WindowProc(message, wParam, lParam);
        Invalidate(FALSE);
        return 0;
    case WM_PAINT:
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        CExtOffscreenDC dcBuffer(&dc, &rc, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground);
        PaintButton(&dcBuffer, false);
        return 0;
    }
    case WM_ENABLE:
        CButton::WindowProc(message, wParam, lParam);
        PaintNow();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NOTIFY:
    {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr != NULL && pHdr->code == nTtnShow && m_wndToolTip.m_hWnd != NULL && pHdr->hwndFrom == m_wndToolTip.m_hWnd)
        {
            ::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
            return 0;
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
        g_PaintManagerHolder.OnSysColorChange(this);
        g_CommandManagerHolder.OnSysColorChange(this);
        break;
    case WM_SETTINGCHANGE:
        g_PaintManagerHolder.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
        g_CommandManagerHolder.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
        break;
    case WM_DISPLAYCHANGE:
        g_PaintManagerHolder.OnDisplayChange(this, (int)wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
        g_CommandManagerHolder.OnDisplayChange(this, (int)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case 0x031A: // WM_THEMECHANGED
        g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
        g_CommandManagerHolder.OnThemeChanged(this, wParam, lParam);
        break;
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGED:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETIMAGE:
    case WM_SETFOCUS:
    {
        // The system's button would show its own look here: ours goes over it.
        LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
        Invalidate(FALSE);
        return lResult;
    }
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CExtButton::PostNcDestroy()
{
    CButton::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}
