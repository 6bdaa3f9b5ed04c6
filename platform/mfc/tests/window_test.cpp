// Windows and messages: message maps, command routing with update handlers,
// reflection, exceptions in handlers, subclassing, handle maps, layout and idle.
#include "wintest.h"
#include "afxtest.h"
#include <afxcmn.h>
#include <afxstat_.h>
#include <stdexcept>

namespace
{
const UINT WM_TEST_PING = WM_APP + 10;
const UINT WM_TEST_THROW = WM_APP + 11;
const UINT WM_TEST_THROW_STD = WM_APP + 12;
UINT g_nRegisteredMsg = ::RegisterWindowMessage("VornWindowTest::Registered");

// A top-level test window; the caller destroys it.
template<class TWnd>
void CreateTopLevel(TWnd& wnd, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
{
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "test", dwStyle, CRect(10, 10, 410, 310), NULL, 0));
}

class CBaseWnd : public CWnd
{
public:
    int m_nCreate = 0;
    int m_nSizeCx = -1;
    int m_nPing = 0;
    int m_nBaseCommand = 0;
    int m_nRegistered = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++m_nCreate;
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        m_nSizeCx = cx;
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam)
    {
        ++m_nPing;
        return (LRESULT)(wParam + lParam);
    }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM)
    {
        ++m_nRegistered;
        return 77;
    }
    afx_msg void OnBaseCommand() { ++m_nBaseCommand; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_TEST_PING, CBaseWnd::OnPing)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, CBaseWnd::OnRegistered)
    ON_COMMAND(ID_EDIT_COPY, CBaseWnd::OnBaseCommand)
    ON_COMMAND(ID_EDIT_CUT, CBaseWnd::OnBaseCommand)
END_MESSAGE_MAP()

// A derived map overrides one entry of its base and adds its own.
class CDerivedWnd : public CBaseWnd
{
public:
    int m_nDerivedCopy = 0;
    UINT m_nLastRangeId = 0;
    int m_nUpdates = 0;
    BOOL m_bPasteEnabled = FALSE;
    int m_nNotify = 0;
    int m_nThrowCreate = 0;

    afx_msg void OnEditCopy() { ++m_nDerivedCopy; }
    afx_msg void OnRange(UINT nID) { m_nLastRangeId = nID; }
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI)
    {
        ++m_nUpdates;
        pCmdUI->Enable(m_bPasteEnabled);
        pCmdUI->SetCheck(1);
    }
    afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->SetText("range item"); }
    afx_msg void OnUpdateRouted(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    afx_msg void OnPaste() {}
    afx_msg LRESULT OnThrow(WPARAM, LPARAM)
    {
        AfxThrowNotSupportedException();
    }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM)
    {
        throw std::runtime_error("handler failure");
    }
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++m_nNotify;
        *pResult = (LRESULT)pNMHDR->idFrom;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(ID_EDIT_COPY, CDerivedWnd::OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, CDerivedWnd::OnPaste)
    ON_COMMAND_RANGE(35000, 35100, CDerivedWnd::OnRange)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, CDerivedWnd::OnUpdatePaste)
    ON_UPDATE_COMMAND_UI_RANGE(35000, 35100, CDerivedWnd::OnUpdateRange)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, CDerivedWnd::OnUpdateRouted)
    ON_MESSAGE(WM_TEST_THROW, CDerivedWnd::OnThrow)
    ON_MESSAGE(WM_TEST_THROW_STD, CDerivedWnd::OnThrowStd)
    ON_NOTIFY(TVN_SELCHANGED, 300, CDerivedWnd::OnTreeSelChanged)
END_MESSAGE_MAP()

struct WindowFixture : public ::testing::Test
{
    CDerivedWnd wnd;
    void SetUp() override
    {
        theApp.m_nExceptions = theApp.m_nUnknownExceptions = 0;
        CreateTopLevel(wnd);
    }
    void TearDown() override
    {
        if (wnd.m_hWnd != NULL)
            wnd.DestroyWindow();
    }
};
}  // namespace

