// CWnd: handle maps, creation, subclassing and the window procedure.
#include "afxpriv.h"
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

const TCHAR _afxWnd[] = AFX_WND;
const TCHAR _afxWndControlBar[] = AFX_WNDCONTROLBAR;
const TCHAR _afxWndFrameOrView[] = AFX_WNDFRAMEORVIEW;
const TCHAR _afxWndMDIFrame[] = AFX_WNDMDIFRAME;

// ---------------------------------------------------------------------------
// Handle map

static void SetWndHandle(CObject* pObject, HANDLE h)
{
    ((CWnd*)pObject)->m_hWnd = (HWND)h;
}

CHandleMap* PASCAL afxMapHWND(BOOL bCreate)
{
    return CHandleMap::GetThreadMap(AfxGetThreadState()->m_pmapHWND, bCreate, CHandleMap::Construct<CWnd>, SetWndHandle);
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return (CWnd*)afxMapHWND(TRUE)->FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    CHandleMap* pMap = afxMapHWND();
    return pMap != NULL && hWnd != NULL ? (CWnd*)pMap->LookupPermanent(hWnd) : NULL;
}

void PASCAL CWnd::DeleteTempMap()
{
    if (CHandleMap* pMap = afxMapHWND())
        pMap->DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    return afxMapHWND(TRUE)->AttachObject(this, m_hWnd, hWndNew);
}

HWND CWnd::Detach()
{
    return CHandleMap::DetachObject(afxMapHWND(), this, m_hWnd);
}

// ---------------------------------------------------------------------------
// Construction

CWnd::CWnd()
    : m_hWnd(NULL), m_pfnSuper(NULL), m_nFlags(0), m_hWndOwner(NULL), m_nModalResult(0)
{
}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_pfnSuper(NULL), m_nFlags(0), m_hWndOwner(NULL), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    // A window whose object goes away must not keep calling into it.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    // The window could not be destroyed from here (it is gone already, or belongs to
    // another thread): the object leaves it, so that nothing finds the dead object.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
    {
        if (::IsWindow(m_hWnd) && *GetSuperWndProcAddr() != NULL)
            UnsubclassWindow();
        else
            Detach();
    }
}

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

// ---------------------------------------------------------------------------
// The creation hook: the next window the thread creates is attached to m_pWndInit
// and subclassed before it sees its first message.

// Windows that the system creates on its own while we wait for ours.
static BOOL IsSystemHelperWindow(HWND hWnd)
{
    TCHAR szClass[32];
    if (::GetClassName(hWnd, szClass, 32) == 0)
        return FALSE;
    return lstrcmpi(szClass, _T("IME")) == 0 || lstrcmpi(szClass, _T("MSCTFIME UI")) == 0;
}

// Windows detached while another procedure was subclassed above ours keep calling
// our procedure; their original procedure is kept here so they go on working.
static std::unordered_map<HWND, WNDPROC>& OrphanProcs()
{
    static std::unordered_map<HWND, WNDPROC> s_procs;
    return s_procs;
}

// Attaches the object to the window and puts our procedure in front of the one the
// window has. When PreSubclassWindow throws, the object is detached again.
static void AttachAndSubclass(CWnd* pWnd, HWND hWnd)
{
    pWnd->Attach(hWnd);
    try
    {
        pWnd->PreSubclassWindow();
    }
    catch (...)
    {
        pWnd->Detach();
        throw;
    }
    WNDPROC afxWndProc = AfxGetAfxWndProc();
    WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)afxWndProc);
    if (oldWndProc != afxWndProc)
        *pWnd->GetSuperWndProcAddr() = oldWndProc;
    else
    {
        // A window we left while someone had subclassed it on top of us.
        auto it = OrphanProcs().find(hWnd);
        if (it != OrphanProcs().end())
        {
            *pWnd->GetSuperWndProcAddr() = it->second;
            OrphanProcs().erase(it);
        }
    }
}

static LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    BOOL bVeto = FALSE;
    AfxCallCatchingAll(NULL, [&] {
        AFX_THREAD_STATE* pState = AfxGetThreadState();
        CWnd* pWndInit = pState->m_pWndInit;
        if (code != HCBT_CREATEWND || pWndInit == NULL || IsSystemHelperWindow((HWND)wParam))
            return;
        pState->m_pWndInit = NULL;
        try
        {
            AttachAndSubclass(pWndInit, (HWND)wParam);
        }
        catch (...)
        {
            // The window is not made; the creator sees that no window took the object.
            pState->m_pWndInit = pWndInit;
            bVeto = TRUE;
            throw;
        }
    });
    return bVeto ? 1 : ::CallNextHookEx(NULL, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == NULL)
        pState->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pWndInit != NULL)
    {
        pState->m_pWndInit = NULL;
        return FALSE;  // the window was never created
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Window classes

static void InitCommonControlsOnce()
{
    static bool bDone = false;
    if (bDone)
        return;
    bDone = true;
    INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof(init);
    init.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    ::InitCommonControlsEx(&init);
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;  // already there
    return ::RegisterClass(lpWndClass) != 0;
}

static BOOL RegisterLibraryClass(LPCTSTR lpszClassName, UINT nStyle, HBRUSH hbrBackground)
{
    WNDCLASS wndcls;
    memset(&wndcls, 0, sizeof(wndcls));
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wndcls.style = nStyle;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wndcls);
}

BOOL AFXAPI AfxEndDeferRegisterClass(LONG fToRegister)
{
    static LONG fRegistered = 0;
    InitCommonControlsOnce();
    BOOL bResult = TRUE;
    LONG fToDo = fToRegister & ~fRegistered;
    if (fToDo & AFX_WND_REG)
        bResult &= RegisterLibraryClass(_afxWnd, CS_DBLCLKS, NULL);
    if (fToDo & AFX_WNDCONTROLBAR_REG)
        bResult &= RegisterLibraryClass(_afxWndControlBar, 0, (HBRUSH)(COLOR_BTNFACE + 1));
    if (fToDo & AFX_WNDFRAMEORVIEW_REG)
        bResult &= RegisterLibraryClass(_afxWndFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, (HBRUSH)(COLOR_WINDOW + 1));
    if (fToDo & AFX_WNDMDIFRAME_REG)
        bResult &= RegisterLibraryClass(_afxWndMDIFrame, CS_DBLCLKS, NULL);
    if (bResult)
        fRegistered |= fToRegister;
    return bResult;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per combination of attributes; the names stay valid for the process.
    static std::set<std::string> s_names;
    TCHAR szName[96];
    HINSTANCE hInst = AfxGetInstanceHandle();
    wsprintf(szName, _T("Afx:%p:%x:%p:%p:%p"), (void*)hInst, nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);
    const std::string& name = *s_names.insert(szName).first;
    WNDCLASS wndcls;
    if (!::GetClassInfo(hInst, name.c_str(), &wndcls))
    {
        memset(&wndcls, 0, sizeof(wndcls));
        wndcls.style = nClassStyle;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hIcon = hIcon;
        wndcls.hCursor = hCursor;
        wndcls.hbrBackground = hbrBackground;
        wndcls.lpszClassName = name.c_str();
        if (!::RegisterClass(&wndcls))
            AfxThrowResourceException();
    }
    return name.c_str();
}

// ---------------------------------------------------------------------------
// Creation and destruction

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
    {
        AfxDeferRegisterClass(AFX_WND_REG);
        cs.lpszClass = _afxWnd;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    AfxDeferRegisterClass(AFX_WND_REG);
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;

    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                 cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // creation failed before the window existed: clean up as if destroyed
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // The object may be deleted by PostNcDestroy inside ::DestroyWindow.
    BOOL bPermanent = FromHandlePermanent(m_hWnd) == this;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (!bPermanent && bResult)
        m_hWnd = NULL;
    return bResult;
}

void CWnd::PostNcDestroy()
{
    // Objects on the stack or embedded in others delete nothing here; classes that
    // live on the heap override this with 'delete this'.
}

void CWnd::PreSubclassWindow()
{
}

// ---------------------------------------------------------------------------
// Subclassing

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == NULL || FromHandlePermanent(hWnd) != NULL)
        return FALSE;  // already owned by an object
    AttachAndSubclass(this, hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if ((WNDPROC)::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == AfxGetAfxWndProc())
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
    else if (*lplpfn != NULL)
        OrphanProcs()[m_hWnd] = *lplpfn;  // someone subclassed on top of us
    *lplpfn = NULL;
    return Detach();
}

