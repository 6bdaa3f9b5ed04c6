// CExtSavedPlacement: a window placement as the profile keeps it, "%d,%d,%d,%d,%d,%d"
// (normal position left, top, right, bottom, show command, placement flags), read
// back strictly and put where it can be seen.
#pragma once

#include <afxwin.h>

class CExtSavedPlacement
{
public:
    // The text of a placement; a minimised window is kept as the state it goes back
    // to (maximised when WPF_RESTORETOMAXIMIZED, else normal).
    static CString Format(const WINDOWPLACEMENT& wp);
    // SW_SHOWMAXIMIZED for a maximised window (or a minimised one that restores to
    // maximised, by the flags), SW_SHOWNORMAL for everything else.
    static UINT RestorableShowCommand(UINT nShowCmd, UINT nFlags);
    // Six decimal integers separated by commas and nothing else; false (and wp
    // untouched) for anything else, a show command the system does not know or an
    // empty or inverted rectangle.
    static bool Parse(LPCTSTR lpszText, WINDOWPLACEMENT& wp);
    // The rectangle moved (and if need be shrunk) onto the work area, and at least
    // sizeMin large as far as the work area allows.
    static CRect FitToWorkArea(const CRect& rcSaved, const CRect& rcWorkArea, CSize sizeMin);
};
