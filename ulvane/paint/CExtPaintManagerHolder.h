// CExtPaintManagerHolder: the one process-wide holder of the current look. It owns
// the installed paint manager; windows ask it for the look on every paint.
#pragma once

#include "CExtPaintManager.h"

class CExtPaintManagerHolder
{
public:
    // Installs the flat look.
    CExtPaintManagerHolder();
    ~CExtPaintManagerHolder();

    // The current look; never null.
    CExtPaintManager* GetPaintManager();
    CExtPaintManager* operator->() { return GetPaintManager(); }

    // Makes pNew the look of every framework window and takes ownership of it.
    // Installing the current look does nothing; otherwise the previous one is deleted.
    // NULL installs a new flat look. False only when no look could be made.
    bool InstallPaintManager(CExtPaintManager* pNew);

    // Whether pWnd is the one window of its frame that passes a system change on,
    // so that a change reaching many bars is handled once.
    static bool IsSyncSourceWindow(CWnd* pWnd);
    void OnSysColorChange(CWnd* pWnd);
    void OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    void OnDisplayChange(CWnd* pWnd, int nDepthBPP, CPoint ptSizes);
    void OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

private:
    CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
    CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

    CExtPaintManager* m_pPaintManager;
};

// The holder of the process. Built before the application object, destroyed after it.
extern CExtPaintManagerHolder g_PaintManagerHolder;
