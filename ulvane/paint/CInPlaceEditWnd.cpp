// CExtPopupMenuWnd::CInPlaceEditWnd: the validated text field of a menu item.
#include "CInPlaceEditWnd.h"

#include "CExtPaintManagerHolder.h"
#include "ExtPaintHelpers.h"

namespace
{
// The client area sits this far inside the field on the left, top and bottom.
const int nClientInset = 2;

// Turns the control's redrawing off for a change and on again, whatever happens.
class CRedrawOff
{
public:
    explicit CRedrawOff(CWnd& wnd) : m_wnd(wnd) { m_wnd.SetRedraw(FALSE); }
    ~CRedrawOff()
    {
        m_wnd.SetRedraw(TRUE);
        m_wnd.Invalidate();
    }

private:
    CWnd& m_wnd;
};

// Counts the changes under way.
class CChangeDepth
{
public:
    explicit CChangeDepth(int& nDepth) : m_nDepth(nDepth) { m_nDepth++; }
    ~CChangeDepth() { m_nDepth--; }

private:
    int& m_nDepth;
};
}

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd::CInPlaceEditWnd, CEdit)
    ON_WM_GETDLGCODE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_CONTEXTMENU()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnValidatedDefault)
    ON_MESSAGE(WM_CUT, OnValidatedDefault)
    ON_MESSAGE(WM_CLEAR, OnValidatedDefault)
    ON_REGISTERED_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection, OnDeleteSelection)
    ON_REGISTERED_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll, OnSelectAll)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CExtPopupMenuWnd::CInPlaceEditWnd::CInPlaceEditWnd(CString* pTarget, CExtPopupMenuEditValidator pfnValidator,
                                                   LPVOID pValidatorCookie, CExtPopupMenuEditHook pfnHook,
                                                   LPVOID pHookCookie)
    : m_pfnValidator(pfnValidator), m_pValidatorCookie(pValidatorCookie), m_pfnHook(pfnHook),
      m_pHookCookie(pHookCookie), m_pTarget(pTarget), m_nFlags(0), m_hWndFocusBefore(NULL), m_bAutoDelete(false),
      m_nChangeDepth(0)
{
}

CExtPopupMenuWnd::CInPlaceEditWnd::~CInPlaceEditWnd()
{
}

