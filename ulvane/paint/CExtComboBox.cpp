// CExtComboBox: hover by a short timer, the click that drops the list, the flat
// frame painted off-screen, and auto-completion.
#include "CExtComboBox.h"

#include <new>

#include "CExtComboEditCtrlHook.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtComboBox, CComboBox)

CExtComboBox::CExtComboBox()
    : m_nFlags(eAutoComplete | eAutoCompletePending), m_pEditHook(NULL), m_nHoverTimerID(nHoverTimerID),
      m_nHoverPeriod(nHoverPeriodMs)
{
}

CExtComboBox::~CExtComboBox()
{
    delete m_pEditHook;
}

void CExtComboBox::EnableAutoComplete(bool bEnable)
{
    if (bEnable)
        m_nFlags |= eAutoComplete;
    else
        m_nFlags &= ~(eAutoComplete | eAutoCompletePending);
}

void CExtComboBox::SetAutoCompletePending(bool bPending)
{
    if (bPending)
        m_nFlags |= eAutoCompletePending;
    else
        m_nFlags &= ~eAutoCompletePending;
}

bool CExtComboBox::OnContextMenuHook(CWnd*)
{
    return false;
}

HWND CExtComboBox::GetEditChild() const
{
    if (m_hWnd == NULL || (GetStyle() & 0x03) != CBS_DROPDOWN)
        return NULL;
    return ::GetWindow(m_hWnd, GW_CHILD);
}

void CExtComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    HookEditChild();
}

void CExtComboBox::HookEditChild()
{
    HWND hWndEdit = GetEditChild();
    if (hWndEdit == NULL || m_pEditHook != NULL || CWnd::FromHandlePermanent(hWndEdit) != NULL)
        return;
    m_pEditHook = new (std::nothrow) CExtComboEditCtrlHook;
    if (m_pEditHook != NULL && !m_pEditHook->SubclassWindow(hWndEdit))
    {
        delete m_pEditHook;
        m_pEditHook = NULL;
    }
}

bool CExtComboBox::IsCursorInside() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rc;
    ::GetWindowRect(m_hWnd, &rc);
    return rc.PtInRect(pt) != FALSE;
}

void CExtComboBox::OnHoverMouseMove()
{
    if (!CExtPopupMenuWnd::IsWindowInActiveTree(m_hWnd, ::GetActiveWindow()))
        return;
    m_nFlags |= eHoverRepaintPending;
    if ((m_nFlags & eHoverTimerRunning) != 0)
        return;
    if (::SetTimer(m_hWnd, m_nHoverTimerID, m_nHoverPeriod, NULL) != 0)
        m_nFlags |= eHoverTimerRunning;
    OnHoverTick();
}

void CExtComboBox::StopHoverTimer()
{
    if ((m_nFlags & eHoverTimerRunning) != 0 && m_hWnd != NULL)
        ::KillTimer(m_hWnd, m_nHoverTimerID);
    m_nFlags &= ~eHoverTimerRunning;
}

void CExtComboBox::OnHoverTick()
{
    if (IsCursorInside())
    {
        if ((m_nFlags & eHoverRepaintPending) != 0)
        {
            m_nFlags &= ~eHoverRepaintPending;
            Invalidate(FALSE);
        }
        return;
    }
    m_nFlags &= ~eHoverRepaintPending;
    Invalidate(FALSE);
    StopHoverTimer();
    // The combo with the focus keeps its lit frame up to date.
    HWND hWndFocus = ::GetFocus();
    for (HWND h = hWndFocus; h != NULL && h != m_hWnd; h = h == hWndFocus ? ::GetParent(h) : NULL)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtComboBox)))
        {
            CExtComboBox* pCombo = static_cast<CExtComboBox*>(pWnd);
            pCombo->m_nFlags |= eHoverRepaintPending;
            if ((pCombo->m_nFlags & eHoverTimerRunning) == 0 &&
                ::SetTimer(pCombo->m_hWnd, pCombo->m_nHoverTimerID, pCombo->m_nHoverPeriod, NULL) != 0)
                pCombo->m_nFlags |= eHoverTimerRunning;
            break;
        }
    }
}

void CExtComboBox::PaintFrame(bool bPressed, bool bHover, CDC* pDC)
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    CClientDC* pClientDC = NULL;
    if (pDC == NULL)
        pDC = pClientDC = new (std::nothrow) CClientDC(this);
    if (pDC == NULL)
        return;
    const bool bEnabled = IsWindowEnabled() != FALSE;
    HWND hWndFocus = ::GetFocus();
    const bool bFocus = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    const bool bHovered = bHover && ::GetCapture() == NULL;
    const bool bHot = !CExtPopupMenuWnd::IsTrackingActive() && ((bEnabled && bHovered) || bFocus);
    const bool bPushed = bEnabled && (bPressed || GetDroppedState());
    CExtPaintComboFrameArgs args(this, rc, bHot, bPushed, bEnabled);
    g_PaintManagerHolder->PaintComboFrame(*pDC, args);
    g_PaintManagerHolder->OnPaintSessionComplete(this);
    delete pClientDC;
}

