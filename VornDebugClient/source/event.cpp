#include "event.h"

#include <cassert>

Event::Event() : wevent(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    assert(wevent != nullptr);
}

Event::~Event()
{
    if (wevent)
        CloseHandle(wevent);
}

bool Event::Set()
{
    return wevent && SetEvent(wevent) != FALSE;
}

bool Event::Reset()
{
    return wevent && ResetEvent(wevent) != FALSE;
}

bool Event::Wait(DWORD ms)
{
    return wevent && WaitForSingleObject(wevent, ms) == WAIT_OBJECT_0;
}