TEST_F(WindowFixture, MessageMapsDispatchWindowRegisteredAndPrivateMessages)
{
    EXPECT_EQ(1, wnd.m_nCreate);
    wnd.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    CRect rect;
    wnd.GetClientRect(&rect);
    EXPECT_EQ(rect.Width(), wnd.m_nSizeCx);
    EXPECT_EQ(7, wnd.SendMessage(WM_TEST_PING, 3, 4));
    EXPECT_EQ(77, wnd.SendMessage(g_nRegisteredMsg));
    EXPECT_EQ(1, wnd.m_nRegistered);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

TEST_F(WindowFixture, DerivedEntriesOverrideBaseEntriesAndBaseEntriesStillWork)
{
    wnd.SendMessage(WM_COMMAND, ID_EDIT_COPY);
    wnd.SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_EQ(1, wnd.m_nDerivedCopy);
    EXPECT_EQ(1, wnd.m_nBaseCommand);  // only the cut reached the base
    wnd.SendMessage(WM_COMMAND, 35077);
    EXPECT_EQ(35077u, wnd.m_nLastRangeId);
    wnd.SendMessage(WM_COMMAND, 35101);  // outside the range
    EXPECT_EQ(35077u, wnd.m_nLastRangeId);
}

TEST_F(WindowFixture, DisabledCommandsFromMenusAreNotExecuted)
{
    wnd.m_bPasteEnabled = FALSE;
    int nBefore = wnd.m_nUpdates;
    wnd.SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_GT(wnd.m_nUpdates, nBefore);  // the update handler was asked

    AFX_CMDHANDLERINFO info;
    info.pTarget = NULL;
    EXPECT_TRUE(wnd.OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, NULL, &info));
    EXPECT_EQ(&wnd, info.pTarget);
    EXPECT_FALSE(wnd.OnCmdMsg(ID_FILE_PRINT, CN_COMMAND, NULL, &info));
}

TEST_F(WindowFixture, MenuUpdateEnablesChecksRenamesAndDisablesWithoutHandler)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_EDIT_PASTE, "Paste");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, 35010, "Window");
    menu.AppendMenu(MF_STRING, ID_FILE_PRINT, "Print");  // nobody handles it
    menu.AppendMenu(MF_STRING, ID_EDIT_COPY, "Copy");

    wnd.m_bPasteEnabled = FALSE;
    AfxUpdateMenuCmdUI(&wnd, &menu, TRUE);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_CHECKED);
    CString strText;
    menu.GetMenuString(2, strText, MF_BYPOSITION);
    EXPECT_STREQ("range item", strText);
    EXPECT_TRUE(menu.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(4, MF_BYPOSITION) & MF_GRAYED);

    wnd.m_bPasteEnabled = TRUE;
    AfxUpdateMenuCmdUI(&wnd, &menu, TRUE);
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
}

TEST_F(WindowFixture, ContinueRoutingLetsTheNextTargetDecide)
{
    CCmdUI state;
    state.m_nID = ID_EDIT_UNDO;
    EXPECT_FALSE(state.DoUpdate(&wnd, FALSE));
    state.m_nID = ID_EDIT_PASTE;
    EXPECT_TRUE(state.DoUpdate(&wnd, FALSE));
}

TEST_F(WindowFixture, ExceptionsInHandlersStopAtTheWindowProcedure)
{
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW));
    EXPECT_EQ(1, theApp.m_nExceptions);
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW_STD));
    EXPECT_EQ(1, theApp.m_nUnknownExceptions);
    // The window goes on working.
    EXPECT_EQ(3, wnd.SendMessage(WM_TEST_PING, 1, 2));
    // Posted too: the exception ends inside DispatchMessage.
    wnd.PostMessage(WM_TEST_THROW);
    PumpPending();
    EXPECT_EQ(2, theApp.m_nExceptions);
}

TEST(Exceptions, ReportErrorShowsItsMessageThroughTheApplication)
{
    // The application decides how message boxes look and whom they block.
    theApp.m_messageBoxes.clear();
    CFileException* pFileError = new CFileException(CFileException::fileNotFound, 2, "C:\\work\\game.lua");
    pFileError->ReportError();
    pFileError->Delete();
    CException* pUnknown = new CNotSupportedException;
    pUnknown->ReportError(MB_OK, AFX_IDP_INTERNAL_FAILURE);
    pUnknown->Delete();
    ASSERT_EQ(2u, theApp.m_messageBoxes.size());
    EXPECT_NE(std::string::npos, theApp.m_messageBoxes[0].find("game.lua"));
    EXPECT_FALSE(theApp.m_messageBoxes[1].empty());
}

