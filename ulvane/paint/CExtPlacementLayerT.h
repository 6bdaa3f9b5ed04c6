// CExtPlacementLayerT: the layer of the resizable dialogs, pages and sheets over the
// class library's base that keeps the window's placement in the application profile,
// shows a size grip, paints the background through the current look and opens the
// window's system menu as the framework's popup menu.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

#include <utility>

#include "CExtLayerBackgroundBrush.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtResizableLayerHelpers.h"
#include "CExtSavedPlacement.h"
#include "ExtPaintHelpers.h"

// The timer that ends the system menu's tracked state.
#define EXT_SYSMENU_TIMER_ID 301

template<class TBase>
class CExtPlacementLayerT : public TBase
{
public:
    template<class... TArgs>
    explicit CExtPlacementLayerT(TArgs&&... args)
        : TBase(std::forward<TArgs>(args)...), m_nPlacementFlags(0), m_rcGrip(0, 0, 0, 0)
    {
    }

    enum
    {
        ePlacementSaveRestore = 0x02,
        ePlacementSysMenuTracked = 0x04,
        ePlacementSizeGrip = 0x08,
    };

    bool IsSizeGripShown() const { return (m_nPlacementFlags & ePlacementSizeGrip) != 0; }

    virtual void ShowSizeGrip(bool bShow)
    {
        if (IsSizeGripShown() == bShow)
            return;
        m_nPlacementFlags ^= ePlacementSizeGrip;
        if (this->m_hWnd != NULL)
            ::InvalidateRect(this->m_hWnd, &m_rcGrip, TRUE);
    }

    virtual void SavePlacement()
    {
        if (this->m_hWnd == NULL || m_strSection.IsEmpty())
            return;
        WINDOWPLACEMENT wp;
        memset(&wp, 0, sizeof(wp));
        wp.length = sizeof(wp);
        if (::GetWindowPlacement(this->m_hWnd, &wp))
            AfxGetApp()->WriteProfileString(m_strSection, m_strEntry, CExtSavedPlacement::Format(wp));
    }

    // The saved placement, parsed strictly and fitted onto the nearest monitor with at
    // least the size the window was created with; a malformed text changes nothing.
    virtual void RestorePlacement(bool bHide = false)
    {
        if (this->m_hWnd == NULL || m_strSection.IsEmpty())
            return;
        WINDOWPLACEMENT wp;
        memset(&wp, 0, sizeof(wp));
        wp.length = sizeof(wp);
        ::GetWindowPlacement(this->m_hWnd, &wp);
        if (CExtResizableLayerHelpers::ReadPlacement(m_strSection, m_strEntry, GetPlacementMinimumSize(), wp))
        {
            if (bHide)
                wp.showCmd = SW_HIDE;
            ::SetWindowPlacement(this->m_hWnd, &wp);
        }
        ::RedrawWindow(this->m_hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }

    virtual void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bHideWindow = false)
    {
        m_strSection = lpszSection != NULL ? lpszSection : "";
        m_strEntry = lpszEntry != NULL ? lpszEntry : "";
        m_nPlacementFlags |= ePlacementSaveRestore;
        if (this->m_hWnd != NULL && ::IsWindow(this->m_hWnd))
            RestorePlacement(bHideWindow);
    }

