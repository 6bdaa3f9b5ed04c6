#include "CThemeLibrary.h"

// Made before the application object and everything else of the default order: the
// windows that paint with it may exist as soon as the application starts.
CThemeLibrary g_ThemeLibrary __attribute__((init_priority(1000)));

namespace
{
// From the system folder only: a library of that name beside the program must never
// be the one that runs.
HMODULE LoadSystemThemeLibrary()
{
    char szPath[MAX_PATH];
    const UINT nLength = ::GetSystemDirectoryA(szPath, MAX_PATH);
    const char kName[] = "\\uxtheme.dll";
    if (nLength == 0 || nLength + sizeof(kName) > MAX_PATH)
        return NULL;
    lstrcatA(szPath, kName);
    return ::LoadLibraryA(szPath);
}

template<class T>
T BindEntry(HMODULE hModule, LPCSTR pszName)
{
    return reinterpret_cast<T>(::GetProcAddress(hModule, pszName));
}
} // namespace

CThemeLibrary::CThemeLibrary() : m_hModule(NULL), m_hLoadedModule(NULL)
{
    memset(&m_entryPoints, 0, sizeof(m_entryPoints));
    m_hLoadedModule = LoadSystemThemeLibrary();
    if (m_hLoadedModule == NULL)
        return;
    CEntryPoints entry;
    entry.pfnIsThemeActive = BindEntry<PFN_IsThemeActive>(m_hLoadedModule, "IsThemeActive");
    entry.pfnOpenThemeData = BindEntry<PFN_OpenThemeData>(m_hLoadedModule, "OpenThemeData");
    entry.pfnCloseThemeData = BindEntry<PFN_CloseThemeData>(m_hLoadedModule, "CloseThemeData");
    entry.pfnGetThemeBackgroundContentRect =
        BindEntry<PFN_GetThemeBackgroundContentRect>(m_hLoadedModule, "GetThemeBackgroundContentRect");
    entry.pfnDrawThemeBackground = BindEntry<PFN_DrawThemeBackground>(m_hLoadedModule, "DrawThemeBackground");
    SetEntryPoints(m_hLoadedModule, entry);
}

CThemeLibrary::~CThemeLibrary()
{
    if (m_hLoadedModule != NULL)
        ::FreeLibrary(m_hLoadedModule);
}

void CThemeLibrary::SetEntryPoints(HMODULE hModule, const CEntryPoints& entryPoints)
{
    m_hModule = hModule;
    m_entryPoints = entryPoints;
}

BOOL CThemeLibrary::IsThemed() const
{
    return m_hModule != NULL && m_entryPoints.pfnIsThemeActive != NULL && m_entryPoints.pfnIsThemeActive();
}

HTHEME CThemeLibrary::OpenThemeData(HWND hWnd, LPCWSTR pszClassList) const
{
    if (m_hModule == NULL || m_entryPoints.pfnOpenThemeData == NULL)
        return NULL;
    return m_entryPoints.pfnOpenThemeData(hWnd, pszClassList);
}

HRESULT CThemeLibrary::CloseThemeData(HTHEME hTheme) const
{
    if (m_hModule == NULL || m_entryPoints.pfnCloseThemeData == NULL)
        return E_NOTIMPL;
    return m_entryPoints.pfnCloseThemeData(hTheme);
}

HRESULT CThemeLibrary::GetThemeBackgroundContentRect(HTHEME hTheme, HDC hDC, int nPart, int nState,
                                                     LPCRECT pBounding, LPRECT pContent) const
{
    if (m_hModule == NULL || m_entryPoints.pfnGetThemeBackgroundContentRect == NULL)
        return E_NOTIMPL;
    return m_entryPoints.pfnGetThemeBackgroundContentRect(hTheme, hDC, nPart, nState, pBounding, pContent);
}

HRESULT CThemeLibrary::DrawThemeBackground(HTHEME hTheme, HDC hDC, int nPart, int nState, LPCRECT pRect,
                                           LPCRECT pClip) const
{
    if (m_hModule == NULL || m_entryPoints.pfnDrawThemeBackground == NULL)
        return E_NOTIMPL;
    return m_entryPoints.pfnDrawThemeBackground(hTheme, hDC, nPart, nState, pRect, pClip);
}
