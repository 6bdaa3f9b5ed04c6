// CExtPaintManagerHolder: the one process-wide holder of the current look. It owns
// the installed paint manager; windows ask it for the look on every paint. It also
// knows the system's version and binds the visual-styles library for the looks.
#pragma once

#include "CExtPaintManager.h"

#include <uxtheme.h>

class CExtPaintManagerHolder
{
public:
    // Operating-system flags.
    enum
    {
        eOsWin32s = 0x01,
        eOsWin9x = 0x02,
        eOsWin98 = 0x04,
        eOsWin98OrLater = 0x08,
        eOsNT = 0x10,
        eOsNT4 = 0x20,
        eOsWin2000 = 0x40,
        eOsWinXP = 0x80,
    };
    // NT level flags.
    enum
    {
        eNtAbove3 = 0x01,
        eNtAbove4 = 0x02,
        eNtAbove50 = 0x04,
    };
    // Theme flags; the looks use the taskband colours only while eThemeBound,
    // eThemeTaskbandColors and eThemeColorsAllowed are all set.
    enum
    {
        eThemeBound = 0x01,
        eThemeAppThemed = 0x02,
        eThemeTaskbandColors = 0x04,
        eThemeColorsAllowed = 0x08,
    };
    enum { nThemeFunctionCount = 48, nTaskbandColorCount = 7 };

    // The four theme calls the colours come from; tests put their own in place.
    struct ThemeCalls
    {
        BOOL(WINAPI* pfnIsAppThemed)();
        HTHEME(WINAPI* pfnOpenThemeData)(HWND, LPCWSTR);
        HRESULT(WINAPI* pfnCloseThemeData)(HTHEME);
        HRESULT(WINAPI* pfnGetThemeColor)(HTHEME, int, int, int, COLORREF*);
    };

    // Reads the system's version and theme data and installs the flat look.
    CExtPaintManagerHolder();
    ~CExtPaintManagerHolder();

    // The current look; never null.
    CExtPaintManager* GetPaintManager();
    CExtPaintManager* operator->() { return GetPaintManager(); }

    // Makes pNew the look of every framework window and takes ownership of it.
    // Installing the current look does nothing; NULL installs a new flat look. The
    // previous look is deleted only once the new one stands: when no look can be made
    // the previous one stays and the answer is false.
    bool InstallPaintManager(CExtPaintManager* pNew);

    // Whether pWnd is the one window of its frame that passes a system change on,
    // so that a change reaching many bars is handled once.
    static bool IsSyncSourceWindow(CWnd* pWnd);
    void OnSysColorChange(CWnd* pWnd);
    void OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection);
    void OnDisplayChange(CWnd* pWnd, int nDepthBPP, CPoint ptSizes);
    void OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    // The version record as read (or as given: tests pass other systems' records),
    // and what follows from it.
    void ReadOsVersion(const OSVERSIONINFOA* pVersion = NULL);
    const OSVERSIONINFOA& GetOsVersionInfo() const { return m_osvi; }
    const CString& GetOsVersionText() const { return m_strOsVersion; }
    BYTE GetOsFlags() const { return m_nOsFlags; }
    BYTE GetNtLevelFlags() const { return m_nNtLevelFlags; }
    bool IsWin9x() const { return (m_nOsFlags & eOsWin9x) != 0; }
    bool IsNT4() const { return (m_nOsFlags & eOsNT4) != 0; }

    // Binds the visual-styles library (once) and reads the taskband colours.
    void RefreshThemeData();
    // Forgets what was read and reads the theme data again, so a theme change is seen.
    void RereadThemeData();
    BYTE GetThemeFlags() const { return m_nThemeFlags; }
    bool AreTaskbandColorsUsable() const;
    COLORREF GetTaskbandColor(int nIndex) const;
    // The bound export by its index in the library's list (NULL when missing).
    FARPROC GetThemeFunction(int nIndex) const;
    static LPCSTR GetThemeFunctionName(int nIndex);
    // Tests: NULL goes back to the library's own calls. The theme data is read anew.
    void SetThemeCallsForTest(const ThemeCalls* pCalls);

private:
    CExtPaintManagerHolder(const CExtPaintManagerHolder&) = delete;
    CExtPaintManagerHolder& operator=(const CExtPaintManagerHolder&) = delete;

    bool BindThemeFunctions(ThemeCalls& calls);
    void ReadTaskbandColors(const ThemeCalls& calls);

    CExtPaintManager* m_pPaintManager;
    CString m_strOsVersion;
    BYTE m_nOsFlags;
    BYTE m_nNtLevelFlags;
    OSVERSIONINFOA m_osvi;
    FARPROC m_arrThemeFunctions[nThemeFunctionCount];
    BYTE m_nThemeFlags;
    COLORREF m_arrTaskbandColors[nTaskbandColorCount];
    HINSTANCE m_hUxTheme;
    bool m_bTestThemeCalls;
    ThemeCalls m_testThemeCalls;
};

// The holder of the process. Built before the application object, destroyed after it.
extern CExtPaintManagerHolder g_PaintManagerHolder;
