// CExtButton: owner-drawn painting through the look, hover, icons.
#include "CExtButton.h"

#include "CExtCommandIcon.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtButton, CButton)

CExtButton::CExtButton()
    : m_bDefault(false), m_bAutoDelete(false), m_pIconHover(NULL), m_pIconNormal(NULL)
{
}

CExtButton::~CExtButton()
{
    delete m_pIconHover;
    delete m_pIconNormal;
}

void CExtButton::SetIcon(HICON hIconHover, HICON hIconNormal)
{
    delete m_pIconHover;
    delete m_pIconNormal;
    m_pIconHover = m_pIconNormal = NULL;
    if (hIconHover != NULL)
    {
        m_pIconHover = new CExtCommandIcon;
        m_pIconHover->AssignFromIcon(hIconHover, false);
    }
    HICON hNormal = hIconNormal != NULL ? hIconNormal : NULL;
    if (hNormal != NULL)
    {
        m_pIconNormal = new CExtCommandIcon;
        m_pIconNormal->AssignFromIcon(hNormal, false);
    }
    if (m_hWnd != NULL)
        Invalidate();
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

void CExtButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const UINT nType = GetButtonStyle() & BS_TYPEMASK;
    m_bDefault = nType == BS_DEFPUSHBUTTON;
    // The button draws itself; the dialog still knows its default button by id.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

LRESULT CExtButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool bHoverChanged = false;
    const bool bTrackerOwn = m_hover.FilterMessage(m_hWnd, message, wParam, bHoverChanged);
    if (bHoverChanged)
        Invalidate(FALSE);
    if (bTrackerOwn)
        return 0;
    switch (message)
    {
    case BM_SETSTYLE:
        // The dialog manager moves the default look; the button stays owner-drawn.
        m_bDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        wParam = (wParam & ~(WPARAM)BS_TYPEMASK) | BS_OWNERDRAW;
        break;
    case WM_ERASEBKGND:
        return TRUE;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CExtButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rc(lpDIS->rcItem);
    const bool bEnabled = (lpDIS->itemState & ODS_DISABLED) == 0;
    const bool bPushed = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool bFocus = (lpDIS->itemState & ODS_FOCUS) != 0 && (lpDIS->itemState & ODS_NOFOCUSRECT) == 0;
    CString strText;
    GetWindowText(strText);
    CExtCommandIcon* pIcon = m_hover.IsHover() && m_pIconHover != NULL ? m_pIconHover
                                                                        : (m_pIconNormal != NULL ? m_pIconNormal : m_pIconHover);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    // The parent's background shows around the button's edges.
    CWnd* pParent = GetParent();
    pDC->FillSolidRect(&rc, pPM->GetColor(1000));
    if (pParent != NULL && pPM->IsBackgroundCustomized(pParent))
    {
        CRect rcInParent(rc);
        MapWindowPoints(pParent, &rcInParent);
        int nSaved = pDC->SaveDC();
        pDC->SetViewportOrg(-rcInParent.left, -rcInParent.top);
        pDC->IntersectClipRect(rcInParent.left, rcInParent.top, rcInParent.right, rcInParent.bottom);
        pPM->PaintDialogBackground(*pDC, pParent);
        pDC->RestoreDC(nSaved);
    }
    CExtPaintPushButtonArgs args(this, rc, strText, pIcon, false, m_hover.IsHover() && bEnabled, bPushed, false, bEnabled,
                                 true, bFocus, m_bDefault);
    pPM->PaintPushButton(*pDC, args);
    pPM->OnPaintSessionComplete(this);
}

void CExtButton::PostNcDestroy()
{
    CButton::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}