namespace
{
class CFailingCreateWnd : public CWnd
{
public:
    int m_nPostNcDestroy = 0;
    afx_msg int OnCreate(LPCREATESTRUCT) { AfxThrowResourceException(); }
    virtual void PostNcDestroy() { ++m_nPostNcDestroy; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFailingCreateWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()
}  // namespace

// A creation that fails in our code: no window, the exception reported once, and
// PostNcDestroy called once as for a destroyed window.
template<class TWnd>
void ExpectCreationFailsCleanly(TWnd& wnd)
{
    theApp.m_nExceptions = 0;
    EXPECT_FALSE(wnd.CreateEx(0, AfxRegisterWndClass(0), "x", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(1, theApp.m_nExceptions);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
}

TEST(WindowCreation, ExceptionInOnCreateFailsTheCreation)
{
    CFailingCreateWnd wnd;
    ExpectCreationFailsCleanly(wnd);
}

namespace
{
class CFailingSubclassWnd : public CWnd
{
public:
    int m_nPostNcDestroy = 0;
    virtual void PreSubclassWindow() { AfxThrowNotSupportedException(); }
    virtual void PostNcDestroy() { ++m_nPostNcDestroy; }
};
}  // namespace

TEST(WindowCreation, ExceptionInPreSubclassWindowFailsTheCreationAndLeavesNoObjectAttached)
{
    CFailingSubclassWnd wnd;
    ExpectCreationFailsCleanly(wnd);
    CHandleMap* pMap = afxMapHWND();
    for (HWND hWnd = ::GetTopWindow(NULL); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        EXPECT_NE(&wnd, pMap->LookupPermanent(hWnd));

    // Subclassing an existing window the same way leaves it alone.
    HWND hStatic = ::CreateWindow("STATIC", "s", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    WNDPROC pfnBefore = (WNDPROC)::GetWindowLongPtr(hStatic, GWLP_WNDPROC);
    EXPECT_AFX_THROW(wnd.SubclassWindow(hStatic), CNotSupportedException);
    EXPECT_EQ(NULL, wnd.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hStatic));
    EXPECT_EQ(pfnBefore, (WNDPROC)::GetWindowLongPtr(hStatic, GWLP_WNDPROC));
    ::DestroyWindow(hStatic);
}

TEST_F(WindowFixture, NotificationsReachTheParentsMapByControlId)
{
    NMHDR nmhdr;
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "child", WS_CHILD, CRect(0, 0, 10, 10), &wnd, 300));
    nmhdr.hwndFrom = child.m_hWnd;
    nmhdr.idFrom = 300;
    nmhdr.code = TVN_SELCHANGED;
    EXPECT_EQ(300, wnd.SendMessage(WM_NOTIFY, 300, (LPARAM)&nmhdr));
    EXPECT_EQ(1, wnd.m_nNotify);
}

namespace
{
// A button that handles its own click; the _EX form lets the parent see it too.
class CSelfClickButton : public CButton
{
public:
    int m_nClicks = 0;
    BOOL m_bPassOn = FALSE;
    afx_msg BOOL OnClicked()
    {
        ++m_nClicks;
        return !m_bPassOn;
    }
    afx_msg void OnSetFocusReflect() {}
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfClickButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, CSelfClickButton::OnClicked)
END_MESSAGE_MAP()

class CButtonParent : public CWnd
{
public:
    int m_nParentClicks = 0;
    afx_msg void OnButton() { ++m_nParentClicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CButtonParent, CWnd)
    ON_BN_CLICKED(200, CButtonParent::OnButton)
END_MESSAGE_MAP()
}  // namespace

TEST(Reflection, ControlNotificationsGoToTheControlFirst)
{
    CButtonParent parent;
    CreateTopLevel(parent);
    CSelfClickButton button;
    ASSERT_TRUE(button.Create("B", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 200));

    button.SendMessage(BM_CLICK);
    EXPECT_EQ(1, button.m_nClicks);
    EXPECT_EQ(0, parent.m_nParentClicks);

    button.m_bPassOn = TRUE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(2, button.m_nClicks);
    EXPECT_EQ(1, parent.m_nParentClicks);
    parent.DestroyWindow();
}

namespace
{
class CCountingEdit : public CEdit
{
public:
    int m_nChars = 0;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++m_nChars;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

WNDPROC g_pfnEditBeneath = NULL;
int g_nForeignCalls = 0;
LRESULT CALLBACK ForeignSubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ++g_nForeignCalls;
    return ::CallWindowProc(g_pfnEditBeneath, hWnd, msg, wParam, lParam);
}
}  // namespace

TEST(Subclassing, SubclassedControlsKeepTheirBehaviourAndUnsubclassRestores)
{
    CWnd parent;
    CreateTopLevel(parent);
    HWND hEdit = ::CreateWindow("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd, (HMENU)500, NULL, NULL);
    WNDPROC pfnOriginal = (WNDPROC)::GetWindowLongPtr(hEdit, GWLP_WNDPROC);

    CCountingEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(500, &parent));
    EXPECT_FALSE(CCountingEdit().SubclassWindow(hEdit));  // one object per window
    edit.SendMessage(WM_CHAR, 'a', 1);
    EXPECT_EQ(1, edit.m_nChars);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ("a", strText);  // the edit control still did its work

    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(pfnOriginal, (WNDPROC)::GetWindowLongPtr(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hEdit));

    // Someone else subclasses above us: we leave their procedure in place and the
    // control keeps working through ours.
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    g_pfnEditBeneath = (WNDPROC)::SetWindowLongPtr(hEdit, GWLP_WNDPROC, (LONG_PTR)ForeignSubclassProc);
    edit.UnsubclassWindow();
    EXPECT_EQ((WNDPROC)ForeignSubclassProc, (WNDPROC)::GetWindowLongPtr(hEdit, GWLP_WNDPROC));
    ::SendMessage(hEdit, WM_CHAR, 'b', 1);
    EXPECT_GT(g_nForeignCalls, 0);
    ::GetWindowText(hEdit, strText.GetBuffer(16), 16);
    strText.ReleaseBuffer();
    EXPECT_STREQ("ab", strText);
    parent.DestroyWindow();
}

TEST(HandleMaps, TemporaryObjectsAreFreedAtIdleAndPermanentOnesStay)
{
    CWnd wnd;
    CreateTopLevel(wnd);
    HWND hForeign = ::CreateWindow("STATIC", "", WS_CHILD, 0, 0, 1, 1, wnd.m_hWnd, NULL, NULL, NULL);
    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(hForeign, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hForeign));  // the same temporary object
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hForeign));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));

    theApp.OnIdle(1);
    CHandleMap* pMap = afxMapHWND();
    EXPECT_EQ(NULL, pMap->LookupTemporary(hForeign));
    EXPECT_EQ(&wnd, pMap->LookupPermanent(wnd.m_hWnd));

    CDC* pDC = CDC::FromHandle(::GetDC(wnd.m_hWnd));
    CPen* pPen = CPen::FromHandle((HPEN)::GetStockObject(BLACK_PEN));
    EXPECT_TRUE(pPen->IsKindOf(RUNTIME_CLASS(CPen)));  // temporaries have their object's class
    ::ReleaseDC(wnd.m_hWnd, pDC->Detach());
    wnd.DestroyWindow();
    EXPECT_EQ(NULL, wnd.m_hWnd);
}