void CExtComboBox::OnPaint()
{
    // The frame is the look's: the system's edges go.
    const DWORD dwEdges = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME;
    if ((GetExStyle() & dwEdges) != 0)
        ModifyStyleEx(dwEdges, 0, SWP_FRAMECHANGED);
    const bool bHover = IsCursorInside();
    CRect rc;
    GetClientRect(&rc);
    if ((GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0)
    {
        Default();
        PaintFrame(false, bHover);
        return;
    }
    CPaintDC dc(this);
    // The edit child paints its own part.
    HWND hWndEdit = GetEditChild();
    if (hWndEdit != NULL && ::IsWindowVisible(hWndEdit))
    {
        CRect rcEdit;
        ::GetWindowRect(hWndEdit, &rcEdit);
        ScreenToClient(&rcEdit);
        dc.ExcludeClipRect(&rcEdit);
    }
    CExtOffscreenDC dcBuffer(&dc, &rc, CExtOffscreenDC::eOffscreen | CExtOffscreenDC::eFillBackground);
    CComboBox::DefWindowProc(WM_PAINT, (WPARAM)dcBuffer.GetSafeHdc(), 0);
    PaintFrame(false, bHover, &dcBuffer);
}

bool CExtComboBox::OnLButtonDown()
{
    const DWORD dwType = GetStyle() & 0x03;
    if (dwType != CBS_DROPDOWN && dwType != CBS_DROPDOWNLIST)
        return false;
    const HWND hWnd = m_hWnd;
    HWND hWndParent = ::GetParent(hWnd);
    if (hWndParent != NULL)
        ::SendMessage(hWndParent, WM_CANCELMODE, 0, 0);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return true;
    HWND hWndEdit = GetEditChild();
    ::SetFocus(hWndEdit != NULL ? hWndEdit : hWnd);
    PaintFrame(true, true);
    PostMessage(CB_SHOWDROPDOWN, GetDroppedState() ? FALSE : TRUE, 0);
    return true;
}

void CExtComboBox::AutoComplete()
{
    if ((m_nFlags & (eAutoComplete | eAutoCompletePending)) != (eAutoComplete | eAutoCompletePending))
        return;
    // Once per typed character: selecting the match edits the text again.
    m_nFlags &= ~eAutoCompletePending;
    CString strTyped;
    GetWindowText(strTyped);
    const int nLength = strTyped.GetLength();
    const DWORD dwSel = GetEditSel();
    const bool bSelKnown = dwSel != (DWORD)CB_ERR;
    const int nSelEnd = bSelKnown ? (int)HIWORD(dwSel) : 0;
    if (SelectString(-1, strTyped) == CB_ERR)
    {
        SetWindowText(strTyped);
        if (bSelKnown)
            SetEditSel(LOWORD(dwSel), HIWORD(dwSel));
    }
    if (!bSelKnown || nSelEnd >= nLength)
        SetEditSel(nLength, -1);
    else
        SetEditSel(LOWORD(dwSel), HIWORD(dwSel));
}

BOOL CExtComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_EDITUPDATE)
        AutoComplete();
    return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != NULL && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    {
        if (pMsg->message == WM_MOUSEMOVE)
            OnHoverMouseMove();
        else if (pMsg->message == WM_KEYDOWN)
        {
            if (!IsAutoCompleteEnabled())
                m_nFlags &= ~eAutoCompletePending;
            else
                SetAutoCompletePending(pMsg->wParam != VK_DELETE && pMsg->wParam != VK_BACK);
        }
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_MOUSEMOVE:
        OnHoverMouseMove();
        break;
    case WM_TIMER:
        if (wParam == (WPARAM)m_nHoverTimerID)
        {
            OnHoverTick();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OnLButtonDown())
            return 0;
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
    {
        LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        Invalidate(FALSE);
        return lResult;
    }
    case WM_ENABLE:
    {
        LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        // A disabled combo shows its text as it is, not greyed, and nobody edits it.
        HWND hWndEdit = GetEditChild();
        if (hWndEdit != NULL)
        {
            ::EnableWindow(hWndEdit, TRUE);
            ::SendMessage(hWndEdit, EM_SETREADONLY, wParam ? FALSE : TRUE, 0);
        }
        Invalidate(FALSE);
        return lResult;
    }
    case WM_CONTEXTMENU:
        if (OnContextMenuHook(GetEditChild() != NULL ? CWnd::FromHandle(GetEditChild()) : NULL))
            return 0;
        break;
    case WM_DESTROY:
        StopHoverTimer();
        break;
    case WM_NCDESTROY:
        // The edit child goes with the combo; its object goes now.
        if (m_pEditHook != NULL && m_pEditHook->m_hWnd != NULL)
            m_pEditHook->UnsubclassWindow();
        delete m_pEditHook;
        m_pEditHook = NULL;
        break;
    default:
        break;
    }
    LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
    if (message == WM_CREATE && m_pEditHook == NULL)
        HookEditChild();
    return lResult;
}
