#include "MessagePump.h"

void DispatchWaitingMessages()
{
    MSG msg;
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
}

void DispatchWaitingMessagesAndIdle()
{
    for (int nRound = 0; nRound < 3; nRound++)
    {
        DispatchWaitingMessages();
        for (LONG lCount = 0; AfxGetApp()->OnIdle(lCount); lCount++)
        {
        }
    }
}
