// CExtFrameBarState: the bar layout of one frame, collected from its bars to be
// stored, or read back to be applied.
#pragma once

#include <afxwin.h>

class CExtFrameBarState
{
public:
    static bool Load(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                     WINDOWPLACEMENT* pFramePlacement);
    static bool Save(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey, LPCTSTR lpszProfileName,
                     WINDOWPLACEMENT* pFramePlacement);
};
