// Window-hook sinks on real windows: the order of the chain, handled messages, the
// window's end, changes to the chain while a message is dispatched, a procedure set
// over the shared one, and the thread's current message across nested sends.
#include "ulvanetest.h"

#include <afxstat_.h>

#include <functional>
#include <vector>

#include "CExtWndHookChain.h"
#include "CExtWndMessageHook.h"

namespace
{
// What the watched window's own procedure saw.
std::vector<UINT> g_ownCommands;
int g_nOwnNcDestroy = 0;

LRESULT CALLBACK OwnWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND)
    {
        g_ownCommands.push_back(LOWORD(wParam));
        return 7;
    }
    if (nMessage == WM_NCDESTROY)
        g_nOwnNcDestroy++;
    return ::DefWindowProc(hWnd, nMessage, wParam, lParam);
}

HWND CreateWatchedWindow()
{
    static ATOM s_atom = 0;
    if (s_atom == 0)
    {
        WNDCLASS wc = {};
        wc.lpfnWndProc = &OwnWndProc;
        wc.hInstance = ::GetModuleHandle(NULL);
        wc.lpszClassName = "VornHookTestWindow";
        s_atom = ::RegisterClass(&wc);
    }
    return ::CreateWindowEx(0, "VornHookTestWindow", "watched", WS_POPUP, 0, 0, 50, 50, NULL, NULL,
                            ::GetModuleHandle(NULL), NULL);
}

// A sink that records what it is told and can act on a command.
class CRecordingSink : public CExtWndMessageHook
{
public:
    explicit CRecordingSink(std::vector<CString>* pLog, LPCTSTR lpszName, bool bEnabled = true)
        : CExtWndMessageHook(bEnabled), m_pLog(pLog), m_strName(lpszName)
    {
    }
    virtual ~CRecordingSink() { ++s_nDeleted; }

    virtual bool IsAutoDelete() { return m_bAutoDelete; }
    virtual bool OnHookCmdMsg(LRESULT& lResult, HWND hWnd, WORD wNotifyCode, WORD wID, HWND hWndCtrl)
    {
        Log("cmd", wID);
        if (m_onCommand)
            return m_onCommand(lResult, wID);
        return false;
    }
    virtual void OnHookWndNcDestroy() { Log("ncdestroy", 0); }
    virtual void OnHookWndAttached(HWND) { Log("attached", 0); }
    virtual void OnHookWndDetached(HWND) { Log("detached", 0); }

    void Log(LPCTSTR lpszWhat, int n)
    {
        CString s;
        s.Format("%s %s %d", (LPCTSTR)m_strName, lpszWhat, n);
        m_pLog->push_back(s);
    }

    std::vector<CString>* m_pLog;
    CString m_strName;
    bool m_bAutoDelete = false;
    std::function<bool(LRESULT&, WORD)> m_onCommand;
    static int s_nDeleted;
};
int CRecordingSink::s_nDeleted = 0;

class HookSinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_ownCommands.clear();
        g_nOwnNcDestroy = 0;
        CRecordingSink::s_nDeleted = 0;
        m_hWnd = CreateWatchedWindow();
        ASSERT_TRUE(m_hWnd != NULL);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        EXPECT_TRUE(CExtWndHookChain::Find(m_hWnd) == NULL);
    }
    LRESULT Command(WORD wID) { return ::SendMessage(m_hWnd, WM_COMMAND, wID, 0); }

    HWND m_hWnd = NULL;
    std::vector<CString> m_log;
};

std::vector<CString> Strings(std::initializer_list<LPCTSTR> list)
{
    std::vector<CString> v;
    for (LPCTSTR s : list)
        v.push_back(s);
    return v;
}
}