namespace
{
const UINT WM_TEST_NESTED_IDLE = WM_APP + 13;

// Holds a temporary object across a nested loop that idles, as a popup menu's
// tracking loop does from inside a handler or a pre-translation.
class CNestedIdleWnd : public CWnd
{
public:
    HWND m_hForeign = NULL;
    int m_nHandlerChecks = 0;
    int m_nPreTranslateChecks = 0;
    bool m_bHandlerTempSurvived = false;
    bool m_bPreTranslateTempSurvived = false;

    bool TemporaryObjectSurvivesNestedIdle()
    {
        CWnd* pTemp = CWnd::FromHandle(m_hForeign);
        for (LONG n = 0; AfxGetThread()->OnIdle(n); ++n)
        {
        }
        return afxMapHWND()->LookupTemporary(m_hForeign) == pTemp;
    }
    afx_msg LRESULT OnNestedIdle(WPARAM, LPARAM)
    {
        ++m_nHandlerChecks;
        m_bHandlerTempSurvived = TemporaryObjectSurvivesNestedIdle();
        return 0;
    }
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_F8)
            return CWnd::PreTranslateMessage(pMsg);
        ++m_nPreTranslateChecks;
        m_bPreTranslateTempSurvived = TemporaryObjectSurvivesNestedIdle();
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestedIdleWnd, CWnd)
    ON_MESSAGE(WM_TEST_NESTED_IDLE, CNestedIdleWnd::OnNestedIdle)
END_MESSAGE_MAP()
}  // namespace

TEST(HandleMaps, IdleInsideAHandlerOrPreTranslationKeepsTheTemporaryObjectsInUse)
{
    CNestedIdleWnd wnd;
    CreateTopLevel(wnd, WS_POPUP);
    HWND hForeign = ::CreateWindow("STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    wnd.m_hForeign = hForeign;

    wnd.SendMessage(WM_TEST_NESTED_IDLE);
    EXPECT_EQ(1, wnd.m_nHandlerChecks);
    EXPECT_TRUE(wnd.m_bHandlerTempSurvived);

    wnd.PostMessage(WM_KEYDOWN, VK_F8, 0);
    MSG msg;
    for (int i = 0; i < 50 && wnd.m_nPreTranslateChecks == 0 && ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE); i++)
        AfxPumpMessage();
    EXPECT_EQ(1, wnd.m_nPreTranslateChecks);
    EXPECT_TRUE(wnd.m_bPreTranslateTempSurvived);

    // Back at the top of the message loop, idle time frees them.
    for (LONG n = 0; theApp.OnIdle(n); ++n)
    {
    }
    EXPECT_EQ(NULL, afxMapHWND()->LookupTemporary(hForeign));
    ::DestroyWindow(hForeign);
    wnd.DestroyWindow();
}

