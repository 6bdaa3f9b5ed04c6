// A user's hand on the mouse and the keyboard for the window tests: a thread sends
// the input, a few milliseconds apart, while the UI thread pumps its messages, and
// runs actions on the UI thread inside whatever loop pumps then. A loop that does not
// end is cancelled, so that a test fails instead of hanging.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include "MessagePump.h"
#include "SentInput.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace MouseHandDetail
{
const UINT nRunMessage = WM_APP + 0x43;

// A window of the UI thread that runs what the hand's thread posts to it, in the
// middle of whatever loop pumps then.
inline LRESULT CALLBACK RunnerProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg != nRunMessage)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    std::unique_ptr<std::function<void()>> pAction((std::function<void()>*)lParam);
    try
    {
        (*pAction)();
    }
    catch (...)
    {
        ADD_FAILURE() << "an action on the UI thread threw";
    }
    return 0;
}

inline HWND RunnerWindow()
{
    static HWND s_hWnd = NULL;
    if (s_hWnd == NULL)
    {
        WNDCLASS wc = {};
        wc.lpfnWndProc = RunnerProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = "UlvaneTestRunner";
        ::RegisterClass(&wc);
        s_hWnd = ::CreateWindow("UlvaneTestRunner", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
    }
    return s_hWnd;
}

inline void SendMouse(DWORD dwFlags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    ::SendInput(1, &in, sizeof(INPUT));
}

inline void SendKey(WORD vk, bool bUp)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &in, sizeof(INPUT));
}

}

class CMouseHand
{
public:
    ~CMouseHand()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    CMouseHand& MoveTo(CPoint pt)
    {
        return Add([this, pt] {
            CSentInput::MoveTo(pt);
            POINT ptNow;
            ::GetCursorPos(&ptNow);
            if (CPoint(ptNow) != pt)
                m_bMisplaced = true;
        });
    }
    // Moves in a few steps, as a hand does.
    CMouseHand& GlideTo(CPoint ptFrom, CPoint ptTo, int nSteps = 5)
    {
        for (int i = 1; i <= nSteps; i++)
            MoveTo(CPoint(ptFrom.x + (ptTo.x - ptFrom.x) * i / nSteps, ptFrom.y + (ptTo.y - ptFrom.y) * i / nSteps));
        return *this;
    }
    // A press soon after the last one at the same place would be a double click.
    CMouseHand& Down()
    {
        return Add([this] {
            static DWORD s_dwLastPress = 0;
            const DWORD dwSince = ::GetTickCount() - s_dwLastPress;
            if (dwSince <= ::GetDoubleClickTime() + 50)
                ::Sleep(::GetDoubleClickTime() + 50 - dwSince);
            MouseHandDetail::SendMouse(MOUSEEVENTF_LEFTDOWN);
            s_dwLastPress = ::GetTickCount();
            m_bDown = true;
        });
    }
    CMouseHand& Up() { return Add([this] { MouseHandDetail::SendMouse(MOUSEEVENTF_LEFTUP); m_bDown = false; }); }
    CMouseHand& RightClick() { return Add([] { MouseHandDetail::SendMouse(MOUSEEVENTF_RIGHTDOWN); MouseHandDetail::SendMouse(MOUSEEVENTF_RIGHTUP); }); }
    CMouseHand& Key(WORD vk) { return Add([vk] { MouseHandDetail::SendKey(vk, false); MouseHandDetail::SendKey(vk, true); }); }
    CMouseHand& KeyDown(WORD vk) { return Add([vk] { MouseHandDetail::SendKey(vk, false); }); }
    CMouseHand& KeyUp(WORD vk) { return Add([vk] { MouseHandDetail::SendKey(vk, true); }); }
    CMouseHand& Wait(DWORD dwMs) { return Add([dwMs] { ::Sleep(dwMs); }); }
    // Runs the action on the UI thread, inside whatever loop pumps its messages.
    CMouseHand& OnUiThread(std::function<void()> action)
    {
        return Add([action] { ::PostMessage(MouseHandDetail::RunnerWindow(), MouseHandDetail::nRunMessage, 0, (LPARAM)new std::function<void()>(action)); });
    }
    CMouseHand& Send(HWND hWnd, UINT nMsg)
    {
        return Add([hWnd, nMsg] {
            DWORD_PTR dwResult;
            ::SendMessageTimeout(hWnd, nMsg, 0, 0, SMTO_NORMAL, 2000, &dwResult);
        });
    }

    // Plays the steps while the UI thread pumps: true when the pumping came back. A
    // loop still running 5 s after the last step is cancelled (the button let go,
    // WM_CANCELMODE sent to hWndWatched) and counts as hung.
    bool Play(HWND hWndWatched)
    {
        MouseHandDetail::RunnerWindow();
        m_thread = std::thread([this, hWndWatched] {
            for (auto& step : m_steps)
            {
                step();
                ::Sleep(15);
            }
            m_bDone = true;
            for (int i = 0; i < 500 && !m_bReturned; i++)
                ::Sleep(10);
            if (m_bReturned)
                return;
            m_bHung = true;
            MouseHandDetail::SendMouse(MOUSEEVENTF_LEFTUP);
            DWORD_PTR dwResult;
            ::SendMessageTimeout(hWndWatched, WM_CANCELMODE, 0, 0, SMTO_NORMAL, 2000, &dwResult);
        });
        // The test's own outer loop: what reaches it is recorded.
        while (!m_bDone)
        {
            MSG msg;
            while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            {
                if (msg.message == WM_QUIT)
                {
                    m_quitCodes.push_back((int)msg.wParam);
                    continue;
                }
                if (!AfxGetThread()->PreTranslateMessage(&msg))
                {
                    ::TranslateMessage(&msg);
                    ::DispatchMessage(&msg);
                }
            }
            ::Sleep(2);
        }
        m_bReturned = true;
        m_thread.join();
        if (m_bDown)
            MouseHandDetail::SendMouse(MOUSEEVENTF_LEFTUP);
        DispatchWaitingMessagesAndIdle();
        return !m_bHung;
    }
    bool IsMisplaced() const { return m_bMisplaced; }
    const std::vector<int>& QuitCodes() const { return m_quitCodes; }

private:
    CMouseHand& Add(std::function<void()> step)
    {
        m_steps.push_back(step);
        return *this;
    }
    std::vector<std::function<void()>> m_steps;
    std::thread m_thread;
    std::atomic<bool> m_bDone{false};
    std::atomic<bool> m_bDown{false};
    std::atomic<bool> m_bMisplaced{false};
    std::atomic<bool> m_bReturned{false};
    std::atomic<bool> m_bHung{false};
    std::vector<int> m_quitCodes;
};

