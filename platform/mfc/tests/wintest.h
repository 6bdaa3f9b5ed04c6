// Harness of the window-layer tests: an application object that records message
// boxes and escaped exceptions instead of showing them, and a message pump.
#pragma once
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("VornWindowTest") {}

    std::vector<std::string> m_messageBoxes;
    int m_nExceptions = 0;
    int m_nUnknownExceptions = 0;

    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        m_messageBoxes.push_back(lpszPrompt);
        return IDOK;
    }
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg)
    {
        if (e == NULL)
            ++m_nUnknownExceptions;
        else
            ++m_nExceptions;
        return pMsg != NULL && pMsg->message == WM_CREATE ? -1 : 0;
    }
};

extern CTestApp theApp;

// Dispatches the thread's queued messages; returns when the queue is empty.
inline void PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (!AfxGetThread()->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

// Pumps until the condition holds or the time runs out.
template<class F>
bool PumpUntil(F condition, DWORD dwTimeoutMs = 5000)
{
    DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        PumpPending();
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}