namespace
{
struct ForeignWindow
{
    HWND hWnd = NULL;
    HANDLE hCreated = ::CreateEvent(NULL, TRUE, FALSE, NULL);
    HANDLE hRelease = ::CreateEvent(NULL, TRUE, FALSE, NULL);
};

// A window of another thread, kept until the test releases it.
DWORD WINAPI ForeignWindowThread(LPVOID lpParam)
{
    ForeignWindow* pInfo = (ForeignWindow*)lpParam;
    pInfo->hWnd = ::CreateWindow("STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ::SetEvent(pInfo->hCreated);
    while (::MsgWaitForMultipleObjects(1, &pInfo->hRelease, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
    }
    ::DestroyWindow(pInfo->hWnd);
    return 0;
}
}  // namespace

TEST(HandleMaps, AnObjectThatGoesAwayLeavesNoEntryEvenWhenItCouldNotDestroyItsWindow)
{
    // The window was destroyed behind the object's back (it was attached, not
    // subclassed, so it never saw WM_NCDESTROY).
    HWND hGone = ::CreateWindow("STATIC", "gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    CWnd* pWnd = new CWnd;
    ASSERT_TRUE(pWnd->Attach(hGone));
    ::DestroyWindow(hGone);
    delete pWnd;
    EXPECT_EQ(NULL, afxMapHWND()->LookupPermanent(hGone));

    // The window belongs to another thread, which alone may destroy it.
    ForeignWindow info;
    HANDLE hThread = ::CreateThread(NULL, 0, ForeignWindowThread, &info, 0, NULL);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(info.hCreated, 5000));
    pWnd = new CWnd;
    ASSERT_TRUE(pWnd->Attach(info.hWnd));
    delete pWnd;
    EXPECT_EQ(NULL, afxMapHWND()->LookupPermanent(info.hWnd));
    EXPECT_TRUE(::IsWindow(info.hWnd));
    ::SetEvent(info.hRelease);
    ::WaitForSingleObject(hThread, 5000);
    ::CloseHandle(hThread);
    ::CloseHandle(info.hCreated);
    ::CloseHandle(info.hRelease);
}

namespace
{
UINT g_nLateMsg = 0;  // registered only when first needed

class CLateMessageWnd : public CWnd
{
public:
    int m_nLate = 0;
    afx_msg LRESULT OnLate(WPARAM, LPARAM)
    {
        ++m_nLate;
        return 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLateMessageWnd, CWnd)
    ON_REGISTERED_MESSAGE(g_nLateMsg, CLateMessageWnd::OnLate)
END_MESSAGE_MAP()
}  // namespace

TEST(MessageMaps, ARegisteredMessageVariableSetLaterIsHandledFromThenOn)
{
    CLateMessageWnd wnd;
    CreateTopLevel(wnd, WS_POPUP);
    UINT nMsg = ::RegisterWindowMessage("VornWindowTest::Late");
    // Another program's broadcast arrives before this one has registered the message.
    EXPECT_EQ(0, wnd.SendMessage(nMsg));
    g_nLateMsg = nMsg;
    EXPECT_EQ(5, wnd.SendMessage(nMsg));
    EXPECT_EQ(1, wnd.m_nLate);
    wnd.DestroyWindow();
}

namespace
{
class CDescendantWnd : public CWnd
{
public:
    int m_nIdle = 0;
    int m_nSizeParent = 0;
    int m_nBarHeight = 20;
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ++m_nIdle;
        return 0;
    }
    // Acts as a bar docked at the top of its parent.
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++m_nSizeParent;
        AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nBarHeight);
        pLayout->rect.top += m_nBarHeight;
        pLayout->sizeTotal.cy += m_nBarHeight;
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDescendantWnd, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, CDescendantWnd::OnIdleUpdate)
    ON_MESSAGE(WM_SIZEPARENT, CDescendantWnd::OnSizeParent)
END_MESSAGE_MAP()
}  // namespace

TEST(Relatives, OwnerParentsTopLevelAndDescendants)
{
    CWnd top;
    CreateTopLevel(top);
    CWnd middle;
    ASSERT_TRUE(middle.Create(NULL, "m", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    CDescendantWnd leaf;
    ASSERT_TRUE(leaf.Create(NULL, "l", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &middle, 2));

    EXPECT_EQ(&middle, leaf.GetParent());
    EXPECT_EQ(&middle, leaf.GetOwner());
    leaf.SetOwner(&top);
    EXPECT_EQ(&top, leaf.GetOwner());
    EXPECT_EQ(&top, leaf.GetTopLevelParent());
    EXPECT_EQ(&top, leaf.GetParentOwner());
    EXPECT_EQ(NULL, leaf.GetParentFrame());  // no frames here
    EXPECT_EQ(&leaf, middle.GetDlgItem(2));
    EXPECT_EQ(&leaf, top.GetDescendantWindow(2, TRUE));
    EXPECT_EQ(NULL, top.GetDescendantWindow(99));

    top.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, FALSE);
    EXPECT_EQ(0, leaf.m_nIdle);  // not deep
    top.SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
    EXPECT_EQ(1, leaf.m_nIdle);

    EXPECT_TRUE(leaf.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(leaf.GetStyle() & WS_BORDER);
    EXPECT_FALSE(leaf.ModifyStyle(0, WS_BORDER));  // no change
    EXPECT_TRUE(leaf.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    EXPECT_TRUE(leaf.GetExStyle() & WS_EX_CLIENTEDGE);
    top.DestroyWindow();
}

TEST(Layout, RepositionBarsGivesBarsTheirPartAndTheRestToThePane)
{
    CWnd parent;
    CreateTopLevel(parent, WS_POPUP | WS_VISIBLE);
    parent.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    CDescendantWnd bar;
    ASSERT_TRUE(bar.Create(NULL, "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_CONTROLBAR_FIRST + 5));
    CWnd pane;
    ASSERT_TRUE(pane.Create(NULL, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &parent, AFX_IDW_PANE_FIRST));

    auto RectInParent = [&](CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        return rect;
    };

    // A query measures without moving anything.
    CRect rectQuery;
    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposQuery, &rectQuery);
    EXPECT_EQ(CRect(0, 20, 300, 200), rectQuery);
    EXPECT_EQ(CRect(0, 0, 1, 1), RectInParent(bar));
    EXPECT_EQ(CRect(0, 0, 1, 1), RectInParent(pane));

    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(CRect(0, 0, 300, 20), RectInParent(bar));
    EXPECT_EQ(CRect(0, 20, 300, 200), RectInParent(pane));

    bar.m_nBarHeight = 30;
    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, reposQuery, &rectQuery);
    EXPECT_EQ(CRect(0, 30, 300, 200), rectQuery);
    EXPECT_EQ(CRect(0, 0, 300, 20), RectInParent(bar));

    // Without a layout the window moves at once.
    CRect rectMoved(5, 6, 50, 60);
    AfxRepositionWindow(NULL, pane.m_hWnd, &rectMoved);
    EXPECT_EQ(rectMoved, RectInParent(pane));
    parent.DestroyWindow();
}

namespace
{
class CKeyEatingWnd : public CWnd
{
public:
    int m_nSeen = 0;
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F7)
        {
            ++m_nSeen;
            return TRUE;
        }
        return CWnd::PreTranslateMessage(pMsg);
    }
};

class CKeyCountingWnd : public CWnd
{
public:
    int m_nKeys = 0;
    afx_msg void OnKeyDown(UINT, UINT, UINT) { ++m_nKeys; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CKeyCountingWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()
}  // namespace

TEST(MessageLoop, PreTranslationWalksFromTheTargetUpToTheMainWindowAndIdleUpdates)
{
    CKeyEatingWnd mainWnd;
    CreateTopLevel(mainWnd, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    CKeyCountingWnd child;
    ASSERT_TRUE(child.Create(NULL, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &mainWnd, 3));
    CDescendantWnd idleChild;
    ASSERT_TRUE(idleChild.Create(NULL, "i", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &child, 4));
    theApp.m_pMainWnd = &mainWnd;

    child.PostMessage(WM_KEYDOWN, VK_F7, 0);
    child.PostMessage(WM_KEYDOWN, VK_F8, 0);
    PumpPending();
    EXPECT_EQ(1, mainWnd.m_nSeen);  // eaten on the way up
    EXPECT_EQ(1, child.m_nKeys);    // the other one was dispatched

    EXPECT_TRUE(theApp.OnIdle(0));
    EXPECT_EQ(1, idleChild.m_nIdle);
    EXPECT_FALSE(theApp.OnIdle(1));

    MSG msg;
    memset(&msg, 0, sizeof(msg));
    msg.message = WM_PAINT;
    EXPECT_FALSE(theApp.IsIdleMessage(&msg));
    msg.message = WM_KEYDOWN;
    EXPECT_TRUE(theApp.IsIdleMessage(&msg));

    theApp.m_pMainWnd = NULL;
    mainWnd.DestroyWindow();
}

namespace
{
class CAskedMainWnd : public CWnd
{
public:
    int m_nAsked = 0;
    virtual BOOL PreTranslateMessage(MSG*)
    {
        ++m_nAsked;
        return FALSE;
    }
};

// Handles Alt+F by closing the main window, as a key that ends the program does.
class CMainClosingWnd : public CWnd
{
public:
    CWnd* m_pMain = NULL;
    virtual BOOL PreTranslateMessage(MSG* pMsg)
    {
        if (pMsg->message == WM_SYSCHAR)
            m_pMain->DestroyWindow();
        return FALSE;
    }
};
}  // namespace

TEST(MessageLoop, AMainWindowClosedWhileAKeyOfAnotherWindowIsPreTranslatedIsNotAskedAfterwards)
{
    CAskedMainWnd mainWnd;
    CreateTopLevel(mainWnd, WS_OVERLAPPEDWINDOW);
    CMainClosingWnd other;
    CreateTopLevel(other, WS_OVERLAPPEDWINDOW);
    other.m_pMain = &mainWnd;
    theApp.m_pMainWnd = &mainWnd;

    MSG msg;
    memset(&msg, 0, sizeof(msg));
    msg.hwnd = other.m_hWnd;
    msg.message = WM_SYSCHAR;
    msg.wParam = 'f';
    EXPECT_FALSE(theApp.PreTranslateMessage(&msg));
    EXPECT_TRUE(theApp.m_pMainWnd == NULL);
    EXPECT_EQ(0, mainWnd.m_nAsked);  // an object that may be gone by now

    // The main window's end asked the loop to quit: not this test's loop.
    ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    theApp.m_pMainWnd = NULL;
    other.DestroyWindow();
}

TEST(Gdi, DeviceContextOperationsAndObjects)
{
    CWnd wnd;
    CreateTopLevel(wnd);
    CClientDC dcClient(&wnd);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcClient));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcClient, 20, 20));
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);

    dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    dc.Draw3dRect(CRect(2, 2, 12, 12), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(2, 2));
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(11, 11));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(6, 6));

    CBrush brush(RGB(0, 255, 0));
    dc.FillRect(CRect(14, 14, 18, 18), &brush);
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(15, 15));

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial", &dc));
    LOGFONT lf;
    font.GetLogFont(&lf);
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_EQ(-::MulDiv(10, dc.GetDeviceCaps(LOGPIXELSY), 72), lf.lfHeight);
    CFont* pOldFont = dc.SelectObject(&font);
    EXPECT_GT(dc.GetTextExtent("Wide text").cx, dc.GetTextExtent("W").cx);
    dc.SelectObject(pOldFont);

    int nSaved = dc.SaveDC();
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(MM_LOMETRIC, dc.GetMapMode());
    dc.RestoreDC(nSaved);
    EXPECT_EQ(MM_TEXT, dc.GetMapMode());
    EXPECT_FALSE(dc.IsPrinting());

    dc.SelectObject(pOldBitmap);
    wnd.DestroyWindow();
}

TEST(HandleMaps, AnObjectGivenASecondHandleForgetsTheFirst)
{
    // Created twice without DeleteObject in between: the first font is no longer
    // the object's, and after the object is gone nothing maps it to the object.
    HGDIOBJ hFirstFont = NULL;
    {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(90, "Arial"));
        hFirstFont = font.m_hObject;
        ASSERT_TRUE(font.CreatePointFont(120, "Arial"));
        EXPECT_EQ(NULL, afxMapHGDIOBJ()->LookupPermanent(hFirstFont));
        EXPECT_EQ(&font, afxMapHGDIOBJ()->LookupPermanent(font.m_hObject));
    }
    EXPECT_EQ(NULL, afxMapHGDIOBJ()->LookupPermanent(hFirstFont));
    ::DeleteObject(hFirstFont);

    HMENU hFirstMenu = NULL;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hFirstMenu = menu.m_hMenu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
    }
    EXPECT_EQ(NULL, afxMapHMENU()->LookupPermanent(hFirstMenu));
    ::DestroyMenu(hFirstMenu);

    HWND hFirst = ::CreateWindow("STATIC", "1", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND hSecond = ::CreateWindow("STATIC", "2", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hFirst));
        ASSERT_TRUE(wnd.Attach(hSecond));
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hFirst));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hSecond));
        wnd.Detach();
    }
    EXPECT_EQ(NULL, afxMapHWND()->LookupPermanent(hFirst));
    ::DestroyWindow(hFirst);
    ::DestroyWindow(hSecond);
}