TEST_F(HookSinkTest, SinksSeeMessagesInChainOrderAndAHandledOneStopsThere)
{
    CRecordingSink a(&m_log, "A"), b(&m_log, "B"), off(&m_log, "off", false);
    EXPECT_FALSE(a.Attach(NULL));
    EXPECT_FALSE(a.Attach((HWND)(INT_PTR)0x7FFF0));
    EXPECT_TRUE(a.Attach(m_hWnd));
    EXPECT_TRUE(a.Attach(m_hWnd));   // held once, told once
    EXPECT_TRUE(b.Attach(m_hWnd, false, true));
    EXPECT_TRUE(off.Attach(m_hWnd));
    EXPECT_EQ(3, CExtWndHookChain::Find(m_hWnd)->GetHookCount());

    // Nobody takes it: the window answers.
    EXPECT_EQ(7, Command(10));
    EXPECT_EQ(Strings({"A attached 0", "B attached 0", "off attached 0", "B cmd 10", "A cmd 10"}), m_log);
    EXPECT_EQ((std::vector<UINT>{10}), g_ownCommands);

    // B takes it: neither A nor the window see it, the sender gets B's answer.
    m_log.clear();
    b.m_onCommand = [](LRESULT& lResult, WORD) {
        lResult = 42;
        return true;
    };
    EXPECT_EQ(42, Command(11));
    EXPECT_EQ(Strings({"B cmd 11"}), m_log);
    EXPECT_EQ((std::vector<UINT>{10}), g_ownCommands);

    // Leaving: a sink that is not attached changes nothing and is told nothing.
    m_log.clear();
    CRecordingSink stranger(&m_log, "X");
    EXPECT_TRUE(stranger.Attach(m_hWnd, true));
    EXPECT_TRUE(b.Attach(m_hWnd, true));
    EXPECT_FALSE(b.IsHookAttached(m_hWnd));
    EXPECT_TRUE(a.IsHookAttached(m_hWnd));
    EXPECT_EQ(Strings({"B detached 0"}), m_log);
    EXPECT_EQ(7, Command(12));

    // The disabled sink handled nothing, yet hears the window's end; nobody is told
    // of a detach then, and the window's own procedure gets its WM_NCDESTROY.
    m_log.clear();
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(Strings({"A ncdestroy 0", "off ncdestroy 0"}), m_log);
    EXPECT_EQ(1, g_nOwnNcDestroy);
    EXPECT_FALSE(a.IsHookAttached(m_hWnd));
    EXPECT_EQ(0, CRecordingSink::s_nDeleted);
}

TEST_F(HookSinkTest, AnAutoDeleteSinkOnTwoWindowsGoesWithTheSecond)
{
    HWND hWndOther = CreateWatchedWindow();
    CRecordingSink* pShared = new CRecordingSink(&m_log, "S");
    pShared->m_bAutoDelete = true;
    ASSERT_TRUE(pShared->Attach(m_hWnd));
    ASSERT_TRUE(pShared->Attach(hWndOther));
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(0, CRecordingSink::s_nDeleted);
    EXPECT_TRUE(pShared->IsHookAttached(hWndOther));
    // Leaving its last window by hand deletes it too; here the window's end does.
    ::DestroyWindow(hWndOther);
    EXPECT_EQ(1, CRecordingSink::s_nDeleted);

    // Detaching from every window: deleted once, after the last.
    HWND h1 = CreateWatchedWindow(), h2 = CreateWatchedWindow();
    CRecordingSink* pTwo = new CRecordingSink(&m_log, "T");
    pTwo->m_bAutoDelete = true;
    pTwo->Attach(h1);
    pTwo->Attach(h2);
    pTwo->DetachFromAllWindows();
    EXPECT_EQ(2, CRecordingSink::s_nDeleted);
    // The emptied chains stay until their windows go.
    EXPECT_TRUE(CExtWndHookChain::Find(h1) != NULL);
    ::DestroyWindow(h1);
    ::DestroyWindow(h2);
    EXPECT_TRUE(CExtWndHookChain::Find(h1) == NULL);
    EXPECT_EQ(2, CRecordingSink::s_nDeleted);
}