    // Opens the window's system menu at pPoint (null: below the caption).
    virtual bool TrackSystemMenu(const POINT* pPoint = NULL, bool bFromKeyboard = false)
    {
        if (this->m_hWnd == NULL || (this->GetStyle() & WS_POPUP) == 0)
            return false;
        CExtPopupMenuWnd::CancelTracking();
        m_nPlacementFlags &= ~ePlacementSysMenuTracked;
        HMENU hSysMenu = ::GetSystemMenu(this->m_hWnd, FALSE);
        if (hSysMenu == NULL)
            return false;
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (!pPopup->InitEmptyMenu(this->m_hWnd) || !pPopup->UpdateFromMenu(this->m_hWnd, hSysMenu, false, true))
        {
            delete pPopup;
            return false;
        }
        CPoint pt;
        if (pPoint != NULL)
            pt = *pPoint;
        else
        {
            CRect rcWindow, rcClient;
            ::GetWindowRect(this->m_hWnd, &rcWindow);
            ::GetClientRect(this->m_hWnd, &rcClient);
            ::ClientToScreen(this->m_hWnd, (LPPOINT)&rcClient);
            pt = CPoint(rcWindow.left + ::GetSystemMetrics(SM_CXFRAME), rcClient.top);
        }
        HWND hWndFocus = ::GetFocus();
        if (hWndFocus != this->m_hWnd && !::IsChild(this->m_hWnd, hWndFocus))
            ::SetFocus(this->m_hWnd);
        // The menu tracks on its own: the timer ends the tracked state once it closed.
        const bool bTracked = pPopup->TrackPopupMenu(TPMX_TOPALIGN | (bFromKeyboard ? TPMX_SELECTFIRST : 0), pt.x, pt.y);
        if (bTracked && ::IsWindow(this->m_hWnd))
        {
            m_nPlacementFlags |= ePlacementSysMenuTracked;
            ::SetTimer(this->m_hWnd, EXT_SYSMENU_TIMER_ID, 20, NULL);
        }
        return bTracked;
    }

    bool IsSystemMenuTracked() const { return (m_nPlacementFlags & ePlacementSysMenuTracked) != 0; }

    // The background brush of this kind of window (dialog, page or sheet): one for all
    // of them, made when the first asks.
    static HBRUSH GetBackgroundBrush()
    {
        static CExtLayerBackgroundBrush s_brush;
        return s_brush.Get(g_PaintManagerHolder->GetColor(1000));
    }

protected:
    // A customised background is painted whole after a size or position change (not
    // on palette displays, where it would only flicker).
    bool NeedsFullRepaint()
    {
        return this->m_hWnd != NULL && ::IsWindowVisible(this->m_hWnd) &&
               g_PaintManagerHolder->IsBackgroundCustomized(this) && GetScreenColorDepth() > 8;
    }