TEST(ToolTips, MouseMovesOverAChildFindTheToolThroughTheHitTest)
{
    CWnd wnd;
    CreateTopLevel(wnd, WS_POPUP | WS_VISIBLE);
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "c", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &wnd, 321));
    wnd.EnableToolTips(TRUE);

    MSG msg;
    memset(&msg, 0, sizeof(msg));
    msg.hwnd = wnd.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.pt = CPoint(20, 20);
    wnd.ClientToScreen(&msg.pt);
    EXPECT_FALSE(wnd.PreTranslateMessage(&msg));  // tips never consume the message

    AFX_THREAD_STATE* pState = AfxGetThreadState();
    ASSERT_TRUE(pState->m_pToolTip != NULL);
    EXPECT_EQ(321, pState->m_nLastHit);
    EXPECT_EQ(&wnd, pState->m_pLastHit);
    EXPECT_EQ(1, pState->m_pToolTip->GetToolCount());

    // Off the child: no tool.
    msg.pt = CPoint(200, 200);
    wnd.ClientToScreen(&msg.pt);
    wnd.PreTranslateMessage(&msg);
    EXPECT_EQ(-1, pState->m_nLastHit);
    EXPECT_EQ(0, pState->m_pToolTip->GetToolCount());

    CWnd::CancelToolTips();
    wnd.DestroyWindow();
}