// ---------------------------------------------------------------------------
// The window procedure

// The message goes to the window's object; a window whose object left it (or that
// never had one) goes on with the procedure it had before.
static LRESULT RouteToWindowObject(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL)
        return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
    auto it = OrphanProcs().find(hWnd);
    if (it != OrphanProcs().end())
    {
        WNDPROC pfn = it->second;
        if (nMsg == WM_NCDESTROY)
            OrphanProcs().erase(it);
        return ::CallWindowProc(pfn, hWnd, nMsg, wParam, lParam);
    }
    return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    // AfxCallWndProc catches what the handlers throw; this catches the lookup too.
    LRESULT lResult = 0;
    AfxCallCatchingAll(NULL, [&] { lResult = RouteToWindowObject(hWnd, nMsg, wParam, lParam); }, &lResult);
    return lResult;
}

LRESULT CALLBACK CWnd::AfxWndProcBase(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return AfxWndProc(hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

// A dialog that did not place itself in WM_INITDIALOG is centred on its owner.
static void CenterUnplacedDialog(CWnd* pWnd, const RECT& rectBefore)
{
    CRect rectAfter;
    ::GetWindowRect(pWnd->m_hWnd, &rectAfter);
    DWORD dwStyle = pWnd->GetStyle();
    if ((dwStyle & (WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0)
        return;
    if (::EqualRect(&rectAfter, &rectBefore) && pWnd->CheckAutoCenter())
        pWnd->CenterWindow();
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    // No exception may unwind into the system's frames: every one ends here.
    CTempMapsInUse tempMapsInUse(pState);
    LRESULT lResult = 0;
    AfxCallCatchingAll(&pState->m_lastSentMsg, [&] {
        RECT rectBefore = { 0, 0, 0, 0 };
        if (nMsg == WM_INITDIALOG)
            ::GetWindowRect(hWnd, &rectBefore);
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        if (nMsg == WM_INITDIALOG && ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == pWnd)
            CenterUnplacedDialog(pWnd, rectBefore);
    }, &lResult);

    pState->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = m_pfnSuper != NULL ? m_pfnSuper : *GetSuperWndProcAddr();
    if (pfnSuper != NULL)
        return ::CallWindowProc(pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProc(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(dwPos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(dwPos);
    return &pState->m_lastSentMsg;
}

void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
    {
        if (pThread->m_pMainWnd == this)
        {
            // The main window going away ends the application's message loop.
            if (pThread == (CWinThread*)AfxGetApp())
                AfxPostQuitMessage(0);
            pThread->m_pMainWnd = NULL;
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = NULL;
    }
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pLastHit == this)
        pState->m_pLastHit = NULL;

    // A modal loop of the window ends with it (a window destroyed without EndDialog,
    // or together with its owner), keeping the result it has.
    m_nFlags &= ~WF_CONTINUEMODAL;

    // Let the original procedure see the message, then take ourselves out of the
    // chain unless somebody subclassed the window after us.
    LONG_PTR pfnWndProc = ::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC);
    Default();
    if (::GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == pfnWndProc)
    {
        WNDPROC pfnSuper = *GetSuperWndProcAddr();
        if (pfnSuper != NULL && pfnWndProc == (LONG_PTR)AfxGetAfxWndProc())
            ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)pfnSuper);
    }
    Detach();
    PostNcDestroy();
}

// ---------------------------------------------------------------------------
// Pre-translation and modal loops

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    // From the window the message is for up through its parents (and the owner of
    // a popup), each gets a chance, until hWndStop has had its turn.
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS))
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
        (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, lpMsg);
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);  // wake the loop
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;

    for (;;)
    {
        // Idle: show the window once, tell the parent, let the window update itself.
        while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
            if (!ContinueModal())
                goto ExitModal;
        }

        do
        {
            if (!AfxPumpMessage())
            {
                AfxPostQuitMessage(0);  // keep the quit for the outer loop
                return -1;
            }
            if (bShowIdle && (pMsg->message == WM_SYSTIMER || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}
