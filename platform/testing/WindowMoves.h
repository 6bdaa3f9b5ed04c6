// How many window moves a step asks for: every SetWindowPos and deferred move that
// reaches a window of this thread counts, whether or not it changes the rectangle, so
// a layout that moves windows to where they already are shows.
#pragma once

#include <afxwin.h>

#include <functional>

struct CWindowMoves
{
    int nMoves = -1;    // -1: the moves cannot be counted here
    int nWindows = -1;  // how many windows they were for
};

CWindowMoves CountWindowMoves(const std::function<void()>& step);
