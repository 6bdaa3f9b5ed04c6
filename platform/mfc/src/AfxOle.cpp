// OLE start-up.
#include "afxdisp.h"
#include <ole2.h>

BOOL AFXAPI AfxOleInit()
{
    static BOOL s_bInitialized = FALSE;
    if (s_bInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    s_bInitialized = TRUE;
    atexit([] { ::OleUninitialize(); });
    return TRUE;
}

void AFXAPI AfxEnableControlContainer()
{
}
