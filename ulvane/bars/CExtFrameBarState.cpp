// CExtFrameBarState: storing and restoring a frame's bar layout.
#include "CExtFrameBarState.h"

#include "CExtControlBar.h"

bool CExtControlBar::LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                  LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    return CExtFrameBarState::Load(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName, pFramePlacement);
}

bool CExtControlBar::SaveBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                                  LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement)
{
    return CExtFrameBarState::Save(pFrame, lpszRegistryKey, lpszProductKey, lpszProfileName, pFramePlacement);
}

bool CExtFrameBarState::Load(CFrameWnd*, LPCTSTR, LPCTSTR, LPCTSTR, WINDOWPLACEMENT*)
{
    // Nothing is stored yet: the caller lays out its default.
    return false;
}

bool CExtFrameBarState::Save(CFrameWnd*, LPCTSTR, LPCTSTR, LPCTSTR, WINDOWPLACEMENT*)
{
    return false;
}
