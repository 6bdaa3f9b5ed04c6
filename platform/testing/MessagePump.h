// The message pumps of tests and benchmark programs: the thread's waiting messages
// handled as the application's own loop handles them, with or without its idle work.
#pragma once

#include <afxwin.h>

// Handles every message waiting in the thread's queue (paints and timers included)
// through the thread's PreTranslateMessage; a WM_QUIT is dropped. Returns when none
// waits.
void DispatchWaitingMessages();

// The waiting messages, then the application's idle updates until it wants no more;
// three rounds, so that what the idle updates post is handled too.
void DispatchWaitingMessagesAndIdle();
