// A fresh main frame for every test, shown at a known size; documents left open are
// discarded and the frame destroyed afterwards.
#pragma once
#include "frametest.h"

class FrameTest : public ::testing::Test
{
protected:
    CMainFrame* m_pFrame = NULL;
    HWND m_hWndFrame = NULL;

    void SetUp() override
    {
        g_events.clear();
        theApp.m_prompts.clear();
        theApp.m_answers.clear();
        theApp.m_fileNames.clear();
        // A captionless popup, shown without activation: Wine on a display without a
        // window manager waits two seconds whenever a managed window is hidden.
        m_pFrame = new CMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_POPUP | WS_CLIPCHILDREN | FWS_ADDTOTITLE));
        m_hWndFrame = m_pFrame->m_hWnd;
        theApp.m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 20, 20, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->ShowWindow(SW_SHOWNA);
        m_pFrame->UpdateWindow();
        PumpPending();
    }

    void TearDown() override
    {
        theApp.m_answers.assign(16, IDNO);
        theApp.CloseAllDocuments(FALSE);
        if (::IsWindow(m_hWndFrame))
            m_pFrame->DestroyWindow();
        theApp.m_pMainWnd = NULL;
        PumpPending();
        EXPECT_EQ(0, theApp.m_nExceptions) << "no exception escaped a handler";
        theApp.m_nExceptions = 0;
    }

    // The MDI client's rectangle in the frame's client coordinates.
    CRect ClientArea()
    {
        return RectIn(CWnd::FromHandle(m_pFrame->m_hWndMDIClient), m_pFrame);
    }
};
