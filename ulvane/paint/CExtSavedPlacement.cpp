// CExtSavedPlacement: the placement text and fitting a placement onto a monitor.
#include "CExtSavedPlacement.h"

#include <algorithm>
#include <climits>

namespace
{
// One decimal integer with an optional sign at p; advances p past it.
bool ReadInt(LPCTSTR& p, int& nValue)
{
    bool bNegative = false;
    if (*p == '-' || *p == '+')
        bNegative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return false;
    long long n = 0;
    while (*p >= '0' && *p <= '9')
    {
        n = n * 10 + (*p++ - '0');
        if (n > (long long)INT_MAX + 1)
            return false;
    }
    n = bNegative ? -n : n;
    if (n > INT_MAX || n < INT_MIN)
        return false;
    nValue = (int)n;
    return true;
}
}

UINT CExtSavedPlacement::RestorableShowCommand(UINT nShowCmd, UINT nFlags)
{
    const bool bMinimized = nShowCmd == SW_SHOWMINIMIZED || nShowCmd == SW_MINIMIZE ||
                            nShowCmd == SW_SHOWMINNOACTIVE || nShowCmd == SW_FORCEMINIMIZE;
    if (nShowCmd == SW_SHOWMAXIMIZED || (bMinimized && (nFlags & WPF_RESTORETOMAXIMIZED) != 0))
        return SW_SHOWMAXIMIZED;
    return SW_SHOWNORMAL;
}

CString CExtSavedPlacement::Format(const WINDOWPLACEMENT& wp)
{
    CString strText;
    strText.Format("%d,%d,%d,%d,%d,%d", (int)wp.rcNormalPosition.left, (int)wp.rcNormalPosition.top,
                   (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom,
                   (int)RestorableShowCommand(wp.showCmd, wp.flags), (int)wp.flags);
    return strText;
}

bool CExtSavedPlacement::Parse(LPCTSTR lpszText, WINDOWPLACEMENT& wp)
{
    if (lpszText == NULL)
        return false;
    int arrValues[6];
    LPCTSTR p = lpszText;
    for (int i = 0; i < 6; i++)
    {
        if (i > 0 && *p++ != ',')
            return false;
        if (!ReadInt(p, arrValues[i]))
            return false;
    }
    if (*p != '\0')
        return false;
    const CRect rc(arrValues[0], arrValues[1], arrValues[2], arrValues[3]);
    if (rc.right <= rc.left || rc.bottom <= rc.top || arrValues[4] < SW_HIDE || arrValues[4] > SW_FORCEMINIMIZE)
        return false;
    wp.rcNormalPosition = rc;
    wp.showCmd = (UINT)arrValues[4];
    wp.flags = (UINT)arrValues[5] & (WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED);
    return true;
}

CRect CExtSavedPlacement::FitToWorkArea(const CRect& rcSaved, const CRect& rcWorkArea, CSize sizeMin)
{
    CRect rc(rcSaved);
    const int cxMax = std::max((int)rcWorkArea.Width(), 1), cyMax = std::max((int)rcWorkArea.Height(), 1);
    const int cx = std::min(std::max((int)rc.Width(), (int)sizeMin.cx), cxMax);
    const int cy = std::min(std::max((int)rc.Height(), (int)sizeMin.cy), cyMax);
    rc.right = rc.left + cx;
    rc.bottom = rc.top + cy;
    if (rc.right > rcWorkArea.right)
        rc.OffsetRect(rcWorkArea.right - rc.right, 0);
    if (rc.bottom > rcWorkArea.bottom)
        rc.OffsetRect(0, rcWorkArea.bottom - rc.bottom);
    if (rc.left < rcWorkArea.left)
        rc.OffsetRect(rcWorkArea.left - rc.left, 0);
    if (rc.top < rcWorkArea.top)
        rc.OffsetRect(0, rcWorkArea.top - rc.top);
    return rc;
}
