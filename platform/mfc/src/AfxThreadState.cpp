// Thread state, handle maps and the thread's accessors.
#include "afxpriv.h"

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_pCurrentWinThread(NULL), m_nMsgLast(0), m_pWndInit(NULL), m_hHookOldCbtFilter(NULL),
      m_hLockoutNotifyWindow(NULL), m_pmapHWND(NULL), m_pmapHDC(NULL), m_pmapHGDIOBJ(NULL),
      m_pmapHMENU(NULL), m_pmapHIMAGELIST(NULL), m_nTempMapLock(0), m_pToolTip(NULL),
      m_pLastHit(NULL), m_nLastHit(-1), m_pLastInfo(NULL), m_nLastStatus(-1), m_nWaitCursorCount(0)
{
    memset(&m_msgCur, 0, sizeof(m_msgCur));
    memset(&m_lastSentMsg, 0, sizeof(m_lastSentMsg));
    m_ptCursorLast = CPoint(-1, -1);
}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    if (m_hHookOldCbtFilter != NULL)
        ::UnhookWindowsHookEx(m_hHookOldCbtFilter);
    delete m_pLastInfo;
    delete m_pmapHWND;
    delete m_pmapHDC;
    delete m_pmapHGDIOBJ;
    delete m_pmapHMENU;
    delete m_pmapHIMAGELIST;
}

namespace
{
// Frees a thread's state when the thread ends. The application's thread keeps its
// state to the very end: global objects (the application and the windows it holds)
// are destroyed after the thread's own data and may still ask for it.
struct ThreadStateHolder
{
    AFX_THREAD_STATE* pState = NULL;
    ~ThreadStateHolder()
    {
        if (pState != NULL && pState->m_pCurrentWinThread != (CWinThread*)AfxGetApp())
            delete pState;
    }
};
}  // namespace

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    static thread_local ThreadStateHolder holder;
    if (holder.pState == NULL)
        holder.pState = new AFX_THREAD_STATE;
    return holder.pState;
}

// ---------------------------------------------------------------------------
// CHandleMap

CHandleMap::~CHandleMap()
{
    DeleteTemp();
}

CObject* CHandleMap::LookupPermanent(HANDLE h) const
{
    auto it = m_permanentMap.find(h);
    return it == m_permanentMap.end() ? NULL : it->second;
}

CObject* CHandleMap::LookupTemporary(HANDLE h) const
{
    auto it = m_temporaryMap.find(h);
    return it == m_temporaryMap.end() ? NULL : it->second;
}

CObject* CHandleMap::FromHandle(HANDLE h)
{
    if (h == NULL)
        return NULL;
    if (CObject* pObject = LookupPermanent(h))
        return pObject;
    if (CObject* pTemp = LookupTemporary(h))
        return pTemp;
    CObject* pTemp = m_pfnConstruct(h);
    m_pfnSetHandle(pTemp, h);
    m_temporaryMap[h] = pTemp;
    return pTemp;
}

CHandleMap* PASCAL CHandleMap::GetThreadMap(CHandleMap*& rpMap, BOOL bCreate, PFNCONSTRUCT pfnConstruct,
                                            PFNSETHANDLE pfnSetHandle)
{
    if (rpMap == NULL && bCreate)
        rpMap = new CHandleMap(pfnConstruct, pfnSetHandle);
    return rpMap;
}

BOOL CHandleMap::AttachPermanent(HANDLE h, CObject* pObject)
{
    if (h == NULL)
        return FALSE;
    m_permanentMap[h] = pObject;
    return TRUE;
}

void CHandleMap::DetachPermanent(HANDLE h, CObject* pObject)
{
    auto it = m_permanentMap.find(h);
    if (it != m_permanentMap.end() && it->second == pObject)
        m_permanentMap.erase(it);
}

void CHandleMap::DeleteTemp()
{
    // Detach before deleting: a temporary object never owns its handle.
    std::unordered_map<HANDLE, CObject*> temps;
    temps.swap(m_temporaryMap);
    for (auto& entry : temps)
    {
        m_pfnSetHandle(entry.second, NULL);
        delete entry.second;
    }
}

void AFXAPI AfxLockTempMaps()
{
    ++AfxGetThreadState()->m_nTempMapLock;
}

void AFXAPI AfxUnlockTempMaps()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nTempMapLock > 0)
        --pState->m_nTempMapLock;
    if (pState->m_nTempMapLock != 0)
        return;
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    if (pState->m_pmapHIMAGELIST != NULL)
        pState->m_pmapHIMAGELIST->DeleteTemp();
}

// ---------------------------------------------------------------------------
// process-wide accessors

CWinThread* AFXAPI AfxGetThread()
{
    CWinThread* pThread = AfxGetThreadState()->m_pCurrentWinThread;
    return pThread != NULL ? pThread : (CWinThread*)AfxGetApp();
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    // Strings live in blocks of 16; a block missing from the resource module may
    // still be in the program (the library's standard strings are linked there).
    LPCTSTR lpszBlock = MAKEINTRESOURCE((nID >> 4) + 1);
    HINSTANCE hRes = AfxGetResourceHandle();
    if (::FindResource(hRes, lpszBlock, RT_STRING) != NULL)
        return hRes;
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (hInst != hRes && ::FindResource(hInst, lpszBlock, RT_STRING) != NULL)
        return hInst;
    return hRes;
}

void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    AfxFormatStrings(rString, strFormat, rglpsz, nString);
}

BOOL AFXAPI AfxIsWindowClass(HWND hWnd, LPCTSTR lpszClassName)
{
    TCHAR szTemp[32];
    ::GetClassName(hWnd, szTemp, 32);
    return lstrcmpi(szTemp, lpszClassName) == 0;
}

void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    int nNewLen = lstrlen(lpszNew);
    TCHAR szOld[256];
    // Fast check first: different length means different text.
    if (nNewLen > 255 || ::GetWindowText(hWndCtrl, szOld, 256) != nNewLen || lstrcmp(szOld, lpszNew) != 0)
        ::SetWindowText(hWndCtrl, lpszNew);
}
