// CExtPaintManagerHolder: installing looks and passing system changes on once per frame.
#include "CExtPaintManagerHolder.h"

#include "CExtPaintManagerXP.h"
#include "CExtStatusControlBar.h"
#include "CExtDockOuterBar.h"
#include "CExtMiniDockFrameWnd.h"

#include <memory>


namespace
{
const char* const arrThemeFunctionNames[CExtPaintManagerHolder::nThemeFunctionCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemePartSize", "GetThemeTextExtent", "GetThemeTextMetrics",
    "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor",
    "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName",
    "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming", "DrawThemeBackgroundEx",
};
// Indexes of the four exports the colours need.
const int nOpenThemeData = 0, nCloseThemeData = 1, nGetThemeColor = 15, nIsAppThemed = 37;

// The taskband's colour properties, in the order of the holder's colours.
const int arrTaskbandProperties[CExtPaintManagerHolder::nTaskbandColorCount] = {3804, 3805, 3806, 3807,
                                                                               3808, 3821, 3823};
}

CExtPaintManagerHolder::CExtPaintManagerHolder()
    : m_pPaintManager(NULL), m_strOsVersion("Unknown"), m_nOsFlags(0), m_nNtLevelFlags(0),
      m_nThemeFlags(eThemeColorsAllowed), m_hUxTheme(NULL), m_bTestThemeCalls(false)
{
    memset(&m_osvi, 0, sizeof(m_osvi));
    memset(m_arrThemeFunctions, 0, sizeof(m_arrThemeFunctions));
    memset(m_arrTaskbandColors, 0, sizeof(m_arrTaskbandColors));
    memset(&m_testThemeCalls, 0, sizeof(m_testThemeCalls));
    ReadOsVersion(NULL);
    RefreshThemeData();
    if (m_pPaintManager == NULL)
        InstallPaintManager(NULL);
}

CExtPaintManagerHolder::~CExtPaintManagerHolder()
{
    delete m_pPaintManager;
    m_pPaintManager = NULL;
}

CExtPaintManager* CExtPaintManagerHolder::GetPaintManager()
{
    if (m_pPaintManager == NULL)
        InstallPaintManager(NULL);
    return m_pPaintManager;
}

bool CExtPaintManagerHolder::InstallPaintManager(CExtPaintManager* pNew)
{
    if (m_pPaintManager != NULL && m_pPaintManager == pNew)
        return true;
    try
    {
        // The new look is made and synchronised before the old one goes.
        std::unique_ptr<CExtPaintManager> pLook(pNew != NULL ? pNew : new CExtPaintManagerXP);
        pLook->SyncSystemResources();
        pLook->InitTranslatedColors();
        CExtPaintManager* pOld = m_pPaintManager;
        m_pPaintManager = pLook.release();
        delete pOld;
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return false;
}

void CExtPaintManagerHolder::ReadOsVersion(const OSVERSIONINFOA* pVersion)
{
    memset(&m_osvi, 0, sizeof(m_osvi));
    m_osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (pVersion != NULL)
        m_osvi = *pVersion;
    else if (!::GetVersionExA(&m_osvi))
        return;
    m_nOsFlags = 0;
    m_nNtLevelFlags = 0;
    const DWORD nMajor = m_osvi.dwMajorVersion, nMinor = m_osvi.dwMinorVersion;
    CString strName;
    switch (m_osvi.dwPlatformId)
    {
    case VER_PLATFORM_WIN32s:
        m_nOsFlags |= eOsWin32s;
        strName = "Win32s";
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        m_nOsFlags |= eOsWin9x;
        if (nMajor > 4 || (nMajor == 4 && nMinor != 0))
            m_nOsFlags |= eOsWin98OrLater;
        if (nMajor == 4 && nMinor != 0)
            m_nOsFlags |= eOsWin98;
        strName = (m_nOsFlags & eOsWin98OrLater) == 0 ? "Windows 95"
                  : (m_nOsFlags & eOsWin98) != 0      ? "Windows 98"
                                                      : "Windows 98 or later";
        break;
    case VER_PLATFORM_WIN32_NT:
        m_nOsFlags |= eOsNT;
        if (nMajor == 5 && nMinor == 0)
        {
            m_nOsFlags |= eOsWin2000;
            strName = "Windows 2000";
        }
        else if (nMajor == 5 && nMinor == 1)
        {
            m_nOsFlags |= eOsWinXP;
            strName = "Windows XP";
        }
        else if (nMajor != 5)
        {
            strName = "Windows NT";
            if (nMajor == 4)
                m_nOsFlags |= eOsNT4;
        }
        if (nMajor > 3)
            m_nNtLevelFlags |= eNtAbove3;
        if (nMajor > 4)
        {
            m_nNtLevelFlags |= eNtAbove4;
            if (!(nMajor == 5 && nMinor == 0))
                m_nNtLevelFlags |= eNtAbove50;
        }
        break;
    default:
        break;
    }
    m_strOsVersion.Format("%s v.%lu.%lu (build %lu) %s", (LPCSTR)strName, (unsigned long)nMajor,
                          (unsigned long)nMinor, (unsigned long)m_osvi.dwBuildNumber, m_osvi.szCSDVersion);
}

bool CExtPaintManagerHolder::BindThemeFunctions(ThemeCalls& calls)
{
    if (m_hUxTheme == NULL)
    {
        m_hUxTheme = ::GetModuleHandle("uxtheme.dll");
        if (m_hUxTheme == NULL)
            m_hUxTheme = ::LoadLibrary("uxtheme.dll");
    }
    int nFound = 0;
    for (int i = 0; i < nThemeFunctionCount; i++)
    {
        m_arrThemeFunctions[i] = m_hUxTheme != NULL ? ::GetProcAddress(m_hUxTheme, arrThemeFunctionNames[i]) : NULL;
        nFound += m_arrThemeFunctions[i] != NULL ? 1 : 0;
    }
    if (m_bTestThemeCalls)
    {
        calls = m_testThemeCalls;
        return true;
    }
    calls.pfnIsAppThemed = (BOOL(WINAPI*)())m_arrThemeFunctions[nIsAppThemed];
    calls.pfnOpenThemeData = (HTHEME(WINAPI*)(HWND, LPCWSTR))m_arrThemeFunctions[nOpenThemeData];
    calls.pfnCloseThemeData = (HRESULT(WINAPI*)(HTHEME))m_arrThemeFunctions[nCloseThemeData];
    calls.pfnGetThemeColor = (HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*))m_arrThemeFunctions[nGetThemeColor];
    return m_hUxTheme != NULL && nFound > 0;
}

