// Shared pieces of the framework's tests: the application object, readable geometry
// and a message pump.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include "ulvane_test_res.h"

class CUlvaneTestApp : public CWinApp
{
public:
    CUlvaneTestApp() : CWinApp("UlvaneTest") {}
    int m_nExceptions = 0;
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg)
    {
        ++m_nExceptions;
        return CWinApp::ProcessWndProcException(e, pMsg);
    }
};

extern CUlvaneTestApp theApp;

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os)
{
    *os << s.cx << "x" << s.cy;
}

// Dispatches the thread's queued messages, with the idle updates of the frame layer.
inline void PumpPending()
{
    MSG msg;
    for (int nRound = 0; nRound < 3; nRound++)
    {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                continue;
            if (!AfxGetThread()->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        for (LONG lCount = 0; AfxGetApp()->OnIdle(lCount); lCount++)
        {
        }
    }
}

// The window's rectangle in the client coordinates of another.
inline CRect RectIn(CWnd* pWnd, CWnd* pRelativeTo)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pRelativeTo->ScreenToClient(&rc);
    return rc;
}
