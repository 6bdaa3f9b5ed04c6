// CExtResizableLayerHelpers: what the resizable dialog, page and sheet layers share:
// which children show their parent's background, the dialog background brush, and
// reading a saved placement.
#pragma once

#include <afxwin.h>

struct CExtResizableLayerHelpers
{
    // Whether a child shows its parent's background (statics, group and check boxes,
    // tabs, sliders), so it is moved with a repaint and never clipped away.
    static bool IsTransparentChildBackground(HWND hWnd);
    // The solid brush of the dialog background in the current look's face colour.
    static HBRUSH GetDialogBrush();
    // WM_CTLCOLORSTATIC of a window whose look paints the background itself: the
    // background under the control is painted into its DC, and it draws transparently.
    static HBRUSH OnCtlColorStatic(CWnd* pParent, HDC hDC, HWND hWndCtrl);
    // The placement saved for section and entry, fitted onto a visible monitor with
    // at least sizeMin; false when nothing usable is stored.
    static bool ReadPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry, CSize sizeMin, WINDOWPLACEMENT& wp);
};

