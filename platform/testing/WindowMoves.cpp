#include "WindowMoves.h"

#include <set>

namespace
{
int g_nMoves = 0;
std::set<HWND>* g_pMovedWindows = NULL;

LRESULT CALLBACK CountMove(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* pMessage = (const CWPSTRUCT*)lParam;
    if (nCode >= 0 && pMessage->message == WM_WINDOWPOSCHANGED && g_pMovedWindows != NULL)
    {
        g_nMoves++;
        g_pMovedWindows->insert(pMessage->hwnd);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
} // namespace

CWindowMoves CountWindowMoves(const std::function<void()>& step)
{
    std::set<HWND> windows;
    g_nMoves = 0;
    g_pMovedWindows = &windows;
    HHOOK hHook = ::SetWindowsHookEx(WH_CALLWNDPROC, CountMove, NULL, ::GetCurrentThreadId());
    step();
    if (hHook != NULL)
        ::UnhookWindowsHookEx(hHook);
    g_pMovedWindows = NULL;
    CWindowMoves moves;
    if (hHook != NULL)
    {
        moves.nMoves = g_nMoves;
        moves.nWindows = (int)windows.size();
    }
    return moves;
}
