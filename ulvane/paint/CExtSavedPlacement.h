// CExtSavedPlacement: a window placement as the profile keeps it, "%d,%d,%d,%d,%d,%d"
// (normal position left, top, right, bottom, show command, placement flags), read
// back strictly and put where it can be seen.
#pragma once

#include <afxwin.h>

class CExtSavedPlacement
{
public:
    static CString Format(const WINDOWPLACEMENT& wp);
    // Six decimal integers separated by commas and nothing else; false (and wp
    // untouched) for anything else, a show command the system does not know or an
    // empty or inverted rectangle.
    static bool Parse(LPCTSTR lpszText, WINDOWPLACEMENT& wp);
    // The rectangle moved (and if need be shrunk) onto the work area, and at least
    // sizeMin large as far as the work area allows.
    static CRect FitToWorkArea(const CRect& rcSaved, const CRect& rcWorkArea, CSize sizeMin);
};