TEST_F(HookSinkTest, TheChainMayChangeWhileAMessageIsDispatched)
{
    CRecordingSink a(&m_log, "A"), b(&m_log, "B"), late(&m_log, "L");
    a.Attach(m_hWnd);
    b.Attach(m_hWnd);
    // A detaches B and attaches L: B is not called, L only from the next message.
    a.m_onCommand = [&](LRESULT&, WORD wID) {
        if (wID == 1)
        {
            b.Attach(m_hWnd, true);
            late.Attach(m_hWnd);
        }
        return false;
    };
    Command(1);
    Command(2);
    EXPECT_EQ(Strings({"A attached 0", "B attached 0", "A cmd 1", "B detached 0", "L attached 0", "A cmd 2",
                       "L cmd 2"}),
              m_log);

    // A handler that destroys the window: the later sink is not called, the window's
    // procedure does not get the command, and the chain is gone.
    m_log.clear();
    a.m_onCommand = [&](LRESULT&, WORD) {
        ::DestroyWindow(m_hWnd);
        return false;
    };
    EXPECT_EQ(0, Command(3));
    EXPECT_EQ(Strings({"A cmd 3", "A ncdestroy 0", "L ncdestroy 0"}), m_log);
    EXPECT_EQ((std::vector<UINT>{1, 2}), g_ownCommands);
    EXPECT_FALSE(::IsWindow(m_hWnd));
    EXPECT_TRUE(CExtWndHookChain::Find(m_hWnd) == NULL);
}

namespace
{
WNDPROC g_pfnUnderLater = NULL;
WNDPROC g_pfnAtLaterNcDestroy = NULL;
int g_nLaterCommands = 0;

LRESULT CALLBACK LaterSubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND)
        g_nLaterCommands++;
    LRESULT lResult = ::CallWindowProc(g_pfnUnderLater, hWnd, nMessage, wParam, lParam);
    if (nMessage == WM_NCDESTROY)
        g_pfnAtLaterNcDestroy = (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
    return lResult;
}
}

TEST_F(HookSinkTest, AProcedureSetOverTheSharedOneKeepsItsPlace)
{
    CRecordingSink a(&m_log, "A");
    a.Attach(m_hWnd);
    g_pfnUnderLater = (WNDPROC)::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, (LONG_PTR)&LaterSubclassProc);
    EXPECT_EQ(7, Command(5));
    EXPECT_EQ(1, g_nLaterCommands);
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(&LaterSubclassProc, g_pfnAtLaterNcDestroy);
    EXPECT_EQ(1, g_nOwnNcDestroy);

    // Without a chain the shared procedure still answers as a window does.
    HWND hWndPlain = CreateWatchedWindow();
    ::SetWindowText(hWndPlain, "abc");
    EXPECT_EQ(3, CExtWndHookChain::HookedWindowProc(hWndPlain, WM_GETTEXTLENGTH, 0, 0));
    ::DestroyWindow(hWndPlain);
}

TEST_F(HookSinkTest, NestedSendsSeeTheirOwnCurrentMessage)
{
    CRecordingSink a(&m_log, "A");
    a.Attach(m_hWnd);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    std::vector<WPARAM> seen;
    a.m_onCommand = [&](LRESULT& lResult, WORD wID) {
        seen.push_back(pState->m_lastSentMsg.wParam);
        if (wID == 1)
            Command(2);
        seen.push_back(pState->m_lastSentMsg.wParam);
        EXPECT_EQ(m_hWnd, pState->m_lastSentMsg.hwnd);
        // The previous procedure with the current message, unchanged.
        lResult = a.DefaultWndProc();
        return true;
    };
    const MSG before = pState->m_lastSentMsg;
    EXPECT_EQ(7, Command(1));
    EXPECT_EQ((std::vector<WPARAM>{1, 2, 2, 1}), seen);
    EXPECT_EQ(before.hwnd, pState->m_lastSentMsg.hwnd);
    EXPECT_EQ(before.message, pState->m_lastSentMsg.message);
    EXPECT_EQ(before.wParam, pState->m_lastSentMsg.wParam);
    EXPECT_EQ((std::vector<UINT>{2, 1}), g_ownCommands);
    a.Attach(m_hWnd, true);
}
