// CExtCommandManager: the process-wide registry of named command profiles and of the
// windows bound to them. A window finds its profile through the nearest bound window
// among itself and its parents.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afxmt.h>

#include "CExtCommandProfile.h"

// Shows the command's prompt in pane 0 of the status bar of the window's frame (the
// owner frame of a floating one), from the profile bound to that frame; the frame's
// own prompt (WM_SETMESSAGESTRING) for the idle message, an unknown command or a
// frame without the framework's status bar. A window outside any frame stands for
// its own frame.
void ShowCommandStatusText(CWnd* pWnd, UINT nCmdID);

class CExtCommandManager
{
public:
    // Creates the profile "default".
    CExtCommandManager();
    virtual ~CExtCommandManager();

    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    // A null or empty name means "default" in every operation below.
    CExtCommandProfile* GetProfile(LPCTSTR lpszProfileName);
    // Creates the profile unless it exists; then binds hWnd to it when given.
    bool CreateProfile(LPCTSTR lpszProfileName, HWND hWnd = NULL);
    // Binds a window to an existing profile (a window already bound keeps its binding).
    bool BindWindow(HWND hWnd, LPCTSTR lpszProfileName);
    // Removes the window's binding; with bDeleteUnusedProfile a profile no other
    // window is bound to goes too.
    bool UnbindWindow(HWND hWnd, bool bDeleteUnusedProfile = false, bool* pbProfileDeleted = NULL);
    // The name of the profile bound to the window or its nearest bound parent; empty
    // when none. A copy: UnbindWindow may delete the profile.
    CString GetProfileNameForWindow(HWND hWnd);

    bool UpdateCommand(LPCTSTR lpszProfileName, const CExtCommandItem& src, bool bReplace = false,
                       bool* pbCreated = NULL);
    bool RemoveCommand(LPCTSTR lpszProfileName, UINT nCmdID, bool* pbRemoved = NULL);
    bool RemoveCommandsByFlags(LPCTSTR lpszProfileName, DWORD dwMask, bool bAllBits);
    CExtCommandItem* AllocateCommand(LPCTSTR lpszProfileName, UINT nCmdID);
    CExtCommandItem* GetCommand(LPCTSTR lpszProfileName, UINT nCmdID);
    CExtCommandIcon* GetCommandIcon(LPCTSTR lpszProfileName, UINT nCmdID);
    bool UpdateFromMenu(LPCTSTR lpszProfileName, HMENU hMenu, bool bReplace = false, bool bRecurse = true,
                        bool bLoadTexts = true);
    // Adds every command of the menu resource, with its text, to the profile.
    bool UpdateFromMenuResource(LPCTSTR lpszProfileName, UINT nMenuID, bool bReplace = false,
                                bool bLoadTexts = true);
    bool UpdateFromToolbarResource(LPCTSTR lpszProfileName, LPCTSTR lpszResourceName, UINT** ppIDs = NULL,
                                   int* pnCount = NULL, bool bReplace = false, bool bLoadTexts = true,
                                   COLORREF clrTransparent = RGB(192, 192, 192));

    // The command's menu text without "&" and without anything after a line feed, as
    // a bar shows it as its caption. Empty when the window's profile lacks the command.
    CString GetCommandCaption(HWND hWnd, UINT nCmdID);

private:
    // Calls f with every profile, under the manager's lock.
    template<class F> void ForEachProfile(F f)
    {
        CSingleLock lock(&m_cs, TRUE);
        for (POSITION pos = m_mapProfiles.GetStartPosition(); pos != NULL;)
        {
            CString strName;
            void* pProfile;
            m_mapProfiles.GetNextAssoc(pos, strName, pProfile);
            f((CExtCommandProfile*)pProfile);
        }
    }
    // The profile's operation, looked up and called under one hold of the lock;
    // fallback when the profile does not exist.
    template<class R, class F> R WithProfile(LPCTSTR lpszProfileName, R fallback, F f)
    {
        CSingleLock lock(&m_cs, TRUE);
        CExtCommandProfile* pProfile = FindProfile(lpszProfileName);
        return pProfile != NULL ? f(pProfile) : fallback;
    }
    CExtCommandManager(const CExtCommandManager&) = delete;
    CExtCommandManager& operator=(const CExtCommandManager&) = delete;

    static CString ProfileKey(LPCTSTR lpszProfileName);
    CExtCommandProfile* FindProfile(LPCTSTR lpszProfileName);

    CMapStringToPtr m_mapProfiles;
    CMap<HWND, HWND, CExtCommandProfile*, CExtCommandProfile*> m_mapBindings;
    CCriticalSection m_cs;
};
