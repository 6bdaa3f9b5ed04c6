// CExtCommandManagerHolder: the one process-wide owner of the command manager.
#pragma once

#include "CExtCommandManager.h"

class CExtCommandManagerHolder
{
public:
    CExtCommandManagerHolder();
    ~CExtCommandManagerHolder();

    CExtCommandManager* GetCommandManager() { return m_pManager; }
    CExtCommandManager* operator->() { return m_pManager; }

    // System changes, passed on once per frame (from its sync source window).
    void OnSysColorChange(CWnd* pWnd);
    void OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    void OnDisplayChange(CWnd* pWnd, int nDepthBPP, int cx, int cy);
    void OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

private:
    CExtCommandManagerHolder(const CExtCommandManagerHolder&) = delete;
    CExtCommandManagerHolder& operator=(const CExtCommandManagerHolder&) = delete;

    CExtCommandManager* m_pManager;
};

// The holder of the process. Built before the application object, destroyed after it.
extern CExtCommandManagerHolder g_CommandManagerHolder;
