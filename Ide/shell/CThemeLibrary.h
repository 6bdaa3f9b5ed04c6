// CThemeLibrary: the system's visual-styles library, bound at run time so the IDE also
// runs where it is missing. One global object, made before the application object;
// the library is freed when the program ends.
#pragma once

#include <afxwin.h>
#include <uxtheme.h>

class CThemeLibrary
{
public:
    typedef BOOL(WINAPI* PFN_IsThemeActive)();
    typedef HTHEME(WINAPI* PFN_OpenThemeData)(HWND, LPCWSTR);
    typedef HRESULT(WINAPI* PFN_CloseThemeData)(HTHEME);
    typedef HRESULT(WINAPI* PFN_GetThemeBackgroundContentRect)(HTHEME, HDC, int, int, LPCRECT, LPRECT);
    typedef HRESULT(WINAPI* PFN_DrawThemeBackground)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);

    // The five entry points; a missing one is NULL.
    struct CEntryPoints
    {
        PFN_IsThemeActive pfnIsThemeActive;
        PFN_OpenThemeData pfnOpenThemeData;
        PFN_CloseThemeData pfnCloseThemeData;
        PFN_GetThemeBackgroundContentRect pfnGetThemeBackgroundContentRect;
        PFN_DrawThemeBackground pfnDrawThemeBackground;
    };

    CThemeLibrary();
    ~CThemeLibrary();

    BOOL IsLoaded() const { return m_hModule != NULL; }
    // Loaded and the user's theme is on.
    BOOL IsThemed() const;

    // Each answers as the system's function does, or fails (NULL, E_NOTIMPL) when
    // the library or the entry point is missing.
    HTHEME OpenThemeData(HWND hWnd, LPCWSTR pszClassList) const;
    HRESULT CloseThemeData(HTHEME hTheme) const;
    HRESULT GetThemeBackgroundContentRect(HTHEME hTheme, HDC hDC, int nPart, int nState, LPCRECT pBounding,
                                          LPRECT pContent) const;
    HRESULT DrawThemeBackground(HTHEME hTheme, HDC hDC, int nPart, int nState, LPCRECT pRect, LPCRECT pClip) const;

    // Tests put their own entry points in; a non-NULL module counts as loaded.
    const CEntryPoints& GetEntryPoints() const { return m_entryPoints; }
    HMODULE GetModule() const { return m_hModule; }
    void SetEntryPoints(HMODULE hModule, const CEntryPoints& entryPoints);

private:
    HMODULE m_hModule;
    HMODULE m_hLoadedModule;  // what the destructor frees
    CEntryPoints m_entryPoints;

    CThemeLibrary(const CThemeLibrary&) = delete;
    CThemeLibrary& operator=(const CThemeLibrary&) = delete;
};

extern CThemeLibrary g_ThemeLibrary;
