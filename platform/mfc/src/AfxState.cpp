#include <afx.h>

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    static AFX_MODULE_STATE s_moduleState = { NULL, NULL, NULL, NULL };
    return &s_moduleState;
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE hInstance = AfxGetModuleState()->m_hCurrentInstanceHandle;
    return hInstance != NULL ? hInstance : ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE hResource = AfxGetModuleState()->m_hCurrentResourceHandle;
    return hResource != NULL ? hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

LPCSTR AFXAPI AfxGetAppName()
{
    return AfxGetModuleState()->m_lpszCurrentAppName;
}
