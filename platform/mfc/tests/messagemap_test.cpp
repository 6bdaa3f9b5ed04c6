// Message-map entries a framework of bars and controls builds on: class templates
// with maps, menu and mouse-tracking messages, reflected owner drawing and update
// handlers, and messages posted to the thread itself.
#include "wintest.h"

#include <afxcmn.h>

namespace
{
// A template layer with its own map over any window class.
template<class TBase>
class CCountingLayerT : public TBase
{
public:
    int m_nLeaves = 0, m_nHovers = 0, m_nMenuChars = 0, m_nLoops = 0, m_nNcDoubles = 0;
    CPoint m_ptHover;

    afx_msg void OnMouseLeave() { ++m_nLeaves; }
    afx_msg void OnMouseHover(UINT, CPoint pt)
    {
        ++m_nHovers;
        m_ptHover = pt;
    }
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT, CMenu*)
    {
        ++m_nMenuChars;
        return MAKELRESULT(nChar == 'x' ? 3 : 0, MNC_EXECUTE);
    }
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu) { m_nLoops += bIsTrackPopupMenu ? 10 : 1; }
    afx_msg void OnExitMenuLoop(BOOL) { m_nLoops += 100; }
    afx_msg void OnNcRButtonDblClk(UINT, CPoint) { ++m_nNcDoubles; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CCountingLayerT, TBase, TBase)
    ON_WM_MOUSELEAVE()
    ON_WM_MOUSEHOVER()
    ON_WM_MENUCHAR()
    ON_WM_ENTERMENULOOP()
    ON_WM_EXITMENULOOP()
    ON_WM_NCRBUTTONDBLCLK()
END_MESSAGE_MAP()

class CCountingWnd : public CCountingLayerT<CWnd>
{
};

// A button that draws and measures itself and updates itself.
class CSelfDrawnButton : public CButton
{
public:
    int m_nDrawn = 0, m_nMeasured = 0, m_nUpdates = 0;
    afx_msg void DrawItem(LPDRAWITEMSTRUCT) { ++m_nDrawn; }
    afx_msg void MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
    {
        ++m_nMeasured;
        lpMIS->itemHeight = 33;
    }
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI)
    {
        ++m_nUpdates;
        pCmdUI->Enable(FALSE);
    }
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
    {
        // Straight to the map's reflected entries.
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfDrawnButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_UPDATE_COMMAND_UI_REFLECT(CSelfDrawnButton::OnUpdateSelf)
END_MESSAGE_MAP()

class CParentWnd : public CWnd
{
public:
    int m_nParentUpdates = 0;
    afx_msg void OnUpdateButton(CCmdUI*) { ++m_nParentUpdates; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_UPDATE_COMMAND_UI(1234, CParentWnd::OnUpdateButton)
END_MESSAGE_MAP()

const UINT WM_TEST_THREAD = WM_APP + 77;

class CMessageThread : public CWinThread
{
public:
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    int m_nReceived = 0;
    afx_msg void OnTestMessage(WPARAM wParam, LPARAM lParam)
    {
        ++m_nReceived;
        m_wParam = wParam;
        m_lParam = lParam;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMessageThread, CWinThread)
    ON_THREAD_MESSAGE(WM_TEST_THREAD, CMessageThread::OnTestMessage)
END_MESSAGE_MAP()
}

TEST(MessageMaps, TemplateMapsDispatchMenuAndMouseTrackingMessages)
{
    CCountingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    wnd.SendMessage(WM_MOUSELEAVE);
    wnd.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(7, 9));
    EXPECT_EQ(1, wnd.m_nLeaves);
    EXPECT_EQ(1, wnd.m_nHovers);
    EXPECT_EQ(CPoint(7, 9), wnd.m_ptHover);

    EXPECT_EQ(MAKELRESULT(3, MNC_EXECUTE), wnd.SendMessage(WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), 0));
    EXPECT_EQ(1, wnd.m_nMenuChars);
    wnd.SendMessage(WM_ENTERMENULOOP, TRUE);
    wnd.SendMessage(WM_ENTERMENULOOP, FALSE);
    wnd.SendMessage(WM_EXITMENULOOP, FALSE);
    EXPECT_EQ(111, wnd.m_nLoops);
    wnd.SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, MAKELPARAM(3, 3));
    EXPECT_EQ(1, wnd.m_nNcDoubles);
    wnd.DestroyWindow();
}

TEST(MessageMaps, ReflectedDrawingMeasuringAndUpdatesReachTheControl)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
    CSelfDrawnButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 20), &parent, 1234));

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 1234;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, 1234, (LPARAM)&dis));
    EXPECT_EQ(1, button.m_nDrawn);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_BUTTON;
    mis.CtlID = 1234;
    parent.SendMessage(WM_MEASUREITEM, 1234, (LPARAM)&mis);
    EXPECT_EQ(1, button.m_nMeasured);
    EXPECT_EQ(33u, mis.itemHeight);

    // The control's own update comes first and decides alone.
    parent.UpdateDialogControls(&parent, FALSE);
    EXPECT_EQ(1, button.m_nUpdates);
    EXPECT_EQ(0, parent.m_nParentUpdates);
    EXPECT_FALSE(button.IsWindowEnabled());
    parent.DestroyWindow();
}

TEST(MessageMaps, MessagesPostedToTheThreadReachItsMap)
{
    CMessageThread thread;
    MSG msg = {};
    msg.hwnd = NULL;
    msg.message = WM_TEST_THREAD;
    msg.wParam = 5;
    msg.lParam = 6;
    EXPECT_TRUE(thread.PreTranslateMessage(&msg));
    EXPECT_EQ(1, thread.m_nReceived);
    EXPECT_EQ((WPARAM)5, thread.m_wParam);
    EXPECT_EQ((LPARAM)6, thread.m_lParam);

    // A window's message and an unknown thread message are not taken.
    msg.message = WM_TEST_THREAD + 1;
    EXPECT_FALSE(thread.PreTranslateMessage(&msg));
    EXPECT_EQ(1, thread.m_nReceived);
}