void CExtPaintManagerHolder::RefreshThemeData()
{
    if ((m_nThemeFlags & eThemeBound) != 0 && (m_nThemeFlags & eThemeTaskbandColors) != 0)
        return;
    m_nThemeFlags &= (BYTE)~(eThemeAppThemed | eThemeTaskbandColors);
    ThemeCalls calls;
    memset(&calls, 0, sizeof(calls));
    if (!BindThemeFunctions(calls) || calls.pfnIsAppThemed == NULL || calls.pfnOpenThemeData == NULL ||
        calls.pfnCloseThemeData == NULL || calls.pfnGetThemeColor == NULL)
        return;
    m_nThemeFlags |= eThemeBound;
    if (calls.pfnIsAppThemed())
        m_nThemeFlags |= eThemeAppThemed;
    ReadTaskbandColors(calls);
}

void CExtPaintManagerHolder::RereadThemeData()
{
    m_nThemeFlags &= (BYTE)~(eThemeBound | eThemeTaskbandColors);
    RefreshThemeData();
}

void CExtPaintManagerHolder::ReadTaskbandColors(const ThemeCalls& calls)
{
    HTHEME hTheme = calls.pfnOpenThemeData(::GetDesktopWindow(), L"taskband");
    if (hTheme == NULL)
        return;
    int nRead = 0;
    for (; nRead < nTaskbandColorCount; nRead++)
    {
        COLORREF clr = 0;
        if (FAILED(calls.pfnGetThemeColor(hTheme, 2, 0, arrTaskbandProperties[nRead], &clr)))
            break;
        m_arrTaskbandColors[nRead] = clr;
    }
    if (nRead == nTaskbandColorCount)
        m_nThemeFlags |= eThemeTaskbandColors;
    calls.pfnCloseThemeData(hTheme);
}

bool CExtPaintManagerHolder::AreTaskbandColorsUsable() const
{
    const BYTE nNeeded = eThemeBound | eThemeTaskbandColors | eThemeColorsAllowed;
    return (m_nThemeFlags & nNeeded) == nNeeded;
}

COLORREF CExtPaintManagerHolder::GetTaskbandColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < nTaskbandColorCount ? m_arrTaskbandColors[nIndex] : (COLORREF)-1;
}

FARPROC CExtPaintManagerHolder::GetThemeFunction(int nIndex) const
{
    return nIndex >= 0 && nIndex < nThemeFunctionCount ? m_arrThemeFunctions[nIndex] : NULL;
}

LPCSTR CExtPaintManagerHolder::GetThemeFunctionName(int nIndex)
{
    return nIndex >= 0 && nIndex < nThemeFunctionCount ? arrThemeFunctionNames[nIndex] : NULL;
}

void CExtPaintManagerHolder::SetThemeCallsForTest(const ThemeCalls* pCalls)
{
    m_bTestThemeCalls = pCalls != NULL;
    if (pCalls != NULL)
        m_testThemeCalls = *pCalls;
    m_nThemeFlags &= (BYTE)~(eThemeBound | eThemeAppThemed | eThemeTaskbandColors);
    memset(m_arrTaskbandColors, 0, sizeof(m_arrTaskbandColors));
    RefreshThemeData();
}

bool CExtPaintManagerHolder::IsSyncSourceWindow(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return false;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
        return true;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
    if (pFrame == NULL)
        return true;
    if (pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
    {
        pFrame = pFrame->GetParentFrame();
        if (pFrame == NULL)
            return true;
    }
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        return true;
    // The first of these bars the frame has is its source.
    CControlBar* pBar = pFrame->GetControlBar(AFX_IDW_STATUS_BAR);
    if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar)))
        return pBar == pWnd;
    for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
    {
        pBar = pFrame->GetControlBar(nID);
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            return pBar == pWnd;
    }
    return true;
}

void CExtPaintManagerHolder::OnSysColorChange(CWnd* pWnd)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnSysColorChange();
}

void CExtPaintManagerHolder::OnSettingChange(CWnd* pWnd, UINT uFlags, LPCTSTR lpszSection)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnSettingChange(uFlags, lpszSection);
}

void CExtPaintManagerHolder::OnDisplayChange(CWnd* pWnd, int nDepthBPP, CPoint ptSizes)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnDisplayChange(nDepthBPP, ptSizes);
}

void CExtPaintManagerHolder::OnThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam)
{
    if (IsSyncSourceWindow(pWnd))
        GetPaintManager()->OnThemeChanged(wParam, lParam);
}
