// Process and thread state of the class library.
#pragma once

#include "afxwin.h"
#include <unordered_map>
#include <vector>

class CHandleMap;

// Per-thread state: the message being processed, the window being created, the
// handle maps and the tool tip of the thread.
struct AFX_THREAD_STATE
{
    AFX_THREAD_STATE();
    ~AFX_THREAD_STATE();

    CWinThread* m_pCurrentWinThread;
    MSG m_msgCur;            // message taken from the queue by the pump
    MSG m_lastSentMsg;       // message being handled by a window procedure
    CPoint m_ptCursorLast;   // last mouse position, to drop repeated WM_MOUSEMOVEs
    UINT m_nMsgLast;

    CWnd* m_pWndInit;        // window the creation hook attaches next
    HHOOK m_hHookOldCbtFilter;
    HWND m_hLockoutNotifyWindow;

    CHandleMap* m_pmapHWND;
    CHandleMap* m_pmapHDC;
    CHandleMap* m_pmapHGDIOBJ;
    CHandleMap* m_pmapHMENU;
    CHandleMap* m_pmapHIMAGELIST;
    int m_nTempMapLock;

    // tool tips (CWnd::FilterToolTipMessage)
    CToolTipCtrl* m_pToolTip;
    CWnd* m_pLastHit;
    INT_PTR m_nLastHit;
    TOOLINFO* m_pLastInfo;
    INT_PTR m_nLastStatus;

    // frames of this thread that take part in idle updates (kept by the frame layer)
    std::vector<CWnd*> m_frameList;

    int m_nWaitCursorCount;
};
AFX_THREAD_STATE* AFXAPI AfxGetThreadState();
typedef AFX_THREAD_STATE _AFX_THREAD_STATE;

// Handle -> object maps. Permanent entries belong to objects the program made;
// temporary ones are made by FromHandle for foreign handles and freed at idle time.
class CHandleMap
{
public:
    typedef CObject* (*PFNCONSTRUCT)(HANDLE h);
    typedef void (*PFNSETHANDLE)(CObject* pObject, HANDLE h);  // h null: detach

    CHandleMap(PFNCONSTRUCT pfnConstruct, PFNSETHANDLE pfnSetHandle)
        : m_pfnConstruct(pfnConstruct), m_pfnSetHandle(pfnSetHandle) {}
    ~CHandleMap();

    // The thread's map kept in rpMap, made on first use when bCreate is set.
    static CHandleMap* PASCAL GetThreadMap(CHandleMap*& rpMap, BOOL bCreate, PFNCONSTRUCT pfnConstruct,
                                           PFNSETHANDLE pfnSetHandle);

    CObject* FromHandle(HANDLE h);
    // pObject becomes the permanent object of h; FALSE for a null handle.
    BOOL AttachPermanent(HANDLE h, CObject* pObject);
    // Forgets h when pObject is its permanent object.
    void DetachPermanent(HANDLE h, CObject* pObject);

    // Attach of a wrapper class whose handle member is rhObject: the object becomes the
    // permanent object of hNew. A handle it held before is forgotten (not destroyed),
    // so the map never leads to the object through a handle it no longer has.
    template<class THandle>
    BOOL AttachObject(CObject* pObject, THandle& rhObject, THandle hNew)
    {
        if (!AttachPermanent(hNew, pObject))
            return FALSE;
        if (rhObject != NULL && rhObject != hNew)
            DetachPermanent(rhObject, pObject);
        rhObject = hNew;
        return TRUE;
    }
    // Detach of a wrapper class; pMap may be null (no object was ever attached).
    template<class THandle>
    static THandle DetachObject(CHandleMap* pMap, CObject* pObject, THandle& rhObject)
    {
        THandle h = rhObject;
        if (pMap != NULL)
            pMap->DetachPermanent(h, pObject);
        rhObject = NULL;
        return h;
    }
    CObject* LookupPermanent(HANDLE h) const;
    CObject* LookupTemporary(HANDLE h) const;
    void DeleteTemp();

private:
    std::unordered_map<HANDLE, CObject*> m_permanentMap;
    std::unordered_map<HANDLE, CObject*> m_temporaryMap;

public:
    // A temporary object of class T for a foreign handle.
    template<class T> static CObject* Construct(HANDLE) { return new T; }

private:
    PFNCONSTRUCT m_pfnConstruct;
    PFNSETHANDLE m_pfnSetHandle;
};

CHandleMap* PASCAL afxMapHWND(BOOL bCreate = FALSE);
CHandleMap* PASCAL afxMapHDC(BOOL bCreate = FALSE);
CHandleMap* PASCAL afxMapHGDIOBJ(BOOL bCreate = FALSE);
CHandleMap* PASCAL afxMapHMENU(BOOL bCreate = FALSE);
CHandleMap* PASCAL afxMapHIMAGELIST(BOOL bCreate = FALSE);
// Frees the thread's temporary objects unless a handler is still using them.
void AFXAPI AfxUnlockTempMaps();
void AFXAPI AfxLockTempMaps();

// Keeps the thread's temporary objects while a message is pre-translated or handled:
// a loop that idles inside (a popup menu's tracking loop) must not free what the
// code around it still holds. Freeing waits for the idle time of the outer loop.
class CTempMapsInUse
{
public:
    explicit CTempMapsInUse(AFX_THREAD_STATE* pState) : m_pState(pState) { ++m_pState->m_nTempMapLock; }
    ~CTempMapsInUse() { --m_pState->m_nTempMapLock; }

private:
    AFX_THREAD_STATE* m_pState;
    CTempMapsInUse(const CTempMapsInUse&) = delete;
    void operator=(const CTempMapsInUse&) = delete;
};