CWnd* CExtPopupMenuWnd::CInPlaceEditWnd::CreateForItem(HWND hWndCmdReceiver, CExtPopupMenuWnd* pPopup,
                                                       CExtPopupMenuItem& item, const RECT& rcEdit)
{
    if (pPopup == NULL || !::IsWindow(pPopup->GetSafeHwnd()))
        return NULL;
    CString* pTarget = item.GetEditTarget();
    if (hWndCmdReceiver != NULL && ::IsWindow(hWndCmdReceiver))
    {
        CCreationRecord record = {NULL,
                                  pPopup,
                                  &item,
                                  pTarget,
                                  item.m_pfnEditValidator,
                                  item.m_pEditValidatorCookie,
                                  item.m_pfnEditHook,
                                  item.m_pEditHookCookie,
                                  CRect(rcEdit)};
        ::SendMessage(hWndCmdReceiver, g_nMsgCreateInplaceEdit, (WPARAM)&record, 0);
        if (record.m_pEditWnd != NULL)
            return record.m_pEditWnd;
    }
    CInPlaceEditWnd* pEdit = new CInPlaceEditWnd(pTarget, item.m_pfnEditValidator, item.m_pEditValidatorCookie,
                                                 item.m_pfnEditHook, item.m_pEditHookCookie);
    const UINT nID = item.IsCommand() ? (UINT)item.m_nCmdID : (UINT)-1;
    if (!pEdit->Create(WS_CHILD | ES_AUTOHSCROLL, rcEdit, pPopup, nID))
    {
        delete pEdit;
        return NULL;
    }
    pEdit->m_bAutoDelete = true;
    pEdit->SetFont(&g_PaintManagerHolder->m_FontNormal);
    pEdit->SetWindowText(*pTarget);
    pEdit->SetSel(0, 0);
    pEdit->SendMessage(EM_SCROLLCARET, 0, 0);
    return pEdit;
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Nothing may unwind into the system's frames from here.
    try
    {
        LRESULT lResult = 0;
        if (m_pfnHook != NULL && m_pfnHook(lResult, message, wParam, lParam, *this, m_pHookCookie))
            return lResult;
        return CEdit::WindowProc(message, wParam, lParam);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return 0;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}

UINT CExtPopupMenuWnd::CInPlaceEditWnd::OnGetDlgCode()
{
    return DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    RECT& rc = lpncsp->rgrc[0];
    rc.left += nClientInset;
    rc.top += nClientInset;
    rc.bottom -= nClientInset;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnNcPaint()
{
    CRect rcWindow, rcClient;
    GetNonClientRects(m_hWnd, rcWindow, rcClient);
    CWindowDC dc(this);
    dc.ExcludeClipRect(&rcClient);
    dc.FillSolidRect(&rcWindow, g_PaintManagerHolder->GetColor(COLOR_WINDOW));
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/)
{
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnRButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnRButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    switch (nChar)
    {
    case VK_ESCAPE:
        GiveFocusBack();
        return;
    case VK_RETURN:
        AcceptText();
        return;
    default:
        ApplyValidated([this] { Default(); });
        return;
    }
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_MENU)
    {
        // Alt leaves the menu altogether.
        CWnd* pPopup = GetParent();
        if (pPopup != NULL)
            pPopup->PostMessage(WM_CANCELMODE);
        return;
    }
    Default();
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    // The characters of Enter and Escape were handled as keys.
    if (nChar == VK_RETURN || nChar == VK_ESCAPE)
        return;
    ApplyValidated([this] { Default(); });
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::OnValidatedDefault(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    LRESULT lResult = 0;
    ApplyValidated([this, &lResult] { lResult = Default(); });
    return lResult;
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::OnDeleteSelection(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    ApplyValidated([this] {
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        if (nStart == nEnd)
            SetSel(nStart, nStart + 1, TRUE);
        ReplaceSel("", TRUE);
    });
    return 0;
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::OnSelectAll(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    SetSel(0, -1);
    return 0;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnSetFocus(CWnd* pOldWnd)
{
    m_nFlags &= ~eAccepted;
    m_hWndFocusBefore = pOldWnd != NULL ? pOldWnd->GetSafeHwnd() : NULL;
    CEdit::OnSetFocus(pOldWnd);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    ShowWindow(SW_HIDE);
    if (!IsTextAccepted() && m_pTarget != NULL)
        SetWindowText(*m_pTarget);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::ApplyValidated(const std::function<void()>& fnChange)
{
    if (m_nChangeDepth > 0)
    {
        fnChange();
        return;
    }
    CChangeDepth depth(m_nChangeDepth);
    CRedrawOff redrawOff(*this);
    CString strOld;
    GetWindowText(strOld);
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    fnChange();
    GetWindowText(m_strBuffer);
    if (m_strBuffer != strOld && !IsAcceptedByValidator(strOld, m_strBuffer))
    {
        SetWindowText(strOld);
        SetSel(nStart, nEnd, TRUE);
    }
}

bool CExtPopupMenuWnd::CInPlaceEditWnd::IsAcceptedByValidator(CString& strOld, CString& strNew)
{
    return m_pfnValidator == NULL || m_pfnValidator(this, m_pValidatorCookie, strOld, strNew);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::AcceptText()
{
    GetWindowText(m_strBuffer);
    CString strOld = m_pTarget != NULL ? *m_pTarget : CString();
    if (!IsAcceptedByValidator(strOld, m_strBuffer))
    {
        ::MessageBeep(MB_OK);
        return;
    }
    m_nFlags |= eAccepted;
    if (m_pTarget != NULL)
        *m_pTarget = m_strBuffer;
    GiveFocusBack();
}

void CExtPopupMenuWnd::CInPlaceEditWnd::GiveFocusBack()
{
    HWND hWndTo = m_hWndFocusBefore;
    if (hWndTo == NULL || hWndTo == m_hWnd || !::IsWindow(hWndTo))
        hWndTo = ::GetParent(m_hWnd);
    ::SetFocus(hWndTo);
}