    // The smallest size a restored placement may have.
    virtual CSize GetPlacementMinimumSize() { return CSize(0, 0); }

    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        // Alt+Space opens the framework's system menu of a popup window.
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_SYSKEYUP) &&
            pMsg->wParam == VK_SPACE && (pMsg->lParam & (1 << 29)) != 0 && this->m_hWnd != NULL &&
            (this->GetStyle() & WS_POPUP) != 0 && (this->GetStyle() & WS_SYSMENU) != 0)
        {
            HWND hWndActive = ::GetActiveWindow();
            if (pMsg->message != WM_SYSKEYUP &&
                (hWndActive == this->m_hWnd || (::GetWindowLong(hWndActive, GWL_STYLE) & WS_POPUP) == 0))
                TrackSystemMenu(NULL, true);
            return TRUE;
        }
        return TBase::PreTranslateMessage(pMsg);
    }

    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        switch (nMsg)
        {
        case WM_DESTROY:
            if (m_nPlacementFlags & ePlacementSaveRestore)
                SavePlacement();
            break;
        case WM_SIZE:
        {
            const bool bFullRepaint = NeedsFullRepaint();
            if (IsSizeGripShown() && !m_rcGrip.IsRectEmpty() && !bFullRepaint)
                ::InvalidateRect(this->m_hWnd, &m_rcGrip, TRUE);
            LRESULT lResult = TBase::WindowProc(nMsg, wParam, lParam);
            if (IsSizeGripShown())
            {
                CRect rc;
                ::GetClientRect(this->m_hWnd, &rc);
                m_rcGrip.SetRect(rc.right - ::GetSystemMetrics(SM_CXVSCROLL), rc.bottom - ::GetSystemMetrics(SM_CYHSCROLL),
                                 rc.right, rc.bottom);
                ::InvalidateRect(this->m_hWnd, bFullRepaint ? NULL : &m_rcGrip, TRUE);
            }
            else if (bFullRepaint)
                ::InvalidateRect(this->m_hWnd, NULL, TRUE);
            return lResult;
        }
        case WM_PAINT:
        {
            // The look's background around the children that paint all of themselves;
            // the others show it through.
            CPaintDC dc(this);
            if (g_PaintManagerHolder->IsBackgroundCustomized(this))
            {
                const int nSaved = dc.SaveDC();
                CExtResizableLayerHelpers::ExcludeOpaqueChildren(this->m_hWnd, dc.GetSafeHdc());
                g_PaintManagerHolder->PaintDialogBackground(dc, this);
                dc.RestoreDC(nSaved);
            }
            if (IsSizeGripShown() && !::IsZoomed(this->m_hWnd) && !m_rcGrip.IsRectEmpty())
                g_PaintManagerHolder->PaintResizingGripper(dc, m_rcGrip, this);
            g_PaintManagerHolder->OnPaintSessionComplete(this);
            return 0;
        }
        case WM_ERASEBKGND:
        {
            CExtResizableLayerHelpers::ExcludeOpaqueChildren(this->m_hWnd, (HDC)wParam);
            break;
        }
        case WM_WINDOWPOSCHANGED:
        {
            LRESULT lResult = TBase::WindowProc(nMsg, wParam, lParam);
            if (NeedsFullRepaint())
                ::InvalidateRect(this->m_hWnd, NULL, TRUE);
            return lResult;
        }
        case WM_NCHITTEST:
            if (IsSizeGripShown() && !::IsZoomed(this->m_hWnd))
            {
                CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
                ::ScreenToClient(this->m_hWnd, &pt);
                if (m_rcGrip.PtInRect(pt))
                    return HTBOTTOMRIGHT;
            }
            break;
        case WM_NCLBUTTONDOWN:
            // The system's own menu never opens: ours comes on the button's release.
            if (wParam == HTSYSMENU)
                return 0;
            break;
        case WM_NCRBUTTONDOWN:
            // Opened on the press, the menu would take the release as a click beside
            // it and close at once: it opens on the release.
            if (wParam == HTSYSMENU || (wParam == HTCAPTION && (this->GetStyle() & WS_POPUP)))
                return 0;
            break;
        case WM_TIMER:
            if (wParam == EXT_SYSMENU_TIMER_ID)
            {
                if (!CExtPopupMenuWnd::IsTrackingActive())
                {
                    m_nPlacementFlags &= ~ePlacementSysMenuTracked;
                    ::KillTimer(this->m_hWnd, EXT_SYSMENU_TIMER_ID);
                }
                return 0;
            }
            break;
        case WM_NCLBUTTONUP:
            if (wParam == HTSYSMENU && (this->GetStyle() & WS_POPUP))
            {
                TrackSystemMenu(NULL, false);
                return 0;
            }
            break;
        case WM_NCRBUTTONUP:
            if ((wParam == HTCAPTION || wParam == HTSYSMENU) && (this->GetStyle() & WS_POPUP))
            {
                POINT pt;
                ::GetCursorPos(&pt);
                TrackSystemMenu(wParam == HTCAPTION ? &pt : NULL, false);
                return 0;
            }
            break;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORMSGBOX:
            return (LRESULT)GetBackgroundBrush();
        case WM_CTLCOLORSTATIC:
            ::SetBkMode((HDC)wParam, TRANSPARENT);
            return (LRESULT)CExtResizableLayerHelpers::OnCtlColorStatic(this, (HDC)wParam, (HWND)lParam,
                                                                         &GetBackgroundBrush);
        default:
            break;
        }
        return TBase::WindowProc(nMsg, wParam, lParam);
    }

    CString m_strSection;
    CString m_strEntry;
    BYTE m_nPlacementFlags;
    CRect m_rcGrip;
};
