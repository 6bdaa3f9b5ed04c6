// One Win32 event, auto-reset and not signalled when created.
#ifndef VORN_DEBUGCLIENT_EVENT_H
#define VORN_DEBUGCLIENT_EVENT_H

#include "winheaders.h"

class Event
{
public:
    Event();
    ~Event();

    bool IsValid() const { return wevent != nullptr; }
    bool Set();
    bool Reset();
    // True when signalled within ms milliseconds (INFINITE waits for ever).
    bool Wait(DWORD ms);
    HANDLE GetHandle() const { return wevent; }

private:
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    HANDLE wevent;
};

#endif
