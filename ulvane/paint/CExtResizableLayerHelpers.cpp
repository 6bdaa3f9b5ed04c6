// CExtResizableLayerHelpers: child backgrounds, static children's colours and saved placements.
#include "CExtResizableLayerHelpers.h"

#include "CExtMonitorInfo.h"
#include "CExtPaintManagerHolder.h"
#include "CExtSavedPlacement.h"
#include "ExtPaintHelpers.h"

bool CExtResizableLayerHelpers::IsTransparentChildBackground(HWND hWnd)
{
    if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
        return true;
    char szClass[261] = "";
    ::GetClassName(hWnd, szClass, 260);
    if (lstrcmpi(szClass, "static") == 0 || lstrcmpi(szClass, "SysTabControl32") == 0 ||
        lstrcmpi(szClass, "msctls_trackbar32") == 0)
        return true;
    if (lstrcmpi(szClass, "button") == 0)
    {
        // With the visual styles bound every button may draw rounded or see-through
        // edges over its parent's background.
        if ((g_PaintManagerHolder.GetThemeFlags() & CExtPaintManagerHolder::eThemeBound) != 0)
            return true;
        // Plain and default push buttons paint all of themselves; check boxes, radio
        // buttons, group boxes and the other kinds show the background around them.
        const DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
        return (dwStyle & 0x07) != 0 && (dwStyle & BS_TYPEMASK) != BS_DEFPUSHBUTTON;
    }
    return false;
}

void CExtResizableLayerHelpers::ExcludeOpaqueChildren(HWND hWndParent, HDC hDC)
{
    ExcludeVisibleChildren(hDC, hWndParent, &IsTransparentChildBackground);
}

HBRUSH CExtResizableLayerHelpers::OnCtlColorStatic(CWnd* pParent, HDC hDC, HWND hWndCtrl,
                                                   HBRUSH (*pfnLayerBrush)())
{
    char szClass[32] = "";
    ::GetClassName(hWndCtrl, szClass, sizeof(szClass));
    // Read-only edits keep a plain background: their text is drawn opaquely.
    const bool bEdit = lstrcmpi(szClass, "edit") == 0;
    if (bEdit || !g_PaintManagerHolder->IsBackgroundCustomized(pParent))
    {
        ::SetBkColor(hDC, g_PaintManagerHolder->GetColor(1000));
        return pfnLayerBrush();
    }
    // The parent's background under the control, aligned with the parent's.
    CRect rcCtrl;
    ::GetWindowRect(hWndCtrl, &rcCtrl);
    ::MapWindowPoints(NULL, pParent->m_hWnd, (LPPOINT)&rcCtrl, 2);
    CDC* pDC = CDC::FromHandle(hDC);
    int nSaved = pDC->SaveDC();
    POINT ptOld;
    ::SetViewportOrgEx(hDC, -rcCtrl.left, -rcCtrl.top, &ptOld);
    ::IntersectClipRect(hDC, rcCtrl.left, rcCtrl.top, rcCtrl.right, rcCtrl.bottom);
    g_PaintManagerHolder->PaintDialogBackground(*pDC, pParent);
    pDC->RestoreDC(nSaved);
    ::SetBkMode(hDC, TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

bool CExtResizableLayerHelpers::ReadPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry, CSize sizeMin,
                                               WINDOWPLACEMENT& wp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return false;
    CString strText = pApp->GetProfileString(lpszSection, lpszEntry, "");
    WINDOWPLACEMENT wpRead = wp;
    if (strText.IsEmpty() || !CExtSavedPlacement::Parse(strText, wpRead))
        return false;
    // Only normal or maximised: a window never comes back hidden, minimised or inactive.
    wpRead.showCmd = CExtSavedPlacement::RestorableShowCommand(wpRead.showCmd, wpRead.flags);
    CExtMonitorInfo monitor(wpRead.rcNormalPosition);
    wpRead.rcNormalPosition = CExtSavedPlacement::FitToWorkArea(wpRead.rcNormalPosition, monitor.m_rcWorkArea, sizeMin);
    wp = wpRead;
    return true;
}