namespace
{
class COwnerDrawTab : public CTabCtrl
{
public:
    int m_nDrawn = 0;
    UINT m_nLastItem = (UINT)-1;
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        ++m_nDrawn;
        m_nLastItem = lpDrawItemStruct->itemID;
    }
};
}  // namespace

TEST(Controls, WrappersReadBackLongTextsSelectionsAndOwnerDraw)
{
    CWnd parent;
    CreateTopLevel(parent);
    CString strLong('x', 300);  // longer than the first read buffer

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 100, 100), &parent, 10));
    HTREEITEM hRoot = tree.InsertItem("root");
    HTREEITEM hChild = tree.InsertItem(strLong, hRoot);
    tree.SetItemData(hChild, 1234);
    EXPECT_STREQ(strLong, tree.GetItemText(hChild));
    EXPECT_EQ(1234u, tree.GetItemData(hChild));
    EXPECT_EQ(hRoot, tree.GetParentItem(hChild));
    EXPECT_EQ(hChild, tree.GetChildItem(hRoot));
    EXPECT_EQ(2u, tree.GetCount());
    tree.DeleteAllItems();
    EXPECT_EQ(0u, tree.GetCount());

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 11));
    EXPECT_EQ(0, list.InsertColumn(0, "Name", LVCFMT_LEFT, 80));
    EXPECT_EQ(1, list.InsertColumn(1, "Value", LVCFMT_LEFT, 80));
    for (int i = 0; i < 3; i++)
    {
        CString strItem;
        strItem.Format("item %d", i);
        list.InsertItem(i, strItem);
        list.SetItemData(i, 100 + i);
    }
    list.SetItemText(1, 1, strLong);
    EXPECT_STREQ(strLong, list.GetItemText(1, 1));
    EXPECT_STREQ("item 2", list.GetItemText(2, 0));
    EXPECT_EQ(102u, list.GetItemData(2));
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != NULL;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{ 0, 2 }), selected);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 12));
    combo.AddString("alpha");
    CString strItem;
    combo.GetLBText(0, strItem);
    EXPECT_STREQ("alpha", strItem);
    combo.GetLBText(5, strItem);
    EXPECT_TRUE(strItem.IsEmpty());

    // Owner-drawn controls draw themselves from the parent's reflected WM_DRAWITEM.
    COwnerDrawTab tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | TCS_OWNERDRAWFIXED, CRect(0, 0, 100, 30), &parent, 13));
    tab.InsertItem(0, "one");
    DRAWITEMSTRUCT dis;
    memset(&dis, 0, sizeof(dis));
    dis.CtlType = ODT_TAB;
    dis.CtlID = 13;
    dis.itemID = 0;
    dis.hwndItem = tab.m_hWnd;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, 13, (LPARAM)&dis));
    EXPECT_EQ(1, tab.m_nDrawn);
    EXPECT_EQ(0u, tab.m_nLastItem);

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
    EXPECT_EQ(0, images.Add(::LoadIcon(NULL, IDI_APPLICATION)));
    EXPECT_EQ(1, images.GetImageCount());
    EXPECT_EQ(&images, CImageList::FromHandlePermanent(images.m_hImageList));
    EXPECT_TRUE(images.BeginDrag(0, CPoint(0, 0)));
    EXPECT_TRUE(CImageList::DragEnter(&parent, CPoint(5, 5)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(6, 6)));
    EXPECT_TRUE(CImageList::DragLeave(&parent));
    CImageList::EndDrag();
    parent.DestroyWindow();
}

TEST_F(WindowFixture, RadioMarksAndTextsOfMenuItems)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_EDIT_CUT, "Cut");
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = 0;
    state.m_nID = ID_EDIT_CUT;
    state.SetRadio(TRUE);
    MENUITEMINFO mii;
    memset(&mii, 0, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(menu.GetMenuItemInfo(0, &mii, TRUE));
    EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(mii.fState & MFS_CHECKED);
    state.Enable(FALSE);
    state.SetText("Cut Now");
    CString strText;
    menu.GetMenuString(0, strText, MF_BYPOSITION);
    EXPECT_STREQ("Cut Now", strText);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);  // the text change kept the state

    // An owner-drawn item given a text becomes a text item (its data would
    // otherwise be the address of the caller's text).
    menu.AppendMenu(MF_OWNERDRAW, ID_EDIT_COPY, (LPCTSTR)(ULONG_PTR)0x1234);
    state.m_nIndex = 1;
    state.m_nID = ID_EDIT_COPY;
    state.SetText("Copy");
    EXPECT_FALSE(menu.GetMenuState(1, MF_BYPOSITION) & MF_OWNERDRAW);
    menu.GetMenuString(1, strText, MF_BYPOSITION);
    EXPECT_STREQ("Copy", strText);
}
