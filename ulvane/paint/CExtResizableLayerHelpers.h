// CExtResizableLayerHelpers: what the resizable dialog, page and sheet layers share:
// which children show their parent's background, the colours of static children, and
// reading a saved placement.
#pragma once

#include <afxwin.h>

struct CExtResizableLayerHelpers
{
    // Whether a child shows its parent's background (statics, group and check boxes,
    // tabs, sliders), so it is moved with a repaint and never clipped away.
    static bool IsTransparentChildBackground(HWND hWnd);
    // Takes the visible children that paint all of themselves out of the DC's clip
    // region, so the parent's background goes only where it shows.
    static void ExcludeOpaqueChildren(HWND hWndParent, HDC hDC);
    // WM_CTLCOLORSTATIC: a window whose look paints the background itself gets that
    // background painted into its DC and draws transparently; others get the layer's
    // brush (pfnLayerBrush, asked only then) in the look's face colour.
    static HBRUSH OnCtlColorStatic(CWnd* pParent, HDC hDC, HWND hWndCtrl, HBRUSH (*pfnLayerBrush)());
    // The placement saved for section and entry, fitted onto a visible monitor with
    // at least sizeMin; false when nothing usable is stored.
    static bool ReadPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry, CSize sizeMin, WINDOWPLACEMENT& wp);
};

